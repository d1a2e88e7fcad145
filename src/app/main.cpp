#include "book/notebook.h"
#include "book/notebook_setup.h"
#include "common/clock.h"
#include "common/command_line.h"
#include "common/fonts.h"
#include "common/notebook_folder.h"
#include "common/qt_dialogs.h"
#include "common/qt_printer.h"
#include "shell/diary_screen.h"
#include "shell/startup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

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

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ikuji-techo"));
    QApplication::setApplicationDisplayName(QStringLiteral("育児手帖"));
    QApplication::setApplicationVersion(QStringLiteral(TECHO_VERSION));
    // Wayland finds the window's icon through the menu entry's name.
    QGuiApplication::setDesktopFileName(QStringLiteral("ikuji-techo"));
    QIcon icon;
    for (const QString &png : QDir(QStringLiteral(":/icons")).entryList())
        icon.addFile(QStringLiteral(":/icons/") + png);
    QApplication::setWindowIcon(icon);
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    installJapaneseFonts();
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QStringList args;
    if (!command.folder.isEmpty())
        args << command.folder;
    const QString dir = notebook_setup::chooseFolder(args, QDir::currentPath());
    const QString sample = notebook_setup::sampleDir();
    if (!args.isEmpty() && !QFileInfo(dir).isDir()) {
        QMessageBox::warning(nullptr, QStringLiteral("育児手帖"),
                             QStringLiteral("フォルダー %1 が見つかりません。").arg(dir));
        return 1;
    }
    if (!QFileInfo(dir).isDir()) {
        QString error;
        if (!notebook_setup::createFromSample(dir, sample, &error)) {
            QMessageBox::warning(nullptr, QStringLiteral("育児手帖"), error);
            return 1;
        }
    }
    notebook_setup::createMissingFiles(NotebookFolder(dir), sample);

    SystemClock clock;
    Notebook notebook(dir, clock);
    QtDialogs dialogs;
    QtPrinter printer(dir);
    DiaryScreen *screen = runStartup(notebook, dialogs, printer, notebook_setup::helpDir());
    QObject::connect(screen, &DiaryScreen::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    const int rc = app.exec();
    delete screen;
    return rc;
}
