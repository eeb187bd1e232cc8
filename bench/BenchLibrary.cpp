// Call library import and the partial call search per keystroke, with a library built from
// MASTER.SCP (tools/make-library, about 100,000 records) and a log of 10,000 QSOs on 4 bands.
#include "core/Callsign.h"
#include "library/CallLibrary.h"
#include "library/gui/CPartialSearch.h"
#include "library/gui/PartialSearchUnit.h"
#include "log/ContestFile.h"

#include "BenchSupport.h"
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>

#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <malloc.h>
#include <random>

namespace {
const QString Bands[] = {"144 MHz", "432 MHz", "1,3 GHz", "2,3 GHz"};

long residentKb() {
    QFile f("/proc/self/statm");
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> v = f.readAll().split(' ');
    return v.size() > 1 ? v[1].toLong() * 4 : 0;
}

struct World {
    QTemporaryDir dir;
    QString libraryFile;
    bool ok = false;
    QString error;
    CallLibrary library;
    ContestFile contest;
    std::vector<QString> typedCalls;

    World() {
        libraryFile = dir.filePath("master.vhf");
        error = Bench::makeLibraryFile(libraryFile);
        if (!error.isEmpty()) return;
        if (!library.attach(dir.path()) || !library.importFile(libraryFile).ok) {
            error = "import failed";
            return;
        }
        // 10,000 QSOs on four bands with stations of the library.
        const QString vhf = dir.filePath("contest.vhf");
        contest.create(vhf);
        contest.open(vhf);
        std::mt19937 rng(4);
        Bench::fillLogFromLibrary(contest, library, rng, {std::begin(Bands), std::end(Bands)},
                                  2500);
        // What the operator types: callsigns of the library, half of them already in the log.
        typedCalls = Bench::typedCallMix(contest, library, rng, 400);
        ok = contest.searchTable.recordCount() == 10000;
        if (!ok) error = "log not built";
    }
};

World& world() {
    static World w;
    return w;
}

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

size_t heapInUse() {
    return mallinfo2().uordblks;
}

} // namespace

static void BM_LibraryImport100k(benchmark::State& state) {
    World& w = world();
    if (!w.ok) return state.SkipWithError(w.error.toStdString().c_str());
    int records = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        CallLibrary lib;
        lib.attach(dir.path());
        const size_t before = heapInUse();
        const long rssBefore = residentKb();
        const auto r = lib.importFile(w.libraryFile);
        if (!r.ok) return state.SkipWithError("import failed");
        records = lib.size();
        state.counters["mirror_MB"] = double(lib.memoryBytes()) / 1e6;
        state.counters["heap_growth_MB"] = double(heapInUse() - before) / 1e6;
        state.counters["rss_growth_MB"] = double(residentKb() - rssBefore) / 1e3;
    }
    state.counters["records"] = records;
}
BENCHMARK(BM_LibraryImport100k)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_LibraryAttach100k(benchmark::State& state) {
    World& w = world();
    if (!w.ok) return state.SkipWithError(w.error.toStdString().c_str());
    for (auto _ : state) {
        CallLibrary lib;
        lib.attach(w.dir.path());
        benchmark::DoNotOptimize(lib.size());
    }
}
BENCHMARK(BM_LibraryAttach100k)->Unit(benchmark::kMillisecond)->Iterations(5);

