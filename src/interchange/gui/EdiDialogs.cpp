#include "EdiDialogs.h"

#include "interchange/EdiExport.h"
#include "log/ContestFile.h"
#include "platform/FileChooser.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"

#include <QFileInfo>

bool exportEdiInteractive(ContestFile& contest, const QString& band) {
    FileDialogRequest request;
    request.title = "Export to EDI";
    request.filter = EdiExport::Filter;
    request.defaultExt = "edi";
    request.initialDir = Platform::homeFolder();
    request.fileName = EdiExport::proposedPath(contest.descriptorPath());
    request.overwritePrompt = true;
    const auto path = Platform::files().saveFile(request);
    if (!path) return false;
    const auto r = EdiExport::exportBand(contest, band, withDefaultExtension(*path, "edi"));
    if (!r.ok) Platform::prompter().showMessage(r.message);
    return r.ok;
}

EdiImport::Result importEdiInteractive(ContestFile& contest) {
    FileDialogRequest request;
    request.title = "Import from EDI";
    request.filter = EdiImport::Filter;
    request.defaultExt = "edi";
    request.initialDir = Platform::homeFolder();
    request.overwritePrompt = false;
    const auto path = Platform::files().openFile(request);
    // A file that is not there is passed over like a cancel.
    if (!path || !QFileInfo(*path).isFile()) return {};
    auto r = EdiImport::importFile(contest, *path);
    if (!r.ok) Platform::prompter().showMessage(r.message);
    return r;
}
