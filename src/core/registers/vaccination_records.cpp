#include "core/registers/vaccination_records.h"

#include "core/files/notebook_files.h"
#include "core/pictures/printer.h"
#include "core/registers/register_files.h"
#include "core/registers/vaccination_print.h"
#include "core/text/dates.h"

#include <QFont>

#include <algorithm>

namespace vaccination_records {

QList<Entry> read(const NotebookFiles &files)
{
    return entriesOf(readRegisterFile(files, fileName(), Fields).records());
}

QList<Entry> entriesOf(const QList<QStringList> &records)
{
    QList<Entry> entries;
    for (const QStringList &r : records)
        entries.append({r.value(0), r.value(1), r.value(2), r.value(3), r.value(4)});
    return entries;
}

const Entry *find(const QList<Entry> &entries, const QString &doseId)
{
    for (auto it = entries.crbegin(); it != entries.crend(); ++it)
        if (it->doseId == doseId)
            return &*it;
    return nullptr;
}

QHash<QString, QDate> givenDays(const QList<Entry> &entries)
{
    QHash<QString, QDate> days;
    for (const Entry &e : entries)
        if (const std::optional<QDate> on = parseStoredDate(e.date))
            days.insert(e.doseId, *on);
    return days;
}

WriteResult append(NotebookFiles &files, const Entry &e)
{
    return appendRegisterRecord(files, fileName(), e.fields());
}

WriteResult change(NotebookFiles &files, const Entry &was, const std::optional<Entry> &now,
                   QList<QStringList> *writtenRecords)
{
    return changeRegisterLine(
        files, fileName(), Fields, was.fields(), now ? std::optional(now->fields()) : std::nullopt,
        QStringLiteral("この接種の記録は、ほかのパソコンで変えられたため見つかりませんでした。\r\n"
                       "一覧を読み直しました。もう一度選んでください。"),
        writtenRecords);
}

QString print(Printer &printer, const QList<vaccinations::Planned> &planned, const QList<Entry> &given,
              QDate today, const QString &nickname)
{
    if (!printer.begin(QStringLiteral("予防接種の記録")))
        return QStringLiteral("印刷を始められませんでした。");
    QFont title(QStringLiteral("IPAGothic"), 16);
    title.setBold(true);
    printer.setFont(title);
    printer.setColor(Qt::black);
    printer.drawText({10, 8}, QStringLiteral("予防接種の記録（%1）").arg(nickname));
    const double columns[] = {10, 78, 126, 150};
    printer.setFont(QFont(QStringLiteral("IPAGothic"), 9));
    const QStringList heads = {QStringLiteral("ワクチン・回"), QStringLiteral("接種・予定"),
                               QStringLiteral("ロット番号"), QStringLiteral("医療機関")};
    for (int c = 0; c < heads.size(); ++c)
        printer.drawText({columns[c], 22}, heads[c]);
    // One page: the rows share what the page has below the heads.
    const double top = 29, bottom = printer.pageSizeMm().height() - 12;
    const double step = std::min(6.0, (bottom - top) / std::max<qsizetype>(1, planned.size()));
    for (int r = 0; r < planned.size(); ++r) {
        const vaccinations::Planned &p = planned[r];
        const Entry *e = find(given, p.dose.id);
        const std::optional<QDate> on = e ? parseStoredDate(e->date) : std::nullopt;
        const QString mark = vaccinations::doseMark(p, today, on.value_or(QDate()));
        printer.setColor(mark.startsWith(QStringLiteral("期限")) ? QColor(200, 0, 0) : QColor(Qt::black));
        const QStringList cells = {p.dose.vaccine + u' ' + p.dose.dose, mark, e ? e->lot.left(16) : QString(),
                                   e ? e->clinic.left(24) : QString()};
        for (int c = 0; c < cells.size(); ++c)
            printer.drawText({columns[c], top + r * step}, cells[c]);
    }
    printer.setColor(Qt::black);
    printer.drawText({10, bottom + 4}, QStringLiteral("予定の日付は標準的な接種時期の目安です。"));
    return printer.end();
}

} // namespace vaccination_records
