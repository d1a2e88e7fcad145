#include "core/book/handbook_copy.h"

#include "core/book/notebook.h"
#include "core/pictures/printer.h"
#include "core/registers/vaccinations.h"
#include "core/text/cp932.h"
#include "core/text/dates.h"

#include <QFont>

#include <algorithm>
#include <cstdlib>

namespace handbook_copy {

namespace {

// The widest value a line of the page holds, in characters; a longer one goes on the next lines.
constexpr int ValueWidth = 36;

// CP932 holds one wave dash: 〜 typed comes back from the file as ～.
bool sameLabel(const QString &kind, const QString &label)
{
    return cp932::storedForm(kind.trimmed()) == cp932::storedForm(label);
}

QString dayWithAge(QDate birth, QDate day) { return dateText(day) + u'（' + ageText(birth, day) + u'）'; }

QString orDash(const QString &value, const QString &unit)
{
    return value.trimmed().isEmpty() ? QStringLiteral("—") : value.trimmed() + u' ' + unit;
}

void addCheckup(Sheet &sheet, QDate birth, const checkups::Entry &c, QDate on)
{
    sheet.checkups.append({QStringLiteral("健診"), c.kind + QStringLiteral("　") + dayWithAge(birth, on)});
    sheet.checkups.append({QStringLiteral("身長"), orDash(c.height, QStringLiteral("cm"))});
    sheet.checkups.append({QStringLiteral("体重"), orDash(c.weight, QStringLiteral("g"))});
    sheet.checkups.append({QStringLiteral("頭囲"), orDash(c.head, QStringLiteral("cm"))});
    sheet.checkups.append({QStringLiteral("胸囲"), orDash(c.chest, QStringLiteral("cm"))});
    if (!c.remarks.trimmed().isEmpty())
        sheet.checkups.append({QStringLiteral("医師の所見"), c.remarks.trimmed()});
    if (!c.note.trimmed().isEmpty())
        sheet.checkups.append({QStringLiteral("メモ"), c.note.trimmed()});
}

// The diary's day nearest middle that holds the measure (has says which), or null.
const DiaryDay *nearest(const DiaryTable &diary, QDate middle, bool (*has)(const DiaryDay &), QDate *on)
{
    const DiaryDay *best = nullptr;
    qint64 bestGap = 0;
    for (const DiaryDay &d : diary.days()) {
        const std::optional<QDate> day = parseStoredDate(d.date);
        if (!day || !has(d))
            continue;
        const qint64 gap = std::llabs(day->daysTo(middle));
        if (!best || gap < bestGap) {
            best = &d;
            bestGap = gap;
            *on = *day;
        }
    }
    return best;
}

void addMeasures(Sheet &sheet, const DiaryTable &diary, QDate birth, QDate middle)
{
    QDate on;
    if (const DiaryDay *d = nearest(
            diary, middle, [](const DiaryDay &x) { return x.height > 0; }, &on))
        sheet.measures.append({QStringLiteral("身長"),
                               measureText(d->height) + QStringLiteral(" cm　") + dayWithAge(birth, on)});
    if (const DiaryDay *d = nearest(
            diary, middle, [](const DiaryDay &x) { return x.weight > 0; }, &on))
        sheet.measures.append({QStringLiteral("体重"),
                               measureText(d->weight) + QStringLiteral(" g　") + dayWithAge(birth, on)});
}

QString doseName(const QString &doseId)
{
    for (const vaccinations::Dose &d : vaccinations::shippedTable().doses)
        if (d.id == doseId)
            return d.vaccine + u' ' + d.dose;
    return doseId;
}

template <typename Entry>
QList<std::pair<QDate, const Entry *>> byDayUntil(const QList<Entry> &entries, QDate last)
{
    QList<std::pair<QDate, const Entry *>> out;
    for (const Entry &e : entries)
        if (const std::optional<QDate> on = parseStoredDate(e.date); on && *on <= last)
            out.append({*on, &e});
    std::stable_sort(out.begin(), out.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    return out;
}

} // namespace

const QList<Age> &ages()
{
    static const QList<Age> list = {
        {QStringLiteral("1か月"), 1, 1},    {QStringLiteral("3〜4か月"), 3, 4},
        {QStringLiteral("6〜7か月"), 6, 7}, {QStringLiteral("9〜10か月"), 9, 10},
        {QStringLiteral("1歳"), 12, 12},    {QStringLiteral("1歳6か月"), 18, 18},
        {QStringLiteral("2歳"), 24, 24},    {QStringLiteral("3歳"), 36, 36},
    };
    return list;
}

int ageNow(QDate birth, QDate today)
{
    const int months = completedMonths(birth, today);
    int at = 0;
    for (int i = 0; i < ages().size(); ++i)
        if (months >= ages()[i].fromMonths)
            at = i;
    return at;
}

Sheet sheetFor(const Notebook &nb, const Age &age, QString *refusal)
{
    const QDate today = nb.clock.today();
    *refusal = vaccinations::birthRefusal(nb.profile.birthDate, today);
    if (!refusal->isEmpty())
        return {};
    const QDate birth = *parseStoredDate(nb.profile.birthDate.trimmed());
    const QDate first = birth.addMonths(age.fromMonths);
    const QDate last = birth.addMonths(age.toMonths + 1).addDays(-1);
    Sheet sheet;
    sheet.label = age.label;
    sheet.title = QStringLiteral("母子手帳に書き写す（%1のころ）").arg(age.label);
    sheet.child = nb.profile.nickname + QStringLiteral("　%1 生まれ").arg(dateText(birth));
    sheet.period = dateText(first) + u'〜' + dateText(last);
    for (const auto &[on, c] : byDayUntil(nb.checkups, last))
        if (sameLabel(c->kind, age.label) || on >= first)
            addCheckup(sheet, birth, *c, on);
    addMeasures(sheet, nb.diary, birth, first.addDays(first.daysTo(last) / 2));
    for (const auto &[on, v] : byDayUntil(nb.vaccinationRecords, last)) {
        QString value = dateText(on);
        if (!v->lot.isEmpty())
            value += QStringLiteral("　ロット ") + v->lot;
        if (!v->clinic.isEmpty())
            value += QStringLiteral("　") + v->clinic;
        sheet.vaccinations.append({doseName(v->doseId), value});
    }
    for (const auto &[on, m] : byDayUntil(nb.milestones, last))
        sheet.milestones.append({m->what, dayWithAge(birth, on)});
    return sheet;
}

QString print(Printer &printer, const Sheet &sheet)
{
    if (!printer.begin(sheet.title))
        return QStringLiteral("印刷を始められませんでした。");
    const QString family = QStringLiteral("IPAGothic");
    QFont title(family, 16);
    title.setBold(true);
    printer.setColor(Qt::black);
    printer.setFont(title);
    printer.drawText({10, 8}, sheet.title);
    printer.setFont(QFont(family, 10));
    printer.drawText({10, 18}, sheet.child + QStringLiteral("　　この時期：") + sheet.period);

    // Every part and its lines, a long value going on as many lines as it needs.
    struct Row {
        QString caption, value;
        bool heading = false;
    };
    QList<Row> rows;
    const auto part = [&rows](const QString &heading, const QList<Line> &lines) {
        rows.append({heading, {}, true});
        if (lines.isEmpty())
            rows.append({{}, QStringLiteral("（記録はありません）")});
        for (const Line &l : lines)
            for (qsizetype at = 0; at < std::max<qsizetype>(1, l.value.size()); at += ValueWidth)
                rows.append({at == 0 ? l.caption : QString(), l.value.mid(at, ValueWidth)});
    };
    part(QStringLiteral("健診"), sheet.checkups);
    part(QStringLiteral("日記の身長・体重（この時期のまん中にいちばん近い日）"), sheet.measures);
    part(QStringLiteral("予防接種（この時期の終わりまでに受けたもの）"), sheet.vaccinations);
    part(QStringLiteral("できたよ（この時期の終わりまでにできたこと）"), sheet.milestones);

    // One page: the rows share what the page has below the heads.
    const double top = 28, bottom = printer.pageSizeMm().height() - 12;
    const double step = std::min(6.5, (bottom - top) / std::max<qsizetype>(1, rows.size()));
    QFont heading(family, 11);
    heading.setBold(true);
    const QFont body(family, 9);
    for (int r = 0; r < rows.size(); ++r) {
        const double y = top + r * step;
        printer.setFont(rows[r].heading ? heading : body);
        printer.drawText({rows[r].heading ? 10.0 : 14.0, y}, rows[r].caption);
        if (!rows[r].value.isEmpty())
            printer.drawText({52, y}, rows[r].value);
    }
    printer.setFont(QFont(family, 9));
    printer.drawText({10, bottom + 4},
                     QStringLiteral("この紙を見ながら、母子健康手帳の「%1」のページに書き写してください。")
                         .arg(sheet.label));
    return printer.end();
}

} // namespace handbook_copy
