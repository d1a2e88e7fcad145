#pragma once

#include "core/files/file_names.h"

#include "core/files/read_damage.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One page of the diary.
struct DiaryDay {
    QString date;      // "yyyy/mm/dd"
    double height = 0; // in cm to 0.1 cm (keptHeight), 0 = not entered
    qint16 weight = 0; // in whole grams, 0 = not entered
    QString text;      // lines joined by CR LF, none after the last
};

// A height as the day table keeps it: to the nearest 0.1 cm, a half going to the even tenth
// as every rounding of the program does (49.55 gives 49.6, 49.65 gives 49.6). A typed half is
// judged as typed, not by its binary value, which lies a hair off it.
double keptHeight(double cm);
// How the page, the list, the growth lists and the files write a height or weight: plain
// decimal without trailing zeros (49.5, 50, 3000).
QString measureText(double value);

constexpr int DiaryCapacity = 1095; // three years of days


// The day table: days 1 to DiaryCount, ascending by date whenever it is read; day 1 is the
// birth day.
class DiaryTable
{
public:
    int count() const { return int(m_days.size()); }
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
    // The file holds the days in another order than the table (a day that came from another
    // computer out of date order): the next save of a day rewrites it in date order.
    bool fileOutOfOrder = false;

private:
    QList<DiaryDay> m_days;
};

struct DiaryParse {
    QList<DiaryDay> days; // in date order, whatever the file's order
    bool inOrder = true;  // the file held them in that order already
    bool whole = true;    // false when lines were skipped or the file held more than the capacity
    bool tidy = true;     // the bytes end exactly where the last record ends (safe to append to)
    ReadDamage damage;    // what could not be shown, and the days past the capacity
};

// 日記.txt's bytes to days; never fails. Lines that do not form a record (a record whose
// asterisk line or labels are out of place, one the file ends inside) are passed over up to
// the next record that is in place. The first DiaryCapacity days are the table, put in date
// order (days of one date keep the file's order); the rest stay in damage.beyondText. Heights
// are kept to 0.1 cm and weights to the gram, within the 16-bit range an older reader takes.
DiaryParse parseDiary(const QByteArray &bytes);

// One record as the save command appends it: the height to 0.1 cm and the weight to the gram,
// as the table will hold them (the line 【身長】49.5).
QString diaryRecordText(const QString &date, double height, double weight, const QString &text);
// The whole file from the table, heights and weights as the table holds them.
QString diaryFileText(const QList<DiaryDay> &days);

// The day table sorted ascending by the date text in plain character-code order; days of one date
// keep their order.
void sortDiary(QList<DiaryDay> &days);
