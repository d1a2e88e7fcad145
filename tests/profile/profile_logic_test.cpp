// The profile screen's decisions without widgets: the life-event calendar counted from a set
// today, the point goal typed in the goal field, and which values the profile file holds back.
#include "common/numbers.h"
#include "profile/life_events.h"
#include "profile/point_goal.h"
#include "profile/profile_store.h"

#include <QtTest>

class ProfileLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void calendar_data();
    void calendar();
    void countsFromToday();
    void pointGoals_data();
    void pointGoals();
    void valuesThatReadBack();
};

void ProfileLogicTest::calendar_data()
{
    QTest::addColumn<QString>("birth");
    QTest::addColumn<int>("early");
    QTest::addColumn<QStringList>("dates"); // rows 1 to 12, "" for none
    const QStringList none(LifeEventCount);
    QTest::newRow("1 April: a year earlier")
        << "2005/04/01" << 1
        << QStringList{"2008/04/01", "2011/03/01", "2011/04/01", "2017/03/01", "2017/04/01", "2020/03/01",
                       "2020/04/01", "2023/03/10", "2005/04/07", "2005/05/01", "2005/07/10", "2005/05/01"};
    QTest::newRow("2 April") << "2005/04/02" << 0
                             << QStringList{"2009/04/01", "2012/03/01", "2012/04/01", "2018/03/01",
                                            "2018/04/01", "2021/03/01", "2021/04/01", "2024/03/10",
                                            "2005/04/08", "2005/05/02", "2005/07/11", "2005/05/02"};
    QTest::newRow("31 December: over the year end")
        << "2005/12/31" << 0
        << QStringList{"2009/04/01", "2012/03/01", "2012/04/01", "2018/03/01", "2018/04/01", "2021/03/01",
                       "2021/04/01", "2024/03/10", "2006/01/06", "2006/01/30", "2006/04/10", "2006/01/30"};
    QTest::newRow("31 March") << "2005/03/31" << 1
                              << QStringList{"2008/04/01", "2011/03/01", "2011/04/01", "2017/03/01",
                                             "2017/04/01", "2020/03/01", "2020/04/01", "2023/03/10",
                                             "2005/04/06", "2005/04/30", "2005/07/09", "2005/04/30"};
    QTest::newRow("29 February") << "2004/02/29" << 1
                                 << QStringList{"2007/04/01", "2010/03/01", "2010/04/01", "2016/03/01",
                                                "2016/04/01", "2019/03/01", "2019/04/01", "2022/03/10",
                                                "2004/03/06", "2004/03/30", "2004/06/08", "2004/03/30"};
    // What the profile screen normally prevents: no dates and no counts rather than garbage.
    QTest::newRow("not padded") << "2005/4/1" << 0 << none;
    QTest::newRow("era") << "平成17年4月1日" << 0 << none;
    QTest::newRow("no such day") << "2005/02/30" << 1 << none;
    QTest::newRow("empty") << "" << 0 << none;
}

void ProfileLogicTest::calendar()
{
    QFETCH(QString, birth);
    QFETCH(int, early);
    QFETCH(QStringList, dates);
    QCOMPARE(earlyBorn(birth), early);
    const QList<LifeEventRow> rows = lifeEvents(birth, QDate(2026, 12, 6));
    QCOMPARE(rows.size(), LifeEventCount);
    for (int i = 0; i < LifeEventCount; ++i) {
        QCOMPARE(rows[i].date, dates[i]);
        QCOMPARE(rows[i].days.isEmpty(), dates[i].isEmpty());
        QCOMPARE(rows[i].suffix.isEmpty(), dates[i].isEmpty());
    }
}

void ProfileLogicTest::countsFromToday()
{
    // Born 2026/03/01, E = 1: kindergarten entry 2029/04/01; お七夜 2026/03/07, お宮参り 03/31.
    auto row = [](QDate today, int i) { return lifeEvents(QStringLiteral("2026/03/01"), today)[i - 1]; };
    const QDate nanaya(2026, 3, 7);
    QCOMPARE(row(nanaya, 9).days, QStringLiteral("0"));
    QCOMPARE(row(nanaya, 9).suffix, QStringLiteral("本日"));
    QCOMPARE(row(nanaya.addDays(1), 9).days, QStringLiteral("1"));
    QCOMPARE(row(nanaya.addDays(1), 9).suffix, QStringLiteral("日経過"));
    QCOMPARE(row(nanaya, 10).days, QStringLiteral("24"));
    QCOMPARE(row(nanaya, 10).suffix, QStringLiteral("日後"));
    QCOMPARE(row(nanaya, 1).days, QString::number(nanaya.daysTo(QDate(2029, 4, 1))));
    QCOMPARE(lifeEventName(3), QStringLiteral("小学校 入学"));
    QCOMPARE(lifeEventName(10), QStringLiteral("お宮参り"));
}

void ProfileLogicTest::pointGoals_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("goal"); // 0: refused
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << "200" << 200 << "200";
    QTest::newRow("as typed, unit and all") << "200P" << 200 << "200P";
    QTest::newRow("half to even") << "50.5" << 50 << "50.5";
    QTest::newRow("largest") << "32767" << 32767 << "32767";
    QTest::newRow("full-width: the file's reader would read 0") << "２００" << 200 << "200";
    QTest::newRow("comma: would shift the later lines") << "1,000" << 1 << "1";
    QTest::newRow("zero") << "0" << 0 << "";
    QTest::newRow("rounds to zero") << "0.4" << 0 << "";
    QTest::newRow("no number") << "abc" << 0 << "";
    QTest::newRow("empty") << "" << 0 << "";
    QTest::newRow("negative") << "-5" << 0 << "";
    QTest::newRow("too large") << "40000" << 0 << "";
}

void ProfileLogicTest::pointGoals()
{
    QFETCH(QString, typed);
    QFETCH(int, goal);
    QFETCH(QString, line);
    const PointGoal g = pointGoal(typed);
    QCOMPARE(g.targetPoint.value_or(0), goal);
    if (goal)
        QCOMPARE(g.lineText, line);
    QCOMPARE(pointText(120), QStringLiteral("120 P"));
    QCOMPARE(levelText(37.5f), QStringLiteral("37.5 %"));
    QCOMPARE(levelText(0.0f), QStringLiteral("0.0 %"));
}

void ProfileLogicTest::valuesThatReadBack()
{
    for (const char *whole : {"もも,ちゃん", "  もも", "もも ", "a\"b", "10時23分"})
        QVERIFY2(readsBackWhole(QString::fromUtf8(whole)), whole);
    for (const char *cut : {"\"もも", "も\"も,ちゃん", "も\"も ", "もも\nちゃん"})
        QVERIFY2(!readsBackWhole(QString::fromUtf8(cut)), cut);
    QCOMPARE(numericValue(asciiDigits(QStringLiteral("５０．５ｃｍ"))), 50.5);
    QCOMPARE(numericValue(asciiDigits(QStringLiteral("　－３"))), -3.0);
}

QTEST_GUILESS_MAIN(ProfileLogicTest)
#include "profile_logic_test.moc"
