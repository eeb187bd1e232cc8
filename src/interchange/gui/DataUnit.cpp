#include "DataUnit.h"

#include "BandDataUnit.h"
#include "core/Bands.h"
#include "core/gui/LocatorEdit.h"
#include "platform/IniFile.h"
#include "platform/Platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
// Black when the value is given, red while it is missing.
void setCue(QWidget* w, bool ok) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, ok ? Qt::black : Qt::red);
    w->setPalette(p);
}

QLineEdit* lineEdit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}
} // namespace

T_DataForm::T_DataForm(ContestHeader& header, const QString& userInfoPath, bool loadDefaults,
                       QWidget* parent)
    : QDialog(parent), header_(header), userInfoPath_(userInfoPath) {
    setObjectName("DataForm");
    setWindowTitle("User information");
    setModal(true);
    Pages = new QTabWidget(this);
    Pages->setObjectName("Pages");

    // Contest information
    auto* general = new QWidget;
    ContestName = lineEdit(general, "ContestName");
    DateStart = lineEdit(general, "DateStart");
    DateEnd = lineEdit(general, "DateEnd");
    Call = lineEdit(general, "Call");
    WWL_sent = new TLocatorEdit(general);
    WWL_sent->setObjectName("WWL_sent");
    Adress1 = lineEdit(general, "Adress1");
    Adress2 = lineEdit(general, "Adress2");
    ContestType = new QComboBox(general);
    ContestType->setObjectName("ContestType");
    ContestType->addItems({"VHF-Region 1", "ZAR-Maraton"});
    ContestType->installEventFilter(this);
    RadioClub = lineEdit(general, "RadioClub");
    Operators = new QPlainTextEdit(general);
    Operators->setObjectName("Operators");
    Operators->setTabChangesFocus(true);
    StoreDefaultGeneral = button(general, "StoreDefaultGeneral", "Set as default");
    LoadDefaultGeneral = button(general, "LoadDefaultGeneral", "Load default");
    CallLabel = new QLabel("Call sign used:", general);
    CallLabel->setBuddy(Call);
    WWLLabel = new QLabel("WWL used", general);
    WWLLabel->setBuddy(WWL_sent);
    {
        auto* form = new QFormLayout;
        form->addRow("Contest name", ContestName);
        auto* dates = new QHBoxLayout;
        dates->addWidget(DateStart);
        dates->addWidget(new QLabel("end", general));
        dates->addWidget(DateEnd);
        form->addRow("Date start", dates);
        form->addRow(CallLabel, Call);
        form->addRow(WWLLabel, WWL_sent);
        auto* address = new QGroupBox("Address lines from where the contest took place", general);
        auto* al = new QVBoxLayout(address);
        al->addWidget(Adress1);
        al->addWidget(Adress2);
        form->addRow(address);
        form->addRow("Contest type:", ContestType);
        form->addRow("Club", RadioClub);
        form->addRow(new QLabel("Operators separated with semicolon (;)", general));
        form->addRow(Operators);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(StoreDefaultGeneral);
        buttons->addWidget(LoadDefaultGeneral);
        form->addRow(buttons);
        general->setLayout(form);
    }
    Pages->addTab(general, "Contest information");

    // Responsible operator
    auto* responsible = new QWidget;
    RName = lineEdit(responsible, "RName");
    RCallSign = lineEdit(responsible, "RCallSign");
    RAdress1 = lineEdit(responsible, "RAdress1");
    RAdress2 = lineEdit(responsible, "RAdress2");
    RPostalCode = lineEdit(responsible, "RPostalCode");
    RCity = lineEdit(responsible, "RCity");
    RCountry = lineEdit(responsible, "RCountry");
    RPhone = lineEdit(responsible, "RPhone");
    RHBBS = lineEdit(responsible, "RHBBS");
    SaveDefaultResponsible = button(responsible, "SaveDefaultResponsible", "Set as default");
    LoadDefaultResponsible = button(responsible, "LoadDefaultResponsible", "Load default");
    {
        auto* form = new QFormLayout;
        form->addRow("Name", RName);
        form->addRow("Call sign", RCallSign);
        auto* address = new QGroupBox("Address lines of responsible operator", responsible);
        auto* al = new QVBoxLayout(address);
        al->addWidget(RAdress1);
        al->addWidget(RAdress2);
        form->addRow(address);
        form->addRow("Postal code", RPostalCode);
        form->addRow("City", RCity);
        form->addRow("Country", RCountry);
        form->addRow("Phone number", RPhone);
        form->addRow("Home BBS", RHBBS);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(SaveDefaultResponsible);
        buttons->addWidget(LoadDefaultResponsible);
        form->addRow(buttons);
        responsible->setLayout(form);
    }
    Pages->addTab(responsible, "Responsible operator");

    // Band info
    auto* bandInfo = new QWidget;
    Bands = new QGroupBox("Bands", bandInfo);
    Bands->setObjectName("Bands");
    auto* grid = new QGridLayout(Bands);
    Equipment = new QTabWidget(bandInfo);
    Equipment->setObjectName("Equipment");
    for (int n = 1; n <= 15; ++n) {
        auto* box = new QCheckBox(BandName(n), Bands);
        box->setObjectName("Frequency" + QString::number(n));
        // Only these two are offered; the others are still honoured when a file ticks them.
        box->setVisible(n == 3 || n == 4);
        grid->addWidget(box, (n - 1) / 5, (n - 1) % 5);
        connect(box, &QCheckBox::clicked, this, [this] { bandClick(); });
        Frequency[size_t(n - 1)] = box;
        auto* page = new T_BandData(n, userInfoPath_);
        BandPages[size_t(n - 1)] = page;
        auto* tab = new QWidget;
        tab->setObjectName("TabBand" + QString::number(n));
        auto* tl = new QVBoxLayout(tab);
        tl->addWidget(page);
        Equipment->addTab(tab, BandName(n));
    }
    {
        auto* l = new QVBoxLayout(bandInfo);
        l->addWidget(Bands);
        l->addWidget(Equipment, 1);
    }
    Pages->addTab(bandInfo, "Band info");

    CloseButton = button(this, "Close", "Close");
    connect(CloseButton, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pages);
    layout->addLayout(bottom);

    connect(Call, &QLineEdit::textChanged, this, [this] { callChange(); });
    connect(WWL_sent, &QLineEdit::textChanged, this, [this] { wwlChange(); });
    connect(StoreDefaultGeneral, &QPushButton::clicked, this,
            [this] { saveGroup(&ContestHeader::saveGeneral); });
    connect(LoadDefaultGeneral, &QPushButton::clicked, this,
            [this] { loadGroup(&ContestHeader::loadGeneral); });
    connect(SaveDefaultResponsible, &QPushButton::clicked, this,
            [this] { saveGroup(&ContestHeader::saveResponsible); });
    connect(LoadDefaultResponsible, &QPushButton::clicked, this,
            [this] { loadGroup(&ContestHeader::loadResponsible); });

    showHeader(header_);
    if (loadDefaults) {
        loadGroup(&ContestHeader::loadGeneral);
        loadGroup(&ContestHeader::loadResponsible);
    }
    Pages->setCurrentIndex(0);
    callChange();
    wwlChange();
    bandClick();
}

