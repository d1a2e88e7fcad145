// The growth series: interpolation with its single-precision slope and its rounding (grams,
// tenths of a centimetre), the cut after the last weight, the carried height, odd diaries;
// the export and list lines; the marks of the day axis.
#include "core/text/cp932.h"
#include "core/notebook/growth.h"
#include "generators.h"
#include "test_notebook.h"

#include <QtTest>

struct Measured {
    int offset; // days after the first day
    double height;
    int weight;
};
Q_DECLARE_METATYPE(Measured)

namespace {

DiaryTable diaryOf(QDate first, const QList<Measured> &days)
{
    DiaryTable t;
    for (const Measured &m : days)
        t.days().append({first.addDays(m.offset).toString(QStringLiteral("yyyy/MM/dd")), m.height,
                         qint16(m.weight), QStringLiteral("メモ")});
    return t;
}

template <class T> QList<T> tail(const QList<T> &column) // the values from index 1
{
    QList<T> v;
    for (qsizetype i = 1; i < column.size(); ++i)
        v.append(column[i]);
    return v;
}

} // namespace

class GrowthTest : public QObject
{
    Q_OBJECT
private slots:
    void build_data();
    void build();
    void datesRunDayByDay();
    void emptyDiaryEmptiesTheSeries();
    void capacityDiary();
    void diaryReachingPastCapacity();
    void exportAndListLines();
    void ageTicks_data();
    void ageTicks();
};

