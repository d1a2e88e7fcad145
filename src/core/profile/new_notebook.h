#pragma once

#include "core/files/notebook_files.h"

#include <QList>
#include <QString>

// The new-notebook command of the profile screen: the checks of its seven fields, its
// messages, and its writes, which change every file or none.

// The seven fields of 出産時データ, in the order the command checks them.
enum class BirthField { Namae, Umare, PJikan, PShincyo, PTaijyu, PKyoui, PToui };

// What the command says about an empty field: a required one is refused with a warning; for
// the others the user may go on (an OK/Cancel box, Cancel the default).
struct EmptyFieldCheck {
    BirthField field;
    bool required;
    QString text;
};
QList<EmptyFieldCheck> emptyFieldChecks();

QString inputCheckTitle(); // "入力確認"
QString notADateText();
QString newNotebookTitle(); // "新規作成確認"
QString newNotebookQuestion(const QString &nickname);
QString newNotebookDoneTitle(); // "クリア終了"
QString newNotebookDoneText(const QString &nickname);

// The refusal of a value that ﾌﾟﾗｲﾍﾞｰﾄ.txt cannot hold and read back as it is (a character
// CP932 cannot hold, a double quote the reader would cut), or "" for a value it can.
QString unstorableValueText(const QString &fieldName, const QString &value);

// One write of the command: a file's whole text, or a record appended to it.
struct FileChange {
    QString name;
    QString text;
    bool append = false;
};

// The folder, inside the notebook folder, that keeps the files as they were: バックアップ/yyyymmdd-hhmm.
QString backupFolderName(const QDateTime &now);

// Makes the changes (in order, as their files end up) after copying every file they touch,
// byte for byte, into a new dated backup folder. The files change all together or not at
// all, even across a crash (NotebookFolder::saveTogether). Nothing is written when a text
// holds a character CP932 cannot hold or the copy fails. On success backupName is the backup
// folder, relative to the notebook folder.
WriteResult replaceFiles(NotebookFiles &files, const QList<FileChange> &changes);
