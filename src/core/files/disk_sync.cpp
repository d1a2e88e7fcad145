#include "core/files/disk_sync.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

QString syncToDisk(const QString &dir)
{
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    const int synced = ::syncfs(fd);
    const int error = errno;
    ::close(fd);
    return synced == 0 ? QString() : QString::fromLocal8Bit(std::strerror(error));
}
