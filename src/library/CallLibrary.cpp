#include "CallLibrary.h"

#include "core/Callsign.h"
#include "log/LogTable.h"
#include "platform/Platform.h"
#include "platform/Text8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <sqlite3.h>

namespace {
// Flag columns 43..49 and their band bits (144 MHz ... 10 GHz).
constexpr int FlagWeights[7] = {4096, 2048, 1024, 512, 256, 128, 64};

QString field(const QString& line, int from, int width) {
    const QString col = line.mid(from, width);
    const int space = col.indexOf(' ');
    return space < 0 ? col : col.left(space);
}

// ---- SQLite helpers ----------------------------------------------------------------------

[[noreturn]] void fail(sqlite3* db) {
    const int rc = sqlite3_errcode(db) & 0xFF;
    throw TableError(rc == SQLITE_CORRUPT || rc == SQLITE_NOTADB ? TableError::Damaged
                                                                 : TableError::Other,
                     QString::fromUtf8(sqlite3_errmsg(db)));
}

class Db {
  public:
    Db(const QString& path, bool create) {
        const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, flags, nullptr) !=
            SQLITE_OK) {
            const QString m = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : path;
            sqlite3_close(db_);
            throw TableError(TableError::Other, m);
        }
        sqlite3_busy_timeout(db_, 10000);
        // A rollback journal, so that a library on a shared folder works.
        exec("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;");
    }
    ~Db() { sqlite3_close(db_); }
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;
    sqlite3* get() const { return db_; }
    void exec(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) fail(db_);
    }
    void ensureTable() {
        exec("CREATE TABLE IF NOT EXISTS vhfmstr (Call TEXT NOT NULL, WWL TEXT NOT NULL,"
             " QRV INTEGER NOT NULL);"
             "CREATE INDEX IF NOT EXISTS ByCall ON vhfmstr(Call);");
    }

  private:
    sqlite3* db_ = nullptr;
};

class Stmt {
  public:
    Stmt(sqlite3* db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &st_, nullptr) != SQLITE_OK) fail(db);
    }
    ~Stmt() { sqlite3_finalize(st_); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;
    bool step() {
        const int rc = sqlite3_step(st_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        fail(db_);
    }
    sqlite3_stmt* get() const { return st_; }
    QString text(int i) const {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st_, i));
        return p ? QString::fromUtf8(p, sqlite3_column_bytes(st_, i)) : QString();
    }
    void bind(int i, const QString& v) {
        const QByteArray b = v.toUtf8();
        sqlite3_bind_text(st_, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    void bind(int i, qint64 v) { sqlite3_bind_int64(st_, i, v); }
    void reset() { sqlite3_reset(st_); }

  private:
    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
};

bool lessCall(const LibraryRecord& a, const LibraryRecord& b) {
    // The table's order: callsigns compared as bytes (ASCII upper case in practice).
    return a.Call.compare(b.Call, Qt::CaseSensitive) < 0;
}
} // namespace

// ---- the library text file ---------------------------------------------------------------

