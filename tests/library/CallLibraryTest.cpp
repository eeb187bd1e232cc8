#include "library/CallLibrary.h"
#include "common/TestSupport.h"
#include "library/SearchFixture.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
// "CALL WWL QRV" per record.
QStringList records(const std::vector<LibraryRecord>& rs) {
    QStringList out;
    for (const LibraryRecord& r : rs)
        out << r.Call + " " + r.WWL + " " + QString::number(r.QRV);
    return out;
}
} // namespace

TEST(LibraryFileTest, StationLinesGiveRecords) {
    struct Case {
        const char* what;
        QStringList stations;
        QStringList expected;
        int stationCount;
    };
    const std::vector<Case> cases{
        {"two locators give two records with one QRV",
         {libraryLine("Q51ABC", "JN76TO", "JN75AB", "1100000")},
         {"Q51ABC JN76TO 6144", "Q51ABC JN75AB 6144"},
         1},
        {"digits are weighted: 2 in the first column is the 70 MHz bit",
         {libraryLine("Q52X", "JN65AA", "", "2000000")},
         {"Q52X JN65AA 8192"},
         1},
        {"every flag column",
         {libraryLine("Q53Y", "", "JN86CC", "1111111")},
         {"Q53Y JN86CC 8128"},
         1},
        {"a station without locators adds nothing but counts",
         {libraryLine("Q54Z", "", "", "1000000"), libraryLine("Q55Z", "JN76AA", "", "0000001")},
         {"Q55Z JN76AA 64"},
         2},
        {"trailing blank lines are no stations",
         {libraryLine("Q56A", "JN76AB", "", "1000000"), "", "   ", ""},
         {"Q56A JN76AB 4096"},
         1},
        {"a value ends at the first space of its column",
         {libraryLine("Q57B X", "JN76AB x", "", "0100000")},
         {"Q57B JN76AB 2048"},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int lastProgress = 0;
        const LibraryFile::Parsed p =
            LibraryFile::parse(libraryText(c.stations), "x.vhf", [&](int k) { lastProgress = k; });
        ASSERT_TRUE(p.ok) << p.error.toStdString();
        EXPECT_EQ(records(p.records), c.expected);
        EXPECT_EQ(p.stations, c.stationCount);
        EXPECT_EQ(lastProgress, c.stationCount);
    }
    EXPECT_EQ(LibraryFile::importedText(3), "Imported 3 QSOs to Library!");
}

TEST(LibraryFileTest, BadFilesAreRefused) {
    const LibraryFile::Parsed wrong =
        LibraryFile::parse("CALL UL1 UL2\r\n\r\nQ51ABC        JN76TO        ", "/tmp/a.vhf");
    EXPECT_FALSE(wrong.ok);
    EXPECT_EQ(wrong.error, "Error: file /tmp/a.vhf is not an vaild edi file (line1 must be "
                           "'Napacna vrstica 1!')");

    const LibraryFile::Parsed badFlag =
        LibraryFile::parse(libraryText({libraryLine("Q51A", "JN76TO", "", "1000000"),
                                        libraryLine("Q51B", "JN76TO", "", "10x0000")}),
                           "b.vhf");
    EXPECT_FALSE(badFlag.ok);
    EXPECT_EQ(badFlag.errorLine, 4);
    EXPECT_EQ(badFlag.error, "Line 4: 'x' is not a valid integer value");

    // Flags missing altogether are not digits either.
    const LibraryFile::Parsed shortLine =
        LibraryFile::parse(libraryText({"Q51A          JN76TO"}), "c.vhf");
    EXPECT_FALSE(shortLine.ok);
    EXPECT_EQ(shortLine.errorLine, 3);
}

TEST(CallLibraryTest, MissingTableIsCreatedEmptyAndImportKeepsCallOrder) {
    QTemporaryDir dir;
    CallLibrary lib;
    ASSERT_TRUE(lib.attach(dir.path()));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("vhfmstr.dat")));
    EXPECT_EQ(lib.size(), 0);

    const QString path = dir.filePath("in.vhf");
    writeAll(path, libraryText({libraryLine("Q59Z", "JN76AA", "", "1000000"),
                                libraryLine("q51abc", "jn76to", "JN75AB", "1100000"),
                                libraryLine("Q51AB/P", "JN65XX", "", "0010000")}));
    const CallLibrary::ImportResult r = lib.importFile(path);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.stations, 3);
    ASSERT_EQ(lib.size(), 4);
    // Ascending callsign order, one station's records together in file order.
    EXPECT_EQ(lib.record(1).Call, "Q51AB/P");
    EXPECT_EQ(lib.record(2).Call, "Q51ABC");
    EXPECT_EQ(lib.record(2).WWL, "JN76TO");
    EXPECT_EQ(lib.record(3).WWL, "JN75AB");
    EXPECT_EQ(lib.record(3).QRV, 6144);
    EXPECT_EQ(lib.record(4).Call, "Q59Z");
    EXPECT_EQ(lib.find(QString("Q51ABC")), 1);
    EXPECT_EQ(lib.find(QString("Q51")), -1);
    EXPECT_EQ(lib.baseAt(0), "Q51AB");
    EXPECT_EQ(lib.suffixAt(1), "ABC");

    // The table holds the same, readable by record number, and a fresh attach agrees.
    const std::vector<LibraryRecord> table = CallLibrary::readTable(dir.path());
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[1].Call, "Q51ABC");
    CallLibrary again;
    ASSERT_TRUE(again.attach(dir.path()));
    EXPECT_EQ(again.record(3).WWL, "JN75AB");
}

