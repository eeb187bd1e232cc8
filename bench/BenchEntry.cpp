// The log window's entry line: from a key press in the call field to the updated dupe label,
// band display and library-locator labels, in the real window shown offscreen, with a call
// library built from MASTER.SCP (tools/make-library, about 100,000 records) and a log of
// 10,000 QSOs on four bands.
#include "core/Callsign.h"
#include "library/CallLibrary.h"
#include "library/gui/CPartialSearch.h"
#include "library/gui/PartialSearchUnit.h"
#include "log/ContestFile.h"
#include "log/gui/LogUnit.h"

#include "BenchSupport.h"
#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>

#include <benchmark/benchmark.h>
#include <chrono>
#include <random>

namespace {
const QString Bands[] = {"144 MHz", "432 MHz", "1,3 GHz", "2,3 GHz"};

struct EntryWorld {
    QTemporaryDir dir;
    QString error;
    bool ok = false;
    ContestFile contest;
    std::vector<QString> typedCalls;
    // The partial-search window holds the library, as in the program.
    T_PartialCallSearch partial;

    EntryWorld() {
        const QString libraryFile = dir.filePath("master.vhf");
        error = Bench::makeLibraryFile(libraryFile);
        if (!error.isEmpty()) return;
        CallLibrary& library = partial.library();
        if (!library.attach(dir.path()) || !library.importFile(libraryFile).ok) {
            error = "library import failed";
            return;
        }
        partial.attachLibrary(dir.path());
        const QString vhf = dir.filePath("contest.vhf");
        contest.create(vhf);
        contest.open(vhf);
        contest.header.PCall = "Q9ABC";
        contest.header.PWWL = "JN75DS";
        for (int n : {3, 4, 5, 6})
            contest.header.bands[size_t(n - 1)].Band = true;
        std::mt19937 rng(5);
        Bench::fillLogFromLibrary(contest, library, rng, {std::begin(Bands), std::end(Bands)},
                                  2500);
        // Half of what is typed is already in the log (dupes on the band), half only in the
        // library.
        typedCalls = Bench::typedCallMix(contest, library, rng, 400);
        ok = contest.searchTable.recordCount() == 10000;
        if (!ok) error = "log not built";
    }
};

EntryWorld& world() {
    static EntryWorld w;
    return w;
}

// Types every call of the list into the shown log window, a key at a time; each key is timed
// from the press to the return of its handling (the labels are set by then), and the window
// is repainted afterwards, outside the timing, as the event loop would.
void typeCalls(benchmark::State& state, T_LogForm& form) {
    EntryWorld& w = world();
    std::vector<double> keys;
    size_t next = 0;
    int dupes = 0;
    for (auto _ : state) {
        const QString call = w.typedCalls[next++ % w.typedCalls.size()];
        form.Call->clear();
        for (QChar c : call) {
            const auto t0 = std::chrono::steady_clock::now();
            QKeyEvent press(QEvent::KeyPress, c.unicode(), Qt::NoModifier, QString(c));
            QApplication::sendEvent(form.Call, &press);
            QKeyEvent release(QEvent::KeyRelease, c.unicode(), Qt::NoModifier, QString(c));
            QApplication::sendEvent(form.Call, &release);
            benchmark::DoNotOptimize(form.Duplicate_QSO->text());
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                    .count();
            keys.push_back(ms);
            form.repaint();
        }
        dupes += form.lastLookupDupe();
    }
    state.counters["keys"] = double(keys.size());
    state.counters["dupes"] = dupes;
    state.counters["median_ms"] = Bench::percentile(keys, 0.5);
    state.counters["p99_ms"] = Bench::percentile(keys, 0.99);
}

struct ShownForm {
    T_LogForm form;
    explicit ShownForm(TCPartialSearch* search = nullptr) {
        EntryWorld& w = world();
        form.setContest(&w.contest);
        form.setCallLibrary(&w.partial.library());
        form.setPartialSearch(search);
        Bench::showLogForm(form);
    }
};
} // namespace

// The log window's own hidden search (partial-search window closed).
static void BM_EntryCallKeystroke(benchmark::State& state) {
    EntryWorld& w = world();
    if (!w.ok) return state.SkipWithError(w.error.toStdString().c_str());
    ShownForm shown;
    typeCalls(state, shown.form);
}
BENCHMARK(BM_EntryCallKeystroke)->Unit(benchmark::kMillisecond)->Iterations(400);

// The partial-search window open beside it: the same search also builds its list.
static void BM_EntryCallKeystrokeWithPartialWindow(benchmark::State& state) {
    EntryWorld& w = world();
    if (!w.ok) return state.SkipWithError(w.error.toStdString().c_str());
    w.partial.resize(300, 400);
    w.partial.show();
    w.partial.setLogDataSet(&w.contest.searchTable);
    ShownForm shown(w.partial.PartialSearch());
    typeCalls(state, shown.form);
    w.partial.hide();
}
BENCHMARK(BM_EntryCallKeystrokeWithPartialWindow)->Unit(benchmark::kMillisecond)->Iterations(400);
