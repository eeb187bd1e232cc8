#include "Platform.h"

#include "Clock.h"
#include "FileChooser.h"
#include "Prompter.h"
#include "Speaker.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
SystemClock systemClock;
RecordingPrompter fallbackPrompter;
ScriptedFileChooser fallbackFiles;
SilentSpeaker silentSpeaker;

Clock* theClock = &systemClock;
Prompter* thePrompter = &fallbackPrompter;
FileChooser* theFiles = &fallbackFiles;
Speaker* theSpeaker = &silentSpeaker;
QString theHome;

QString withSlash(QString dir) {
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    return dir.endsWith('/') ? dir : dir + '/';
}
} // namespace

namespace Platform {
Clock& clock() {
    return *theClock;
}
Prompter& prompter() {
    return *thePrompter;
}
FileChooser& files() {
    return *theFiles;
}
Speaker& speaker() {
    return *theSpeaker;
}
void setClock(Clock* c) {
    theClock = c ? c : &systemClock;
}
void setPrompter(Prompter* p) {
    thePrompter = p ? p : &fallbackPrompter;
}
void setFiles(FileChooser* f) {
    theFiles = f ? f : &fallbackFiles;
}
void setSpeaker(Speaker* s) {
    theSpeaker = s ? s : &silentSpeaker;
}

QString homeFolder() {
    if (theHome.isEmpty()) {
        QString dir = qEnvironmentVariable("OSTRELOG_HOME");
        if (dir.isEmpty()) dir = QDir::homePath() + "/.local/share/Ostrelog";
        setHomeFolder(dir);
    }
    return theHome;
}

void setHomeFolder(const QString& dir) {
    theHome = withSlash(dir);
    QDir().mkpath(theHome);
}

QString dataFile(const QString& name) {
    const QString own = homeFolder() + name;
    if (QFileInfo::exists(own)) return own;
    return QStringLiteral(OSTRELOG_DATA_DIR) + "/" + name;
}

QString versionText() {
    return QStringLiteral(OSTRELOG_VERSION);
}
} // namespace Platform
