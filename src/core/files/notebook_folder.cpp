#include "core/files/notebook_folder.h"

#include "core/files/file_names.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

NotebookFolder::NotebookFolder(const QString &dir) : m_dir(dir) {}

namespace {

// What QDir::entryList(Files | Hidden | System, NoSort) gives, read straight from the folder:
// every entry that is not a folder (nor a link to one). Qt's listing costs some ten thousand
// instructions an entry, which a folder of six thousand photos feels at every start.
QStringList folderFiles(const QString &dir)
{
    QStringList names;
    const QByteArray path = QFile::encodeName(dir);
    DIR *d = opendir(path.constData());
    if (!d)
        return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    while (const dirent *e = readdir(d)) {
        const char *name = e->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        bool folder = e->d_type == DT_DIR;
        if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            struct stat st {};
            folder = stat((path + '/' + name).constData(), &st) == 0 && S_ISDIR(st.st_mode);
        }
        if (!folder)
            names.append(QFile::decodeName(name));
    }
    closedir(d);
    return names;
}

} // namespace

// The listing is cached and refreshed when the folder changes: a folder of thousands of
// photos is not listed again for every picture that a day does not have, nor for every
// screen that lists the folder at start.
void NotebookFolder::refreshListing() const
{
    const QDateTime stamp = folderStamp();
    if (m_listingStamp.isValid() && stamp == m_listingStamp)
        return;
    m_lowerToActual.clear();
    // Unsorted: sorting would look at every file of a folder of thousands of photos.
    const QStringList names = folderFiles(m_dir);
    for (const QString &name : names)
        m_lowerToActual.insert(name.toLower(), name);
    m_listingStamp = stamp;
}

QString NotebookFolder::findCaseInsensitive(const QString &bareName) const
{
    // The name as given is there: no listing needed (two names in different case are two
    // files on Linux, and the one asked for exactly is the one meant).
    if (QFileInfo::exists(m_dir + u'/' + bareName))
        return bareName;
    refreshListing();
    return m_lowerToActual.value(bareName.toLower());
}

QStringList NotebookFolder::fileNames() const
{
    refreshListing();
    QStringList names = m_lowerToActual.values();
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    return names;
}

QStringList NotebookFolder::fileNamesWhere(bool (*keep)(const QString &name)) const
{
    refreshListing();
    QStringList names;
    for (const QString &name : std::as_const(m_lowerToActual))
        if (keep(name))
            names.append(name);
    return names;
}

QDateTime NotebookFolder::folderStamp() const { return QFileInfo(m_dir).lastModified(); }

void NotebookFolder::noteChange(const QString &path, const QDateTime &before, bool added) const
{
    // The folder changed by this one name since the listing was made (nothing else changed it
    // first): the listing is mended instead of made again, so a save in a folder of thousands
    // of photos does not list them all at the next picture looked for.
    if (!m_listingStamp.isValid() || before != m_listingStamp) {
        forgetListing();
        return;
    }
    const QString name = QFileInfo(path).fileName();
    if (added)
        m_lowerToActual.insert(name.toLower(), name);
    else if (m_lowerToActual.value(name.toLower()) == name)
        m_lowerToActual.remove(name.toLower());
    m_listingStamp = folderStamp();
}

bool NotebookFolder::isBareName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QChar(0));
}

QString NotebookFolder::pathOf(const QString &bareName) const
{
    if (!isBareName(bareName))
        return {};
    const QString exact = m_dir + u'/' + bareName;
    if (QFileInfo::exists(exact))
        return exact;
    const QString actual = findCaseInsensitive(bareName);
    if (!actual.isEmpty() && QFileInfo::exists(m_dir + u'/' + actual))
        return m_dir + u'/' + actual;
    return exact;
}

bool NotebookFolder::exists(const QString &bareName) const
{
    const QFileInfo info(pathOf(bareName));
    return info.exists() || info.isSymLink();
}

