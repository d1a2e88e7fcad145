#include "core/profile/life_events.h"

#include "core/text/dates.h"

#include <array>

namespace {

struct EventKind {
    int group; // index into lifeEventGroups()
    const char16_t *label;
    int years; // school events: years after the birth year (before the early-born shift)
    int month; // school events: the month and day of the date
    int day;
    int daysOn; // celebrations: days after the birth date
};

const std::array<EventKind, LifeEventCount> &kinds()
{
    static const std::array<EventKind, LifeEventCount> k = {{
        {0, u"入園", 4, 4, 1, 0},
        {0, u"卒園", 7, 3, 1, 0},
        {1, u"入学", 7, 4, 1, 0},
        {1, u"卒業", 13, 3, 1, 0},
        {2, u"入学", 13, 4, 1, 0},
        {2, u"卒業", 16, 3, 1, 0},
        {3, u"入学", 16, 4, 1, 0},
        {3, u"卒業", 19, 3, 10, 0}, // high school ends on 10 March
        {4, u"お七夜", 0, 0, 0, 6},
        {4, u"お宮参り", 0, 0, 0, 30},
        {4, u"お食い初め", 0, 0, 0, 100},
        {4, u"内祝い", 0, 0, 0, 30},
    }};
    return k;
}

const EventKind &kind(int index) { return kinds().at(std::size_t(index - 1)); }

bool isCelebration(int index) { return kind(index).daysOn > 0; }

} // namespace

QList<QString> lifeEventGroups()
{
    return {QStringLiteral("幼稚園・保育園"), QStringLiteral("小学校"), QStringLiteral("中学校"),
            QStringLiteral("高校"), QStringLiteral("お祝い事")};
}

QString lifeEventGroup(int index) { return lifeEventGroups().at(kind(index).group); }

QString lifeEventLabel(int index) { return QString::fromUtf16(kind(index).label); }

QString lifeEventName(int index)
{
    return isCelebration(index) ? lifeEventLabel(index)
                                : lifeEventGroup(index) + u' ' + lifeEventLabel(index);
}

int earlyBorn(const QString &birthDate)
{
    const QString month = birthDate.mid(5, 2);
    if (month == QStringLiteral("01") || month == QStringLiteral("02") || month == QStringLiteral("03"))
        return 1;
    return month == QStringLiteral("04") && birthDate.right(2) == QStringLiteral("01") ? 1 : 0;
}

QList<LifeEventRow> lifeEvents(const QString &birthDate, QDate today)
{
    QList<LifeEventRow> rows(LifeEventCount);
    const std::optional<QDate> birth = parseStoredDate(birthDate);
    if (!birth)
        return rows;
    const int year = birthDate.left(4).toInt() - earlyBorn(birthDate);
    for (int i = 1; i <= LifeEventCount; ++i) {
        const EventKind &k = kind(i);
        const QDate date =
            isCelebration(i) ? birth->addDays(k.daysOn) : QDate(year + k.years, k.month, k.day);
        const qint64 n = today.daysTo(date);
        LifeEventRow &row = rows[i - 1];
        row.date = dateText(date);
        row.days = QString::number(n < 0 ? -n : n);
        row.suffix = n > 0    ? QStringLiteral("日後")
                     : n == 0 ? QStringLiteral("本日")
                              : QStringLiteral("日経過");
    }
    return rows;
}
