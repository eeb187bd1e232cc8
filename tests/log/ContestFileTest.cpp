#include "log/ContestFile.h"
#include "common/TestSupport.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct ContestFileTest : ::testing::Test {
    QTemporaryDir dir;
    RecordingPrompter prompter;
    QString vhf = dir.filePath("c.vhf");
    ContestFile contest;
    void SetUp() override {
        Platform::setPrompter(&prompter);
        ASSERT_TRUE(contest.create(vhf));
    }
    void TearDown() override { Platform::setPrompter(nullptr); }
};
} // namespace

TEST_F(ContestFileTest, NewContestHasProgramKeysAndReplacesOldFiles) {
    EXPECT_EQ(readAll(vhf), "[Program]\r\nVersion=Ostrelog V1.0\r\nTableVersion=1.01\r\n\r\n");
    ASSERT_TRUE(contest.open(vhf));
    contest.logTable.appendRecord(
        QsoRecord::fromValues({QDate(2026, 5, 2), QTime(14, 0), "144 MHz", "0", 1, "Q9A"}));
    contest.close();
    ContestFile again;
    ASSERT_TRUE(again.create(vhf));
    ASSERT_TRUE(again.open(vhf));
    EXPECT_EQ(again.searchTable.recordCount(), 0);
}

TEST_F(ContestFileTest, DescriptorWriteOrderAndNothingWhileClosed) {
    contest.writeDescriptor(); // not open: nothing
    EXPECT_EQ(IniFile(vhf).keys("Program"), QStringList({"Version", "TableVersion"}));
    ASSERT_TRUE(contest.open(vhf));
    contest.activeBand = 2;
    contest.activeMode = 1;
    contest.activeOperator = "Q9OP";
    contest.header.PCall = "Q9ABC";
    contest.header.bands[4].Band = true;
    contest.writeDescriptor();
    IniFile ini(vhf);
    EXPECT_EQ(ini.keys("Program"), QStringList({"Version", "TableVersion", "ActiveBand",
                                                "ActiveMode", "ActiveOperator"}));
    QStringList expected{"Program", "General", "ResponsibleOperator"};
    for (int n = 1; n <= 15; ++n)
        expected << "EquipementBand" + QString::number(n);
    EXPECT_EQ(ini.sections(), expected);
    EXPECT_EQ(ini.keys("EquipementBand5"),
              QStringList({"Band", "PSect", "SPowe", "RX", "TX", "SAnte", "HeightAboveGround",
                           "HeightAboveSea"}));
    EXPECT_EQ(ini.readString("EquipementBand5", "Band"), "1");
    ContestFile reopened;
    ASSERT_TRUE(reopened.open(vhf));
    EXPECT_EQ(reopened.activeBand, 2);
    EXPECT_EQ(reopened.activeOperator, "Q9OP");
    EXPECT_EQ(reopened.header.contestBandNumbers(), QList<int>({5}));
}

TEST_F(ContestFileTest, OpenFailuresTellTheOperatorAndLeaveNoContest) {
    struct Case {
        const char* what;
        std::function<void(const QString& vhf)> damage;
        QString message;
    };
    const std::vector<Case> cases{
        {"missing descriptor", [](const QString& v) { QFile::remove(v); }, ""},
        {"missing idx", [](const QString& v) { QFile::remove(ContestPaths::idx(v)); },
         "Error opening file!"},
        {"missing dat", [](const QString& v) { QFile::remove(ContestPaths::dat(v)); },
         "Error opening file!"},
        {"wrong version",
         [](const QString& v) { IniFile(v).writeString("Program", "Version", "Other V2"); },
         "Error opening file!"},
        {"old table",
         [](const QString& v) { IniFile(v).writeString("Program", "TableVersion", "1.00"); },
         "Sorry wrong table version. Please upgrade table!"},
        {"not an ini file", [](const QString& v) { writeAll(v, QByteArray(300, '\x01')); },
         "Error opening file!"},
        {"dat not a database",
         [](const QString& v) { writeAll(ContestPaths::dat(v), QByteArray(8192, 'z')); },
         "Unknown error!!"},
    };
    for (const Case& c : cases) {
        QTemporaryDir d;
        const QString v = d.filePath("x.vhf");
        ASSERT_TRUE(contest.create(v));
        const QByteArray datBefore = readAll(ContestPaths::dat(v));
        c.damage(v);
        const QByteArray datDamaged = readAll(ContestPaths::dat(v));
        prompter.messages.clear();
        EXPECT_FALSE(contest.open(v)) << c.what;
        EXPECT_FALSE(contest.isOpen()) << c.what;
        EXPECT_EQ(prompter.messages, c.message.isEmpty() ? QStringList() : QStringList{c.message})
            << c.what;
        EXPECT_EQ(readAll(ContestPaths::dat(v)), datDamaged) << c.what << ": written over";
    }
}

