// Pictures: any bytes in a picture file are decoded into the box asked for, or refused, in
// bounded memory and time: a header that claims a huge size is never believed.
#include "core/pictures/pictures.h"
#include "fuzz_check.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Qt finds its JPEG and GIF readers through the application's plugin paths.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    // No extension: the reader goes by the bytes, as it does for a JPEG saved as .gif.
    const QString path = dir.filePath(QStringLiteral("picture"));
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(bytesOf(data, size)) == qint64(size),
            "the bytes are written");
    file.close();
    const QSize box(160, 120);
    const QImage image = pictures::loadScaled(path, box);
    require(image.isNull() || (image.width() <= box.width() && image.height() <= box.height()),
            "a picture is never larger than its box");
    return 0;
}
