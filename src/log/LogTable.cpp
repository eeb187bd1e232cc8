#include "LogTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <map>
#include <sqlite3.h>

namespace {
constexpr const char* kTable = "QSO";

struct IndexDef {
    const char* name;
    std::vector<Col> cols;
    bool unique;
};
const std::vector<IndexDef>& indexDefs() {
    static const std::vector<IndexDef> defs{
        {"Primary", {Col::Date, Col::Time, Col::Band, Col::Sent_QSO_number, Col::Call}, true},
        {"ByCall", {Col::Call, Col::Date, Col::Time, Col::Sent_QSO_number}, false},
        {"ByBand", {Col::Band, Col::Sent_QSO_number, Col::Date, Col::Time}, false},
        {"ByWWL",
         {Col::Received_WWL, Col::Call, Col::Date, Col::Time, Col::Sent_QSO_number},
         false},
        {"ByBaseCall", {Col::BaseCall, Col::Date, Col::Time, Col::Sent_QSO_number}, false},
    };
    return defs;
}

bool isInteger(Col c) {
    return c == Col::Sent_QSO_number || c == Col::Received_QSO_number || c == Col::QSO_points ||
           c == Col::QSO_distance || c == Col::QSO_azimuth;
}

QString engineMessage(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

TableError::Kind kindOf(int rc) {
    rc &= 0xFF;
    return rc == SQLITE_CORRUPT ? TableError::Damaged : TableError::Other;
}

[[noreturn]] void fail(sqlite3* db, int rc) {
    throw TableError(kindOf(rc), engineMessage(db));
}

// A prepared statement that finalizes itself.
class Stmt {
  public:
    Stmt(sqlite3* db, const QString& sql) : db_(db) {
        const QByteArray s = sql.toUtf8();
        const int rc = sqlite3_prepare_v2(db, s.constData(), int(s.size()), &st_, nullptr);
        if (rc != SQLITE_OK) fail(db, rc);
    }
    ~Stmt() { sqlite3_finalize(st_); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;
    sqlite3_stmt* get() const { return st_; }
    // True for a row, false when done; throws on error.
    bool step() {
        const int rc = sqlite3_step(st_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        fail(db_, rc);
    }
    void bindText(int i, const QString& v) {
        const QByteArray b = v.toUtf8();
        sqlite3_bind_text(st_, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    void bindInt(int i, qint64 v) { sqlite3_bind_int64(st_, i, v); }

  private:
    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
};

void exec(sqlite3* db, const char* sql) {
    char* msg = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &msg);
    if (rc != SQLITE_OK) {
        QString m = msg ? QString::fromUtf8(msg) : engineMessage(db);
        sqlite3_free(msg);
        throw TableError(kindOf(rc), m);
    }
}

sqlite3* openDb(const QString& path, int flags) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString m = db ? engineMessage(db) : QString("cannot open %1").arg(path);
        sqlite3_close(db);
        throw TableError(TableError::Other, m);
    }
    sqlite3_busy_timeout(db, 10000);
    sqlite3_extended_result_codes(db, 0);
    return db;
}

struct DbCloser {
    sqlite3* db;
    ~DbCloser() { sqlite3_close(db); }
};

QString columnList() {
    QStringList names;
    for (const QString& n : LogColumns::names())
        names << '"' + n + '"';
    return names.join(',');
}

QString selectSql() {
    return "SELECT rowid," + columnList() + " FROM " + kTable;
}

QString text(sqlite3_stmt* st, int i) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(st, i)) : QString();
}

int digits(const unsigned char* p, int n) {
    int v = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9') return -1;
        v = v * 10 + (p[i] - '0');
    }
    return v;
}

// "yyyy-MM-dd" and "hh:mm:ss" without the general parsers, which dominate reading a log.
QDate dateAt(sqlite3_stmt* st, int i) {
    const unsigned char* p = sqlite3_column_text(st, i);
    if (!p || sqlite3_column_bytes(st, i) != 10) return {};
    return QDate(digits(p, 4), digits(p + 5, 2), digits(p + 8, 2));
}

QTime timeAt(sqlite3_stmt* st, int i) {
    const unsigned char* p = sqlite3_column_text(st, i);
    if (!p || sqlite3_column_bytes(st, i) != 8) return {};
    return QTime(digits(p, 2), digits(p + 3, 2), digits(p + 6, 2));
}

