#include "core/EntryRules.h"

#include <functional>
#include <gtest/gtest.h>

namespace {
// Keys as text: '\b' is Backspace, '\x7f' Delete, '\x01' a navigation key; the rest characters.
EntryKey keyOf(QChar c) {
    if (c == QChar('\b')) return EntryKey::backspace();
    if (c == QChar(0x7f)) return EntryKey::del();
    if (c == QChar(1)) return EntryKey{};
    return EntryKey::character(c);
}

struct Case {
    const char* text;
    int caret;
    const char* keys;
    const char* expected;
    int expectedCaret;
};

using Rule = std::function<EntryResult(const EntryState&, const EntryKey&)>;

void runCases(const char* field, const std::vector<Case>& cases,
              const std::function<Rule()>& makeRule) {
    for (const Case& c : cases) {
        const Rule rule = makeRule(); // fresh flags per case
        EntryState s{c.text, c.caret};
        for (QChar k : QString(c.keys)) {
            const EntryResult r = rule(s, keyOf(k));
            ASSERT_FALSE(r.passOn) << field << " " << c.text << " " << c.keys;
            s = {r.text, r.caret};
        }
        EXPECT_EQ(s.text.toStdString(), c.expected)
            << field << " \"" << c.text << "\" caret " << c.caret << " keys \"" << c.keys << "\"";
        EXPECT_EQ(s.caret, c.expectedCaret)
            << field << " \"" << c.text << "\" caret " << c.caret << " keys \"" << c.keys << "\"";
    }
}
} // namespace

TEST(EntryRules, SerialNumberShiftsWhenFull) {
    const auto rule = [] {
        return Rule([](const EntryState& s, const EntryKey& k) { return NrEditKey(s, k, 4); });
    };
    runCases("nr",
             {
                 {"", 0, "12", "12", 2},
                 {"1234", 4, "5", "2345", 4},
                 {"1234", 0, "5", "1234", 0}, // 51234: the last four remain
                 {"1234", 2, "9", "2934", 2}, // 129 34 -> 12934 -> 2934
                 {"123", 3, "45", "2345", 4}, // typed, then shifted
                 {"12", 2, "a -.", "12", 2},  // non-digits are ignored
                 {"123", 3, "\b", "12", 2},
                 {"123", 0, "\b", "123", 0},
             },
             rule);
    // Delete and navigation keys are the control's own.
    EXPECT_TRUE(NrEditKey({"12", 0}, EntryKey::del(), 4).passOn);
    EXPECT_TRUE(NrEditKey({"12", 0}, EntryKey{}, 4).passOn);
    // A selection is replaced by the digit.
    const EntryResult sel = NrEditKey({"1234", 4, 0, 4}, EntryKey::character('7'), 4);
    EXPECT_EQ(sel.text, "7");
    EXPECT_EQ(sel.caret, 1);
    const EntryResult full = NrEditKey({"1234", 2, 1, 1}, EntryKey::character('7'), 3);
    EXPECT_EQ(full.text, "734"); // 1734 -> last three
}

TEST(EntryRules, ReportTypedFromJustEntered) {
    const auto rst = [](int length) {
        return [length] {
            auto flags = std::make_shared<RstFlags>(RstFlags{true, false});
            return Rule([length, flags](const EntryState& s, const EntryKey& k) {
                return RstEditKey(s, k, length, *flags);
            });
        };
    };
    runCases("rst2",
             {
                 {"59", 2, "5", "55", 2},
                 {"59", 2, "57", "57", 2},
                 {"59", 2, "578", "58", 2}, // 7 is not below 6: no shift
                 {"55", 2, "9", "59", 2},   // just entered: back to 59 first
                 {"33", 2, "4", "54", 2},
                 {"59", 2, "0", "59", 2}, // 0 is never a report digit
                 {"59", 2, "\b", "5", 1},
                 {"59", 0, "4", "49", 1},
                 {"59", 0, "7", "57", 2}, // strength typed first
                 {"59", 0, "\b", "59", 2},
                 {"59", 1, "3", "53", 2},
                 {"59", 1, "\b", "59", 1},
                 {"5", 1, "\b", "", 0},
                 {"5", 1, "7", "57", 2},
                 {"", 0, "7", "", 0},
                 {"", 0, "4", "4", 1},
                 {"59", 2, "s", "59s", 2},
                 {"5", 1, "s", "5", 1},
                 {"599", 3, "4", "54", 2}, // phone field: handled at caret 2, from "59"
             },
             rst(2));
    runCases("rst3",
             {
                 {"599", 2, "3", "539", 2},
                 {"599", 2, "33", "339", 2},
                 {"599", 2, "337", "379", 2},
                 {"599", 3, "7", "597", 2},
                 {"599", 3, "\b5", "595", 2}, // two characters: the digit is the tone
                 {"599", 2, "R", "59r", 2},
                 {"59s", 2, "a", "59a", 2},
                 {"599", 3, "0", "599", 3},
                 {"599", 3, "\x7f", "599", 3},
             },
             rst(3));
}

