#include "app/gui/OstrelogUnit.h"
#include "app/gui/UvodUnit.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/gui/QtPlatform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int home = args.indexOf("--home");
    if (home >= 0 && home + 1 < args.size()) Platform::setHomeFolder(args[home + 1]);

    SystemClock clock;
    QtPrompter prompter;
    QtFileChooser files;
    BellSpeaker speaker;
    Platform::setClock(&clock);
    Platform::setPrompter(&prompter);
    Platform::setFiles(&files);
    Platform::setSpeaker(&speaker);

    T_Uvod splash;
    splash.show();
    splash.repaint();
    app.processEvents();
    splash.advance();
    QApplication::setApplicationName("Ostrelog");

    int rc = 0;
    {
        T_Ostrelog main;
        splash.advance();
        main.show();
        splash.close();
        rc = app.exec();
    }
    Platform::setPrompter(nullptr);
    Platform::setFiles(nullptr);
    Platform::setSpeaker(nullptr);
    Platform::setClock(nullptr);
    return rc;
}