QsoRecord readRow(sqlite3_stmt* st) {
    QsoRecord r;
    r.rowId = sqlite3_column_int64(st, 0);
    r.Date = dateAt(st, 1);
    r.Time = timeAt(st, 2);
    r.Band = text(st, 3);
    r.Freq = text(st, 4);
    r.Sent_QSO_number = sqlite3_column_int(st, 5);
    r.Call = text(st, 6);
    r.BaseCall = text(st, 7);
    r.Mode = text(st, 8);
    r.Sent_RST = text(st, 9);
    r.Received_RST = text(st, 10);
    r.Received_QSO_number = sqlite3_column_int(st, 11);
    r.Received_Exchange = text(st, 12);
    r.Received_WWL = text(st, 13);
    r.QSO_points = sqlite3_column_int(st, 14);
    r.QSO_distance = sqlite3_column_int(st, 15);
    r.QSO_azimuth = sqlite3_column_int(st, 16);
    r.New_Exchange = text(st, 17);
    r.New_WWL = text(st, 18);
    r.New_DXCC = text(st, 19);
    r.Duplicate_QSO = text(st, 20);
    r.Remarks = text(st, 21);
    r.Sent_QSL = text(st, 22);
    r.Received_QSL = text(st, 23);
    r.Operator = text(st, 24);
    // A local wall-clock time kept without a zone: looking the zone up for every row of a
    // large log costs more than reading it.
    if (const unsigned char* p = sqlite3_column_text(st, 25);
        p && sqlite3_column_bytes(st, 25) == 19)
        r.Last_updated =
            QDateTime(QDate(digits(p, 4), digits(p + 5, 2), digits(p + 8, 2)),
                      QTime(digits(p + 11, 2), digits(p + 14, 2), digits(p + 17, 2)), Qt::UTC);
    return r;
}

// Binds the 25 values from parameter first on.
void bindRecord(Stmt& s, const QsoRecord& r, int first) {
    for (int i = 0; i < ColumnCount; ++i) {
        const Col c = Col(i);
        const int p = first + i;
        if (isInteger(c)) {
            s.bindInt(p, r.value(c).toLongLong());
        } else if (c == Col::Date) {
            if (r.Date.isValid()) s.bindText(p, r.Date.toString(Qt::ISODate));
        } else if (c == Col::Time) {
            if (r.Time.isValid()) s.bindText(p, r.Time.toString("hh:mm:ss"));
        } else if (c == Col::Last_updated) {
            if (r.Last_updated.isValid())
                s.bindText(p, r.Last_updated.toString("yyyy-MM-dd hh:mm:ss"));
        } else {
            s.bindText(p, r.value(c).toString().left(LogColumns::width(c)));
        }
    }
}

void createSchema(sqlite3* db) {
    QStringList cols;
    for (int i = 0; i < ColumnCount; ++i)
        cols << '"' + LogColumns::name(Col(i)) + "\" " + (isInteger(Col(i)) ? "INTEGER" : "TEXT");
    QString sql = QString("CREATE TABLE %1 (%2);").arg(kTable, cols.join(','));
    for (const IndexDef& d : indexDefs()) {
        QStringList keys;
        for (Col c : d.cols)
            keys << '"' + LogColumns::name(c) + '"';
        sql += QString("CREATE %1INDEX \"%2\" ON %3(%4);")
                   .arg(d.unique ? "UNIQUE " : "", d.name, kTable, keys.join(','));
    }
    exec(db, sql.toUtf8().constData());
}

void setDurable(sqlite3* db) {
    // A rollback journal (not WAL) so that a contest on a shared network folder works.
    exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;");
}

QByteArray idxText() {
    QByteArray out = "[Indexes]\r\n";
    for (const IndexDef& d : indexDefs()) {
        QStringList keys;
        for (Col c : d.cols)
            keys << LogColumns::name(c);
        out += QByteArray(d.name) + '=' + keys.join(';').toLatin1() +
               (d.unique ? ";primary;unique" : "") + "\r\n";
    }
    out += "\r\n[TextIndex]\r\nStopWords=" + TableEngine::stopWords().join(' ').toLatin1() + "\r\n";
    out += "SpaceChars=" + TableEngine::spaceChars().toHex() + "\r\n";
    out += "IncludeChars=" + TableEngine::includeChars().toHex() + "\r\n";
    return out;
}

void writeFileAtomic(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw TableError(TableError::Other, "Cannot write " + path);
}

