// The WHO reference bands: the tables as compiled in, the length/height switch, percentiles,
// the band along the diary's days, the standing text with its age; 成長曲線.txt.
#include "core/notebook/growth_chart_store.h"
#include "core/notebook/growth_reference.h"
#include "core/text/cp932.h"

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
    void standingText_data();
    void standingText();
    void settings_data();
    void settings();
};

// L, M, S as the files' rows give them, or interpolated from the rows by hand; empty: none.
void GrowthReferenceTest::lms_data()
{
    QTest::addColumn<GrowthMeasure>("kind");
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<double>("ageDays");
    QTest::addColumn<QList<double>>("lms");
    const auto W = GrowthMeasure::Weight, H = GrowthMeasure::Height;
    QTest::newRow("boy weight birth") << W << Sex::Boy << 0.0 << QList{0.3487, 3346.4, 0.14602};
    QTest::newRow("boy weight 12 months") << W << Sex::Boy << 365.25 << QList{0.0644, 9647.9, 0.10925};
    QTest::newRow("boy weight 36 months") << W << Sex::Boy << 1095.75 << QList{-0.0689, 14342.9, 0.12116};
    QTest::newRow("girl weight 60 months") << W << Sex::Girl << 1826.25 << QList{-0.3518, 18219.3, 0.14821};
    QTest::newRow("boy length birth") << H << Sex::Boy << 0.0 << QList{1.0, 49.8842, 0.03795};
    QTest::newRow("day 730 lying") << H << Sex::Boy << 730.0 << QList{1.0, 87.8017246, 0.0347844148};
    QTest::newRow("24 months standing") << H << Sex::Boy << 730.5 << QList{1.0, 87.1161, 0.03507};
    QTest::newRow("before birth") << W << Sex::Boy << -1.0 << QList<double>();
    QTest::newRow("past 60 months") << H << Sex::Girl << 1826.3 << QList<double>();
}

void GrowthReferenceTest::lms()
{
    QFETCH(GrowthMeasure, kind);
    QFETCH(Sex, sex);
    QFETCH(double, ageDays);
    QFETCH(QList<double>, lms);
    const std::optional<Lms> got = referenceLms(kind, sex, ageDays);
    QCOMPARE(got.has_value(), !lms.isEmpty());
    if (got)
        for (const auto &[value, expected] : {std::pair{got->l, lms[0]}, {got->m, lms[1]}, {got->s, lms[2]}})
            QVERIFY2(qAbs(value - expected) <= 1e-7 * qAbs(expected),
                     qPrintable(QString::number(value, 'g', 10)));
}

void GrowthReferenceTest::percentiles()
{
    for (const auto &[z, percentile] :
         {std::pair{-1.8808, 3.0}, {1.8808, 97.0}, {-1.0, 15.8655}, {2.0, 97.725}})
        QVERIFY2(qAbs(percentileOfZ(z) - percentile) < 1e-3, qPrintable(QString::number(z)));
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
    QTest::newRow("no birth date") << 50 << false << 4 << Sex::Girl << 0 << 4;
    QTest::newRow("diary begins before birth") << -10 << true << 20 << Sex::Boy << 10 << 10;
    QTest::newRow("tables end at day 1826") << 1820 << true << 100 << Sex::Boy << 0 << 7;
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
    const ReferenceBand band = referenceBand(GrowthMeasure::Weight, sex, birth.addDays(firstDayAge), days,
                                             hasBirth ? birth : QDate());
    QCOMPARE(QList({band.p3.size(), band.p50.size(), band.p97.size()}), QList<qsizetype>(3, points));
    QCOMPARE(band.p50.first().x(), firstX);
    const Lms first = *referenceLms(GrowthMeasure::Weight, sex, hasBirth ? firstDayAge + firstX : 0);
    QCOMPARE(band.p50.first().y(), first.m);
}

