#include "core/phone/qr_code.h"

#include <qrencode.h>

#include <memory>

namespace phone {

QImage qrImage(const QString &text, int scale)
{
    const QByteArray utf8 = text.toUtf8();
    const std::unique_ptr<QRcode, void (*)(QRcode *)> code(
        QRcode_encodeString8bit(utf8.constData(), 0, QR_ECLEVEL_M), QRcode_free);
    if (!code || scale < 1)
        return {};
    constexpr int quiet = 4;
    const int modules = code->width + 2 * quiet;
    QImage image(modules * scale, modules * scale, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            if (!(code->data[y * code->width + x] & 1))
                continue;
            for (int dy = 0; dy < scale; ++dy) {
                uchar *line = image.scanLine((y + quiet) * scale + dy);
                std::fill_n(line + (x + quiet) * scale, scale, uchar(0));
            }
        }
    }
    return image;
}

} // namespace phone
