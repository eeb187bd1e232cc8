#include "common/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CoreTool, RuleCommandsPrintOneLine) {
    QTemporaryDir home;
    // A table of its own, so that the answer does not follow the shipped data.
    const QString table = home.filePath("table.dat");
    writeAll(table, "Prefix\tBasePrefix\tIARU_Approved\tCountry\r\n"
                    "Q5\tQ5\t1\tQland\r\n"
                    "Q51\tQ51\t1\tQ-one Island\r\n"
                    "QE\tQE\t1\tQeland\r\n"
                    "QX\tQX\t0\tNowhere\r\n");
    const struct {
        QStringList args;
        const char* line;
    } cases[] = {
        {{"qrb", "JN76TO", "JN76TO"}, "1 0"},
        {{"qrb", "JN76TO", "JN76"}, "1 361"},
        {{"qrb", "JN76TO", "JN7?TO"}, "1 361"},
        {{"qrb", "JN76TO", "JN76TP"}, "5 0"},
        {{"qrb", "JN76TO", "IO91WM"}, "1268 301"},
        {{"qrb", "jn76to", "io91wm"}, "1268 301"},
        {{"qrb", "JN76TO", "JNX6TO"}, "1 361"}, // a letter where a digit belongs
        {{"qrb", "", ""}, "1 361"},
        {{"band", "145500"}, "144 MHz"},
        {{"band", "54000"}, "50 MHz"},
        {{"band", "54000.5"}, ""},
        {{"band", "1296200"}, "1,3 GHz"},
        {{"band", "120000000"}, "120 GHz"},
        {{"band", "0"}, ""},
        {{"band", "-144300"}, ""},
        {{"band", "nan"}, ""},
        {{"basecall", "Q7/Q1ABC/P"}, "Q1ABC"},
        {{"basecall", "AB/CDE"}, "CDE"},
        {{"basecall", "q1abc/p"}, "Q1ABC"},
        {{"basecall", "/P"}, "P"},
        {{"prefix", "QE/Q51ABC"}, "QE0 0"},
        {{"prefix", "Q51ABC/4"}, "Q54 4"},
        {{"prefix", "Q3ABC/4"}, "Q4 4"},
        {{"prefix", "Q51ABC/AB"}, "AB0 0"},
        {{"prefix", "Q51ABC/QRP"}, "Q51 1"},
        {{"prefix", "q51abc"}, "Q51 1"},
        {{"country", "Q51ABC", "--table", table}, "Q51"},
        {{"country", "Q52ABC", "--table", table}, "Q5"},
        {{"country", "QE/Q51ABC", "--table", table}, "QE"},
        {{"country", "QX1AB", "--table", table}, ""},
        {{"country", "ZZ1ZZ", "--table", table}, ""},
    };
    for (const auto& c : cases) {
        const ToolResult r = runTool(c.args, home.path());
        EXPECT_EQ(r.exitCode, 0) << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(r.out.toStdString(), std::string(c.line) + "\n")
            << c.args.join(' ').toStdString();
    }
}

TEST(CoreTool, RuleCommandsRefuseBadArguments) {
    QTemporaryDir home;
    const QList<QStringList> usage = {
        {"band", "abc"}, {"band"},   {"band", "1", "2"}, {"qrb", "JN76TO"},
        {"basecall"},    {"prefix"}, {"country"},        {"qrb", "JN76TO", "JN76TO", "X"},
    };
    for (const QStringList& args : usage)
        EXPECT_EQ(runTool(args, home.path()).exitCode, 2) << args.join(' ').toStdString();
    const ToolResult r =
        runTool({"country", "Q5", "--table", home.filePath("none.dat")}, home.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Cannot open")) << r.err.toStdString();
}

TEST(CoreTool, CountryUsesTheShippedTable) {
    QTemporaryDir home; // no table of its own: the shipped one answers
    ToolResult r = runTool({"country", "s51abc"}, home.path());
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "S5\n");
    r = runTool({"country", "OE/S51ABC/P"}, home.path());
    EXPECT_EQ(r.out, "OE\n");
}
