#include "registers/register_logic.h"

#include "common/dates.h"

#include <algorithm>
#include <numeric>

QList<int> orderByText(const QStringList &keys)
{
    QList<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) { return keys[a] < keys[b]; });
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
