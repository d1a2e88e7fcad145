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

// What a zip holds, checked: a notebook (ﾌﾟﾗｲﾍﾞｰﾄ.txt and 日記.txt, at the top or in one
// folder), no entry that could leave the target (.., absolute, drive letters, links, devices),
// no two entries for one file in any letter case, sizes within the free space and maxTotal.
struct Check {
    bool ok = false;
    QString error;
    QList<Entry> entries;
    qint64 total = 0;
};
Check checkZip(const QString &zipPath, qint64 freeSpace, qint64 maxTotal = qint64(20) << 30);

// The zip restored into targetDir, which must not exist yet: written beside it under a
// temporary name, then renamed, so nothing is ever half-restored.
Outcome restoreInto(const QString &zipPath, const QString &targetDir, const Progress &progress = {},
                    qint64 maxTotal = qint64(20) << 30);

// The open notebook replaced by the zip: its files first go into バックアップ/yyyymmdd-hhmm
// (as a new notebook keeps them), then the restored files take their place.
Outcome replaceWith(const QString &zipPath, const QString &notebookDir, const QDateTime &now,
                    const Progress &progress = {});

} // namespace notebook_zip
