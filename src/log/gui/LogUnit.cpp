#include "LogUnit.h"

#include "LogGrid.h"
#include "cat/Station.h"
#include "core/Bands.h"
#include "core/Locator.h"
#include "core/gui/DisplayQRV.h"
#include "core/gui/LocatorEdit.h"
#include "core/gui/NREdit.h"
#include "core/gui/RSTEdit.h"
#include "core/gui/TimeEdit.h"
#include "library/gui/CPartialSearch.h"
#include "log/ContestFile.h"
#include "log/QsoPosting.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "platform/Speaker.h"
#include "ui/OperatorUnit.h"
#include "ui/SetDateTimeUnit.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QTimer>
#include <QVBoxLayout>
#include <QValidator>

namespace {
const char* const CallCommands[] = {"OPON", "QSY", "QRT", "SOUND", "NOSOUND"};
// The program author's own stations, for whom Alt+G searches the web.
const char* const SearchingStations[] = {"Q9KLM", "Q9XYZ"};
const char* const WebSearch = "https://www.google.com/search?sourceid=navclient&ie=UTF-8&q=";
constexpr int EntryPanelHeight = 28;
constexpr int DegreeSign = 0xB0;

// Callsigns are upper case whatever the keyboard gives; done in the validator so that the
// field changes (and the lookup runs) once per key.
class UpperCase : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

QString degrees(int value) {
    return QString::number(value) + QChar(DegreeSign);
}

bool allDigits(const QString& s) {
    for (QChar c : s)
        if (c < '0' || c > '9') return false;
    return !s.isEmpty();
}

QDate parseDate(const QString& text, const QDate& fallback) {
    QDate d = QLocale().toDate(text, QLocale::ShortFormat);
    if (!d.isValid()) d = QDate::fromString(text, Qt::ISODate);
    if (!d.isValid()) d = QDate::fromString(text, "d.M.yyyy");
    if (!d.isValid()) return fallback;
    // Two-digit years of the short format belong to this century.
    if (d.year() < 1970) d = d.addYears(100);
    return d;
}
} // namespace

// ---- library-locator labels -----------------------------------------------------------------

TLibraryLocatorLabel::TLibraryLocatorLabel(int number, QWidget* parent)
    : QLabel(parent), number_(number) {
    setObjectName("LibraryLocator" + QString::number(number));
    setCursor(Qt::PointingHandCursor);
    hide();
}

void TLibraryLocatorLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    click();
}

void TLibraryLocatorLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
}

void TLibraryLocatorLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    QFont f = font();
    f.setUnderline(false);
    setFont(f);
}

// ---- construction ---------------------------------------------------------------------------

