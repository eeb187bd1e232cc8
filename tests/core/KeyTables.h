#pragma once
// The key tables of the entry fields, one row or more per rule. The pure rules
// (tests/core/EntryRulesTest.cpp) and the real controls typed with QTest::keyClick
// (tests/gui/CoreEntryFieldsTest.cpp) run the same rows.
#include <vector>

// Text and caret before, the keys typed, text and caret after. In keys, '\b' is Backspace and
// '\x7f' Delete; everything else is a typed character. Report rows start just entered.
struct KeyCase {
    const char* text;
    int caret;
    const char* keys;
    const char* expected;
    int expectedCaret;
};

namespace KeyTables {

// TNREdit, Length 4.
inline const std::vector<KeyCase> SerialNumber = {
    // Backspace deletes as usual.
    {"123", 3, "\b", "12", 2},
    {"123", 0, "\b", "123", 0},
    {"1234", 2, "\b", "134", 1},
    // Anything but a digit is ignored.
    {"12", 2, "a -.", "12", 2},
    {"", 0, "x", "", 0},
    // Short of Length: typed normally.
    {"", 0, "12", "12", 2},
    {"12", 0, "9", "912", 1},
    // Full: inserted, then the last Length characters remain; the caret stays.
    {"1234", 4, "5", "2345", 4},
    {"1234", 0, "5", "1234", 0}, // 51234: nothing changes visibly
    {"1234", 2, "9", "2934", 2}, // 12934
    {"123", 3, "45", "2345", 4}, // typed, then shifted
};

// TRSTEdit, Length 2 (phone).
inline const std::vector<KeyCase> ReportPhone = {
    // "a", "r", "s" in either case take the last place.
    {"59", 2, "s", "59s", 2},
    {"59", 0, "R", "59r", 2},
    {"59", 1, "A", "59a", 2},
    {"5", 1, "s", "5", 1},
    {"5", 0, "S", "5", 1}, // too short: only the caret moves
    // A digit at caret 3: handled at caret 2 (just entered: from "59").
    {"599", 3, "4", "54", 2},
    // Caret 0.
    {"59", 0, "\b", "59", 2},
    {"59", 0, "4", "49", 1},
    {"", 0, "4", "4", 1},
    {"59", 0, "7", "57", 2}, // strength typed first
    {"", 0, "7", "", 0},
    {"59", 0, "0", "59", 0},
    {"59", 0, "x", "59", 0},
    // Caret 1.
    {"59", 1, "\b", "59", 1},
    {"5", 1, "\b", "", 0},
    {"59", 1, "3", "53", 2},
    {"5", 1, "7", "57", 2},
    {"59", 1, "0", "59", 1},
    {"59", 1, "x", "59", 1},
    // Caret 2.
    {"59s", 2, "\b", "59s", 2},
    {"59", 2, "\b", "5", 1},
    {"59", 2, "5", "55", 2},
    {"59", 2, "57", "57", 2},  // a second digit in a row shifts
    {"59", 2, "578", "58", 2}, // 7 is not below 6: no shift
    {"55", 2, "9", "59", 2},   // just entered: back to 59 first
    {"33", 2, "4", "54", 2},
    {"59", 2, "0", "59", 2}, // 0 is never a report digit
    {"59", 2, "x", "59", 2},
    // Caret 3: as usual.
    {"59s", 3, "\b", "59", 2},
    // Delete is ignored.
    {"59", 1, "\x7f", "59", 1},
};

// TRSTEdit, Length 3 (CW).
inline const std::vector<KeyCase> ReportCw = {
    {"599", 2, "3", "539", 2},   {"599", 2, "33", "339", 2}, {"599", 2, "337", "379", 2},
    {"339", 2, "7", "579", 2},   // just entered: from 599
    {"599", 3, "7", "597", 2},   // the tone
    {"599", 3, "\b5", "595", 2}, // two characters: the digit is the tone
    {"599", 1, "4", "549", 2},   {"599", 0, "\b", "599", 3}, {"599", 2, "R", "59r", 2},
    {"59s", 2, "a", "59a", 2},   {"599", 3, "0", "599", 3},  {"599", 3, "\x7f", "599", 3},
};

// TTimeEdit, maximum length 5.
inline const std::vector<KeyCase> Time5 = {
    {"12:34", 0, " ", "12:34", 3},  {"12:34", 0, ":", "12:34", 3},
    {"12:34", 0, "0", "02:34", 1},  {"12:34", 0, "3", "12:34", 0},
    {"12:34", 0, "\b", "12:34", 0}, {"12:34", 0, "2359", "23:59", 3},
    {"12:34", 1, "\b", "12:34", 0}, {"12:34", 1, ":", "12:34", 3},
    {"12:34", 1, "9", "19:34", 2},  {"12:34", 1, "a\x7f", "12:34", 1},
    {"12:34", 2, "\b", "12:34", 0}, {"12:34", 2, " ", "12:34", 3},
    {"12:34", 2, "5", "12:54", 4},  {"12:34", 2, "6", "12:34", 2},
    {"12:34", 3, "\b", "12:34", 0}, {"12:34", 3, ":", "12:34", 3},
    {"12:34", 3, "0", "12:04", 4},  {"12:34", 4, "\b", "12:34", 0},
    {"12:34", 4, "7", "12:37", 3},  {"12:34", 4, "75", "12:57", 4},
    {"12:34", 4, ":", "12:34", 4},  {"12:34", 5, "\b", "12:34", 0},
    {"12:34", 5, "4", "12:44", 4},  {"12:34", 5, "9", "12:34", 5},
    {"12:34", 5, " ", "12:34", 5},  {"", 0, "1", "1", 1},
    {"1", 1, "23", "12:3", 4}, // a short text is filled out
};

// TTimeEdit, maximum length 8.
inline const std::vector<KeyCase> Time8 = {
    {"12:34:56", 4, "7", "12:37:56", 5},  {"12:34:56", 5, "\b", "12:34:56", 3},
    {"12:34:56", 5, " ", "12:34:56", 6},  {"12:34:56", 5, "4", "12:34:46", 7},
    {"12:34:56", 5, "42", "12:34:42", 3}, {"12:34:56", 5, "6", "12:34:56", 5},
    {"12:34:56", 6, "\b", "12:34:56", 3}, {"12:34:56", 6, ":", "12:34:56", 6},
    {"12:34:56", 6, "1", "12:34:16", 7},  {"12:34:56", 7, "\b", "12:34:56", 3},
    {"12:34:56", 7, "9", "12:34:59", 3},  {"12:34:56", 8, "1\b", "12:34:56", 8},
    {"12:34", 4, "9", "12:39", 5},
};

// TLocatorEdit.
inline const std::vector<KeyCase> Locator = {
    // Caret 0.
    {"JN76TO", 0, "\b", "JN76T", 5},
    {"JN76T", 0, "\b", "JN76T", 5},
    {"JN76TO", 0, "i", "IN76TO", 1},
    {"JN76TO", 0, "?", "?N76TO", 1},
    {"JN76TO", 0, "s", "JN76TO", 0}, // beyond R: no field letter
    // Caret 1.
    {"JN76TO", 1, "\b", "JN76TO", 1},
    {"J", 1, "\b", "", 0},
    {"JN76TO", 1, "m", "JM76TO", 2},
    {"J", 1, "n", "JN", 2},
    {"JN76TO", 1, "5", "JN76TO", 1},
    // Caret 2.
    {"JN76TO", 2, "\b", "JN76TO", 2},
    {"JN76", 4, "\b\b", "JN", 2},
    {"JN76TO", 2, "5", "JN56TO", 3},
    {"JN76TO", 2, "?", "JN?6TO", 3},
    {"JN", 2, "7?", "JN7?", 4},
    {"JN76TO", 2, "K", "JK76TO", 2},
    {"JN76TO", 2, "KN", "KN76TO", 2},
    {"JN76TO", 2, "KN5", "KN56TO", 3},
    {"JN76TO", 2, "KNO", "NO76TO", 2}, // the pair keeps shifting
    {"JN76TO", 2, "K5", "JK56TO", 3},
    {"JN", 2, "K", "JK", 2},
    {"JN76TO", 2, "S", "JN76TO", 2},
    // Caret 3.
    {"JN76TO", 3, "\b", "JN76TO", 3},
    {"JN7", 3, "\b", "JN", 2},
    {"JN76TO", 3, "5", "JN75TO", 4},
    {"JN76TO", 3, "?", "JN7?TO", 4},
    {"JN76TO", 3, "A", "JN76TO", 3},
    // Caret 4.
    {"JN76TO", 4, "\b", "JN76TO", 4},
    {"JN76TO", 4, "x", "JN76XO", 5},
    {"JN76", 4, "t", "JN76T", 5},
    {"JN76TO", 4, "y", "JN76TO", 4},
    // Caret 5.
    {"JN76TO", 5, "\b", "JN76TO", 5},
    {"JN76T", 5, "\b", "JN76", 4},
    {"JN76TO", 5, "?", "JN76T?", 6},
    {"JN76T", 5, "o", "JN76TO", 6},
    {"JN76TO", 5, "1", "JN76TO", 5},
    // Caret 6.
    {"JN76TO", 6, "\b", "JN76T", 5},
    {"JN76TO", 6, "k", "KN76TO", 1},
    {"JN76TO", 6, "?", "?N76TO", 1},
    {"JN76TO", 6, "5", "JN76TO", 6},
    {"JN76TO", 6, "S", "JN76TO", 6},
    {"JN76TO", 6, "io91wm", "IO91WM", 6}, // a new locator typed over the old one
    // Delete is ignored.
    {"JN76TO", 3, "\x7f", "JN76TO", 3},
    {"", 0, "jn76to", "JN76TO", 6},
};

} // namespace KeyTables
