#pragma once

#include <QDateTime>
#include <QString>

// The temporaries that long operations write beside their result, and their removal once the
// operation that wrote one was killed. A temporary is taken for a killed one's when nothing
// in it was written for staleAfter: a running backup, restore or export writes all the time,
// and its last step (checking a zip it wrote) takes far less. Each operation removes the stale
// ones of its kind where it writes when it starts; the start of the program, beside and inside
// the notebook folder.
namespace temporaries {

constexpr qint64 StaleAfterSeconds = 15 * 60;

// "X.zip.part" (a backup written, not yet checked) and "X.zip.part.XXXXXX" (one being
// written). Those of zipName (the next backup to the same path) go whatever their age.
int removeBackupParts(const QString &dir, const QString &zipName,
                      const QDateTime &now = QDateTime::currentDateTime());
// ".ikuji-techo-restore-XXXXXX": a restore being unpacked; a negative staleAfter takes every
// one (the notebook folder's own, at a start that holds its lock).
QString restorePrefix();
int removeRestoreFolders(const QString &dir, const QDateTime &now = QDateTime::currentDateTime(),
                         qint64 staleAfter = StaleAfterSeconds);
// ".<name>-XXXXXX": a yearbook being written (pages, style, chart and a photos folder); all
// names when name is empty.
int removeYearbookFolders(const QString &dir, const QString &name,
                          const QDateTime &now = QDateTime::currentDateTime());
// Every kind above, in the folder and beside it.
int removeBesideNotebook(const QString &notebookDir, const QDateTime &now = QDateTime::currentDateTime());

// When anything in path (itself, or for a folder anything under it) was last written.
QDateTime lastWritten(const QString &path);

} // namespace temporaries
