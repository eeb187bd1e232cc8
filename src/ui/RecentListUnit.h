#pragma once
#include <QObject>
#include <QStringList>
#include <functional>

class IniFile;
class QMenu;
class QAction;

// The last five contest files, most recent first, kept in section "RecentFiles"
// (Item00 the most recent ... Item40) and shown in the File menu between two separators.
class TRecentList : public QObject {
    Q_OBJECT
  public:
    static constexpr int Capacity = 5;
    TRecentList(IniFile& settings, QMenu* fileMenu, std::function<void(const QString&)> open,
                QObject* parent = nullptr);
    ~TRecentList() override;

    void add(const QString& path);
    const QStringList& paths() const { return paths_; }
    // Writes the entries to the settings file.
    void save();
    QList<QAction*> entries() const { return entries_; }

  private:
    void refreshMenu();

    IniFile& settings_;
    QMenu* menu_;
    std::function<void(const QString&)> open_;
    QStringList paths_;
    QList<QAction*> entries_;
    QAction* start_ = nullptr;
};