namespace LibraryFile {
int qrvFromFlags(const QString& flags, QString* bad) {
    int qrv = 0;
    for (int i = 0; i < 7; ++i) {
        const QChar c = i < flags.size() ? flags[i] : QChar();
        if (i >= flags.size() || c < QChar('0') || c > QChar('9')) {
            if (bad) *bad = i < flags.size() ? QString(c) : QString();
            return -1;
        }
        qrv += (c.unicode() - '0') * FlagWeights[i];
    }
    return qrv;
}

QString importedText(int stations) {
    return "Imported " + QString::number(stations) + " QSOs to Library!";
}

Parsed parse(const QByteArray& bytes, const QString& fileName,
             const std::function<void(int)>& progress) {
    Parsed out;
    QStringList lines = Text8::decode(bytes).split('\n');
    for (QString& l : lines)
        if (l.endsWith('\r')) l.chop(1);
    if (lines.isEmpty() || lines.first() != HeaderLine) {
        out.errorLine = 1;
        out.error = "Error: file " + fileName + " is not an vaild edi file (line" + "1" +
                    " must be '" + "Napacna vrstica 1!" + "')";
        return out;
    }
    // Station lines run up to the last line that is not blank.
    int last = int(lines.size()) - 1;
    while (last >= 2 && lines[last].trimmed().isEmpty())
        --last;
    out.records.reserve(size_t(std::max(0, last - 1)) * 5 / 4);
    for (int i = 2; i <= last; ++i) {
        const QString& line = lines[i];
        if (line.trimmed().isEmpty()) continue; // a blank line between stations is no station
        QString bad;
        const int qrv = qrvFromFlags(line.mid(42, 7), &bad);
        if (qrv < 0) {
            out.records.clear();
            out.errorLine = i + 1;
            out.error = QString("Line %1: '%2' is not a valid integer value").arg(i + 1).arg(bad);
            return out;
        }
        const QString call = field(line, 0, 14).toUpper();
        const QString ul1 = field(line, 14, 14).toUpper();
        const QString ul2 = field(line, 28, 14).toUpper();
        if (!call.isEmpty()) {
            if (!ul1.isEmpty()) out.records.push_back({call, ul1, qrv});
            if (!ul2.isEmpty()) out.records.push_back({call, ul2, qrv});
        }
        ++out.stations;
        if (progress) progress(out.stations);
    }
    out.ok = true;
    return out;
}
} // namespace LibraryFile

// ---- the table ---------------------------------------------------------------------------

QString CallLibrary::tablePath(const QString& folder) {
    return QDir(folder).filePath(TableFile);
}

QString CallLibrary::folderFor(const QString& homeFolder, const QString& backupFolder,
                               bool backupOpen) {
    return backupOpen && !backupFolder.isEmpty() ? backupFolder : homeFolder;
}

std::pair<int, int> CallLibrary::basePlace(const QString& call) {
    if (!call.contains('/')) return {0, int(call.size())};
    const QString base = BaseCall(call);
    for (int pos = 0; pos >= 0; pos = call.indexOf('/', pos) + 1) {
        if (call.mid(pos, base.size()) == base) return {pos, int(base.size())};
        if (call.indexOf('/', pos) < 0) break;
    }
    return {0, int(base.size())};
}

int CallLibrary::suffixStart(const QString& call) {
    return int(call.size() - CallSuffix(call).size());
}

void CallLibrary::createTable(const QString& folder) {
    QDir().mkpath(folder);
    Db db(tablePath(folder), true);
    db.ensureTable();
}

std::vector<LibraryRecord> CallLibrary::readTable(const QString& folder) {
    const QString path = tablePath(folder);
    if (!QFileInfo::exists(path))
        throw TableError(TableError::Other, "Table " + path + " does not exist");
    Db db(path, false);
    std::vector<LibraryRecord> out;
    Stmt s(db.get(), "SELECT Call, WWL, QRV FROM vhfmstr ORDER BY Call, rowid");
    while (s.step())
        out.push_back({s.text(0), s.text(1), int(sqlite3_column_int64(s.get(), 2))});
    return out;
}

bool CallLibrary::attach(const QString& folder) {
    detach();
    folder_ = folder;
    try {
        if (!QFileInfo::exists(tablePath(folder))) createTable(folder);
        std::vector<LibraryRecord> records = readTable(folder);
        for (LibraryRecord& r : records)
            r.Call = r.Call.toUpper();
        std::stable_sort(records.begin(), records.end(), lessCall);
        build(records);
        attached_ = true;
        error_.clear();
    } catch (const TableError& e) {
        error_ = e.message;
        build({});
    }
    return attached_;
}

void CallLibrary::detach() {
    attached_ = false;
    build({});
}

