#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class NotebookFiles;
struct WriteResult;

// 乳幼児健診: the check-ups, routine (1か月 … 3歳) and free ones, in their own CP932 register
// file, one line a check-up:
// "kind","yyyy/mm/dd","height cm","weight g","head cm","chest cm","doctor's remarks","note".
// kind is the routine check-up's name ("3〜4か月") or the parent's own; a measure not taken is
// empty. Lengths are kept to 0.1 cm as typed ("61.4"), weights in whole grams ("6250").
namespace checkups {

constexpr int Fields = 8;

struct Entry {
    QString kind;
    QString date; // yyyy/mm/dd
    QString height;
    QString weight;
    QString head;
    QString chest;
    QString remarks; // the doctor's
    QString note;    // the parent's
    bool operator==(const Entry &o) const { return fields() == o.fields(); }
    QStringList fields() const { return {kind, date, height, weight, head, chest, remarks, note}; }
};

// A routine check-up and the ages it is held at, in completed months [fromMonths, toMonths]
// ("3〜4か月": 3 to 4).
struct Routine {
    QString kind;
    int fromMonths = 0;
    int toMonths = 0;
};
// 1か月, 3〜4か月, 6〜7か月, 9〜10か月, 1歳, 1歳6か月, 3歳, in that order.
const QList<Routine> &routine();
// The routine check-up of that name, or null.
const Routine *routineOf(const QString &kind);
// The days a routine check-up is held for a child born on birth: from the day fromMonths are
// complete to the day before toMonths + 1 are ("1か月" of a child born 2026/03/05: 2026/04/05 to
// 2026/06/04). Null dates without a birth date.
std::pair<QDate, QDate> periodOf(const Routine &routine, QDate birth);

// The check-up list's rows: each routine check-up in its order with its records in order of
// date, or once without a record when none was made; then the free ones in order of date.
// A kind recorded twice (two computers) gives two rows: nothing typed is hidden.
struct ListRow {
    QString kind;
    bool routine = false;
    int entry = -1; // in entries; -1 for a routine check-up not recorded yet
};
QList<ListRow> listRows(const QList<Entry> &entries);

// As the file holds them.
QList<Entry> read(const NotebookFiles &files);
QList<Entry> entriesOf(const QList<QStringList> &records);

// What a parent typed, as the file is to hold it (full-width digits and spaces made plain,
// lengths to one decimal, grams whole), or the refusal, in Japanese, naming the field: a date
// that is not one, before the birth date or after today, a measure out of reason, a field the
// file cannot hold. A check-up needs its kind and date; every measure may be left empty.
struct Checked {
    std::optional<Entry> entry;
    QString refusal;
};
Checked check(const Entry &typed, QDate birth, QDate today);

// A measure of a check-up, for the charts: the day and the value (cm, or g for weight).
struct Measure {
    QDate day;
    double value = 0;
    QString kind;
};
enum class Quantity { Height, Weight, Head, Chest };
// Every check-up's measure of that quantity that holds a number, in order of day.
QList<Measure> measures(const QList<Entry> &entries, Quantity quantity);

WriteResult append(NotebookFiles &files, const Entry &entry);
// The line of `was` replaced by now, or left out when now is empty; the other lines stay as they
// are. A line no longer in the file (another computer changed it) is not written and says so.
// written, when given, gets the records written.
WriteResult change(NotebookFiles &files, const Entry &was, const std::optional<Entry> &now,
                   QList<QStringList> *written = nullptr);

} // namespace checkups
