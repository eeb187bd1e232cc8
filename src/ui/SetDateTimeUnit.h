#pragma once
#include <QDialog>

class QLineEdit;

// Corrects the date and time of the QSO being entered: Enter in either field accepts,
// Esc cancels.
class T_SetDateTime : public QDialog {
    Q_OBJECT
  public:
    explicit T_SetDateTime(QWidget* parent = nullptr);

    // Shows the dialog modally with the texts; on acceptance they hold the new texts.
    bool execute(QString& date, QString& time);

    QLineEdit* EditDate;
    QLineEdit* EditTime;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};
