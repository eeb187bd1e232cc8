#pragma once
// A contest and a call library in a temporary folder, for the partial search tests.
#include "core/Callsign.h"
#include "library/CallLibrary.h"
#include "log/ContestFile.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "platform/Text8.h"

#include <QFile>
#include <QTemporaryDir>

// One station line of a library file: call, two locators, seven flag digits, the uW flag.
inline QString libraryLine(const QString& call, const QString& ul1, const QString& ul2,
                           const QString& flags) {
    return call.leftJustified(14) + ul1.leftJustified(14) + ul2.leftJustified(14) + flags + "0";
}

inline QByteArray libraryText(const QStringList& stations) {
    QString t = QString(LibraryFile::HeaderLine) + "\r\n----\r\n";
    for (const QString& s : stations)
        t += s + "\r\n";
    return Text8::encode(t);
}

struct SearchFixture {
    QTemporaryDir dir;
    RecordingPrompter prompter;
    ContestFile contest;
    CallLibrary library;
    int nextSecond = 0;

    SearchFixture() {
        Platform::setPrompter(&prompter);
        const QString vhf = dir.filePath("test.vhf");
        contest.create(vhf);
        contest.open(vhf);
        library.attach(dir.path());
    }
    ~SearchFixture() { Platform::setPrompter(nullptr); }

    // Logs a QSO; the times follow each other so that the log keeps the order of logging.
    void qso(const QString& call, const QString& band, int sent, int points = 100,
             const QString& wwl = "JN76TO", int received = 7) {
        QsoRecord r;
        r.Date = QDate(2026, 5, 2);
        r.Time = QTime(14, 0).addSecs(++nextSecond);
        r.Band = band;
        r.Freq = "0";
        r.Sent_QSO_number = sent;
        r.Call = call;
        r.BaseCall = BaseCall(call);
        r.Mode = "SSB";
        r.Received_QSO_number = received;
        r.Received_WWL = wwl;
        r.QSO_points = points;
        contest.logTable.appendRecord(r);
    }

    // Replaces the library with these station lines.
    CallLibrary::ImportResult importStations(const QStringList& stations) {
        const QString path = dir.filePath("lib.vhf");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(libraryText(stations));
        f.close();
        return library.importFile(path);
    }
};
