#include "core/registers/checkups.h"

#include "core/files/notebook_files.h"
#include "core/registers/register_file.h"
#include "core/registers/register_files.h"
#include "core/text/cp932.h"
#include "core/text/dates.h"
#include "core/text/numbers.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace checkups {

const QList<Routine> &routine()
{
    static const QList<Routine> routines{
        {QStringLiteral("1か月"), 1, 2},    {QStringLiteral("3〜4か月"), 3, 4},
        {QStringLiteral("6〜7か月"), 6, 7}, {QStringLiteral("9〜10か月"), 9, 10},
        {QStringLiteral("1歳"), 12, 13},    {QStringLiteral("1歳6か月"), 18, 19},
        {QStringLiteral("3歳"), 36, 47},
    };
    return routines;
}

const Routine *routineOf(const QString &kind)
{
    // The file gives back "3～4か月" for "3〜4か月": CP932 has one wave dash.
    const QString stored = cp932::storedForm(kind);
    for (const Routine &r : routine())
        if (r.kind == kind || cp932::storedForm(r.kind) == stored)
            return &r;
    return nullptr;
}

std::pair<QDate, QDate> periodOf(const Routine &routine, QDate birth)
{
    if (!birth.isValid())
        return {};
    return {birth.addMonths(routine.fromMonths), birth.addMonths(routine.toMonths + 1).addDays(-1)};
}

namespace {

// Positions of entries in order of date; a date that is not one goes last, as typed.
QList<int> byDate(const QList<Entry> &entries, const QList<int> &positions)
{
    QList<int> sorted = positions;
    std::stable_sort(sorted.begin(), sorted.end(), [&entries](int a, int b) {
        const QDate da = parseStoredDate(entries[a].date).value_or(QDate(9999, 12, 31));
        const QDate db = parseStoredDate(entries[b].date).value_or(QDate(9999, 12, 31));
        return da < db;
    });
    return sorted;
}

// A length as typed: plain digits with at most one decimal, "cm" after it allowed.
std::optional<double> typedLength(const QString &typed)
{
    QString plain = asciiDigits(typed).trimmed();
    static const QRegularExpression unit(QStringLiteral("\\s*(cm|ｃｍ|CM|ＣＭ|センチ)$"));
    plain.remove(unit);
    static const QRegularExpression form(QStringLiteral("^\\d{1,3}(\\.\\d)?$"));
    if (!form.match(plain).hasMatch())
        return std::nullopt;
    return plain.toDouble();
}

// Grams as typed: whole, grouped by threes or not, "g" after it allowed.
std::optional<int> typedGrams(const QString &typed)
{
    QString plain = asciiDigits(typed).trimmed();
    static const QRegularExpression unit(QStringLiteral("\\s*(g|ｇ|グラム)$"));
    plain.remove(unit);
    const std::optional<QString> digits = withoutGrouping(plain);
    static const QRegularExpression form(QStringLiteral("^\\d{1,6}$"));
    if (!digits || !form.match(*digits).hasMatch())
        return std::nullopt;
    return digits->toInt();
}

// The file's refusal, after the field's name: a check-up has eight fields to look through.
QString unstorable(const QString &text, const QString &caption)
{
    const QString refused = unstorableFieldMessage(text, caption);
    return refused.isEmpty() || refused.contains(caption) ? refused
                                                          : QStringLiteral("%1：").arg(caption) + refused;
}

struct LengthField {
    QString Entry::*field;
    QString caption;
    double low;
    double high;
};

} // namespace

QList<ListRow> listRows(const QList<Entry> &entries)
{
    QList<ListRow> rows;
    QList<int> free;
    QHash<QString, QList<int>> byKind;
    for (int i = 0; i < entries.size(); ++i) {
        if (const Routine *r = routineOf(entries[i].kind))
            byKind[r->kind].append(i);
        else
            free.append(i);
    }
    for (const Routine &r : routine()) {
        const QList<int> recorded = byDate(entries, byKind.value(r.kind));
        if (recorded.isEmpty())
            rows.append({r.kind, true, -1});
        for (int i : recorded)
            rows.append({r.kind, true, i});
    }
    for (int i : byDate(entries, free))
        rows.append({entries[i].kind, false, i});
    return rows;
}