// Reads every row that can still be read, stepping over damaged pages.
std::vector<QsoRecord> readTolerant(sqlite3* db) {
    std::vector<QsoRecord> out;
    const QString sql = selectSql() + " WHERE rowid >= ? ORDER BY rowid";
    auto readFrom = [&](qint64 from, bool collect) -> std::pair<bool, qint64> {
        // Returns (reached the end cleanly, last rowid read).
        qint64 last = from - 1;
        try {
            Stmt s(db, sql);
            s.bindInt(1, from);
            while (s.step()) {
                if (!collect) return {false, sqlite3_column_int64(s.get(), 0)};
                out.push_back(readRow(s.get()));
                last = out.back().rowId;
            }
            return {true, last};
        } catch (const TableError&) {
            return {false, collect ? last : -1};
        }
    };
    qint64 from = std::numeric_limits<qint64>::min() + 1;
    for (;;) {
        auto [done, last] = readFrom(from, true);
        if (done) break;
        // Damage after `last`: find the first rowid from which reading works again.
        qint64 bad = std::max(last, from);
        qint64 step = 1, good = -1;
        while (step < (qint64(1) << 40)) {
            auto [ok, _] = readFrom(bad + step, false);
            (void)_;
            const bool readable = ok || readFrom(bad + step, false).second >= 0;
            if (readable) {
                good = bad + step;
                break;
            }
            step *= 2;
        }
        if (good < 0) break;
        qint64 lo = bad + step / 2, hi = good; // lo unreadable, hi readable
        while (hi - lo > 1) {
            const qint64 mid = lo + (hi - lo) / 2;
            auto [ok, r] = readFrom(mid, false);
            if (ok || r >= 0)
                hi = mid;
            else
                lo = mid;
        }
        from = hi;
    }
    return out;
}

bool quickCheckOk(sqlite3* db) {
    try {
        Stmt s(db, "PRAGMA quick_check(1)");
        return s.step() && text(s.get(), 0) == "ok";
    } catch (const TableError&) {
        return false;
    }
}

// Checks that the file is a sound log table; throws Damaged or Other.
void verify(sqlite3* db, const QString& path) {
    int tables = 0;
    bool hasLog = false;
    try {
        Stmt s(db, "SELECT name FROM sqlite_master WHERE type='table'");
        while (s.step()) {
            ++tables;
            if (text(s.get(), 0) == kTable) hasLog = true;
        }
    } catch (const TableError& e) {
        if (e.message.contains("not a database")) throw TableError(TableError::Other, e.message);
        throw;
    }
    if (!hasLog) {
        // A file cut down to nothing is a damaged table; anything else is not ours.
        if (tables == 0 && QFileInfo(path).size() < 512)
            throw TableError(TableError::Damaged, "The log table is empty or truncated");
        throw TableError(TableError::Other, "Not a log table: " + path);
    }
    if (!quickCheckOk(db))
        throw TableError(TableError::Damaged, "database disk image is malformed");
}
} // namespace

// ---------------------------------------------------------------------------------------------

// One connection per table file in this program; every cursor on the file shares it.
class SharedTable {
  public:
    struct Change {
        qint64 generation;
        enum Kind { Insert, Update, Delete } kind;
        QsoRecord record; // for Delete only rowId counts
    };

    explicit SharedTable(const QString& path) : path_(path) {
        db_ = openDb(path, SQLITE_OPEN_READWRITE);
        try {
            verify(db_, path);
            setDurable(db_);
            dataVersion_ = readDataVersion();
        } catch (...) {
            sqlite3_close(db_);
            throw;
        }
    }
    ~SharedTable() { sqlite3_close(db_); }

    static std::shared_ptr<SharedTable> get(const QString& path) {
        static std::map<QString, std::weak_ptr<SharedTable>> open;
        const QString key = QFileInfo(path).absoluteFilePath();
        if (auto t = open[key].lock()) return t;
        auto t = std::make_shared<SharedTable>(key);
        open[key] = t;
        return t;
    }

    sqlite3* db() const { return db_; }
    qint64 generation() const { return generation_; }
    qint64 reloadGeneration() const { return reloadGeneration_; }
    const std::vector<Change>& changes() const { return changes_; }

    void checkExternal() {
        const qint64 v = readDataVersion();
        if (v != dataVersion_) {
            dataVersion_ = v;
            reloadGeneration_ = ++generation_;
            changes_.clear();
        }
    }

    qint64 insert(const QsoRecord& r) {
        Stmt s(db_, QString("INSERT INTO %1 VALUES(%2)")
                        .arg(kTable, QString("?,").repeated(ColumnCount - 1) + "?"));
        bindRecord(s, r, 1);
        s.step();
        QsoRecord stored = r;
        stored.rowId = sqlite3_last_insert_rowid(db_);
        record(Change::Insert, stored);
        return stored.rowId;
    }

    void update(const QsoRecord& r) {
        QStringList sets;
        for (const QString& n : LogColumns::names())
            sets << '"' + n + "\"=?";
        Stmt s(db_, QString("UPDATE %1 SET %2 WHERE rowid=?").arg(kTable, sets.join(',')));
        bindRecord(s, r, 1);
        s.bindInt(ColumnCount + 1, r.rowId);
        s.step();
        record(Change::Update, r);
    }

    void remove(qint64 rowId) {
        Stmt s(db_, QString("DELETE FROM %1 WHERE rowid=?").arg(kTable));
        s.bindInt(1, rowId);
        s.step();
        QsoRecord r;
        r.rowId = rowId;
        record(Change::Delete, r);
    }

