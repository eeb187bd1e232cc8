#include "EdiTestSupport.h"
#include "common/TestSupport.h"

#include "interchange/EdiExport.h"
#include "platform/IniFile.h"
#include "platform/Text8.h"

#include <QFile>

namespace {

class EdiExportTest : public EdiContest {
  protected:
    QByteArray exportBand(const QString& band = "144 MHz") {
        const QString out = dir.filePath("out.edi");
        const auto r = EdiExport::exportBand(contest, band, out);
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        return readAll(out);
    }
};

TEST_F(EdiExportTest, EmptyBandWritesTheWholeLayout) {
    contest.header.bands[2].Comments = "First remark\nSecond remark";
    const QByteArray bytes = exportBand();
    const QByteArray expected = "[REG1TEST;1]\r\n"
                                "TName=Test Contest\r\n"
                                "TDate=20260502;20260503\r\n"
                                "PCall=S59ABC\r\n"
                                "PWWLo=JN76TO\r\n"
                                "PExch=\r\n"
                                "PAdr1=Hill 1\r\n"
                                "PAdr2=Ljubljana\r\n"
                                "PSect=SINGLE\r\n"
                                "PBand=144 MHz\r\n"
                                "PClub=S50A\r\n"
                                "RName=Ana\r\n"
                                "RCall=S59ABC\r\n"
                                "RAdr1=Street 2\r\n"
                                "RAdr2=Town\r\n"
                                "RPoCo=1000\r\n"
                                "RCity=Ljubljana\r\n"
                                "RCoun=Slovenia\r\n"
                                "RPhon=+386 1\r\n"
                                "RHBBS=S50BBS\r\n"
                                "MOpe1=S59ABC\r\n"
                                "MOpe2=\r\n"
                                "STXEq=IC-9700 PA\r\n"
                                "SPowe=100\r\n"
                                "SRXEq=IC-9700\r\n"
                                "SAnte=2x 9el\r\n"
                                "SAntH=12;350\r\n"
                                "CQSOs=0;1\r\n"
                                "CQSOP=0\r\n"
                                "CWWLs=0;0;1\r\n"
                                "CWWLB=\r\n"
                                "CExcs=;;\r\n"
                                "CExcB=\r\n"
                                "CDXCs=;;\r\n"
                                "CDXCB=\r\n"
                                "CToSc=0\r\n"
                                "CODXC=;;0\r\n"
                                "[Remarks]\r\n"
                                "First remark\r\n"
                                "Second remark\r\n"
                                "[QSORecords;0]\r\n"
                                "[END;Ostrelog V1.0]\r\n";
    EXPECT_EQ(bytes, expected);
}

TEST_F(EdiExportTest, QsoLinesCarryTheFifteenFields) {
    struct Case {
        int sent, received;
        QString mode;
        QString line;
    };
    const std::vector<Case> cases{
        {7, 12, "C/S", "030607;0905;S51X;4;59;007;59;012;;JN75TX;%1;;;;"},
        {1234, 0, "SSB", "030607;0905;S51X;1;59;1234;59;000;;JN75TX;%1;;;;"},
        {99, 100, "PKT", "030607;0905;S51X;0;59;099;59;100;;JN75TX;%1;;;;"},
    };
    for (const Case& c : cases) {
        QsoRecord q = qso(c.sent, "S51X", "JN75TX", c.mode);
        q.Date = QDate(2003, 6, 7);
        q.Time = QTime(9, 5);
        q.Received_QSO_number = c.received;
        EXPECT_EQ(EdiExport::qsoLine(q), c.line.arg(q.QSO_points)) << c.mode.toStdString();
    }
    QsoRecord full = qso(3, "OE3A", "JN88AA", "CW");
    full.Received_Exchange = "VIE";
    full.New_Exchange = "E";
    full.New_WWL = "N";
    full.New_DXCC = "D";
    full.Duplicate_QSO = "X";
    EXPECT_TRUE(EdiExport::qsoLine(full).endsWith(";VIE;JN88AA;" +
                                                  QString::number(full.QSO_points) + ";E;N;D;X"));
}

TEST_F(EdiExportTest, OperatorListGivesTheOperatorLines) {
    struct Case {
        QString operators, mope1, mope2;
    };
    const std::vector<Case> cases{{"", "MOpe1=S59ABC", "MOpe2="},
                                  {"S51A", "MOpe1=S51A", "MOpe2="},
                                  {"S51A\nS52B\nS53C", "MOpe1=S51A", "MOpe2=S52B"}};
    for (const Case& c : cases) {
        contest.header.Operators = c.operators;
        const QStringList lines = ediLines(exportBand());
        EXPECT_EQ(lines[20], c.mope1);
        EXPECT_EQ(lines[21], c.mope2);
        EXPECT_EQ(lines.size(), 40); // the third operator goes nowhere
    }
}

TEST_F(EdiExportTest, TypeZeroTotalsAndTheEarlierOdxOfEqualDistances) {
    QsoRecord a = qso(1, "S51A", "JN76TO");
    a.QSO_distance = a.QSO_points = 612;
    QsoRecord b = qso(2, "S52B", "JN86AH");
    b.QSO_distance = b.QSO_points = 612;
    QsoRecord dupe = qso(3, "S51A", "JN76TO", "CW", 0);
    dupe.New_WWL = "N";
    add(b);
    add(a);
    add(dupe);
    const QStringList lines = ediLines(exportBand());
    EXPECT_EQ(lines[27], "CQSOs=3;1");
    EXPECT_EQ(lines[28], "CQSOP=1224");
    EXPECT_EQ(lines[29], "CWWLs=0;0;1");
    EXPECT_EQ(lines[35], "CToSc=1224");
    EXPECT_EQ(lines[36], "CODXC=S51A;JN76TO;612");
    EXPECT_EQ(lines[38], "[QSORecords;3]");
    // Band-index order: serial numbers ascending; type 0 leaves the marks alone.
    EXPECT_TRUE(lines[39].contains(";001;"));
    EXPECT_TRUE(lines[41].contains(";003;"));
    EXPECT_TRUE(lines[41].endsWith(";0;;N;;"));
}

TEST_F(EdiExportTest, TypeOneCountsMultipliersAndWritesTheRecountedMarks) {
    contest.header.ContestType = 1;
    QsoRecord a = qso(1, "S51A", "JN76TO", "CW", 300);
    QsoRecord b = qso(2, "S52B", "JN76TO", "SSB", 200);
    b.New_WWL = "N";
    QsoRecord c = qso(3, "S53C", "JN86AH", "FM", 50);
    for (const QsoRecord& q : {a, b, c})
        add(q);
    add([&] {
        QsoRecord other = qso(4, "S54D", "JN76TO", "CW", 9);
        other.Band = "432 MHz";
        return other;
    }());
    const QStringList lines = ediLines(exportBand());
    EXPECT_EQ(lines[27], "CQSOs=3;1");
    EXPECT_EQ(lines[28], "CQSOP=550");
    EXPECT_EQ(lines[29], "CWWLs=2;0;1");
    EXPECT_EQ(lines[35], "CToSc=1100");
    EXPECT_TRUE(lines[39].endsWith(";;N;;"));
    EXPECT_TRUE(lines[40].endsWith(";;;;"));
    EXPECT_TRUE(lines[41].endsWith(";;N;;"));
    // The marks are stored too.
    const auto rows = band("144 MHz");
    EXPECT_EQ(rows[1].New_WWL, "");
}

TEST_F(EdiExportTest, UnreadableDateLeavesTheEarlierFileUntouched) {
    const QString out = dir.filePath("out.edi");
    writeAll(out, "earlier export\r\n");
    const QStringList bad{"", "31.02.2026", "yesterday"};
    for (const QString& date : bad) {
        contest.header.TDateEnd = date;
        const auto r = EdiExport::exportBand(contest, "144 MHz", out);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, "'" + date + "' is not a valid date");
        EXPECT_EQ(readAll(out), QByteArray("earlier export\r\n"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList({"out.edi*"}, QDir::Files), QStringList({"out.edi"}));
}

TEST_F(EdiExportTest, HeaderDatesInTheirAcceptedForms) {
    struct Case {
        QString text;
        QDate date;
    };
    const std::vector<Case> cases{{"7.6.2003", QDate(2003, 6, 7)},
                                  {"07.06.2003", QDate(2003, 6, 7)},
                                  {" 07/06/03 ", QDate(2003, 6, 7)},
                                  {"2003-06-07", QDate(2003, 6, 7)}};
    for (const Case& c : cases)
        EXPECT_EQ(EdiExport::parseHeaderDate(c.text).value_or(QDate()), c.date)
            << c.text.toStdString();
}

TEST_F(EdiExportTest, HeaderBytesSurviveAsTheyWereStored) {
    // Windows-1250 text (a Slovene name) read through the descriptor comes back byte for byte.
    const QByteArray name("\xC8rni vrh \x9A\xE8\xBE", 12);
    contest.header.TName = Text8::decode(name);
    contest.writeDescriptor();
    ASSERT_TRUE(contest.open(path));
    const QByteArray bytes = exportBand();
    EXPECT_TRUE(bytes.contains("TName=" + name + "\r\n"));
}

TEST_F(EdiExportTest, ProposedPathAndUnknownBand) {
    EXPECT_EQ(EdiExport::proposedPath("/logs/may.vhf"), "/logs/may.edi");
    EXPECT_EQ(EdiExport::proposedPath("/logs/may.s5m"), "/logs/may.edi");
    const auto r = EdiExport::exportBand(contest, "2m", dir.filePath("x.edi"));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.edi")));
}

} // namespace