T_LogForm::T_LogForm(QWidget* parent) : QWidget(parent) {
    setObjectName("LogForm");
    openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    // Top bar: band, frequency, score line.
    auto* top = new QWidget(this);
    auto* topRow = new QHBoxLayout(top);
    topRow->setContentsMargins(2, 0, 2, 0);
    Band = new QComboBox(top);
    Band->setObjectName("Band");
    Band->setFocusPolicy(Qt::ClickFocus);
    LabelFrequency = new QLabel(top);
    LabelFrequency->setObjectName("LabelFrequency");
    LabelFrequency->hide();
    LabelODX = new QLabel("ODX info", top);
    LabelODX->setObjectName("LabelODX");
    LabelScore = LabelODX;
    topRow->addWidget(Band);
    topRow->addWidget(LabelFrequency);
    topRow->addWidget(LabelODX, 1);

    Grid = new LogGrid(this);

    // The entry line: fields placed by hand under the grid's columns.
    EntryPanel = new QWidget(this);
    EntryPanel->setObjectName("EntryPanel");
    EntryPanel->setFixedHeight(EntryPanelHeight);
    Time_ = new TTimeEdit(EntryPanel);
    Time_->setObjectName("Time_");
    Call = new QLineEdit(EntryPanel);
    Call->setObjectName("Call");
    Call->setMaxLength(14);
    Call->setValidator(new UpperCase(Call));
    Sent_RST = new TRSTEdit(EntryPanel);
    Sent_RST->setObjectName("Sent_RST");
    Sent_RST->setText("59");
    Sent_QSO_number = new TNREdit(EntryPanel);
    Sent_QSO_number->setObjectName("Sent_QSO_number");
    Received_RST = new TRSTEdit(EntryPanel);
    Received_RST->setObjectName("Received_RST");
    Received_RST->setText("59");
    Received_QSO_number = new TNREdit(EntryPanel);
    Received_QSO_number->setObjectName("Received_QSO_number");
    ModeCombo = new QComboBox(EntryPanel);
    ModeCombo->setObjectName("ModeCombo");
    // Every mode the program knows, in the mode table's order; ActiveMode is the position.
    for (const ModeInfo& m : ModeTable)
        ModeCombo->addItem(QString::fromLatin1(m.name));
    ModeCombo->setFocusPolicy(Qt::ClickFocus);
    Mode = new QLineEdit(EntryPanel);
    Mode->setObjectName("Mode");
    Mode->setReadOnly(true);
    Mode->setText(ModeCombo->currentText());
    Received_Exchange = new TNREdit(EntryPanel);
    Received_Exchange->setObjectName("Received_Exchange");
    Received_Exchange->setLength(3);
    Received_Exchange->hide();
    Received_WWL = new TLocatorEdit(EntryPanel);
    Received_WWL->setObjectName("Received_WWL");
    Received_WWL->setText(options.locatorPrefix);
    QSO_distance = new QLabel("QRB", EntryPanel);
    QSO_distance->setObjectName("QSO_distance");
    QSO_distance->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QSO_azimuth = new QLabel("QTF", EntryPanel);
    QSO_azimuth->setObjectName("QSO_azimuth");
    QSO_azimuth->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Duplicate_QSO = new QLabel(EntryPanel);
    Duplicate_QSO->setObjectName("Duplicate_QSO");
    QPalette red = Duplicate_QSO->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Duplicate_QSO->setPalette(red);
    Date_ = new QLabel(EntryPanel);
    Date_->setObjectName("Date_");
    Date_->hide();

    // Tab stops: call, received number, FM channel, locator.
    for (QWidget* w :
         std::initializer_list<QWidget*>{Time_, Sent_RST, Sent_QSO_number, Received_RST, Mode})
        w->setFocusPolicy(Qt::ClickFocus);
    Sent_QSO_number->setReadOnly(false);
    QWidget::setTabOrder(Call, Received_QSO_number);
    QWidget::setTabOrder(Received_QSO_number, Received_Exchange);
    QWidget::setTabOrder(Received_Exchange, Received_WWL);

    // Status line: band display at the left, library locators at the right, messages over it.
    StatusLine = new QWidget(this);
    StatusLine->setObjectName("StatusLine");
    StatusLine->setFixedHeight(fontMetrics().height() + 6);
    DisplayQRV = new TDisplayQRV(StatusLine);
    DisplayQRV->setObjectName("DisplayQRV");
    StatusMessage = new QLabel(StatusLine);
    StatusMessage->setObjectName("StatusMessage");
    StatusMessage->setPalette(red);
    StatusMessage->hide();
    for (int i = 1; i <= MaxLibraryLocators; ++i) {
        auto* l = new TLibraryLocatorLabel(i, StatusLine);
        connect(l, &TLibraryLocatorLabel::clicked, this, &T_LogForm::clickLibraryLocator);
        LibraryLocators.push_back(l);
    }
    StatusLine->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(top);
    layout->addWidget(Grid, 1);
    layout->addWidget(EntryPanel);
    layout->addWidget(StatusLine);

    // The window's own search runs hidden; the partial-search window's control may replace it.
    ownSearch_ = new TCPartialSearch(this);
    ownSearch_->setObjectName("OwnPartialSearch");
    ownSearch_->hide();
    search_ = ownSearch_;

    dateTimeDialog_ = new T_SetDateTime(this);
    operatorDialog_ = new T_Operator(this);

    for (QWidget* w : entryFields())
        w->installEventFilter(this);
    Band->installEventFilter(this);
    connect(Call, &QLineEdit::textChanged, this, &T_LogForm::callChange);
    connect(Received_WWL, &QLineEdit::textChanged, this, &T_LogForm::locatorChange);
    connect(Band, &QComboBox::currentIndexChanged, this, [this] {
        if (mode_ != Loading) bandChange(true);
    });
    connect(ModeCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (mode_ != Loading) modeChange();
    });
    connect(Grid, &LogGrid::mouseMoved, this, [this] {
        if (mode_ == ContestEntry || mode_ == PostContest) layoutEntryFields();
    });
    connect(Grid->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this] { layoutEntryFields(); });
    connect(Grid->horizontalHeader(), &QHeaderView::sectionMoved, this,
            [this] { layoutEntryFields(); });
    // The highlighted field gives up its colour while another program is active.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (highlighted_) highlight(highlighted_, s == Qt::ApplicationActive);
    });

    clockTimer_ = new QTimer(this);
    clockTimer_->setInterval(500);
    connect(clockTimer_, &QTimer::timeout, this, &T_LogForm::clockTick);
    clockTimer_->start();

    setStation(std::make_unique<TStation>());
    setEntryDate(Platform::clock().utcNow().date());
    setEntryFont(entryFont_);
    layoutEntryFields();
    EntryPanel->setEnabled(false);
    Band->setEnabled(false);
}

T_LogForm::~T_LogForm() {
    // The driver's events point here.
    station_.reset();
}

