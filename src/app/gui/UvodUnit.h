#pragma once
#include <QWidget>

class QProgressBar;
class QLabel;

// The start-up window: picture, progress and version.
class T_Uvod : public QWidget {
    Q_OBJECT
  public:
    explicit T_Uvod(QWidget* parent = nullptr);
    void advance();
    static QString versionLabel();

  private:
    QProgressBar* gauge_;
};
