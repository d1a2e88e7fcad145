// The picture half of NotebookFiles: copies into the folder and removals from it.
#include "common/notebook_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

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
    return QDir(dir()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
}

WriteResult NotebookFiles::copyPicture(const QString &sourcePath, const QString &bareName, bool convert)
{
    if (!isBareName(bareName))
        return pictureFailed(bareName, QStringLiteral("ノートのフォルダーの外には書き込めません"));
    if (convert) {
        QImageReader reader(sourcePath);
        reader.setAutoTransform(true);
        const QImage image = reader.read();
        if (image.isNull())
            return pictureFailed(bareName, reader.errorString());
        QSaveFile out(m_folder.pathOf(bareName));
        QImageWriter writer(&out, "jpeg");
        writer.setQuality(92);
        if (!out.open(QIODevice::WriteOnly))
            return pictureFailed(bareName, out.errorString());
        if (!writer.write(image))
            return pictureFailed(bareName, writer.errorString());
        if (!out.commit())
            return pictureFailed(bareName, out.errorString());
    } else {
        QFile in(sourcePath);
        if (!in.open(QIODevice::ReadOnly))
            return pictureFailed(bareName, in.errorString());
        const QByteArray bytes = in.readAll();
        if (in.error() != QFileDevice::NoError)
            return pictureFailed(bareName, in.errorString());
        QString error;
        if (!m_folder.save(bareName, bytes, &error))
            return pictureFailed(bareName, error);
    }
    m_folder.forgetListing();
    return {};
}

WriteResult NotebookFiles::removePicture(const QString &bareName)
{
    if (!isBareName(bareName))
        return pictureFailed(bareName, QStringLiteral("ノートのフォルダーの外は消せません"));
    const QString path = m_folder.pathOf(bareName);
    QFile file(path);
    const bool removed = file.moveToTrash() || QFile::remove(path);
    m_folder.forgetListing();
    if (removed)
        return {};
    WriteResult r;
    r.ok = false;
    r.error = QStringLiteral("%1 を削除できませんでした。\r\n（%2）").arg(bareName, file.errorString());
    return r;
}
