// The care log's charts, checked by the marks they put on the page: a month of a busy log gives
// one bar a sleep (two for a night across the day's start), one mark a feed, nappy and dose,
// each kind in a shape and colour of its own, and the temperature curve through every measure.
#include "care_month.h"
#include "core/care/care_chart.h"

#include <QPaintEngine>
#include <QPainter>
#include <QtTest>

#include <map>
#include <set>

Q_DECLARE_METATYPE(care::ChartMarks)

namespace {

// A page that keeps the filled shapes drawn on it (by shape and fill colour), the polylines and
// the texts.
class RecordingEngine : public QPaintEngine
{
public:
    enum Shape { Rect, Circle, Triangle, Diamond };

    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &changed) override
    {
        if (changed.state() & DirtyBrush)
            m_brush = changed.brush();
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPath(const QPainterPath &) override {}
    void drawLines(const QLineF *, int) override {}
    void drawRects(const QRectF *, int count) override
    {
        for (int i = 0; i < count; ++i)
            filled(Rect);
    }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (mode == PolylineMode)
            polylines.append(QPolygonF(QList<QPointF>(points, points + count)));
        else
            filled(count == 3 ? Triangle : count == 4 ? Diamond : Rect);
    }
    void drawEllipse(const QRectF &) override { filled(Circle); }
    void drawTextItem(const QPointF &, const QTextItem &item) override { texts.append(item.text()); }
    Type type() const override { return User; }

    // How many of each shape in each fill colour.
    std::map<std::pair<Shape, QRgb>, int> shapes;
    QList<QPolygonF> polylines;
    QStringList texts;

private:
    void filled(Shape shape)
    {
        if (m_brush.style() != Qt::NoBrush)
            ++shapes[{shape, m_brush.color().rgb()}];
    }
    QBrush m_brush;
};

class RecordingPage : public QPaintDevice
{
public:
    QPaintEngine *paintEngine() const override { return &engine; }
    mutable RecordingEngine engine;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return 1400;
        case PdmHeight:
            return 900;
        case PdmWidthMM:
            return 370;
        case PdmHeightMM:
            return 238;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
        case PdmDevicePixelRatioScaled:
            return 1;
        default:
            return 96;
        }
    }
};

// The colours a shape was drawn in, with their counts.
std::map<QRgb, int> coloursOf(const RecordingEngine &e, RecordingEngine::Shape shape)
{
    std::map<QRgb, int> colours;
    for (const auto &[key, n] : e.shapes)
        if (key.first == shape)
            colours[key.second] += n;
    return colours;
}

care::Entry sleep(QDate day, QTime from, QTime to)
{
    care::Entry e;
    e.date = day;
    e.time = from;
    e.kind = care::Kind::Sleep;
    e.end = to;
    e.id = QStringLiteral("d-000000000001");
    return e;
}

const QDateTime Now(QDate(2026, 12, 20), QTime(12, 0));

} // namespace

class CareChartTest : public QObject
{
    Q_OBJECT
private slots:
    void rhythmMarks_data()
    {
        QTest::addColumn<QList<care::Entry>>("log");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("dayStart");
        QTest::addColumn<care::ChartMarks>("expected");
        const QDate nov1(2026, 11, 1);
        // 3 naps a day and the night in two parts; the first day has no night before it.
        QTest::newRow("month from midnight")
            << careMonth(nov1, 30) << nov1 << 30 << 0 << care::ChartMarks{3 * 30 + 30 + 29, 300, 300, 10, 0};
        QTest::newRow("week from six")
            << careMonth(nov1, 30) << nov1 << 7 << 6 << care::ChartMarks{3 * 7 + 7 + 6, 70, 70, 2, 0};
        const QList<care::Entry> night{sleep(nov1, QTime(22, 0), QTime(5, 0))};
        QTest::newRow("night across midnight") << night << nov1 << 2 << 0 << care::ChartMarks{2, 0, 0, 0, 0};
        QTest::newRow("night inside a day from 19")
            << night << nov1 << 2 << 19 << care::ChartMarks{1, 0, 0, 0, 0};
        QTest::newRow("no entries") << QList<care::Entry>{} << nov1 << 7 << 0 << care::ChartMarks{};
    }

