#include "registers/register_logic.h"

#include "common/dates.h"

#include <algorithm>
#include <numeric>

namespace {

// A key in the stored date form "yyyy/mm/dd" as the number yyyymmdd, else -1. Two such keys
// compare as numbers exactly as they compare as texts, and much faster.
int storedDateNumber(QStringView key)
{
    if (key.size() != 10 || key[4] != u'/' || key[7] != u'/')
        return -1;
    int n = 0;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (key[i] < u'0' || key[i] > u'9')
            return -1;
        n = n * 10 + (key[i].unicode() - u'0');
    }
    return n;
}

} // namespace

QList<int> orderByText(const QList<QStringView> &keys)
{
    QList<int> numbers(keys.size());
    for (qsizetype i = 0; i < keys.size(); ++i)
        numbers[i] = storedDateNumber(keys[i]);
    QList<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys, &numbers](int a, int b) {
        if (numbers[a] >= 0 && numbers[b] >= 0)
            return numbers[a] < numbers[b];
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
