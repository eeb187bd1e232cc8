#pragma once
#include "ContestHeader.h"
#include "LogTable.h"
#include "platform/IniFile.h"

#include <QString>
#include <functional>
#include <memory>

// The open contest: its descriptor (<base>.vhf or .s5m), its log table (<base>.dat + .idx)
// seen through three cursors and an ordered query, the optional mirror table and the
// periodic backup. Failures are told to the operator through the Prompter.
class ContestFile {
  public:
    static constexpr const char* Signature = "Ostrelog V1.0";
    static constexpr const char* TableVersion = "1.01";

    ContestFile() = default;
    ContestFile(const ContestFile&) = delete;
    ContestFile& operator=(const ContestFile&) = delete;

    // New contest: deletes any old <base>.vhf/.dat/.idx, creates the empty table and a
    // descriptor holding Version and TableVersion. Does not open it.
    bool create(const QString& descriptorPath);
    // Closes the current contest and opens the one at the path. False when no contest is
    // open afterwards (a missing descriptor is silent; the rest is told to the operator).
    bool open(const QString& descriptorPath);
    void close();
    bool isOpen() const { return open_; }
    // Writes a descriptor at the path, copies the table beside it and opens the copy.
    // Nothing happens for the open contest's own path or when no contest is open.
    bool saveAs(const QString& descriptorPath);
    // Program keys and the header, into the open descriptor; nothing while closed.
    void writeDescriptor();
    void writeDescriptorTo(IniFile& ini) const;

    // Band range on ByBand: from the band's name to the name with its last character
    // replaced by "{"; then to the last row of the range.
    static void setBandRange(LogCursor& cursor, const QString& band);
    static QString bandRangeEnd(const QString& band);
    // Opens one cursor, repairing the table once when it is damaged.
    static bool openWithRepair(LogCursor& cursor, const QString& folder, const QString& table);

    // Copies the contest into the backup folder as <base> and <base>TMP; skipped when the
    // folder is the contest's own, is missing, or the table file is missing.
    // betweenCopies runs between the two copies (lets window events through).
    bool backup(const QString& backupFolder, const std::function<void()>& betweenCopies = {});

    // The mirror table VHFBaza.dat: opened when it exists in the backup folder and that
    // folder is not the contest's own.
    void openMirror(const QString& backupFolder);
    bool mirrorOpen() const { return mirror_.active(); }
    LogCursor& mirror() { return mirror_; }

    QString descriptorPath() const { return path_; }
    QString folder() const;    // with a trailing "/"
    QString baseName() const;  // file name without extension
    QString tableName() const; // <base>.dat
    QString datPath() const;
    IniFile* descriptor() const { return descriptor_.get(); }
    // SELECT text of the ordered log query.
    QString orderedQuerySql() const;
    std::vector<QsoRecord> orderedQuery() const;

    ContestHeader header;
    int activeBand = 0;
    int activeMode = 0;
    QString activeOperator;

    LogCursor logTable;        // log view: ByBand, current band
    LogCursor tekmovanjeTable; // rules: ByBand, current band
    LogCursor searchTable;     // partial search: ByCall, all bands

  private:
    QString path_;
    std::unique_ptr<IniFile> descriptor_;
    LogCursor mirror_;
    bool open_ = false;
};

// Paths of a contest's files from its descriptor path.
namespace ContestPaths {
QString base(const QString& descriptorPath); // path without extension
QString dat(const QString& descriptorPath);
QString idx(const QString& descriptorPath);
} // namespace ContestPaths
