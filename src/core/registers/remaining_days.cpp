#include "core/registers/remaining_days.h"

#include "core/text/dates.h"

#include <algorithm>
#include <numeric>

std::optional<int> remainingDays(QStringView dateText, QDate today)
{
    const std::optional<QDate> date = parseTypedDate(dateText, today);
    if (!date)
        return std::nullopt;
    return int(today.daysTo(*date));
}

Due dueOf(int remaining)
{
    if (remaining < 0)
        return Due::Past;
    if (remaining == 0)
        return Due::Today;
    if (remaining <= 3)
        return Due::Soon;
    return Due::Later;
}

QColor dueColour(Due due)
{
    switch (due) {
    case Due::Past:
        return QColor(255, 192, 192);
    case Due::Today:
        return QColor(192, 255, 192);
    case Due::Soon:
        return QColor(255, 255, 192);
    case Due::Later:
        break;
    }
    return QColor(255, 255, 255);
}

QString dueCaption(Due due)
{
    switch (due) {
    case Due::Past:
        return QStringLiteral("終了");
    case Due::Today:
        return QStringLiteral("当日");
    case Due::Soon:
        return QStringLiteral("３日前");
    case Due::Later:
        break;
    }
    return QStringLiteral("通常");
}

QList<int> orderByRemaining(const QList<std::optional<int>> &remaining)
{
    QList<int> order(remaining.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&remaining](int a, int b) {
        const std::optional<int> &x = remaining[a];
        const std::optional<int> &y = remaining[b];
        if (!x || !y)
            return x.has_value() && !y.has_value();
        return *x < *y;
    });
    return order;
}
