#pragma once

#include "core/files/file_names.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// 記念日.txt: one anniversary a line, the text as entered, by custom beginning with its date.

// The anniversary list holds at most this many entries.
constexpr int KinenCapacity = 730;

struct AnniversaryRead {
    QStringList entries; // in file order
    bool whole = true;   // false when the file held more lines than the list can
};

// Every line, empty ones included, up to the capacity.
AnniversaryRead parseAnniversaries(const QByteArray &bytes);

// The first 10 characters: for an entry that begins yyyy/mm/dd, its date.
QString anniversarySortKey(const QString &entry);

// Adds an entry at the end; when its key is less than the key of the entry before it, the
// whole list is put in order by the exchange sort the list has always used (for each i, every
// later j is swapped with i when i's key is greater), whose order of equal keys users see.
void addAnniversary(QStringList &entries, const QString &entry);

QString anniversaryFileText(const QStringList &entries);
