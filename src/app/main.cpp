#include "book/notebook.h"
#include "book/notebook_setup.h"
#include "common/clock.h"
#include "common/fonts.h"
#include "common/notebook_folder.h"
#include "common/qt_dialogs.h"
#include "common/qt_printer.h"
#include "shell/diary_screen.h"
#include "shell/startup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ikuji-techo"));
    QApplication::setApplicationDisplayName(QStringLiteral("育児手帖"));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    installJapaneseFonts();
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QStringList args = QApplication::arguments().mid(1);
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
