#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class NotebookFiles;
struct WriteResult;

// できたよ: the days of the child's firsts, in their own CP932 register file, one line a first:
// "what","yyyy/mm/dd","note". what is one of the routine firsts (首がすわった …) or the
// parent's own words. A first may have two lines (two computers wrote it): both are kept and
// shown, so that nothing typed is lost.
namespace milestones {

constexpr int Fields = 3;

struct Entry {
    QString what;
    QString date; // yyyy/mm/dd
    QString note;
    bool operator==(const Entry &o) const { return fields() == o.fields(); }
    QStringList fields() const { return {what, date, note}; }
};

// 首がすわった, 寝返り, ひとりすわり, はいはい, つかまり立ち, ひとり歩き, はじめての歯,
// はじめてのことば, in that order.
const QStringList &routine();

// As the file holds them.
QList<Entry> read(const NotebookFiles &files);
QList<Entry> entriesOf(const QList<QStringList> &records);

// What a parent typed, as the file is to hold it, or the refusal in Japanese (no words, a date
// that is not one, before the birth date or after today, a field the file cannot hold).
struct Checked {
    std::optional<Entry> entry;
    QString refusal;
};
Checked check(const Entry &typed, QDate birth, QDate today);

// The entries in order of date (then as in the file); entries whose date cannot be read last.
QList<Entry> byDate(const QList<Entry> &entries);

// A row of the list: every routine first in its order, one row a line of it or one row with no
// entry (index -1) while it has none, then the parent's own firsts by date. index is the
// entry's place in the entries given.
struct Row {
    QString what;
    int index = -1;
};
QList<Row> listed(const QList<Entry> &entries);

// The first as an anniversary: "2026/05/12 寝返り（生後5か月12日）" (without the age when the
// birth date is not known).
QString anniversaryText(const Entry &entry, QDate birth);

WriteResult append(NotebookFiles &files, const Entry &entry);
// As checkups::change.
WriteResult change(NotebookFiles &files, const Entry &was, const std::optional<Entry> &now,
                   QList<QStringList> *written = nullptr);

} // namespace milestones