// One call typed letter by letter into the shown window (300 x 400): per keystroke the
// search, the outputs the log window reads and the paint. Counters give the median and the
// 99th percentile of single keystrokes, and the medians of full and refined searches.
static void BM_PartialSearchKeystroke(benchmark::State& state) {
    World& w = world();
    if (!w.ok) return state.SkipWithError(w.error.toStdString().c_str());
    T_PartialCallSearch window;
    window.resize(300, 400);
    window.show();
    for (int i = 0; i < 20 && !window.windowHandle()->isExposed(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    TCPartialSearch* control = window.PartialSearch();
    control->setLibDataSet(&w.library);
    control->setLogDataSet(&w.contest.searchTable);
    PaintCounter counter;
    control->installEventFilter(&counter);
    double drawn = 0;
    std::vector<double> all, cpu, full, refined, paintMs;
    size_t next = 0;
    int band = 0;
    for (auto _ : state) {
        const QString call = w.typedCalls[next++ % w.typedCalls.size()];
        const QString b = Bands[band++ % 4];
        for (int i = 1; i <= call.size(); ++i) {
            const auto t0 = std::chrono::steady_clock::now();
            const double c0 = Bench::threadCpuMs();
            control->Search(call.left(i), b, 2501);
            benchmark::DoNotOptimize(control->dupeFound());
            benchmark::DoNotOptimize(control->locators().size());
            benchmark::DoNotOptimize(control->libraryBandsText());
            benchmark::DoNotOptimize(control->workedBandsText());
            const auto t1 = std::chrono::steady_clock::now();
            control->repaint();
            paintMs.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t1)
                    .count());
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                    .count();
            all.push_back(ms);
            cpu.push_back(Bench::threadCpuMs() - c0);
            drawn += double(control->drawnItems().size());
            if (i >= 2) (control->engine().lastBuildRefined() ? refined : full).push_back(ms);
        }
    }
    state.counters["keys"] = double(all.size());
    state.counters["paints"] = counter.paints;
    state.counters["drawn_per_key"] = drawn / double(std::max<size_t>(1, all.size()));
    state.counters["median_ms"] = Bench::percentile(all, 0.5);
    state.counters["p99_ms"] = Bench::percentile(all, 0.99);
    state.counters["cpu_median_ms"] = Bench::percentile(cpu, 0.5);
    state.counters["cpu_p99_ms"] = Bench::percentile(cpu, 0.99);
    state.counters["paint_median_ms"] = Bench::percentile(paintMs, 0.5);
    state.counters["paint_p99_ms"] = Bench::percentile(paintMs, 0.99);
    state.counters["full_median_ms"] = Bench::percentile(full, 0.5);
    state.counters["refined_median_ms"] = Bench::percentile(refined, 0.5);
}
BENCHMARK(BM_PartialSearchKeystroke)->Unit(benchmark::kMillisecond)->Iterations(400);

// The worst full rebuild: a two-letter start, where most of the library matches.
static void BM_PartialSearchFullTwoLetters(benchmark::State& state) {
    World& w = world();
    if (!w.ok) return state.SkipWithError(w.error.toStdString().c_str());
    PartialSearch search;
    search.setLog(&w.contest.searchTable);
    search.setLibrary(&w.library);
    const QString starts[] = {"DL", "G4", "K1", "OK", "9A", "S5"};
    int i = 0;
    for (auto _ : state) {
        search.search(starts[i++ % 6], "144 MHz", 2501);
        search.build();
        benchmark::DoNotOptimize(search.entryCount());
    }
}
BENCHMARK(BM_PartialSearchFullTwoLetters)->Unit(benchmark::kMillisecond);

// A full rebuild after a deleted character leaves a one-letter suffix: every library call
// holding that letter joins the list as a suffix match.
static void BM_PartialSearchFullOneLetterSuffix(benchmark::State& state) {
    World& w = world();
    if (!w.ok) return state.SkipWithError(w.error.toStdString().c_str());
    PartialSearch search;
    search.setLog(&w.contest.searchTable);
    search.setLibrary(&w.library);
    const QString texts[] = {"DL1A", "G4B", "OK1C", "S51D"};
    int i = 0;
    for (auto _ : state) {
        search.search(texts[i++ % 4], "144 MHz", 2501);
        search.build();
        benchmark::DoNotOptimize(search.entryCount());
    }
    state.counters["entries"] = search.entryCount();
}
BENCHMARK(BM_PartialSearchFullOneLetterSuffix)->Unit(benchmark::kMillisecond);
