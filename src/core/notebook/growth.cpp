#include "core/notebook/growth.h"

#include "core/text/dates.h"
#include "core/text/delimited.h"
#include "core/text/numbers.h"

#include <algorithm>
#include <cmath>

namespace {

// Fills the days without a value (0) in values[1..last] with straight lines between the
// measured days around them, rounded to whole units (grams, tenths of a centimetre). A gap
// at the start is drawn up from index 0, which holds 0. A gap that no measured day closes is
// left at 0 (a diary without any weight).
template <class T> void fillGaps(QList<T> &values, int last)
{
    int f = 1;
    while (f <= last) {
        if (values[f] != 0) {
            ++f;
            continue;
        }
        const int a = f - 1;
        int b = f + 1;
        while (b <= last && values[b] == 0)
            ++b;
        if (b > last)
            return;
        const int n = b - a;
        // The slope is kept in single precision, as the series always has been: it decides
        // which way a value near a half rounds (3000 to 3001 over six days gives 3001 on
        // the third day, not 3000).
        const float slope = float(double(values[b] - values[a]) / n);
        const T start = values[a];
        // Every value lies between two measured ones, so it fits their type.
        for (int m = 1; m <= n; ++m)
            values[a + m - 1] = T(std::nearbyint(double(m - 1) * double(slope) + start));
        f = b + 1;
    }
}

} // namespace

void buildGrowth(const DiaryTable &diary, GrowthSeries &series)
{
    series = GrowthSeries();
    series.date.append(QString());
    series.height.append(0);
    series.weight.append(0);
    if (diary.count() == 0)
        return;
    const std::optional<QDate> first = parseStoredDate(diary.day(1).date);
    const std::optional<QDate> last = parseStoredDate(diary.day(diary.count()).date);
    if (!first || !last)
        return;
    const int count = int(std::clamp<qint64>(first->daysTo(*last) + 1, 0, DiaryCapacity));
    if (count == 0)
        return;

    series.date.reserve(count + 1);
    for (int i = 1; i <= count; ++i)
        series.date.append(dateText(first->addDays(i - 1)));
    series.weight.fill(0, count + 1);
    // Heights are drawn in whole tenths of a centimetre, as they are measured.
    QList<int> tenths(count + 1, 0);

    // Series day i is diary date first + i - 1, so a day's place is computed, not searched.
    for (const DiaryDay &day : diary.days()) {
        const std::optional<QDate> d = parseStoredDate(day.date);
        if (!d)
            continue;
        const qint64 i = first->daysTo(*d) + 1;
        if (i < 1 || i > count)
            continue;
        series.weight[i] = day.weight;
        tenths[i] = int(std::lround(std::clamp(day.height, -32768.0, 32767.0) * 10.0));
    }

    // The series ends on the last day with a weight.
    int end = count;
    for (int i = count; i >= 1; --i) {
        if (series.weight[i] != 0) {
            end = i;
            break;
        }
    }
    series.date.resize(end + 1);
    series.weight.resize(end + 1);
    tenths.resize(end + 1);
    series.count = end;

    fillGaps(series.weight, end);

    int h = 0;
    for (int i = end; i >= 1; --i) {
        if (tenths[i] != 0) {
            h = i;
            break;
        }
    }
    fillGaps(tenths, h);
    // The last measured height is carried to the end of the series.
    for (int i = h + 1; i <= end; ++i)
        tenths[i] = tenths[h];
    series.height.resize(end + 1);
    for (int i = 0; i <= end; ++i)
        series.height[i] = tenths[i] / 10.0;
}

QString growthExportText(const GrowthSeries &series)
{
    QString text;
    text.reserve(series.count * 24);
    for (int i = 1; i <= series.count; ++i) {
        text += quotedLine({{series.date[i], true},
                            {measureText(series.height[i]), false},
                            {QString::number(series.weight[i]), false}});
        text += QLatin1String("\r\n");
    }
    return text;
}

QStringList weightListLines(const GrowthSeries &series)
{
    QStringList lines;
    lines.reserve(series.count);
    for (int i = 1; i <= series.count; ++i)
        lines.append(series.date[i] + QLatin1String(" _ ") + QString::number(series.weight[i]) + u'g');
    return lines;
}

QStringList heightListLines(const GrowthSeries &series)
{
    QStringList lines;
    lines.reserve(series.count);
    for (int i = 1; i <= series.count; ++i)
        lines.append(series.date[i] + QLatin1String(" _ ") + measureText(series.height[i]) +
                     QLatin1String("cm"));
    return lines;
}

namespace {

QString monthsOfAge(int months)
{
    if (months < 12)
        return QStringLiteral("%1か月").arg(months);
    if (months % 12 == 0)
        return QStringLiteral("%1歳").arg(months / 12);
    return QStringLiteral("%1歳%2か月").arg(months / 12).arg(months % 12);
}

// The smallest step of `steps` that leaves at most eight intervals over `span`.
int stepFor(int span, std::initializer_list<int> steps)
{
    int chosen = 1;
    for (int s : steps) {
        chosen = s;
        if (span / s <= 8)
            break;
    }
    return chosen;
}

} // namespace

QList<AgeTick> ageTicks(QDate first, int days)
{
    QList<AgeTick> ticks;
    if (!first.isValid() || days <= 0)
        return ticks;
    const QDate last = first.addDays(days - 1);
    int months = 0;
    while (first.addMonths(months + 1) <= last)
        ++months;

    if (months >= 2) {
        const int step = stepFor(months, {1, 2, 3, 6, 12});
        for (int k = 0; k <= months; k += step)
            ticks.append({int(first.daysTo(first.addMonths(k))), monthsOfAge(k)});
    } else if (days > 15) {
        const int weeks = (days - 1) / 7;
        const int step = stepFor(weeks, {1, 2});
        for (int w = 0; w <= weeks; w += step)
            ticks.append({w * 7, QStringLiteral("%1週").arg(w)});
    } else {
        const int step = stepFor(days - 1, {1, 2});
        for (int d = 0; d < days; d += step)
            ticks.append({d, QStringLiteral("%1日").arg(d)});
    }
    return ticks;
}

GraphLimits parseGraphLimits(const QString &text)
{
    DelimitedReader r(text);
    GraphLimits g;
    g.heightMin = r.readInt16();
    g.heightMax = r.readInt16();
    g.weightMin = r.readInt16();
    g.weightMax = r.readInt16();
    return g;
}

QString graphLimitsText(const GraphLimits &g)
{
    const QString crlf = QStringLiteral("\r\n");
    return printedInteger(g.heightMin) + crlf + printedInteger(g.heightMax) + crlf +
           printedInteger(g.weightMin) + crlf + printedInteger(g.weightMax) + crlf;
}

GraphLimits defaultGraphLimits() { return {40, 100, 2000, 16000}; }
