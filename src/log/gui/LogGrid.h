#pragma once
#include "log/QsoRecord.h"

#include <QAbstractTableModel>
#include <QTableView>

class LogCursor;

// The band's QSOs as the grid shows them: one row per row of the log view cursor.
class LogGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit LogGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void setCursor(LogCursor* cursor);
    LogCursor* cursor() const { return cursor_; }
    // Takes in the cursor's rows anew (after a band change, a posting, a refresh).
    void reload();
    // The QSO drawn in red and bold: the dupe found by the last call lookup; 0 for none.
    void setDupeSerial(int serial);
    int dupeSerial() const { return dupeSerial_; }

    static QString title(Col c);
    // The grid's columns have their own order (their creation numbers 0 to 24, which the
    // saved layout uses): the record column shown in a grid column, and back.
    static Col columnAt(int section);
    static int sectionOf(Col c);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

  private:
    LogCursor* cursor_ = nullptr;
    int count_ = 0;
    int dupeSerial_ = 0;
};

// The log grid over the log view cursor: read-only, no tab stop, the columns of the log table
// with their titles, the current QSO selected.
class LogGrid : public QTableView {
    Q_OBJECT
  public:
    explicit LogGrid(QWidget* parent = nullptr);

    LogGridModel* logModel() const { return model_; }
    void setCursor(LogCursor* cursor);
    // Rows anew from the cursor, then the cursor's row selected.
    void reload();
    // Selects and shows the cursor's current row.
    void followCursor();

    // Which columns are shown: browsing adds Date and Operator, Remarks in type 0 and the FM
    // channel in type 1; outside browsing the FM channel shows in type 1 with mode "FM".
    void applyVisibility(bool browsing, int contestType, const QString& mode);
    bool columnShown(Col c) const { return !isColumnHidden(LogGridModel::sectionOf(c)); }
    // Visible columns, left to right, with their widths.
    struct Placed {
        Col column;
        int width;
    };
    std::vector<Placed> visibleColumns() const;

  signals:
    void mouseMoved();

  protected:
    bool viewportEvent(QEvent* event) override;

  private:
    LogGridModel* model_;
};
