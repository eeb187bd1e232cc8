#include "log/ContestFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
QsoRecord qso(const QString& band, int nr) {
    QsoRecord r;
    r.Date = QDate(2026, 5, 2);
    r.Time = QTime(0, 0).addSecs(nr * 7 % 86400);
    r.Band = band;
    r.Freq = "144300";
    r.Sent_QSO_number = nr;
    r.Call = "Q" + QString::number(nr % 10) + "A" + QString::number(nr);
    r.BaseCall = r.Call;
    r.Mode = "SSB";
    r.Sent_RST = r.Received_RST = "59";
    r.Received_WWL = "JN75DS";
    r.Last_updated = QDateTime(r.Date, r.Time);
    return r;
}

// A contest of n QSOs spread over three bands, built in one transaction-free pass.
QString makeContest(QTemporaryDir& dir, int n) {
    const QString vhf = dir.filePath("big.vhf");
    ContestFile c;
    c.create(vhf);
    c.open(vhf);
    c.header.bands[2].Band = c.header.bands[3].Band = c.header.bands[4].Band = true;
    c.writeDescriptor();
    const QString bands[] = {"144 MHz", "432 MHz", "1,3 GHz"};
    std::vector<QsoRecord> rows;
    for (int i = 0; i < n; ++i)
        rows.push_back(qso(bands[i % 3], i / 3 + 1));
    c.logTable.appendRecords(rows);
    return vhf;
}
} // namespace

static void BM_PostOneQsoDurably(benchmark::State& state) {
    QTemporaryDir dir;
    const QString vhf = dir.filePath("c.vhf");
    ContestFile c;
    c.create(vhf);
    c.open(vhf);
    ContestFile::setBandRange(c.logTable, "144 MHz");
    int nr = 0;
    for (auto _ : state)
        c.logTable.appendRecord(qso("144 MHz", ++nr));
}
BENCHMARK(BM_PostOneQsoDurably)->Unit(benchmark::kMillisecond)->Iterations(200);

static void BM_OpenContest10000(benchmark::State& state) {
    QTemporaryDir dir;
    const QString vhf = makeContest(dir, 10000);
    for (auto _ : state) {
        ContestFile c;
        c.open(vhf);
        ContestFile::setBandRange(c.logTable, "432 MHz");
        ContestFile::setBandRange(c.tekmovanjeTable, "432 MHz");
        benchmark::DoNotOptimize(c.logTable.recordCount());
    }
}
BENCHMARK(BM_OpenContest10000)->Unit(benchmark::kMillisecond);

static void BM_CursorMovesInBandRange(benchmark::State& state) {
    QTemporaryDir dir;
    const QString vhf = makeContest(dir, int(state.range(0)));
    ContestFile c;
    c.open(vhf);
    ContestFile::setBandRange(c.logTable, "432 MHz");
    for (auto _ : state) {
        c.logTable.first();
        c.logTable.next();
        c.logTable.setRecNo(c.logTable.recordCount() / 2);
        c.logTable.prior();
        c.logTable.last();
        benchmark::DoNotOptimize(c.logTable.recNo());
    }
}
BENCHMARK(BM_CursorMovesInBandRange)->Arg(1000)->Arg(10000);
