#pragma once

#include "core/files/file_names.h"

#include <QString>

#include <array>

// 写真見出し.txt: the captions of the four album groups, one a line, written exactly as typed
// and read back line by line, so that a caption with a comma, a double quote or blanks comes
// back unchanged.

using AlbumCaptions = std::array<QString, 4>; // groups 1..4 at 0..3

// Missing lines give empty captions.
AlbumCaptions parseAlbumCaptions(const QString &text);
QString albumCaptionsText(const AlbumCaptions &captions);
