#include "EdiImport.h"

#include "EdiReader.h"
#include "log/ContestFile.h"

#include <QFile>
#include <QFileInfo>

namespace EdiImport {

QString statusText(int count) {
    return "Imported " + QString::number(count) + " QSO's";
}

Result importFile(ContestFile& contest, const QString& path) {
    Result r;
    if (!contest.isOpen()) {
        r.message = "No contest is open";
        return r;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        r.message = "Cannot open file " + path + ": " + f.errorString();
        return r;
    }
    const QByteArray bytes = f.readAll();
    f.close();

    EdiReader::Result read = EdiReader::Read(bytes, QFileInfo(path).fileName(), contest.header);
    if (!read.ok) {
        r.message = read.message;
        r.line = read.line;
        return r;
    }
    // After the replacement the band holds exactly the file's QSOs.
    const int count = int(read.qsos.size());
    try {
        contest.tekmovanjeTable.replaceBand(read.band, std::move(read.qsos));
    } catch (const TableError& e) {
        r.message = e.message;
        return r;
    }
    contest.header = read.header;
    contest.writeDescriptor();
    r.ok = true;
    r.band = read.band;
    r.qsoCount = count;
    return r;
}

} // namespace EdiImport
