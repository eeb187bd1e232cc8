#include "common/TestSupport.h"
#include "library/CallLibrary.h"
#include "library/SearchFixture.h"

#include <gtest/gtest.h>

TEST(ToolLibraryTest, ImportThenPartialSearch) {
    SearchFixture f;
    f.qso("Q51ABC", "144 MHz", 1, 100, "JN76TO", 11);
    f.qso("Q51ABC", "432 MHz", 1, 100, "JN76TO", 21);
    f.qso("Q59ZZ", "144 MHz", 2, 100, "JN65AA", 12);
    f.contest.close();
    const QString home = f.dir.filePath("home");
    const QString lib = f.dir.filePath("lib.vhf");
    writeAll(lib, libraryText({libraryLine("Q51ABC", "JN76TO", "JN76TP", "1100000"),
                               libraryLine("Q51ABD", "JN75XX", "", "0010000"),
                               libraryLine("Q52XY", "", "", "1000000"), ""}));

    ToolResult r = runTool({"library-import", lib}, home);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines(), QStringList({"3"}));

    r = runTool({"partial", f.dir.filePath("test.vhf"), "--band", "144 MHz", "Q51ABC/P"}, home);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines(),
              QStringList({"dupe=1", "dupe_call=Q51ABC", "dupe_sent=1", "dupe_rcvd=11",
                           "list=Q51ABC=1", "locators=JN76TO,JN76TP",
                           "library_bands=001100000000000", "worked_bands=001100000000000"}));

    // The QSO being edited (its own number) is no dupe; other matches are listed.
    r = runTool({"partial", f.dir.filePath("test.vhf"), "--band", "2m", "--number", "1", "q51"},
                home);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines().mid(0, 5), QStringList({"dupe=0", "dupe_call=", "dupe_sent=0",
                                                "dupe_rcvd=0", "list=Q51ABC=1,Q51ABD=3"}));
}

TEST(ToolLibraryTest, BadInputIsRefused) {
    QTemporaryDir dir;
    const QString lib = dir.filePath("bad.vhf");
    writeAll(lib, "not a library\r\n");
    ToolResult r = runTool({"library-import", lib}, dir.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("is not an vaild edi file")) << r.err.toStdString();
    EXPECT_EQ(runTool({"library-import", dir.filePath("none.vhf")}, dir.path()).exitCode, 2);
    EXPECT_EQ(runTool({"partial", lib, "Q51ABC"}, dir.path()).exitCode, 2);
    EXPECT_EQ(runTool({"partial", lib, "--band", "9 GHz", "Q51ABC"}, dir.path()).exitCode, 2);
}
