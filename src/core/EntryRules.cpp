#include "EntryRules.h"

#include <algorithm>

namespace {
bool isDigit(QChar c) {
    return c >= QChar('0') && c <= QChar('9');
}
bool inRange(QChar c, char from, char to) {
    return c >= QChar(from) && c <= QChar(to);
}

EntryResult unchanged(const EntryState& s) {
    return {false, s.text, std::clamp(s.caret, 0, static_cast<int>(s.text.size()))};
}
EntryResult passOn() {
    return {true, {}, 0};
}

EntryResult result(const QString& text, int caret) {
    return {false, text, std::clamp(caret, 0, static_cast<int>(text.size()))};
}

bool hasSelection(const EntryState& s) {
    return s.selectionStart >= 0 && s.selectionLength > 0;
}

// The text with any selection removed, and where the caret then stands.
EntryState withoutSelection(const EntryState& s) {
    if (!hasSelection(s)) return s;
    EntryState r = s;
    r.text.remove(s.selectionStart, s.selectionLength);
    r.caret = s.selectionStart;
    r.selectionStart = -1;
    r.selectionLength = 0;
    return r;
}

// What an ordinary edit does with a typed character.
EntryResult typeNormally(const EntryState& s, QChar c, int maxLength) {
    EntryState r = withoutSelection(s);
    if (r.text.size() >= maxLength) return result(r.text, r.caret);
    r.text.insert(r.caret, c);
    return result(r.text, r.caret + 1);
}

// What an ordinary edit does with Backspace.
EntryResult deleteNormally(const EntryState& s) {
    if (hasSelection(s)) {
        const EntryState r = withoutSelection(s);
        return result(r.text, r.caret);
    }
    if (s.caret <= 0) return unchanged(s);
    QString t = s.text;
    t.remove(s.caret - 1, 1);
    return result(t, s.caret - 1);
}

// Character k (from 1) set to c; a text one short grows by it.
QString replaced(QString text, int k, QChar c) {
    if (k == text.size() + 1)
        text += c;
    else if (k >= 1 && k <= text.size())
        text[k - 1] = c;
    return text;
}
} // namespace

// ---- Serial number ----------------------------------------------------------------------------

EntryResult NrEditKey(const EntryState& s, const EntryKey& key, int length) {
    switch (key.kind) {
    case EntryKey::Other:
    case EntryKey::Delete:
        return passOn();
    case EntryKey::Backspace:
        return deleteNormally(s);
    case EntryKey::Character:
        break;
    }
    if (!isDigit(key.ch)) return unchanged(s);
    if (s.text.size() < length) return typeNormally(s, key.ch, length);
    EntryState r = withoutSelection(s);
    r.text.insert(r.caret, key.ch);
    return result(r.text.right(length), s.caret);
}

// ---- Report -------------------------------------------------------------------------------------

namespace {
EntryResult rstDigitAtTwo(QString text, QChar digit, int length, bool justEntered, bool noted,
                          RstFlags& flags) {
    if (justEntered) text = QStringLiteral("599").left(length);
    if (text.size() == 2 && length == 3) return result(text + digit, 2);
    if (text.size() < 2) return result(text, 2);
    if (noted && text[1] < QChar('6'))
        text = QString(text[1]) + digit + text.mid(2);
    else
        text[1] = digit;
    flags.digitRun = true;
    return result(text, 2);
}
} // namespace

EntryResult RstEditKey(const EntryState& s, const EntryKey& key, int length, RstFlags& flags) {
    const bool noted = flags.digitRun;
    const bool justEntered = flags.justEntered;
    flags.digitRun = false;
    flags.justEntered = false;
    if (key.kind == EntryKey::Other) return passOn();
    if (key.kind == EntryKey::Delete) return unchanged(s);
    const int n = static_cast<int>(s.text.size());
    const QChar c = key.ch;
    const bool strength = key.kind == EntryKey::Character && inRange(c, '1', '9');

    if (key.kind == EntryKey::Character && QStringLiteral("ARSars").contains(c)) {
        // The caret goes to 2 in any case (as far as a shorter text allows).
        if (n > 1) return result(s.text.left(2) + c.toLower(), 2);
        return result(s.text, 2);
    }
    int caret = s.caret;
    QString text = s.text;
    if (caret == 3 && strength) {
        if (length == 3) return result(replaced(text, 3, c), 2);
        caret = 2;
    }
    switch (caret) {
    case 0:
        if (key.kind == EntryKey::Backspace) return result(text, n);
        if (inRange(c, '1', '5')) return result(replaced(text, 1, c), 1);
        if (strength && n > 0) return result(replaced(text, 2, c), 2);
        return unchanged(s);
    case 1:
        if (key.kind == EntryKey::Backspace) return n > 1 ? unchanged(s) : deleteNormally(s);
        if (!strength) return unchanged(s);
        if (n > 1) return result(replaced(text, 2, c), 2);
        return typeNormally(s, c, RstMaxLength);
    case 2:
        if (key.kind == EntryKey::Backspace) return n > 2 ? unchanged(s) : deleteNormally(s);
        if (!strength) return unchanged(s);
        return rstDigitAtTwo(text, c, length, justEntered, noted, flags);
    default:
        if (key.kind == EntryKey::Backspace) return deleteNormally(s);
        if (c == QChar('0')) return unchanged(s);
        return typeNormally(s, c, RstMaxLength);
    }
}

