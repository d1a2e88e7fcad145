#include "core/registers/checkups.h"

#include "core/files/notebook_files.h"
#include "core/registers/register_files.h"

namespace checkups {

QList<Entry> read(const NotebookFiles &files)
{
    return entriesOf(readRegisterFile(files, checkupsFileName(), Fields).records());
}

QList<Entry> entriesOf(const QList<QStringList> &records)
{
    QList<Entry> entries;
    entries.reserve(records.size());
    for (const QStringList &r : records)
        entries.append(
            {r.value(0), r.value(1), r.value(2), r.value(3), r.value(4), r.value(5), r.value(6), r.value(7)});
    return entries;
}

WriteResult append(NotebookFiles &files, const Entry &entry)
{
    return appendRegisterRecord(files, checkupsFileName(), entry.fields());
}

WriteResult change(NotebookFiles &files, const Entry &was, const std::optional<Entry> &now,
                   QList<QStringList> *written)
{
    return changeRegisterLine(
        files, checkupsFileName(), Fields, was.fields(), now ? std::optional(now->fields()) : std::nullopt,
        QStringLiteral("この健診の記録は、ほかのパソコンで変えられたため見つかりませんでした。\r\n"
                       "一覧を読み直しました。もう一度選んでください。"),
        written);
}

} // namespace checkups
