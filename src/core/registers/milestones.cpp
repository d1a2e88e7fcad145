#include "core/registers/milestones.h"

#include "core/files/notebook_files.h"
#include "core/registers/register_file.h"
#include "core/registers/register_files.h"
#include "core/text/dates.h"

#include <algorithm>
#include <numeric>

namespace milestones {

const QStringList &routine()
{
    static const QStringList firsts{QStringLiteral("首がすわった"), QStringLiteral("寝返り"),
                                    QStringLiteral("ひとりすわり"), QStringLiteral("はいはい"),
                                    QStringLiteral("つかまり立ち"), QStringLiteral("ひとり歩き"),
                                    QStringLiteral("はじめての歯"), QStringLiteral("はじめてのことば")};
    return firsts;
}

Checked check(const Entry &typed, QDate birth, QDate today)
{
    const Entry trimmed{typed.what.trimmed(), typed.date.trimmed(), typed.note.trimmed()};
    if (trimmed.what.isEmpty())
        return {std::nullopt, QStringLiteral("できたことを入れてください。")};
    const std::optional<QDate> on = parseTypedDate(trimmed.date, today);
    if (!on)
        return {std::nullopt, QStringLiteral("日付を 2026/05/12 のように入力してください。")};
    if (*on > today)
        return {std::nullopt, QStringLiteral("日付（%1）が今日より後の日付です。").arg(dateText(*on))};
    if (birth.isValid() && *on < birth)
        return {std::nullopt, QStringLiteral("日付（%1）が生年月日より前の日付です。").arg(dateText(*on))};
    for (const auto &[field, caption] : {std::pair{trimmed.what, QStringLiteral("できたこと")},
                                         std::pair{trimmed.note, QStringLiteral("メモ")}})
        if (QString refusal = unstorableFieldMessage(field, caption); !refusal.isEmpty())
            return {std::nullopt, refusal};
    return {Entry{trimmed.what, dateText(*on), trimmed.note}, {}};
}

namespace {

// In order of date; a date that cannot be read goes after every date.
bool earlier(const Entry &a, const Entry &b)
{
    const std::optional<QDate> x = parseStoredDate(a.date), y = parseStoredDate(b.date);
    if (x.has_value() != y.has_value())
        return x.has_value();
    return x < y;
}

} // namespace

QList<Entry> byDate(const QList<Entry> &entries)
{
    QList<Entry> sorted = entries;
    std::stable_sort(sorted.begin(), sorted.end(), earlier);
    return sorted;
}

QList<Row> listed(const QList<Entry> &entries)
{
    QList<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return earlier(entries[a], entries[b]); });
    QList<Row> rows;
    for (const QString &first : routine()) {
        const qsizetype before = rows.size();
        for (int i : order)
            if (entries[i].what == first)
                rows.append({first, i});
        if (rows.size() == before)
            rows.append({first, -1});
    }
    for (int i : order)
        if (!routine().contains(entries[i].what))
            rows.append({entries[i].what, i});
    return rows;
}

QString anniversaryText(const Entry &entry, QDate birth)
{
    const std::optional<QDate> on = parseStoredDate(entry.date);
    const QString age = on ? ageText(birth, *on) : QString();
    return entry.date + u' ' + entry.what + (age.isEmpty() ? QString() : u'（' + age + u'）');
}

QList<Entry> read(const NotebookFiles &files)
{
    return entriesOf(readRegisterFile(files, milestonesFileName(), Fields).records());
}

QList<Entry> entriesOf(const QList<QStringList> &records)
{
    QList<Entry> entries;
    entries.reserve(records.size());
    for (const QStringList &r : records)
        entries.append({r.value(0), r.value(1), r.value(2)});
    return entries;
}

WriteResult append(NotebookFiles &files, const Entry &entry)
{
    return appendRegisterRecord(files, milestonesFileName(), entry.fields());
}

WriteResult change(NotebookFiles &files, const Entry &was, const std::optional<Entry> &now,
                   QList<QStringList> *written)
{
    return changeRegisterLine(
        files, milestonesFileName(), Fields, was.fields(), now ? std::optional(now->fields()) : std::nullopt,
        QStringLiteral("この「できたよ」は、ほかのパソコンで変えられたため見つかりませんでした。\r\n"
                       "一覧を読み直しました。もう一度選んでください。"),
        written);
}

} // namespace milestones