TEST_F(ContestFileTest, DamagedTableIsRepairedOnOpen) {
    ASSERT_TRUE(contest.open(vhf));
    std::vector<QsoRecord> rows;
    for (int i = 1; i <= 1500; ++i)
        rows.push_back(QsoRecord::fromValues(
            {QDate(2026, 5, 2), QTime(14, 0), "144 MHz", "0", i, "Q9R" + QString::number(i)}));
    contest.logTable.appendRecords(rows);
    contest.close();
    const QByteArray full = readAll(ContestPaths::dat(vhf));
    writeAll(ContestPaths::dat(vhf), full.left(full.size() / 2));
    ASSERT_TRUE(contest.open(vhf));
    ASSERT_EQ(prompter.messages.size(), 1);
    const int n = contest.searchTable.recordCount();
    EXPECT_GT(n, 0);
    EXPECT_EQ(prompter.messages[0],
              "Table was corrupted, " + QString::number(n) + " QSO's recovered");
}

TEST_F(ContestFileTest, SaveAsCopiesAndOpensTheCopy) {
    EXPECT_FALSE(contest.saveAs(dir.filePath("x.s5m"))); // no contest open: nothing
    EXPECT_FALSE(QFile::exists(dir.filePath("x.s5m")));
    ASSERT_TRUE(contest.open(vhf));
    contest.logTable.appendRecord(
        QsoRecord::fromValues({QDate(2026, 5, 2), QTime(14, 0), "144 MHz", "0", 1, "Q9A"}));
    EXPECT_FALSE(contest.saveAs(vhf)); // its own path: nothing
    EXPECT_EQ(contest.descriptorPath(), QFileInfo(vhf).absoluteFilePath());
    QTemporaryDir other;
    const QString copy = other.filePath("copy.s5m");
    ASSERT_TRUE(contest.saveAs(copy));
    EXPECT_EQ(QDir(other.path()).entryList(QDir::Files),
              QStringList({"copy.dat", "copy.idx", "copy.s5m"}));
    EXPECT_EQ(contest.descriptorPath(), copy);
    EXPECT_EQ(contest.searchTable.recordCount(), 1);
}

TEST_F(ContestFileTest, PeriodicBackupWritesBothCopies) {
    ASSERT_TRUE(contest.open(vhf));
    EXPECT_FALSE(contest.backup(dir.path())); // the contest's own folder
    EXPECT_FALSE(contest.backup(dir.filePath("missing")));
    QTemporaryDir backup;
    int between = 0;
    ASSERT_TRUE(contest.backup(backup.path(), [&] { ++between; }));
    EXPECT_EQ(between, 1);
    EXPECT_EQ(QDir(backup.path()).entryList(QDir::Files),
              QStringList({"c.dat", "c.idx", "c.vhf", "cTMP.dat", "cTMP.idx", "cTMP.vhf"}));
    ContestFile copy;
    EXPECT_TRUE(copy.open(backup.filePath("cTMP.vhf")));
}

TEST_F(ContestFileTest, MirrorIsUsedOnlyWhenItExistsElsewhere) {
    ASSERT_TRUE(contest.open(vhf));
    QTemporaryDir backup;
    contest.openMirror(backup.path());
    EXPECT_FALSE(contest.mirrorOpen());
    TableEngine::create(backup.filePath("VHFBaza.dat"));
    contest.openMirror(backup.path());
    EXPECT_TRUE(contest.mirrorOpen());
    TableEngine::create(dir.filePath("VHFBaza.dat"));
    contest.openMirror(dir.path());
    EXPECT_FALSE(contest.mirrorOpen());
}
