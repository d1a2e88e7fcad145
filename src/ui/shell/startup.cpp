#include "ui/shell/startup.h"

#include "core/backup/notebook_zip.h"
#include "core/backup/stale_temporaries.h"
#include "core/book/notebook.h"
#include "core/book/notebook_preload.h"
#include "core/book/notebook_setup.h"
#include "core/files/dialogs.h"
#include "core/text/fonts.h"
#include "core/files/notebook_folder.h"
#include "core/profile/profile_files.h"
#include "ui/profile/backup_commands.h"
#include "ui/shell/diary_screen.h"
#include "ui/shell/splash_screen.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QLockFile>
#include <QThread>
#include <QTranslator>

#include <functional>
#include <future>

DiaryScreen *runStartup(Notebook &notebook, Dialogs &dialogs, Printer &printer, const QString &helpDir,
                        int splashWaitMs, FirstStart first)
{
    SplashScreen splash;
    const QString nickname = readNickname(notebook.files);
    QCoreApplication::processEvents();
    splash.setNickname(nickname);
    splash.show();

    // Elapsed time, not the time of day: a start just before midnight still waits two seconds.
    // The wait keeps painting (but takes no input), so the splash is drawn as soon as the
    // window system shows it, and again whenever it is uncovered.
    QElapsedTimer elapsed;
    elapsed.start();
    // While the splash waits, the notebook's files are read and decoded on a worker thread into
    // tables of its own, and the notebook screen's widgets are made here, hidden. Nothing is
    // shown or asked before the wait is over: the load, with its boxes in their order, follows it.
    std::future<std::shared_ptr<NotebookPreload>> preload =
        std::async(std::launch::async, &Notebook::preload, notebook.files.dir(), std::ref(notebook.clock));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); // the splash drawn first
    auto *screen = new DiaryScreen(notebook, dialogs, printer, helpDir);
    screen->setAttribute(Qt::WA_DeleteOnClose, false);
    // The own notebook starts at the profile screen, without the sample's welcome.
    screen->setFirstStart(first != FirstStart::No, first == FirstStart::OwnNotebook);
    while (elapsed.elapsed() < splashWaitMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QThread::msleep(10);
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    notebook.takePreload(preload.get());
    screen->load();
    notebook.dropPreload();
    screen->show();
    screen->raise();
    splash.close();
    if (first == FirstStart::OwnNotebook)
        screen->startOwnNotebook();
    return screen;
}

void setUpApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("ikuji-techo"));
    // No application display name: the window system would add it to every title.
    QApplication::setApplicationVersion(QStringLiteral(TECHO_VERSION));
    // Wayland finds the window's icon through the menu entry's name.
    QGuiApplication::setDesktopFileName(QStringLiteral("ikuji-techo"));
    QIcon icon;
    for (const QString &png : QDir(QStringLiteral(":/icons")).entryList())
        icon.addFile(QStringLiteral(":/icons/") + png);
    QApplication::setWindowIcon(icon);
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    installJapaneseFonts();
    auto *qtTranslator = new QTranslator(&app);
    if (qtTranslator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTranslator);
}

namespace {

// The first start's question: the sample's child was born long ago, so a notebook made from
// it cannot take a single day of the user's own child.
FirstStart askFirstStart(Dialogs &dialogs)
{
    Dialogs::Box box{QStringLiteral("育児手帖へようこそ"),
                     QStringLiteral("育児手帖へようこそ！\r\n\r\n"
                                    "お子さんの育児手帖を作りますか？\r\n\r\n"
                                    "「自分の手帖を作る」：お子さんのニックネームと生年月日を入れて、"
                                    "新しい育児手帖を作ります。\r\n"
                                    "「見本を見る」：見本（ももちゃん）の育児手帖を開きます。"
                                    "見本に書いたことは残りません。"),
                     Dialogs::Icon::Question,
                     Dialogs::Buttons::OkCancel,
                     Dialogs::Answer::Ok,
                     QStringLiteral("自分の手帖を作る"),
                     QStringLiteral("見本を見る")};
    return dialogs.message(box) == Dialogs::Answer::Ok ? FirstStart::OwnNotebook : FirstStart::Sample;
}

} // namespace

QString prepareNotebookFolder(const QString &given, Dialogs &dialogs, std::unique_ptr<QLockFile> &lock,
                              QString *error, FirstStart *first, const std::function<QString()> &sampleCopy)
{
    const QStringList args = given.isEmpty() ? QStringList() : QStringList{given};
    QString dir = notebook_setup::chooseFolder(args, QDir::currentPath());
    const QString sample = notebook_setup::sampleDir();
    if (!args.isEmpty() && !QFileInfo(dir).isDir()) {
        *error = QStringLiteral("フォルダー %1 が見つかりません。").arg(dir);
        return {};
    }
    FirstStart choice = FirstStart::No;
    if (first && sampleCopy && dir == notebook_setup::perUserFolder() && !QFileInfo(dir).isDir()) {
        choice = askFirstStart(dialogs);
        // Either way the sample opens from a temporary copy: the own notebook is made in the
        // per-user folder only when its profile is saved, so leaving the form makes nothing.
        dir = sampleCopy();
        if (dir.isEmpty()) {
            *error = QStringLiteral("見本を写すための一時フォルダーを作れませんでした。");
            return {};
        }
    }
    if (first)
        *first = choice;
    if (!QFileInfo(dir).isDir() && !notebook_setup::createFromSample(dir, sample, error))
        return {};
    if (!args.isEmpty() && !notebook_setup::holdsNotebook(dir) &&
        !dialogs.confirm(programTitle(),
                         QStringLiteral("%1 には育児手帖がありません。\r\n\r\n"
                                        "このフォルダーに新しい育児手帖を作りますか？")
                             .arg(QDir::toNativeSeparators(dir)),
                         Dialogs::Icon::Question, Dialogs::Answer::Cancel))
        return {};
    lock = notebook_setup::lockFolder(dir, error);
    if (!lock)
        return {};
    // A restore or a new notebook that a crash interrupted is completed (a restore not begun,
    // undone) before anything reads the files; then go what killed operations left.
    if (!backup_commands::tellInterruptedRestore(dialogs, notebook_zip::finishRestore(dir)))
        return {};
    NotebookFolder::finishReplace(dir);
    notebook_setup::removeLeftovers(dir);
    temporaries::removeBesideNotebook(dir);
    notebook_setup::createMissingFiles(NotebookFolder(dir), sample);
    // Told only here, with the folder held: a second copy refused by the lock leaves it for this one.
    backup_commands::tellAutoBackupFailure(dialogs, dir);
    return dir;
}

OpenedFolder openNotebookFolder(const QString &given, Dialogs &dialogs)
{
    OpenedFolder opened;
    // The temporary copy is made only when the user asks to look at the sample.
    const auto sampleCopy = [&opened] {
        opened.sampleCopy = std::make_unique<QTemporaryDir>();
        return opened.sampleCopy->isValid() ? opened.sampleCopy->filePath(QStringLiteral("見本")) : QString();
    };
    opened.dir = prepareNotebookFolder(given, dialogs, opened.lock, &opened.error, &opened.first, sampleCopy);
    return opened;
}
