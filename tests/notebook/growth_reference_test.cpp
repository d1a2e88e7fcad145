// The WHO reference bands: the tables as compiled in, the length/height switch, percentiles,
// the band along the diary's days, the standing words and the age; 成長曲線.txt.
#include "common/cp932.h"
#include "notebook/growth_chart_store.h"
#include "notebook/growth_reference.h"

#include <QtTest>

class GrowthReferenceTest : public QObject
{
    Q_OBJECT
private slots:
    void lms_data();
    void lms();
    void percentiles();
    void band_data();
    void band();
    void standingWords_data();
    void standingWords();
    void standingText_data();
    void standingText();
    void ageText_data();
    void ageText();
    void settings_data();
    void settings();
};

// Expected L, M and S are the files' rows, or interpolated from them by hand; a NaN M means none.
void GrowthReferenceTest::lms_data()
{
    QTest::addColumn<GrowthMeasure>("kind");
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<double>("ageDays");
    QTest::addColumn<double>("l");
    QTest::addColumn<double>("m");
    QTest::addColumn<double>("s");
    const auto W = GrowthMeasure::Weight, H = GrowthMeasure::Height;
    const double none = qQNaN();
    QTest::newRow("boy weight birth") << W << Sex::Boy << 0.0 << 0.3487 << 3346.4 << 0.14602;
    QTest::newRow("boy weight 12 months") << W << Sex::Boy << 365.25 << 0.0644 << 9647.9 << 0.10925;
    QTest::newRow("boy weight 36 months") << W << Sex::Boy << 1095.75 << -0.0689 << 14342.9 << 0.12116;
    QTest::newRow("boy weight day 15") << W << Sex::Boy << 15.0 << 0.29005524 << 3900.5684 << 0.14007175;
    QTest::newRow("girl weight 60 months") << W << Sex::Girl << 1826.25 << -0.3518 << 18219.3 << 0.14821;
    QTest::newRow("boy length birth") << H << Sex::Boy << 0.0 << 1.0 << 49.8842 << 0.03795;
    QTest::newRow("boy day 730 lying") << H << Sex::Boy << 730.0 << 1.0 << 87.801725 << 0.034784415;
    QTest::newRow("boy 24 months standing") << H << Sex::Boy << 730.5 << 1.0 << 87.1161 << 0.03507;
    QTest::newRow("boy day 731 standing") << H << Sex::Boy << 731.0 << 1.0 << 87.13016 << 0.035075749;
    QTest::newRow("girl day 400") << H << Sex::Girl << 400.0 << 1.0 << 75.382534 << 0.034985503;
    QTest::newRow("before birth") << W << Sex::Boy << -1.0 << 0.0 << none << 0.0;
    QTest::newRow("past 60 months") << H << Sex::Girl << 1826.3 << 0.0 << none << 0.0;
    QTest::newRow("no sex") << W << Sex::None << 100.0 << 0.0 << none << 0.0;
}

void GrowthReferenceTest::lms()
{
    QFETCH(GrowthMeasure, kind);
    QFETCH(Sex, sex);
    QFETCH(double, ageDays);
    QFETCH(double, l);
    QFETCH(double, m);
    QFETCH(double, s);
    const std::optional<Lms> lms = referenceLms(kind, sex, ageDays);
    QCOMPARE(lms.has_value(), !qIsNaN(m));
    if (!lms)
        return;
    QVERIFY2(qAbs(lms->l - l) < 1e-6, qPrintable(QString::number(lms->l)));
    QVERIFY2(qAbs(lms->m - m) < 1e-4, qPrintable(QString::number(lms->m, 'f', 6)));
    QVERIFY2(qAbs(lms->s - s) < 1e-8, qPrintable(QString::number(lms->s)));
}

void GrowthReferenceTest::percentiles()
{
    for (const auto &[z, percentile] :
         {std::pair{-1.8808, 3.0}, {1.8808, 97.0}, {-1.0, 15.8655}, {2.0, 97.725}})
        QVERIFY2(qAbs(percentileOfZ(z) - percentile) < 1e-3, qPrintable(QString::number(z)));
    // P3 and P97 of a boy at birth against WHO's published 2.5 and 4.3 kg; L = 0 uses exp.
    const Lms birth = *referenceLms(GrowthMeasure::Weight, Sex::Boy, 0);
    QCOMPARE(qRound(lmsValue(birth, ZP3)), 2507);
    QCOMPARE(qRound(lmsValue(birth, ZP97)), 4350);
    QCOMPARE(lmsValue({0, 10, 0.1}, 1), 10 * std::exp(0.1));
    QCOMPARE(*lmsZScore({0, 10, 0.1}, 12), std::log(1.2) / 0.1);
    QCOMPARE(lmsZScore(birth, 0), std::nullopt);
}

