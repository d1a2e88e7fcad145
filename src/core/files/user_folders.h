#pragma once

#include <QString>

// The user's own folders the program uses, each found by one rule.

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share; "" without a home folder.
QString userDataFolder();

// The user's documents folder when there is one, else the home folder: where files the user
// keeps (backups, PDFs, exports) are offered, never inside the synced notebook folder.
QString documentsFolder();
