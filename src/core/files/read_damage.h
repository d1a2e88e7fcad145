#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <utility>

// What a reader of a record file could not show: lines it passed over to reach the next
// well-formed record, and records past the capacity of the table. Both are named in the one
// warning; the records past the capacity stay in the file through every rewrite.
struct ReadDamage {
    // Line numbers counted from 1, as ranges first..last in file order.
    QList<std::pair<int, int>> skipped;
    // The records past the capacity: how many, their names (or dates), and their text as it
    // stands in the file from the first of them to the end, written back after the table.
    int beyondCount = 0;
    QStringList beyondNames;
    QString beyondText;

    bool isEmpty() const { return skipped.isEmpty() && beyondCount == 0; }
    // Adds lines first..last (from 1), joined to the range before when they touch it.
    void skip(int first, int last);
    // "2行目、15〜20行目": the first ten ranges, then how many more.
    QString skippedText() const;
};

// The number (from 1) of the line the character at pos stands on: a line ends at CR LF, a lone
// CR or a lone LF.
int lineNumberAt(QStringView text, qsizetype pos);

// The part of a table's text past its capacity, as the file held it, ended by CR LF so that
// it can follow the table's own records.
QString beyondTextForWrite(const ReadDamage &damage);
