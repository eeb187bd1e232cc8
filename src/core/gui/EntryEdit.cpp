#include "EntryEdit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

TEntryEdit::TEntryEdit(QWidget* parent) : QLineEdit(parent) {}

EntryKey TEntryEdit::keyOf(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace) return EntryKey::backspace();
    if (event->key() == Qt::Key_Delete) return EntryKey::del();
    const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const QString text = event->text();
    if (text.size() == 1 && text[0].isPrint() && !(event->modifiers() & commands))
        return EntryKey::character(text[0]);
    return {};
}

void TEntryEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        // Pasted text obeys the same rules as typed text.
        event->accept();
        for (QChar c : QGuiApplication::clipboard()->text())
            if (c.isPrint()) apply(EntryKey::character(c));
        return;
    }
    if (!apply(keyOf(event))) QLineEdit::keyPressEvent(event);
}

bool TEntryEdit::apply(const EntryKey& key) {
    const EntryState state{text(), cursorPosition(), selectionStart(),
                           static_cast<int>(selectedText().size())};
    const EntryResult r = rule(state, key);
    if (r.passOn) return false;
    if (r.text != state.text) setText(r.text);
    if (r.text != state.text || r.caret != state.caret) setCursorPosition(r.caret);
    return true;
}

void TEntryEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    deselect();
    setCursorPosition(enterCaret());
    entered();
}