    // Several writes as one transaction: all of them or none. Every cursor reloads afterwards
    // rather than replaying a long list of changes.
    template <typename F> void inTransaction(F&& writes) {
        exec(db_, "BEGIN IMMEDIATE");
        try {
            writes();
            exec(db_, "COMMIT");
        } catch (...) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
        reloadGeneration_ = ++generation_;
        changes_.clear();
    }

    void replaceBand(const QString& band, std::vector<QsoRecord>& records) {
        inTransaction([&] {
            Stmt del(db_, QString("DELETE FROM %1 WHERE Band=?").arg(kTable));
            del.bindText(1, band);
            del.step();
            Stmt ins(db_, QString("INSERT INTO %1 VALUES(%2)")
                              .arg(kTable, QString("?,").repeated(ColumnCount - 1) + "?"));
            for (QsoRecord& r : records) {
                sqlite3_reset(ins.get());
                sqlite3_clear_bindings(ins.get());
                bindRecord(ins, r, 1);
                ins.step();
                r.rowId = sqlite3_last_insert_rowid(db_);
            }
        });
    }

    void updateAll(const std::vector<QsoRecord>& records) {
        if (records.empty()) return;
        inTransaction([&] {
            QStringList sets;
            for (const QString& n : LogColumns::names())
                sets << '"' + n + "\"=?";
            Stmt s(db_, QString("UPDATE %1 SET %2 WHERE rowid=?").arg(kTable, sets.join(',')));
            for (const QsoRecord& r : records) {
                sqlite3_reset(s.get());
                sqlite3_clear_bindings(s.get());
                bindRecord(s, r, 1);
                s.bindInt(ColumnCount + 1, r.rowId);
                s.step();
            }
        });
    }

    void transaction(const std::function<void()>& work) {
        exec(db_, "BEGIN IMMEDIATE");
        try {
            work();
            exec(db_, "COMMIT");
        } catch (...) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            // The snapshots may hold rows that were rolled back: every cursor reloads.
            reloadGeneration_ = ++generation_;
            changes_.clear();
            throw;
        }
    }

  private:
    qint64 readDataVersion() {
        Stmt s(db_, "PRAGMA data_version");
        return s.step() ? sqlite3_column_int64(s.get(), 0) : 0;
    }
    void record(Change::Kind k, const QsoRecord& r) {
        changes_.push_back({++generation_, k, r});
        // Cursors far behind simply reload.
        if (changes_.size() > 4096) {
            changes_.erase(changes_.begin(), changes_.begin() + 2048);
        }
    }

    QString path_;
    sqlite3* db_ = nullptr;
    qint64 dataVersion_ = 0;
    qint64 generation_ = 0;
    qint64 reloadGeneration_ = 0;
    std::vector<Change> changes_;
};

// ---------------------------------------------------------------------------------------------

