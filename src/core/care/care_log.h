#pragma once

#include "core/files/file_names.h"
#include "core/files/read_damage.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

class NotebookFiles;
struct WriteResult;

// The care log (お世話記録): the hours of the baby's day, one entry a line in its own CP932
// file, in time order:
//   "date","time","kind","amount","end","note","id","by","interval"
//   "2026/12/08","03:10","母乳（左）","","03:25","","d-1a2b3c4d5e6f","",""
// date yyyy/mm/dd and time hh:mm are the start; end is hh:mm for a span (the next day when it
// is before the start), "計測中" for a timer still running, "" for a moment; id is chosen where
// the entry was made (this computer or a phone) and identifies it in the join of two
// versions; by names a phone ("" on a computer); interval is a medicine's minimum interval in
// hours, remembered with each dose.
namespace care {

inline QString fileName() { return careLogFileName(); }
constexpr int Fields = 9;

enum class Kind {
    BreastLeft,  // 母乳（左）: a span
    BreastRight, // 母乳（右）: a span
    Formula,     // ミルク: ml
    Pumped,      // 搾乳: ml
    Sleep,       // 睡眠: a span (寝た starts it, 起きた ends it)
    Pee,         // おしっこ
    Poo,         // うんち: note ふつう / ゆるい / かたい
    Temperature, // 体温: ℃ to one decimal
    Medicine,    // 薬: note is the name, amount the dose as typed
    Solids,      // 離乳食: note is the dish, amount as typed
    Bath,        // お風呂
    Memo,        // メモ: note is the text
};
// Every kind, in the order of the panel's buttons.
const QList<Kind> &kinds();
// The kind's word in the file and on screen ("母乳（左）"), and back (nullopt for a word that
// is not one).
QString kindName(Kind kind);
std::optional<Kind> kindOfName(const QString &name);
bool isSpan(Kind kind);  // breast feeds and sleep
bool isFeed(Kind kind);  // breast feeds and formula
bool isNappy(Kind kind); // おしっこ and うんち

struct Entry {
    QDate date;
    QTime time; // to the minute
    Kind kind = Kind::Memo;
    QString amount;           // as kept in the file: "120" (ml), "37.5" (℃), "1包" (a dose); "" for none
    std::optional<QTime> end; // a span's end; none for a moment or a running timer
    bool running = false;     // a timer still running (end is none)
    QString note;
    QString id;
    QString by;
    int intervalHours = 0; // 薬 only; 0 when none is known

    QDateTime start() const { return QDateTime(date, time); }
    // A span's end as a moment: the next day when end is before the start; the start for a
    // moment; now for a running timer.
    QDateTime finish(const QDateTime &now) const;
    bool operator==(const Entry &o) const
    {
        return date == o.date && time == o.time && kind == o.kind && amount == o.amount && end == o.end &&
               running == o.running && note == o.note && id == o.id && by == o.by &&
               intervalHours == o.intervalHours;
    }
    bool operator!=(const Entry &o) const { return !(*this == o); }
};

// The entries of the file's bytes in time order (then as in the file); lines that are not an
// entry are skipped (the read tells of them through the files' damage note).
QList<Entry> parse(const QByteArray &cp932);
// The same, with the lines that are not an entry or would not be written back the same: such a
// file is copied aside before its first rewrite.
struct Parse {
    QList<Entry> entries;
    bool whole = true;
    ReadDamage damage;
};
Parse parseWhole(const QByteArray &cp932);
// One entry as its line's fields, and the whole file's text (CR LF, in the entries' order).
QStringList fieldsOf(const Entry &entry);
QString textOf(const QList<Entry> &entries);
// One entry's line with its CR LF.
QString lineOf(const Entry &entry);
// A new entry's id: unique across computers and phones ("d-" and 12 hex digits from the
// system's secure random source).
QString newId();

// What is wrong with an entry, as the message box says it ("" when it may be kept): ml
// 1–400, ℃ 34.0–42.0, a span 1–180 minutes for a feed (a sleep up to 24 hours), a medicine
// with a name, a time that is a time.
QString checkEntry(const Entry &entry);
// The entry as it is kept: amounts typed with full-width digits in ASCII ("１２０" is "120"), a
// temperature to one decimal ("37" is "37.0"), times to the minute, no end for a running timer.
// An entry that passes checkEntry passes it again in this form.
Entry normalized(const Entry &entry);

// The file module: every read and write of お世話記録.txt goes through the notebook's files.
QList<Entry> read(const NotebookFiles &files);
// The same for the notebook's table: a file with lines that are not an entry (or would not be
// written back the same) is told of once and copied aside before its first rewrite.
QList<Entry> load(NotebookFiles &files);
// A new entry: appended in one write when it is the latest, else the file anew in time order.
WriteResult add(NotebookFiles &files, const QList<Entry> &entries, const Entry &entry);
// The entry of that id replaced by now, or taken out when now is empty; the file anew.
WriteResult change(NotebookFiles &files, const QList<Entry> &entries, const QString &id,
                   const std::optional<Entry> &now);

// A day as the user counts it: from dayStartHour (0–23) on that date to the same hour the
// next day, so that a night is not cut in two.
struct DayTotals {
    int feeds = 0;         // breast feeds and formula
    int breastMinutes = 0; // inside the day
    int formulaMl = 0;
    int pumpedMl = 0;
    int sleepDayMinutes = 0;   // sleep between 7:00 and 19:00
    int sleepNightMinutes = 0; // the rest
    int pees = 0;
    int poos = 0;
    std::optional<double> highestTemperature;
    int medicines = 0;
};
DayTotals totalsOf(const QList<Entry> &entries, QDate day, int dayStartHour, const QDateTime &now);
// The totals as one line, for the diary page and the print: "授乳 8回（母乳 95分）・ミルク 240ml・
// 睡眠 昼 3時間10分／夜 9時間05分・おしっこ 7回・うんち 2回・最高体温 37.8℃"; parts that are 0 left out;
// "" for a day with no entry.
QString totalsLine(const DayTotals &totals);
// The entries that start in that day (as the day is counted), in time order.
QList<Entry> entriesOfDay(const QList<Entry> &entries, QDate day, int dayStartHour);

// "授乳から 2時間35分", "おむつから 1時間10分", "睡眠中 0時間40分" (while a sleep timer runs),
// in that order; a kind never recorded is left out.
QStringList sinceLast(const QList<Entry> &entries, const QDateTime &now);
// The running timers (breast and sleep), latest first.
QList<Entry> runningTimers(const QList<Entry> &entries);

// The medicine's interval as last remembered (0 when never given or none known), and the
// first moment the next dose is allowed (invalid when any time is).
int intervalOf(const QList<Entry> &entries, const QString &medicine);
QDateTime nextDoseAllowed(const QList<Entry> &entries, const QString &medicine);

// The rhythm chart's rows: one a day from first for days, 0–24 h from dayStartHour.
struct RhythmRow {
    QDate day;
    QList<QPair<int, int>> sleeps;        // minutes from the row's start: [from, to)
    QList<int> feeds, nappies, medicines; // minutes from the row's start
    QList<QPair<int, double>> temperatures;
};
QList<RhythmRow> rhythmOf(const QList<Entry> &entries, QDate first, int days, int dayStartHour,
                          const QDateTime &now);

// The entries of [from, to] as CSV for a spreadsheet: UTF-8 with a byte-order mark, CR LF,
// a header line 日付,時刻,種類,量,終了,メモ,記録した人.
QByteArray csvOf(const QList<Entry> &entries, QDate from, QDate to);

} // namespace care
