#pragma once

#include <QString>

#include <functional>

class Dialogs;
class Notebook;
class QWidget;

// バックアップ and 復元 as the screens run them: where to, a progress box with a cancel
// button, and what came of it said in one box.
namespace backup_commands {

// The whole notebook into one zip where the user chooses (the documents folder offered),
// the バックアップ folder only when the user says so.
void backUp(Notebook &notebook, Dialogs &dialogs, QWidget *parent);

// A zip chosen and checked, then restored into a new folder (opened by openFolder, when
// given) or over the open notebook (its files kept under バックアップ first, then every file
// read again).
void restore(Notebook &notebook, Dialogs &dialogs, QWidget *parent,
             const std::function<void(const QString &folder)> &openFolder);

} // namespace backup_commands
