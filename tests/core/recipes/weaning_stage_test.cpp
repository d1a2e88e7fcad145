// The weaning stage by age: the day before and the day of each boundary, month ends, no birth
// date, a birth date still to come.
#include "core/recipes/weaning_stage.h"

#include <QtTest>

class WeaningStageTest : public QObject
{
    Q_OBJECT
private slots:
    void stageByAge_data();
    void stageByAge();
};

void WeaningStageTest::stageByAge_data()
{
    QTest::addColumn<QString>("birth");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stage");
    const QString b = QStringLiteral("2025/01/15");
    QTest::newRow("the day before 5 months") << b << QDate(2025, 6, 14) << "いまは 離乳食はまだ（生後4か月）" << "";
    QTest::newRow("5 months") << b << QDate(2025, 6, 15) << "いまは ゴックン期（生後5か月）" << "ゴックン期";
    QTest::newRow("the day before 7 months") << b << QDate(2025, 8, 14) << "いまは ゴックン期（生後6か月）" << "ゴックン期";
    QTest::newRow("7 months") << b << QDate(2025, 8, 15) << "いまは モグモグ期（生後7か月）" << "モグモグ期";
    QTest::newRow("9 months") << b << QDate(2025, 10, 15) << "いまは カミカミ期（生後9か月）" << "カミカミ期";
    QTest::newRow("the day before 1 year") << b << QDate(2026, 1, 14) << "いまは カミカミ期（生後11か月）" << "カミカミ期";
    QTest::newRow("1 year") << b << QDate(2026, 1, 15) << "いまは パクパク期（1歳）" << "パクパク期";
    QTest::newRow("the day before 18 months") << b << QDate(2026, 7, 14) << "いまは パクパク期（1歳5か月）" << "パクパク期";
    QTest::newRow("18 months") << b << QDate(2026, 7, 15) << "いまは 幼児食（1歳6か月）" << "";
    QTest::newRow("born 31st: 30 Jun is 5 months") << QStringLiteral("2025/01/31") << QDate(2025, 6, 30)
                                                  << "いまは ゴックン期（生後5か月）" << "ゴックン期";
    QTest::newRow("born 31st: 29 Jun is not yet") << QStringLiteral("2025/01/31") << QDate(2025, 6, 29)
                                                 << "いまは 離乳食はまだ（生後4か月）" << "";
    QTest::newRow("no birth date") << QString() << QDate(2025, 6, 15) << "" << "";
    QTest::newRow("born tomorrow") << b << QDate(2025, 1, 14) << "" << "";
}

void WeaningStageTest::stageByAge()
{
    QFETCH(QString, birth);
    QFETCH(QDate, today);
    QFETCH(QString, text);
    QFETCH(QString, stage);
    const WeaningStage s = weaningStageAt(birth, today);
    QCOMPARE(s.text, text);
    QCOMPARE(s.stage, stage);
}

QTEST_GUILESS_MAIN(WeaningStageTest)
#include "weaning_stage_test.moc"
