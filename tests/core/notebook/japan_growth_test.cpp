// The handbook's curves of 2023: the compiled table against its CSV in data/japan-growth, the
// band's values at the middle of their ages and straight between, the standing words at the
// 3rd and 97th lines, and the band along the diary's days.
#include "core/notebook/growth_reference.h"
#include "core/notebook/japan_growth.h"

#include <QtTest>

class JapanGrowthTest : public QObject
{
    Q_OBJECT
private slots:
    void everyRowOfTheCsv();
    void curve_data();
    void curve();
    void standing_data();
    void standing();
    void band();
};

// Every row of the CSV is a point of its curve, at its day or its band's middle, with its seven
// values in grams or centimetres.
void JapanGrowthTest::everyRowOfTheCsv()
{
    QFile csv(QStringLiteral(TECHO_JAPAN_GROWTH_CSV));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 73);
    for (const QString &line : lines.mid(1)) {
        const QStringList f = line.trimmed().split(u',');
        const bool weight = f[0] == u"weight"_qs;
        const GrowthMeasure kind = weight ? GrowthMeasure::Weight : GrowthMeasure::Height;
        const Sex sex = f[2] == u"male"_qs ? Sex::Boy : Sex::Girl;
        const double age =
            f[3] == u"point"_qs ? f[4].toDouble() : (f[5].toDouble() + f[6].toDouble()) / 2 * 30.4375;
        const std::optional<std::array<double, 7>> got = japanPercentiles(kind, sex, age);
        QVERIFY2(got, qPrintable(line));
        for (int i = 0; i < 7; ++i)
            QVERIFY2(qAbs((*got)[i] - f[8 + i].toDouble() * (weight ? 1000 : 1)) < 1e-9, qPrintable(line));
    }
    QCOMPARE(japanCurve(GrowthMeasure::Weight, Sex::Girl).size(), 18);
}

// Values as the survey gives them, and between its points by hand.
void JapanGrowthTest::curve_data()
{
    QTest::addColumn<GrowthMeasure>("kind");
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<double>("ageDays");
    QTest::addColumn<int>("line");     // index into 3, 10, 25, 50, 75, 90, 97
    QTest::addColumn<double>("value"); // NaN: none
    const auto W = GrowthMeasure::Weight, H = GrowthMeasure::Height;
    const double none = qQNaN();
    QTest::newRow("boy weight P3 at birth") << W << Sex::Boy << 0.0 << 0 << 2320.0;
    QTest::newRow("girl length P97 day 30") << H << Sex::Girl << 30.0 << 6 << 55.7;
    QTest::newRow("boy weight P50 1〜2か月 at 1.5 months") << W << Sex::Boy << 45.65625 << 3 << 4800.0;
    QTest::newRow("boy weight P50 day 38") << W << Sex::Boy << 38.0 << 3 << 4150 + 650 * 8 / 15.65625;
    QTest::newRow("girl weight P10 1歳0〜6か月 at 15 months") << W << Sex::Girl << 456.5625 << 1 << 7980.0;
    QTest::newRow("boy length P25 halfway 6〜7|7〜8")
        << H << Sex::Boy << 7 * 30.4375 << 2 << (66.1 + 67.3) / 2;
    QTest::newRow("girl length P50 last middle") << H << Sex::Girl << 39 * 30.4375 << 3 << 93.2;
    QTest::newRow("after the last middle") << H << Sex::Girl << 39 * 30.4375 + 0.5 << 3 << none;
    QTest::newRow("before birth") << W << Sex::Boy << -1.0 << 0 << none;
    QTest::newRow("no sex") << W << Sex::None << 100.0 << 3 << none;
}

void JapanGrowthTest::curve()
{
    QFETCH(GrowthMeasure, kind);
    QFETCH(Sex, sex);
    QFETCH(double, ageDays);
    QFETCH(int, line);
    QFETCH(double, value);
    const std::optional<std::array<double, 7>> got = japanPercentiles(kind, sex, ageDays);
    QCOMPARE(got.has_value(), !qIsNaN(value));
    if (got)
        QVERIFY2(qAbs((*got)[line] - value) < 1e-9, qPrintable(QString::number((*got)[line], 'g', 12)));
}

// A boy at birth: P3 2,320 g, P97 3,810 g; a girl at day 30: length P3 48.5, P97 55.7 cm.
void JapanGrowthTest::standing_data()
{
    QTest::addColumn<GrowthMeasure>("kind");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("ageDays");
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<QString>("text");
    const auto W = GrowthMeasure::Weight, H = GrowthMeasure::Height;
    QTest::newRow("under P3") << W << 2319.0 << 0 << Sex::Boy
                              << u"体重 2,319 g：3パーセンタイル未満（0か月）"_qs;
    QTest::newRow("on P3") << W << 2320.0 << 0 << Sex::Boy
                           << u"体重 2,320 g：3〜97パーセンタイルの間（0か月）"_qs;
    QTest::newRow("on P97") << W << 3810.0 << 0 << Sex::Boy
                            << u"体重 3,810 g：3〜97パーセンタイルの間（0か月）"_qs;
    QTest::newRow("over P97") << W << 3811.0 << 0 << Sex::Boy
                              << u"体重 3,811 g：97パーセンタイルを超える（0か月）"_qs;
    QTest::newRow("length under P3") << H << 48.4 << 30 << Sex::Girl
                                     << u"身長 48.4 cm：3パーセンタイル未満（0か月）"_qs;
    QTest::newRow("length on P3") << H << 48.5 << 30 << Sex::Girl
                                  << u"身長 48.5 cm：3〜97パーセンタイルの間（0か月）"_qs;
    QTest::newRow("length over P97") << H << 55.8 << 30 << Sex::Girl
                                     << u"身長 55.8 cm：97パーセンタイルを超える（0か月）"_qs;
    QTest::newRow("past the curves") << W << 14000.0 << 1200 << Sex::Boy << QString();
    QTest::newRow("no sex") << W << 3000.0 << 0 << Sex::None << QString();
}

void JapanGrowthTest::standing()
{
    QFETCH(GrowthMeasure, kind);
    QFETCH(double, value);
    QFETCH(int, ageDays);
    QFETCH(Sex, sex);
    const QDate birth(2024, 5, 1);
    QTEST(standingText(kind, value, birth, birth.addDays(ageDays), sex, GrowthReference::Japan2023), "text");
}

// A diary from day 20 for four years: the band runs to the last middle (day 1187) and its 50th
// line is the curve's; the WHO's runs on to 60 months.
void JapanGrowthTest::band()
{
    const QDate birth(2022, 4, 1);
    const ReferenceBand japan = referenceBand(GrowthMeasure::Height, Sex::Boy, birth.addDays(20), 1461, birth,
                                              GrowthReference::Japan2023);
    QCOMPARE(japan.p50.size(), 1187 - 20 + 1);
    QCOMPARE(japan.p3.first(), QPointF(0, 45.2 + (49.2 - 45.2) * 20 / 30));
    QCOMPARE(japan.p97.last().x(), 1167.0);
    QCOMPARE(japan.p50.at(10).y(), 53.4); // day 30
    const ReferenceBand who = referenceBand(GrowthMeasure::Height, Sex::Boy, birth.addDays(20), 1461, birth,
                                            GrowthReference::Who2006);
    QCOMPARE(who.p50.size(), 1461);
    QCOMPARE(referenceSourceText(GrowthReference::Japan2023),
             u"「令和5年乳幼児身体発育調査」（こども家庭庁）をもとに作成"_qs);
}

QTEST_GUILESS_MAIN(JapanGrowthTest)
#include "japan_growth_test.moc"