void GrowthTest::build_data()
{
    QTest::addColumn<QList<Measured>>("days");
    QTest::addColumn<QList<int>>("weights");
    QTest::addColumn<QList<double>>("heights");

    QTest::newRow("worked example") << QList<Measured>{{0, 50, 3000}, {3, 0, 3300}, {5, 52, 3400}}
                                    << QList<int>{3000, 3100, 3200, 3300, 3350, 3400}
                                    << QList<double>{50, 50.4, 50.8, 51.2, 51.6, 52};
    QTest::newRow("thirds") << QList<Measured>{{0, 0, 3000}, {3, 0, 3100}}
                            << QList<int>{3000, 3033, 3067, 3100} << QList<double>{0, 0, 0, 0};
    // 3001.5 rounds to 3002: halves go to the even neighbour. Heights keep their tenth.
    QTest::newRow("halves to even") << QList<Measured>{{0, 50, 3001}, {2, 51, 3002}}
                                    << QList<int>{3001, 3002, 3002} << QList<double>{50, 50.5, 51};
    // Measured tenths are drawn from as measured; a third of a millimetre rounds to the tenth.
    QTest::newRow("heights to the tenth")
        << QList<Measured>{{0, 49.5, 3000}, {3, 50.5, 3300}} << QList<int>{3000, 3100, 3200, 3300}
        << QList<double>{49.5, 49.8, 50.2, 50.5};
    QTest::newRow("height carried with its tenth")
        << QList<Measured>{{0, 49.5, 3000}, {1, 72.5, 3100}, {2, 0, 3200}} << QList<int>{3000, 3100, 3200}
        << QList<double>{49.5, 72.5, 72.5};
    // One sixth in single precision is a little more than 1/6: three steps pass 3000.5.
    QTest::newRow("single-precision slope")
        << QList<Measured>{{0, 0, 3000}, {6, 0, 3001}} << QList<int>{3000, 3000, 3000, 3001, 3001, 3001, 3001}
        << QList<double>{0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("falling weight") << QList<Measured>{{0, 50, 3012}, {5, 50, 2950}}
                                    << QList<int>{3012, 3000, 2987, 2975, 2962, 2950}
                                    << QList<double>{50, 50, 50, 50, 50, 50};
    QTest::newRow("last days without weight")
        << QList<Measured>{{0, 50, 3000}, {2, 51, 3200}, {4, 53, 0}, {6, 0, 0}}
        << QList<int>{3000, 3100, 3200} << QList<double>{50, 50.5, 51};
    QTest::newRow("height on the first day only")
        << QList<Measured>{{0, 50, 3000}, {2, 0, 3100}, {4, 0, 3300}}
        << QList<int>{3000, 3050, 3100, 3200, 3300} << QList<double>{50, 50, 50, 50, 50};
    QTest::newRow("last height carried")
        << QList<Measured>{{0, 50, 3000}, {1, 52, 3100}, {3, 0, 3300}} << QList<int>{3000, 3100, 3200, 3300}
        << QList<double>{50, 52, 52, 52};
    // A gap at the start is drawn up from the 0 before the first day.
    QTest::newRow("first day without weight")
        << QList<Measured>{{0, 0, 0}, {2, 0, 3000}} << QList<int>{1000, 2000, 3000} << QList<double>{0, 0, 0};
    QTest::newRow("no weight at all")
        << QList<Measured>{{0, 50, 0}, {2, 52, 0}} << QList<int>{0, 0, 0} << QList<double>{50, 51, 52};
    QTest::newRow("one day") << QList<Measured>{{0, 49, 2900}} << QList<int>{2900} << QList<double>{49};
}

void GrowthTest::build()
{
    QFETCH(QList<Measured>, days);
    QFETCH(QList<int>, weights);
    QFETCH(QList<double>, heights);
    GrowthSeries s;
    buildGrowth(diaryOf(QDate(1995, 2, 15), days), s);
    QCOMPARE(s.count, weights.size());
    QList<int> gotWeights;
    for (qint16 w : tail(s.weight))
        gotWeights.append(w);
    QCOMPARE(gotWeights, weights);
    QCOMPARE(tail(s.height), heights);
    QCOMPARE(s.weight[0], qint16(0));
    QCOMPARE(s.height[0], 0.0);
}

void GrowthTest::datesRunDayByDay()
{
    GrowthSeries s;
    buildGrowth(diaryOf(QDate(1996, 2, 27), {{0, 50, 3000}, {4, 0, 3100}}), s);
    QCOMPARE(s.count, 5);
    QCOMPARE(s.date.mid(1), (QList<QString>{QStringLiteral("1996/02/27"), QStringLiteral("1996/02/28"),
                                            QStringLiteral("1996/02/29"), QStringLiteral("1996/03/01"),
                                            QStringLiteral("1996/03/02")}));
}

void GrowthTest::emptyDiaryEmptiesTheSeries()
{
    GrowthSeries s;
    buildGrowth(diaryOf(QDate(1995, 2, 15), {{0, 50, 3000}, {3, 0, 3300}}), s);
    QCOMPARE(s.count, 4);
    buildGrowth(DiaryTable(), s);
    QCOMPARE(s.count, 0);
    QVERIFY(weightListLines(s).isEmpty());
    QCOMPARE(growthExportText(s), QString());
}

void GrowthTest::capacityDiary()
{
    DiaryTable diary;
    diary.days() = parseDiary(generators::diaryFile(DiaryCapacity)).days;
    QCOMPARE(diary.count(), DiaryCapacity);
    GrowthSeries s;
    buildGrowth(diary, s);
    // Weights every third day from 3000 g, 8 g a day; the last one is on day 1093.
    QCOMPARE(s.count, 1093);
    for (int i = 1; i <= s.count; ++i)
        QCOMPARE(int(s.weight[i]), 3000 + 8 * (i - 1));
    for (int i = 2; i <= s.count; ++i)
        QVERIFY(s.height[i] >= s.height[i - 1]);
    QCOMPARE(s.date[s.count], QStringLiteral("2026/12/28"));
}

void GrowthTest::diaryReachingPastCapacity()
{
    // A file may hold a day more than 1094 days after the first; the series keeps its 1095 days.
    GrowthSeries s;
    buildGrowth(diaryOf(QDate(1995, 2, 15), {{0, 50, 3000}, {1094, 95, 14000}, {1200, 98, 15000}}), s);
    QCOMPARE(s.count, DiaryCapacity);
    QCOMPARE(s.date[DiaryCapacity], QStringLiteral("1998/02/13"));
    QCOMPARE(s.weight[DiaryCapacity], qint16(14000));
    QCOMPARE(s.height[DiaryCapacity], 95.0);
}

void GrowthTest::exportAndListLines()
{
    DiaryTable diary;
    diary.days() = parseDiary(testDataBytes(QStringLiteral("growth_export/日記.txt"))).days;
    GrowthSeries s;
    buildGrowth(diary, s);
    QCOMPARE(cp932::encode(growthExportText(s)).bytes,
             testDataBytes(QStringLiteral("growth_export/身長体重.txt")));
    QCOMPARE(weightListLines(s).first(), QStringLiteral("2024/02/28 _ 3000g"));
    QCOMPARE(weightListLines(s).last(), QStringLiteral("2024/03/03 _ 3300g"));
    QCOMPARE(heightListLines(s).at(1), QStringLiteral("2024/02/29 _ 50.5cm"));
    QCOMPARE(heightListLines(s).at(2), QStringLiteral("2024/03/01 _ 51cm"));
    QCOMPARE(heightListLines(s).size(), 5);
}

void GrowthTest::ageTicks_data()
{
    QTest::addColumn<QDate>("first");
    QTest::addColumn<int>("days");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<int>>("at");

    QTest::newRow("months") << QDate(1995, 2, 15) << 140
                            << QStringList{u"0か月"_qs, u"1か月"_qs, u"2か月"_qs, u"3か月"_qs, u"4か月"_qs}
                            << QList<int>{0, 28, 59, 89, 120};
    QTest::newRow("two years in quarters")
        << QDate(1995, 2, 15) << 698
        << QStringList{u"0か月"_qs, u"3か月"_qs,    u"6か月"_qs,    u"9か月"_qs,
                       u"1歳"_qs,   u"1歳3か月"_qs, u"1歳6か月"_qs, u"1歳9か月"_qs}
        << QList<int>{0, 89, 181, 273, 365, 455, 547, 639};
    QTest::newRow("three years") << QDate(2024, 1, 31) << 1095
                                 << QStringList{u"0か月"_qs,    u"6か月"_qs, u"1歳"_qs,
                                                u"1歳6か月"_qs, u"2歳"_qs,   u"2歳6か月"_qs}
                                 << QList<int>{0, 182, 366, 547, 731, 912};
    QTest::newRow("weeks") << QDate(1995, 2, 15) << 30
                           << QStringList{u"0週"_qs, u"1週"_qs, u"2週"_qs, u"3週"_qs, u"4週"_qs}
                           << QList<int>{0, 7, 14, 21, 28};
    QTest::newRow("days") << QDate(1995, 2, 15) << 6
                          << QStringList{u"0日"_qs, u"1日"_qs, u"2日"_qs, u"3日"_qs, u"4日"_qs, u"5日"_qs}
                          << QList<int>{0, 1, 2, 3, 4, 5};
    QTest::newRow("none") << QDate(1995, 2, 15) << 0 << QStringList() << QList<int>();
}

void GrowthTest::ageTicks()
{
    QFETCH(QDate, first);
    QFETCH(int, days);
    QFETCH(QStringList, labels);
    QFETCH(QList<int>, at);
    QStringList gotLabels;
    QList<int> gotAt;
    for (const AgeTick &t : ::ageTicks(first, days)) {
        gotLabels.append(t.label);
        gotAt.append(t.day);
    }
    QCOMPARE(gotLabels, labels);
    QCOMPARE(gotAt, at);
}

QTEST_GUILESS_MAIN(GrowthTest)
#include "growth_test.moc"