    void rhythmMarks()
    {
        QFETCH(QList<care::Entry>, log);
        QFETCH(QDate, first);
        QFETCH(int, days);
        QFETCH(int, dayStart);
        QFETCH(care::ChartMarks, expected);
        const QList<care::RhythmRow> rows = care::rhythmOf(log, first, days, dayStart, Now);
        RecordingPage page;
        care::ChartMarks drawn;
        {
            QPainter painter(&page);
            drawn = care::drawRhythm(painter, QRectF(0, 0, 1400, 900), rows, dayStart, care::chartFont(14));
        }
        QCOMPARE(drawn, expected);
        // What reached the page: each kind once in the legend and once a mark, a circle, a
        // triangle and a diamond of one colour each, four colours apart.
        const RecordingEngine &e = page.engine;
        const auto circles = coloursOf(e, RecordingEngine::Circle);
        const auto triangles = coloursOf(e, RecordingEngine::Triangle);
        const auto diamonds = coloursOf(e, RecordingEngine::Diamond);
        QCOMPARE(circles.size(), size_t(1));
        QCOMPARE(triangles.size(), size_t(1));
        QCOMPARE(diamonds.size(), size_t(1));
        QCOMPARE(circles.begin()->second, 1 + expected.feedMarks);
        QCOMPARE(triangles.begin()->second, 1 + expected.nappyMarks);
        QCOMPARE(diamonds.begin()->second, 1 + expected.medicineMarks);
        std::set<QRgb> colours{circles.begin()->first, triangles.begin()->first, diamonds.begin()->first};
        bool barsFound = false;
        for (const auto &[colour, n] : coloursOf(e, RecordingEngine::Rect))
            if (n == 1 + expected.bars && !colours.count(colour)) {
                barsFound = true;
                colours.insert(colour);
            }
        QVERIFY(barsFound);
        QCOMPARE(colours.size(), size_t(4));
        for (const char *word : {"睡眠", "授乳", "おむつ", "薬"})
            QVERIFY2(e.texts.contains(QString::fromUtf8(word)), word);
        // The hours every 3 from the day's start, 24 for midnight at the right end.
        QCOMPARE(e.texts.count(QString::number(dayStart + 3)), 1);
        QCOMPARE(e.texts.count(QStringLiteral("24")), dayStart % 3 == 0 ? 1 : 0);
        if (days == 7)
            QVERIFY(e.texts.contains(care::rhythmDayLabel(first.addDays(6))));
    }

    void dayLabels()
    {
        QCOMPARE(care::rhythmDayLabel(QDate(2026, 12, 8)), QStringLiteral("12/8(火)"));
        QCOMPARE(care::rhythmDayLabel(QDate(2027, 1, 31)), QStringLiteral("1/31(日)"));
    }

    void temperatureAxis_data()
    {
        QTest::addColumn<QList<double>>("measured");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::newRow("nothing measured") << QList<double>{} << 35.5 << 38.5;
        QTest::newRow("normal days") << QList<double>{36.8, 37.2} << 36.0 << 38.0;
        QTest::newRow("a fever") << QList<double>{35.0, 40.9} << 34.5 << 41.5;
        QTest::newRow("the ends") << QList<double>{34.0, 42.0} << 34.0 << 42.0;
    }

    void temperatureAxis()
    {
        QFETCH(QList<double>, measured);
        QFETCH(double, low);
        QFETCH(double, high);
        care::RhythmRow row;
        for (double t : measured)
            row.temperatures.append({600, t});
        QCOMPARE(care::temperatureRange({row}), std::pair(low, high));
    }

    void temperatureCurve()
    {
        const QDate nov1(2026, 11, 1);
        const QList<care::RhythmRow> rows = care::rhythmOf(careMonth(nov1, 30), nov1, 30, 0, Now);
        RecordingPage page;
        care::ChartMarks drawn;
        {
            QPainter painter(&page);
            drawn = care::drawTemperatures(painter, QRectF(0, 0, 1400, 500), rows, care::chartFont(14));
        }
        QCOMPARE(drawn, (care::ChartMarks{0, 0, 0, 10, 60}));
        QCOMPARE(page.engine.polylines.size(), 1);
        const QPolygonF curve = page.engine.polylines.first();
        QCOMPARE(curve.size(), 60);
        for (int i = 1; i < curve.size(); ++i)
            QVERIFY(curve[i].x() > curve[i - 1].x());
        // 38.1 on every fifth day lies above 37.2 on the days around it.
        QVERIFY(curve[2 * 4 + 1].y() < curve[2 * 3 + 1].y());
        QCOMPARE(coloursOf(page.engine, RecordingEngine::Diamond).begin()->second, 1 + 10);
        QVERIFY(page.engine.texts.contains(QStringLiteral("37.5")));
        QVERIFY(page.engine.texts.contains(QStringLiteral("11/1(日)")));
    }
};

QTEST_MAIN(CareChartTest)
#include "care_chart_test.moc"
