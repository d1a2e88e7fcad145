#include "core/book/notebook.h"
#include "core/book/notebook_setup.h"
#include "core/common/clock.h"
#include "core/common/command_line.h"
#include "core/common/dialogs.h"
#include "ui/shell/diary_screen.h"
#include "ui/shell/startup.h"
#include "ui/widgets/qt_dialogs.h"
#include "ui/widgets/qt_printer.h"

#include <QApplication>
#include <QLockFile>
#include <QMessageBox>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Qt decodes argv the same way (UTF-8 on Linux).
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = parseCommandLine(arguments);
    if (command.action != CommandLine::Run) {
        std::fputs(command.output.toLocal8Bit().constData(),
                   command.action == CommandLine::Error ? stderr : stdout);
        return command.exitCode;
    }
    if (const QString refused = command.folder.isEmpty() ? QString() : folderRefusal(command.folder);
        !refused.isEmpty()) {
        std::fputs(refused.toLocal8Bit().constData(), stderr);
        return 1;
    }

    QApplication app(argc, argv);
    setUpApplication(app);
    QtDialogs dialogs;
    // The folder, held for the whole run (and a look at the sample's temporary copy).
    const OpenedFolder opened = openNotebookFolder(command.folder, dialogs);
    if (opened.dir.isEmpty() && !opened.error.isEmpty())
        QMessageBox::warning(nullptr, programTitle(), opened.error);
    if (opened.dir.isEmpty())
        return opened.error.isEmpty() ? 0 : 1;
    const QString &dir = opened.dir;

    SystemClock clock;
    Notebook notebook(dir, clock);
    QtPrinter printer(dir, QtPrinter::Target::DefaultPrinter, &clock);
    DiaryScreen *screen = runStartup(notebook, dialogs, printer, notebook_setup::helpDir(), 2000, opened.first);
    QObject::connect(screen, &DiaryScreen::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    const int rc = app.exec();
    delete screen;
    return rc;
}
