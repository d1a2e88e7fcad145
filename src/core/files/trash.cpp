#include "core/files/trash.h"
#include "core/files/user_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cerrno>
#include <cstdio>

namespace trash {

QString homeTrash()
{
    const QString data = userDataFolder();
    return data.isEmpty() ? QString() : data + QStringLiteral("/Trash");
}

namespace {

bool makeFolder(const QString &path)
{
    if (QFileInfo(path).isDir())
        return true;
    if (!QDir().mkpath(path))
        return false;
    // The trash is the user's alone.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return true;
}

// Claims a name in the trash by creating its .trashinfo exclusively: two removals of files
// with one name never take the same place.
QString claimName(const QString &trash, const QString &fileName, const QByteArray &info)
{
    const QFileInfo fi(fileName);
    const QString base = fi.completeBaseName();
    const QString suffix = fi.suffix().isEmpty() ? QString() : u'.' + fi.suffix();
    for (int n = 1; n < 10000; ++n) {
        const QString name = n == 1 ? fileName : QStringLiteral("%1.%2%3").arg(base).arg(n).arg(suffix);
        if (QFileInfo::exists(trash + QStringLiteral("/files/") + name))
            continue;
        QFile record(trash + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo"));
        if (!record.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            continue;
        const bool written = record.write(info) == info.size() && record.flush();
        record.close();
        if (written)
            return name;
        record.remove();
        return {};
    }
    return {};
}

} // namespace

bool moveToTrash(const QString &path, const QDateTime &now, QString *error)
{
    const QString trash = homeTrash();
    if (trash.isEmpty() || !makeFolder(trash + QStringLiteral("/files")) ||
        !makeFolder(trash + QStringLiteral("/info"))) {
        *error = QStringLiteral("ゴミ箱（%1）を用意できませんでした")
                     .arg(trash.isEmpty() ? QStringLiteral("ホームフォルダーがありません") : trash);
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QByteArray info = "[Trash Info]\nPath=" + QUrl::toPercentEncoding(absolute, "/") +
                            "\nDeletionDate=" + now.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1() +
                            "\n";
    const QString name = claimName(trash, QFileInfo(path).fileName(), info);
    if (name.isEmpty()) {
        *error = QStringLiteral("ゴミ箱（%1）に書き込めませんでした").arg(trash);
        return false;
    }
    const QString target = trash + QStringLiteral("/files/") + name;
    const QString infoPath = trash + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo");
    if (std::rename(QFile::encodeName(absolute).constData(), QFile::encodeName(target).constData()) == 0)
        return true;
    // Another disk: a copy in the trash, then the original goes.
    if (errno == EXDEV && QFile::copy(absolute, target)) {
        if (QFile::remove(absolute))
            return true;
        QFile::remove(target);
    }
    QFile::remove(infoPath);
    *error = QStringLiteral("ゴミ箱（%1）に移せませんでした").arg(trash);
    return false;
}

} // namespace trash
