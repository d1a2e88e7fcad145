#include "core/registers/vaccinations.h"

#include "core/text/dates.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

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
        if (f.value(0) == QStringLiteral("内容")) {
            t.contents.insert(f.value(1), f.value(2));
            continue;
        }
        const auto bornDate = [](const QString &field) {
            return QDate::fromString(field, QStringLiteral("yyyy-MM-dd"));
        };
        if (f.size() < 6 || (!f.value(9).isEmpty() && !bornDate(f[9]).isValid()) ||
            (!f.value(10).isEmpty() && !bornDate(f[10]).isValid())) {
            t.error = QStringLiteral("予防接種の表の行が読めません：%1").arg(l);
            continue;
        }
        t.doses.append({f[0], f[1], f[2], f[3], f[4], f[5] == QStringLiteral("定期"), f.value(6), f.value(7),
                        f.value(8), bornDate(f.value(9)), bornDate(f.value(10)), f.value(11), f.value(12)});
    }
    return t;
}

const Table &shippedTable()
{
    static const Table table = [] {
        initVaccinationsResource();
        QFile f(QStringLiteral(":/vaccinations/schedule.tsv"));
        if (!f.open(QIODevice::ReadOnly)) {
            Table missing;
            missing.error = QStringLiteral("予防接種の表が見つかりません。");
            return missing;
        }
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

// The school years named in the table, counted as schoolYearStart counts them.
int schoolYears(const QString &name)
{
    static const QHash<QString, int> years = {{QStringLiteral("school-1"), 6},
                                              {QStringLiteral("school"), 7},
                                              {QStringLiteral("grade6"), 12},
                                              {QStringLiteral("jhs-1"), 13},
                                              {QStringLiteral("hs-2"), 17}};
    return years.value(name, -1);
}

QDate applyOffset(QDate from, QDate birth, const QString &offset)
{
    if (const int years = schoolYears(offset); years >= 0)
        return schoolYearStart(birth, years);
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

// Every condition of the row holds for these options.
bool applies(const Dose &d, const Options &options)
{
    for (const QString &c : d.condition.split(u',', Qt::SkipEmptyParts)) {
        const bool holds = c == QStringLiteral("rota1")   ? !options.rotaFive
                           : c == QStringLiteral("rota5") ? options.rotaFive
                           : c == QStringLiteral("girl")  ? options.girl
                           : c == QStringLiteral("hpv2")  ? !options.hpvThree
                           : c == QStringLiteral("hpv3")  ? options.hpvThree
                                                          : false;
        if (!holds)
            return false;
    }
    return true;
}

bool bornFor(const Dose &d, QDate birth)
{
    return (!d.bornFrom.isValid() || birth >= d.bornFrom) && (!d.bornTo.isValid() || birth <= d.bornTo);
}

} // namespace

QDate ageDay(QDate birth, const QString &age)
{
    if (const int years = schoolYears(age); years >= 0)
        return schoolYearStart(birth, years);
    static const QRegularExpression terms(QStringLiteral("^(?:\\d+[ymwd])+$"));
    static const QRegularExpression term(QStringLiteral("(\\d+)([ymwd])"));
    if (!terms.match(age).hasMatch())
        return {};
    QDate day = birth;
    for (auto it = term.globalMatch(age); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int n = m.captured(1).toInt();
        switch (m.captured(2)[0].unicode()) {
        case 'y':
            day = addMonthsClamped(day, 12 * n);
            break;
        case 'm':
            day = addMonthsClamped(day, n);
            break;
        case 'w':
            day = day.addDays(7 * n);
            break;
        default:
            day = day.addDays(n);
        }
    }
    return day;
}

QString lastDayText(const QString &until)
{
    if (until == QStringLiteral("school"))
        return QStringLiteral("小学校入学前の3月31日");
    if (until == QStringLiteral("hs-2"))
        return QStringLiteral("高校1年生の3月31日");
    static const QRegularExpression months(QStringLiteral("^(\\d+)([my])$"));
    if (const QRegularExpressionMatch m = months.match(until); m.hasMatch()) {
        const int n = m.captured(1).toInt() * (m.captured(2) == QStringLiteral("y") ? 12 : 1);
        if (n % 12 == 0)
            return QStringLiteral("%1歳の誕生日の前日").arg(n / 12);
        if (n < 12)
            return QStringLiteral("生後%1か月になる前日").arg(n);
        return QStringLiteral("%1歳%2か月になる前日").arg(n / 12).arg(n % 12);
    }
    // Weeks and days: the day before, told as the weeks and days after the birth.
    const QDate birth(2000, 1, 1);
    const QDate end = ageDay(birth, until);
    if (!end.isValid() || until.contains(u'm') || until.contains(u'y'))
        return {};
    const qint64 last = birth.daysTo(end) - 1;
    return QStringLiteral("出生%1週%2日後").arg(last / 7).arg(last % 7);
}

QList<Planned> plan(const Table &table, QDate birth, const Options &options)
{
    QList<Planned> out;
    QHash<QString, QDate> dates;
    for (const Dose &d : table.doses) {
        if (!applies(d, options) || !bornFor(d, birth))
            continue;
        const QDate from = d.base == QStringLiteral("B") ? birth : dates.value(d.base);
        const QDate date = from.isValid() ? applyOffset(from, birth, d.offset) : QDate();
        if (!date.isValid())
            continue;
        dates.insert(d.id, date);
        const QDate until = d.allowedUntil.isEmpty() ? QDate() : ageDay(birth, d.allowedUntil);
        out.append({d, date, QStringLiteral("予防接種：%1 %2").arg(d.vaccine, d.dose),
                    d.allowedFrom.isEmpty() ? QDate() : ageDay(birth, d.allowedFrom),
                    until.isValid() ? until.addDays(-1) : QDate()});
    }
    return out;
}

int leftOutByBirth(const Table &table, QDate birth, const Options &options)
{
    // A vaccine's rows for other years (4種混合 and 5種混合, rota 1価 and 5価) are one family:
    // "dpt3-1", "dpt4-1", "dpt-1" are all "dpt".
    auto family = [](const QString &id) {
        QString f = id.section(u'-', 0, 0);
        while (!f.isEmpty() && f.back().isDigit())
            f.chop(1);
        return f;
    };
    QSet<QString> planned;
    for (const Planned &p : plan(table, birth, options))
        planned.insert(family(p.dose.id));
    // Counted once a dose: 4種混合 and 5種混合 1期1回目 are one dose of other years.
    QSet<QString> leftOut;
    for (const Dose &d : table.doses)
        if (applies(d, options) && d.bornFrom.isValid() && birth < d.bornFrom &&
            !planned.contains(family(d.id)))
            leftOut.insert(family(d.id) + u'\t' + d.dose);
    return int(leftOut.size());
}

QList<Planned> afterGiven(QList<Planned> planned, const QHash<QString, QDate> &given)
{
    QHash<QString, QDate> at;       // dose id → where it now stands
    QHash<QString, QString> lastOf; // vaccine → the id of its dose seen last
    for (Planned &p : planned) {
        if (const QDate on = given.value(p.dose.id); on.isValid()) {
            p.date = on;
        } else if (!p.dose.minInterval.isEmpty()) {
            // "27d" counts from the vaccine's dose before; "hepb-1:139d" from that dose.
            const QString from = p.dose.minInterval.contains(u':') ? p.dose.minInterval.section(u':', 0, 0)
                                                                   : lastOf.value(p.dose.vaccine);
            const QDate before = at.value(from);
            const QDate earliest =
                before.isValid() ? ageDay(before, p.dose.minInterval.section(u':', -1)) : QDate();
            if (earliest.isValid() && earliest > p.date)
                p.date = earliest;
        }
        at.insert(p.dose.id, p.date);
        lastOf.insert(p.dose.vaccine, p.dose.id);
    }
    return planned;
}

QString doseMark(const Planned &planned, QDate today, QDate givenOn)
{
    if (givenOn.isValid())
        return QStringLiteral("済 %1").arg(dateText(givenOn));
    if (planned.last.isValid() && today > planned.last)
        return QStringLiteral("期限切れ");
    if (planned.last.isValid() && today.daysTo(planned.last) < DaysNearTheEnd)
        return QStringLiteral("期限が近い（%1まで）").arg(dateText(planned.last));
    return QStringLiteral("予定 %1").arg(dateText(planned.date));
}

Status statusOf(const Planned &planned, QDate today, bool entered)
{
    if (entered)
        return {State::Entered, QStringLiteral("予定に入っています")};
    const qint64 left = today.daysTo(planned.date);
    if (left > 0)
        return {State::Ahead, QStringLiteral("あと %1 日").arg(left)};
    if (left == 0)
        return {State::Today, QStringLiteral("今日")};
    if (!planned.last.isValid())
        return {State::Late, QStringLiteral("%1 日前").arg(-left)};
    const QString lastDay = dateText(planned.last), said = lastDayText(planned.dose.allowedUntil);
    if (today > planned.last)
        return {State::Closed,
                QStringLiteral("定期接種の対象期間が過ぎています（%1、%2まで）").arg(lastDay, said)};
    return {State::Late, QStringLiteral("標準の時期を %1 日過ぎています。%2（%3）まで受けられます")
                             .arg(-left)
                             .arg(lastDay, said)};
}

QString periodText(const Planned &planned)
{
    if (!planned.first.isValid() || !planned.last.isValid())
        return {};
    return QStringLiteral("対象期間 %1〜%2（%3まで）")
        .arg(dateText(planned.first), dateText(planned.last), lastDayText(planned.dose.allowedUntil));
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
