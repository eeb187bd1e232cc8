#include "EntryEdit.h"

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
    const EntryState state{text(), cursorPosition(), selectionStart(),
                           static_cast<int>(selectedText().size())};
    const EntryResult r = rule(state, keyOf(event));
    if (r.passOn) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (r.text != state.text) setText(r.text);
    if (r.text != state.text || r.caret != state.caret) setCursorPosition(r.caret);
}

void TEntryEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    deselect();
    setCursorPosition(enterCaret());
    entered();
}
