#pragma once
#include <QString>

// Keyboard rules of the entry controls, as pure functions: given the text, the caret and a
// key, they give the new text and caret. The controls in core/gui only translate key events.
// Caret positions count from 0 (before the first character).

struct EntryKey {
    enum Kind {
        Character, // a printable character without Ctrl/Alt
        Backspace,
        Delete,
        Other // navigation, Enter, shortcuts: never governed by the rules
    };
    Kind kind = Other;
    QChar ch;
    static EntryKey character(QChar c) { return {Character, c}; }
    static EntryKey backspace() { return {Backspace, QChar()}; }
    static EntryKey del() { return {Delete, QChar()}; }
};

struct EntryState {
    QString text;
    int caret = 0;
    int selectionStart = -1; // -1: nothing selected
    int selectionLength = 0;
};

struct EntryResult {
    // The key is not one the rules govern: the control handles it as usual (moving the
    // caret, Enter, shortcuts; Delete in the serial-number field). text and caret are unset.
    bool passOn = false;
    QString text;
    int caret = 0;
};

// Serial-number field (TNREdit): digits only; a full field shifts, keeping the last
// `length` digits. Delete is passed on.
EntryResult NrEditKey(const EntryState& state, const EntryKey& key, int length);

// Report field (TRSTEdit): `length` is 2 (phone) or 3 (CW); the text never exceeds 3.
struct RstFlags {
    bool justEntered = false; // set when the field gets the focus, cleared by every key
    bool digitRun = false;    // the previous key was a strength digit at caret 2
};
inline constexpr int RstEnterCaret = 2;
inline constexpr int RstMaxLength = 3;
EntryResult RstEditKey(const EntryState& state, const EntryKey& key, int length, RstFlags& flags);

// Time field (TTimeEdit): overwrite editing of "hh:mm" (maxLength 5) or "hh:mm:ss" (8).
EntryResult TimeEditKey(const EntryState& state, const EntryKey& key, int maxLength);

// Locator field (TLocatorEdit): overwrite editing of six characters, letters upper case.
// fieldPairRun remembers that the previous key was a field letter accepted at caret 2.
EntryResult LocatorEditKey(const EntryState& state, const EntryKey& key, bool& fieldPairRun);
