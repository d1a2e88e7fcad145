#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace pictures {

// A large uncompressed BMP reduced while it is read, to fit into box keeping its proportions:
// only the rows and columns that the smaller picture samples are read (each of its pixels the
// mean of up to 4 x 4 samples of the area it covers), so a 36 MB photo is never held whole.
// A null image when the picture fits into the box already (nothing to reduce), or when the
// file is not a plain 24- or 32-bit BMP (palettes, run-length compression, unusual colour
// masks) or is cut short: the general reader takes those.
QImage readBmpReduced(const QString &path, QSize box);

} // namespace pictures
