#include "core/backup/stale_temporaries.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

namespace temporaries {

namespace {

const QString Random = QStringLiteral("[A-Za-z0-9]{6}");

bool stale(const QString &path, const QDateTime &now, qint64 staleAfter)
{
    if (staleAfter < 0)
        return true;
    const QDateTime written = lastWritten(path);
    return !written.isValid() || written.secsTo(now) > staleAfter;
}

bool removeEntry(const QFileInfo &f)
{
    // A link is removed as a link, never followed.
    if (f.isDir() && !f.isSymLink())
        return QDir(f.filePath()).removeRecursively();
    return QFile::remove(f.filePath());
}

// Every entry of dir (hidden ones too) whose name matches and that passes keep's test.
template <typename Test> int removeMatching(const QString &dir, const QRegularExpression &name, Test test)
{
    // Names first, unsorted: a notebook of thousands of photos holds a temporary or two at most.
    QFileInfoList entries;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        if (name.match(it.fileName()).hasMatch())
            entries.append(it.fileInfo());
    }
    int removed = 0;
    for (const QFileInfo &f : entries)
        if (test(f) && removeEntry(f))
            ++removed;
    return removed;
}

// What writeHtml puts in its folder, and nothing else: a folder of another program that has a
// name of the same shape is left alone.
bool looksLikeYearbook(const QFileInfo &f)
{
    if (!f.isDir() || f.isSymLink())
        return false;
    const QStringList known = {QStringLiteral("photos"), QStringLiteral("index.html"),
                               QStringLiteral("style.css"), QStringLiteral("chart.png")};
    const QStringList inside =
        QDir(f.filePath()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (!inside.contains(QStringLiteral("photos")))
        return false;
    for (const QString &name : inside)
        if (!known.contains(name))
            return false;
    return true;
}

} // namespace

QDateTime lastWritten(const QString &path)
{
    const QFileInfo info(path);
    QDateTime latest = info.lastModified();
    if (info.isDir() && !info.isSymLink()) {
        QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            const QDateTime t = it.fileInfo().lastModified();
            if (t > latest)
                latest = t;
        }
    }
    return latest;
}

QString restorePrefix() { return QStringLiteral(".ikuji-techo-restore-"); }

int removeBackupParts(const QString &dir, const QString &zipName, const QDateTime &now)
{
    static const QRegularExpression part(QStringLiteral("^.+\\.zip\\.part(\\.%1)?$").arg(Random),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression own(
        QStringLiteral("^%1\\.part(\\.%2)?$").arg(QRegularExpression::escape(zipName), Random));
    return removeMatching(dir, part, [&](const QFileInfo &f) {
        return f.isFile() &&
               (own.match(f.fileName()).hasMatch() || stale(f.filePath(), now, StaleAfterSeconds));
    });
}

int removeRestoreFolders(const QString &dir, const QDateTime &now, qint64 staleAfter)
{
    static const QRegularExpression folder(
        QStringLiteral("^%1%2$").arg(QRegularExpression::escape(restorePrefix()), Random));
    return removeMatching(dir, folder, [&](const QFileInfo &f) {
        return f.isDir() && !f.isSymLink() && stale(f.filePath(), now, staleAfter);
    });
}

int removeYearbookFolders(const QString &dir, const QString &name, const QDateTime &now)
{
    const QRegularExpression folder(
        QStringLiteral("^\\.%1-%2$")
            .arg(name.isEmpty() ? QStringLiteral(".+") : QRegularExpression::escape(name), Random));
    return removeMatching(dir, folder, [&](const QFileInfo &f) {
        return looksLikeYearbook(f) && stale(f.filePath(), now, StaleAfterSeconds);
    });
}

int removeBesideNotebook(const QString &notebookDir, const QDateTime &now)
{
    int removed = 0;
    for (const QString &dir : {notebookDir, QFileInfo(notebookDir).absolutePath()}) {
        removed += removeBackupParts(dir, QString(), now);
        removed += removeRestoreFolders(dir, now);
        removed += removeYearbookFolders(dir, QString(), now);
    }
    return removed;
}

} // namespace temporaries
