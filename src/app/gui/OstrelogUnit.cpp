#include "OstrelogUnit.h"

#include "core/gui/TimeEdit.h"
#include "interchange/gui/DataUnit.h"
#include "interchange/gui/EdiDialogs.h"
#include "library/CallLibrary.h"
#include "library/gui/CPartialSearch.h"
#include "library/gui/PartialSearchUnit.h"
#include "log/gui/LogUnit.h"
#include "platform/FileChooser.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "ui/RecentListUnit.h"
#include "ui/TorvelDockGroup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "platform/Clock.h"

namespace {
QString backupFolder(const IniFile& settings) {
    return settings.readString("Backup", "BackupDirectory", Platform::homeFolder() + "Backup/");
}

const char* const NoContestCaption = "Please start new contest or open it from &File menu";
} // namespace

T_Ostrelog::T_Ostrelog(QWidget* parent)
    : QMainWindow(parent), settings_(Platform::homeFolder() + "Ostrelog.ini") {
    setObjectName("Ostrelog");
    // The operator's own entry font, when it ships beside the settings.
    const QString fontFile = Platform::homeFolder() + "T93Y.TTF";
    if (QFileInfo::exists(fontFile) && QFontDatabase::addApplicationFont(fontFile) >= 0)
        entryFont_ = "T93Y";
    setDockNestingEnabled(true);
    editHeader = headerDialogHook(this);
    setCaption("Ostrelog by Q9XYZ");

    restoreGeometry(
        QByteArray::fromBase64(settings_.readString("Ostrelog", "Geometry").toLatin1()));
    buildMenus();
    buildButtons();
    recent_ = std::make_unique<TRecentList>(settings_, menu("File"),
                                            [this](const QString& p) { openContest(p); });

    logForm_ = new T_LogForm;
    logForm_->setContest(&contest_);
    logGroup_ = new TTorvelDockGroup("Log", NoContestCaption, this);
    logGroup_->setWidget(logForm_);
    addDockWidget(Qt::TopDockWidgetArea, logGroup_);
    connect(logForm_, &T_LogForm::titlesChanged, this, &T_Ostrelog::refreshTitles);
    connect(logForm_, &T_LogForm::postContestEntered, this, [this] {
        // Typed "POSTCONTEST" changes the mode only; the button keeps its caption.
        logForm_->setMode(T_LogForm::PostContest);
    });

    // The partial call search follows the typing: the log window runs the window's search.
    partial_ = new T_PartialCallSearch;
    partialGroup_ = new TTorvelDockGroup("ParitalCallSearch", T_PartialCallSearch::Caption, this);
    partialGroup_->setWidget(partial_);
    addDockWidget(Qt::RightDockWidgetArea, partialGroup_);
    logForm_->setPartialSearch(partial_->PartialSearch());
    partial_->setCallField(logForm_->Call);
    connect(partial_, &T_PartialCallSearch::statusMessage, logForm_, &T_LogForm::showStatus);
    // An empty centre: the tool windows fill the dock area.
    auto* centre = new QWidget(this);
    centre->setMaximumSize(0, 0);
    setCentralWidget(centre);

    backupTimer_ = new QTimer(this);
    connect(backupTimer_, &QTimer::timeout, this, &T_Ostrelog::backupTick);
    enableMenus();
    ready_ = true;
}

T_Ostrelog::~T_Ostrelog() {
    if (!closed_) {
        contest_.writeDescriptor();
    }
    recent_.reset();
    settings_.writeString("Ostrelog", "Geometry", QString::fromLatin1(saveGeometry().toBase64()));
    if (contest_.descriptor())
        settings_.writeString("Main", "LastOpened", contest_.descriptorPath());
}

QAction* T_Ostrelog::addCommand(QMenu* menu, const QString& name, const QString& caption,
                                std::function<void()> run, const QKeySequence& key) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    if (run)
        connect(a, &QAction::triggered, this, [run] { run(); });
    else
        a->setEnabled(false); // its window is not built yet
    a->setProperty("built", bool(run));
    menu->addAction(a);
    // Shortcuts of hidden menus still work through the window.
    addAction(a);
    return a;
}

QAction* T_Ostrelog::addHidden(QMenu* menu, const QString& name, const QString& caption) {
    QAction* a = addCommand(menu, name, caption, nullptr);
    a->setVisible(false);
    return a;
}

