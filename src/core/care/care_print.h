#pragma once

#include "core/care/care_log.h"

class Printer;

// The care log on paper, through the program's printer: the charts of a period, and the page a
// parent takes to the doctor.
namespace care {

// One entry as the printed list gives it: "03:10 母乳（左） 〜03:25", "07:40 ミルク 120ml".
QString entryText(const Entry &entry);

// 生活リズム of the days shown: the title with the nickname and period, the rhythm chart and
// the temperature chart, on one A4 page. Returns what the printer said (a PDF's place) or why
// nothing was printed; "" otherwise.
QString printCharts(Printer &printer, const QList<RhythmRow> &rows, int dayStartHour,
                    const QString &nickname);

// 受診用の記録: the seven days up to last, each with its totals line and its entries, then the
// temperature chart, on one page or two (the list's type smaller for a busy week).
struct VisitPrint {
    QList<Entry> entries;
    QDate last;
    int dayStartHour = 0;
    QDateTime now;
    QString nickname;
};
constexpr int VisitDays = 7;
QString printVisit(Printer &printer, const VisitPrint &visit);

// "2026/12/2〜2026/12/8"
QString periodLabel(QDate first, QDate last);

// The export's file name for the entries of [from, to]: "お世話記録_20261202-20261208.csv".
QString csvFileName(QDate from, QDate to);

} // namespace care