namespace TableEngine {
QString idxPathFor(const QString& datPath) {
    QString p = datPath;
    if (p.endsWith(".dat", Qt::CaseInsensitive)) p.chop(4);
    return p + ".idx";
}

bool exists(const QString& folder, const QString& tableName) {
    const QString dat = QDir(folder).filePath(tableName);
    return QFileInfo::exists(dat) && QFileInfo::exists(idxPathFor(dat));
}

void create(const QString& datPath) {
    if (QFileInfo::exists(datPath) && QFileInfo::exists(idxPathFor(datPath))) return;
    const QString tmp = datPath + ".new";
    QFile::remove(tmp);
    {
        sqlite3* db = openDb(tmp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        DbCloser closer{db};
        exec(db, "PRAGMA journal_mode=DELETE;");
        exec(db, "BEGIN");
        createSchema(db);
        exec(db, "COMMIT");
    }
    writeFileAtomic(idxPathFor(datPath), idxText());
    QFile::remove(datPath);
    if (!QFile::rename(tmp, datPath))
        throw TableError(TableError::Other, "Cannot create " + datPath);
}

RepairResult repair(const QString& datPath) {
    RepairResult result;
    if (!QFileInfo::exists(datPath)) return result;
    std::vector<QsoRecord> rows;
    {
        sqlite3* db = openDb(datPath, SQLITE_OPEN_READONLY);
        DbCloser closer{db};
        try {
            verify(db, datPath);
            // Sound: nothing to repair.
            Stmt s(db, QString("SELECT count(*) FROM %1").arg(kTable));
            s.step();
            result.recordCount = sqlite3_column_int(s.get(), 0);
            return result;
        } catch (const TableError& e) {
            if (e.kind != TableError::Damaged) throw;
        }
        // Lets the schema load although pages it points to are gone.
        exec(db, "PRAGMA writable_schema=ON");
        rows = readTolerant(db);
    }
    const QString tmp = datPath + ".repair";
    QFile::remove(tmp);
    {
        sqlite3* db = openDb(tmp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        DbCloser closer{db};
        exec(db, "PRAGMA journal_mode=DELETE; BEGIN");
        createSchema(db);
        Stmt s(db, QString("INSERT OR IGNORE INTO %1 VALUES(%2)")
                       .arg(kTable, QString("?,").repeated(ColumnCount - 1) + "?"));
        for (const QsoRecord& r : rows) {
            sqlite3_reset(s.get());
            sqlite3_clear_bindings(s.get());
            bindRecord(s, r, 1);
            s.step();
        }
        exec(db, "COMMIT");
        Stmt c(db, QString("SELECT count(*) FROM %1").arg(kTable));
        c.step();
        result.recordCount = sqlite3_column_int(c.get(), 0);
    }
    // The damaged file is kept beside the table; a stale journal belongs to it.
    const QString damaged = datPath + ".damaged";
    QFile::remove(damaged);
    QFile::rename(datPath, damaged);
    QFile::remove(datPath + "-journal");
    if (!QFile::rename(tmp, datPath))
        throw TableError(TableError::Other, "Cannot replace " + datPath);
    if (!QFileInfo::exists(idxPathFor(datPath))) writeFileAtomic(idxPathFor(datPath), idxText());
    result.repaired = true;
    return result;
}

void copy(const QString& datPath, const QString& destDatPath) {
    if (QFileInfo(datPath).absoluteFilePath() == QFileInfo(destDatPath).absoluteFilePath()) return;
    const QString tmp = destDatPath + ".new";
    QFile::remove(tmp);
    {
        sqlite3* src = openDb(datPath, SQLITE_OPEN_READONLY);
        DbCloser srcCloser{src};
        sqlite3* dst = openDb(tmp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        DbCloser dstCloser{dst};
        sqlite3_backup* b = sqlite3_backup_init(dst, "main", src, "main");
        if (!b) fail(dst, sqlite3_errcode(dst));
        int rc;
        while ((rc = sqlite3_backup_step(b, -1)) == SQLITE_BUSY || rc == SQLITE_LOCKED)
            sqlite3_sleep(20);
        sqlite3_backup_finish(b);
        if (rc != SQLITE_DONE) fail(dst, rc);
        exec(dst, "PRAGMA journal_mode=DELETE;");
    }
    QFile::remove(destDatPath);
    QFile::remove(destDatPath + "-journal");
    if (!QFile::rename(tmp, destDatPath))
        throw TableError(TableError::Other, "Cannot write " + destDatPath);
    QFile idx(idxPathFor(datPath));
    writeFileAtomic(idxPathFor(destDatPath),
                    idx.open(QIODevice::ReadOnly) ? idx.readAll() : idxText());
}

QStringList stopWords() {
    return {"A",  "AN",   "AND", "BE",   "FOR", "HOW", "IN",   "IS",   "IT",    "OF",  "ON",
            "OR", "THAT", "THE", "THIS", "TO",  "WAS", "WHAT", "WHEN", "WHICH", "WHY", "WILL"};
}

QByteArray spaceChars() {
    QByteArray out;
    for (int b = 1; b <= 31; ++b)
        out += char(b);
    out += " *+,-./:;<=>\\`";
    return out;
}

QByteArray includeChars() {
    QByteArray out;
    for (char c = '0'; c <= '9'; ++c)
        out += c;
    for (char c = 'A'; c <= 'Z'; ++c)
        out += c;
    out += '_';
    for (char c = 'a'; c <= 'z'; ++c)
        out += c;
    for (int b = 128; b <= 254; ++b)
        out += char(b);
    return out;
}
} // namespace TableEngine

// ---------------------------------------------------------------------------------------------

namespace {
int compareValues(const QsoRecord& a, const QsoRecord& b, Col c) {
    switch (c) {
    case Col::Date:
        return a.Date == b.Date ? 0 : (a.Date.toJulianDay() < b.Date.toJulianDay() ? -1 : 1);
    case Col::Time: {
        const int x = a.Time.isValid() ? a.Time.msecsSinceStartOfDay() : -1;
        const int y = b.Time.isValid() ? b.Time.msecsSinceStartOfDay() : -1;
        return x == y ? 0 : (x < y ? -1 : 1);
    }
    default:
        if (isInteger(c)) {
            const qint64 x = a.value(c).toLongLong(), y = b.value(c).toLongLong();
            return x == y ? 0 : (x < y ? -1 : 1);
        }
        return a.value(c).toString().compare(b.value(c).toString());
    }
}

QString stripQuotes(QString v) {
    v = v.trimmed();
    if (v.size() >= 2 && (v.startsWith('\'') || v.startsWith('"')) && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}
} // namespace

LogCursor::LogCursor() = default;
LogCursor::~LogCursor() = default;

void LogCursor::setTable(const QString& folder, const QString& tableName) {
    close();
    folder_ = folder;
    tableName_ = tableName;
    datPath_ = QDir(folder).filePath(tableName);
}

void LogCursor::open() {
    close();
    if (!QFileInfo::exists(datPath_) || !QFileInfo::exists(TableEngine::idxPathFor(datPath_)))
        throw TableError(TableError::Other, "Table " + datPath_ + " does not exist");
    table_ = SharedTable::get(datPath_);
    // Rows are read when first needed, so that opening and choosing an index and range
    // read the table once.
    stale_ = true;
    rows_.clear();
    pos_ = 0;
    bof_ = true;
    eof_ = false;
}

void LogCursor::close() {
    table_.reset();
    rows_.clear();
    pos_ = 0;
    bof_ = eof_ = true;
    state_ = State::Browse;
    seenGeneration_ = -1;
}

void LogCursor::setIndex(const QString& indexName) {
    int i = 0;
    if (!indexName.isEmpty()) {
        i = -1;
        for (size_t k = 0; k < indexDefs().size(); ++k)
            if (indexName.compare(indexDefs()[k].name, Qt::CaseInsensitive) == 0) i = int(k);
        if (i < 0) throw TableError(TableError::Other, "Index " + indexName + " not found");
    }
    index_ = i;
    hasRange_ = false;
    stale_ = true;
}

QString LogCursor::indexName() const {
    return index_ == 0 ? QString() : QString(indexDefs()[size_t(index_)].name);
}

void LogCursor::setRange(const QString& startKey, const QString& endKey) {
    hasRange_ = true;
    rangeStart_ = startKey;
    rangeEnd_ = endKey;
    stale_ = true;
    first();
}

void LogCursor::cancelRange() {
    hasRange_ = false;
    stale_ = true;
    first();
}

void LogCursor::setFilter(const QString& expression) {
    filterColumn_ = -1;
    const int eq = expression.indexOf('=');
    if (eq > 0) {
        filterColumn_ = LogColumns::indexOf(expression.left(eq).trimmed());
        if (filterColumn_ < 0)
            throw TableError(TableError::Other, "Field " + expression.left(eq) + " not found");
        filterValue_ = stripQuotes(expression.mid(eq + 1));
    }
    stale_ = true;
    first();
}

bool LogCursor::accepts(const QsoRecord& r) const {
    if (hasRange_) {
        const QString key = r.value(indexDefs()[size_t(index_)].cols.front()).toString();
        if (key.compare(rangeStart_) < 0 || key.compare(rangeEnd_) > 0) return false;
    }
    if (filterColumn_ >= 0 && r.value(Col(filterColumn_)).toString() != filterValue_) return false;
    return true;
}

bool LogCursor::less(const QsoRecord& a, const QsoRecord& b) const {
    for (Col c : indexDefs()[size_t(index_)].cols) {
        const int d = compareValues(a, b, c);
        if (d != 0) return d < 0;
    }
    return a.rowId < b.rowId;
}

void LogCursor::reload() const {
    const IndexDef& def = indexDefs()[size_t(index_)];
    QString sql = selectSql();
    QStringList where;
    if (hasRange_) {
        const QString first = '"' + LogColumns::name(def.cols.front()) + '"';
        where << first + ">=?1" << first + "<=?2";
    }
    if (filterColumn_ >= 0) where << '"' + LogColumns::name(Col(filterColumn_)) + "\"=?3";
    if (!where.isEmpty()) sql += " WHERE " + where.join(" AND ");
    QStringList order;
    for (Col c : def.cols)
        order << '"' + LogColumns::name(c) + '"';
    sql += " ORDER BY " + order.join(',') + ",rowid";
    Stmt s(table_->db(), sql);
    if (hasRange_) {
        s.bindText(1, rangeStart_);
        s.bindText(2, rangeEnd_);
    }
    if (filterColumn_ >= 0) {
        if (isInteger(Col(filterColumn_)))
            s.bindInt(3, filterValue_.toLongLong());
        else
            s.bindText(3, filterValue_);
    }
    const qint64 keep = (pos_ >= 0 && size_t(pos_) < rows_.size()) ? rows_[size_t(pos_)].rowId : 0;
    std::vector<QsoRecord> rows;
    rows.reserve(rows_.size());
    while (s.step())
        rows.push_back(readRow(s.get()));
    rows_ = std::move(rows);
    seenGeneration_ = table_->generation();
    stale_ = false;
    pos_ = 0;
    if (!keep) {
        bof_ = true;
        eof_ = rows_.empty();
    }
    if (keep)
        for (size_t i = 0; i < rows_.size(); ++i)
            if (rows_[i].rowId == keep) pos_ = int(i);
    if (rows_.empty()) bof_ = eof_ = true;
}

void LogCursor::applyPending() const {
    const auto& changes = table_->changes();
    const bool covered = !changes.empty() && changes.front().generation <= seenGeneration_ + 1 &&
                         seenGeneration_ >= table_->reloadGeneration();
    if (!covered) return reload();
    const qint64 keep = (size_t(pos_) < rows_.size()) ? rows_[size_t(pos_)].rowId : 0;
    for (const auto& ch : changes) {
        if (ch.generation <= seenGeneration_) continue;
        if (ch.kind != SharedTable::Change::Insert)
            std::erase_if(rows_, [&](const QsoRecord& r) { return r.rowId == ch.record.rowId; });
        if (ch.kind != SharedTable::Change::Delete && accepts(ch.record)) {
            auto at = std::upper_bound(
                rows_.begin(), rows_.end(), ch.record,
                [this](const QsoRecord& a, const QsoRecord& b) { return less(a, b); });
            rows_.insert(at, ch.record);
        }
    }
    seenGeneration_ = table_->generation();
    if (keep) {
        int found = -1;
        for (size_t i = 0; i < rows_.size(); ++i)
            if (rows_[i].rowId == keep) found = int(i);
        if (found >= 0) pos_ = found;
    }
    if (rows_.empty()) {
        pos_ = 0;
        bof_ = eof_ = true;
    } else if (size_t(pos_) >= rows_.size()) {
        pos_ = int(rows_.size()) - 1;
    }
}

void LogCursor::sync() const {
    if (!table_) return;
    if (stale_)
        reload();
    else if (seenGeneration_ != table_->generation())
        applyPending();
}

void LogCursor::placeAt(qint64 rowId) {
    sync();
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].rowId == rowId) {
            pos_ = int(i);
            bof_ = eof_ = false;
            return;
        }
}

void LogCursor::first() {
    sync();
    pos_ = 0;
    bof_ = true;
    eof_ = rows_.empty();
}

void LogCursor::last() {
    sync();
    pos_ = rows_.empty() ? 0 : int(rows_.size()) - 1;
    eof_ = true;
    bof_ = rows_.empty();
}

void LogCursor::next() {
    sync();
    if (size_t(pos_ + 1) < rows_.size()) {
        ++pos_;
        bof_ = eof_ = false;
    } else {
        eof_ = true;
    }
}

void LogCursor::prior() {
    sync();
    if (pos_ > 0 && !rows_.empty()) {
        --pos_;
        bof_ = eof_ = false;
    } else {
        bof_ = true;
    }
}

int LogCursor::moveBy(int n) {
    sync();
    int moved = 0;
    for (; n > 0 && !eof_; --n) {
        next();
        if (!eof_) ++moved;
    }
    for (; n < 0 && !bof_; ++n) {
        prior();
        if (!bof_) --moved;
    }
    return moved;
}

int LogCursor::recNo() const {
    sync();
    return rows_.empty() ? 0 : pos_ + 1;
}

void LogCursor::setRecNo(int n) {
    sync();
    if (rows_.empty()) return;
    pos_ = std::clamp(n, 1, int(rows_.size())) - 1;
    bof_ = eof_ = false;
}

int LogCursor::recordCount() const {
    sync();
    return int(rows_.size());
}

bool LogCursor::locate(const QString& column, const QVariant& value) {
    sync();
    const int c = LogColumns::indexOf(column);
    if (c < 0) throw TableError(TableError::Other, "Field " + column + " not found");
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].value(Col(c)) == value ||
            rows_[i].value(Col(c)).toString() == value.toString()) {
            pos_ = int(i);
            bof_ = eof_ = false;
            return true;
        }
    return false;
}