TEST(EntryRules, ReportFlagsFollowTheKeys) {
    RstFlags flags{true, false};
    EntryResult r = RstEditKey({"599", 2}, EntryKey::character('5'), 3, flags);
    EXPECT_FALSE(flags.justEntered);
    EXPECT_TRUE(flags.digitRun);
    // Any key in between ends the run: 5, then a navigation key, then 3 replaces only.
    EXPECT_TRUE(RstEditKey({r.text, 2}, EntryKey{}, 3, flags).passOn);
    EXPECT_FALSE(flags.digitRun);
    r = RstEditKey({r.text, 2}, EntryKey::character('3'), 3, flags);
    EXPECT_EQ(r.text, "539");
    // Appending the tone starts no run.
    flags = {};
    r = RstEditKey({"59", 2}, EntryKey::character('5'), 3, flags);
    EXPECT_EQ(r.text, "595");
    EXPECT_FALSE(flags.digitRun);
}

TEST(EntryRules, TimeOverwritesAroundTheColon) {
    const auto time = [](int maxLength) {
        return [maxLength] {
            return Rule([maxLength](const EntryState& s, const EntryKey& k) {
                return TimeEditKey(s, k, maxLength);
            });
        };
    };
    runCases("time5",
             {
                 {"12:34", 4, "7", "12:37", 3},
                 {"12:34", 4, "75", "12:57", 4},
                 {"12:34", 0, "0", "02:34", 1},
                 {"12:34", 0, "3", "12:34", 0},
                 {"12:34", 0, "2359", "23:59", 3},
                 {"12:34", 0, " ", "12:34", 3},
                 {"12:34", 1, ":", "12:34", 3},
                 {"12:34", 2, "6", "12:34", 2},
                 {"12:34", 3, "\b", "12:34", 0},
                 {"12:34", 5, "4", "12:44", 4},
                 {"12:34", 5, "\b", "12:34", 0},
                 {"12:34", 5, "9", "12:34", 5},
                 {"12:34", 1, "a\x7f", "12:34", 1},
                 {"", 0, "1", "1", 1},
                 {"1", 1, "23", "12:3", 4}, // a short text is filled out
             },
             time(5));
    runCases("time8",
             {
                 {"12:34:56", 4, "7", "12:37:56", 5},
                 {"12:34:56", 5, "4", "12:34:46", 7},
                 {"12:34:56", 5, "42", "12:34:42", 3},
                 {"12:34:56", 6, " ", "12:34:56", 6},
                 {"12:34:56", 5, "\b", "12:34:56", 3},
                 {"12:34:56", 7, "\b", "12:34:56", 3},
                 {"12:34:56", 8, "1\b", "12:34:56", 8},
                 {"12:34", 4, "9", "12:39", 5},
             },
             time(8));
    EXPECT_TRUE(TimeEditKey({"12:34", 2}, EntryKey{}, 5).passOn);
}

TEST(EntryRules, LocatorOverwritesAndReentersTheField) {
    const auto rule = [] {
        auto run = std::make_shared<bool>(false);
        return Rule(
            [run](const EntryState& s, const EntryKey& k) { return LocatorEditKey(s, k, *run); });
    };
    runCases("wwl",
             {
                 {"JN76TO", 6, "k", "KN76TO", 1},
                 {"JN76TO", 2, "K", "JK76TO", 2},
                 {"JN76TO", 2, "KN", "KN76TO", 2},
                 {"JN76TO", 2, "KN5", "KN56TO", 3},
                 {"JN76TO", 2, "KNO", "NO76TO", 2}, // the pair keeps shifting
                 {"JN76TO", 2, "K5", "JK56TO", 3},
                 {"JN76TO", 0, "\b", "JN76T", 5},
                 {"JN76T", 0, "\b", "JN76T", 5},
                 {"JN76TO", 0, "i", "IN76TO", 1},
                 {"JN76TO", 0, "s", "JN76TO", 0}, // beyond R: no field letter
                 {"JN76TO", 1, "m", "JM76TO", 2},
                 {"JN76TO", 1, "\b", "JN76TO", 1},
                 {"JN76TO", 3, "5", "JN75TO", 4},
                 {"JN76TO", 4, "x", "JN76XO", 5},
                 {"JN76TO", 4, "y", "JN76TO", 4},
                 {"JN76TO", 5, "?", "JN76T?", 6},
                 {"JN76TO", 6, "\b", "JN76T", 5},
                 {"JN76TO", 6, "5", "JN76TO", 6},
                 {"JN76TO", 3, "\x7f", "JN76TO", 3},
                 {"", 0, "jn76to", "JN76TO", 6},
                 {"JN", 2, "7?", "JN7?", 4},
                 {"JN", 2, "K", "JK", 2},
                 {"J", 1, "\b", "", 0},
                 {"JN76", 4, "\b\b", "JN", 2},
                 {"JN76TO", 6, "io91wm", "IO91WM", 6},
             },
             rule);
    bool run = false;
    EXPECT_TRUE(LocatorEditKey({"JN", 2}, EntryKey{}, run).passOn);
}