// ---- Time ---------------------------------------------------------------------------------------

EntryResult TimeEditKey(const EntryState& s, const EntryKey& key, int maxLength) {
    if (key.kind == EntryKey::Other) return passOn();
    if (key.kind == EntryKey::Delete) return unchanged(s);
    const bool longForm = maxLength >= 8;
    // A short or empty text is filled out from the template before a digit is placed.
    const QString full = longForm ? QStringLiteral("00:00:00") : QStringLiteral("00:00");
    const auto put = [&](int k, int caret) {
        QString t = s.text;
        if (t.size() < k) t += full.mid(t.size(), k - t.size());
        return result(replaced(t, k, key.ch), caret);
    };
    const bool back = key.kind == EntryKey::Backspace;
    const QChar c = key.ch;
    const bool skip = !back && (c == QChar(' ') || c == QChar(':'));
    const auto caretTo = [&](int caret) { return result(s.text, caret); };

    switch (s.caret) {
    case 0:
        if (skip) return caretTo(3);
        if (!back && inRange(c, '0', '2')) return put(1, 1);
        break;
    case 1:
        if (back) return caretTo(0);
        if (skip) return caretTo(3);
        if (inRange(c, '0', '9')) return put(2, 2);
        break;
    case 2:
    case 3:
        if (back) return caretTo(0);
        if (skip) return caretTo(3);
        if (inRange(c, '0', '5')) return put(4, 4);
        break;
    case 4:
        if (back) return caretTo(0);
        if (!skip && inRange(c, '0', '9')) return put(5, longForm ? 5 : 3);
        break;
    case 5:
    case 6:
        if (!longForm) {
            if (s.caret == 6) break;
            if (back) return caretTo(0);
            if (inRange(c, '0', '5')) return put(4, 4);
            break;
        }
        if (back) return caretTo(3);
        if (skip) return caretTo(6);
        if (inRange(c, '0', '5')) return put(7, 7);
        break;
    case 7:
        if (back) return caretTo(3);
        if (!skip && inRange(c, '0', '9')) return put(8, 3);
        break;
    default:
        break;
    }
    return unchanged(s);
}

// ---- Locator
// --------------------------------------------------------------------------------------

EntryResult LocatorEditKey(const EntryState& s, const EntryKey& key, bool& fieldPairRun) {
    const bool noted = fieldPairRun;
    fieldPairRun = false;
    if (key.kind == EntryKey::Other) return passOn();
    if (key.kind == EntryKey::Delete) return unchanged(s);
    const int n = static_cast<int>(s.text.size());
    const bool back = key.kind == EntryKey::Backspace;
    const QChar c = back ? QChar() : key.ch.toUpper();
    const bool field = c == QChar('?') || inRange(c, 'A', 'R');
    const bool subsquare = c == QChar('?') || inRange(c, 'A', 'X');
    const bool digit = c == QChar('?') || isDigit(c);
    constexpr int Max = 6;

    // Positions 1..5: Backspace works only at the end; a key replaces the next character,
    // or is typed when the text ends at the caret.
    const auto next = [&](bool accepted) {
        if (back) return n > s.caret ? unchanged(s) : deleteNormally(s);
        if (!accepted) return unchanged(s);
        if (n > s.caret) return result(replaced(s.text, s.caret + 1, c), s.caret + 1);
        return typeNormally(s, c, Max);
    };
    switch (s.caret) {
    case 0:
        if (back) return result(n == 6 ? s.text.left(5) : s.text, 5);
        if (field) return result(replaced(s.text, 1, c), 1);
        return unchanged(s);
    case 1:
        return next(field);
    case 2:
        if (!back && inRange(c, 'A', 'R')) {
            if (n < 2) return unchanged(s); // a caret past the text: nothing to re-enter
            QString t = s.text;
            if (noted) t[0] = t[1];
            t[1] = c;
            fieldPairRun = true;
            return result(t, 2);
        }
        return next(digit);
    case 3:
        return next(digit);
    case 4:
    case 5:
        return next(subsquare);
    case 6:
        if (back) return deleteNormally(s);
        if (field) return result(replaced(s.text, 1, c), 1);
        return unchanged(s);
    default:
        return unchanged(s);
    }
}
