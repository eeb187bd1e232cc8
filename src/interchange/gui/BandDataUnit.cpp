#include "BandDataUnit.h"

#include "log/ContestHeader.h"
#include "platform/IniFile.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

T_BandData::T_BandData(int bandNumber, const QString& userInfoPath, QWidget* parent)
    : QWidget(parent), tag_(bandNumber), userInfoPath_(userInfoPath) {
    setObjectName("Band" + QString::number(bandNumber));
    auto* form = new QFormLayout;
    auto edit = [&](const char* name, const QString& caption) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        form->addRow(caption, e);
        return e;
    };
    Category = edit("Category", "Category");
    TXPower = edit("TXPower", "TX power (W)");
    RX = edit("RX", "RX");
    TX = edit("TX", "TX");
    Antennas = edit("Antennas", "Antenna(s)");
    HeightAboveGround = edit("HeightAboveGround", "Antenna height above ground level (m)");
    HeightAboveSea = edit("HeightAboveSea", "Height above sea level (m)");
    Comments = new QPlainTextEdit(this);
    Comments->setObjectName("Comments");
    Comments->setTabChangesFocus(true);
    form->addRow("Comments", Comments);

    StoreDefault = new QPushButton("Set as default", this);
    StoreDefault->setObjectName("StoreDefault");
    LoadDefault = new QPushButton("Load default", this);
    LoadDefault->setObjectName("LoadDefault");
    connect(StoreDefault, &QPushButton::clicked, this, [this] { storeDefaultClick(); });
    connect(LoadDefault, &QPushButton::clicked, this, [this] { loadDefaultClick(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(StoreDefault);
    buttons->addWidget(LoadDefault);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void T_BandData::showEquipment(const BandEquipment& b) {
    Category->setText(b.PSect);
    TXPower->setText(b.SPowe);
    RX->setText(b.RX);
    TX->setText(b.TX);
    Antennas->setText(b.SAnte);
    HeightAboveGround->setText(b.HeightAboveGround);
    HeightAboveSea->setText(b.HeightAboveSea);
    Comments->setPlainText(b.Comments);
}

void T_BandData::readEquipment(BandEquipment& b) const {
    b.PSect = Category->text();
    b.SPowe = TXPower->text();
    b.RX = RX->text();
    b.TX = TX->text();
    b.SAnte = Antennas->text();
    b.HeightAboveGround = HeightAboveGround->text();
    b.HeightAboveSea = HeightAboveSea->text();
    b.Comments = Comments->toPlainText();
}

void T_BandData::storeDefaultClick() {
    // Equipment keys only: the band's enable flag is never a default.
    ContestHeader h;
    readEquipment(h.bands[size_t(tag_ - 1)]);
    IniFile ini(userInfoPath_);
    h.saveEquipment(ini, tag_);
}

void T_BandData::loadDefaultClick() {
    ContestHeader h;
    BandEquipment& b = h.bands[size_t(tag_ - 1)];
    readEquipment(b);
    h.loadEquipment(IniFile(userInfoPath_), tag_);
    const QString comments = Comments->toPlainText();
    showEquipment(b);
    Comments->setPlainText(comments);
}
