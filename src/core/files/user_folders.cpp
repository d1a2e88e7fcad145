#include "core/files/user_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString userDataFolder()
{
    const QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (!data.isEmpty() && QDir::isAbsolutePath(data))
        return QDir::cleanPath(data);
    const QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty() || !QDir::isAbsolutePath(home))
        return {};
    return QDir::cleanPath(home + QStringLiteral("/.local/share"));
}

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}