const QsoRecord& LogCursor::current() const {
    static const QsoRecord none;
    sync();
    return size_t(pos_) < rows_.size() ? rows_[size_t(pos_)] : none;
}

QVariant LogCursor::value(const QString& column) const {
    if (state_ != State::Browse) return buffer_.value(column);
    return current().value(column);
}

const std::vector<QsoRecord>& LogCursor::rows() const {
    sync();
    return rows_;
}

void LogCursor::appendValues(const QVariantList& values) {
    appendRecord(QsoRecord::fromValues(values));
}

void LogCursor::appendRecord(QsoRecord record) {
    if (!table_) throw TableError(TableError::Other, "Table is not open");
    record.cutToWidths();
    placeAt(table_->insert(record));
}

void LogCursor::appendRecords(const std::vector<QsoRecord>& records) {
    transaction([&] {
        for (QsoRecord r : records) {
            r.cutToWidths();
            table_->insert(r);
        }
    });
}

void LogCursor::transaction(const std::function<void()>& work) {
    if (!table_) throw TableError(TableError::Other, "Table is not open");
    table_->transaction(work);
    sync();
}

void LogCursor::edit() {
    if (!table_) throw TableError(TableError::Other, "Table is not open");
    sync();
    if (rows_.empty()) return append();
    buffer_ = rows_[size_t(pos_)];
    state_ = State::Edit;
}

