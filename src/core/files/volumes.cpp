#include "core/files/volumes.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

bool under(const QString &path, const QString &root)
{
    if (root == QStringLiteral("/"))
        return path.startsWith(u'/');
    return path == root || path.startsWith(root + u'/');
}

bool isRemovable(const QString &root)
{
    for (const char *place : {"/media", "/run/media", "/mnt"})
        if (under(root, QString::fromLatin1(place)) && root != QString::fromLatin1(place))
            return true;
    return false;
}

QString labelOf(const QStorageInfo &s)
{
    const QString name = s.displayName();
    return name == s.rootPath() ? name : QStringLiteral("%1 (%2)").arg(name, s.rootPath());
}

} // namespace

bool isUserVolume(const QString &root, const QByteArray &fileSystemType)
{
    static const QByteArray systemTypes[] = {
        "proc",   "sysfs",       "devtmpfs", "devpts",   "tmpfs",   "cgroup", "cgroup2",   "securityfs",
        "pstore", "debugfs",     "tracefs",  "configfs", "fusectl", "mqueue", "hugetlbfs", "bpf",
        "autofs", "binfmt_misc", "squashfs", "efivarfs", "ramfs",   "nsfs",   "rpc_pipefs"};
    for (const QByteArray &t : systemTypes)
        if (fileSystemType == t)
            return false;
    if (root == QStringLiteral("/") || isRemovable(root))
        return true;
    for (const char *system : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot", "/etc", "/usr", "/var",
                               "/tmp", "/lib", "/opt", "/srv"})
        if (under(root, QString::fromLatin1(system)))
            return false;
    // A single file mounted into place (as containers do with /etc/hosts) is no drive.
    return QFileInfo(root).isDir();
}

QList<Volume> pickerVolumes()
{
    QList<Volume> removable, others;
    Volume rootVolume{QStringLiteral("/"), QStringLiteral("/"), true};
    for (const QStorageInfo &s : QStorageInfo::mountedVolumes()) {
        const QString root = s.rootPath();
        if (!isUserVolume(root, s.fileSystemType()))
            continue;
        const Volume v{root, labelOf(s), s.isReady() && QDir(root).isReadable()};
        if (root == QStringLiteral("/"))
            rootVolume = {root, QStringLiteral("/ (%1)").arg(QStringLiteral("コンピューター")), v.ready};
        else
            (isRemovable(root) ? removable : others).append(v);
    }
    QList<Volume> volumes{{QDir::homePath(), QStringLiteral("ホーム (%1)").arg(QDir::homePath()), true}};
    volumes += removable;
    volumes += others;
    volumes.append(rootVolume);
    return volumes;
}

int volumeOf(const QList<Volume> &volumes, const QString &folder)
{
    int best = -1;
    for (int i = 0; i < volumes.size(); ++i)
        if (under(folder, volumes[i].root) &&
            (best < 0 || volumes[i].root.size() > volumes[best].root.size()))
            best = i;
    return best;
}