void GrowthReferenceTest::band_data()
{
    QTest::addColumn<int>("firstDayAge"); // age of diary day 1
    QTest::addColumn<bool>("hasBirth");
    QTest::addColumn<int>("days");
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<int>("firstX");
    QTest::addColumn<int>("points");
    QTest::newRow("from birth, three years") << 0 << true << 1095 << Sex::Boy << 0 << 1095;
    QTest::newRow("no birth date") << 50 << false << 4 << Sex::Boy << 0 << 4;
    QTest::newRow("diary begins before birth") << -10 << true << 20 << Sex::Boy << 10 << 10;
    QTest::newRow("tables end at day 1826") << 1820 << true << 100 << Sex::Boy << 0 << 7;
    QTest::newRow("past the tables") << 1827 << true << 10 << Sex::Girl << 0 << 0;
    QTest::newRow("no sex") << 0 << true << 10 << Sex::None << 0 << 0;
}

void GrowthReferenceTest::band()
{
    QFETCH(int, firstDayAge);
    QFETCH(bool, hasBirth);
    QFETCH(int, days);
    QFETCH(Sex, sex);
    QFETCH(int, firstX);
    QFETCH(int, points);
    const QDate birth(2020, 2, 1);
    const QDate first = birth.addDays(firstDayAge);
    const ReferenceBand band =
        referenceBand(GrowthMeasure::Weight, sex, first, days, hasBirth ? birth : QDate());
    QCOMPARE(band.p50.size(), points);
    QCOMPARE(band.p3.size(), points);
    if (points == 0)
        return;
    const QPointF p50 = band.p50.first();
    QCOMPARE(p50.x(), firstX);
    const int age = (hasBirth ? firstDayAge : 0) + firstX;
    QCOMPARE(p50.y(), referenceLms(GrowthMeasure::Weight, sex, age)->m);
    QCOMPARE(band.p97.last().x(), band.p50.last().x());
    QVERIFY(band.p3.last().y() < band.p50.last().y() && band.p50.last().y() < band.p97.last().y());
}

void GrowthReferenceTest::standingWords_data()
{
    QTest::addColumn<double>("z");
    QTest::addColumn<QString>("words");
    QTest::newRow("below P3") << -1.8808 << "3パーセンタイル未満";
    QTest::newRow("on P3") << ZP3 << "3パーセンタイル付近";
    QTest::newRow("3 side of 3|10") << -1.59 << "3パーセンタイル付近";
    QTest::newRow("10 side of 3|10") << -1.57 << "10パーセンタイル付近";
    QTest::newRow("25 side of 25|50") << -0.34 << "25パーセンタイル付近";
    QTest::newRow("50 side of 25|50") << -0.33 << "50パーセンタイル付近";
    QTest::newRow("75 side of 75|90") << 0.97 << "75パーセンタイル付近";
    QTest::newRow("90 side of 75|90") << 0.99 << "90パーセンタイル付近";
    QTest::newRow("on P97") << ZP97 << "97パーセンタイル付近";
    QTest::newRow("above P97") << 1.8808 << "97パーセンタイル超";
}

void GrowthReferenceTest::standingWords()
{
    QFETCH(double, z);
    QTEST(::standingWords(z), "words");
}

