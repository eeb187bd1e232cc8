#include "OperatorUnit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>

T_Operator::T_Operator(QWidget* parent) : QDialog(parent) {
    setObjectName("T_Operator");
    setWindowTitle("Set operator");
    setModal(true);
    Operator = new QLineEdit(this);
    Operator->setObjectName("Operator");
    // Callsigns are upper case whatever the keyboard gives.
    connect(Operator, &QLineEdit::textEdited, this, [this](const QString& t) {
        const QString upper = t.toUpper();
        if (upper == t) return;
        const int caret = Operator->cursorPosition();
        Operator->setText(upper);
        Operator->setCursorPosition(caret);
    });
    auto* row = new QHBoxLayout(this);
    row->addWidget(Operator);
}

std::optional<QString> T_Operator::execute(const QString& current) {
    Operator->setText(current);
    Operator->selectAll();
    Operator->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return Operator->text();
}

void T_Operator::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