std::vector<QWidget*> T_LogForm::entryFields() const {
    return {Time_,        Call,
            Sent_RST,     Sent_QSO_number,
            Received_RST, Received_QSO_number,
            Mode,         Received_Exchange,
            Received_WWL, ModeCombo};
}

bool T_LogForm::logOpen() const {
    return contest_ && contest_->isOpen() && contest_->logTable.active();
}

void T_LogForm::setMode(int mode) {
    const int old = mode_;
    mode_ = mode;
    // Loading lays nothing out and keeps no score line; both follow when it ends.
    if (old == Loading && mode != Loading && logOpen()) {
        updateScoreLine();
        layoutEntryFields();
    }
}

QString T_LogForm::currentBand() const {
    return Band->currentText();
}

// ---- the station driver ---------------------------------------------------------------------

void T_LogForm::setStation(std::unique_ptr<TStation> station) {
    station_ = std::move(station);
    if (station_) wireStation();
}

void T_LogForm::wireStation() {
    station_->OnSendTelegram = [this](const QByteArray& bytes) {
        if (sendTelegram) sendTelegram(bytes);
    };
    station_->OnChangeFrequency = [this](double kHz) { OnChangeFrequency(kHz); };
    station_->OnChangeMode = [this](int code) { OnChangeMode(code); };
    station_->OnRig = [this](bool answered) { emit rigPolled(answered); };
}

void T_LogForm::OnChangeFrequency(double kHz) {
    const double shown = OperatingFrequency(kHz, options.transverterOffset);
    LabelFrequency->setText(FrequencyText(shown));
    LabelFrequency->show();
    spots_->MoveBandMap(shown);
    const QString band = BandToFollow(shown, Band->currentText());
    // Only a band of the contest can be followed; others leave the entry line alone.
    const int at = Band->findText(band);
    if (band.isEmpty() || at < 0 || inBandChange_) return;
    {
        const QSignalBlocker block(Band);
        Band->setCurrentIndex(at);
    }
    bandChange(false);
}

void T_LogForm::OnChangeMode(int code) {
    const QString mode = ModeForRadioMode(code, Mode->text());
    if (mode.isEmpty() || mode == ModeCombo->currentText()) return;
    const int at = ModeCombo->findText(mode);
    if (at < 0) return;
    {
        const QSignalBlocker block(ModeCombo);
        ModeCombo->setCurrentIndex(at);
    }
    modeChange();
}

// ---- partial search -------------------------------------------------------------------------

void T_LogForm::setPartialSearch(TCPartialSearch* search) {
    search_ = search ? search : ownSearch_;
    if (logOpen()) search_->setLogDataSet(&contest_->searchTable);
}

void T_LogForm::setCallLibrary(const CallLibrary* library) {
    ownSearch_->setLibDataSet(library);
}

// ---- contest, band and mode -----------------------------------------------------------------

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
    summary_ = TContest();
    summary_.contestType = std::uint8_t(contest_->header.scoringType());
    if (open) {
        Grid->setCursor(&contest_->logTable);
        ownSearch_->setLogDataSet(&contest_->searchTable);
        if (search_ != ownSearch_) search_->setLogDataSet(&contest_->searchTable);
    }
    const QStringList bands = contest_->header.contestBandNames();
    {
        const QSignalBlocker block(Band);
        Band->clear();
        Band->addItems(bands);
        // The list is advanced by one entry before the stored band is chosen.
        if (!bands.isEmpty()) Band->setCurrentIndex(std::min(1, int(bands.size()) - 1));
        if (contest_->activeBand >= 0 && contest_->activeBand < bands.size())
            Band->setCurrentIndex(contest_->activeBand);
    }
    if (open) bandChange(false);
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
    Grid->setCursor(nullptr);
    ownSearch_->setLogDataSet(nullptr);
    if (search_ != ownSearch_) search_->setLogDataSet(nullptr);
}

void T_LogForm::updateScoreLine() {
    if (!logOpen()) return;
    summary_.contestType = std::uint8_t(contest_->header.scoringType());
    RebuildSummary(summary_, contest_->tekmovanjeTable);
    LabelODX->setText(ScoreLineText(summary_));
}

void T_LogForm::bandChange(bool fromList) {
    if (!contest_) return;
    const QString band = currentBand();
    inBandChange_ = true;
    if (logOpen()) {
        contest_->activeBand = Band->currentIndex();
        // A band change re-reads what other stations sharing the contest have logged.
        contest_->logTable.refresh();
        contest_->tekmovanjeTable.refresh();
        contest_->searchTable.refresh();
        ContestFile::setBandRange(contest_->logTable, band);
        ContestFile::setBandRange(contest_->tekmovanjeTable, band);
        if (mode_ != Loading) updateScoreLine();
        Grid->setEnabled(true);
        Grid->reload();
        Sent_QSO_number->setText(QString::number(contest_->logTable.recordCount() + 1));
        if (options.autoNickname) chat_->AssignNickname(band);
        spots_->FollowBand(band);
        if (fromList) focusCall();
        if (!Call->text().isEmpty()) callChange();
    }
    inBandChange_ = false;
    emit bandChanged(band);
    // The radio follows the band.
    const double f = RadioFrequencyForBand(
        band, OperatingFrequency(station_->frequency(), options.transverterOffset),
        options.transverterOffset);
    if (f > 0) station_->SetFrequency(f);
}

