#pragma once

#include <QString>

#include <functional>

#include "core/backup/notebook_zip.h"

class Dialogs;
class Notebook;
class QWidget;

// バックアップ and 復元 as the screens run them: where to, a progress box with a cancel
// button, and what came of it said in one box.
namespace backup_commands {

// The whole notebook into one zip where the user chooses (the documents folder offered),
// the バックアップ folder only when the user says so.
void backUp(Notebook &notebook, Dialogs &dialogs, QWidget *parent);

// A zip chosen and checked, then, as the user chooses after being told whose notebook it holds
// and which days, restored into a new or empty folder (opened by openFolder, when given) or
// over the open notebook (its files kept under バックアップ first, then every file read again).
// Nothing is written, and no progress box shown, before the target is chosen.
void restore(Notebook &notebook, Dialogs &dialogs, QWidget *parent,
             const std::function<void(const QString &folder)> &openFolder);

// The restore question's text: the child's nickname, the diary's first and last day and how
// many days, the number of files and their size, from the zip's own ﾌﾟﾗｲﾍﾞｰﾄ.txt and 日記.txt.
QString restoreQuestion(const QString &zip, const notebook_zip::Check &check);

// What the start did with a restore a crash interrupted, told once; nothing for None. False
// when the restore could not be completed: the notebook must not be opened half-restored.
bool tellInterruptedRestore(Dialogs &dialogs, const notebook_zip::Recovery &recovery);

// The profile screen's automatic backup controls (this computer's setting for the notebook):
// the check box 自動バックアップ, the folder shown with the button that chooses it, and the
// number of zips kept. Every change is stored at once; switching on without a folder asks
// for one first, and stays off when none is given.
QWidget *autoBackupControls(Notebook &notebook, Dialogs &dialogs, QWidget *parent);

// When the program closes: the day's automatic backup when it is due, with a progress box
// when it takes a while. Says nothing; a failure is told at the next start.
void backUpAtClose(Notebook &notebook, QWidget *parent);

// At start: what went wrong with the last automatic backup, told once in one warning box.
void tellAutoBackupFailure(Dialogs &dialogs, const QString &notebookDir);

} // namespace backup_commands
