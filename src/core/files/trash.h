#pragma once

#include <QDateTime>
#include <QString>

// The user's trash as the desktops keep it ($XDG_DATA_HOME/Trash, by default
// ~/.local/share/Trash, with its files/ and info/ folders made when missing). A file moved
// there can be put back from the file manager. The trash is never looked for beside the file
// or in the current folder.
namespace trash {

// The trash folder for the user, or "" when there is no home to keep one in.
QString homeTrash();

// Moves the file at path into the trash with its .trashinfo record; on another disk it is
// copied there and then removed. False, with a sentence in error, when it could not be done:
// the file is then where it was.
bool moveToTrash(const QString &path, const QDateTime &now, QString *error);

} // namespace trash