void T_Ostrelog::buildMenus() {
    auto focus = [this] { focusCall(); };
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("File");
    addCommand(file, "New", "&New...", [this] { newContest(); });
    addCommand(file, "Open", "&Open...", [this] { openDialog(); });
    addCommand(file, "Save", "&Save", focus);
    addCommand(file, "SaveAs", "Save &As...", [this] { saveAs(); });
    addCommand(
        file, "Exit", "Exit", [this] { close(); }, QKeySequence("Alt+F4"));

    QMenu* io = menuBar()->addMenu("Import/Export");
    io->setObjectName("ImportExport");
    addCommand(io, "ImportEDI", "Import from EDI", [this] { importEdi(); });
    addCommand(io, "ExportEDI", "Export to EDI", [this] {
        exportEdiInteractive(contest_, logForm_->currentBand());
        focusCall();
    });
    addCommand(io, "ContestReport", "Contest report", nullptr);
    addCommand(io, "Notes", "Notes", nullptr);
    addCommand(io, "ImportADIF", "Import from ADIF", nullptr);
    addCommand(io, "ExportADIF", "Export to ADIF", nullptr);
    addHidden(io, "Recalculate", "Recalculate");

    QMenu* view = menuBar()->addMenu("View");
    view->setObjectName("View");
    QAction* log =
        addCommand(view, "ViewLog", "Log", [this] { toggleGroup(logGroup_, action("ViewLog")); });
    log->setCheckable(true);
    log->setChecked(true);
    addCommand(view, "ViewBandMap", "Band Map", nullptr);
    QAction* partial = addCommand(view, "ViewPartial", "Partial call search",
                                  [this] { toggleGroup(partialGroup_, action("ViewPartial")); });
    partial->setCheckable(true);
    partial->setChecked(true);
    addCommand(view, "ViewStatistics", "Statistics", nullptr, QKeySequence("Alt+S"));
    addCommand(view, "ViewKeyerStatus", "CW/Voice keyer status", nullptr);
    addCommand(view, "ViewPacketSpots", "PacketSpots", nullptr);
    addCommand(view, "ViewCluster", "Packet window - DXCluster", nullptr);
    addCommand(view, "ViewChat", "Chat window", nullptr);
    addCommand(view, "ViewShortcuts", "Keyboard shortcuts", nullptr, QKeySequence("Alt+H"));
    addCommand(view, "ViewClock", "Clock", nullptr);
    addCommand(view, "ViewQSOMap", "QSO Map", nullptr);
    addHidden(view, "ShortStatistics", "Short statistics");

    QMenu* db = menuBar()->addMenu("Database");
    db->setObjectName("Database");
    addCommand(db, "Refresh", "Refresh", [this] { contest_.logTable.refresh(); });
    addCommand(db, "ViewDBF", "View DBF", nullptr);

    QMenu* keyer = menuBar()->addMenu("Keyer");
    keyer->setObjectName("Keyer");
    keyer->menuAction()->setVisible(false);
    for (int i = 1; i <= 10; ++i) {
        addCommand(keyer, "F" + QString::number(i), "F" + QString::number(i), nullptr,
                   QKeySequence(Qt::Key_F1 + i - 1));
        addCommand(keyer, "SF" + QString::number(i), "SF" + QString::number(i), nullptr,
                   QKeySequence(Qt::SHIFT | (Qt::Key_F1 + i - 1)));
    }
    addCommand(
        keyer, "Escape", "Escape", [this] { logForm_->escape(); }, QKeySequence(Qt::Key_Escape));

    QMenu* settingsMenu = menuBar()->addMenu("Settings");
    settingsMenu->setObjectName("Settings");
    addCommand(settingsMenu, "UserData", "User data", [this] {
        if (editHeader && editHeader(contest_.header)) {
            applyHeader();
            contest_.writeDescriptor();
        }
        refreshTitles();
        focusCall();
    });
    addCommand(settingsMenu, "PortSetup", "Port setup", nullptr);
    addCommand(settingsMenu, "KeyerSettings", "CW/SSB keyer", nullptr);
    addCommand(settingsMenu, "Options", "Options", nullptr);

    QMenu* shortcuts = menuBar()->addMenu("Shortucts");
    shortcuts->setObjectName("Shortucts");
    shortcuts->menuAction()->setVisible(false);
    addCommand(shortcuts, "ToCallField", "ToCallField", focus, QKeySequence(Qt::Key_F12));

    QMenu* print = menuBar()->addMenu("Print");
    print->setObjectName("Print");
    print->menuAction()->setVisible(false);
    // No QSL printing is offered: the entry says so instead of pretending.
    addCommand(print, "QSLCards", "QSL Cards",
               [] { Platform::prompter().showMessage("QSL card printing is not available."); });

    QMenu* test = menuBar()->addMenu("Test");
    test->setObjectName("Test");
    test->menuAction()->setVisible(false);
    addHidden(test, "SimulateContest", "Simulate contest");
    addHidden(test, "StatusBar", "Status bar");

    QMenu* help = menuBar()->addMenu("Help");
    help->setObjectName("Help");
    addCommand(help, "About", "About", [this] {
        Platform::prompter().showMessage("Ostrelog\nVersion " + Platform::versionText());
    });
}

