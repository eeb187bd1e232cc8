// Call library commands: library-import, partial.
#include "ToolCommand.h"

#include "core/Bands.h"
#include "library/CallLibrary.h"
#include "library/PartialSearch.h"
#include "log/ContestFile.h"
#include "platform/Platform.h"

#include <QFileInfo>

namespace {
int libraryImport(QStringList& args) {
    const QString path = takePositional(args, "library file");
    expectNoMore(args);
    if (!QFileInfo::exists(path)) throw UsageError{"no such file: " + path};
    CallLibrary library;
    if (!library.attach(Platform::homeFolder())) {
        err(library.error());
        return 1;
    }
    const CallLibrary::ImportResult r = library.importFile(path);
    if (!r.ok) {
        err(r.error);
        return 1;
    }
    out(QString::number(r.stations));
    return 0;
}

// A band by its name ("144 MHz") or its short name ("2m").
QString bandName(const QString& text) {
    if (FindBand(text)) return FindBand(text)->name;
    for (const BandInfo& b : BandTable)
        if (text.compare(b.shortName, Qt::CaseInsensitive) == 0) return b.name;
    throw UsageError{"unknown band: " + text};
}

int partial(QStringList& args) {
    const QString band = bandName(requireOption(args, "--band"));
    const std::optional<QString> number = takeOption(args, "--number");
    const QString path = takePositional(args, "contest file");
    const QString call = takePositional(args, "callsign").toUpper();
    expectNoMore(args);
    if (!QFileInfo::exists(path)) throw UsageError{"no such file: " + path};
    int current = 0;
    if (number) {
        bool ok = false;
        current = number->toInt(&ok);
        if (!ok) throw UsageError{"--number needs a whole number"};
    }

    ContestFile contest;
    if (!contest.open(path)) return 1;
    CallLibrary library;
    if (!library.attach(Platform::homeFolder())) {
        err(library.error());
        return 1;
    }
    if (!number) {
        // The serial number the log window would send next on this band.
        current = 1;
        for (const QsoRecord& r : contest.searchTable.rows())
            if (r.Band == band) ++current;
    }

    PartialSearch search;
    search.setLog(&contest.searchTable);
    search.setLibrary(&library);
    // As the shown window does: the list is built and the outputs come from it.
    if (search.search(call, band, current)) search.build();
    out(QString("dupe=") + (search.dupeFound() ? "1" : "0"));
    out("dupe_call=" + search.dupeCall());
    out("dupe_sent=" + QString::number(search.dupeSentNumber()));
    out("dupe_rcvd=" + QString::number(search.dupeReceivedNumber()));
    out("list=" + search.entries().join(','));
    out("locators=" + search.locators().join(','));
    out("library_bands=" + search.libraryBandsText());
    out("worked_bands=" + search.workedBandsText());
    return 0;
}

ToolRegistration importCommand{{"library-import",
                                "library-import FILE.vhf   replace the home folder's call "
                                "library; prints the station lines read",
                                libraryImport}};
ToolRegistration partialCommand{{"partial",
                                 "partial CONTEST.vhf --band B [--number N] CALL   partial "
                                 "call search as the shown window runs it",
                                 partial}};
} // namespace
