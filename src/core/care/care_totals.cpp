#include "core/care/care_minutes.h"

#include "core/text/numbers.h"

#include <algorithm>

namespace care {

namespace {

constexpr qint64 DayFrom = 7 * 60; // the day's sleep: 7:00 to 19:00
constexpr qint64 DayTo = 19 * 60;

qint64 overlap(qint64 a, qint64 b, qint64 from, qint64 to)
{
    return std::max<qint64>(0, std::min(b, to) - std::max(a, from));
}

// The minutes of [from, to) that fall between 7:00 and 19:00 of some day.
qint64 daytimeMinutes(qint64 from, qint64 to)
{
    qint64 sum = 0;
    for (qint64 day = from / 1440 * 1440; day < to; day += 1440)
        sum += overlap(from, to, day + DayFrom, day + DayTo);
    return sum;
}

qint64 rowStart(QDate day, int dayStartHour) { return minuteOf(day, QTime(0, 0)) + dayStartHour * 60; }

// The first entry that may touch a row starting at from: spans reach back at most a day.
QList<Entry>::const_iterator firstNear(const QList<Entry> &entries, qint64 from)
{
    return std::lower_bound(entries.cbegin(), entries.cend(), from - 1440,
                            [](const Entry &e, qint64 m) { return minuteOf(e) < m; });
}

} // namespace

DayTotals totalsOf(const QList<Entry> &entries, QDate day, int dayStartHour, const QDateTime &now)
{
    DayTotals t;
    const qint64 from = rowStart(day, dayStartHour), to = from + 1440, at = minuteOf(now);
    std::optional<qint64> feedEnd;
    for (auto it = firstNear(entries, from); it != entries.cend(); ++it) {
        const Entry &e = *it;
        const qint64 start = minuteOf(e);
        if (start >= to)
            break;
        const qint64 finish = finishMinuteOf(e, at);
        const bool inDay = start >= from;
        if (isFeed(e.kind)) {
            if (inDay && (!feedEnd || start - *feedEnd > SameFeedMinutes))
                ++t.feeds;
            feedEnd = std::max(feedEnd.value_or(finish), finish);
        }
        switch (e.kind) {
        case Kind::BreastLeft:
        case Kind::BreastRight:
            t.breastMinutes += int(overlap(start, finish, from, to));
            break;
        case Kind::Formula:
            t.formulaMl += inDay ? int(numericValue(e.amount)) : 0;
            break;
        case Kind::Pumped:
            t.pumpedMl += inDay ? int(numericValue(e.amount)) : 0;
            break;
        case Kind::Sleep: {
            const qint64 a = std::max(start, from), b = std::min(finish, to);
            if (b > a) {
                const qint64 daytime = daytimeMinutes(a, b);
                t.sleepDayMinutes += int(daytime);
                t.sleepNightMinutes += int(b - a - daytime);
            }
            break;
        }
        case Kind::Pee:
            t.pees += inDay ? 1 : 0;
            break;
        case Kind::Poo:
            t.poos += inDay ? 1 : 0;
            break;
        case Kind::Temperature:
            if (inDay && !e.amount.isEmpty())
                t.highestTemperature = std::max(t.highestTemperature.value_or(0.0), numericValue(e.amount));
            break;
        case Kind::Medicine:
            t.medicines += inDay ? 1 : 0;
            break;
        case Kind::Solids:
        case Kind::Bath:
        case Kind::Memo:
            break;
        }
    }
    return t;
}

QList<Entry> entriesOfDay(const QList<Entry> &entries, QDate day, int dayStartHour)
{
    const qint64 from = rowStart(day, dayStartHour), to = from + 1440;
    QList<Entry> found;
    for (auto it = firstNear(entries, from + 1440); it != entries.cend() && minuteOf(*it) < to; ++it)
        if (minuteOf(*it) >= from)
            found.append(*it);
    return found;
}

QList<RhythmRow> rhythmOf(const QList<Entry> &entries, QDate first, int days, int dayStartHour,
                          const QDateTime &now)
{
    QList<RhythmRow> rows;
    if (days <= 0)
        return rows;
    for (int d = 0; d < days; ++d)
        rows.append(RhythmRow{first.addDays(d), {}, {}, {}, {}, {}});
    const qint64 from = rowStart(first, dayStartHour), to = from + qint64(days) * 1440, at = minuteOf(now);
    for (auto it = firstNear(entries, from); it != entries.cend() && minuteOf(*it) < to; ++it) {
        const Entry &e = *it;
        const qint64 start = minuteOf(e);
        if (e.kind == Kind::Sleep) {
            const qint64 finish = finishMinuteOf(e, at);
            for (qint64 r = std::max<qint64>(0, (start - from) / 1440); r < days; ++r) {
                const qint64 rowFrom = from + r * 1440;
                const qint64 a = std::max(start, rowFrom), b = std::min(finish, rowFrom + 1440);
                if (b <= a)
                    break;
                rows[r].sleeps.append({int(a - rowFrom), int(b - rowFrom)});
            }
            continue;
        }
        if (start < from)
            continue;
        RhythmRow &row = rows[(start - from) / 1440];
        const int minute = int((start - from) % 1440);
        if (isFeed(e.kind))
            row.feeds.append(minute);
        else if (isNappy(e.kind))
            row.nappies.append(minute);
        else if (e.kind == Kind::Medicine)
            row.medicines.append(minute);
        else if (e.kind == Kind::Temperature && !e.amount.isEmpty())
            row.temperatures.append({minute, numericValue(e.amount)});
    }
    return rows;
}

} // namespace care