void T_Ostrelog::buildButtons() {
    QToolBar* bar = addToolBar("Buttons");
    bar->setObjectName("Buttons");
    bar->setMovable(false);
    auto add = [&](const QString& name, const QString& caption, const QString& hint,
                   std::function<void()> run) {
        auto* b = new QToolButton(bar);
        b->setObjectName(name);
        b->setText(caption);
        b->setToolTip(hint);
        b->setEnabled(bool(run));
        if (run) connect(b, &QToolButton::clicked, this, [run] { run(); });
        bar->addWidget(b);
        return b;
    };
    add("RecalculateScore", "Recalculate score", "", [this] { logForm_->updateScoreLine(); });
    add("ShowStatistics", "Show statistics", "", nullptr);
    add("CAT", "CAT", "Enable CIV interfacing", nullptr);
    add("DXC", "DXC", "Connect to DX cluster", nullptr);
    add("SHDX", "SH/DX", "Send SH/DX to DXCluster", nullptr);
    add("SPOT", "SPOT", "", nullptr);
    add("PostContest", "POSTCONTEST", "", [this] { postContestSwitch(); });
    add("CQFreq", "CQ FREQ", "", nullptr)->setVisible(false);
}

QAction* T_Ostrelog::action(const QString& name) const {
    return findChild<QAction*>(name);
}
QMenu* T_Ostrelog::menu(const QString& name) const {
    return findChild<QMenu*>(name);
}
QToolButton* T_Ostrelog::button(const QString& name) const {
    return findChild<QToolButton*>(name);
}

void T_Ostrelog::enableMenus() {
    const bool open = contest_.isOpen();
    for (const char* m : {"ImportExport", "View", "Settings"})
        menu(m)->setEnabled(open);
    for (QAction* a : findChildren<QAction*>())
        if (a->property("built").isValid() && !a->property("built").toBool()) a->setEnabled(false);
    action("ViewLog")->setEnabled(open);
    logForm_->setEnabled(open);
}

void T_Ostrelog::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!shown_) firstShow();
}

void T_Ostrelog::firstShow() {
    if (shown_) return;
    shown_ = true;
    logForm_->setMode(T_LogForm::Loading);
    logForm_->setEntryFont(entryFont_);
    contest_.close();
    const QString last = settings_.readString("Main", "LastOpened");
    if (!last.isEmpty()) openContest(last);
    logForm_->setMode(T_LogForm::Loading);
    // The call library of the home folder, or of the backup folder while the mirror is open.
    partial_->attachLibrary(CallLibrary::folderFor(Platform::homeFolder(), backupFolder(settings_),
                                                   contest_.mirrorOpen()));
    // Periodic backup, from the Backup section of the settings.
    const int interval = settings_.readInteger("Backup", "BackupInterval", 60);
    if (settings_.readBool("Backup", "EnableBackup", false) && interval > 0)
        backupTimer_->start(interval * 1000);
    logForm_->setMode(T_LogForm::ContestEntry);
    logForm_->Time_->setText(Platform::clock().utcNow().toString("hh:mm"));
    if (contest_.isOpen()) logForm_->modeChange();
    logForm_->layoutEntryFields();
    logForm_->updateScoreLine();
}

void T_Ostrelog::closeEvent(QCloseEvent* e) {
    logForm_->escape();
    contest_.writeDescriptor();
    closed_ = true;
    e->accept();
}

void T_Ostrelog::setCaption(const QString& caption) {
    if (windowTitle() == caption) return;
    setWindowTitle(caption);
    ++captionWrites_;
}

void T_Ostrelog::refreshTitles() {
    QApplication::setApplicationName("Ostrelog");
    if (!contest_.descriptor()) return;
    const ContestHeader& h = contest_.header;
    setCaption(h.TName + " (" + contest_.descriptorPath() + ") - Ostrelog by Q9KLM");
    const QString date =
        QLocale().toString(Platform::clock().utcNow().date(), QLocale::ShortFormat);
    logGroup_->setCaption(date + ", " + h.PCall + " - " + h.PWWL + " op. " +
                          contest_.activeOperator);
}

