#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

class NotebookFolder;

// The picture of a day, gift item or dish is the file named key + ".jpg", ".gif" or ".bmp";
// when several exist the ".bmp" wins over the ".gif" and the ".gif" over the ".jpg", and only a
// file that can be read counts. Without one, NOPIC.JPG stands in.
namespace pictures {

inline QString placeholderName() { return QStringLiteral("NOPIC.JPG"); }

// The file name stem every look-up, import and print uses for a key (a day, a dish or a gift
// item): the key as it reads back from its file once saved (cp932::storedForm). "" when no
// file may carry that name ("トマト/ツナ", ".."): such a key has no picture and NOPIC.JPG
// stands for it; nothing is looked up under a name made from it.
QString pictureStem(const QString &key);

// The bare name of the picture that wins for key, or "" when none can be read. No pixels
// are decoded.
QString findPicture(const NotebookFolder &folder, const QString &key);

// The same look-up over one listing of the folder, for many keys at once (a yearbook of a
// thousand days): the names are matched without regard to letter case as pathOf does.
class PictureIndex
{
public:
    explicit PictureIndex(const NotebookFolder &folder);
    QString find(const QString &key) const;
    // Whether the folder's file of this bare name (any letter case) is a picture Qt reads.
    bool readable(const QString &bareName) const;

private:
    const NotebookFolder &m_folder;
    QHash<QString, QString> m_names; // lower case -> the name in the folder
};

// The winning picture decoded to fit into size (keeping its proportions, a small one enlarged),
// or NOPIC.JPG.
// Only the file that wins is decoded. A null image when even the placeholder is missing.
QImage loadPicture(const NotebookFolder &folder, const QString &key, QSize size, QString *usedName = nullptr);

// The most pixels a picture may claim to be decoded at all: a 100-megapixel photo is, a header
// that claims 30000 x 30000 in a few bytes is not (its decoder would take gigabytes).
constexpr qint64 MaxPicturePixels = 100'000'000;
// Why the picture at path is not decoded ("" when it may be): the size its header claims is
// beyond MaxPicturePixels. Reads the header only.
QString sizeProblem(const QString &path);

// One file decoded to fit into size; a null image when it cannot be read or claims more than
// MaxPicturePixels. A large JPEG is reduced while it is decoded, a large BMP while it is read.
QImage loadScaled(const QString &path, QSize size);

// What the file system says about a file's present contents: its size, its modification time
// to the nanosecond and its inode. A picture written again (an import over it, a copy renamed
// into place) has another stamp; a missing file has none.
struct FileStamp {
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint64 node = 0;
    bool exists() const { return size >= 0; }
    bool operator==(const FileStamp &o) const
    {
        return size == o.size && modifiedNs == o.modifiedNs && node == o.node;
    }
};
FileStamp fileStamp(const QString &path);

// Pictures decoded for their boxes, the one used last first, so that paging back to a day or
// a photo does not decode it again. A kept picture counts only while its file has the same
// stamp: a picture replaced, imported anew or deleted is read again (or found missing).
class PictureCache
{
public:
    explicit PictureCache(int maxEntries = 12, qint64 maxBytes = qint64(8) << 20);

    // loadScaled(path, size), kept or decoded now.
    QImage load(const QString &path, QSize size);
    void clear();
    int count() const { return int(m_entries.size()); }

private:
    struct Entry {
        QString path;
        QSize size;
        FileStamp stamp;
        QImage image;
    };
    void keep(Entry entry);

    int m_maxEntries;
    qint64 m_maxBytes;
    qint64 m_bytes = 0;
    QList<Entry> m_entries;
};

} // namespace pictures
