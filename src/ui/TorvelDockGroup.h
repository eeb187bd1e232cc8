#pragma once
#include <QDockWidget>

// The container of every tool window: a dock group of the main window's dock area,
// named by its settings section ("Log", "Clock", ...).
class TTorvelDockGroup : public QDockWidget {
    Q_OBJECT
  public:
    TTorvelDockGroup(const QString& section, const QString& caption, QWidget* parent = nullptr);
    QString section() const { return objectName(); }
    // Flips visibility and brings the group to the front; gives the new visibility.
    bool toggle();
    // Writes the caption only when it differs (floating frames share it).
    void setCaption(const QString& caption);
    int captionWrites() const { return captionWrites_; }

  private:
    int captionWrites_ = 0;
};
