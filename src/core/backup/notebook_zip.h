#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

// The whole notebook in one zip file and back again, through libzip. Names inside are UTF-8
// with the zip's UTF-8 flag; every file is stored byte for byte (no recompression). A backup is
// written under a temporary name, read back and compared (size and CRC of every entry) before
// it takes its name; a restore checks the whole zip before it writes anything.
namespace notebook_zip {

// A size as a Japanese user reads it: "500 バイト", "1.5 KB", "12.3 MB".
QString sizeText(qint64 bytes);

// 育児手帖_<nickname>_yyyymmdd-hhmm.zip
QString backupFileName(const QString &nickname, const QDateTime &now);

// Told how far a backup or restore has come (0 to 1); returns false to cancel.
using Progress = std::function<bool(double done)>;

struct Outcome {
    bool ok = false;
    bool cancelled = false;
    QString error; // a sentence for the user when !ok
    int files = 0;
    qint64 bytes = 0;
    QString kept; // replaceWith: where the notebook's own files went, relative to it
};

// Every file of the folder (and its バックアップ folder when asked) into zipPath. The notebook
// is only read. A failure or a cancel leaves nothing at zipPath.
Outcome writeBackup(const QString &notebookDir, const QString &zipPath, bool withBackupFolder,
                    const Progress &progress = {});

struct Entry {
    qint64 index = 0;
    QString path; // relative to the notebook inside the zip, '/' between folders
    qint64 size = 0;
};

// What a zip holds, checked: a notebook (ﾌﾟﾗｲﾍﾞｰﾄ.txt and 日記.txt in one folder at any depth,
// whose entries alone are restored; what macOS and Windows add, __MACOSX/, .DS_Store and
// Thumbs.db, passed over), no entry that could leave the target (.., absolute, drive letters,
// links, devices), no control character in a name, no two entries for one file (in any letter
// case, or one name in UTF-8 and in CP932), no name that is a file and a folder, sizes within
// the free space and maxTotal. Entry paths are relative to the notebook's folder.
struct Check {
    bool ok = false;
    QString error;
    QList<Entry> entries;
    qint64 total = 0;
};
Check checkZip(const QString &zipPath, qint64 freeSpace, qint64 maxTotal = qint64(20) << 30);

// The bytes of the notebook's file of that name (any letter case), "" when it is not there
// or larger than maxBytes.
QByteArray readEntry(const QString &zipPath, const Check &check, const QString &name, qint64 maxBytes);

// The zip restored into targetDir, which must not exist yet or be an empty folder: written
// beside it under a temporary name, then renamed, so nothing is ever half-restored.
Outcome restoreInto(const QString &zipPath, const QString &targetDir, const Progress &progress = {},
                    qint64 maxTotal = qint64(20) << 30);

// The open notebook replaced by the zip: its files go into バックアップ/yyyymmdd-hhmm (as a new
// notebook keeps them) and the restored files take their place, all or none even across a
// crash: the zip is unpacked inside the folder, a journal (restoreJournalName()) names every
// move, then the moves are made and the journal goes. A バックアップ, or a folder of the zip,
// that leads out of the notebook is refused.
Outcome replaceWith(const QString &zipPath, const QString &notebookDir, const QDateTime &now,
                    const Progress &progress = {});
QString restoreJournalName();

// At start, with the folder locked, before anything reads it: a restore that a crash
// interrupted is carried out to its end when its journal was written (Completed, kept names
// where the old files went), else what it unpacked is removed (Undone: the notebook as it
// was). Failed when a journal could not be carried out (it stays for the next start).
struct Recovery {
    enum What { None, Completed, Undone, Failed } what = None;
    QString kept;
};
Recovery finishRestore(const QString &notebookDir);

} // namespace notebook_zip