QString NotebookFolder::refusal(const QString &bareName) const
{
    const QString path = pathOf(bareName);
    if (path.isEmpty())
        return QStringLiteral("「%1」はファイルの名前に使えません。").arg(bareName);
    const QFileInfo info(path);
    // A pipe, a socket or a device (or a link to one): reading it could wait forever.
    if (info.exists() && !info.isFile() && !info.isDir())
        return QStringLiteral("%1 は普通のファイルではない（パイプや装置の）ため、読み書きしません。").arg(bareName);
    if (!info.isSymLink())
        return {};
    const QString target = info.canonicalFilePath();
    const QString inside = QFileInfo(m_dir).canonicalFilePath() + u'/';
    if (target.isEmpty() || !target.startsWith(inside))
        return QStringLiteral("%1 は手帖のフォルダーの外（またはどこにもないところ）を指すリンクのため、"
                              "読み書きしません。")
            .arg(bareName);
    return {};
}

QByteArray NotebookFolder::readAll(const QString &bareName, bool *ok) const
{
    QFile f(pathOf(bareName));
    if (!refusal(bareName).isEmpty() || !f.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    if (ok)
        *ok = true;
    return f.readAll();
}

QString writeFailureText(const QString &qtError, qint64 available, qint64 needed)
{
    if (available >= 0 && available < needed + 64 * 1024)
        return QStringLiteral("ディスクの空き容量が足りません（空き %1 KB）").arg(available / 1024);
    if (qtError.isEmpty() || qtError == QLatin1String("Unknown error"))
        return QStringLiteral("書き込みに失敗しました。原因はわかりません");
    return qtError;
}

namespace {

// Why a write in dir of needed bytes failed, for the user.
QString failureOf(const QFileDevice &f, const QString &dir, qint64 needed)
{
    const QStorageInfo disk(dir);
    return writeFailureText(f.errorString(), disk.isValid() ? disk.bytesAvailable() : -1, needed);
}

} // namespace

bool NotebookFolder::save(const QString &bareName, const QByteArray &bytes, QString *error) const
{
    if (const QString refused = refusal(bareName); !refused.isEmpty()) {
        if (error)
            *error = refused;
        return false;
    }
    const QString path = pathOf(bareName);
    const QDateTime before = folderStamp();
    QSaveFile f(path);
    // Qt keeps small writes in a buffer, and commit() does not see a flush that failed: the
    // buffer is flushed and checked here, before the new file may replace the old one.
    const bool written = f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
    if (!written || !f.commit()) {
        if (error)
            *error = failureOf(f, m_dir, bytes.size());
        f.cancelWriting();
        return false;
    }
    noteChange(path, before, true);
    return true;
}

bool NotebookFolder::saveCopyOf(const QString &bareName, const QString &sourcePath, QString *error) const
{
    if (const QString refused = refusal(bareName); !refused.isEmpty()) {
        if (error)
            *error = refused;
        return false;
    }
    QFile in(sourcePath);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = in.errorString();
        return false;
    }
    const QString path = pathOf(bareName);
    const QDateTime before = folderStamp();
    QSaveFile out(path);
    bool written = out.open(QIODevice::WriteOnly);
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    while (written) {
        const qint64 n = in.read(chunk.data(), chunk.size());
        if (n <= 0) {
            written = n == 0;
            break;
        }
        written = out.write(chunk.constData(), n) == n;
    }
    if (!written || !out.flush() || !out.commit()) {
        if (error)
            *error = in.error() != QFileDevice::NoError ? in.errorString() : failureOf(out, m_dir, in.size());
        out.cancelWriting();
        return false;
    }
    noteChange(path, before, true);
    return true;
}

namespace {

// Distinct enough that no file of the user's is taken for one.
const QString ReplaceSuffix = QStringLiteral(".ikuji-techo-new");

// A rename that replaces what is at to (QFile::rename does not).
bool renameOver(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

bool NotebookFolder::saveTogether(const QList<std::pair<QString, QByteArray>> &files, QString *error) const
{
    QStringList targets;
    for (const auto &[name, bytes] : files)
        if (const QString refused = refusal(name); !refused.isEmpty()) {
            if (error)
                *error = refused;
            return false;
        } else {
            targets.append(pathOf(name));
        }
    const auto removeNew = [&targets] {
        for (const QString &t : targets)
            QFile::remove(t + ReplaceSuffix);
    };
    for (qsizetype i = 0; i < files.size(); ++i) {
        QSaveFile f(targets[i] + ReplaceSuffix);
        const QByteArray &bytes = files[i].second;
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush() || !f.commit()) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(files[i].first, f.errorString());
            f.cancelWriting();
            removeNew();
            return false;
        }
    }
    // From here on the new versions win, even over a crash.
    QStringList names;
    for (const QString &t : targets)
        names.append(QFileInfo(t).fileName());
    QSaveFile journal(m_dir + u'/' + replaceJournalName());
    const QByteArray list = names.join(u'\n').toUtf8() + '\n';
    if (!journal.open(QIODevice::WriteOnly) || journal.write(list) != list.size() || !journal.flush() ||
        !journal.commit()) {
        if (error)
            *error = journal.errorString();
        journal.cancelWriting();
        removeNew();
        return false;
    }
    finishReplace(m_dir);
    forgetListing();
    return true;
}

