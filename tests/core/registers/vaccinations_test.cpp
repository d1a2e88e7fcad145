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
};

void VaccinationsTest::shippedTableReads()
{
    const vaccinations::Table &t = vaccinations::shippedTable();
    QVERIFY2(t.error.isEmpty(), qPrintable(t.error));
    QVERIFY(t.source.contains(QStringLiteral("厚生労働省")));
    QCOMPARE(t.doses.size(), 29);
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
    QTest::newRow("the sample's child") << QDate(1995, 2, 15) << "mr-2" << QDate(2000, 4, 1);
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

QTEST_GUILESS_MAIN(VaccinationsTest)
#include "vaccinations_test.moc"
