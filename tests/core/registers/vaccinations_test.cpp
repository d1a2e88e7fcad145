// The standard vaccination dates from the birth date: month ends, leap days, the school-year
// rules for April 1 and April 2 births, doses counted from an earlier dose.
#include "core/registers/vaccinations.h"

#include <QtTest>

class VaccinationsTest : public QObject
{
    Q_OBJECT
private slots:
    void shippedTableReads();
    void datesFromTheBirth_data();
    void datesFromTheBirth();
    void choicesAndRefusals();
    void periodAndStatus_data();
    void periodAndStatus();
    void seriesOfTheirYears();
};

void VaccinationsTest::shippedTableReads()
{
    const vaccinations::Table &t = vaccinations::shippedTable();
    QVERIFY2(t.error.isEmpty(), qPrintable(t.error));
    QVERIFY(t.source.contains(QStringLiteral("厚生労働省")));
    QCOMPARE(t.doses.size(), 45);
    QVERIFY(t.contents.value(QStringLiteral("5種混合")).contains(QStringLiteral("Hib")));
    // Every routine dose has its period, and the day it ends is said in words.
    for (const vaccinations::Dose &d : t.doses)
        if (d.routine)
            QVERIFY2(vaccinations::ageDay(QDate(2025, 1, 1), d.allowedFrom).isValid() &&
                         !vaccinations::lastDayText(d.allowedUntil).isEmpty(),
                     qPrintable(d.id));
}

void VaccinationsTest::datesFromTheBirth_data()
{
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QDate>("expected");
    const QDate jan31(2025, 1, 31), leap(2024, 2, 29);
    QTest::newRow("31 Jan +2 months") << jan31 << "dpt-1" << QDate(2025, 3, 31);
    QTest::newRow("31 Jan +5 months: June has 30") << jan31 << "bcg" << QDate(2025, 6, 30);
    QTest::newRow("31 Jan +7 months") << jan31 << "hepb-3" << QDate(2025, 8, 31);
    QTest::newRow("29 Feb +1 year") << leap << "pcv-4" << QDate(2025, 2, 28);
    QTest::newRow("booster a year after the 3rd dose") << leap << "dpt-4" << QDate(2025, 6, 29);
    QTest::newRow("31 Aug +18 months") << QDate(2025, 8, 31) << "var-2" << QDate(2027, 2, 28);
    QTest::newRow("4 weeks after the 1st dose") << QDate(2020, 1, 10) << "je-2" << QDate(2023, 2, 7);
    QTest::newRow("born 1 April: a school year earlier") << QDate(2019, 4, 1) << "mr-2" << QDate(2024, 4, 1);
    QTest::newRow("born 2 April") << QDate(2019, 4, 2) << "mr-2" << QDate(2025, 4, 1);
    QTest::newRow("born in March") << QDate(2020, 3, 31) << "mumps-2" << QDate(2025, 4, 1);
    QTest::newRow("junior high, born 2 April") << QDate(2019, 4, 2) << "hpv" << QDate(2032, 4, 1);
    QTest::newRow("the first MR 2期") << QDate(2000, 4, 2) << "mr-2" << QDate(2006, 4, 1);
}

void VaccinationsTest::datesFromTheBirth()
{
    QFETCH(QDate, birth);
    QFETCH(QString, id);
    QFETCH(QDate, expected);
    for (const vaccinations::Planned &p : vaccinations::plan(vaccinations::shippedTable(), birth, {false, true}))
        if (p.dose.id == id) {
            QCOMPARE(p.date, expected);
            return;
        }
    QFAIL("the dose is not in the plan");
}

void VaccinationsTest::choicesAndRefusals()
{
    QCOMPARE(vaccinations::addMonthsClamped(QDate(2025, 1, 31), 1), QDate(2025, 2, 28));
    QCOMPARE(vaccinations::addMonthsClamped(QDate(2024, 1, 31), 1), QDate(2024, 2, 29));
    auto ids = [](const vaccinations::Options &o) {
        QStringList out;
        for (const vaccinations::Planned &p : vaccinations::plan(vaccinations::shippedTable(), QDate(2025, 5, 1), o))
            out.append(p.dose.id);
        return out;
    };
    const QStringList boyOne = ids({false, false});
    QVERIFY(boyOne.contains("rota1-2") && !boyOne.contains("rota5-1") && !boyOne.contains("hpv"));
    const QStringList girlFive = ids({true, true});
    QVERIFY(girlFive.contains("rota5-3") && !girlFive.contains("rota1-1") && girlFive.contains("hpv"));
    const vaccinations::Planned first = vaccinations::plan(vaccinations::shippedTable(), QDate(2025, 5, 1), {}).value(2);
    QCOMPARE(first.text, QStringLiteral("予防接種：5種混合 1期1回目"));
    QVERIFY(vaccinations::birthRefusal(QString(), QDate(2026, 12, 8)).contains(QStringLiteral("生年月日が登録されていない")));
    QVERIFY(vaccinations::birthRefusal(QStringLiteral("2027/01/01"), QDate(2026, 12, 8)).contains(QStringLiteral("今日より後")));
    QCOMPARE(vaccinations::birthRefusal(QStringLiteral("2026/12/08"), QDate(2026, 12, 8)), QString());
    // The sample notebook's child (ももちゃん, born 1995/02/15, a girl), for the record.
    for (const vaccinations::Planned &p : vaccinations::plan(vaccinations::shippedTable(), QDate(1995, 2, 15), {false, true}))
        qInfo("%s %s", qPrintable(p.date.toString(QStringLiteral("yyyy/MM/dd"))), qPrintable(p.text));
}

