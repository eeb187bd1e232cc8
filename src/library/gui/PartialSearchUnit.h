#pragma once
#include "library/CallLibrary.h"

#include <QPointer>
#include <QWidget>

class QAction;
class QLineEdit;
class LogCursor;
class TCPartialSearch;

// The "Partial call search" window: the partial search control filling it, the call library
// it searches, and the context-menu command that imports a library file. It is a plain
// widget for a dock group (TTorvelDockGroup) of the main window.
//
// Start-up: attachLibrary(CallLibrary::folderFor(home, backupFolder, mirrorOpen)).
// Contest opened: setLogDataSet(&contest.searchTable); before it closes: setLogDataSet(nullptr).
// The log window calls PartialSearch()->Search(...) on every change of its call field.
class T_PartialCallSearch : public QWidget {
    Q_OBJECT
  public:
    static constexpr const char* Caption = "Partial call search";
    static constexpr const char* ImportCommand = "Import from Ostrelog library (*.vhf)";

    explicit T_PartialCallSearch(QWidget* parent = nullptr);
    ~T_PartialCallSearch() override;

    TCPartialSearch* PartialSearch() const { return search_; }
    CallLibrary& library() { return library_; }

    // Closes the library and opens the one in the folder (created empty when missing), then
    // hands it to the control. A table that cannot be read is told to the operator.
    bool attachLibrary(const QString& folder);
    void setLogDataSet(LogCursor* log);

    // Where a clicked callsign goes: the log window's call field.
    void setCallField(QLineEdit* call);

    // The context-menu command: asks for a file and imports it into the library.
    void importLibrary();
    QAction* importAction() const { return importAction_; }

  signals:
    // Status texts for the log window's status panel ("Imported k QSOs to Library!").
    void statusMessage(const QString& text);
    // A listed callsign was clicked.
    void callClicked(const QString& call);

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void onCallClicked(const QString& call);

    TCPartialSearch* search_;
    QAction* importAction_;
    CallLibrary library_;
    QPointer<QLineEdit> callField_;
    bool importing_ = false;
};
