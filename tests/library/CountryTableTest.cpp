#include "common/TestSupport.h"
#include "library/Country.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
CountryTable sample() {
    return CountryTable({
        {"Q5", "Q5", true, "Qland"},
        {"Q51", "Q51", true, "Q-one Island"},
        {"QE", "QE", true, "Qeland"},
        {"Q7", "Q7X", false, "Unlisted"},
        {"Q", "Q", true, "Q anywhere"},
        {"QL", "QE", true, "Qeland"},
    });
}
} // namespace

TEST(CountryTable, LongestApprovedPrefixWins) {
    const CountryTable table = sample();
    const struct {
        const char* call;
        const char* base;
    } cases[] = {
        {"Q51ABC", "Q51"},                       // three characters beat two
        {"Q52ABC", "Q5"},   {"QE/Q51ABC", "QE"}, // the location prefix counts
        {"QL1ABC", "QE"},   {"Q71ABC", "Q"},     // Q7 is not approved
        {"Q51ABC/4", "Q5"},                      // "Q54" does not begin the call: looked up alone
        {"Q3ABC", "Q"},     {"ZZ1ZZ", ""},       // nothing matches: no country
        {"q51abc", ""},     {"", ""},            // prefixes compare case and all
        {"ZZ/Q51ABC", ""},                       // the location prefix alone is looked up
    };
    for (const auto& c : cases)
        EXPECT_EQ(table.basePrefix(c.call).toStdString(), c.base) << c.call;
    EXPECT_EQ(CountryBasePrefix(table, "Q51ABC"), "Q51");
    EXPECT_EQ(CountryTable().basePrefix("Q51ABC"), "");
}

TEST(CountryTable, SavesAndLoadsItsFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Country.dat");
    QString error;
    ASSERT_TRUE(sample().save(path, &error)) << error.toStdString();
    EXPECT_TRUE(readAll(path).startsWith(
        "Prefix\tBasePrefix\tIARU_Approved\tCountry\r\nQ5\tQ5\t1\tQland\r\n"));
    const auto loaded = CountryTable::load(path, &error);
    ASSERT_TRUE(loaded) << error.toStdString();
    ASSERT_EQ(loaded->records().size(), 6u);
    EXPECT_FALSE(loaded->records()[3].iaruApproved);
    EXPECT_EQ(loaded->basePrefix("Q71ABC"), "Q");
    EXPECT_EQ(loaded->basePrefix("QE/Q51ABC"), "QE");
}

TEST(CountryTable, BadFilesAreRefusedWithTheLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Country.dat");
    const struct {
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {"", "Country.dat: not a country table"},
        {"Prefix;BasePrefix\r\n", "Country.dat line 1: not a country table"},
        {"Prefix\tBasePrefix\tIARU_Approved\tCountry\r\nQ5\tQ5\r\n",
         "Country.dat line 2: expected prefix, base prefix and approval"},
        {"Prefix\tBasePrefix\tIARU_Approved\tCountry\r\n\r\nQ5\tQ5\tyes\tQ\r\n",
         "Country.dat line 3: approval must be 1 or 0"},
    };
    for (const auto& c : cases) {
        writeAll(path, c.bytes);
        QString error;
        EXPECT_FALSE(CountryTable::load(path, &error));
        EXPECT_EQ(error.toStdString(), c.message);
    }
    QString error;
    EXPECT_FALSE(CountryTable::load(dir.filePath("missing.dat"), &error));
    EXPECT_TRUE(error.startsWith("Cannot open"));
}

TEST(CountryTable, ReadsCtyDatEntities) {
    const QString cty =
        "Qland:                    15:  28:  EU:   46.00:   -14.00:    -1.0:  Q5:\r\n"
        "    Q5,Q50(15)[28],=Q5ABC/LH;\r\n"
        "Q Island:                 15:  28:  EU:   46.00:   -14.00:    -1.0:  *Q5I:\r\n"
        "    Q5I,=Q5I/P;\r\n"
        "Reef:                     15:  28:  EU:   46.00:   -14.00:    -1.0:  Q9/r:\r\n"
        "    =Q9R;\r\n";
    QString error;
    const auto table = CountryTable::fromCtyDat(cty, &error);
    ASSERT_TRUE(table) << error.toStdString();
    ASSERT_EQ(table->records().size(), 3u);
    EXPECT_EQ(table->records()[1].prefix, "Q50");
    EXPECT_EQ(table->records()[2].basePrefix, "Q5I");
    EXPECT_FALSE(table->records()[2].iaruApproved);
    EXPECT_EQ(table->basePrefix("Q5I1AB"), "Q5"); // the island is not on the list
    EXPECT_FALSE(CountryTable::fromCtyDat("garbage", &error));
    EXPECT_FALSE(CountryTable::fromCtyDat("", &error));
}

