#include "common/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CoreTool, BandAndQrbAnswerOnTheCommandLine) {
    QTemporaryDir home;
    ToolResult r = runTool({"band", "145500"}, home.path());
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines(),
              QStringList({"Band: 144 MHz", "Position: 3", "Default: 144300", "FMChannel: 40"}));
    r = runTool({"band", "150000"}, home.path());
    EXPECT_EQ(r.exitCode, 1);
    r = runTool({"band", "abc"}, home.path());
    EXPECT_EQ(r.exitCode, 2);

    r = runTool({"qrb", "jn76to", "JN76TO"}, home.path());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.lines(), QStringList({"Distance: 1", "Azimuth: 0", "Multiplier: 1"}));
    r = runTool({"qrb", "JN76TO", "JN7?TO"}, home.path());
    EXPECT_EQ(r.lines(), QStringList({"Distance: 1", "Azimuth: 361", "Multiplier: 0"}));
    r = runTool({"qrb", "JN76TO"}, home.path());
    EXPECT_EQ(r.exitCode, 2);
}
