#include "SetDateTimeUnit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>

T_SetDateTime::T_SetDateTime(QWidget* parent) : QDialog(parent) {
    setObjectName("T_SetDateTime");
    setWindowTitle("Set date and time");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);
    QFont f("Arial");
    f.setPixelSize(19);
    EditDate = new QLineEdit(this);
    EditDate->setObjectName("EditDate");
    EditTime = new QLineEdit(this);
    EditTime->setObjectName("EditTime");
    auto* row = new QHBoxLayout(this);
    for (QLineEdit* e : {EditDate, EditTime}) {
        e->setFont(f);
        row->addWidget(e);
    }
}

bool T_SetDateTime::execute(QString& date, QString& time) {
    EditDate->setText(date);
    EditTime->setText(time);
    EditDate->setFocus();
    if (exec() != QDialog::Accepted) return false;
    date = EditDate->text();
    time = EditTime->text();
    return true;
}

void T_SetDateTime::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event); // Esc rejects
}
