#pragma once
#include "log/ContestHeader.h"
#include "log/QsoRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// Reads a REG1TEST (EDI) file completely before anything is stored: the header applied to a
// copy of the contest header, the band, and every QSO. The first fault stops the reading
// with a message that names the file and the line.
//
// Beyond our own layout it takes what other loggers write: a byte-order mark, blank or "#"
// lines before the first line, LF or CR line ends, other designations of our bands ("145",
// "432MHz", "1.3 GHz"), four-digit years and blanks around numbers in QSO lines, and any
// closing line. Header lines are taken by their key, so lines left out or in another order do
// no harm; a line whose key is not one of ours stops the reading. Keys are compared exactly,
// as they stand; besides our own spelling a key takes the few exact misspellings that other
// loggers are known to write ("Radr1=", "[REGITEST;1]", ...).
namespace EdiReader {

// The header keys in file order, line 1 and "[Remarks]" included.
const QStringList& HeaderKeys();

// The band of the band table a PBand value designates; empty when it designates none.
QString BandOfDesignation(const QString& value);

// The mode of a mode code: "NONE" for empty, 0 and any number outside 1..9.
// ok is false when the text is not a number.
QString ModeOfCode(const QString& code, bool* ok);

struct Result {
    bool ok = false;
    QString message; // the error, for the operator
    int line = 0;    // the line the error names (from 1)

    ContestHeader header; // the header given, with the file's values applied
    QString band;         // band name of the band table
    int bandNumber = 0;
    std::vector<QsoRecord> qsos; // Band, points and distance filled in
};

// The header given is where the operator lines are appended, and whose values stay where the
// file leaves them alone (an empty "PAdr2=", "RAdr2=" or "SPowe=").
Result Read(const QByteArray& bytes, const QString& fileName, const ContestHeader& header);

// "Error: file NAME is not an vaild edi file (lineN must be 'EXPECTED')"
QString HeaderErrorMessage(const QString& fileName, int line, const QString& expected);

} // namespace EdiReader
