#pragma once

#include <QImage>
#include <QString>

namespace phone {

// text as a QR code (error correction M), one module scale × scale pixels, with the quiet
// zone of four modules around it; a null image when the text does not fit in one.
QImage qrImage(const QString &text, int scale);

} // namespace phone