void LogCursor::append() {
    if (!table_) throw TableError(TableError::Other, "Table is not open");
    buffer_ = QsoRecord();
    state_ = State::Insert;
}

void LogCursor::setValue(const QString& column, const QVariant& v) {
    if (state_ == State::Browse)
        throw TableError(TableError::Other, "Dataset not in edit or insert mode");
    if (LogColumns::indexOf(column) < 0)
        throw TableError(TableError::Other, "Field " + column + " not found");
    buffer_.setValue(column, v);
}

void LogCursor::post() {
    if (state_ == State::Browse) return;
    buffer_.cutToWidths();
    if (state_ == State::Insert) {
        const qint64 id = table_->insert(buffer_);
        state_ = State::Browse;
        placeAt(id);
    } else {
        table_->update(buffer_);
        state_ = State::Browse;
        placeAt(buffer_.rowId);
    }
}

void LogCursor::cancel() {
    state_ = State::Browse;
}

void LogCursor::remove() {
    if (!table_) throw TableError(TableError::Other, "Table is not open");
    sync();
    if (rows_.empty()) return;
    const int keep = pos_;
    table_->remove(rows_[size_t(pos_)].rowId);
    sync();
    pos_ = std::min(keep, std::max(0, int(rows_.size()) - 1));
}

