#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>

class NotebookFolder;

// Remembers the files that could not be read whole, so that the user is told once and the
// original is copied aside before the program first rewrites it: nothing is silently shortened.
class RewriteGuard
{
public:
    // Returns true the first time a file is marked (the caller tells the user then).
    bool markNotWhole(const QString &bareName);
    bool isNotWhole(const QString &bareName) const { return m_notWhole.contains(key(bareName)); }
    // A file read whole but not as CP932 (another encoding, bytes it cannot hold): copied
    // aside before its first rewrite all the same, though an append needs no rewrite first.
    void markCopyFirst(const QString &bareName) { m_copyFirst.insert(key(bareName)); }

    // Another guard's marks added to these (reads made elsewhere, taken over).
    void takeMarksOf(const RewriteGuard &other)
    {
        m_notWhole.unite(other.m_notWhole);
        m_copyFirst.unite(other.m_copyFirst);
        m_backedUp.unite(other.m_backedUp);
    }

    // Call before rewriting a file. Keeps a dated copy the first time for a file that was
    // not read whole; false when that copy failed, and the rewrite must not happen.
    bool beforeRewrite(const NotebookFolder &folder, const QString &bareName, const QDateTime &now,
                       QString *backupName = nullptr);

private:
    static QString key(const QString &bareName) { return bareName.toLower(); }
    QSet<QString> m_notWhole;
    QSet<QString> m_copyFirst;
    QSet<QString> m_backedUp;
};
