#include "EdiTestSupport.h"
#include "common/TestSupport.h"

#include "interchange/EdiExport.h"
#include "interchange/EdiImport.h"
#include "interchange/EdiReader.h"

#include <QDirIterator>
#include <QMap>
#include <iostream>

namespace {

// Our own layout, line by line (without line ends), with one QSO.
QStringList ownLines() {
    return {"[REG1TEST;1]",
            "TName=May Contest",
            "TDate=20260502;20260503",
            "PCall=S50X",
            "PWWLo=jn65uo",
            "PExch=",
            "PAdr1=Krvavec",
            "PAdr2=Cerklje",
            "PSect=MULTI",
            "PBand=432 MHz",
            "PClub=S50K",
            "RName=Bojan",
            "RCall=S51B",
            "RAdr1=Cesta 1",
            "RAdr2=Kranj",
            "RPoCo=4000",
            "RCity=Kranj",
            "RCoun=Slovenia",
            "RPhon=041",
            "RHBBS=S50BBS",
            "MOpe1=S51B",
            "MOpe2=S52C",
            "STXEq=FT-736",
            "SPowe=300",
            "SRXEq=FT-736R",
            "SAnte=4x 21el",
            "SAntH=10;420",
            "CQSOs=1;1",
            "CQSOP=100",
            "CWWLs=0;0;1",
            "CWWLB=",
            "CExcs=;;",
            "CExcB=",
            "CDXCs=;;",
            "CDXCB=",
            "CToSc=100",
            "CODXC=S57A;JN76TO;100",
            "[Remarks]",
            "Good conditions",
            "[QSORecords;2]",
            "260502;1405;S57A;2;599;001;599;007;;JN76TO;;;N;;",
            "260502;1410;9A1A;1;59;002;59;012;;JN85AA;0;;;;",
            "[END;Some Logger 1.0]"};
}

QByteArray crlf(const QStringList& lines) {
    return (lines.join("\r\n") + "\r\n").toLatin1();
}

class EdiImportTest : public EdiContest {
  protected:
    EdiImport::Result importBytes(const QByteArray& bytes, const QString& name = "in.edi") {
        const QString file = dir.filePath(name);
        writeAll(file, bytes);
        return EdiImport::importFile(contest, file);
    }
};

TEST_F(EdiImportTest, HeaderLinesReachTheirTargets) {
    contest.header.Operators = "S59ABC";
    const auto r = importBytes(crlf(ownLines()));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(EdiImport::statusText(r.qsoCount), "Imported 2 QSO's");
    EXPECT_EQ(r.band, "432 MHz");
    const ContestHeader& h = contest.header;
    EXPECT_EQ(h.TName, "May Contest");
    EXPECT_EQ(h.TDateStart, "02.05.2026");
    EXPECT_EQ(h.TDateEnd, "03.05.2026");
    EXPECT_EQ(h.PCall, "S50X");
    EXPECT_EQ(h.PWWL, "JN65UO");
    EXPECT_EQ(h.PAdr1, "Krvavec");
    EXPECT_EQ(h.PAdr2, "Cerklje");
    EXPECT_EQ(h.PClub, "S50K");
    EXPECT_EQ(QStringList({h.RName, h.RCall, h.RAdr1, h.RAdr2, h.RPoCo, h.RCity, h.RCoun, h.RPhon,
                           h.RHBBS}),
              QStringList({"Bojan", "S51B", "Cesta 1", "Kranj", "4000", "Kranj", "Slovenia", "041",
                           "S50BBS"}));
    EXPECT_EQ(h.operatorLines(), QStringList({"S59ABC", "S51B", "S52C"}));
    const BandEquipment& b = h.bands[3];
    EXPECT_TRUE(b.Band);
    EXPECT_TRUE(h.bands[2].Band); // 144 MHz stays ticked
    EXPECT_EQ(
        QStringList({b.PSect, b.TX, b.SPowe, b.RX, b.SAnte, b.HeightAboveGround, b.HeightAboveSea}),
        QStringList({"MULTI", "FT-736", "300", "FT-736R", "4x 21el", "10", "420"}));
    EXPECT_EQ(h.commentLines(4), QStringList({"Good conditions"}));
    // The header reached the descriptor.
    ContestFile again;
    ASSERT_TRUE(again.open(path));
    EXPECT_EQ(again.header.TName, "May Contest");
    EXPECT_TRUE(again.header.bands[3].Band);
}

TEST_F(EdiImportTest, QsoFieldsDistanceAndPoints) {
    ASSERT_TRUE(importBytes(crlf(ownLines())).ok);
    const auto rows = band("432 MHz");
    ASSERT_EQ(rows.size(), 2u);
    const QsoRecord& a = rows[0];
    EXPECT_EQ(a.Date, QDate(2026, 5, 2));
    EXPECT_EQ(a.Time, QTime(14, 5));
    EXPECT_EQ(a.Call, "S57A");
    EXPECT_EQ(a.Mode, "CW");
    EXPECT_EQ(a.Band, "432 MHz");
    EXPECT_EQ(a.Sent_RST, "599");
    EXPECT_EQ(a.Sent_QSO_number, 1);
    EXPECT_EQ(a.Received_QSO_number, 7);
    EXPECT_EQ(a.Received_WWL, "JN76TO");
    EXPECT_EQ(a.QSO_distance, Distance("JN65UO", "JN76TO"));
    EXPECT_EQ(a.QSO_points, a.QSO_distance); // empty points: the distance
    EXPECT_EQ(a.New_WWL, "N");
    EXPECT_EQ(rows[1].QSO_points, 0); // points 0 stay 0
    EXPECT_GT(rows[1].QSO_distance, 1);
}

TEST_F(EdiImportTest, ReplacesOnlyTheFilesBand) {
    add(qso(1, "OLD144", "JN76TO"));
    QsoRecord old432 = qso(9, "OLD432", "JN76TO");
    old432.Band = "432 MHz";
    add(old432);
    // The rules cursor shows 144 MHz; the file is for 432 MHz.
    ContestFile::setBandRange(contest.tekmovanjeTable, "144 MHz");
    ASSERT_TRUE(importBytes(crlf(ownLines())).ok);
    EXPECT_EQ(band("144 MHz").size(), 1u);
    const auto rows = band("432 MHz");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Call, "S57A");
    EXPECT_EQ(contest.tekmovanjeTable.recordCount(), 1); // its range is kept
}