void T_Ostrelog::openContest(const QString& path) {
    const int mode = logForm_->mode();
    logForm_->setMode(T_LogForm::Loading);
    const bool ok = contest_.open(path);
    if (ok) {
        refreshTitles();
        contest_.openMirror(backupFolder(settings_));
    }
    if (contest_.descriptor()) {
        logForm_->contestOpened();
        refreshTitles();
    } else {
        logForm_->contestClosed();
    }
    enableMenus();
    logForm_->setMode(mode == T_LogForm::Loading ? T_LogForm::ContestEntry : mode);
    if (ok) recent_->add(contest_.descriptorPath());
    focusCall();
}

void T_Ostrelog::openDialog() {
    FileDialogRequest r{"Open vhf contest",
                        "Vhf contest|*.vhf",
                        "vhf",
                        lastFolder_,
                        lastFolder_.isEmpty() ? "*.vhf" : QString(),
                        false};
    const auto path = Platform::files().openFile(r);
    if (path) {
        lastFolder_ = QFileInfo(*path).absolutePath();
        openContest(*path);
    }
    focusCall();
}

void T_Ostrelog::newContest() {
    FileDialogRequest r{"Start new vhf contest",
                        "VHF contest|*.vhf",
                        "vhf",
                        lastFolder_.isEmpty() ? Platform::homeFolder() : lastFolder_,
                        {},
                        true};
    const auto path = Platform::files().saveFile(r);
    if (!path) return;
    lastFolder_ = QFileInfo(*path).absolutePath();
    ContestFile fresh;
    if (!fresh.create(*path)) return;
    ContestHeader header;
    header.load(IniFile(*path));
    if (settings_.readBool("General", "LoadDefaults", false)) {
        IniFile defaults(Platform::homeFolder() + "UserInfo.ini");
        header.loadGeneral(defaults);
        header.loadResponsible(defaults);
    }
    if (editHeader && !editHeader(header)) {
        // A contest without a header cannot be used; the files stay for a later open.
    }
    {
        IniFile ini(*path);
        IniFile::Batch batch(ini);
        header.save(ini);
    }
    refreshTitles();
    openContest(*path);
    focusCall();
}

void T_Ostrelog::saveAs() {
    FileDialogRequest r{
        "Save ZAR maraton contest as", "ZAR maraton|*.s5m", "s5m", lastFolder_, {}, true};
    const auto path = Platform::files().saveFile(r);
    if (path && contest_.isOpen() &&
        QFileInfo(*path).absoluteFilePath() != contest_.descriptorPath()) {
        if (contest_.saveAs(*path)) {
            contest_.close();
            openContest(*path);
        }
    }
    focusCall();
}

void T_Ostrelog::applyHeader() {
    // The band list is rebuilt and the same position chosen again, whichever band that is now.
    logForm_->rebuildBandList(contest_.header.contestBandNames());
    if (contest_.isOpen()) logForm_->bandChange();
}

void T_Ostrelog::importEdi() {
    const EdiImport::Result r = importEdiInteractive(contest_);
    if (r.ok) {
        applyHeader();
        refreshTitles();
        logForm_->showStatus(EdiImport::statusText(r.qsoCount));
    }
    focusCall();
}

void T_Ostrelog::postContestSwitch() {
    QToolButton* b = button("PostContest");
    const bool toPost = b->text() == "POSTCONTEST";
    logForm_->setMode(toPost ? T_LogForm::PostContest : T_LogForm::ContestEntry);
    b->setText(toPost ? "CONTEST" : "POSTCONTEST");
    menu("Print")->menuAction()->setVisible(toPost);
}

bool T_Ostrelog::focusCall() {
    if (!ready_ || logGroup_->isHidden()) return false;
    QWidget* call = logForm_->Call;
    QWidget* panel = call->parentWidget();
    for (QWidget* w : {call, panel, panel ? panel->parentWidget() : nullptr})
        if (!w || !w->isEnabled() || w->isHidden()) return false;
    call->setFocus();
    return true;
}

void T_Ostrelog::toggleGroup(TTorvelDockGroup* group, QAction* check) {
    const bool visible = group->toggle();
    check->setChecked(visible);
    focusCall();
}

void T_Ostrelog::backupTick() {
    if (contest_.isOpen())
        contest_.backup(backupFolder(settings_), [] { QApplication::processEvents(); });
}
