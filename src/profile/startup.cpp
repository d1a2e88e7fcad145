#include "profile/startup.h"

#include "common/cp932.h"
#include "notebook/diary_screen.h"
#include "notebook/notebook.h"
#include "profile/splash_screen.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QThread>

DiaryScreen *runStartup(Notebook &notebook, Dialogs &dialogs, Printer &printer, const QString &helpDir,
                        int splashWaitMs)
{
    SplashScreen splash;
    const QString nickname = parseNickname(cp932::decode(notebook.folder.readAll(profileFileName())));
    QCoreApplication::processEvents();
    splash.setNickname(nickname);
    splash.show();
    QCoreApplication::processEvents();

    // Elapsed time, not the time of day: a start just before midnight still waits two seconds.
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < splashWaitMs)
        QThread::msleep(20);

    auto *screen = new DiaryScreen(notebook, dialogs, printer, helpDir);
    screen->setAttribute(Qt::WA_DeleteOnClose, false);
    screen->load();
    screen->show();
    screen->raise();
    splash.close();
    return screen;
}
