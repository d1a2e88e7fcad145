#include "core/registers/register_logic.h"

#include "core/text/dates.h"

#include <algorithm>
#include <numeric>
#include <vector>

QList<int> orderByText(const QList<QStringView> &keys)
{
    // Two keys in the stored date form compare as their days exactly as they compare as texts,
    // and much faster.
    QList<qint64> days(keys.size());
    bool allDates = true;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const std::optional<QDate> d = parseStoredDate(keys[i]);
        days[i] = d.value_or(QDate()).toJulianDay();
        allDates = allDates && d.has_value();
    }
    QList<int> order(keys.size());
    if (allDates) {
        // The usual register: the days and places side by side, sorted without a look-up.
        std::vector<std::pair<qint64, int>> byDay(size_t(keys.size()));
        for (int i = 0; i < int(keys.size()); ++i)
            byDay[size_t(i)] = {days[i], i};
        std::stable_sort(byDay.begin(), byDay.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        for (int i = 0; i < int(keys.size()); ++i)
            order[i] = byDay[size_t(i)].second;
        return order;
    }
    std::iota(order.begin(), order.end(), 0);
    constexpr qint64 none = QDate().toJulianDay();
    std::stable_sort(order.begin(), order.end(), [&keys, &days](int a, int b) {
        if (days[a] != none && days[b] != none)
            return days[a] < days[b];
        return keys[a] < keys[b];
    });
    return order;
}

QStringList consecutiveDates(QDate first, int count)
{
    QStringList dates;
    dates.reserve(count);
    for (int i = 0; i < count; ++i)
        dates.append(dateText(first.addDays(i)));
    return dates;
}

QString itemPictureKey(const QString &item)
{
    const QString trimmed = item.trimmed();
    if (trimmed.isEmpty() || trimmed == QStringLiteral(".") || trimmed == QStringLiteral(".."))
        return {};
    for (QChar c : item)
        if (c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c))
            return {};
    return item;
}
