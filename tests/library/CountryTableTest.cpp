#include "common/TestSupport.h"
#include "library/Country.h"
#include "platform/Platform.h"

#include <QDir>
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
        {"Q3ABC", "Q"},     {"ZZ1ZZ", "ZZ1"},    // nothing matches: the call's own prefix
        {"q51abc", "q51"},  {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(table.basePrefix(c.call).toStdString(), c.base) << c.call;
    EXPECT_EQ(CountryBasePrefix(table, "Q51ABC"), "Q51");
    EXPECT_EQ(CountryTable().basePrefix("Q51ABC"), "Q51");
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