void T_LogForm::nextBand() {
    if (!contest_) return;
    const int previous = Band->currentIndex();
    const QStringList bands = contest_->header.contestBandNames();
    if (bands.isEmpty()) return;
    {
        const QSignalBlocker block(Band);
        Band->clear();
        Band->addItems(bands);
        Band->setCurrentIndex((previous + 1) % int(bands.size()));
    }
    bandChange(false);
}

void T_LogForm::modeChange() {
    const QString mode = ModeCombo->currentText();
    Mode->setText(mode);
    if (!contest_) return;
    contest_->activeMode = ModeCombo->currentIndex();
    const int type = contest_->header.scoringType();
    if (type == 1 && logOpen()) {
        const RuleReporter report = reporter();
        QsoPosting::CheckTenMinuteRule(*contest_, mode, Time_->text(), editedSentNumber_, &report);
    }
    if (const int sent = SentReportDigits(mode)) {
        Sent_RST->setLength(sent);
        Sent_RST->setText(DefaultReport(sent));
    }
    if (const int received = ReceivedReportDigits(mode)) {
        Received_RST->setLength(received);
        Received_RST->setText(DefaultReport(received));
    }
    keyer_->ShowPanel(ShowsVoicePanel(mode));
    const bool channel = type == 1 && mode == "FM";
    Received_Exchange->setVisible(channel);
    Grid->applyVisibility(mode_ == Browsing, type, mode);
    layoutEntryFields();
    station_->SetMode(RadioModeForMode(mode, station_->mode()));
}

void T_LogForm::nextMode() {
    const bool fromChannel = Received_Exchange->hasFocus();
    {
        const QSignalBlocker block(ModeCombo);
        ModeCombo->setCurrentIndex((ModeCombo->currentIndex() + 1) % ModeCombo->count());
    }
    modeChange();
    if (fromChannel) Received_WWL->setFocus();
}

// ---- clock ----------------------------------------------------------------------------------

void T_LogForm::setEntryDate(const QDate& date) {
    entryDate_ = date;
    Date_->setText(QLocale().toString(date, QLocale::ShortFormat));
}

void T_LogForm::clockTick() {
    const bool editing = editedSentNumber_ != 0 || (logOpen() && contest_->logTable.editing());
    if (!editing && mode_ == ContestEntry) {
        const QDateTime utc = Platform::clock().utcNow();
        setEntryDate(utc.date());
        const QString time = utc.toString("hh:mm");
        if (Time_->text() != time) Time_->setText(time);
        if (logOpen()) {
            ++ticks_;
            if (options.refreshInterval > 0 && ticks_ >= options.refreshInterval) {
                ticks_ = 0;
                LogCursor& view = contest_->logTable;
                const int before = view.recordCount();
                const bool atEnd = view.recNo() >= before;
                view.refresh();
                contest_->tekmovanjeTable.refresh();
                contest_->searchTable.refresh();
                contest_->tekmovanjeTable.last();
                if (atEnd) view.last();
                if (view.recordCount() != before) Grid->reload();
            }
            const QString next = QString::number(contest_->logTable.recordCount() + 1);
            if (Sent_QSO_number->text() != next) Sent_QSO_number->setText(next);
        }
    }
    if (clockWindow_->visible())
        clockWindow_->SetTexts(
            QLocale().toString(Platform::clock().utcNow().time(), QLocale::LongFormat),
            "#" + Sent_QSO_number->text());
}

// ---- keys -----------------------------------------------------------------------------------

