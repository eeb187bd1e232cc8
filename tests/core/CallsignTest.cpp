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
