#include "core/EntryRules.h"
#include "core/KeyTables.h"

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

using Rule = std::function<EntryResult(const EntryState&, const EntryKey&)>;

void runCases(const char* field, const std::vector<KeyCase>& cases,
              const std::function<Rule()>& makeRule) {
    for (const KeyCase& c : cases) {
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
    runCases("nr", KeyTables::SerialNumber, rule);
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
    runCases("rst2", KeyTables::ReportPhone, rst(2));
    runCases("rst3", KeyTables::ReportCw, rst(3));
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
    runCases("time5", KeyTables::Time5, time(5));
    runCases("time8", KeyTables::Time8, time(8));
    EXPECT_TRUE(TimeEditKey({"12:34", 2}, EntryKey{}, 5).passOn);
}

TEST(EntryRules, LocatorOverwritesAndReentersTheField) {
    const auto rule = [] {
        auto run = std::make_shared<bool>(false);
        return Rule(
            [run](const EntryState& s, const EntryKey& k) { return LocatorEditKey(s, k, *run); });
    };
    runCases("wwl", KeyTables::Locator, rule);
    bool run = false;
    EXPECT_TRUE(LocatorEditKey({"JN", 2}, EntryKey{}, run).passOn);
}

TEST(EntryRules, OddTextsAndCaretsAreHandledSafely) {
    const QString texts[] = {"", "12345678901234567890", "ÄÖ", "jn76to", "JN76TOJN76TO", "??????"};
    const EntryKey keys[] = {EntryKey::character('5'), EntryKey::character('a'),
                             EntryKey::character('?'), EntryKey::character(QChar(0xC4)),
                             EntryKey::character(' '), EntryKey::backspace(),
                             EntryKey::del()};
    for (const QString& text : texts)
        for (int caret = 0; caret <= text.size() + 2; ++caret)
            for (const EntryKey& key : keys) {
                const EntryState s{text, caret};
                bool run = true;
                RstFlags flags{true, true};
                const EntryResult results[] = {
                    NrEditKey(s, key, 4),   NrEditKey(s, key, 0),   RstEditKey(s, key, 3, flags),
                    TimeEditKey(s, key, 5), TimeEditKey(s, key, 8), LocatorEditKey(s, key, run),
                };
                // A caret past the text only has to survive; a control never hands one over.
                if (caret > text.size()) continue;
                for (const EntryResult& r : results) {
                    if (r.passOn) continue;
                    EXPECT_GE(r.caret, 0);
                    EXPECT_LE(r.caret, r.text.size());
                }
                // Typing never makes a locator longer than six, nor a report longer than 3.
                const EntryResult wwl = LocatorEditKey(s, key, run);
                if (!wwl.passOn) {
                    EXPECT_LE(wwl.text.size(), std::max<qsizetype>(6, text.size()));
                }
                flags = {true, true};
                const EntryResult rst = RstEditKey(s, key, 2, flags);
                if (!rst.passOn) {
                    EXPECT_LE(rst.text.size(), std::max<qsizetype>(3, text.size()));
                }
            }
}