// A wrong file used to leave the library empty; it now leaves it as it was.
TEST(CallLibraryTest, FailedImportLeavesThePreviousLibrary) {
    SearchFixture f;
    ASSERT_TRUE(f.importStations({libraryLine("Q51ABC", "JN76TO", "", "1000000")}).ok);
    const int generation = f.library.generation();

    const QString wrong = f.dir.filePath("wrong.vhf");
    writeAll(wrong, "Napacna\r\n\r\n" + libraryLine("Q9NEW", "JN76AA", "", "1000000").toLatin1());
    CallLibrary::ImportResult r = f.library.importFile(wrong);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.startsWith("Error: file " + wrong + " is not an vaild edi file"));

    r = f.importStations({libraryLine("Q9NEW", "JN76AA", "", "1000000"),
                          libraryLine("Q9BAD", "JN76AA", "", "1a00000")});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Line 4: 'a' is not a valid integer value");

    EXPECT_EQ(f.library.generation(), generation);
    ASSERT_EQ(f.library.size(), 1);
    EXPECT_EQ(f.library.record(1).Call, "Q51ABC");
    CallLibrary fresh;
    ASSERT_TRUE(fresh.attach(f.dir.path()));
    ASSERT_EQ(fresh.size(), 1);
    EXPECT_EQ(fresh.record(1).Call, "Q51ABC");
}

TEST(CallLibraryTest, FolderFollowsTheBackupCopy) {
    EXPECT_EQ(CallLibrary::folderFor("/home/op/", "/backup/", false), "/home/op/");
    EXPECT_EQ(CallLibrary::folderFor("/home/op/", "/backup/", true), "/backup/");
}

TEST(CallLibraryTest, ShippedSampleAndGeneratedLibrariesImport) {
    QTemporaryDir dir;
    CallLibrary lib;
    ASSERT_TRUE(lib.attach(dir.path()));
    const QString data = QStringLiteral(OSTRELOG_DATA_DIR);
    CallLibrary::ImportResult r = lib.importFile(data + "/sample-library.vhf");
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_GT(r.stations, 10);

    // The generator turns a callsign list into a library: comments and blank lines skipped,
    // one or two locators per station, 144 MHz always among its bands.
    const QString scp = dir.filePath("MASTER.SCP");
    writeAll(scp, "# Release\n#\nQ51ABC\nQ52DEF\n\nQ53GHI/P\nTOOLONGCALLSIGN1\n");
    const QString out = dir.filePath("gen.vhf");
    QProcess gen;
    gen.start("bash", {data + "/../tools/make-library", scp, out});
    ASSERT_TRUE(gen.waitForFinished(30000));
    ASSERT_EQ(gen.exitCode(), 0) << gen.readAllStandardError().toStdString();
    r = lib.importFile(out);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.stations, 3);
    for (int n = 1; n <= lib.size(); ++n) {
        const LibraryRecord rec = lib.record(n);
        SCOPED_TRACE(rec.Call.toStdString());
        EXPECT_TRUE(QRegularExpression("^[A-R]{2}[0-9]{2}[A-X]{2}$").match(rec.WWL).hasMatch());
        EXPECT_TRUE(rec.QRV & 4096);
    }
}
