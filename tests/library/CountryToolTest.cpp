#include "common/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CountryTool, CallShowsBaseCallPrefixAndCountry) {
    QTemporaryDir home;
    ToolResult r = runTool({"call", "oe/s51abc/p"}, home.path());
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines(),
              QStringList({"BaseCall: S51ABC", "Prefix: OE0", "Digit: 0", "Country: OE"}));
    r = runTool({"call", "S51ABC", "--table", home.filePath("none.dat")}, home.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Cannot open"));
}

TEST(CountryTool, CountryTableFromCtyDat) {
    QTemporaryDir home;
    const QString cty = home.filePath("cty.dat");
    writeAll(cty, "Qland:  15:  28:  EU:   46.00:   -14.00:    -1.0:  Q5:\r\n"
                  "    Q5,Q50(15)[28],=Q5ABC/LH;\r\n"
                  "Other:  15:  28:  EU:   46.00:   -14.00:    -1.0:  *QX:\r\n"
                  "    QX;\r\n");
    const QString table = home.filePath("Country.dat");
    ToolResult r = runTool({"country-table", cty, table}, home.path());
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines(), QStringList({"Prefixes: 3"}));
    EXPECT_EQ(readAll(table), "Prefix\tBasePrefix\tIARU_Approved\tCountry\r\n"
                              "Q5\tQ5\t1\tQland\r\n"
                              "Q50\tQ5\t1\tQland\r\n"
                              "QX\tQX\t0\tOther\r\n");
    r = runTool({"call", "Q501AB", "--table", table}, home.path());
    EXPECT_TRUE(r.lines().contains("Country: Q5"));
    // A table in the home folder takes the place of the shipped one.
    writeAll(home.filePath("Country.dat"), readAll(table));
    r = runTool({"call", "QX1AB"}, home.path());
    EXPECT_TRUE(r.lines().contains("Country: ")) << r.out.toStdString(); // QX is not approved
    r = runTool({"country", "Q501AB"}, home.path());
    EXPECT_EQ(r.out, "Q5\n");

    writeAll(cty, "nonsense");
    r = runTool({"country-table", cty, table}, home.path());
    EXPECT_EQ(r.exitCode, 1);
}
