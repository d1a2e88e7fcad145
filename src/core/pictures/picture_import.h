#pragma once

#include <QString>

class Dialogs;
class NotebookFiles;

// Where a chosen picture goes, and the boxes around its copy.
struct PictureTarget {
    QString name;        // the file name without extension: 20261206_3, ベビー服, Photo2_007
    QString confirmText; // asked ("コピー確認") before the copy; empty asks nothing
    bool askOverwrite = true;
    QString doneText; // the completion message ("コピー終了")
};

// Copies the picture at sourcePath into the notebook folder as the target says, with every
// box the picker shows: a name that is not a file name and a file that is not a picture are
// refused, then the confirmation, the overwrite question, the copy and its completion message
// (or the failure, "書き込みエラー"). Returns the bare name written, or "" when nothing was
// copied.
QString importPicture(Dialogs &dialogs, NotebookFiles &files, const QString &sourcePath,
                      const PictureTarget &target);