void LogCursor::replaceBand(const QString& band, std::vector<QsoRecord> records) {
    if (!table_) throw TableError(TableError::Other, "Table is not open");
    if (state_ != State::Browse) throw TableError(TableError::Other, "Dataset is being edited");
    for (QsoRecord& r : records) {
        r.Band = band;
        r.cutToWidths();
    }
    table_->replaceBand(band, records);
    // At the first row, read again only when next looked at: a large band is not read twice.
    rows_.clear();
    pos_ = 0;
    bof_ = true;
    eof_ = false;
}

void LogCursor::updateRecords(const std::vector<QsoRecord>& records) {
    if (!table_) throw TableError(TableError::Other, "Table is not open");
    std::vector<QsoRecord> cut = records;
    for (QsoRecord& r : cut)
        r.cutToWidths();
    table_->updateAll(cut);
    sync();
}

void LogCursor::refresh() {
    if (!table_) return;
    table_->checkExternal();
    sync();
}

void LogCursor::flush() {
    // Every posting is committed with synchronous=FULL: on disk when it returns.
}

// ---------------------------------------------------------------------------------------------

std::vector<QsoRecord> queryLog(const QString& folder, const QString& sql) {
    static const QRegularExpression re(
        R"re(^\s*SELECT\s+\*\s+FROM\s+"([^"]+)"(?:\s+WHERE\s+Band\s*=\s*(?:'([^']*)'|"([^"]*)"))?\s+ORDER\s+BY\s+([A-Za-z_,\s]+?)(?:\s+(ASC|DESC))?\s*$)re",
        QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(sql);
    if (!m.hasMatch()) throw TableError(TableError::Other, "Unsupported query: " + sql);
    const QString dat = QDir(folder).filePath(m.captured(1));
    if (!QFileInfo::exists(dat))
        throw TableError(TableError::Other, "Table " + dat + " does not exist");
    QStringList order;
    const QString dir = m.captured(5).toUpper() == "DESC" ? " DESC" : "";
    for (const QString& c : m.captured(4).split(',', Qt::SkipEmptyParts)) {
        const int i = LogColumns::indexOf(c.trimmed());
        if (i < 0) throw TableError(TableError::Other, "Field " + c.trimmed() + " not found");
        order << '"' + LogColumns::name(Col(i)) + '"' + dir;
    }
    const bool byBand = m.hasCaptured(2) || m.hasCaptured(3);
    const QString band = m.captured(2).isEmpty() ? m.captured(3) : m.captured(2);
    sqlite3* db = openDb(dat, SQLITE_OPEN_READONLY);
    DbCloser closer{db};
    Stmt s(db, selectSql() + (byBand ? " WHERE Band=?" : "") + " ORDER BY " + order.join(',') +
                   ",rowid" + dir);
    if (byBand) s.bindText(1, band);
    std::vector<QsoRecord> out;
    while (s.step())
        out.push_back(readRow(s.get()));
    return out;
}
