#include "core/Callsign.h"

#include <gtest/gtest.h>

TEST(Callsign, BaseCallTakesTheLongerSideOfEverySlash) {
    const char* cases[][2] = {
        {"Q1ABC/P", "Q1ABC"},
        {"Q7/Q1ABC", "Q1ABC"},
        {"Q7/Q1ABC/P", "Q1ABC"},
        {"ABC/DEF", "ABC"},
        {"AB/CDE", "CDE"},
        {"Q1ABC", "Q1ABC"},
        {"/P", "P"},
        {"QE/Q51ABC", "Q51ABC"},
        {"Q51ABC/MM", "Q51ABC"},
        {"Q1ABC/", "Q1ABC"},
        {"/", ""},
        {"", ""},
        {"Q1ABC//", "Q1ABC"},
        {"Q/Q1ABC/QRPP", "Q1ABC"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BaseCall(c[0]), c[1]) << c[0];
}

TEST(Callsign, SuffixFollowsTheLastDigitFromPositionTwo) {
    const char* cases[][2] = {
        {"Q51ABC", "ABC"}, {"Q1ZZ", "ZZ"},  {"0QABC", ""}, {"QABC", ""},
        {"Q1ABC2", ""},    {"0Q1AA", "AA"}, {"", ""},      {"2E0ABC", "ABC"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CallSuffix(c[0]), c[1]) << c[0];
}

TEST(Callsign, OddCallsAreTakenAsTheyCome) {
    const QString longCall = QString(500, 'Q') + "1ABC/" + QString(600, 'P');
    const struct {
        QString call;
        QString base;
        QString suffix;
    } cases[] = {
        {"q1abc/p", "q1abc", "abc/p"}, // case is kept: the caller upper-cases
        {"Q1-ABC", "Q1-ABC", "-ABC"},
        {"Ä1ÖÜ/P", "Ä1ÖÜ", "ÖÜ/P"},
        {"////", "", {}},
        {"1/2/3", "2", {}},
        {longCall, QString(600, 'P'), {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BaseCall(c.call), c.base) << c.call.toStdString();
        if (!c.suffix.isNull()) {
            EXPECT_EQ(CallSuffix(c.call), c.suffix) << c.call.toStdString();
        }
    }
    EXPECT_EQ(CallSuffix(longCall), "ABC/" + QString(600, 'P'));
}
