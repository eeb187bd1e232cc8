#pragma once
#include "LogHooks.h"
#include "core/gui/LocatorEdit.h"
#include "core/gui/NREdit.h"
#include "core/gui/RSTEdit.h"
#include "core/gui/TimeEdit.h"
#include "log/Contest.h"

#include <QColor>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class ContestFile;
class LogGrid;
class QTimer;
class TCPartialSearch;
class TDisplayQRV;
class TStation;
class T_Operator;
class T_SetDateTime;
struct EntryValues;
struct RuleReporter;

// A clickable locator of the call library in the status line, underlined under the mouse.
class TLibraryLocatorLabel : public QLabel {
    Q_OBJECT
  public:
    TLibraryLocatorLabel(int number, QWidget* parent);
    int number() const { return number_; }
    void click() { emit clicked(number_); }

  signals:
    void clicked(int number);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    int number_;
};

// The log window: the band's log in a grid and, under it, the entry line where the operator
// types the QSO being made, with its live lookups (dupe, call library, distance, heading,
// new multiplier), its keys and call-field commands, and the clock that fills date, time and
// the next serial number.
class T_LogForm : public QWidget {
    Q_OBJECT
  public:
    enum Mode { ContestEntry = 0, Browsing = 1, Loading = 2, PostContest = 3 };
    static constexpr int MaxLibraryLocators = 10;

    // Settings the options dialog applies.
    struct Options {
        QColor highlight{128, 255, 128};
        QString locatorPrefix = "JN";
        bool soundOnDupe = true;
        bool showDupeStatus = true;
        int refreshInterval = 6;   // clock ticks of 500 ms between re-reads of the table
        int transverterOffset = 0; // kHz added to the radio's frequency
        bool autoNickname = true;
    };

    explicit T_LogForm(QWidget* parent = nullptr);
    ~T_LogForm() override;

    void setContest(ContestFile* contest) { contest_ = contest; }
    ContestFile* contest() const { return contest_; }
    int mode() const { return mode_; }
    void setMode(int mode);
    Options options;

    // After a contest was opened (or failed to open): band list from the contest bands,
    // advanced by one entry, then the stored band selected; mode list at ActiveMode.
    void contestOpened();
    void contestClosed();
    // Refills the band list with the names, keeping the selected position.
    void rebuildBandList(const QStringList& bands);
    QString currentBand() const;
    // fromList: the operator chose the band in the list (the call field gets the focus).
    void bandChange(bool fromList = false);
    // Alt+B and "QSY": the next contest band, wrapping.
    void nextBand();
    void modeChange();
    // Alt+M: the next entry of the mode list, wrapping.
    void nextMode();
    // Esc: stop sending, leave browsing, focus the call field.
    void escape();
    bool focusCall();
    void setEntryFont(const QString& family);
    QString entryFont() const { return entryFont_; }

    // Alt+W, F11.
    void clearEntryLine();
    // After every posting and as part of clearing.
    void fieldReset();
    // A red message over the status line; empty text clears it.
    void showStatus(const QString& text);
    QString statusText() const;
    // The clock's tick (every 500 ms): date, time, serial number, periodic re-read.
    void clockTick();
    // Enter in the call, received-number or locator field: validation, then posting.
    bool validateAndPost();
    // What the entry line holds, for the validation and posting rules.
    EntryValues entryValues() const;

    // Live lookups, run by the fields' changes.
    void callChange();
    void locatorChange();
    // The set-date-and-time dialog (double click on the time, "DATE", "TIME").
    void setDateTime();
    // "OPON": the set-operator dialog.
    void setOperator();
    // Clicks the library-locator label with this number (1 = leftmost).
    void clickLibraryLocator(int number);
    // Lays the entry fields out under the grid's visible columns.
    void layoutEntryFields();

    // Tags of the entry line.
    int distanceTag() const { return distanceTag_; }
    int azimuthTag() const { return azimuthTag_; }
    int locatorTag() const { return locatorTag_; }
    int timeTag() const { return timeTag_; }
    QDate entryDate() const { return entryDate_; }
    // Serial number of the QSO being edited; 0 when a new QSO is entered.
    int editedSentNumber() const { return editedSentNumber_; }
    const TContest& summary() const { return summary_; }
    // Full recount of the band and the score line ("Recalculate score", after changes).
    void updateScoreLine();
    bool lastLookupDupe() const { return lastDupe_; }

    // The station driver (a base driver until CAT replaces it) and its wiring.
    TStation* station() const { return station_.get(); }
    void setStation(std::unique_ptr<TStation> station);
    // Where the driver's telegrams go (the CAT port); dropped while unset.
    std::function<void(const QByteArray&)> sendTelegram;
    // Handlers of the driver's events.
    void OnChangeFrequency(double kHz);
    void OnChangeMode(int code);

