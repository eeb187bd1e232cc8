#include "ContestFile.h"

#include "platform/Platform.h"
#include "platform/Prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ContestPaths {
QString base(const QString& p) {
    const QFileInfo fi(p);
    return fi.dir().filePath(fi.completeBaseName());
}
QString dat(const QString& p) {
    return base(p) + ".dat";
}
QString idx(const QString& p) {
    return base(p) + ".idx";
}
} // namespace ContestPaths

namespace {
void tell(const QString& text) {
    Platform::prompter().showMessage(text);
}
QString withSlash(const QString& dir) {
    return dir.endsWith('/') ? dir : dir + '/';
}
} // namespace

QString ContestFile::folder() const {
    return withSlash(QFileInfo(path_).absolutePath());
}
QString ContestFile::baseName() const {
    return QFileInfo(path_).completeBaseName();
}
QString ContestFile::tableName() const {
    return baseName() + ".dat";
}
QString ContestFile::datPath() const {
    return folder() + tableName();
}

bool ContestFile::create(const QString& descriptorPath) {
    close();
    for (const QString& f : {ContestPaths::base(descriptorPath) + ".vhf", descriptorPath,
                             ContestPaths::dat(descriptorPath), ContestPaths::idx(descriptorPath),
                             ContestPaths::dat(descriptorPath) + "-journal"})
        QFile::remove(f);
    try {
        TableEngine::create(ContestPaths::dat(descriptorPath));
    } catch (const TableError& e) {
        tell(e.message);
        return false;
    }
    IniFile ini(descriptorPath);
    IniFile::Batch batch(ini);
    ini.writeString("Program", "Version", Signature);
    ini.writeString("Program", "TableVersion", TableVersion);
    return true;
}

bool ContestFile::openWithRepair(LogCursor& cursor, const QString& folder, const QString& table) {
    cursor.close();
    cursor.setTable(folder, table);
    try {
        cursor.open();
        return true;
    } catch (const TableError& e) {
        if (e.kind != TableError::Damaged) {
            tell("Unknown error!!");
            return false;
        }
    }
    try {
        const auto r = TableEngine::repair(QDir(folder).filePath(table));
        if (!r.repaired) {
            tell("Table was valid!");
            return false;
        }
        cursor.open();
        tell("Table was corrupted, " + QString::number(r.recordCount) + " QSO's recovered");
        return true;
    } catch (const TableError&) {
        tell("Unknown error!!");
        return false;
    }
}

bool ContestFile::open(const QString& descriptorPath) {
    close();
    descriptor_.reset();
    path_.clear();
    const QString path = QFileInfo(descriptorPath).absoluteFilePath();
    if (!QFileInfo::exists(path)) return false;
    if (!QFileInfo::exists(ContestPaths::dat(path)) ||
        !QFileInfo::exists(ContestPaths::idx(path))) {
        tell("Error opening file!");
        return false;
    }
    auto ini = std::make_unique<IniFile>(path);
    if (ini->readString("Program", "Version") != Signature) {
        tell("Error opening file!");
        return false;
    }
    if (ini->readString("Program", "TableVersion") != TableVersion) {
        tell("Sorry wrong table version. Please upgrade table!");
        return false;
    }
    descriptor_ = std::move(ini);
    path_ = path;
    header = ContestHeader();
    header.load(*descriptor_);
    activeBand = descriptor_->readInteger("Program", "ActiveBand", 0);
    activeMode = descriptor_->readInteger("Program", "ActiveMode", 0);
    activeOperator = descriptor_->readString("Program", "ActiveOperator");

    for (LogCursor* c : {&tekmovanjeTable, &logTable, &searchTable})
        if (!openWithRepair(*c, folder(), tableName())) {
            close();
            return false;
        }
    searchTable.setIndex("ByCall");
    for (LogCursor* c : {&tekmovanjeTable, &logTable})
        c->setIndex("ByBand");
    logTable.last();
    open_ = true;
    return true;
}

void ContestFile::close() {
    for (LogCursor* c : {&logTable, &tekmovanjeTable, &searchTable, &mirror_})
        c->close();
    open_ = false;
}

void ContestFile::writeDescriptorTo(IniFile& ini) const {
    IniFile::Batch batch(ini);
    ini.writeString("Program", "Version", Signature);
    ini.writeString("Program", "TableVersion", TableVersion);
    ini.writeInteger("Program", "ActiveBand", activeBand);
    ini.writeInteger("Program", "ActiveMode", activeMode);
    ini.writeString("Program", "ActiveOperator", activeOperator);
    header.save(ini);
}

void ContestFile::writeDescriptor() {
    if (open_ && descriptor_) writeDescriptorTo(*descriptor_);
}

bool ContestFile::saveAs(const QString& descriptorPath) {
    if (!open_) return false;
    const QString target = QFileInfo(descriptorPath).absoluteFilePath();
    if (target == path_) return false;
    try {
        TableEngine::copy(datPath(), ContestPaths::dat(target));
    } catch (const TableError& e) {
        tell(e.message);
        return false;
    }
    QFile::remove(target);
    {
        IniFile ini(target);
        writeDescriptorTo(ini);
    }
    return open(target);
}

QString ContestFile::bandRangeEnd(const QString& band) {
    return band.left(band.size() - 1) + "{";
}

void ContestFile::setBandRange(LogCursor& cursor, const QString& band) {
    cursor.setIndex("ByBand");
    cursor.setRange(band, bandRangeEnd(band));
    cursor.last();
}

bool ContestFile::backup(const QString& backupFolder, const std::function<void()>& betweenCopies) {
    const QString dir = withSlash(backupFolder);
    if (dir == folder() || !QFileInfo(backupFolder).isDir() || !QFileInfo::exists(datPath()))
        return false;
    try {
        for (const QString& name : {baseName(), baseName() + "TMP"}) {
            TableEngine::copy(datPath(), dir + name + ".dat");
            IniFile ini(dir + name + ".vhf");
            writeDescriptorTo(ini);
            if (name == baseName() && betweenCopies) betweenCopies();
        }
    } catch (const TableError&) {
        return false; // the next tick tries again
    }
    return true;
}

void ContestFile::openMirror(const QString& backupFolder) {
    mirror_.close();
    const QString dir = withSlash(backupFolder);
    if (dir.compare(folder(), Qt::CaseInsensitive) == 0) return;
    if (!QFileInfo::exists(dir + "VHFBaza.dat")) return;
    mirror_.setTable(dir, "VHFBaza.dat");
    try {
        mirror_.open();
    } catch (const TableError&) {
        mirror_.close();
    }
}

QString ContestFile::orderedQuerySql() const {
    return "SELECT * FROM \"" + tableName() + "\" ORDER BY Date,Time,Sent_QSO_Number,Call";
}

std::vector<QsoRecord> ContestFile::orderedQuery() const {
    if (!open_) return {};
    return queryLog(folder(), orderedQuerySql());
}
