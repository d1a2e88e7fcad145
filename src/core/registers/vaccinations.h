#pragma once

#include <QDate>
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
    QString offset;    // "+2m", "+1y", "+4w", or a named rule: "school-1", "jhs-1"
    bool routine = true;
    QString condition; // "", "rota1", "rota5", "girl"
};

struct Table {
    QString source;  // the header line: where the schedule comes from
    QString checked; // and the date it stands for
    QList<Dose> doses;
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

struct Planned {
    Dose dose;
    QDate date;
    QString text; // the schedule's text: "予防接種：5種混合 1期1回目"
};
struct Options {
    bool rotaFive = false; // the 5価 rotavirus vaccine (3 doses) instead of the 1価 (2)
    bool girl = false;
};
// Every dose that applies, in the table's order, with its standard date.
QList<Planned> plan(const Table &table, QDate birth, const Options &options);

// Why no plan can be made from this birth date (yyyy/mm/dd as stored), "" when one can.
QString birthRefusal(const QString &birthDate, QDate today);

} // namespace vaccinations
