#pragma once

#include "core/backup/notebook_zip.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The automatic backup when the program closes: the zip of the backup command, at most once a
// day, into a folder the user chose, the last few kept. Its setting belongs to this computer
// (the user's settings, one group per notebook keyed by the folder's real path), never to the
// notebook folder, which is synced to the other computer and would carry it there.
namespace auto_backup {

constexpr int DefaultKeep = 10;
constexpr int MinKeep = 1;
constexpr int MaxKeep = 100;

struct Setting {
    bool on = false;
    QString folder; // "" until the user chooses one
    int keep = DefaultKeep;
};

Setting readSetting(const QString &notebookDir);
void writeSetting(const QString &notebookDir, const Setting &setting);

// 育児手帖_<nickname>_自動_yyyymmdd-hhmm.zip: the manual backup's name with 自動 before the time.
QString fileName(const QString &nickname, const QDateTime &now);
// A name fileName gives (with the "_2" a taken name gets): the only files pruning may remove.
bool isOwnName(const QString &fileName);

// Why folder cannot take the automatic backups of the notebook ("" when it can): the notebook
// folder itself or any folder inside it (through links too, and for a folder not made yet).
QString folderRefusal(const QString &notebookDir, const QString &folder);

// The zips this notebook's automatic backups wrote into folder (written, oldest first) pruned
// to the last keep: only those names, only when they look like ours and are plain files, so a
// manual backup, another notebook's zips and anything else there are never touched.
struct Pruned {
    QStringList kept; // still there, oldest first (with any that could not be removed)
    QStringList removed;
    QStringList notRemoved;
};
Pruned prune(const QString &folder, const QStringList &written, int keep);

struct Result {
    enum What { Off, DoneToday, Written, Failed, Cancelled } what = Off;
    QString zip;         // the zip written
    QString error;       // Failed: the reason, as remembered for the next start
    QStringList removed; // older zips pruned
};

// True when runAtClose would write a zip today.
bool due(const QString &notebookDir, const QDate &today);

// At close: when the setting is on and no automatic backup was made on now's day, the
// verified zip into the chosen folder, then the oldest of ours beyond the number kept
// removed. A failure is remembered for the next start (takeFailure) and the day stays open,
// so the next close tries again; a cancel is neither done nor a failure.
Result runAtClose(const QString &notebookDir, const QString &nickname, const QDateTime &now,
                  const notebook_zip::Progress &progress = {});

struct Failure {
    QDateTime when;
    QString folder;
    QString reason;
};
// The failure remembered at the last close, forgotten once taken (reason "" when none).
Failure takeFailure(const QString &notebookDir);

} // namespace auto_backup
