#include "core/backup/notebook_zip.h"
#include "core/book/notebook.h"
#include "core/notebook/diary_files.h"
#include "core/recipes/recipe_files.h"
#include "core/book/yearbook.h"
#include "core/book/notebook_setup.h"
#include "core/files/clock.h"
#include "core/text/command_line.h"
#include "core/text/dates.h"
#include "core/files/dialogs.h"
#include "ui/shell/diary_screen.h"
#include "ui/notebook/yearbook_window.h"
#include "ui/shell/startup.h"
#include "ui/widgets/qt_dialogs.h"
#include "ui/widgets/qt_printer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>

#include <cstdio>

#include <sys/resource.h>

static int fail(const QString &message)
{
    std::fputs((QStringLiteral("ikuji-techo: ") + message + u'\n').toLocal8Bit().constData(), stderr);
    return 1;
}

// The notebook a command without a window works on: the folder given, else the current folder
// when it holds a notebook, else the per-user one; "" (with the reason told) when it is none.
static QString commandNotebook(const CommandLine &command)
{
    QString folder = command.folder;
    if (folder.isEmpty())
        folder = notebook_setup::holdsNotebook(QDir::currentPath()) ? QDir::currentPath() : notebook_setup::perUserFolder();
    if (const QString refused = folderRefusal(folder); !refused.isEmpty()) {
        std::fputs(refused.toLocal8Bit().constData(), stderr);
        return {};
    }
    if (!notebook_setup::holdsNotebook(folder)) {
        fail(QStringLiteral("%1 は育児手帖のノートではありません（ﾌﾟﾗｲﾍﾞｰﾄ.txt がありません）。").arg(folder));
        return {};
    }
    return folder;
}

// --backup and --restore: the work without a window; the message on standard error.
static int runBackupCommand(const CommandLine &command)
{
    if (command.action == CommandLine::Restore) {
        const notebook_zip::Outcome o = notebook_zip::restoreInto(command.zip, command.folder);
        if (!o.ok)
            return fail(o.error);
        std::fputs(QStringLiteral("%1 に %2 個のファイルを復元しました。\n").arg(command.folder).arg(o.files)
                       .toLocal8Bit().constData(), stdout);
        return 0;
    }
    const QString folder = commandNotebook(command);
    if (folder.isEmpty())
        return 1;
    const notebook_zip::Outcome o = notebook_zip::writeBackup(folder, command.zip, false);
    if (!o.ok)
        return fail(o.error);
    std::fputs(QStringLiteral("%1 に %2 個のファイル（%3 バイト）を書き出しました。\n")
                   .arg(command.zip).arg(o.files).arg(o.bytes).toLocal8Bit().constData(), stdout);
    return 0;
}

// --export-html and --export-pdf: the yearbook without a window (the chart is drawn offscreen).
static int runExportCommand(const CommandLine &command)
{
    const QString folder = commandNotebook(command);
    if (folder.isEmpty())
        return 1;
    setUpApplication(*qApp);
    SystemClock clock;
    Notebook notebook(folder, clock);
    notebook.readProfile();
    notebook.readDiary();
    QtDialogs dialogs;
    QtPrinter printer(folder, QtPrinter::Target::DefaultPrinter, &clock);
    const bool pdf = command.action == CommandLine::ExportPdf;
    yearbook::Options options;
    options.from = parseStoredDate(command.from).value_or(QDate());
    options.to = parseStoredDate(command.to).value_or(QDate());
    const yearbook::Result r = yearbook::exportFromCommandLine(notebook, dialogs, printer, pdf, command.zip, options);
    if (!r.ok)
        return fail(r.error);
    std::fputs(QStringLiteral("%1 に書き出しました（%2 個のファイル、%3 バイト）。\n")
                   .arg(command.zip).arg(r.files).arg(r.bytes).toLocal8Bit().constData(), stdout);
    return 0;
}

// For the start-up bench (TECHO_BENCH_FIRST_PAINT set): at the main window's first paint, after
// the splash's wait, the time since main's first line, the CPU time spent and the resident
// memory go to standard output, and the program ends there.
class FirstPaintProbe : public QObject
{
public:
    explicit FirstPaintProbe(const QElapsedTimer &sinceStart) : m_sinceStart(sinceStart) {}
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && watched->isWidgetType() &&
            qobject_cast<DiaryScreen *>(static_cast<QWidget *>(watched)->window()))
            report();
        return false;
    }

private:
    void report() const
    {
        qint64 rssKb = 0;
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly))
            for (const QByteArray &line : status.readAll().split('\n'))
                if (line.startsWith("VmRSS:"))
                    rssKb = line.mid(6).trimmed().split(' ').value(0).toLongLong();
        rusage used{};
        ::getrusage(RUSAGE_SELF, &used);
        const qint64 cpuMs = (qint64(used.ru_utime.tv_sec) + used.ru_stime.tv_sec) * 1000 +
                             (used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1000;
        std::printf("first_paint_ms=%lld rss_kb=%lld cpu_ms=%lld\n", m_sinceStart.elapsed(), rssKb, cpuMs);
        std::fflush(stdout);
        std::_Exit(0);
    }
    const QElapsedTimer &m_sinceStart;
};

int main(int argc, char *argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    const bool benchFirstPaint = qEnvironmentVariableIsSet("TECHO_BENCH_FIRST_PAINT");
    // Qt decodes argv the same way (UTF-8 on Linux).
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = parseCommandLine(arguments);
    if (command.action == CommandLine::Backup || command.action == CommandLine::Restore) {
        QCoreApplication core(argc, argv);
        return runBackupCommand(command);
    }
    if (command.action == CommandLine::ExportHtml || command.action == CommandLine::ExportPdf) {
        // Nothing is shown: the chart is drawn offscreen even without a display.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return runExportCommand(command);
    }
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
    // The screen is made inside runStartup: its first paint is caught by the application.
    FirstPaintProbe probe(sinceStart);
    if (benchFirstPaint)
        app.installEventFilter(&probe);
    DiaryScreen *screen =
        runStartup(notebook, dialogs, printer, notebook_setup::helpDir(), 2000, opened.first);
    QObject::connect(screen, &DiaryScreen::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    // A restored notebook opens as a second program on its own folder.
    QObject::connect(screen, &DiaryScreen::restoredFolderToOpen, &app, [](const QString &folder) {
        QProcess::startDetached(QCoreApplication::applicationFilePath(), {folder});
    });
    const int rc = app.exec();
    delete screen;
    return rc;
}