TEST_F(EdiImportTest, OptionalValuesKeepWhatWasThere) {
    QStringList l = ownLines();
    l[7] = "PAdr2=";
    l[14] = "RAdr2=";
    l[23] = "SPowe=";
    l[26] = "SAntH=15";
    contest.header.bands[3].SPowe = "750";
    ASSERT_TRUE(importBytes(crlf(l)).ok);
    EXPECT_EQ(contest.header.PAdr2, "Ljubljana");
    EXPECT_EQ(contest.header.RAdr2, "Town");
    EXPECT_EQ(contest.header.bands[3].SPowe, "750");
    EXPECT_EQ(contest.header.bands[3].HeightAboveGround, "15");
    EXPECT_EQ(contest.header.bands[3].HeightAboveSea, "");
    // A second import adds the two operator lines again, the empty one too.
    l[21] = "MOpe2=";
    ASSERT_TRUE(importBytes(crlf(l)).ok);
    EXPECT_EQ(contest.header.operatorLines(), QStringList({"S51B", "S52C", "S51B", ""}));
}

TEST_F(EdiImportTest, BadFilesChangeNothingAndNameTheLine) {
    QStringList shortCount = ownLines();
    shortCount[39] = "[QSORecords;5]";
    QStringList noRecords = ownLines().mid(0, 39);
    QStringList lowerKey = ownLines();
    lowerKey[20] = "Mope1=S51B";
    QStringList unknownBand = ownLines();
    unknownBand[9] = "PBand=7 MHz";
    QStringList semicolon = ownLines();
    semicolon[40] = "260502;1405;S5;7A;2;599;001;599;007;;JN76TO;;;N;;";
    QStringList badCount = ownLines();
    badCount[39] = "[QSORecords;two]";
    QStringList badDate = ownLines();
    badDate[41] = "260231;1410;9A1A;1;59;002;59;012;;JN85AA;0;;;;";
    QStringList badTime = ownLines();
    badTime[41] = "260502;2460;9A1A;1;59;002;59;012;;JN85AA;0;;;;";
    QStringList twice = ownLines();
    twice[41] = twice[40];
    QStringList longLine = ownLines();
    longLine[40] = QString(200000, 'A');
    QStringList longKey = ownLines();
    longKey[1] = "TName=" + QString(100000, 'x');
    longKey[4] = QString(100000, 'y');

    struct Case {
        const char* what;
        QByteArray bytes;
        int line;
        QString message;
    };
    const QString prefix = "Error: file in.edi is not an vaild edi file (line";
    const std::vector<Case> cases{
        {"empty file", "", 1, prefix + "1 must be '[REG1TEST;1]')"},
        {"binary", QByteArray("\x00\x01\xFF\xFE garbage\n\x7F", 14), 1,
         prefix + "1 must be '[REG1TEST;1]')"},
        {"wrong line 1", "[REG1TEST;2]\r\nTName=x\r\n", 1, prefix + "1 must be '[REG1TEST;1]')"},
        {"lower-case key", crlf(lowerKey), 21, prefix + "21 must be 'MOpe1=')"},
        {"unknown band", crlf(unknownBand), 10, prefix + "10 must be 'Unknown frequency 7 MHz')"},
        {"header ends", crlf(ownLines().mid(0, 20)), 21, prefix + "21 must be 'MOpe1=')"},
        {"no record line", crlf(noRecords), 40, prefix + "40 must be '[QSORecords;')"},
        {"count too large", crlf(shortCount), 43,
         prefix + "43: QSO line missing: the file announces 5 QSO's and holds 2)"},
        {"count too large, no closing line", crlf(shortCount.mid(0, 42)), 43,
         prefix + "43: QSO line missing: the file announces 5 QSO's and holds 2)"},
        {"count not a number", crlf(badCount), 40,
         prefix + "40: 'two' is not a valid number of QSO's)"},
        {"semicolon in a field", crlf(semicolon), 41,
         prefix + "41: '7A' is not a valid mode code)"},
        {"bad date", crlf(badDate), 42, prefix + "42: '260231' is not a valid date)"},
        {"bad time", crlf(badTime), 42, prefix + "42: '2460' is not a valid time)"},
        {"repeated QSO", crlf(twice), 42, prefix + "42: the same QSO as line 41)"},
        {"very long QSO line", crlf(longLine), 41,
         prefix + "41: '" + QString(40, 'A') + "...' is not a valid date)"},
        {"very long header line", crlf(longKey), 5, prefix + "5 must be 'PWWLo=')"},
    };
    add(qso(1, "KEEP", "JN76TO"));
    QsoRecord keep432 = qso(2, "KEEP4", "JN76TO");
    keep432.Band = "432 MHz";
    add(keep432);
    const ContestHeader before = contest.header;
    for (const Case& c : cases) {
        const auto r = importBytes(c.bytes);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.line, c.line) << c.what;
        EXPECT_EQ(r.message, c.message) << c.what;
        EXPECT_EQ(band("432 MHz").size(), 1u) << c.what;
        EXPECT_EQ(band("144 MHz").size(), 1u) << c.what;
        EXPECT_EQ(contest.header.TName, before.TName) << c.what;
        EXPECT_EQ(contest.header.Operators, before.Operators) << c.what;
        EXPECT_FALSE(contest.header.bands[3].Band) << c.what;
    }
    const auto missing = EdiImport::importFile(contest, dir.filePath("nothing.edi"));
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.message.contains("nothing.edi"));
}

