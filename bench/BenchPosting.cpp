// Enter in the locator field of the shown log window, up to the next empty entry line: the
// validation, the durable write (and the mirror's, when it is open), the full recount of a
// 5,000-QSO band, the grid and the field reset. Each iteration types a new call, number and
// locator key by key first, outside the timing.
#include "core/Callsign.h"
#include "core/Locator.h"
#include "log/ContestFile.h"
#include "log/LogTable.h"
#include "log/gui/LogUnit.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "platform/Speaker.h"

#include "BenchSupport.h"
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

#include <benchmark/benchmark.h>
#include <chrono>
#include <random>
#include <time.h>

namespace {
constexpr int BandQsos = 5000;
const QString Home = "JN75DS";

// Letters for a number, so that every call is different: 0 -> "A", 26 -> "BA".
QString letters(int n) {
    QString s;
    do {
        s.prepend(QChar('A' + n % 26));
        n /= 26;
    } while (n > 0);
    return s;
}

QString randomLocatorTail(std::mt19937& rng) {
    std::uniform_int_distribution<int> digit(0, 9), sub(0, 23);
    return QString::number(digit(rng)) + QString::number(digit(rng)) + QChar('A' + sub(rng)) +
           QChar('A' + sub(rng));
}

// A contest on 144 and 432 MHz with 5,000 QSOs on 144 MHz, stored in one transaction; the
// tables live on the disk (not in memory) so that each posting pays for its fsync.
struct PostingWorld {
    QTemporaryDir dir{QDir::tempPath() + "/ostrelog-bench-posting-XXXXXX"};
    ContestFile contest;
    QString error;

    explicit PostingWorld(bool mirror) {
        const QString vhf = dir.filePath("contest.vhf");
        if (!contest.create(vhf) || !contest.open(vhf)) {
            error = "contest not created";
            return;
        }
        contest.header.PCall = "Q9ABC";
        contest.header.PWWL = Home;
        contest.header.ContestType = 0;
        contest.header.bands[2].Band = contest.header.bands[3].Band = true;
        contest.activeBand = 0;
        std::mt19937 rng(6);
        std::vector<QsoRecord> rows;
        rows.reserve(BandQsos);
        for (int i = 1; i <= BandQsos; ++i) {
            QsoRecord r;
            r.Date = QDate(2026, 5, 2);
            r.Time = QTime(0, 0).addSecs(i * 15);
            r.Band = "144 MHz";
            r.Freq = "144300";
            r.Sent_QSO_number = i;
            r.Call = "Q1" + letters(i);
            r.BaseCall = BaseCall(r.Call);
            r.Mode = "SSB";
            r.Sent_RST = r.Received_RST = "59";
            r.Received_QSO_number = i;
            r.Received_WWL = "JN" + randomLocatorTail(rng);
            r.QSO_distance = Distance(Home, r.Received_WWL);
            r.QSO_azimuth = Azimuth(Home, r.Received_WWL);
            r.QSO_points = r.QSO_distance;
            rows.push_back(r);
        }
        contest.logTable.appendRecords(rows);
        if (mirror) {
            const QString backup = dir.filePath("backup");
            QDir().mkpath(backup);
            TableEngine::create(QDir(backup).filePath("VHFBaza.dat"));
            contest.openMirror(backup);
            if (!contest.mirrorOpen()) error = "mirror not opened";
        }
        if (contest.searchTable.recordCount() != BandQsos) error = "log not built";
    }
};

void key(QWidget* w, int k, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

void typeText(QWidget* w, const QString& text) {
    for (QChar c : text)
        key(w, c.toUpper().unicode(), QString(c));
}

void postQsos(benchmark::State& state, bool mirror) {
    PostingWorld world(mirror);
    if (!world.error.isEmpty()) return state.SkipWithError(world.error.toStdString().c_str());
    RecordingPrompter prompter;
    SilentSpeaker speaker;
    Platform::setPrompter(&prompter);
    Platform::setSpeaker(&speaker);

    T_LogForm form;
    form.clockTimer()->stop(); // ticked below, between QSOs, as the timer would
    form.setContest(&world.contest);
    Bench::showLogForm(form);

    std::mt19937 rng(7);
    std::vector<double> wall, cpu;
    int n = 0;
    const int before = world.contest.logTable.recordCount();
    for (auto _ : state) {
        form.clockTick();
        typeText(form.Call, "Q7" + letters(n++));
        key(form.Call, Qt::Key_Return);
        typeText(form.Received_QSO_number, QString::number(n));
        key(form.Received_QSO_number, Qt::Key_Return);
        typeText(form.Received_WWL, randomLocatorTail(rng));

        const double c0 = Bench::threadCpuMs();
        const auto t0 = std::chrono::steady_clock::now();
        key(form.Received_WWL, Qt::Key_Return);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count();
        cpu.push_back(Bench::threadCpuMs() - c0);
        wall.push_back(ms);
        if (!form.Call->text().isEmpty() || !form.Call->hasFocus())
            return state.SkipWithError("the entry line was not reset");
        form.repaint();
    }
    const int posted = world.contest.logTable.recordCount() - before;
    Platform::setPrompter(nullptr);
    Platform::setSpeaker(nullptr);
    if (posted != n || !prompter.messages.isEmpty() || !prompter.questions.isEmpty())
        return state.SkipWithError("not every QSO was stored without a question");
    // The last recount saw the whole band.
    if (form.summary().qsoCount != world.contest.logTable.recordCount())
        return state.SkipWithError("the score was not recounted");
    state.counters["band_qsos"] = world.contest.logTable.recordCount();
    state.counters["median_ms"] = Bench::percentile(wall, 0.5);
    state.counters["p99_ms"] = Bench::percentile(wall, 0.99);
    state.counters["cpu_median_ms"] = Bench::percentile(cpu, 0.5);
    state.counters["cpu_p99_ms"] = Bench::percentile(cpu, 0.99);
}
} // namespace

// The contest's own table only (no backup folder with a mirror table).
static void BM_PostingEnter(benchmark::State& state) {
    postQsos(state, false);
}
BENCHMARK(BM_PostingEnter)->Unit(benchmark::kMillisecond)->Iterations(200);

// The mirror table open as well: two durable writes per QSO.
static void BM_PostingEnterWithMirror(benchmark::State& state) {
    postQsos(state, true);
}
BENCHMARK(BM_PostingEnterWithMirror)->Unit(benchmark::kMillisecond)->Iterations(200);