// Children born on chosen dates, on a chosen day: the dose's schedule text and date, its
// routine period, and where it stands.
void VaccinationsTest::periodAndStatus_data()
{
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("hpvThree");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("period");
    QTest::addColumn<QString>("status");
    QTest::newRow("MR 1期 at 20 months: late, allowed to the 2nd birthday")
        << QDate(2025, 4, 10) << QDate(2026, 12, 10) << false << "mr-1"
        << "予防接種：MR（麻しん風しん） 1期" << QDate(2026, 4, 10)
        << "対象期間 2026/04/10〜2027/04/09（2歳の誕生日の前日まで）"
        << "標準の時期を 244 日過ぎています。2027/04/09（2歳の誕生日の前日）まで受けられます";
    QTest::newRow("MR 1期 after the 2nd birthday")
        << QDate(2025, 4, 10) << QDate(2027, 4, 10) << false << "mr-1"
        << "予防接種：MR（麻しん風しん） 1期" << QDate(2026, 4, 10)
        << "対象期間 2026/04/10〜2027/04/09（2歳の誕生日の前日まで）"
        << "定期接種の対象期間が過ぎています（2027/04/09、2歳の誕生日の前日まで）";
    QTest::newRow("5種混合, the first births") << QDate(2024, 2, 1) << QDate(2024, 3, 1) << false << "dpt-1"
                                               << "予防接種：5種混合 1期1回目" << QDate(2024, 4, 1)
                                               << "対象期間 2024/04/01〜2031/07/31（7歳6か月になる前日まで）"
                                               << "あと 31 日";
    QTest::newRow("4種混合 booster due after 5種混合 began")
        << QDate(2024, 1, 31) << QDate(2024, 3, 31) << false << "dpt4-4"
        << "予防接種：4種混合 1期追加" << QDate(2025, 5, 31)
        << "対象期間 2024/03/31〜2031/07/30（7歳6か月になる前日まで）"
        << "あと 426 日";
    QTest::newRow("Hib beside 4種混合, its 3rd dose within the first year")
        << QDate(2024, 1, 31) << QDate(2024, 5, 31) << false << "hib-3"
        << "予防接種：Hib（ヒブ） 3回目" << QDate(2024, 5, 31)
        << "対象期間 2024/03/31〜2025/01/30（1歳の誕生日の前日まで）"
        << "今日";
    QTest::newRow("4種混合 from three months, before 2023")
        << QDate(2022, 6, 15) << QDate(2022, 9, 1) << false << "dpt3-1"
        << "予防接種：4種混合 1期1回目" << QDate(2022, 9, 15)
        << "対象期間 2022/09/15〜2029/12/14（7歳6か月になる前日まで）"
        << "あと 14 日";
    QTest::newRow("rota: the 1st dose by 14 weeks 6 days")
        << QDate(2025, 1, 1) << QDate(2025, 4, 20) << false << "rota1-1"
        << "予防接種：ロタウイルス（1価） 1回目" << QDate(2025, 3, 1)
        << "対象期間 2025/02/12〜2025/04/15（出生14週6日後まで）"
        << "定期接種の対象期間が過ぎています（2025/04/15、出生14週6日後まで）";
    QTest::newRow("rota: the 2nd dose to 24 weeks")
        << QDate(2025, 1, 1) << QDate(2025, 4, 20) << false << "rota1-2"
        << "予防接種：ロタウイルス（1価） 2回目" << QDate(2025, 4, 1)
        << "対象期間 2025/02/12〜2025/06/18（出生24週0日後まで）"
        << "標準の時期を 19 日過ぎています。2025/06/18（出生24週0日後）まで受けられます";
    QTest::newRow("MR 2期: the year before school")
        << QDate(2019, 4, 1) << QDate(2024, 3, 1) << false << "mr-2"
        << "予防接種：MR（麻しん風しん） 2期" << QDate(2024, 4, 1)
        << "対象期間 2024/04/01〜2025/03/31（小学校入学前の3月31日まで）"
        << "あと 31 日";
    QTest::newRow("HPV in two: the 1st before the 15th birthday")
        << QDate(2012, 5, 10) << QDate(2025, 4, 1) << false << "hpv"
        << "予防接種：HPV（子宮頸がん予防） 1回目" << QDate(2025, 4, 1)
        << "対象期間 2024/04/01〜2027/05/09（15歳の誕生日の前日まで）"
        << "今日";
    QTest::newRow("HPV in two: the 2nd") << QDate(2012, 5, 10) << QDate(2025, 4, 1) << false << "hpv-2"
                                         << "予防接種：HPV（子宮頸がん予防） 2回目" << QDate(2025, 10, 1)
                                         << "対象期間 2024/04/01〜2029/03/31（高校1年生の3月31日まで）"
                                         << "あと 183 日";
    QTest::newRow("HPV in three: the 3rd") << QDate(2012, 5, 10) << QDate(2025, 4, 1) << true << "hpv3-3"
                                           << "予防接種：HPV（子宮頸がん予防） 3回目" << QDate(2025, 10, 1)
                                           << "対象期間 2024/04/01〜2029/03/31（高校1年生の3月31日まで）"
                                           << "あと 183 日";
    QTest::newRow("optional: no period") << QDate(2019, 4, 1) << QDate(2024, 5, 1) << false << "mumps-2"
                                         << "予防接種：おたふくかぜ 2回目" << QDate(2024, 4, 1) << ""
                                         << "30 日前";
}

