#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

// The routine and optional vaccinations with their standard dates from the birth date. The
// schedule lives in a table file shipped with the program (:/vaccinations/schedule.tsv), with
// its source and date in a header line, so a change of the national schedule changes one file.
namespace vaccinations {

struct Dose {
    QString id;
    QString vaccine;
    QString dose;
    QString base;      // "B" or the id of an earlier dose
    QString offset;    // the standard date: "+2m", "+1y", "+4w", or a school year: "school-1", "jhs-1"
    bool routine = true;
    QString condition; // "", or conditions joined by commas: "rota1", "rota5", "girl", "hpv2", "hpv3"
    // The ages of the routine period (対象期間), from the birth date: the first day allowed and
    // the first day no longer allowed ("2m", "24w1d", "13y", "school"); "" for none.
    QString allowedFrom, allowedUntil;
    // The birth dates this row is for (either may be invalid: no bound): the row belongs to the
    // schedule of the years its vaccine was given so.
    QDate bornFrom, bornTo;
    // The least time after the vaccine's dose before this one ("27d", "6m"), or after a named
    // dose ("hepb-1:139d"); "" for none. And where that interval comes from.
    QString minInterval;
    QString intervalSource;
};

struct Table {
    QString source;  // the header line: where the schedule comes from
    QString checked; // and the date it stands for
    QList<Dose> doses;
    QHash<QString, QString> contents; // vaccine → what it protects against ("5種混合" → "…・Hib")
    QString error;   // the table could not be read
};

// The table from its text (tab-separated; lines starting with # are comments).
Table parseTable(const QString &text);
// The table shipped with the program.
const Table &shippedTable();

// B + N months: the same day N months later, or the last day of that month when it has none.
QDate addMonthsClamped(QDate date, int months);
// April 1 of the school year that starts `years` school years after the one the child was born
// in: a child born from April 2 of Y to April 1 of Y+1 enters primary school in April of Y+7.
QDate schoolYearStart(QDate birth, int years);
// The day an age reaches: "2m", "1y", "6w", "24w1d" from the birth date, or a school year's
// April 1 ("school-1" the year before primary school, "school", "grade6", "jhs-1", "hs-2");
// invalid for a text that is none of these.
QDate ageDay(QDate birth, const QString &age);
// How the last day of a period that ends when this age is reached is said: "2歳の誕生日の前日",
// "7歳6か月になる前日", "出生24週0日後", "小学校入学前の3月31日".
QString lastDayText(const QString &until);

struct Planned {
    Dose dose;
    QDate date;
    QString text; // the schedule's text: "予防接種：5種混合 1期1回目"
    QDate first, last; // the routine period's first and last day; invalid where it has none
};
struct Options {
    bool rotaFive = false; // the 5価 rotavirus vaccine (3 doses) instead of the 1価 (2)
    bool girl = false;
    bool hpvThree = false; // HPV in 3 doses (a first dose from the 15th birthday on) instead of 2
};
// Every dose that applies, in the table's order, with its standard date.
QList<Planned> plan(const Table &table, QDate birth, const Options &options);
// How many doses of the table were left out because the child was born outside the years
// their rows are for (a schedule older than the table).
int leftOutByBirth(const Table &table, QDate birth, const Options &options);

// The plan once the doses given are known (dose id → the day given): a given dose stands at the
// day given; a dose still to come stands no earlier than the dose before it (as given or as moved)
// plus the table's minimum interval, and never before its own standard date.
QList<Planned> afterGiven(QList<Planned> planned, const QHash<QString, QDate> &given);

// A dose's mark in the list: "済 2024/06/03" for one given, "期限切れ" once its routine period is
// over, "期限が近い（2024/09/30まで）" in the last DaysNearTheEnd days of it, else "予定 2024/06/01".
constexpr int DaysNearTheEnd = 30;
QString doseMark(const Planned &planned, QDate today, QDate givenOn);

// Where a dose stands today.
enum class State {
    Entered, // in the schedule already
    Ahead,   // the standard date is still to come
    Today,
    Late,   // the standard date has passed; the routine period still runs (or there is none)
    Closed, // the routine period is over
};
struct Status {
    State state = State::Ahead;
    QString text; // "あと 12 日", "標準の時期を 251
                  // 日過ぎています。2026/05/31（2歳の誕生日の前日）まで受けられます"
};
Status statusOf(const Planned &planned, QDate today, bool entered);
// "対象期間 2024/06/01〜2026/05/31（2歳の誕生日の前日まで）", "" for a dose without one.
QString periodText(const Planned &planned);

// Why no plan can be made from this birth date (yyyy/mm/dd as stored), "" when one can.
QString birthRefusal(const QString &birthDate, QDate today);

} // namespace vaccinations
