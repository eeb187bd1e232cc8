#include "LogUnit.h"

#include "core/Bands.h"
#include "log/ContestFile.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

T_LogForm::T_LogForm(QWidget* parent) : QWidget(parent) {
    setObjectName("LogForm");
    EntryPanel = new QWidget(this);
    EntryPanel->setObjectName("EntryPanel");
    auto* row = new QHBoxLayout(EntryPanel);
    Time_ = new QLineEdit(EntryPanel);
    Time_->setObjectName("Time_");
    Call = new QLineEdit(EntryPanel);
    Call->setObjectName("Call");
    Sent_QSO_number = new QLineEdit(EntryPanel);
    Sent_QSO_number->setObjectName("Sent_QSO_number");
    Sent_QSO_number->setReadOnly(true);
    Band = new QComboBox(EntryPanel);
    Band->setObjectName("Band");
    ModeCombo = new QComboBox(EntryPanel);
    ModeCombo->setObjectName("ModeCombo");
    for (const ModeInfo& m : ModeTable)
        ModeCombo->addItem(QString::fromLatin1(m.name));
    Date_ = new QLabel(EntryPanel);
    Date_->setObjectName("Date_");
    for (QWidget* w :
         std::initializer_list<QWidget*>{Date_, Time_, Call, Sent_QSO_number, Band, ModeCombo})
        row->addWidget(w);
    LabelScore = new QLabel("ODX info", this);
    LabelScore->setObjectName("LabelScore");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(EntryPanel);
    layout->addWidget(LabelScore);
    layout->addStretch();
    connect(Band, &QComboBox::currentIndexChanged, this, [this] {
        if (mode_ != Loading) bandChange();
    });
    connect(ModeCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (mode_ != Loading) modeChange();
    });
    EntryPanel->setEnabled(false);
    Band->setEnabled(false);
}

void T_LogForm::setMode(int mode) {
    mode_ = mode;
}

QString T_LogForm::currentBand() const {
    return Band->currentText();
}

void T_LogForm::rebuildBandList(const QStringList& bands) {
    const int keep = Band->currentIndex();
    const QSignalBlocker block(Band);
    Band->clear();
    Band->addItems(bands);
    Band->setCurrentIndex(std::min(std::max(keep, 0), int(bands.size()) - 1));
}

void T_LogForm::contestOpened() {
    const bool open = contest_ && contest_->isOpen();
    EntryPanel->setEnabled(open);
    Band->setEnabled(open);
    if (!contest_) return;
    QStringList bands;
    for (int n : contest_->header.contestBandNumbers())
        bands << BandName(n);
    {
        const QSignalBlocker block(Band);
        Band->clear();
        Band->addItems(bands);
        // The list is advanced by one entry before the stored band is chosen.
        if (!bands.isEmpty()) Band->setCurrentIndex(std::min(1, int(bands.size()) - 1));
        if (contest_->activeBand >= 0 && contest_->activeBand < bands.size())
            Band->setCurrentIndex(contest_->activeBand);
    }
    if (open) bandChange();
    {
        const QSignalBlocker block(ModeCombo);
        if (contest_->activeMode >= 0 && contest_->activeMode < ModeCombo->count())
            ModeCombo->setCurrentIndex(contest_->activeMode);
    }
    if (open) modeChange();
}

void T_LogForm::contestClosed() {
    EntryPanel->setEnabled(false);
    Band->setEnabled(false);
}

void T_LogForm::bandChange() {
    if (!contest_ || !contest_->isOpen()) return;
    const QString band = currentBand();
    contest_->activeBand = Band->currentIndex();
    ContestFile::setBandRange(contest_->logTable, band);
    ContestFile::setBandRange(contest_->tekmovanjeTable, band);
    Sent_QSO_number->setText(QString::number(contest_->logTable.recordCount() + 1));
    emit bandChanged(band);
}

void T_LogForm::modeChange() {
    if (contest_) contest_->activeMode = ModeCombo->currentIndex();
}

void T_LogForm::escape() {
    if (mode_ == Browsing) mode_ = ContestEntry;
    focusCall();
}

bool T_LogForm::focusCall() {
    if (!Call->isEnabled() || !Call->isVisible()) return false;
    Call->setFocus();
    return true;
}

void T_LogForm::setEntryFont(const QString& family) {
    entryFont_ = family;
    for (QWidget* w :
         std::initializer_list<QWidget*>{Time_, Call, Sent_QSO_number, Date_, LabelScore}) {
        QFont f = w->font();
        f.setFamily(family);
        w->setFont(f);
    }
}
