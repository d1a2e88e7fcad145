#pragma once

#include "core/common/file_names.h"

#include "core/common/read_damage.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One page of the diary.
struct DiaryDay {
    QString date;      // DiaryDate, "yyyy/mm/dd"
    qint16 height = 0; // DiaryHeight in cm, 0 = not entered
    qint16 weight = 0; // DiaryWeight in g, 0 = not entered
    QString text;      // DiaryText, lines joined by CR LF, none after the last
};

constexpr int DiaryCapacity = 1095; // three years of days


// The day table: days 1 to DiaryCount, ascending by date after every save; day 1 is the
// birth day.
class DiaryTable
{
public:
    int count() const { return int(m_days.size()); } // DiaryCount
    // Day k, counted from 1 as the screens count them.
    const DiaryDay &day(int k) const { return m_days[k - 1]; }
    DiaryDay &day(int k) { return m_days[k - 1]; }
    const QList<DiaryDay> &days() const { return m_days; }
    QList<DiaryDay> &days() { return m_days; }
    // The first day k with this date, or 0.
    int find(const QString &date) const;

    // The days a file held past the capacity, as the file held them: not shown, written back
    // after the table's days by every rewrite.
    QString beyondText;

private:
    QList<DiaryDay> m_days;
};

struct DiaryParse {
    QList<DiaryDay> days;
    bool whole = true; // false when lines were skipped or the file held more than the capacity
    bool tidy = true;  // the bytes end exactly where the last record ends (safe to append to)
    ReadDamage damage; // what could not be shown, and the days past the capacity
};

// 日記.txt's bytes to days; never fails. Lines that do not form a record (a record whose
// asterisk line or labels are out of place, one the file ends inside) are passed over up to
// the next record that is in place. The first DiaryCapacity days are the table; the rest
// stay in damage.beyondText.
DiaryParse parseDiary(const QByteArray &bytes);

// One record as the save command appends it: height and weight as the number text of what
// was typed (so 50.5 stays 50.5 in the file).
QString diaryRecordText(const QString &date, double height, double weight, const QString &text);
// The whole file from the table, heights and weights as integers.
QString diaryFileText(const QList<DiaryDay> &days);

// DIARY_SORT: ascending by the date text in plain character-code order.
void sortDiary(QList<DiaryDay> &days);
