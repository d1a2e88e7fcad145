#include "core/registers/register_logic.h"

#include "core/common/dates.h"

#include <algorithm>
#include <numeric>

QList<int> orderByText(const QList<QStringView> &keys)
{
    // Two keys in the stored date form compare as their days exactly as they compare as texts,
    // and much faster.
    QList<qint64> days(keys.size());
    for (qsizetype i = 0; i < keys.size(); ++i)
        days[i] = parseStoredDate(keys[i]).value_or(QDate()).toJulianDay();
    QList<int> order(keys.size());
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
