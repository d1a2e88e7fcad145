#include "ui/shell/outside_watch.h"

#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/files/file_names.h"

#include <QFileSystemWatcher>
#include <QTimer>

OutsideWatch::OutsideWatch(Notebook &notebook, Dialogs &dialogs, QObject *parent)
    : QObject(parent), m_notebook(notebook), m_dialogs(dialogs), m_watcher(new QFileSystemWatcher(this)),
      m_settle(new QTimer(this))
{
    // A sync tool writes a file in several steps: the check waits until the folder is still.
    m_settle->setSingleShot(true);
    m_settle->setInterval(400);
    connect(m_settle, &QTimer::timeout, this, [this] { check(); });
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_settle, qOverload<>(&QTimer::start));
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_settle, qOverload<>(&QTimer::start));
    // A save that joined another computer's records tells of it once memory has caught up.
    connect(&m_notebook, &Notebook::fileReloaded, this, [this] {
        QMetaObject::invokeMethod(this, &OutsideWatch::sayNote, Qt::QueuedConnection);
    });
    connect(&m_notebook, &Notebook::outsideNoted, this,
            [this] { QMetaObject::invokeMethod(this, &OutsideWatch::sayNote, Qt::QueuedConnection); });
    m_watcher->addPath(m_notebook.files.dir());
    watchFiles();
}

// A file replaced by a rename is no longer the one watched: the watch is renewed each time.
void OutsideWatch::watchFiles()
{
    QStringList paths;
    for (const DataFile &file : dataFiles())
        if (file.watched && m_notebook.folder().exists(file.name))
            paths.append(m_notebook.folder().pathOf(file.name));
    const QStringList watched = m_watcher->files();
    for (const QString &path : paths)
        if (!watched.contains(path))
            m_watcher->addPath(path);
}

void OutsideWatch::check(bool atStart)
{
    m_notebook.folder().forgetListing();
    m_notebook.checkOutside();
    offerCopies(atStart);
    watchFiles();
    sayNote();
}

void OutsideWatch::offerCopies(bool atStart)
{
    NotebookFiles &files = m_notebook.files;
    for (const QString &copy : files.conflictCopies()) {
        if (m_offered.contains(copy))
            continue;
        if (!atStart && !files.isOwnConflictCopy(copy)) {
            // The other computer's copy is its own to join; told once, and offered at the next start.
            if (!m_mentioned.contains(copy)) {
                m_mentioned.insert(copy);
                m_copyNotes.append(QStringLiteral("同期ソフトが %1 の競合コピー %2 を作りました。"
                                                  "次に起動したときに取り込むかどうかをおたずねします。")
                                       .arg(NotebookFiles::conflictCopyOf(copy), copy));
            }
            continue;
        }
        m_offered.insert(copy);
        const QString file = NotebookFiles::conflictCopyOf(copy);
        if (!m_dialogs.confirm(
                QStringLiteral("同期の競合コピー"),
                QStringLiteral("同期ソフトが、両方のパソコンで変更された %1 のコピーを作りました：\r\n%2\r\n\r\n"
                               "このコピーにしかない記録を %1 に取り込みますか？\r\n"
                               "両方にあって内容の違う記録は %1 の内容のままにします。"
                               "コピーは消さずに、バックアップ フォルダーに移します。")
                    .arg(file, copy),
                Dialogs::Icon::Question, Dialogs::Answer::Ok))
            continue;
        reportWrite(m_dialogs, files.joinConflictCopy(copy));
    }
}

void OutsideWatch::sayNote()
{
    // A sync tool brings the files of one change seconds apart: what comes in while the note is
    // still new is said together with it.
    const QString note = m_notebook.files.takeOutsideNote() + m_copyNotes.join(QString());
    m_copyNotes.clear();
    if (note.isEmpty())
        return;
    const bool recent = m_lastSaid.isValid() && m_lastSaid.elapsed() < 10000;
    m_said = recent && !m_said.contains(note) ? m_said + note : note;
    m_lastSaid.start();
    emit noted(m_said);
}
