#pragma once
#include "QsoRecord.h"

#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

// An error of the table engine. Damaged: the table's file is damaged and a repair may help.
// Other: anything else (not a log table, missing files, a refused write such as a repeated
// primary key); message is the engine's own text.
struct TableError : std::runtime_error {
    enum Kind { Damaged, Other };
    TableError(Kind k, const QString& m)
        : std::runtime_error(m.toStdString()), kind(k), message(m) {}
    Kind kind;
    QString message;
};

// The log table on SQLite: <base>.dat holds the rows and their five indexes; <base>.idx beside
// it holds the index definitions and text-index settings. Both must exist to open.
namespace TableEngine {
QString idxPathFor(const QString& datPath);
bool exists(const QString& folder, const QString& tableName);
// Creates the empty table with its columns, indexes and text-index settings; nothing when
// the table exists.
void create(const QString& datPath);
struct RepairResult {
    bool repaired = false;
    int recordCount = 0;
};
// Rebuilds a damaged table from every row that can still be read; the damaged file is kept
// as <base>.dat.damaged. Nothing is changed when the table is sound.
RepairResult repair(const QString& datPath);
// A consistent copy (also while others are writing), with its index file.
void copy(const QString& datPath, const QString& destDatPath);
// The text-index settings written into <base>.idx.
QStringList stopWords();
QByteArray spaceChars();
QByteArray includeChars();
} // namespace TableEngine

class SharedTable;

// One view of an open log table with its own index, range, filter and position.
// Reading is from a snapshot that follows this program's own writes at once and other
// programs' writes at the next refresh().
class LogCursor {
  public:
    LogCursor();
    ~LogCursor();
    LogCursor(const LogCursor&) = delete;
    LogCursor& operator=(const LogCursor&) = delete;

    void setTable(const QString& folder, const QString& tableName);
    QString datPath() const { return datPath_; }
    void open(); // throws TableError
    void close();
    bool active() const { return table_ != nullptr; }

    // "" (the primary index), "ByCall", "ByBand", "ByWWL" or "ByBaseCall".
    void setIndex(const QString& indexName);
    QString indexName() const;
    // Range on the first column of the index, both ends included.
    void setRange(const QString& startKey, const QString& endKey);
    void cancelRange();
    // "Column=value" (the value may be quoted); an empty expression removes the filter.
    void setFilter(const QString& expression);

    void first();
    void last();
    void next();
    void prior();
    int moveBy(int n);
    int recNo() const; // from 1; 0 when empty
    void setRecNo(int n);
    bool bof() const {
        sync();
        return bof_;
    }
    bool eof() const {
        sync();
        return eof_;
    }
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    bool locate(const QString& column, const QVariant& value);

    // The current row (an empty record when there is none).
    const QsoRecord& current() const;
    QVariant value(const QString& column) const;
    // Every row of the view in index order.
    const std::vector<QsoRecord>& rows() const;

    // Writing. appendValues stores a row at once; edit/append + setValue + post change one.
    void appendValues(const QVariantList& values);
    void appendRecord(QsoRecord record);
    // Stores all rows or none.
    void appendRecords(const std::vector<QsoRecord>& records);
    // Runs the writes of work as one transaction: all are stored, or none when it throws.
    void transaction(const std::function<void()>& work);
    void edit();
    void append();
    void setValue(const QString& column, const QVariant& v);
    bool editing() const { return state_ != State::Browse; }
    QsoRecord& buffer() { return buffer_; }
    void post();
    void cancel();
    void remove();

    // Deletes every row of the band (whatever the cursor's range) and stores the records with
    // that band, in one transaction: on an error nothing has changed. Every cursor on the
    // table sees the result; this one is at its first row.
    void replaceBand(const QString& band, std::vector<QsoRecord> records);
    // Stores changed rows (found by rowId) in one transaction.
    void updateRecords(const std::vector<QsoRecord>& records);

    // Brings in rows that other programs wrote since the last look.
    void refresh();
    void flush();

  private:
    enum class State { Browse, Edit, Insert };
    void sync() const;
    void reload() const;
    void applyPending() const;
    bool accepts(const QsoRecord& r) const;
    bool less(const QsoRecord& a, const QsoRecord& b) const;
    void placeAt(qint64 rowId);

    QString folder_, tableName_, datPath_;
    std::shared_ptr<SharedTable> table_;
    int index_ = 0;
    bool hasRange_ = false;
    QString rangeStart_, rangeEnd_;
    int filterColumn_ = -1;
    QString filterValue_;
    mutable std::vector<QsoRecord> rows_;
    mutable qint64 seenGeneration_ = -1;
    mutable bool stale_ = false;
    mutable int pos_ = 0;
    mutable bool bof_ = true, eof_ = true;
    State state_ = State::Browse;
    QsoRecord buffer_;
};

// The ordered read-only query, stated as SQL:
//   SELECT * FROM "<table>.dat" [WHERE Band='<band>'] ORDER BY col[,col...] [ASC|DESC]
// The table is looked up in folder. Throws TableError for anything else.
std::vector<QsoRecord> queryLog(const QString& folder, const QString& sql);
