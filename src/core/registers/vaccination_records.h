#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class NotebookFiles;
struct WriteResult;

// 予防接種の記録: the doses given, each with the day, the lot number, the clinic and a note, in
// its own CP932 register file, one line a dose: "dose id","yyyy/mm/dd","lot","clinic","note". The
// dose id is the schedule table's (data/vaccinations/schedule.tsv: "hib-1"), so the plan finds it.
namespace vaccination_records {

inline QString fileName() { return QStringLiteral("予防接種の記録.txt"); }
constexpr int Fields = 5;

struct Entry {
    QString doseId;
    QString date; // yyyy/mm/dd
    QString lot;
    QString clinic;
    QString note;
    bool operator==(const Entry &o) const
    {
        return doseId == o.doseId && date == o.date && lot == o.lot && clinic == o.clinic && note == o.note;
    }
    QStringList fields() const { return {doseId, date, lot, clinic, note}; }
};

// As the file holds them.
QList<Entry> read(const NotebookFiles &files);
QList<Entry> entriesOf(const QList<QStringList> &records);
// The entry of a dose (the last line of it), or null.
const Entry *find(const QList<Entry> &entries, const QString &doseId);
// Dose id → the day given, for the plan.
QHash<QString, QDate> givenDays(const QList<Entry> &entries);

WriteResult append(NotebookFiles &files, const Entry &entry);
// The line of `was` replaced by now, or left out when now is empty; the other lines stay as they
// are. A line no longer in the file (another computer changed it) is not written and says so.
// written, when given, gets the records written.
WriteResult change(NotebookFiles &files, const Entry &was, const std::optional<Entry> &now,
                   QList<QStringList> *written = nullptr);

} // namespace vaccination_records
