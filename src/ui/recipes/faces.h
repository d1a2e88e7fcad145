#pragma once

#include <QPixmap>
#include <QString>

// The face pictures of the two evaluation rows, drawn by the program itself: a row of the
// cook (自己評価) and a row of the child (子供評価), each with one face per letter, index 0
// "優", 1 "良", 2 "不", 3 "未".
enum class FaceRow { Self = 1, Child = 2 };

QPixmap facePicture(FaceRow row, int index, int size);
// "自己評価 優", "子供評価 良": what screen readers and automation call a face.
QString faceName(FaceRow row, int index);
