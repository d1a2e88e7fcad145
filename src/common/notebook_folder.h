#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

// The notebook folder. Files are named by bare name, and a bare name reaches an existing file
// whatever the letter case of its name (a folder copied from Windows may hold 日記.TXT).
// Every rewrite is atomic: a crash mid-write leaves the old file as it was.
class NotebookFolder
{
public:
    explicit NotebookFolder(const QString &dir = {});

    QString dir() const { return m_dir; }
    // The path of the file the bare name reaches; for a file that does not exist yet, the
    // name as given.
    QString pathOf(const QString &bareName) const;
    bool exists(const QString &bareName) const;

    // The whole file; empty when it is missing (ok, when given, tells the two apart).
    QByteArray readAll(const QString &bareName, bool *ok = nullptr) const;
    bool save(const QString &bareName, const QByteArray &bytes, QString *error = nullptr) const;
    // Appends in one write.
    bool append(const QString &bareName, const QByteArray &bytes, QString *error = nullptr) const;
    // True when the file is empty or missing, or its last byte ends a line.
    bool endsWithLineBreak(const QString &bareName) const;
    // Copies the file beside itself as "<name>.<yyyyMMdd-hhmmss>.bak"; returns that name, or
    // an empty string when the copy failed.
    QString keepBackup(const QString &bareName, const QDateTime &now) const;

    // Tells the folder that files were added or renamed behind its back.
    void forgetListing() const { m_listingStamp = QDateTime(); }

private:
    QString findCaseInsensitive(const QString &bareName) const;

    QString m_dir;
    mutable QHash<QString, QString> m_lowerToActual;
    mutable QDateTime m_listingStamp;
};
