#pragma once
#include "log/Contest.h"
#include "log/ContestHeader.h"
#include "log/QsoRecord.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

class ContestFile;

// The band's log as a REG1TEST (EDI) file: 38 header lines, the remarks, the QSO records and
// a closing line naming the program, as 8-bit text with CR LF line ends.
namespace EdiExport {

inline constexpr const char* Filter = "Electronic Data Interchange (EDI)|*.edi";

// A header date as the operator types it (day.month.year; "/" or "-" also separate, a
// two-digit year is in this century; the locale's short format is tried last).
std::optional<QDate> parseHeaderDate(const QString& text);
// The message for a date that cannot be read.
QString invalidDateMessage(const QString& text);

// "7" -> "007"; four or more digits stay as they are.
QString qsoNumberText(int number);
// One QSO line of fifteen fields.
QString qsoLine(const QsoRecord& qso);
// The closing line: "[END;" + program and version + "]".
QString closingLine();

// The whole file. The summary must be recounted over the same QSOs. Gives nothing and sets
// the error when a header date cannot be read.
std::optional<QByteArray> fileText(const ContestHeader& header, int bandNumber,
                                   const TContest& summary, const std::vector<QsoRecord>& qsos,
                                   QString* error = nullptr);

struct Result {
    bool ok = false;
    QString message; // the error; empty on success
    int qsoCount = 0;
};

// Recounts the band (which in a type-1 contest stores the New_WWL marks) and writes its file.
// The text goes to a temporary file beside the target that then takes its place, so a failure
// leaves an earlier file as it was.
Result exportBand(ContestFile& contest, const QString& band, const QString& path);

// The contest file's path with its extension changed to ".edi".
QString proposedPath(const QString& contestPath);

} // namespace EdiExport
