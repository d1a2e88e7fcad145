#include "core/pictures/pictures.h"

#include "core/pictures/bmp_reduced.h"
#include "core/text/cp932.h"
#include "core/files/notebook_folder.h"
#include "core/pictures/picture_names.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace pictures {

static const char *const precedence[] = {".bmp", ".gif", ".jpg"};

QString pictureStem(const QString &key)
{
    const QString stored = cp932::storedForm(key);
    return !stored.isEmpty() && picture_names::nameProblem(stored).isEmpty() ? stored : QString();
}

QString findPicture(const NotebookFolder &folder, const QString &key)
{
    const QString stem = pictureStem(key);
    if (stem.isEmpty())
        return {};
    for (const char *ext : precedence) {
        const QString name = stem + QLatin1String(ext);
        const QString path = folder.pathOf(name);
        if (!QFileInfo::exists(path) || !folder.refusal(name).isEmpty())
            continue;
        QImageReader reader(path);
        if (reader.canRead())
            return QFileInfo(path).fileName();
    }
    return {};
}

PictureIndex::PictureIndex(const NotebookFolder &folder) : m_folder(folder)
{
    for (const QString &name : folder.fileNames())
        m_names.insert(name.toLower(), name);
}

QString PictureIndex::find(const QString &key) const
{
    const QString stem = pictureStem(key);
    if (stem.isEmpty())
        return {};
    for (const char *ext : precedence) {
        const QString name = m_names.value((stem + QLatin1String(ext)).toLower());
        if (!name.isEmpty() && readable(name))
            return name;
    }
    return {};
}

bool PictureIndex::readable(const QString &bareName) const
{
    const QString name = m_names.value(bareName.toLower());
    if (name.isEmpty() || !m_folder.refusal(name).isEmpty())
        return false;
    QImageReader reader(m_folder.dir() + u'/' + name);
    return reader.canRead();
}

namespace {

bool tooLarge(QSize claimed)
{
    return claimed.isValid() && qint64(claimed.width()) * claimed.height() > MaxPicturePixels;
}

} // namespace

QString sizeProblem(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return {};
    const QSize claimed = QImageReader(path).size();
    if (!tooLarge(claimed))
        return {};
    return QStringLiteral("画像 %1 は %2×%3 ピクセルと大きすぎるため、表示しません"
                          "（1億ピクセルまで表示できます）。")
        .arg(QFileInfo(path).fileName())
        .arg(claimed.width())
        .arg(claimed.height());
}

QImage loadScaled(const QString &path, QSize size)
{
    // A pipe or a device would never give an end (or not the same twice).
    if (!QFileInfo(path).isFile())
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // Qt would read a large BMP whole and scale it afterwards.
    if (reader.format() == "bmp") {
        QImage image = readBmpReduced(path, size);
        if (!image.isNull())
            return image;
    }
    const QSize full = reader.size();
    // Checked before anything is decoded: a progressive JPEG is held whole by its decoder
    // however small the picture asked of it.
    if (tooLarge(full))
        return {};
    // A photo stored turned is scaled before it is turned: fit it into the box turned alike.
    const QSize box =
        reader.transformation() & QImageIOHandler::TransformationRotate90 ? size.transposed() : size;
    if (full.isValid() && box.isValid() && (full.width() > box.width() || full.height() > box.height()))
        reader.setScaledSize(full.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    const QImage image = reader.read();
    // Fitted into the box whatever the reader could tell of its size beforehand; a small
    // picture is enlarged to its box too, keeping its proportions.
    if (image.isNull() || !size.isValid() || image.size() == image.size().scaled(size, Qt::KeepAspectRatio))
        return image;
    return image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QImage loadPicture(const NotebookFolder &folder, const QString &key, QSize size, QString *usedName)
{
    if (const QString stem = pictureStem(key); !stem.isEmpty()) {
        for (const char *ext : precedence) {
            const QString name = stem + QLatin1String(ext);
            const QString path = folder.pathOf(name);
            if (!QFileInfo::exists(path) || !folder.refusal(name).isEmpty())
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

FileStamp fileStamp(const QString &path)
{
    FileStamp stamp;
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return stamp;
    stamp.size = qint64(st.st_size);
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.node = quint64(st.st_ino);
#else
    const QFileInfo info(path);
    if (!info.exists())
        return stamp;
    stamp.size = info.size();
    stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
#endif
    return stamp;
}

PictureCache::PictureCache(int maxEntries, qint64 maxBytes) : m_maxEntries(maxEntries), m_maxBytes(maxBytes)
{
}

QImage PictureCache::load(const QString &path, QSize size)
{
    // Stamped before the decode: a file changing meanwhile is read again next time.
    const FileStamp stamp = fileStamp(path);
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].path != path || m_entries[i].size != size)
            continue;
        Entry entry = m_entries.takeAt(i);
        m_bytes -= entry.image.sizeInBytes();
        if (!(entry.stamp == stamp))
            break;
        const QImage image = entry.image;
        keep(std::move(entry));
        return image;
    }
    const QImage image = loadScaled(path, size);
    if (!image.isNull() && stamp.exists()) // not kept: a resource with no file behind it
        keep({path, size, stamp, image});
    return image;
}

void PictureCache::keep(Entry entry)
{
    m_bytes += entry.image.sizeInBytes();
    m_entries.prepend(std::move(entry));
    while (m_entries.size() > 1 && (m_entries.size() > m_maxEntries || m_bytes > m_maxBytes)) {
        m_bytes -= m_entries.last().image.sizeInBytes();
        m_entries.removeLast();
    }
}

void PictureCache::clear()
{
    m_entries.clear();
    m_bytes = 0;
}

} // namespace pictures
