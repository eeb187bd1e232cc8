#pragma once
#include <QDialog>
#include <optional>

class QLineEdit;

// "Set operator": the callsign of the operator at the key, stored with every QSO.
// Enter accepts, Esc cancels.
class T_Operator : public QDialog {
    Q_OBJECT
  public:
    explicit T_Operator(QWidget* parent = nullptr);

    // Shows the dialog modally with the current operator; the new text on acceptance.
    std::optional<QString> execute(const QString& current);

    QLineEdit* Operator;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};
