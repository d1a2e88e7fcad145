#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <utility>

class QLockFile;

// The notebook folder. Files are named by bare name, and a bare name reaches an existing file
// whatever the letter case of its name (a folder copied from Windows may hold 日記.TXT).
// Every rewrite is atomic: a crash mid-write leaves the old file as it was.
// What the user is told of a write that failed: a full disk by name (Qt may call it
// "Unknown error"), else what Qt said. available is the free space of the disk, -1 unknown.
QString writeFailureText(const QString &qtError, qint64 available, qint64 needed);

class NotebookFolder
{
public:
    explicit NotebookFolder(const QString &dir = {});

    QString dir() const { return m_dir; }
    // A name of a file directly in the folder: no separator, not "." or "..".
    static bool isBareName(const QString &name);
    // The path of the file the bare name reaches; for a file that does not exist yet, the
    // name as given; "" for a name that is not a bare name.
    QString pathOf(const QString &bareName) const;
    // The file exists (or a link of that name does, even one that leads nowhere).
    bool exists(const QString &bareName) const;
    // Why the file must not be read or written through this folder ("" when it may): a name
    // that is not bare, or a link that leads out of the folder or nowhere.
    QString refusal(const QString &bareName) const;

    // The whole file; empty when it is missing (ok, when given, tells the two apart).
    QByteArray readAll(const QString &bareName, bool *ok = nullptr) const;
    // The whole file anew: written, flushed and checked before it replaces the old one, so a
    // full disk leaves the old file as it was.
    bool save(const QString &bareName, const QByteArray &bytes, QString *error = nullptr) const;
    // The whole file anew, put in place by exchanging it with the old one (Linux's renameat2
    // with RENAME_EXCHANGE), so that the bytes it replaced come back in replaced: a version
    // another program renamed into place after the caller last read the file is never lost
    // unseen. NotAvailable when the file is missing or the folder's file system cannot
    // exchange (nothing is written then; save is the way).
    enum class Exchange { Done, NotAvailable, Failed };
    Exchange exchange(const QString &bareName, const QByteArray &bytes, QByteArray *replaced,
                      QString *error = nullptr) const;
    // A copy of the file at sourcePath anew, as save writes it, read and written a megabyte
    // at a time: a picture of a gigabyte is never held whole.
    bool saveCopyOf(const QString &bareName, const QString &sourcePath, QString *error = nullptr) const;
    // Appends in one write; a write that fails part-way is cut off again, so the file keeps
    // its old bytes.
    bool append(const QString &bareName, const QByteArray &bytes, QString *error = nullptr) const;
    // True when the file is empty or missing, or its last byte ends a line.
    bool endsWithLineBreak(const QString &bareName) const;
    // Several files anew, all or none of them, even across a crash: every new version is
    // written beside its file as "<name>.ikuji-techo-new", then a journal (replaceJournalName()) names
    // them, then each is renamed over its file and the journal goes. Before the journal is
    // complete, a failure removes the new versions and leaves every file as it was.
    bool saveTogether(const QList<std::pair<QString, QByteArray>> &files, QString *error = nullptr) const;
    static QString replaceJournalName() { return QStringLiteral(".ikuji-techo-replace"); }
    // At start, before removeLeftovers: a journal left by a crash is carried out to its end
    // (every file the new version); new versions that no journal names are then leftovers
    // (every file as it was). Returns true when a replacement was completed.
    static bool finishReplace(const QString &dir);

    // Copies the file beside itself as "<name>.<yyyyMMdd-hhmmss>.bak"; returns that name, or
    // an empty string when the copy failed.
    QString keepBackup(const QString &bareName, const QDateTime &now) const;
    // Bytes that are no longer in any file kept as a dated copy of that file, as keepBackup
    // names it; "" when it could not be written.
    QString keepBackupOf(const QString &bareName, const QByteArray &bytes, const QDateTime &now) const;

    // Holds the folder for this run of the program, so that a second copy on the same folder
    // never interleaves its saves with ours. A lock left by a copy that ended without removing
    // it is taken over; null, with the message in error, when another copy holds the folder.
    std::unique_ptr<QLockFile> lock(QString *error) const;
    // Where that lock lives: outside the folder, in the user's runtime folder (or a folder of
    // the user's in the temporary folder), named by a hash of the folder's real path.
    QString lockPath() const;
    // Removes what saves that were killed half-way left behind (the temporary files beside a
    // data file or a picture, new versions no journal named); only with the folder locked.
    // Returns how many went.
    int removeLeftovers() const;

    // Tells the folder that files were added or renamed behind its back.
    void forgetListing() const { m_listingStamp = QDateTime(); }
    // Tells the folder that this program added (or removed) the file at path; before is the
    // folder's stamp from just before.
    void noteChange(const QString &path, const QDateTime &before, bool added) const;
    QDateTime folderStamp() const;
    // The names of the folder's files (any kind, hidden ones too), in name order whatever the
    // letter case, from the listing kept while the folder does not change.
    QStringList fileNames() const;
    // The names that keep passes, in no order: a look for a few names among thousands.
    QStringList fileNamesWhere(bool (*keep)(const QString &name)) const;

private:
    // The path of a new dated copy of that file: free, numbered on when the second is taken.
    QString backupPath(const QString &bareName, const QDateTime &now) const;
    QString findCaseInsensitive(const QString &bareName) const;
    void refreshListing() const;

    QString m_dir;
    mutable QHash<QString, QString> m_lowerToActual;
    mutable QDateTime m_listingStamp;
};
