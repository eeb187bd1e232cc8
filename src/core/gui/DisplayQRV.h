#pragma once
#include <QColor>
#include <QWidget>

// The band display of the log window's status line: the short names of the bands a station
// is known on (library flags) or already worked on (log flags).
class TDisplayQRV : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor InLogColor READ inLogColor WRITE setInLogColor)
    Q_PROPERTY(QColor InLibColor READ inLibColor WRITE setInLibColor)
  public:
    explicit TDisplayQRV(QWidget* parent = nullptr);

    // Both texts are 15 characters "0"/"1", "50 MHz" first.
    void DisplayQRV(const QString& libraryFlags, const QString& logFlags);
    QString libraryFlags() const { return libraryFlags_; }
    QString logFlags() const { return logFlags_; }

    QColor inLogColor() const { return inLogColor_; }
    void setInLogColor(const QColor& c);
    QColor inLibColor() const { return inLibColor_; }
    void setInLibColor(const QColor& c);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString libraryFlags_;
    QString logFlags_;
    QColor inLogColor_ = Qt::red;
    QColor inLibColor_ = Qt::black;
};
