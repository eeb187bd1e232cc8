// Posts QSOs into a contest as a second program would: used by tests of shared access.
// usage: ostrelog-test-writer CONTEST.vhf BAND CALLPREFIX COUNT [--print]
// With --print it writes "posted N" after each QSO is on disk.
#include "log/ContestFile.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 5) return 2;
    ContestFile contest;
    if (!contest.open(a[1])) return 1;
    const QString band = a[2];
    const int count = a[4].toInt();
    const bool print = a.contains("--print");
    for (int i = 1; i <= count; ++i) {
        QsoRecord r;
        r.Date = QDate(2026, 5, 2);
        r.Time = QTime(14, 0).addSecs(i);
        r.Band = band;
        r.Freq = "144300";
        r.Sent_QSO_number = i;
        r.Call = a[3] + QString::number(i);
        r.BaseCall = r.Call;
        r.Mode = "SSB";
        r.Sent_RST = r.Received_RST = "59";
        r.Received_WWL = "JN75DS";
        r.QSO_distance = i;
        r.QSO_points = i;
        r.Last_updated = QDateTime(r.Date, r.Time);
        try {
            contest.logTable.appendRecord(r);
        } catch (const TableError& e) {
            fprintf(stderr, "%s\n", qPrintable(e.message));
            return 1;
        }
        if (print) {
            printf("posted %d\n", i);
            fflush(stdout);
        }
    }
    return 0;
}
