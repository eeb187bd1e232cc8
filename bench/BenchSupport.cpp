#include "BenchSupport.h"

#include "core/Callsign.h"
#include "library/CallLibrary.h"
#include "log/ContestFile.h"
#include "log/gui/LogUnit.h"

#include <QApplication>
#include <QProcess>

#include <algorithm>
#include <ctime>

namespace Bench {
double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

void fillLogFromLibrary(ContestFile& contest, const CallLibrary& library, std::mt19937& rng,
                        const std::vector<QString>& bands, int count) {
    std::uniform_int_distribution<int> pick(0, library.size() - 1);
    for (const QString& band : bands) {
        std::vector<QsoRecord> rows;
        for (int i = 1; i <= count; ++i) {
            const LibraryRecord lib = library.record(pick(rng) + 1);
            QsoRecord r;
            r.Date = QDate(2026, 5, 2);
            r.Time = QTime(0, 0).addSecs(i * 20);
            r.Band = band;
            r.Freq = "0";
            r.Sent_QSO_number = i;
            r.Call = lib.Call;
            r.BaseCall = BaseCall(lib.Call);
            r.Mode = "SSB";
            r.Received_QSO_number = i;
            r.Received_WWL = lib.WWL;
            r.QSO_points = 100;
            rows.push_back(r);
        }
        contest.logTable.replaceBand(band, rows);
    }
}
QString makeLibraryFile(const QString& path) {
    QProcess gen;
    gen.start("bash", {QStringLiteral(OSTRELOG_DATA_DIR) + "/../tools/make-library",
                       "/usr/share/hamradio-files/MASTER.SCP", path});
    if (!gen.waitForFinished(120000) || gen.exitCode() != 0)
        return "tools/make-library failed (is hamradio-files installed?)";
    return {};
}

std::vector<QString> typedCallMix(const ContestFile& contest, const CallLibrary& library,
                                  std::mt19937& rng, int n) {
    std::uniform_int_distribution<int> pick(0, library.size() - 1);
    const auto& logRows = contest.searchTable.rows();
    std::vector<QString> calls;
    for (int i = 0; i < n; ++i)
        calls.push_back(i % 2 ? library.record(pick(rng) + 1).Call
                              : logRows[size_t(pick(rng)) % logRows.size()].Call);
    return calls;
}

void showLogForm(T_LogForm& form) {
    form.options.soundOnDupe = false;
    form.resize(900, 500);
    form.show();
    QApplication::setActiveWindow(&form);
    form.setMode(T_LogForm::Loading);
    form.contestOpened();
    form.setMode(T_LogForm::ContestEntry);
    form.focusCall();
}
} // namespace Bench