bool T_DataForm::edit(ContestHeader& header, const QString& userInfoPath, bool loadDefaults,
                      QWidget* parent) {
    T_DataForm form(header, userInfoPath, loadDefaults, parent);
    return form.exec() == QDialog::Accepted;
}

void T_DataForm::showHeader(const ContestHeader& h) {
    ContestName->setText(h.TName);
    DateStart->setText(h.TDateStart);
    DateEnd->setText(h.TDateEnd);
    Call->setText(h.PCall);
    WWL_sent->setText(h.PWWL.toUpper());
    Adress1->setText(h.PAdr1);
    Adress2->setText(h.PAdr2);
    // A type the list does not know shows no selection (and scores as type 1).
    ContestType->setCurrentIndex(
        h.ContestType >= 0 && h.ContestType < ContestType->count() ? h.ContestType : -1);
    RadioClub->setText(h.PClub);
    Operators->setPlainText(h.Operators);
    RName->setText(h.RName);
    RCallSign->setText(h.RCall);
    RAdress1->setText(h.RAdr1);
    RAdress2->setText(h.RAdr2);
    RPostalCode->setText(h.RPoCo);
    RCity->setText(h.RCity);
    RCountry->setText(h.RCoun);
    RPhone->setText(h.RPhon);
    RHBBS->setText(h.RHBBS);
    for (size_t i = 0; i < 15; ++i) {
        Frequency[i]->setChecked(h.bands[i].Band);
        BandPages[i]->showEquipment(h.bands[i]);
    }
    typeShown_ = h.ContestType;
    bandClick();
}