Checked check(const Entry &typed, QDate birth, QDate today)
{
    Entry e;
    e.kind = typed.kind.trimmed();
    if (e.kind.isEmpty())
        return {std::nullopt, QStringLiteral("健診の名前を入れてください。")};
    if (const QString refused = unstorable(e.kind, QStringLiteral("健診")); !refused.isEmpty())
        return {std::nullopt, refused};
    const std::optional<QDate> on = parseTypedDate(typed.date.trimmed(), today);
    if (!on)
        return {std::nullopt, QStringLiteral("健診の日付を 2026/06/10 のように入力してください。")};
    if (*on > today)
        return {std::nullopt, QStringLiteral("健診の日付（%1）が今日より後の日付です。").arg(dateText(*on))};
    if (birth.isValid() && *on < birth)
        return {std::nullopt,
                QStringLiteral("健診の日付（%1）が生年月日より前の日付です。").arg(dateText(*on))};
    e.date = dateText(*on);

    const LengthField lengths[] = {{&Entry::height, QStringLiteral("身長"), 30.0, 130.0},
                                   {&Entry::head, QStringLiteral("頭囲"), 20.0, 70.0},
                                   {&Entry::chest, QStringLiteral("胸囲"), 20.0, 70.0}};
    for (const LengthField &f : lengths) {
        const QString text = (typed.*f.field).trimmed();
        if (text.isEmpty())
            continue;
        const std::optional<double> cm = typedLength(text);
        if (!cm || *cm < f.low || *cm > f.high)
            return {std::nullopt,
                    QStringLiteral("%1は %2 から %3 までの cm の数で、61.4 のように小数第1位まで"
                                   "入力してください（空でもかまいません）。")
                        .arg(f.caption)
                        .arg(f.low, 0, 'f', 1)
                        .arg(f.high, 0, 'f', 1)};
        e.*f.field = QString::number(*cm, 'f', 1);
    }
    if (const QString text = typed.weight.trimmed(); !text.isEmpty()) {
        const std::optional<int> grams = typedGrams(text);
        if (!grams || *grams < 500 || *grams > 30000)
            return {std::nullopt, QStringLiteral("体重は 500 から 30000 までの g の整数で、6250 のように"
                                                 "入力してください（空でもかまいません）。")};
        e.weight = QString::number(*grams);
    }
    e.remarks = typed.remarks.trimmed();
    e.note = typed.note.trimmed();
    for (const auto &[text, caption] :
         {std::pair(e.remarks, QStringLiteral("医師の所見")), std::pair(e.note, QStringLiteral("メモ"))})
        if (const QString refused = unstorable(text, caption); !refused.isEmpty())
            return {std::nullopt, refused};
    // As the file will give them back, so that the Notebook's copy finds its line again.
    for (QString *text : {&e.kind, &e.remarks, &e.note})
        *text = cp932::storedForm(*text);
    return {e, {}};
}

QList<Measure> measures(const QList<Entry> &entries, Quantity quantity)
{
    QList<Measure> out;
    for (const Entry &e : entries) {
        const QString &text = quantity == Quantity::Height   ? e.height
                              : quantity == Quantity::Weight ? e.weight
                              : quantity == Quantity::Head   ? e.head
                                                             : e.chest;
        bool ok = false;
        const double value = text.toDouble(&ok);
        const std::optional<QDate> day = parseStoredDate(e.date);
        if (ok && value > 0 && day)
            out.append({*day, value, e.kind});
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Measure &a, const Measure &b) { return a.day < b.day; });
    return out;
}

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
