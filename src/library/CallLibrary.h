#pragma once
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One record of the call library: a callsign, one of its locators and its bands (QRV, the
// band bit set: "144 MHz" 4096 ... "10 GHz" 64).
struct LibraryRecord {
    QString Call;
    QString WWL;
    int QRV = 0;
};

// The library text file ("Ostrelog library", *.vhf): an exact header line, one ignored line,
// then one station per line in fixed columns (call 1-14, UL1 15-28, UL2 29-42, seven band
// flag digits 43-49 weighted 4096, 2048, 1024, 512, 256, 128, 64).
namespace LibraryFile {
inline constexpr const char* HeaderLine =
    "CALL          UL1           UL2           BAND_QRV (2,70,23,13,9,6,3,uW)";
inline constexpr const char* DialogTitle = "Import from Ostrelog library (*.vhf)";
inline constexpr const char* DialogFilter = "Ostrelog library|*.vhf";

struct Parsed {
    bool ok = false;
    QString error;                      // the text shown to the operator when !ok
    int errorLine = 0;                  // 1-based line of the failure; 0 when none
    int stations = 0;                   // station lines read
    std::vector<LibraryRecord> records; // in file order
};

// Parses the whole text. progress(k) runs after each station line with the count so far.
// fileName goes into the wrong-header message.
Parsed parse(const QByteArray& bytes, const QString& fileName,
             const std::function<void(int)>& progress = {});
// The QRV value of seven flag characters; -1 (and the offending text in bad) when one is
// not a digit.
int qrvFromFlags(const QString& flags, QString* bad = nullptr);
// "Imported " + k + " QSOs to Library!"
QString importedText(int stations);
} // namespace LibraryFile

// The call library table vhfmstr (<folder>/vhfmstr.dat, SQLite) and its in-memory mirror.
// Records are held in ascending Call order; record number n (from 1) is position n - 1 of
// the mirror. The mirror is rebuilt on every attach and after every import, so it always
// matches the table.
//
// The mirror is laid out for scanning: every callsign, upper case, in one buffer separated
// by '\n' (callBuffer()), with per-record offsets, base-call and suffix positions, locator
// and QRV. Nothing is read from disk on the search path.
class CallLibrary {
  public:
    static constexpr const char* TableFile = "vhfmstr.dat";
    static QString tablePath(const QString& folder);
    // The folder the library is attached from: the backup folder while the backup copy of
    // the log (the mirror table) is open, else the home folder.
    static QString folderFor(const QString& homeFolder, const QString& backupFolder,
                             bool backupOpen);

    // Where a callsign's base call stands in it (start, length): the base call is always a
    // piece that starts at the beginning or right after a "/".
    static std::pair<int, int> basePlace(const QString& call);
    // Where a callsign's suffix starts (its length when there is none).
    static int suffixStart(const QString& call);

    // Creates the empty table when the folder has none. Throws TableError.
    static void createTable(const QString& folder);
    // Every record of a table, in record-number order. Throws TableError.
    static std::vector<LibraryRecord> readTable(const QString& folder);

    // Closes, then opens the table of the folder (creating it empty when missing) and builds
    // the mirror. False with error() set when the table cannot be read.
    bool attach(const QString& folder);
    void detach();
    bool attached() const { return attached_; }
    QString folder() const { return folder_; }
    QString error() const { return error_; }

    struct ImportResult {
        bool ok = false;
        int stations = 0;
        QString error;
    };
    // Reads the whole file, then replaces the table's records in one transaction and
    // rebuilds the mirror. On any failure the table and the mirror stay as they were.
    // Attaches the home folder's table first when nothing is attached.
    ImportResult importFile(const QString& path, const std::function<void(int)>& progress = {});

    // ---- the mirror ------------------------------------------------------------------
    int size() const { return int(qrv_.size()); }
    std::string_view callAt(int p) const {
        return {calls_.data() + callOff_[size_t(p)],
                size_t(callOff_[size_t(p) + 1] - callOff_[size_t(p)] - 1)};
    }
    std::string_view baseAt(int p) const {
        return callAt(p).substr(baseOff_[size_t(p)], baseLen_[size_t(p)]);
    }
    // Characters after the last digit (at position 2 or later); empty otherwise.
    std::string_view suffixAt(int p) const { return callAt(p).substr(sufOff_[size_t(p)]); }
    std::string_view wwlAt(int p) const {
        return {wwls_.data() + wwlOff_[size_t(p)],
                size_t(wwlOff_[size_t(p) + 1] - wwlOff_[size_t(p)])};
    }
    int qrvAt(int p) const { return qrv_[size_t(p)]; }
    // Record number n, from 1.
    LibraryRecord record(int recNo) const;
    // First position whose callsign is not below call; size() when none.
    int lowerBound(std::string_view call) const;
    // First position of exactly this callsign; -1 when it is not in the library.
    int find(std::string_view call) const;
    int find(const QString& call) const;
    // Every callsign, each followed by '\n', in record order.
    const std::string& callBuffer() const { return calls_; }
    // Where each callsign starts in callBuffer(); entry size() is the buffer's end.
    const std::vector<uint32_t>& callOffsets() const { return callOff_; }
    // The position of the record whose callsign covers byte offset off of callBuffer().
    int positionAtOffset(size_t off) const;
    // Bytes held by the mirror.
    size_t memoryBytes() const;
    // Bumped on every rebuild of the mirror, so that holders of positions can drop them.
    int generation() const { return generation_; }

  private:
    void build(const std::vector<LibraryRecord>& records);

    bool attached_ = false;
    QString folder_;
    QString error_;
    int generation_ = 0;
    std::string calls_;
    std::vector<uint32_t> callOff_{0};
    std::vector<uint8_t> baseOff_, baseLen_, sufOff_;
    std::string wwls_;
    std::vector<uint32_t> wwlOff_{0};
    std::vector<int32_t> qrv_;
};
