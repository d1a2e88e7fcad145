#pragma once

#include "core/files/file_names.h"

#include "core/files/notebook_files.h"
#include "core/registers/album_captions.h"
#include "core/registers/register_file.h"

// The registers' files for the rest of the program. Only this module opens them.

// A register file's records, each of fieldCount fields.
RegisterText readRegisterFile(const NotebookFiles &files, const QString &fileName, int fieldCount);
// One record at the end of a register file.
WriteResult appendRegisterRecord(NotebookFiles &files, const QString &fileName, const QStringList &fields);
// Records at the end of a register file in one write: a crash leaves all of them or none.
WriteResult appendRegisterRecords(NotebookFiles &files, const QString &fileName,
                                  const QList<QStringList> &records);
// A register file anew from records.
WriteResult writeRegisterFile(NotebookFiles &files, const QString &fileName,
                              const QList<QStringList> &records);

// 写真見出し.txt's four captions, and the file anew from them.
AlbumCaptions readAlbumCaptionsFile(const NotebookFiles &files);
WriteResult writeAlbumCaptionsFile(NotebookFiles &files, const AlbumCaptions &captions);
