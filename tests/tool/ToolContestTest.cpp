#include "common/TestSupport.h"
#include "log/ContestFile.h"
#include "platform/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct ToolContestTest : ::testing::Test {
    QTemporaryDir dir;
    QString vhf = dir.filePath("c.vhf");
    QString home = dir.filePath("home");
    ToolResult tool(const QStringList& args) { return runTool(args, home); }
    void makeContest() {
        ASSERT_EQ(tool({"new", vhf, "--call", "q9abc", "--locator", "jn75ds", "--bands",
                        "144 MHz;432 MHz;1,3 GHz", "--type", "1", "--name", "Marathon", "--rcity",
                        "Ljubljana", "--power", "100"})
                      .exitCode,
                  0);
    }
};
} // namespace

TEST_F(ToolContestTest, NewWritesTheHeaderAndInfoCountsQsosPerBand) {
    makeContest();
    IniFile ini(vhf);
    EXPECT_EQ(ini.readString("General", "PCall"), "Q9ABC");
    EXPECT_EQ(ini.readString("General", "PWWL"), "JN75DS");
    EXPECT_EQ(ini.readString("General", "ContestType"), "1");
    EXPECT_EQ(ini.readString("General", "TName"), "Marathon");
    EXPECT_EQ(ini.readString("ResponsibleOperator", "RCity"), "Ljubljana");
    for (int n : {3, 4, 5}) {
        EXPECT_EQ(ini.readString(ContestHeader::bandSection(n), "Band"), "1") << n;
        EXPECT_EQ(ini.readString(ContestHeader::bandSection(n), "SPowe"), "100") << n;
    }
    EXPECT_EQ(ini.readString("EquipementBand1", "Band"), "0");

    for (const auto& [band, call] :
         {std::pair{"144 MHz", "Q1A"}, {"1,3 GHz", "Q1B"}, {"144 MHz", "Q1C"}})
        ASSERT_EQ(tool({"add", vhf, "--band", band, "--mode", "SSB", "--call", call, "--rcvd-nr",
                        "1", "--locator", "JN76TO", "--date", "2026-05-02", "--time", "10:00"})
                      .exitCode,
                  0);
    const ToolResult info = tool({"info", vhf});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_EQ(info.lines(), QStringList({"Version=Ostrelog V1.0", "TableVersion=1.01", "144 MHz=2",
                                         "1,3 GHz=1"}));

    const ToolResult header = tool({"header", vhf});
    EXPECT_EQ(header.lines().first(), "TName=Marathon");
    EXPECT_TRUE(header.lines().contains("EquipementBand5.Band=1"));
}

TEST_F(ToolContestTest, ListPrintsColumnsAndRowsTabSeparated) {
    makeContest();
    ASSERT_EQ(tool({"add", vhf, "--band", "432 MHz", "--mode", "CW", "--call", "Q1A", "--rcvd-nr",
                    "7", "--locator", "JN76TO", "--date", "2026-05-02", "--time", "10:07"})
                  .exitCode,
              0);
    const QStringList lines = tool({"list", vhf, "--band", "432 MHz"}).lines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].split('\t').size(), 25);
    EXPECT_TRUE(lines[0].startsWith("Date\tTime\tBand\tFreq\tSent_QSO_number\tCall"));
    const QStringList row = lines[1].split('\t');
    ASSERT_EQ(row.size(), 25);
    EXPECT_EQ(row[0], "2026-05-02");
    EXPECT_EQ(row[1], "10:07:00");
    EXPECT_EQ(row[2], "432 MHz");
    EXPECT_EQ(row[8], "599");
    EXPECT_EQ(tool({"list", vhf, "--band", "144 MHz"}).lines().size(), 1);
}

TEST_F(ToolContestTest, FailuresAndBadArguments) {
    makeContest();
    IniFile(vhf).writeString("Program", "TableVersion", "1.00");
    const ToolResult old = tool({"info", vhf});
    EXPECT_EQ(old.exitCode, 1);
    EXPECT_EQ(old.lines(), QStringList({"Sorry wrong table version. Please upgrade table!"}));

    struct Case {
        QStringList args;
    };
    const std::vector<Case> bad{
        {{"info"}},
        {{"info", dir.filePath("missing.vhf")}},
        {{"list", dir.path()}},
        {{"new", dir.filePath("n.vhf"), "--call", "Q9A", "--locator", "JN75DS", "--bands",
          "145 MHz"}},
        {{"new", dir.filePath("n.vhf"), "--call", "Q9A", "--locator", "JN75DS", "--bands",
          "144 MHz", "--type", "7"}},
        {{"new", dir.filePath("n.vhf"), "--locator", "JN75DS", "--bands", "144 MHz"}},
        {{"new", dir.filePath("nofolder/n.vhf"), "--call", "Q9A", "--locator", "JN75DS", "--bands",
          "144 MHz"}},
        {{"frobnicate"}},
    };
    for (const Case& c : bad) {
        const ToolResult r = tool(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("n.vhf")));
    EXPECT_FALSE(QFile::exists(dir.filePath("n.dat")));
}

TEST_F(ToolContestTest, RepairedTableIsToldAndListed) {
    makeContest();
    ContestFile c;
    ASSERT_TRUE(c.open(vhf));
    std::vector<QsoRecord> rows;
    for (int i = 1; i <= 1500; ++i)
        rows.push_back(QsoRecord::fromValues(
            {QDate(2026, 5, 2), QTime(10, 0), "144 MHz", "0", i, "Q9R" + QString::number(i)}));
    c.logTable.appendRecords(rows);
    c.close();
    const QByteArray full = readAll(ContestPaths::dat(vhf));
    writeAll(ContestPaths::dat(vhf), full.left(full.size() / 2));
    const ToolResult info = tool({"info", vhf});
    EXPECT_EQ(info.exitCode, 0);
    ASSERT_GE(info.lines().size(), 3);
    EXPECT_TRUE(info.lines()[0].startsWith("Table was corrupted, ")) << info.out.toStdString();
    EXPECT_TRUE(info.lines()[0].endsWith(" QSO's recovered"));
    EXPECT_EQ(info.lines()[1], "Version=Ostrelog V1.0");
}
