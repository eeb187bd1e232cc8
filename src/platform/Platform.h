#pragma once
#include <QString>

class Clock;
class Prompter;
class FileChooser;
class Speaker;

// The outside effects the program uses. app/ (and ostrelog-tool) install the real ones;
// tests install doubles. Nothing else creates them.
namespace Platform {
Clock& clock();
Prompter& prompter();
FileChooser& files();
Speaker& speaker();
void setClock(Clock* c);
void setPrompter(Prompter* p);
void setFiles(FileChooser* f);
void setSpeaker(Speaker* s);

// The home folder: settings, UserInfo.ini, the call library, Country.dat, Maps/.
// --home DIR, else $OSTRELOG_HOME, else ~/.local/share/Ostrelog. Always ends with "/".
QString homeFolder();
void setHomeFolder(const QString& dir);
// A shipped data file: the home folder's copy when it has one, else the install's.
QString dataFile(const QString& name);
QString versionText(); // "1.0.0"
} // namespace Platform
