#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Joining two versions of one data file, record by record, when the folder is shared by two
// computers: this program's version and the one another computer (or a sync tool) put there.
// Records are matched by what identifies them in each file, and the merge works on the stored
// bytes, so every byte of both versions is either kept or was changed by one of them.
namespace record_merge {

enum class Kind {
    Dated,     // records of several lines opened by a line of asterisks, one per date (日記)
    Named,     // records of several lines opened by a line of asterisks, one per dish name (レシピ)
    Lines,     // one record a line, identified by the whole line (registers, 予定, 記念日, …)
    LineSlots, // line n means the same thing in every version (ﾌﾟﾗｲﾍﾞｰﾄ, 設定, グラフ, 写真見出し)
    Derived,   // written from other files: this program's version is simply written
    Keyed,     // one record a line, identified by its id field (the 7th), kept in time order (お世話記録)
};

// The kind of the data file of that bare name (Lines for a name it does not know).
Kind kindOf(const QString &bareName);

struct Outcome {
    QByteArray bytes;      // the joined file
    int fromElsewhere = 0; // records of the other version that came in (added, changed or removed)
    QStringList conflicts; // records both versions changed differently, named for the user
};

// Three versions: base was read by this program, ours is what it is about to write, theirs is
// what the file holds now. Each side's changes against base are kept; where both changed one
// record, ours is kept (the other stays in the copy the caller makes of theirs).
Outcome merge3(Kind kind, const QByteArray &base, const QByteArray &ours, const QByteArray &theirs);

// Two versions with no known base (a sync tool's conflict copy found at start): records only
// in copy are added, equal ones kept once, and where the two differ the file's record stays.
Outcome mergeCopy(Kind kind, const QByteArray &file, const QByteArray &copy);

// The unit records of that kind are counted in for the user ("日分", "件", "行").
QString unitOf(Kind kind);

} // namespace record_merge
