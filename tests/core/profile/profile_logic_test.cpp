// The life-event calendar without widgets, counted from a set today.
#include "core/profile/life_events.h"

#include <QtTest>

class ProfileLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void calendar_data();
    void calendar();
};

void ProfileLogicTest::calendar_data()
{
    // Events 1 (kindergarten entry), 3 (elementary entry), 8 (high-school leaving), 9 (お七夜)
    // and 11 (お食い初め); "" when no date is shown.
    QTest::addColumn<QString>("birth");
    QTest::addColumn<QStringList>("dates");
    QTest::newRow("1 April: a year earlier")
        << "2005/04/01" << QStringList{"2008/04/01", "2011/04/01", "2023/03/10", "2005/04/07", "2005/07/10"};
    QTest::newRow("2 April") << "2005/04/02"
                             << QStringList{"2009/04/01", "2012/04/01", "2024/03/10", "2005/04/08",
                                            "2005/07/11"};
    QTest::newRow("31 December") << "2005/12/31"
                                 << QStringList{"2009/04/01", "2012/04/01", "2024/03/10", "2006/01/06",
                                                "2006/04/10"};
    QTest::newRow("31 March") << "2005/03/31"
                              << QStringList{"2008/04/01", "2011/04/01", "2023/03/10", "2005/04/06",
                                             "2005/07/09"};
    QTest::newRow("29 February") << "2004/02/29"
                                 << QStringList{"2007/04/01", "2010/04/01", "2022/03/10", "2004/03/06",
                                                "2004/06/08"};
    // What the profile screen normally prevents: no dates and no counts, not garbage.
    for (const char *bad : {"2005/4/1", "平成17年4月1日", "2005/02/30", ""})
        QTest::newRow(bad) << QString::fromUtf8(bad) << QStringList(5);
}

void ProfileLogicTest::calendar()
{
    QFETCH(QString, birth);
    QFETCH(QStringList, dates);
    const QList<LifeEventRow> rows = lifeEvents(birth, QDate(2026, 12, 6));
    QCOMPARE(rows.size(), LifeEventCount);
    const int shown[] = {1, 3, 8, 9, 11};
    for (int k = 0; k < 5; ++k)
        QCOMPARE(rows[shown[k] - 1].date, dates[k]);
    QCOMPARE(rows[9].date, rows[11].date); // お宮参り and 内祝い: both birth + 30 days
    QCOMPARE(rows[0].days.isEmpty(), dates[0].isEmpty());

    // Counted from today: the day itself, the day after, and a day to come.
    const QDate nanaya(2026, 3, 7); // お七夜 of a child born 2026/03/01
    const auto row = [](QDate today, int i) {
        return lifeEvents(QStringLiteral("2026/03/01"), today)[i - 1];
    };
    QCOMPARE(row(nanaya, 9).days + row(nanaya, 9).suffix, QStringLiteral("0本日"));
    QCOMPARE(row(nanaya.addDays(1), 9).days + row(nanaya.addDays(1), 9).suffix, QStringLiteral("1日経過"));
    QCOMPARE(row(nanaya, 10).days + row(nanaya, 10).suffix, QStringLiteral("24日後"));
}

QTEST_GUILESS_MAIN(ProfileLogicTest)
#include "profile_logic_test.moc"
