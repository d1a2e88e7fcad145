#include "core/registers/register_files.h"

#include "core/text/cp932.h"

RegisterText readRegisterFile(const NotebookFiles &files, const QString &fileName, int fieldCount)
{
    return readRegisterText(files.read(fileName), fieldCount);
}

WriteResult appendRegisterRecord(NotebookFiles &files, const QString &fileName, const QStringList &fields)
{
    return files.appendRecord(fileName, registerRecordLine(fields));
}

WriteResult appendRegisterRecords(NotebookFiles &files, const QString &fileName,
                                  const QList<QStringList> &records)
{
    return files.appendRecord(fileName, registerFileText(records));
}

WriteResult writeRegisterFile(NotebookFiles &files, const QString &fileName,
                              const QList<QStringList> &records)
{
    return files.rewrite(fileName, registerFileText(records));
}

AlbumCaptions readAlbumCaptionsFile(const NotebookFiles &files)
{
    return parseAlbumCaptions(cp932::decode(files.read(albumCaptionsFileName())));
}

WriteResult writeAlbumCaptionsFile(NotebookFiles &files, const AlbumCaptions &captions)
{
    return files.rewrite(albumCaptionsFileName(), albumCaptionsText(captions));
}

WriteResult changeRegisterLine(NotebookFiles &files, const QString &fileName, int fieldCount,
                               const QStringList &was, const std::optional<QStringList> &now,
                               const QString &goneMessage, QList<QStringList> *writtenRecords)
{
    const QList<QStringList> records = readRegisterFile(files, fileName, fieldCount).records();
    const qsizetype at = records.lastIndexOf(was);
    if (at < 0)
        return {false, goneMessage, {}};
    QList<QStringList> written = records;
    if (now)
        written[at] = *now;
    else
        written.removeAt(at);
    const WriteResult result = writeRegisterFile(files, fileName, written);
    if (writtenRecords)
        *writtenRecords = written;
    return result;
}