TEST_F(EdiImportTest, ToleratesWhatOtherLoggersWrite) {
    // LF line ends, a byte-order mark and blank and "#" lines before the first line, blanks
    // around numbers, a four-digit year, missing fields, a code above 9, "012/" as a number,
    // an empty record, no closing line.
    QStringList l = ownLines();
    l[40] = "20260502; 1405 ;S57A; 2 ;599; 001 ;599;007 ;;JN76TO";
    l[41] = "260502;1410;9A1A;12;59;;59;012/;;JN85AA;5";
    l.removeLast();
    l[39] = "[QSORecords;3]";
    l.insert(40, " ;;;;;;;;;;;;;;"); // an empty record
    const QByteArray bytes = "\xEF\xBB\xBF\n# exported by hand\n   \n" + (l.join('\n')).toLatin1();
    const auto r = importBytes(bytes);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.qsoCount, 2);
    const auto rows = band("432 MHz");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].Date, QDate(2026, 5, 2));
    EXPECT_EQ(rows[1].Time, QTime(14, 5));
    EXPECT_EQ(rows[1].Mode, "CW");
    EXPECT_EQ(rows[1].Sent_QSO_number, 1);
    EXPECT_EQ(rows[1].Received_QSO_number, 7);
    EXPECT_EQ(rows[1].New_WWL, "");
    EXPECT_EQ(rows[0].Mode, "NONE");
    EXPECT_EQ(rows[0].Sent_QSO_number, 0);
    EXPECT_EQ(rows[0].QSO_points, 5);
    EXPECT_EQ(rows[0].Received_QSO_number, 12);
}

