#pragma once
#include "core/Locator.h"
#include "log/ContestFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// A new contest in a temporary folder with a filled header, open for the test.
class EdiContest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("contest.vhf");
        ASSERT_TRUE(contest.create(path));
        ASSERT_TRUE(contest.open(path));
        ContestHeader& h = contest.header;
        h.TName = "Test Contest";
        h.TDateStart = "02.05.2026";
        h.TDateEnd = "03.05.2026";
        h.PCall = "S59ABC";
        h.PWWL = "JN76TO";
        h.PAdr1 = "Hill 1";
        h.PAdr2 = "Ljubljana";
        h.PClub = "S50A";
        h.RName = "Ana";
        h.RCall = "S59ABC";
        h.RAdr1 = "Street 2";
        h.RAdr2 = "Town";
        h.RPoCo = "1000";
        h.RCity = "Ljubljana";
        h.RCoun = "Slovenia";
        h.RPhon = "+386 1";
        h.RHBBS = "S50BBS";
        BandEquipment& b = h.bands[2];
        b.Band = true;
        b.PSect = "SINGLE";
        b.SPowe = "100";
        b.RX = "IC-9700";
        b.TX = "IC-9700 PA";
        b.SAnte = "2x 9el";
        b.HeightAboveGround = "12";
        b.HeightAboveSea = "350";
    }

    QsoRecord qso(int nr, const QString& call, const QString& wwl, const QString& mode = "SSB",
                  int points = -1) const {
        QsoRecord r;
        r.Date = QDate(2026, 5, 2);
        r.Time = QTime(14, nr % 60);
        r.Band = "144 MHz";
        r.Sent_QSO_number = nr;
        r.Received_QSO_number = nr + 10;
        r.Call = call;
        r.Mode = mode;
        r.Sent_RST = "59";
        r.Received_RST = "59";
        r.Received_WWL = wwl;
        r.QSO_distance = Distance(contest.header.PWWL, wwl);
        r.QSO_points = points < 0 ? r.QSO_distance : points;
        return r;
    }
    void add(const QsoRecord& r) { contest.tekmovanjeTable.appendRecord(r); }

    std::vector<QsoRecord> band(const QString& name) {
        LogCursor c;
        c.setTable(contest.folder(), contest.tableName());
        c.open();
        ContestFile::setBandRange(c, name);
        return c.rows();
    }

    QTemporaryDir dir;
    QString path;
    ContestFile contest;
};

// The file as lines without their CR LF.
inline QStringList ediLines(const QByteArray& bytes) {
    QStringList lines = QString::fromLatin1(bytes).split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}
