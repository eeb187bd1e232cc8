#pragma once
#include "interchange/EdiImport.h"

#include <QString>

class ContestFile;

// The "Export to EDI" and "Import from EDI" commands of the main window: file dialog, the
// work, and a message box for a failure. The caller refreshes titles, the score line and the
// focus afterwards.

// Writes the band's EDI file; false when cancelled or failed.
bool exportEdiInteractive(ContestFile& contest, const QString& band);

// Reads an EDI file into the contest. On success the status text is
// EdiImport::statusText(result.qsoCount); a cancelled dialog gives ok false and no message.
EdiImport::Result importEdiInteractive(ContestFile& contest);
