#include "shell/startup.h"

#include "book/notebook.h"
#include "profile/profile_files.h"
#include "shell/diary_screen.h"
#include "shell/splash_screen.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QThread>

DiaryScreen *runStartup(Notebook &notebook, Dialogs &dialogs, Printer &printer, const QString &helpDir,
                        int splashWaitMs)
{
    SplashScreen splash;
    const QString nickname = readNickname(notebook.files);
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
