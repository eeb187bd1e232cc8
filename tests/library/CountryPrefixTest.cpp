#include "library/Prefix.h"

#include <gtest/gtest.h>

TEST(CountryPrefix, PrefixAndCallAreaDigit) {
    const struct {
        const char* call;
        const char* prefix;
        const char* digit; // the partial search's form; the country form gives "0" for ""
    } cases[] = {
        {"Q51ABC", "Q51", "1"},
        {"QL1ABC", "QL1", "1"},
        {"Q1ZZ", "Q1", "1"},
        {"0Q1AA", "0Q1", "1"},
        {"QE/Q51ABC", "QE0", "0"},
        {"Q51ABC/P", "Q51", "1"},
        {"Q51ABC/4", "Q54", "4"},
        {"Q3ABC/4", "Q4", "4"},
        {"Q51ABC/MM", "Q51", "1"},
        {"Q51ABC/AB", "AB0", "0"},
        {"Q51ABC/QRP", "Q51", "1"},
        {"0Q/Q51ABC", "0Q0", "0"},
        {"Q5/Q51ABC", "Q5", "5"},
        {"QABCD", "QA0", "0"},
        {"QA", "QA0", "0"},
        {"Q", "Q", ""},
        {"", "", ""},
        {"Q51ABC/", "Q51", "1"},
        {"Q51ABC/P/4", "P/4", "4"},
        {"4X4ABC", "4X4", "4"},
    };
    for (const auto& c : cases) {
        const CallPrefix p = PrefixOfCall(c.call);
        EXPECT_EQ(p.prefix.toStdString(), c.prefix) << c.call;
        EXPECT_EQ(p.digit.toStdString(), c.digit) << c.call;
        const CallPrefix country = CountryPrefixOfCall(c.call);
        EXPECT_EQ(country.prefix, p.prefix) << c.call;
        EXPECT_EQ(country.digit.toStdString(), *c.digit ? c.digit : "0") << c.call;
    }
}

TEST(CountryPrefix, WithoutDigitDropsTheFinalDigit) {
    const char* cases[][2] = {
        {"Q51ABC", "Q5"}, {"QE/Q51ABC", "QE"}, {"Q3ABC/4", "Q"}, {"Q", "Q"},
        {"", ""},         {"4X4ABC", "4X"},    {"0Q1AA", "0Q"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrefixWithoutDigit(c[0]).toStdString(), c[1]) << c[0];
}

TEST(CountryPrefix, OddCallsGiveAPrefixWithoutFailing) {
    const QString longCall = "Q51" + QString(2000, 'A') + "/" + QString(3000, 'B');
    const struct {
        QString call;
        const char* prefix;
        const char* digit;
    } cases[] = {
        {"q51abc", "q51", "1"}, // case is kept: the caller upper-cases
        {"qa", "qa", ""},       // "a" is no letter of the rule: nothing appended
        {"Q-1ABC", "Q-1", "1"}, {"ÄÖ1AB", "ÄÖ1", "1"},
        {"ABCD", "AB0", "0"},   {"/", "/", ""}, // an empty suffix: the first four characters stay
        {"//", "0", "0"},                       // an empty location prefix in front
        {"/4", "0", "0"},       {"Q/", "Q/", ""},
        {longCall, "Q51", "1"}, // the location-prefix rule, cut to four
    };
    for (const auto& c : cases) {
        const CallPrefix p = PrefixOfCall(c.call);
        EXPECT_EQ(p.prefix.toStdString(), c.prefix) << c.call.left(20).toStdString();
        EXPECT_EQ(p.digit.toStdString(), c.digit) << c.call.left(20).toStdString();
        EXPECT_LE(p.prefix.size(), 4);
    }
}