// Born 2023/1/15 or 2024/1/31. A boy at birth: P3 2507.3 g, midway P3|P10 2630.5 g, midway
// P25|P50 3184.2 g, P97 4349.9 g.
void GrowthReferenceTest::standingText_data()
{
    QTest::addColumn<GrowthMeasure>("kind");
    QTest::addColumn<double>("value");
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QDate>("on");
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<QString>("text");
    const auto W = GrowthMeasure::Weight;
    const QDate b(2023, 1, 15), b31(2024, 1, 31);
    const auto atBirth = [&](const char *name, double grams, const char *text) {
        QTest::newRow(name) << W << grams << b << b << Sex::Boy << QString::fromUtf8(text);
    };
    atBirth("under P3", 2505, "体重 2,505 g：3パーセンタイル未満（0か月）");
    atBirth("over P3", 2510, "体重 2,510 g：3パーセンタイル付近（0か月）");
    atBirth("P3 side of P3|P10", 2628, "体重 2,628 g：3パーセンタイル付近（0か月）");
    atBirth("P10 side of P3|P10", 2633, "体重 2,633 g：10パーセンタイル付近（0か月）");
    atBirth("P25 side of P25|P50", 3184, "体重 3,184 g：25パーセンタイル付近（0か月）");
    atBirth("P50 side of P25|P50", 3185, "体重 3,185 g：50パーセンタイル付近（0か月）");
    atBirth("under P97", 4349, "体重 4,349 g：97パーセンタイル付近（0か月）");
    atBirth("over P97", 4351, "体重 4,351 g：97パーセンタイル超（0か月）");
    QTest::newRow("365-day birthday") << W << 9650.0 << b << QDate(2024, 1, 15) << Sex::Boy
                                      << "体重 9,650 g：50パーセンタイル付近（1歳0か月）";
    QTest::newRow("girl's height") << GrowthMeasure::Height << 75.2 << b << QDate(2024, 3, 18) << Sex::Girl
                                   << "身長 75.2 cm：25パーセンタイル付近（1歳2か月）";
    QTest::newRow("born 31st, Feb 29") << W << 4000.0 << b31 << QDate(2024, 2, 29) << Sex::Girl
                                       << "体重 4,000 g：50パーセンタイル付近（1か月）";
    QTest::newRow("no sex") << W << 9650.0 << b << QDate(2024, 1, 15) << Sex::None << "";
    QTest::newRow("day 1827") << W << 18000.0 << b << b.addDays(1827) << Sex::Boy << "";
}

void GrowthReferenceTest::standingText()
{
    QFETCH(GrowthMeasure, kind);
    QFETCH(double, value);
    QFETCH(QDate, birth);
    QFETCH(QDate, on);
    QFETCH(Sex, sex);
    QTEST(::standingText(kind, value, birth, on, sex), "text");
}

// What a file is read as, shown by what it is written back as, after choosing the curves in
// `choose` (-1: as read). A file that never chose WHO keeps the two lines older copies wrote.
void GrowthReferenceTest::settings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("choose");
    QTest::addColumn<QByteArray>("written");
    const QByteArray shown = "\x95W\x8f\x80\x8b\xc8\x90\xfc\x95\\\x8e\xa6\r\n"; // 標準曲線表示
    const QByteArray hidden = "\x95W\x8f\x80\x8b\xc8\x90\xfc\x94\xf1\x95\\\x8e\xa6\r\n";
    const QByteArray girl = "\x8f\x97\x82\xcc\x8eq\r\n", boy = "\x92j\x82\xcc\x8eq\r\n"; // 女の子, 男の子
    const QByteArray who = "WHO\x90\xac\x92\xb7\x8b\xc8\x90\xfc\r\n";                    // WHO成長曲線
    const QByteArray japan =
        "\x97\xdf\x98\x61\x35\x94N\x94\xad\x88\xe7\x8b\xc8\x90\xfc\r\n"; // 令和5年発育曲線
    const int asRead = -1, J = int(GrowthReference::Japan2023), W = int(GrowthReference::Who2006);
    QTest::newRow("absent") << QByteArray() << asRead << "\r\n" + shown;
    QTest::newRow("girl, bands") << girl + shown << asRead << girl + shown;
    QTest::newRow("boy, no bands") << boy + hidden << asRead << boy + hidden;
    QTest::newRow("no sex, no bands") << "\r\n" + hidden << asRead << "\r\n" + hidden;
    QTest::newRow("sex line only, LF") << girl.chopped(2) + "\n" << asRead << girl + shown;
    QTest::newRow("garbage") << QByteArray("\xff\xfe 1\r\n0\r\n") << asRead << "\r\n" + shown;
    QTest::newRow("old file, WHO chosen") << girl + shown << W << girl + shown + who;
    QTest::newRow("WHO read") << boy + hidden + who << asRead << boy + hidden + who;
    QTest::newRow("WHO, handbook chosen") << boy + shown + who << J << boy + shown;
    QTest::newRow("unknown third line kept") << girl + shown + "x\r\n" << J << girl + shown + "x\r\n";
    QTest::newRow("later lines kept, WHO chosen") << girl + shown + japan + "\x81\x40more\r\n"
                                                  << W << girl + shown + who + "\x81\x40more\r\n";
    QTest::newRow("later lines keep a third") << girl + shown + who + "\xff\r\n"
                                              << J << girl + shown + japan + "\xff\r\n";
}

void GrowthReferenceTest::settings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, choose);
    GrowthChartSettings read = parseGrowthChartSettings(bytes);
    if (choose >= 0)
        read.reference = GrowthReference(choose);
    const QByteArray written = cp932::encode(growthChartSettingsText(read)).bytes;
    QTEST(written, "written");
    QVERIFY(parseGrowthChartSettings(written).sameChoices(read));
}

QTEST_GUILESS_MAIN(GrowthReferenceTest)
#include "growth_reference_test.moc"