// Born 2023/1/15. A boy's P3 at birth is 2507.3 g and his P97 4349.9 g.
void GrowthReferenceTest::standingText_data()
{
    QTest::addColumn<GrowthMeasure>("kind");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("ageDays");
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<QString>("text");
    const auto W = GrowthMeasure::Weight;
    QTest::newRow("boy at one year") << W << 9650.0 << 365 << Sex::Boy
                                     << "体重 9,650 g：50パーセンタイル付近（1歳0か月）";
    QTest::newRow("girl's height") << GrowthMeasure::Height << 75.2 << 427 << Sex::Girl
                                   << "身長 75.2 cm：25パーセンタイル付近（1歳2か月）";
    QTest::newRow("under P3") << W << 2505.0 << 0 << Sex::Boy << "体重 2,505 g：3パーセンタイル未満（0か月）";
    QTest::newRow("over P3") << W << 2510.0 << 0 << Sex::Boy << "体重 2,510 g：3パーセンタイル付近（0か月）";
    QTest::newRow("over P97") << W << 4351.0 << 0 << Sex::Boy << "体重 4,351 g：97パーセンタイル超（0か月）";
    QTest::newRow("no sex") << W << 9650.0 << 365 << Sex::None << "";
    QTest::newRow("past 60 months") << W << 18000.0 << 1827 << Sex::Boy << "";
    QTest::newRow("before birth") << W << 3000.0 << -1 << Sex::Boy << "";
}

void GrowthReferenceTest::standingText()
{
    QFETCH(GrowthMeasure, kind);
    QFETCH(double, value);
    QFETCH(int, ageDays);
    QFETCH(Sex, sex);
    const QDate birth(2023, 1, 15);
    QTEST(::standingText(kind, value, birth, birth.addDays(ageDays), sex), "text");
}

void GrowthReferenceTest::ageText_data()
{
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QDate>("on");
    QTest::addColumn<QString>("text");
    QTest::newRow("birth day") << QDate(2024, 1, 31) << QDate(2024, 1, 31) << "0か月";
    QTest::newRow("short month, not yet") << QDate(2024, 1, 31) << QDate(2024, 2, 28) << "0か月";
    QTest::newRow("short month, complete") << QDate(2024, 1, 31) << QDate(2024, 2, 29) << "1か月";
    QTest::newRow("eve of the birthday") << QDate(2023, 1, 15) << QDate(2024, 1, 14) << "11か月";
    QTest::newRow("birthday of 365 days") << QDate(2023, 1, 15) << QDate(2024, 1, 15) << "1歳0か月";
    QTest::newRow("1歳2か月") << QDate(2023, 1, 15) << QDate(2024, 3, 15) << "1歳2か月";
    QTest::newRow("4歳11か月") << QDate(2020, 1, 1) << QDate(2024, 12, 31) << "4歳11か月";
    QTest::newRow("before birth") << QDate(2024, 1, 2) << QDate(2024, 1, 1) << "";
}

void GrowthReferenceTest::ageText()
{
    QFETCH(QDate, birth);
    QFETCH(QDate, on);
    QTEST(::ageText(birth, on), "text");
}

void GrowthReferenceTest::settings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<bool>("bands");
    QTest::addColumn<QByteArray>("written"); // what the parsed settings are saved as
    const QByteArray shown = "\x95W\x8f\x80\x8b\xc8\x90\xfc\x95\\\x8e\xa6\r\n"; // 標準曲線表示
    const QByteArray hidden = "\x95W\x8f\x80\x8b\xc8\x90\xfc\x94\xf1\x95\\\x8e\xa6\r\n";
    const QByteArray girl = "\x8f\x97\x82\xcc\x8eq"; // 女の子
    const QByteArray boy = "\x92j\x82\xcc\x8eq";
    QTest::newRow("absent") << QByteArray() << Sex::None << true << "\r\n" + shown;
    QTest::newRow("girl, bands") << girl + "\r\n" + shown << Sex::Girl << true << girl + "\r\n" + shown;
    QTest::newRow("boy, no bands") << boy + "\r\n" + hidden << Sex::Boy << false << boy + "\r\n" + hidden;
    QTest::newRow("no sex, no bands") << "\r\n" + hidden << Sex::None << false << "\r\n" + hidden;
    QTest::newRow("sex line only, LF") << girl + "\n" << Sex::Girl << true << girl + "\r\n" + shown;
    QTest::newRow("garbage") << QByteArray("\xff\xfe"
                                           "1\r\n0\r\n")
                             << Sex::None << true << "\r\n" + shown;
}

void GrowthReferenceTest::settings()
{
    QFETCH(QByteArray, bytes);
    const GrowthChartSettings s = parseGrowthChartSettings(bytes);
    QTEST(s.sex, "sex");
    QTEST(s.bands, "bands");
    QTEST(cp932::encode(growthChartSettingsText(s)).bytes, "written");
}

QTEST_GUILESS_MAIN(GrowthReferenceTest)
#include "growth_reference_test.moc"