void VaccinationsTest::periodAndStatus()
{
    QFETCH(QDate, birth);
    QFETCH(QDate, today);
    QFETCH(bool, hpvThree);
    QFETCH(QString, id);
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QFETCH(QString, period);
    QFETCH(QString, status);
    for (const vaccinations::Planned &p :
         vaccinations::plan(vaccinations::shippedTable(), birth, {false, true, hpvThree}))
        if (p.dose.id == id) {
            QCOMPARE(p.text, text);
            QCOMPARE(p.date, date);
            QCOMPARE(vaccinations::periodText(p), period);
            QCOMPARE(vaccinations::statusOf(p, today, false).text, status);
            QCOMPARE(vaccinations::statusOf(p, today, true).text, QStringLiteral("予定に入っています"));
            return;
        }
    QFAIL("the dose is not in the plan");
}

// Each child gets the series of the years it was born in: 5種混合, or 4種混合 with Hib before
// 5種混合 began, never both; HPV in two or three; a child older than the table is told how
// many doses were left out.
void VaccinationsTest::seriesOfTheirYears()
{
    auto texts = [](QDate birth, const vaccinations::Options &o) {
        QStringList out;
        for (const vaccinations::Planned &p : vaccinations::plan(vaccinations::shippedTable(), birth, o))
            out.append(p.text.mid(5));
        return out;
    };
    auto count = [](const QStringList &list, const QString &vaccine) {
        return int(
            std::count_if(list.begin(), list.end(), [&](const QString &t) { return t.startsWith(vaccine); }));
    };
    const QStringList after = texts(QDate(2024, 2, 1), {false, false, false});
    QCOMPARE(count(after, QStringLiteral("5種混合")), 4);
    QCOMPARE(count(after, QStringLiteral("4種混合")) + count(after, QStringLiteral("Hib")), 0);
    for (const QDate birth : {QDate(2024, 1, 31), QDate(2023, 1, 31), QDate(2013, 2, 1)}) {
        const QStringList before = texts(birth, {false, false, false});
        QCOMPARE(count(before, QStringLiteral("5種混合")), 0);
        QCOMPARE(count(before, QStringLiteral("4種混合")), 4);
        QCOMPARE(count(before, QStringLiteral("Hib")), 4);
    }
    QCOMPARE(count(texts(QDate(2012, 5, 10), {false, true, false}), QStringLiteral("HPV")), 2);
    QCOMPARE(count(texts(QDate(2012, 5, 10), {false, true, true}), QStringLiteral("HPV")), 3);
    QCOMPARE(count(texts(QDate(2012, 5, 10), {false, false, true}), QStringLiteral("HPV")), 0);
    QCOMPARE(vaccinations::leftOutByBirth(vaccinations::shippedTable(), QDate(2024, 2, 1), {}), 0);
    QCOMPARE(vaccinations::leftOutByBirth(vaccinations::shippedTable(), QDate(2023, 6, 1), {}), 0);
    // The sample's child (1995): only 2種混合 and the optional doses are in the table's years;
    // rota 2, 4種/5種 4, Hib 4, 小児用肺炎球菌 4, B型肝炎 3, BCG 1, MR 2, 水痘 2, 日本脳炎 4, HPV 2.
    QCOMPARE(texts(QDate(1995, 2, 15), {false, true, false}),
             (QStringList{"2種混合（DT） 2期", "おたふくかぜ 1回目", "おたふくかぜ 2回目"}));
    QCOMPARE(
        vaccinations::leftOutByBirth(vaccinations::shippedTable(), QDate(1995, 2, 15), {false, true, false}),
        28);
}

QTEST_GUILESS_MAIN(VaccinationsTest)
#include "vaccinations_test.moc"