TEST_F(EdiImportTest, HeaderLinesLeftOutOrReorderedByOtherLoggers) {
    // RCall before RName, no PExch, PAdr2 or totals, "LSoft=", no remarks section.
    QStringList l = ownLines();
    l.swapItemsAt(11, 12);
    for (int i : {38, 37, 33, 32, 30, 29, 28, 27, 7, 5})
        l.removeAt(i);
    l.insert(3, "LSoft=Other Logger 2.0");
    contest.header.PAdr2 = "Kept";
    contest.header.bands[3].Comments = "Kept too";
    const auto r = importBytes(crlf(l));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(contest.header.RName, "Bojan");
    EXPECT_EQ(contest.header.RCall, "S51B");
    EXPECT_EQ(contest.header.PAdr2, "Kept");
    EXPECT_EQ(contest.header.bands[3].Comments, "Kept too");
    EXPECT_EQ(contest.header.bands[3].PSect, "MULTI");
    EXPECT_EQ(r.qsoCount, 2);

    // Without a band the file cannot be placed.
    QStringList noBand = ownLines();
    noBand.removeAt(9);
    const auto refused = importBytes(crlf(noBand));
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message,
              "Error: file in.edi is not an vaild edi file (line37 must be 'PBand=')");
}

TEST_F(EdiImportTest, BandDesignationsOfOtherLoggers) {
    struct Case {
        const char* value;
        const char* band;
    };
    const std::vector<Case> cases{{"144 MHz", "144 MHz"},
                                  {"145 MHz", "144 MHz"},
                                  {"145", "144 MHz"},
                                  {"144", "144 MHz"},
                                  {"435 MHz", "432 MHz"},
                                  {"430 MHz", "432 MHz"},
                                  {"432MHz", "432 MHz"},
                                  {"432", "432 MHz"},
                                  {"1.3 GHz", "1,3 GHz"},
                                  {"1,3 GHz", "1,3 GHz"},
                                  {"1296", "1,3 GHz"},
                                  {"10 GHz", "10 GHz"},
                                  {"50", "50 MHz"},
                                  {"7 MHz", ""},
                                  {"2m", ""},
                                  {"", ""},
                                  {"144 mhz", "144 MHz"},
                                  {"999 GHz", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(EdiReader::BandOfDesignation(c.value), c.band) << c.value;
}

TEST_F(EdiImportTest, RoundTripOfEveryCodedMode) {
    const QStringList modes{"SSB", "CW", "S/C", "C/S", "AM", "FM", "RTTY", "SSTV", "ATV", "PKT"};
    int nr = 1;
    for (const QString& mode : modes) {
        QsoRecord q = qso(nr, "S5" + QString::number(nr) + "AB", "JN86AH", mode);
        q.Date = QDate(2026, 5, nr % 2 ? 2 : 3);
        q.Time = QTime(nr, 2 * nr);
        q.Sent_RST = mode == "CW" ? "599" : "59";
        q.Received_RST = "57";
        q.Received_QSO_number = 100 * nr;
        q.Received_Exchange = "EX" + QString::number(nr);
        q.New_Exchange = nr % 2 ? "E" : "";
        q.New_DXCC = nr % 3 ? "" : "D";
        q.Duplicate_QSO = nr == 4 ? "D" : "";
        q.QSO_points = nr == 4 ? 0 : q.QSO_points;
        add(q);
        ++nr;
    }
    const QString file = dir.filePath("round.edi");
    ASSERT_TRUE(EdiExport::exportBand(contest, "144 MHz", file).ok);
    const auto original = band("144 MHz");

    QTemporaryDir other;
    ContestFile fresh;
    ASSERT_TRUE(fresh.create(other.filePath("new.vhf")));
    ASSERT_TRUE(fresh.open(other.filePath("new.vhf")));
    const auto r = EdiImport::importFile(fresh, file);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.qsoCount, int(modes.size()));
    LogCursor c;
    c.setTable(fresh.folder(), fresh.tableName());
    c.open();
    ContestFile::setBandRange(c, "144 MHz");
    const auto back = c.rows();
    ASSERT_EQ(back.size(), original.size());
    for (size_t i = 0; i < back.size(); ++i) {
        const QsoRecord& a = original[i];
        const QsoRecord& b = back[i];
        EXPECT_EQ(b.Date, a.Date);
        EXPECT_EQ(b.Time, a.Time);
        EXPECT_EQ(b.Call, a.Call);
        EXPECT_EQ(b.Mode, a.Mode == "PKT" ? "NONE" : a.Mode);
        EXPECT_EQ(b.Band, a.Band);
        EXPECT_EQ(b.Sent_RST, a.Sent_RST);
        EXPECT_EQ(b.Sent_QSO_number, a.Sent_QSO_number);
        EXPECT_EQ(b.Received_RST, a.Received_RST);
        EXPECT_EQ(b.Received_QSO_number, a.Received_QSO_number);
        EXPECT_EQ(b.Received_Exchange, a.Received_Exchange);
        EXPECT_EQ(b.Received_WWL, a.Received_WWL);
        EXPECT_EQ(b.QSO_points, a.QSO_points);
        EXPECT_EQ(b.QSO_distance, a.QSO_distance);
        EXPECT_EQ(b.New_Exchange, a.New_Exchange);
        EXPECT_EQ(b.New_WWL, a.New_WWL);
        EXPECT_EQ(b.New_DXCC, a.New_DXCC);
        EXPECT_EQ(b.Duplicate_QSO, a.Duplicate_QSO);
    }
    // The header comes back too, and so does the file itself.
    EXPECT_EQ(fresh.header.TName, contest.header.TName);
    EXPECT_EQ(fresh.header.TDateStart, contest.header.TDateStart);
    EXPECT_EQ(fresh.header.PWWL, contest.header.PWWL);
    EXPECT_EQ(fresh.header.bands[2].HeightAboveSea, "350");
    const QString again = other.filePath("again.edi");
    ASSERT_TRUE(EdiExport::exportBand(fresh, "144 MHz", again).ok);
    EXPECT_EQ(readAll(again), readAll(file));
}

TEST_F(EdiImportTest, RealLogsFromOtherLoggers) {
    struct Case {
        const char* file;
        const char* band;
        int qsos;
    };
    const std::vector<Case> cases{{"LZ1DAF_144.edi", "144 MHz", 1},
                                  {"LZ1ZB_1296.edi", "1,3 GHz", 3},
                                  {"yo4fzx_20160508_205412.edi", "144 MHz", 7}};
    for (const Case& c : cases) {
        const auto r = EdiImport::importFile(contest, fixture(QString("edi/") + c.file));
        ASSERT_TRUE(r.ok) << c.file << ": " << r.message.toStdString();
        EXPECT_EQ(r.band, c.band) << c.file;
        EXPECT_EQ(int(band(c.band).size()), r.qsoCount) << c.file;
        EXPECT_EQ(r.qsoCount, c.qsos) << c.file;
    }
}

TEST_F(EdiImportTest, SharedTestLogsImportOrNameTheFaultyLine) {
    const QString root = QStringLiteral(OSTRELOG_SHARED_TESTDATA) + "/edi";
    if (!QFileInfo::exists(root)) GTEST_SKIP() << "no shared test data";
    int imported = 0;
    QMap<QString, int> refused;
    QDirIterator it(root, {"*.edi", "*.EDI"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString name = QFileInfo(file).fileName();
        const auto r = EdiReader::Read(readAll(file), name, ContestHeader());
        if (r.ok) {
            ++imported;
            EXPECT_FALSE(r.band.isEmpty());
            continue;
        }
        // A log that is refused is told why, at its line: a key not spelt as ours, or QSO lines
        // that do not match the record count or hold no number where one belongs.
        EXPECT_GT(r.line, 0) << name.toStdString();
        EXPECT_TRUE(r.message.startsWith("Error: file " + name + " is not an vaild edi file (line" +
                                         QString::number(r.line)))
            << r.message.toStdString();
        EXPECT_FALSE(r.message.contains("Unknown frequency")) << r.message.toStdString();
        const bool key = r.message.contains(" must be '");
        if (qEnvironmentVariableIsSet("EDI_LIST_REFUSED"))
            std::cout << r.message.toStdString() << "\n";
        ++refused[key ? "key" : "QSO line"];
    }
    EXPECT_GE(imported, 75);
    std::cout << imported << " imported; refused: " << refused["key"] << " for a key, "
              << refused["QSO line"] << " for a QSO line\n";
}

} // namespace
