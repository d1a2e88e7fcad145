#pragma once

#include "core/files/file_names.h"

#include "core/files/notebook_files.h"
#include "core/registers/album_captions.h"
#include "core/registers/register_file.h"

#include <optional>

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

// The last line holding was replaced by now, or left out when now is empty; the other lines stay
// as they are. A line no longer in the file (another computer changed it) is not written:
// the result is refused with goneMessage. written, when given, gets the records written.
WriteResult changeRegisterLine(NotebookFiles &files, const QString &fileName, int fieldCount,
                               const QStringList &was, const std::optional<QStringList> &now,
                               const QString &goneMessage, QList<QStringList> *written = nullptr);

// 写真見出し.txt's four captions, and the file anew from them.
AlbumCaptions readAlbumCaptionsFile(const NotebookFiles &files);
WriteResult writeAlbumCaptionsFile(NotebookFiles &files, const AlbumCaptions &captions);