    // The partial search used by the call lookup: the partial-search window's control when
    // one is handed over, else the window's own hidden one.
    void setPartialSearch(TCPartialSearch* search);
    TCPartialSearch* partialSearch() const { return search_; }
    // The call library for the window's own search (the partial-search window's library).
    void setCallLibrary(const class CallLibrary* library);

    // Hooks to other windows; do-nothing defaults until they are set.
    void setKeyer(TKeyerHook* h) { keyer_ = h ? h : &noKeyer_; }
    void setQsoMap(TQsoMapHook* h) { qsoMap_ = h ? h : &noMap_; }
    void setSpotList(TSpotListHook* h) { spots_ = h ? h : &noSpots_; }
    void setChat(TChatHook* h) { chat_ = h ? h : &noChat_; }
    void setClockWindow(TClockHook* h) { clockWindow_ = h ? h : &noClock_; }
    void setCluster(TClusterHook* h) { cluster_ = h ? h : &noCluster_; }
    // Opens a web address (the system browser unless a test replaces it).
    std::function<void(const QUrl&)> openUrl;

    T_SetDateTime* dateTimeDialog() const { return dateTimeDialog_; }
    T_Operator* operatorDialog() const { return operatorDialog_; }
    QTimer* clockTimer() const { return clockTimer_; }

    // The entry line.
    TTimeEdit* Time_;
    QLineEdit* Call;
    TRSTEdit* Sent_RST;
    TNREdit* Sent_QSO_number;
    TRSTEdit* Received_RST;
    TNREdit* Received_QSO_number;
    QLineEdit* Mode;
    TNREdit* Received_Exchange;
    TLocatorEdit* Received_WWL;
    QComboBox* ModeCombo;
    QComboBox* Band;
    QLabel* Date_;
    QLabel* QSO_distance;
    QLabel* QSO_azimuth;
    QLabel* Duplicate_QSO;
    QLabel* LabelFrequency;
    QLabel* LabelODX;
    QLabel* LabelScore; // the same label as LabelODX
    TDisplayQRV* DisplayQRV;
    QLabel* StatusMessage;
    std::vector<TLibraryLocatorLabel*> LibraryLocators; // 1..10 from the left
    QWidget* EntryPanel;
    QWidget* StatusLine;
    LogGrid* Grid;

  signals:
    void bandChanged(const QString& band);
    // "POSTCONTEST" typed into the call field switched to post-contest entry.
    void postContestEntered();
    // The operator changed: the titles show it.
    void titlesChanged();
    // A poll tick of the station driver (the CAT button's colour).
    void rigPolled(bool answered);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool keyPress(QWidget* field, QKeyEvent* event);
    bool shortcutKey(QWidget* field, QKeyEvent* event);
    void enterOrSpace(QWidget* field, bool enter);
    bool runCallCommand(const QString& text);
    void focusNextStop(QWidget* from, bool forward = true);
    void fieldEntered(QWidget* field);
    void fieldLeft(QWidget* field);
    void highlight(QWidget* field, bool on);
    void webSearch(QWidget* field);
    void setEntryDate(const QDate& date);
    void afterRecordStored();
    void showLibraryLocators(const QStringList& locators);
    void layoutStatusLine();
    void wireStation();
    void closeProgram();
    RuleReporter reporter();
    bool logOpen() const;
    std::vector<QWidget*> entryFields() const;

    ContestFile* contest_ = nullptr;
    int mode_ = Loading;
    QString entryFont_ = "Arial";
    TContest summary_;
    QDate entryDate_;
    int distanceTag_ = 0;
    int azimuthTag_ = -1;
    int locatorTag_ = 1;
    int timeTag_ = 0;
    int editedSentNumber_ = 0;
    bool lastDupe_ = false;
    int ticks_ = 0;
    int shownLocators_ = 0;
    QStringList libraryLocators_;
    bool inBandChange_ = false;
    bool resetting_ = false;
    QWidget* highlighted_ = nullptr;

    std::unique_ptr<TStation> station_;
    TCPartialSearch* ownSearch_;
    TCPartialSearch* search_;
    QTimer* clockTimer_;
    T_SetDateTime* dateTimeDialog_;
    T_Operator* operatorDialog_;

    TKeyerHook noKeyer_;
    TQsoMapHook noMap_;
    TSpotListHook noSpots_;
    TChatHook noChat_;
    TClockHook noClock_;
    TClusterHook noCluster_;
    TKeyerHook* keyer_ = &noKeyer_;
    TQsoMapHook* qsoMap_ = &noMap_;
    TSpotListHook* spots_ = &noSpots_;
    TChatHook* chat_ = &noChat_;
    TClockHook* clockWindow_ = &noClock_;
    TClusterHook* cluster_ = &noCluster_;
};
