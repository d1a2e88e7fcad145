#include "core/files/rewrite_guard.h"

#include "core/files/notebook_folder.h"

bool RewriteGuard::markNotWhole(const QString &bareName)
{
    if (m_notWhole.contains(key(bareName)))
        return false;
    m_notWhole.insert(key(bareName));
    return true;
}

bool RewriteGuard::beforeRewrite(const NotebookFolder &folder, const QString &bareName, const QDateTime &now,
                                 QString *backupName)
{
    if ((!isNotWhole(bareName) && !m_copyFirst.contains(key(bareName))) || m_backedUp.contains(key(bareName)) ||
        !folder.exists(bareName))
        return true;
    const QString copy = folder.keepBackup(bareName, now);
    if (copy.isEmpty())
        return false;
    m_backedUp.insert(key(bareName));
    if (backupName)
        *backupName = copy;
    return true;
}
