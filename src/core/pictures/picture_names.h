#pragma once

#include <QString>
#include <QStringList>

// The names pictures are copied under, and the texts of the boxes around a copy. A picture
// belongs to a day, an item, an album group or a dish by its file name alone.
namespace picture_names {

// The key of photo slot (0 = the main photo, 1..5 = photo N) of the day "yyyy/mm/dd":
// yyyymmdd, or yyyymmdd_N.
QString dayPhotoKey(const QString &dateText, int slot);
// "Photo" + g + "_" + k with at least three digits (Photo2_007; past 999 the number grows).
QString albumPhotoKey(int group, int number);
// Whether a file of the folder belongs to album group g: its name starts with "PHOTO" + g,
// letters compared without regard to case.
bool inAlbumGroup(const QString &fileName, int group);
// The files of group g among the folder's file names, in name order without regard to case.
QStringList albumGroupFiles(const QStringList &folderFiles, int group);
// One more than the highest number among the group's files (1 for an empty group), so that
// a new photo never takes the name of one that is there.
int nextAlbumNumber(const QStringList &groupFiles, int group);

// What is wrong with name as the file name of a picture (empty when nothing): an empty name,
// "." or "..", a separator or another character no file name may hold, a control character,
// or a name too long for the file system. A copy under such a name could land outside the
// notebook folder or never be found again.
QString nameProblem(const QString &name);
// The title of the box that shows a name problem.
inline QString nameProblemTitle() { return QStringLiteral("ファイル名確認"); }

// How a chosen file becomes a picture of the notebook.
struct PictureSource {
    enum class Kind { Copy, Convert, Unreadable };
    Kind kind = Kind::Unreadable;
    // The extension of the copy: JPEG, GIF and BMP files keep their own (".jpeg" becomes
    // ".jpg", which the lookup finds); another picture Qt reads is stored as a ".jpg".
    QString extension;
};
PictureSource examineSource(const QString &path);
QString unreadableTitle();
QString unreadableText(const QString &fileName);

// The help-tour text of a picker opener whose first line is intro.
QString pickerHelpText(const QString &intro);
// The slot name in the diary picker's help text: メインボタン, 1ボタン … 5ボタン.
QString slotButtonName(int slot);

// The confirmation before a copy ("コピー確認").
QString confirmTitle();
QString dayConfirmText(const QString &dateText, int slot);
QString namedConfirmText(const QString &name); // gift item, dish
// The completion message ("コピー終了").
QString doneTitle();

} // namespace picture_names
