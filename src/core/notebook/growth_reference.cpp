#include "core/notebook/growth_reference.h"

#include "core/notebook/japan_growth.h"
#include "core/text/dates.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <array>
#include <cmath>

// The tables live in techo_core, a static library: without this call the linker may leave
// the resource out of the program. Q_INIT_RESOURCE must not be used inside a namespace.
static void initWhoGrowthResource() { Q_INIT_RESOURCE(who_growth); }

namespace {

// Consecutive monthly rows from firstMonth.
struct Table {
    int firstMonth = 0;
    QList<Lms> rows;
};

struct Reference {
    Table weight;
    Table length; // months 0 to 24, lying down
    Table height; // months 24 to 60, standing
};

struct References {
    Reference boys;
    Reference girls;
};

// The rows of one file. The values are strings. A month that does not follow the one before
// starts another table: the length/height files give month 24 twice, first lying down, then
// standing. A file that cannot be read whole gives no tables, so the chart draws no bands.
QList<Table> readTables(const QString &name, double scale)
{
    QFile file(QStringLiteral(":/who-growth/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("growth reference: %s is missing", qPrintable(name));
        return {};
    }
    const QJsonArray rows = QJsonDocument::fromJson(file.readAll()).array();
    QList<Table> tables;
    for (const QJsonValue &row : rows) {
        const QJsonObject o = row.toObject();
        bool okMonth = false, okL = false, okM = false, okS = false;
        const int month = o.value(QLatin1String("Month")).toString().toInt(&okMonth);
        const Lms lms{o.value(QLatin1String("L")).toString().toDouble(&okL),
                      o.value(QLatin1String("M")).toString().toDouble(&okM) * scale,
                      o.value(QLatin1String("S")).toString().toDouble(&okS)};
        if (!okMonth || !okL || !okM || !okS || lms.m <= 0 || lms.s <= 0) {
            qWarning("growth reference: %s has a bad row", qPrintable(name));
            return {};
        }
        if (tables.isEmpty() || month != tables.last().firstMonth + tables.last().rows.size())
            tables.append(Table{month, {}});
        tables.last().rows.append(lms);
    }
    return tables;
}

Reference readReference(const QString &sex)
{
    Reference r;
    const QList<Table> weight = readTables(QStringLiteral("wfa_%1_0_5_zscores.json").arg(sex), 1000.0);
    const QList<Table> length = readTables(QStringLiteral("lhfa_%1_0_5_zscores.json").arg(sex), 1.0);
    if (weight.size() == 1 && weight[0].firstMonth == 0 && weight[0].rows.size() == 61)
        r.weight = weight[0];
    if (length.size() == 2 && length[0].firstMonth == 0 && length[0].rows.size() == 25 &&
        length[1].firstMonth == 24 && length[1].rows.size() == 37) {
        r.length = length[0];
        r.height = length[1];
    }
    return r;
}

const References &references()
{
    static const References refs = [] {
        initWhoGrowthResource();
        return References{readReference(QStringLiteral("boys")), readReference(QStringLiteral("girls"))};
    }();
    return refs;
}

std::optional<Lms> interpolate(const Table &table, double month)
{
    const double offset = month - table.firstMonth;
    const qsizetype last = table.rows.size() - 1;
    if (table.rows.isEmpty() || offset < 0 || offset > double(last))
        return std::nullopt;
    const qsizetype i = qsizetype(offset);
    if (i == last || offset == double(i))
        return table.rows[i];
    const double f = offset - double(i);
    const Lms &a = table.rows[i];
    const Lms &b = table.rows[i + 1];
    return Lms{a.l + (b.l - a.l) * f, a.m + (b.m - a.m) * f, a.s + (b.s - a.s) * f};
}

const Reference *referenceOf(Sex sex)
{
    switch (sex) {
    case Sex::Boy:
        return &references().boys;
    case Sex::Girl:
        return &references().girls;
    case Sex::None:
        break;
    }
    return nullptr;
}

std::optional<Lms> lmsIn(const Reference &r, GrowthMeasure kind, double ageDays)
{
    if (!(ageDays >= 0))
        return std::nullopt;
    const double month = ageDays / DaysPerMonth;
    if (kind == GrowthMeasure::Weight)
        return interpolate(r.weight, month);
    // Lying length until 24 months, standing height from then: the WHO switch, so the height
    // band steps down by about 0.7 cm at two years.
    return month < 24 ? interpolate(r.length, month) : interpolate(r.height, month);
}

} // namespace

std::optional<Lms> referenceLms(GrowthMeasure kind, Sex sex, double ageDays)
{
    const Reference *r = referenceOf(sex);
    return r ? lmsIn(*r, kind, ageDays) : std::nullopt;
}

// log1p and expm1 keep the precision where interpolation between a positive and a negative L
// passes close to 0 (boys' weight does so in the second year).
double lmsValue(const Lms &lms, double z)
{
    if (lms.l == 0)
        return lms.m * std::exp(lms.s * z);
    return lms.m * std::exp(std::log1p(lms.l * lms.s * z) / lms.l);
}

// The plain inverse of the LMS curve. WHO corrects weights beyond ±3 SD, which could only
// move a child that is already below the 3rd or above the 97th percentile.
std::optional<double> lmsZScore(const Lms &lms, double value)
{
    if (!(value > 0) || !(lms.m > 0) || lms.s == 0)
        return std::nullopt;
    if (lms.l == 0)
        return std::log(value / lms.m) / lms.s;
    return std::expm1(lms.l * std::log(value / lms.m)) / (lms.l * lms.s);
}

double percentileOfZ(double z) { return 50 * std::erfc(-z / std::sqrt(2.0)); }

namespace {

// The 3rd, 50th and 97th lines at an age in days, from the chosen reference.
std::optional<std::array<double, 3>> bandAt(GrowthReference reference, const Reference &r, GrowthMeasure kind,
                                            Sex sex, double ageDays)
{
    if (reference == GrowthReference::Japan2023) {
        const std::optional<std::array<double, 7>> p = japanPercentiles(kind, sex, ageDays);
        return p ? std::optional(std::array<double, 3>{(*p)[0], (*p)[3], (*p)[6]}) : std::nullopt;
    }
    const std::optional<Lms> lms = lmsIn(r, kind, ageDays);
    return lms ? std::optional(std::array<double, 3>{lmsValue(*lms, ZP3), lms->m, lmsValue(*lms, ZP97)})
               : std::nullopt;
}

} // namespace

ReferenceBand referenceBand(GrowthMeasure kind, Sex sex, QDate firstDay, int days, QDate birth,
                            GrowthReference reference)
{
    ReferenceBand band;
    const Reference *r = referenceOf(sex);
    if (!r || days <= 0)
        return band;
    const qint64 ageOfDay1 = birth.isValid() && firstDay.isValid() ? birth.daysTo(firstDay) : 0;
    // Ages run one a day, so the band covers one run of days: from the later of day 1 and
    // the birth day, to the earlier of the last day and the end of the tables.
    const qint64 from = std::max<qint64>(1, 1 - ageOfDay1);
    const qint64 to = std::min<qint64>(days, ReferenceLastDay - ageOfDay1 + 1);
    if (from > to)
        return band;
    band.p3.reserve(to - from + 1);
    band.p50.reserve(to - from + 1);
    band.p97.reserve(to - from + 1);
    for (qint64 d = from; d <= to; ++d) {
        const std::optional<std::array<double, 3>> lines =
            bandAt(reference, *r, kind, sex, double(ageOfDay1 + d - 1));
        if (!lines)
            continue;
        const double x = double(d - 1);
        band.p3.append({x, (*lines)[0]});
        band.p50.append({x, (*lines)[1]});
        band.p97.append({x, (*lines)[2]});
    }
    return band;
}

QString ageMonthsText(QDate birth, QDate on)
{
    // Completed months are how the chart's axis marks them.
    const int months = completedMonths(birth, on);
    if (months < 0)
        return {};
    if (months < 12)
        return QStringLiteral("%1か月").arg(months);
    return QStringLiteral("%1歳%2か月").arg(months / 12).arg(months % 12);
}

// The nearest line is the nearest in z, which is how far apart the lines are drawn; a z exactly
// midway between two lines goes to the one nearer the 50th. Only beyond the outer lines do the
// words change to "below" and "above"; the 3rd and 97th lines themselves count as near.
QString standingWords(double z)
{
    if (z < ZP3)
        return QStringLiteral("3パーセンタイル未満");
    if (z > ZP97)
        return QStringLiteral("97パーセンタイル超");
    // In order of nearness to the 50th, so that only a strictly nearer line wins a tie.
    static constexpr std::array<std::pair<int, double>, 6> lines{{{25, -0.6744897501960817},
                                                                  {75, 0.6744897501960817},
                                                                  {10, -1.2815515655446004},
                                                                  {90, 1.2815515655446004},
                                                                  {3, ZP3},
                                                                  {97, ZP97}}};
    int nearest = 50;
    double best = std::abs(z);
    for (const auto &[percentile, lineZ] : lines) {
        if (std::abs(z - lineZ) < best) {
            nearest = percentile;
            best = std::abs(z - lineZ);
        }
    }
    return QStringLiteral("%1パーセンタイル付近").arg(nearest);
}

QString standingText(GrowthMeasure kind, double value, QDate birth, QDate measuredOn, Sex sex,
                     GrowthReference reference)
{
    if (!birth.isValid() || !measuredOn.isValid() || !(value > 0))
        return {};
    const double ageDays = double(birth.daysTo(measuredOn));
    QString words;
    if (reference == GrowthReference::Japan2023) {
        if (const std::optional<std::array<double, 7>> p = japanPercentiles(kind, sex, ageDays))
            words = japanStandingWords(*p, value);
    } else {
        const std::optional<Lms> lms = referenceLms(kind, sex, ageDays);
        if (const std::optional<double> z = lms ? lmsZScore(*lms, value) : std::nullopt)
            words = standingWords(*z);
    }
    if (words.isEmpty())
        return {};
    const QString measurement =
        kind == GrowthMeasure::Weight
            ? QStringLiteral("体重 %1 g")
                  .arg(QLocale(QLocale::Japanese, QLocale::Japan).toString(qRound64(value)))
            : QStringLiteral("身長 %1 cm").arg(value, 0, 'f', 1);
    return measurement + QStringLiteral("：") + words + QStringLiteral("（") +
           ageMonthsText(birth, measuredOn) + QStringLiteral("）");
}

QString referenceSourceText(GrowthReference reference)
{
    return reference == GrowthReference::Japan2023
               ? QStringLiteral("「令和5年乳幼児身体発育調査」（こども家庭庁）をもとに作成")
               : QStringLiteral("出典: WHO Child Growth Standards (2006)");
}

QString referenceName(GrowthReference reference)
{
    return reference == GrowthReference::Japan2023 ? QStringLiteral("令和5年乳幼児身体発育調査")
                                                   : QStringLiteral("WHO Child Growth Standards (2006)");
}