void T_DataForm::readHeader(ContestHeader& h) const {
    h.TName = ContestName->text();
    h.TDateStart = DateStart->text();
    h.TDateEnd = DateEnd->text();
    h.PCall = Call->text();
    h.PWWL = WWL_sent->text();
    h.PAdr1 = Adress1->text();
    h.PAdr2 = Adress2->text();
    // No selection keeps the stored number, so that an unknown type survives a save.
    h.ContestType = ContestType->currentIndex() >= 0 ? ContestType->currentIndex() : typeShown_;
    h.PClub = RadioClub->text();
    h.Operators = Operators->toPlainText();
    h.RName = RName->text();
    h.RCall = RCallSign->text();
    h.RAdr1 = RAdress1->text();
    h.RAdr2 = RAdress2->text();
    h.RPoCo = RPostalCode->text();
    h.RCity = RCity->text();
    h.RCoun = RCountry->text();
    h.RPhon = RPhone->text();
    h.RHBBS = RHBBS->text();
    for (size_t i = 0; i < 15; ++i) {
        h.bands[i].Band = Frequency[i]->isChecked();
        BandPages[i]->readEquipment(h.bands[i]);
    }
}

void T_DataForm::loadGroup(void (ContestHeader::*load)(const IniFile&)) {
    // Through a header, so that a missing key behaves as on opening a contest.
    ContestHeader h;
    readHeader(h);
    (h.*load)(IniFile(userInfoPath_));
    const QString operators = Operators->toPlainText();
    showHeader(h);
    Operators->setPlainText(operators);
}

void T_DataForm::saveGroup(void (ContestHeader::*save)(IniFile&) const) {
    ContestHeader h;
    readHeader(h);
    IniFile ini(userInfoPath_);
    (h.*save)(ini);
}

void T_DataForm::callChange() {
    setCue(CallLabel, !Call->text().isEmpty());
}

void T_DataForm::wwlChange() {
    emit homeLocatorChanged(WWL_sent->text().left(6));
    setCue(WWLLabel, WWL_sent->text().size() > 5);
}

void T_DataForm::bandClick() {
    bool any = false;
    for (size_t i = 0; i < 15; ++i) {
        const bool on = Frequency[i]->isChecked();
        Equipment->setTabVisible(int(i), on);
        any = any || on;
    }
    setCue(Bands, any);
}

bool T_DataForm::eventFilter(QObject* watched, QEvent* event) {
    // The contest type changes only by choosing from the list, never by typing.
    if (watched == ContestType &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
         event->type() == QEvent::ShortcutOverride))
        return true;
    return QDialog::eventFilter(watched, event);
}

void T_DataForm::done(int r) {
    if (Call->text().isEmpty()) {
        Pages->setCurrentIndex(0);
        setCue(CallLabel, false);
        Call->setFocus();
        return;
    }
    if (WWL_sent->text().size() <= 5) {
        Pages->setCurrentIndex(0);
        setCue(WWLLabel, false);
        WWL_sent->setFocus();
        return;
    }
    if (std::none_of(Frequency.begin(), Frequency.end(),
                     [](const QCheckBox* b) { return b->isChecked(); })) {
        Pages->setCurrentIndex(2);
        setCue(Bands, false);
        // The first box the operator can see ("144 MHz").
        for (QCheckBox* b : Frequency)
            if (!b->isHidden()) {
                b->setFocus();
                break;
            }
        return;
    }
    (void)r;
    readHeader(header_);
    emit headerApplied(header_);
    QDialog::done(QDialog::Accepted);
}

std::function<bool(ContestHeader&)> headerDialogHook(QWidget* parent) {
    return [parent](ContestHeader& header) {
        return T_DataForm::edit(header, Platform::homeFolder() + "UserInfo.ini", false, parent);
    };
}
