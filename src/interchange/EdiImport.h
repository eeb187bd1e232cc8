#pragma once
#include <QString>

class ContestFile;

// Reads an EDI file into the open contest. The whole file is read and checked first; then the
// QSOs of the file's band (its PBand) are replaced in one transaction and the header takes
// the file's values. A file that fails changes nothing.
namespace EdiImport {

inline constexpr const char* Filter = "Electronic Data Interchange (EDI)|*.edi";

struct Result {
    bool ok = false;
    QString message; // the error for the operator; empty on success
    int line = 0;    // the line the error names, 0 when none
    int qsoCount = 0;
    QString band;
};

Result importFile(ContestFile& contest, const QString& path);

// The status text after an import: "Imported " + count + " QSO's".
QString statusText(int count);

} // namespace EdiImport
