#include "common/pictures.h"

#include "common/notebook_folder.h"

#include <QFileInfo>
#include <QImageReader>

namespace pictures {

static const char *const precedence[] = {".bmp", ".gif", ".jpg"};

QString fileStem(const QString &userName)
{
    if (userName == QLatin1String(".") || userName == QLatin1String(".."))
        return QStringLiteral("_");
    QString stem = userName;
    stem.replace(u'/', u'_').replace(u'\\', u'_');
    return stem;
}

QString findPicture(const NotebookFolder &folder, const QString &key)
{
    if (key.isEmpty())
        return {};
    for (const char *ext : precedence) {
        const QString name = fileStem(key) + QLatin1String(ext);
        const QString path = folder.pathOf(name);
        if (!QFileInfo::exists(path))
            continue;
        QImageReader reader(path);
        if (reader.canRead())
            return QFileInfo(path).fileName();
    }
    return {};
}

QImage loadScaled(const QString &path, QSize size)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (full.isValid() && size.isValid() && (full.width() > size.width() || full.height() > size.height()))
        reader.setScaledSize(full.scaled(size, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    // A small picture is enlarged to its box too, keeping its proportions.
    if (image.isNull() || !size.isValid() || image.width() >= size.width() || image.height() >= size.height())
        return image;
    return image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QImage loadPicture(const NotebookFolder &folder, const QString &key, QSize size, QString *usedName)
{
    if (!key.isEmpty()) {
        for (const char *ext : precedence) {
            const QString path = folder.pathOf(fileStem(key) + QLatin1String(ext));
            if (!QFileInfo::exists(path))
                continue;
            QImage image = loadScaled(path, size);
            if (!image.isNull()) {
                if (usedName)
                    *usedName = QFileInfo(path).fileName();
                return image;
            }
        }
    }
    if (usedName)
        *usedName = placeholderName();
    return loadScaled(folder.pathOf(placeholderName()), size);
}

} // namespace pictures
