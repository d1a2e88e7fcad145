#include "core/notebook/japan_growth.h"

#include <QFile>

#include <algorithm>
#include <cmath>

// The table lives in techo_core, a static library: without this call the linker may leave the
// resource out of the program. Q_INIT_RESOURCE must not be used inside a namespace.
static void initJapanGrowthResource() { Q_INIT_RESOURCE(japan_growth); }

namespace {

struct Curves {
    QList<JapanCurvePoint> boysWeight, girlsWeight, boysHeight, girlsHeight;
};

// The age a row stands at: a point's own day, or a band's middle.
std::optional<double> rowAge(const QStringList &f)
{
    bool ok1 = false, ok2 = false;
    if (f[3] == QLatin1String("point")) {
        const double days = f[4].toDouble(&ok1);
        return ok1 ? std::optional(days) : std::nullopt;
    }
    const double from = f[5].toDouble(&ok1), to = f[6].toDouble(&ok2);
    if (f[3] != QLatin1String("band") || !ok1 || !ok2 || !(to > from))
        return std::nullopt;
    return (from + to) / 2 * DaysPerMonth;
}

// One row of the CSV into its curve; false for a row that is not as the README says. Weights
// are kept in whole grams, as the diary holds them, so a weight typed as the table's value
// compares equal to it.
bool addRow(Curves &c, const QString &line)
{
    const QStringList f = line.split(u',');
    if (f.size() != 15)
        return false;
    const bool weight = f[0] == QLatin1String("weight");
    const bool boy = f[2] == QLatin1String("male");
    if ((!weight && f[0] != QLatin1String("height")) || (!boy && f[2] != QLatin1String("female")))
        return false;
    const std::optional<double> age = rowAge(f);
    if (!age)
        return false;
    JapanCurvePoint p{*age, {}};
    for (int i = 0; i < 7; ++i) {
        bool ok = false;
        const double v = f[8 + i].toDouble(&ok);
        p.values[i] = weight ? std::round(v * 1000) : v;
        if (!ok || !(v > 0) || (i > 0 && p.values[i] < p.values[i - 1]))
            return false;
    }
    QList<JapanCurvePoint> &curve =
        weight ? (boy ? c.boysWeight : c.girlsWeight) : (boy ? c.boysHeight : c.girlsHeight);
    if (!curve.isEmpty() && !(p.ageDays > curve.last().ageDays))
        return false;
    curve.append(p);
    return true;
}

Curves readCurves()
{
    initJapanGrowthResource();
    QFile file(QStringLiteral(":/japan-growth/jp2023_weight_height_percentiles.csv"));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("growth reference: the Japanese table is missing");
        return {};
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    Curves c;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (!addRow(c, lines[i].trimmed())) {
            qWarning("growth reference: the Japanese table has a bad row %lld", qlonglong(i + 1));
            return {};
        }
    }
    return c;
}

const Curves &curves()
{
    static const Curves c = readCurves();
    return c;
}

} // namespace

const QList<JapanCurvePoint> &japanCurve(GrowthMeasure kind, Sex sex)
{
    static const QList<JapanCurvePoint> none;
    const Curves &c = curves();
    const bool weight = kind == GrowthMeasure::Weight;
    switch (sex) {
    case Sex::Boy:
        return weight ? c.boysWeight : c.boysHeight;
    case Sex::Girl:
        return weight ? c.girlsWeight : c.girlsHeight;
    case Sex::None:
        break;
    }
    return none;
}

std::optional<std::array<double, 7>> japanPercentiles(GrowthMeasure kind, Sex sex, double ageDays)
{
    if (kind == GrowthMeasure::Head)
        return std::nullopt;
    const QList<JapanCurvePoint> &curve = japanCurve(kind, sex);
    if (curve.isEmpty() || !(ageDays >= curve.first().ageDays) || ageDays > curve.last().ageDays)
        return std::nullopt;
    // The first point at or after the age.
    const auto after = std::lower_bound(curve.begin(), curve.end(), ageDays,
                                        [](const JapanCurvePoint &p, double age) { return p.ageDays < age; });
    if (after->ageDays == ageDays)
        return after->values;
    const JapanCurvePoint &a = *(after - 1);
    const double f = (ageDays - a.ageDays) / (after->ageDays - a.ageDays);
    std::array<double, 7> values;
    for (int i = 0; i < 7; ++i)
        values[i] = a.values[i] + (after->values[i] - a.values[i]) * f;
    return values;
}

QString japanStandingWords(const std::array<double, 7> &values, double value)
{
    if (value < values.front())
        return QStringLiteral("3パーセンタイル未満");
    if (value > values.back())
        return QStringLiteral("97パーセンタイルを超える");
    return QStringLiteral("3〜97パーセンタイルの間");
}
