#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class NotebookFolder;

// The picture of a day, gift item or dish is the file named key + ".jpg", ".gif" or ".bmp";
// when several exist the ".bmp" wins over the ".gif" and the ".gif" over the ".jpg", and only a
// file that can be read counts. Without one, NOPIC.JPG stands in.
namespace pictures {

inline QString placeholderName() { return QStringLiteral("NOPIC.JPG"); }

// The file name stem that a name the user typed (a dish or a gift item) stands for, for every
// look-up and every copy: a path separator becomes "_", and "." or ".." becomes "_", so that a
// name never leads out of the notebook folder.
QString fileStem(const QString &userName);

// The bare name of the picture that wins for key, or "" when none can be read. No pixels
// are decoded.
QString findPicture(const NotebookFolder &folder, const QString &key);

// The winning picture decoded to fit into size (keeping its proportions, a small one enlarged),
// or NOPIC.JPG.
// Only the file that wins is decoded. A null image when even the placeholder is missing.
QImage loadPicture(const NotebookFolder &folder, const QString &key, QSize size, QString *usedName = nullptr);

// One file decoded to fit into size; a null image when it cannot be read.
QImage loadScaled(const QString &path, QSize size);

} // namespace pictures
