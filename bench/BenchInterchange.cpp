#include "core/Bands.h"
#include "core/Locator.h"
#include "interchange/EdiExport.h"
#include "interchange/EdiImport.h"
#include "log/ContestFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int BandQsos = 5000;

// A contest whose 144 MHz band holds 5,000 QSOs, type 1 so that the recount marks locators.
struct BigContest {
    BigContest() {
        path = dir.filePath("big.vhf");
        contest.create(path);
        contest.open(path);
        ContestHeader& h = contest.header;
        h.TName = "Bench";
        h.TDateStart = "02.05.2026";
        h.TDateEnd = "03.05.2026";
        h.PCall = "S59ABC";
        h.PWWL = "JN76TO";
        h.ContestType = 1;
        h.bands[2].Band = true;
        const QStringList& mults = MultiplierLocators();
        std::vector<QsoRecord> qsos;
        for (int i = 1; i <= BandQsos; ++i) {
            QsoRecord q;
            q.Date = QDate(2026, 5, 2).addDays(i / 1440);
            q.Time = QTime(0, 0).addSecs(60 * (i % 1440));
            q.Band = "144 MHz";
            q.Sent_QSO_number = i;
            q.Received_QSO_number = i % 700 + 1;
            q.Call = "S5" + QString::number(i) + "X";
            q.Mode = i % 3 ? "SSB" : "CW";
            q.Sent_RST = "59";
            q.Received_RST = "59";
            q.Received_WWL = mults[i % mults.size()];
            q.QSO_distance = Distance(h.PWWL, q.Received_WWL);
            q.QSO_points = q.QSO_distance * ModeFactor(q.Mode);
            qsos.push_back(q);
        }
        contest.tekmovanjeTable.replaceBand("144 MHz", qsos);
        contest.writeDescriptor();
    }
    QTemporaryDir dir;
    QString path;
    ContestFile contest;
};

void BM_EdiExport5000(benchmark::State& state) {
    BigContest big;
    const QString out = big.dir.filePath("big.edi");
    for (auto _ : state) {
        const auto r = EdiExport::exportBand(big.contest, "144 MHz", out);
        if (!r.ok || r.qsoCount != BandQsos) state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_EdiExport5000)->Unit(benchmark::kMillisecond);

void BM_EdiImport5000(benchmark::State& state) {
    BigContest big;
    const QString file = big.dir.filePath("big.edi");
    EdiExport::exportBand(big.contest, "144 MHz", file);
    for (auto _ : state) {
        const auto r = EdiImport::importFile(big.contest, file);
        if (!r.ok || r.qsoCount != BandQsos) state.SkipWithError("import failed");
    }
}
BENCHMARK(BM_EdiImport5000)->Unit(benchmark::kMillisecond);

} // namespace