bool NotebookFolder::finishReplace(const QString &dir)
{
    const QString journalPath = dir + u'/' + replaceJournalName();
    QFile journal(journalPath);
    bool finished = false;
    // Only a regular file is opened: a pipe of that name would never give an end.
    if (QFileInfo(journalPath).isFile() && !QFileInfo(journalPath).isSymLink() && journal.open(QIODevice::ReadOnly)) {
        const QStringList names = QString::fromUtf8(journal.readAll()).split(u'\n', Qt::SkipEmptyParts);
        journal.close();
        // A list cut short cannot have been written by the program (it is renamed into place
        // whole); only bare names are taken.
        for (const QString &name : names)
            if (isBareName(name) && QFileInfo::exists(dir + u'/' + name + ReplaceSuffix))
                renameOver(dir + u'/' + name + ReplaceSuffix, dir + u'/' + name);
        QFile::remove(journalPath);
        finished = true;
    }
    return finished;
}

bool NotebookFolder::append(const QString &bareName, const QByteArray &bytes, QString *error) const
{
    if (const QString refused = refusal(bareName); !refused.isEmpty()) {
        if (error)
            *error = refused;
        return false;
    }
    const QString path = pathOf(bareName);
    const QDateTime before = folderStamp();
    QFile f(path);
    // Unbuffered: nothing of a failed write waits in a buffer to be written at close.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    const qint64 oldSize = f.size();
    if (f.write(bytes) != bytes.size()) {
        if (error)
            *error = failureOf(f, m_dir, bytes.size());
        f.resize(oldSize); // what did reach the disk goes again
        return false;
    }
    noteChange(path, before, true);
    return true;
}

bool NotebookFolder::endsWithLineBreak(const QString &bareName) const
{
    QFile f(pathOf(bareName));
    if (!f.open(QIODevice::ReadOnly) || f.size() == 0)
        return true;
    char last = 0;
    return f.seek(f.size() - 1) && f.getChar(&last) && (last == '\n' || last == '\r');
}

QString NotebookFolder::keepBackupOf(const QString &bareName, const QByteArray &bytes, const QDateTime &now) const
{
    const QString target = backupPath(bareName, now);
    const QDateTime before = folderStamp();
    QSaveFile f(target);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush() || !f.commit()) {
        f.cancelWriting();
        return {};
    }
    noteChange(target, before, true);
    return QFileInfo(target).fileName();
}

NotebookFolder::Exchange NotebookFolder::exchange(const QString &bareName, const QByteArray &bytes,
                                                  QByteArray *replaced, QString *error) const
{
    if (const QString refused = refusal(bareName); !refused.isEmpty()) {
        if (error)
            *error = refused;
        return Exchange::Failed;
    }
    const QString path = pathOf(bareName);
    struct stat old {};
    const QByteArray target = QFile::encodeName(path);
    if (::lstat(target.constData(), &old) != 0 || !S_ISREG(old.st_mode))
        return Exchange::NotAvailable;
    // Named as QSaveFile names its temporaries, so a kill leaves what the start removes.
    QByteArray temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return Exchange::NotAvailable;
    const auto fail = [&](Exchange how, const QString &why) {
        ::close(fd);
        ::unlink(temp.constData());
        if (error)
            *error = why;
        return how;
    };
    ::fchmod(fd, old.st_mode & 07777);
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            return fail(Exchange::Failed, errno == ENOSPC ? QStringLiteral("ディスクの空きが足りません。")
                                                          : QString::fromLocal8Bit(std::strerror(errno)));
        done += n;
    }
    if (::fdatasync(fd) != 0)
        return fail(Exchange::Failed, QString::fromLocal8Bit(std::strerror(errno)));
    const QDateTime before = folderStamp();
    if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE) != 0)
        return fail(errno == ENOENT ? Exchange::NotAvailable : errno == EINVAL || errno == ENOSYS ||
                                                                       errno == EOPNOTSUPP
                                                                   ? Exchange::NotAvailable
                                                                   : Exchange::Failed,
                    QString::fromLocal8Bit(std::strerror(errno)));
    ::close(fd);
    // The old file now has the temporary name: what it held is read, then it goes.
    QFile out(QFile::decodeName(temp));
    if (replaced)
        *replaced = out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray();
    out.close();
    ::unlink(temp.constData());
    noteChange(path, before, true);
    return Exchange::Done;
}