bool T_LogForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == StatusLine) {
        if (event->type() == QEvent::Resize) layoutStatusLine();
        return false;
    }
    auto* field = qobject_cast<QWidget*>(watched);
    if (!field) return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyPress(field, static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease: {
        auto* k = static_cast<QKeyEvent*>(event);
        if (field == Call && k->key() == Qt::Key_QuoteLeft) {
            if (!k->isAutoRepeat()) keyer_->SetPTT(false);
            return true;
        }
        return false;
    }
    case QEvent::FocusIn:
        fieldEntered(field);
        return false;
    case QEvent::FocusOut:
        fieldLeft(field);
        return false;
    case QEvent::MouseButtonPress:
        if (field == Mode) {
            ModeCombo->setFocus();
            ModeCombo->showPopup();
            return true;
        }
        return false;
    case QEvent::MouseButtonDblClick:
        if (field == Time_) {
            setDateTime();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool T_LogForm::shortcutKey(QWidget* field, QKeyEvent* e) {
    const auto mods = e->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier);
    if (e->key() == Qt::Key_F11 && mods == Qt::NoModifier) {
        clearEntryLine();
        return true;
    }
    if (mods != Qt::AltModifier) return false;
    switch (e->key()) {
    case Qt::Key_M:
        nextMode();
        return true;
    case Qt::Key_B:
        nextBand();
        return true;
    case Qt::Key_W:
        clearEntryLine();
        return true;
    case Qt::Key_G:
        webSearch(field);
        return true;
    case Qt::Key_A:
        if (cluster_->connected()) cluster_->AnnounceSpot();
        return true;
    default:
        return false;
    }
}

bool T_LogForm::keyPress(QWidget* field, QKeyEvent* e) {
    if (shortcutKey(field, e)) return true;
    if (field == Band) return false;
    if (e->key() == Qt::Key_Escape) {
        escape();
        return true;
    }
    if (field == ModeCombo) return false;
    const QString text = e->text();
    const QChar ch = text.size() == 1 ? text[0] : QChar();
    const bool command = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (!command && ch == ',') {
        Sent_RST->setFocus();
        return true;
    }
    if (!command && ch == '.') {
        Received_RST->setFocus();
        return true;
    }
    if (field == Received_QSO_number && ch.isPrint() && ch != ' ' && !ch.isDigit()) return true;
    if (ch.unicode() == 184) return true;
    if (field == Call && e->key() == Qt::Key_QuoteLeft) {
        if (!e->isAutoRepeat()) keyer_->SetPTT(true);
        return true;
    }
    if (field == Call && ch.isLetterOrNumber()) keyer_->StopAutoRepeat();
    if (field == Received_WWL && e->key() == Qt::Key_Down && e->modifiers() == Qt::NoModifier) {
        clickLibraryLocator(locatorTag_);
        return true;
    }
    if (field == Received_WWL && ch == '-' && Received_WWL->text().size() == 6) {
        search_->LocatorSearch(Received_WWL->text(), currentBand());
        return true;
    }
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter || (e->key() == Qt::Key_Space && !command)) {
        enterOrSpace(field, enter);
        return true;
    }
    if (e->key() == Qt::Key_Tab && !command) {
        focusNextStop(field);
        return true;
    }
    if (e->key() == Qt::Key_Backtab && !command) {
        focusNextStop(field, false);
        return true;
    }
    return false;
}

void T_LogForm::enterOrSpace(QWidget* field, bool enter) {
    if (enter && field == Call) {
        const QString text = Call->text();
        if (runCallCommand(text)) return;
    }
    if (mode_ == PostContest && field == Received_WWL)
        Time_->setFocus();
    else
        focusNextStop(field);
    if (enter && (field == Call || field == Received_QSO_number || field == Received_WWL))
        validateAndPost();
}

bool T_LogForm::runCallCommand(const QString& text) {
    bool known = false;
    for (const char* c : CallCommands)
        known = known || text == QLatin1String(c);
    if (known) {
        Call->clear();
        if (text == "OPON") {
            setOperator();
        } else if (text == "QSY") {
            nextBand();
        } else if (text == "QRT") {
            closeProgram();
        } else {
            const QString mode = Mode->text();
            const bool voice = mode == "SSB" || mode == "S/C" || mode == "FM";
            keyer_->SetMonitor(!voice, text == "SOUND");
        }
        return true;
    }
    if (text.size() >= 4 && allDigits(text)) {
        bool ok = false;
        const int kHz = text.toInt(&ok);
        if (!ok) {
            Platform::prompter().showMessage("'" + text + "' is not a valid integer value");
            return true;
        }
        station_->SetFrequency(RadioFrequency(kHz, options.transverterOffset));
        Call->clear();
        return true;
    }
    if (text == "POSTCONTEST") {
        setMode(PostContest);
        Call->clear();
        emit postContestEntered();
        return true;
    }
    if (text == "DATE" || text == "TIME") {
        Call->clear();
        setDateTime();
        return true;
    }
    return false;
}

void T_LogForm::closeProgram() {
    // The main window is the log window's ancestor also while the log group floats.
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* main = qobject_cast<QMainWindow*>(w)) {
            main->close();
            return;
        }
    window()->close();
}

