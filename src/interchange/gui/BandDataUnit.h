#pragma once
#include <QWidget>

struct BandEquipment;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Equipment page of one band: the frame carries its band number in its tag, so its own
// default buttons know which section of UserInfo.ini they work on.
class T_BandData : public QWidget {
    Q_OBJECT
  public:
    T_BandData(int bandNumber, const QString& userInfoPath, QWidget* parent = nullptr);

    int tag() const { return tag_; }
    // Fills the controls from the band's equipment, and the other way round.
    void showEquipment(const BandEquipment& b);
    void readEquipment(BandEquipment& b) const;

    QLineEdit* Category;
    QLineEdit* TXPower;
    QLineEdit* RX;
    QLineEdit* TX;
    QLineEdit* Antennas;
    QLineEdit* HeightAboveGround;
    QLineEdit* HeightAboveSea;
    QPlainTextEdit* Comments;
    QPushButton* StoreDefault;
    QPushButton* LoadDefault;

  private:
    void storeDefaultClick();
    void loadDefaultClick();

    int tag_;
    QString userInfoPath_;
};