CallLibrary::ImportResult CallLibrary::importFile(const QString& path,
                                                  const std::function<void(int)>& progress) {
    ImportResult result;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        result.error = "Cannot open file " + path;
        return result;
    }
    LibraryFile::Parsed parsed = LibraryFile::parse(f.readAll(), path, progress);
    f.close();
    result.stations = parsed.stations;
    if (!parsed.ok) {
        result.error = parsed.error;
        return result;
    }
    std::stable_sort(parsed.records.begin(), parsed.records.end(), lessCall);
    if (!attached_ && folder_.isEmpty()) folder_ = Platform::homeFolder();
    try {
        QDir().mkpath(folder_);
        Db db(tablePath(folder_), true);
        db.ensureTable();
        db.exec("BEGIN IMMEDIATE");
        try {
            db.exec("DELETE FROM vhfmstr");
            Stmt ins(db.get(), "INSERT INTO vhfmstr(rowid, Call, WWL, QRV) VALUES(?,?,?,?)");
            qint64 rowid = 0;
            for (const LibraryRecord& r : parsed.records) {
                ins.reset();
                ins.bind(1, ++rowid);
                ins.bind(2, r.Call);
                ins.bind(3, r.WWL);
                ins.bind(4, qint64(r.QRV));
                ins.step();
            }
            db.exec("COMMIT");
        } catch (...) {
            sqlite3_exec(db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    } catch (const TableError& e) {
        result.error = e.message;
        return result;
    }
    build(parsed.records);
    attached_ = true;
    error_.clear();
    result.ok = true;
    return result;
}

// ---- the mirror --------------------------------------------------------------------------

void CallLibrary::build(const std::vector<LibraryRecord>& records) {
    ++generation_;
    calls_.clear();
    wwls_.clear();
    callOff_.assign(1, 0);
    wwlOff_.assign(1, 0);
    baseOff_.clear();
    baseLen_.clear();
    sufOff_.clear();
    qrv_.clear();
    const size_t n = records.size();
    callOff_.reserve(n + 1);
    wwlOff_.reserve(n + 1);
    baseOff_.reserve(n);
    baseLen_.reserve(n);
    sufOff_.reserve(n);
    qrv_.reserve(n);
    calls_.reserve(n * 8);
    wwls_.reserve(n * 6);
    for (const LibraryRecord& r : records) {
        // Callsigns are bounded by their file column; anything longer is cut.
        const QString call = r.Call.left(250);
        const QByteArray c = call.toLatin1();
        calls_.append(c.constData(), size_t(c.size()));
        calls_ += '\n';
        callOff_.push_back(uint32_t(calls_.size()));
        const auto [at, len] = basePlace(call);
        baseOff_.push_back(uint8_t(at));
        baseLen_.push_back(uint8_t(len));
        sufOff_.push_back(uint8_t(suffixStart(call)));
        const QByteArray w = r.WWL.toLatin1();
        wwls_.append(w.constData(), size_t(w.size()));
        wwlOff_.push_back(uint32_t(wwls_.size()));
        qrv_.push_back(r.QRV);
    }
}

LibraryRecord CallLibrary::record(int recNo) const {
    const int p = recNo - 1;
    if (p < 0 || p >= size()) return {};
    const auto c = callAt(p);
    const auto w = wwlAt(p);
    return {QString::fromLatin1(c.data(), qsizetype(c.size())),
            QString::fromLatin1(w.data(), qsizetype(w.size())), qrvAt(p)};
}

int CallLibrary::lowerBound(std::string_view call) const {
    int lo = 0, hi = size();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (callAt(mid) < call)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int CallLibrary::find(std::string_view call) const {
    const int p = lowerBound(call);
    return p < size() && callAt(p) == call ? p : -1;
}

int CallLibrary::find(const QString& call) const {
    const QByteArray c = call.toLatin1();
    return find(std::string_view(c.constData(), size_t(c.size())));
}

int CallLibrary::positionAtOffset(size_t off) const {
    const auto it = std::upper_bound(callOff_.begin(), callOff_.end(), uint32_t(off));
    return int(it - callOff_.begin()) - 1;
}

size_t CallLibrary::memoryBytes() const {
    return calls_.capacity() + wwls_.capacity() + callOff_.capacity() * 4 + wwlOff_.capacity() * 4 +
           baseOff_.capacity() + baseLen_.capacity() + sufOff_.capacity() + qrv_.capacity() * 4;
}
