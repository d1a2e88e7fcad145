// The picture half of NotebookFiles: copies into the folder and removals from it.
#include "core/files/notebook_files.h"

#include "core/files/clock.h"
#include "core/pictures/pictures.h"
#include "core/files/trash.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

namespace {

WriteResult pictureFailed(const QString &bareName, const QString &reason)
{
    WriteResult r;
    r.ok = false;
    r.error = QStringLiteral("画像 %1 を取り込めませんでした。\r\n（%2）").arg(bareName, reason);
    return r;
}

bool isBareName(const QString &name)
{
    return !name.isEmpty() && name != QStringLiteral(".") && name != QStringLiteral("..") &&
           !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QChar(0));
}

} // namespace

QStringList NotebookFiles::fileNames() const
{
    return m_folder.fileNames();
}

WriteResult NotebookFiles::copyPicture(const QString &sourcePath, const QString &bareName, bool convert)
{
    if (!isBareName(bareName))
        return pictureFailed(bareName, QStringLiteral("ノートのフォルダーの外には書き込めません"));
    if (!convert) {
        QString error;
        if (!m_folder.saveCopyOf(bareName, sourcePath, &error))
            return pictureFailed(bareName, error);
        return {};
    }
    // Decoded whole to be turned upright: a picture claiming a huge size is not.
    if (const QString problem = pictures::sizeProblem(sourcePath); !problem.isEmpty())
        return pictureFailed(bareName, problem);
    QByteArray bytes;
    {
        QImageReader reader(sourcePath);
        reader.setAutoTransform(true);
        const QImage image = reader.read();
        if (image.isNull())
            return pictureFailed(bareName, reader.errorString());
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(92);
        if (!writer.write(image))
            return pictureFailed(bareName, writer.errorString());
    }
    // The folder's one way to write: checked before it replaces anything, never through a link
    // leading out.
    QString error;
    if (!m_folder.save(bareName, bytes, &error))
        return pictureFailed(bareName, error);
    return {};
}

WriteResult NotebookFiles::removePicture(const QString &bareName)
{
    if (!isBareName(bareName))
        return pictureFailed(bareName, QStringLiteral("ノートのフォルダーの外は消せません"));
    const QString path = m_folder.pathOf(bareName);
    const QDateTime before = m_folder.folderStamp();
    // Into the user's trash, where it can be put back; when there is none, the file stays.
    QString error;
    if (trash::moveToTrash(path, m_clock.now(), &error)) {
        m_folder.noteChange(path, before, false);
        return {};
    }
    m_folder.forgetListing();
    WriteResult r;
    r.ok = false;
    r.error = QStringLiteral("%1 を削除できませんでした（ファイルはそのまま残しています）。\r\n（%2）")
                  .arg(bareName, error);
    return r;
}