TEST(CountryTable, ShippedTableKnowsEuropeanCountries) {
    const QString home = Platform::homeFolder();
    QTemporaryDir dir; // an empty home folder: the install's copy is read
    Platform::setHomeFolder(dir.path());
    QString error;
    const CountryTable table = CountryTable::loadShipped(&error);
    Platform::setHomeFolder(home);
    ASSERT_FALSE(table.isEmpty()) << error.toStdString();
    const char* cases[][2] = {
        {"S51ABC", "S5"}, {"S59A/P", "S5"}, {"9A1AA", "9A"},  {"OE/S51ABC", "OE"},
        {"IT9ABC", "I"},  {"DL1ABC", "DL"}, {"HA5KDR", "HA"}, {"G4ABC", "G"},
        {"OK1KIR", "OK"}, {"YU1AA", "YU"},  {"E71A", "E7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(table.basePrefix(c[0]).toStdString(), c[1]) << c[0];
}

TEST(CountryTable, PrefixesThatAreNotApprovedNeverMatch) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Country.dat");
    writeAll(path, "Prefix\tBasePrefix\tIARU_Approved\tCountry\r\n"
                   "Q5\tQ5\t1\tQland\r\n"
                   "Q5I\tQ5I\t0\tQ Island\r\n"
                   "QX\tQX\t0\tNowhere\r\n"
                   "QY\tQX\t0\tNowhere\r\n"
                   "QY\tQY\t1\tQyland\r\n"
                   "QZ9\tQZ9\t0\tUnlisted\r\n");
    QString error;
    const auto table = CountryTable::load(path, &error);
    ASSERT_TRUE(table) << error.toStdString();
    const char* cases[][2] = {
        {"Q5I1AB", "Q5"}, // the longer prefix is not approved: the shorter one counts
        {"QX1AB", ""},    // present only as not approved: no country at all
        {"QX", ""},       {"QY1AB", "QY"}, // the approved record of the same prefix counts
        {"QZ91AB", ""},   {"QE/QX1AB", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(table->basePrefix(c[0]).toStdString(), c[1]) << c[0];
}

TEST(CountryTable, RealCallsResolveToTheirCountries) {
    QFile scp(QStringLiteral("/usr/share/hamradio-files/MASTER.SCP"));
    if (!scp.open(QIODevice::ReadOnly)) GTEST_SKIP() << "MASTER.SCP of hamradio-files is absent";
    QStringList calls;
    for (const QByteArray& line : scp.readAll().split('\n')) {
        const QString call = QString::fromLatin1(line).trimmed();
        if (!call.isEmpty() && !call.startsWith('#') && !call.contains('/')) calls << call;
    }
    ASSERT_GT(calls.size(), 50000);

    const QString home = Platform::homeFolder();
    QTemporaryDir dir; // an empty home folder: the shipped table is read
    Platform::setHomeFolder(dir.path());
    QString error;
    const CountryTable table = CountryTable::loadShipped(&error);
    Platform::setHomeFolder(home);
    ASSERT_FALSE(table.isEmpty()) << error.toStdString();

    // How the calls begin, and the base prefix every such call must resolve to.
    const char* cases[][2] = {
        {"S5[0-9]", "S5"},      {"9A[0-9]", "9A"},
        {"OE[1-9]", "OE"},      {"D[LKJ][0-9]", "DL"},
        {"G[0-9]", "G"},        {"M[0-9]", "G"},
        {"2E[0-9]", "G"},       {"GM[0-9]", "GM"},
        {"F[0-9]", "F"},        {"I[1-8]", "I"},
        {"IT9", "I"},           {"HA[1-9]", "HA"},
        {"OK[12]", "OK"},       {"OM[1-8]", "OM"},
        {"SP[1-9]", "SP"},      {"YO[2-9]", "YO"},
        {"LZ[1-9]", "LZ"},      {"YU[1-9]", "YU"},
        {"E7[0-9]", "E7"},      {"Z3[0-9]", "Z3"},
        {"ON[1-9]", "ON"},      {"PA[0-9]", "PA"},
        {"OZ[1-9]", "OZ"},      {"SM[1-7]", "SM"},
        {"LA[1-9]", "LA"},      {"OH[1-9]", "OH"},
        {"ES[1-8]", "ES"},      {"LY[1-5]", "LY"},
        {"EI[1-9]", "EI"},      {"HB9", "HB"},
        {"UA[13456]", "UA"},    {"EA[1-57]", "EA"},
        {"EA6", "EA6"},         {"EA8", "EA8"},
        {"CT[12]", "CT"},       {"CT3", "CT3"},
        {"SV[1-4]", "SV"},      {"SV5", "SV5"},
        {"4X[1-6]", "4X"},      {"JA[0-9]", "JA"},
        {"[KWN][0-9]", "K"},    {"KH6", "KH6"},
        {"VE[1-7]", "VE"},      {"VK[1-7]", "VK"},
        {"ZL[1-4]", "ZL"},      {"PY[1-7]", "PY"},
        {"LU[1-9][A-Y]", "LU"}, {"LU[1-9]Z", "CE9"}, // Argentine stations in Antarctica
    };
    for (const auto& c : cases) {
        const QRegularExpression begins(QStringLiteral("^") + c[0]);
        int matched = 0;
        QStringList wrong;
        for (const QString& call : calls) {
            if (!begins.match(call).hasMatch()) continue;
            ++matched;
            const QString base = table.basePrefix(call);
            if (base != QLatin1String(c[1])) wrong << call + " -> " + base;
        }
        EXPECT_GE(matched, 3) << c[0];
        EXPECT_TRUE(wrong.isEmpty()) << c[0] << ": " << wrong.mid(0, 5).join(", ").toStdString();
    }
}