void T_LogForm::focusNextStop(QWidget* from, bool forward) {
    const std::vector<QWidget*> order = entryFields();
    auto stop = [this](QWidget* w) {
        return w == Call || w == Received_QSO_number || w == Received_WWL ||
               (w == Received_Exchange && !Received_Exchange->isHidden());
    };
    auto at = std::find(order.begin(), order.end(), from);
    if (at == order.end()) {
        Call->setFocus();
        return;
    }
    const size_t start = size_t(at - order.begin());
    const size_t n = order.size();
    for (size_t i = 1; i <= n; ++i) {
        QWidget* w = order[forward ? (start + i) % n : (start + n - i) % n];
        if (stop(w)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void T_LogForm::webSearch(QWidget* field) {
    if (!contest_) return;
    bool ours = false;
    for (const char* c : SearchingStations)
        ours = ours || contest_->header.PCall == QLatin1String(c);
    auto* edit = qobject_cast<QLineEdit*>(field);
    if (!ours || (field != Call && field != Received_WWL) || !edit || edit->text().isEmpty())
        return;
    openUrl(QUrl(QString::fromLatin1(WebSearch) +
                 QString::fromLatin1(QUrl::toPercentEncoding(edit->text()))));
}

// ---- entering and leaving fields ------------------------------------------------------------

void T_LogForm::highlight(QWidget* field, bool on) {
    auto paint = [&](QWidget* w) {
        QPalette p = w->palette();
        p.setColor(QPalette::Base, on ? options.highlight : palette().color(QPalette::Base));
        p.setColor(QPalette::Button, on ? options.highlight : palette().color(QPalette::Button));
        w->setPalette(p);
    };
    if (field == Mode || field == ModeCombo) {
        paint(Mode);
        paint(ModeCombo);
    } else {
        paint(field);
    }
}

void T_LogForm::fieldEntered(QWidget* field) {
    if (highlighted_ && highlighted_ != field) highlight(highlighted_, false);
    highlighted_ = field;
    highlight(field, true);
    if (field == Call && lastDupe_ && Received_WWL->text() == options.locatorPrefix &&
        Received_QSO_number->text() == "0")
        clearEntryLine();
    if (field == Mode) {
        ModeCombo->setFocus();
        return;
    }
    // The caret goes to the end (the entry controls place their own).
    if (field == Call) Call->setCursorPosition(int(Call->text().size()));
}

void T_LogForm::fieldLeft(QWidget* field) {
    if (field == highlighted_) {
        highlight(field, false);
        highlighted_ = nullptr;
    }
    if (field == Received_QSO_number && !resetting_) {
        const QString t = Received_QSO_number->text();
        Received_QSO_number->setText(QString::number(t.isEmpty() ? 0 : t.toInt()));
    } else if (field == Call) {
        const QString wwl = Received_WWL->text();
        if (Call->text().size() > 2 && wwl.size() < 6 && !libraryLocators_.isEmpty()) {
            const QString first = libraryLocators_.first();
            if (first.size() == 6 && !first.contains('?') && contest_)
                QSO_azimuth->setText(degrees(Azimuth(contest_->header.PWWL, first)));
        }
    } else if (field == Received_Exchange && logOpen() && contest_->header.scoringType() == 1 &&
               Mode->text() == "FM" && Received_Exchange->text().toInt() > 0) {
        EntryValues e = entryValues();
        const bool ok = QsoPosting::LeaveExchangeField(*contest_, e, editedSentNumber_, reporter());
        if (Received_Exchange->text() != e.exchange) Received_Exchange->setText(e.exchange);
        if (!ok) {
            Received_Exchange->setFocus();
            highlight(Received_Exchange, true);
            highlighted_ = Received_Exchange;
        }
    }
}

// ---- lookups --------------------------------------------------------------------------------

void T_LogForm::callChange() {
    const bool open = logOpen();
    if (open && lastDupe_ && !editedSentNumber_) {
        contest_->logTable.last();
        Grid->followCursor();
    }
    search_->Search(Call->text(), currentBand(), Sent_QSO_number->text().toInt());
    Duplicate_QSO->clear();
    const bool dupe = search_->dupeFound();
    lastDupe_ = dupe;
    Grid->logModel()->setDupeSerial(dupe ? search_->dupeSentNumber() : 0);
    if (dupe) {
        Duplicate_QSO->setText("Dupe");
        if (open && !editedSentNumber_ &&
            contest_->logTable.locate("Sent_QSO_number", search_->dupeSentNumber()))
            Grid->followCursor();
        if (options.soundOnDupe) {
            Speaker& s = Platform::speaker();
            s.tone(800, 80);
            s.pause(40);
            s.tone(800, 40);
            s.pause(40);
            s.tone(800, 40);
        }
        if (options.showDupeStatus)
            showStatus("Dupe! Received QSO number: " +
                       QString::number(search_->dupeReceivedNumber()));
    } else {
        DisplayQRV->show();
        showStatus(QString());
    }
    DisplayQRV->DisplayQRV(search_->libraryBandsText(), search_->workedBandsText());
    const QStringList locators = search_->locators();
    showLibraryLocators(dupe ? QStringList() : locators);
    locatorTag_ = 1;
    if (!locators.isEmpty() && contest_) {
        // A library locator with "?" has no heading; "361°" would mislead.
        const int azimuth = Azimuth(contest_->header.PWWL, locators.first());
        if (azimuth != NoAzimuth) {
            azimuthTag_ = azimuth;
            QSO_azimuth->setText(degrees(azimuth));
        }
    }
}

void T_LogForm::showLibraryLocators(const QStringList& locators) {
    libraryLocators_ = search_->locators();
    shownLocators_ = int(std::min<qsizetype>(locators.size(), MaxLibraryLocators));
    for (int i = 0; i < MaxLibraryLocators; ++i) {
        TLibraryLocatorLabel* l = LibraryLocators[size_t(i)];
        if (i < shownLocators_) {
            if (l->text() != locators[i]) l->setText(locators[i]);
            l->show();
        } else {
            l->hide();
        }
    }
    layoutStatusLine();
}

void T_LogForm::clickLibraryLocator(int number) {
    if (number < 1 || number > shownLocators_) return;
    TLibraryLocatorLabel* l = LibraryLocators[size_t(number - 1)];
    Received_WWL->setText(l->text());
    locatorTag_ = number < shownLocators_ ? number + 1 : 1;
    Received_WWL->setCursorPosition(int(Received_WWL->text().size()));
}

void T_LogForm::locatorChange() {
    const QString wwl = Received_WWL->text();
    const auto tags = TagsOfLocator(contest_ ? contest_->header.PWWL : QString(), wwl);
    if (!tags) {
        // The distance tag keeps its value until the locator is complete again.
        azimuthTag_ = -1;
        QSO_distance->clear();
        QSO_azimuth->clear();
    } else {
        distanceTag_ = tags->distance;
        azimuthTag_ = tags->heading;
        QSO_distance->setText(QString::number(distanceTag_));
        QSO_azimuth->setText(azimuthTag_ < 0 ? "??" + QString(QChar(DegreeSign))
                                             : degrees(azimuthTag_));
    }
    if (contest_ && contest_->header.scoringType() == 1)
        showStatus(IsNewMultiplier(summary_.counted, wwl) ? "New mult!" : QString());
    qsoMap_->ShowLocator(wwl);
}

// ---- status line ----------------------------------------------------------------------------

void T_LogForm::showStatus(const QString& text) {
    StatusMessage->setText(text);
    StatusMessage->setVisible(!text.isEmpty());
    // A message hides the band display until a lookup without a dupe shows it again.
    if (!text.isEmpty()) DisplayQRV->hide();
    layoutStatusLine();
}

QString T_LogForm::statusText() const {
    return StatusMessage->isVisible() ? StatusMessage->text() : QString();
}

void T_LogForm::layoutStatusLine() {
    const int h = StatusLine->height();
    int right = StatusLine->width();
    for (int i = shownLocators_ - 1; i >= 0; --i) {
        TLibraryLocatorLabel* l = LibraryLocators[size_t(i)];
        const int w = l->fontMetrics().horizontalAdvance(l->text()) + 2;
        right -= w;
        l->setGeometry(right, 0, w, h);
        right -= 2;
    }
    const int left = std::max(0, right);
    DisplayQRV->setGeometry(0, 0, left, h);
    StatusMessage->setGeometry(0, 0, left, h);
}

// ---- clearing and posting -------------------------------------------------------------------

void T_LogForm::clearEntryLine() {
    if (editedSentNumber_ && logOpen()) {
        // The edit ends without the fields' values: the row stays as it was.
        if (contest_->logTable.editing()) contest_->logTable.cancel();
        editedSentNumber_ = 0;
        Grid->setEnabled(true);
    }
    showStatus(QString());
    fieldReset();
    Mode->setText(ModeCombo->currentText());
}

void T_LogForm::fieldReset() {
    // The fields are emptied for the next QSO, not left.
    resetting_ = true;
    Call->clear();
    Received_QSO_number->clear();
    Received_Exchange->clear();
    // The heading of the last QSO stays in view.
    const QString heading = QSO_azimuth->text();
    Received_WWL->setText(options.locatorPrefix);
    QSO_azimuth->setText(heading);
    locatorTag_ = 1;
    Duplicate_QSO->clear();
    modeChange();
    if (mode_ == PostContest)
        Time_->setFocus();
    else
        focusCall();
    resetting_ = false;
}

RuleReporter T_LogForm::reporter() {
    RuleReporter r;
    r.status = [this](const QString& text) { showStatus(text); };
    return r;
}

EntryValues T_LogForm::entryValues() const {
    EntryValues e;
    e.date = entryDate_;
    e.time = Time_->text();
    e.timeTagSeconds = timeTag_;
    e.band = Band->currentText();
    for (int i = 0; i < Band->count(); ++i)
        e.bandList << Band->itemText(i);
    e.frequencyKHz = station_->frequency();
    e.sentNumber = Sent_QSO_number->text();
    e.call = Call->text();
    e.mode = Mode->text();
    e.sentRst = Sent_RST->text();
    e.receivedRst = Received_RST->text();
    e.receivedNumber = Received_QSO_number->text();
    e.exchange = Received_Exchange->text();
    e.locator = Received_WWL->text();
    e.distanceTag = distanceTag_;
    e.headingTag = azimuthTag_;
    e.dupeLabel = Duplicate_QSO->text();
    e.op = contest_ ? contest_->activeOperator : QString();
    return e;
}

bool T_LogForm::validateAndPost() {
    if (!logOpen()) return false;
    const EntryValues e = entryValues();
    if (!QsoPosting::ValidateEntry(*contest_, e, editedSentNumber_)) return false;
    const bool stored = editedSentNumber_ ? QsoPosting::PostEdited(*contest_, e, editedSentNumber_)
                                          : QsoPosting::PostNew(*contest_, e, summary_.counted);
    if (!stored) return false;
    editedSentNumber_ = 0;
    afterRecordStored();
    fieldReset();
    return true;
}

void T_LogForm::afterRecordStored() {
    LogCursor& view = contest_->logTable;
    updateScoreLine();
    Grid->setEnabled(true);
    view.last();
    Grid->reload();
    Sent_QSO_number->setText(QString::number(view.recordCount() + 1));
    Mode->setText(ModeCombo->currentText());
    view.flush();
}

// ---- dialogs --------------------------------------------------------------------------------

void T_LogForm::setDateTime() {
    QString date = Date_->text();
    QString time = Time_->text();
    if (dateTimeDialog_->execute(date, time)) {
        setEntryDate(parseDate(date, entryDate_));
        Time_->setText(time);
    }
    Time_->deselect();
}

void T_LogForm::setOperator() {
    if (!contest_) return;
    if (const auto op = operatorDialog_->execute(contest_->activeOperator)) {
        contest_->activeOperator = *op;
        emit titlesChanged();
    }
}

// ---- focus, layout and fonts ----------------------------------------------------------------

void T_LogForm::escape() {
    keyer_->StopSending();
    if (mode_ == Browsing) mode_ = ContestEntry;
    focusCall();
}

bool T_LogForm::focusCall() {
    if (!Call->isEnabled() || !Call->isVisible()) return false;
    Call->setFocus();
    return true;
}

void T_LogForm::layoutEntryFields() {
    if (mode_ == Loading && contest_ && contest_->isOpen()) return;
    QWidget* fieldOf[ColumnCount] = {};
    fieldOf[int(Col::Time)] = Time_;
    fieldOf[int(Col::Call)] = Call;
    fieldOf[int(Col::Sent_RST)] = Sent_RST;
    fieldOf[int(Col::Sent_QSO_number)] = Sent_QSO_number;
    fieldOf[int(Col::Received_RST)] = Received_RST;
    fieldOf[int(Col::Received_QSO_number)] = Received_QSO_number;
    fieldOf[int(Col::Mode)] = Mode;
    fieldOf[int(Col::Received_Exchange)] = Received_Exchange;
    fieldOf[int(Col::Received_WWL)] = Received_WWL;
    fieldOf[int(Col::QSO_distance)] = QSO_distance;
    fieldOf[int(Col::QSO_azimuth)] = QSO_azimuth;
    fieldOf[int(Col::Duplicate_QSO)] = Duplicate_QSO;
    const int h = EntryPanelHeight - 4;
    int x = 1;
    bool first = true;
    QWidget* last = nullptr;
    for (const LogGrid::Placed& p : Grid->visibleColumns()) {
        QWidget* w = fieldOf[int(p.column)];
        if (!w) continue;
        const int width = first ? p.width + 13 : p.width;
        w->setGeometry(x, 2, width, h);
        x += width + 1;
        first = false;
        last = w;
    }
    if (last) last->resize(last->width() + 10, h);
    // The dupe mark follows the last field when its column is not shown.
    if (!Grid->columnShown(Col::Duplicate_QSO)) {
        x = last ? last->geometry().right() + 2 : x;
        Duplicate_QSO->setGeometry(x, 2, 60, h);
    }
    ModeCombo->setGeometry(Mode->geometry());
    Mode->raise();
}

void T_LogForm::setEntryFont(const QString& family) {
    entryFont_ = family;
    const int big = std::max(6, EntryPanelHeight - 12);
    const int small = big - 3;
    for (QWidget* w :
         std::initializer_list<QWidget*>{Time_, Call, Sent_RST, Sent_QSO_number, Received_RST,
                                         Received_QSO_number, Mode, Received_Exchange, Received_WWL,
                                         ModeCombo, QSO_distance, QSO_azimuth, Duplicate_QSO}) {
        QFont f = w->font();
        f.setFamily(family);
        const bool reportOrMode = w == Sent_RST || w == Received_RST || w == Mode || w == ModeCombo;
        f.setPixelSize(reportOrMode ? small : big);
        w->setFont(f);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{Date_, LabelODX}) {
        QFont f = w->font();
        f.setFamily(family);
        w->setFont(f);
    }
}
