#include "core/registers/vaccinations.h"

#include "core/common/dates.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

// The table is compiled into the static library: the initialiser is called, or the linker may
// leave the resource out of the program. Q_INIT_RESOURCE must not be used inside a namespace.
static void initVaccinationsResource() { Q_INIT_RESOURCE(vaccinations); }

namespace vaccinations {

Table parseTable(const QString &text)
{
    Table t;
    for (const QString &line : text.split(u'\n')) {
        const QString l = QString(line).remove(u'\r');
        if (l.trimmed().isEmpty() || l.startsWith(u'#'))
            continue;
        const QStringList f = l.split(u'\t');
        if (f.value(0) == QStringLiteral("出典")) {
            t.source = f.value(1);
            t.checked = f.value(2);
            continue;
        }
        if (f.size() < 6) {
            t.error = QStringLiteral("予防接種の表の行が読めません：%1").arg(l);
            continue;
        }
        t.doses.append({f[0], f[1], f[2], f[3], f[4], f[5] == QStringLiteral("定期"), f.value(6)});
    }
    return t;
}

const Table &shippedTable()
{
    static const Table table = [] {
        initVaccinationsResource();
        QFile f(QStringLiteral(":/vaccinations/schedule.tsv"));
        if (!f.open(QIODevice::ReadOnly))
            return Table{{}, {}, {}, QStringLiteral("予防接種の表が見つかりません。")};
        return parseTable(QString::fromUtf8(f.readAll()));
    }();
    return table;
}

QDate addMonthsClamped(QDate date, int months)
{
    // QDate::addMonths keeps the day, or takes the month's last day when the day is not there.
    return date.addMonths(months);
}

QDate schoolYearStart(QDate birth, int years)
{
    const int bornInYear = birth < QDate(birth.year(), 4, 2) ? birth.year() - 1 : birth.year();
    return QDate(bornInYear + years, 4, 1);
}

namespace {

QDate applyOffset(QDate from, QDate birth, const QString &offset)
{
    if (offset == QStringLiteral("school-1"))
        return schoolYearStart(birth, 6);
    if (offset == QStringLiteral("jhs-1"))
        return schoolYearStart(birth, 13);
    static const QRegularExpression step(QStringLiteral("^\\+(\\d+)([myw])$"));
    const QRegularExpressionMatch m = step.match(offset);
    if (!m.hasMatch())
        return {};
    const int n = m.captured(1).toInt();
    switch (m.captured(2)[0].unicode()) {
    case 'm':
        return addMonthsClamped(from, n);
    case 'y':
        return addMonthsClamped(from, 12 * n);
    default:
        return from.addDays(7 * n);
    }
}

} // namespace

QList<Planned> plan(const Table &table, QDate birth, const Options &options)
{
    QList<Planned> out;
    QHash<QString, QDate> dates;
    for (const Dose &d : table.doses) {
        if ((d.condition == QStringLiteral("rota1") && options.rotaFive) ||
            (d.condition == QStringLiteral("rota5") && !options.rotaFive) ||
            (d.condition == QStringLiteral("girl") && !options.girl))
            continue;
        const QDate from = d.base == QStringLiteral("B") ? birth : dates.value(d.base);
        const QDate date = from.isValid() ? applyOffset(from, birth, d.offset) : QDate();
        if (!date.isValid())
            continue;
        dates.insert(d.id, date);
        out.append({d, date, QStringLiteral("予防接種：%1 %2").arg(d.vaccine, d.dose)});
    }
    return out;
}

QString birthRefusal(const QString &birthDate, QDate today)
{
    const QDate birth = QDate::fromString(birthDate.trimmed(), QStringLiteral("yyyy/MM/dd"));
    if (!birth.isValid())
        return QStringLiteral("生年月日が登録されていないため、予防接種の予定を計算できません。\r\n"
                              "『設定』の出産時データで生年月日を登録してください。");
    if (birth > today)
        return QStringLiteral("生年月日（%1）が今日より後の日付のため、予防接種の予定を計算できません。").arg(birthDate);
    return {};
}

} // namespace vaccinations
