#pragma once
#include "log/ContestFile.h"
#include "platform/IniFile.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QTimer;
class QToolButton;
class TRecentList;
class TTorvelDockGroup;
class T_LogForm;
class T_PartialCallSearch;

// The main window: menus, tool buttons and the dock area of the tool windows; it owns the
// start-up and shut-down order, the settings file, the titles and the open contest.
class T_Ostrelog : public QMainWindow {
    Q_OBJECT
  public:
    explicit T_Ostrelog(QWidget* parent = nullptr);
    ~T_Ostrelog() override;

    // The first showing: reopens LastOpened, restores windows, starts contest entry.
    // Runs from the first show event; tests may call it directly.
    void firstShow();

    // Contest operations of the File menu.
    void newContest();
    void openDialog();
    void openContest(const QString& path);
    void saveAs();
    void refreshTitles();
    void postContestSwitch();
    // After the header changed: band list rebuilt, kept at its position.
    void applyHeader();
    void importEdi();
    // Focus to the log window's call field when the window can take it.
    bool focusCall();
    void backupTick();

    // Fills a new contest's header before it is stored; false when cancelled.
    // The header dialog installs itself here.
    std::function<bool(ContestHeader&)> editHeader;

    ContestFile& contest() { return contest_; }
    IniFile& settings() { return settings_; }
    T_LogForm* logForm() const { return logForm_; }
    TTorvelDockGroup* logGroup() const { return logGroup_; }
    T_PartialCallSearch* partialSearch() const { return partial_; }
    TTorvelDockGroup* partialGroup() const { return partialGroup_; }
    TRecentList* recentList() const { return recent_.get(); }
    QAction* action(const QString& name) const;
    QMenu* menu(const QString& name) const;
    QToolButton* button(const QString& name) const;
    int captionWrites() const { return captionWrites_; }
    QString entryFontName() const { return entryFont_; }

  protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void buildMenus();
    void buildButtons();
    QAction* addCommand(QMenu* menu, const QString& name, const QString& caption,
                        std::function<void()> run, const QKeySequence& key = {});
    QAction* addHidden(QMenu* menu, const QString& name, const QString& caption);
    void enableMenus();
    void setCaption(const QString& caption);
    void toggleGroup(TTorvelDockGroup* group, QAction* check);

    IniFile settings_;
    ContestFile contest_;
    std::unique_ptr<TRecentList> recent_;
    T_LogForm* logForm_ = nullptr;
    TTorvelDockGroup* logGroup_ = nullptr;
    T_PartialCallSearch* partial_ = nullptr;
    TTorvelDockGroup* partialGroup_ = nullptr;
    QTimer* backupTimer_ = nullptr;
    QString entryFont_ = "Arial";
    QString lastFolder_;
    bool ready_ = false;
    bool shown_ = false;
    bool closed_ = false;
    int captionWrites_ = 0;
};
