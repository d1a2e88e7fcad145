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