QString NotebookFolder::backupPath(const QString &bareName, const QDateTime &now) const
{
    const QString name = QFileInfo(pathOf(bareName)).fileName() + u'.' +
                         now.toString(QStringLiteral("yyyyMMdd-hhmmss")) + QStringLiteral(".bak");
    QString target = m_dir + u'/' + name;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = m_dir + u'/' + name + u'.' + QString::number(n);
    return target;
}

QString NotebookFolder::keepBackup(const QString &bareName, const QDateTime &now) const
{
    const QString target = backupPath(bareName, now);
    const QDateTime before = folderStamp();
    if (!QFile::copy(pathOf(bareName), target))
        return {};
    noteChange(target, before, true);
    return QFileInfo(target).fileName();
}

QString NotebookFolder::lockPath() const
{
    // Outside the folder, per user and keyed by the folder's real path: a synced folder never
    // carries it to another computer, where it would refuse the other parent.
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QFileInfo(base).isDir())
        base = QDir::tempPath() + QStringLiteral("/ikuji-techo-") + QString::number(getuid());
    else
        base += QStringLiteral("/ikuji-techo");
    QString real = QFileInfo(m_dir).canonicalFilePath();
    if (real.isEmpty())
        real = QFileInfo(m_dir).absoluteFilePath();
    const QByteArray key = QCryptographicHash::hash(real.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    return base + u'/' + QString::fromLatin1(key) + QStringLiteral(".lock");
}

std::unique_ptr<QLockFile> NotebookFolder::lock(QString *error) const
{
    const QString path = lockPath();
    QDir().mkpath(QFileInfo(path).path());
    QFile::setPermissions(QFileInfo(path).path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner);
    auto lock = std::make_unique<QLockFile>(path);
    // Never stale by age: only a lock whose program is no longer running is taken over.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        // The lock file of earlier versions lived in the folder, where a sync tool carried it.
        const QString old = m_dir + QStringLiteral("/.ikuji-techo.lock");
        if (QFileInfo(old).isFile() && !QFileInfo(old).isSymLink())
            QFile::remove(old);
        return lock;
    }
    *error = lock->error() == QLockFile::LockFailedError
                 ? QStringLiteral("この育児手帖はすでに開いています。\r\n\r\n"
                                  "開いている育児手帖の画面をお使いください。")
                 : QStringLiteral("育児手帖の鍵のファイルを作れません（%1）。")
                       .arg(QDir::toNativeSeparators(path));
    return nullptr;
}

int NotebookFolder::removeLeftovers() const
{
    // QSaveFile writes into "<name>.XXXXXX" and renames it over the file at the end: so do the
    // data files and the pictures (a kill at the rename of an import leaves a whole copy).
    QStringList patterns;
    for (const QString &name : dataFileNames())
        patterns.append(QRegularExpression::escape(name));
    patterns.append(QStringLiteral(".+\\.(jpe?g|gif|bmp)"));
    const QRegularExpression temp(QStringLiteral("^(%1)\\.[A-Za-z0-9]{6}$").arg(patterns.join(u'|')),
                                  QRegularExpression::CaseInsensitiveOption);
    // New versions that no journal named were never committed (finishReplace ran first): the
    // files stay as they were. So go the unfinished writes of the new versions and the journal.
    static const QRegularExpression uncommitted(
        QStringLiteral("(%1|^%2)(\\.[A-Za-z0-9]{6})?$")
            .arg(QRegularExpression::escape(ReplaceSuffix), QRegularExpression::escape(replaceJournalName())));
    int removed = 0;
    for (const QString &entry : folderFiles(m_dir))
        if ((temp.match(entry).hasMatch() || uncommitted.match(entry).hasMatch()) &&
            QFileInfo(m_dir + u'/' + entry).isFile() && QFile::remove(m_dir + u'/' + entry))
            ++removed;
    return removed;
}
