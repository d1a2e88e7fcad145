// The yearbook: Japanese dates and ages, every character of a diary escaped, the period's days
// and photos gathered by the options, and an output that is whole or not there at all.
#include "care_month.h"
#include "core/book/yearbook.h"
#include "core/files/notebook_folder.h"
#include "test_notebook.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QtTest>

using namespace yearbook;

namespace {

Options period(QDate from, QDate to)
{
    Options o;
    o.from = from;
    o.to = to;
    return o;
}

const ChartPainter grey = [](QPainter &p, const QRectF &r) { p.fillRect(r, Qt::lightGray); };

QStringList entriesOf(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// The folder of the test notebook with a diary of these records, read.
void writeDiary(TestNotebook &t, const QString &records)
{
    t.writeText(QStringLiteral("日記.txt"), records);
    t.notebook().readDiary();
}

// A page that keeps what is drawn on it: the polylines, the dots and the texts.
class RecordingEngine : public QPaintEngine
{
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPath(const QPainterPath &) override {}
    void drawLines(const QLineF *, int) override {}
    void drawRects(const QRectF *, int) override {}
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (mode == PolylineMode)
            polylines.append(QPolygonF(QList<QPointF>(points, points + count)));
    }
    void drawEllipse(const QRectF &r) override { dots.append(r.center()); }
    void drawTextItem(const QPointF &, const QTextItem &item) override { texts.append(item.text()); }
    Type type() const override { return User; }

    QList<QPolygonF> polylines;
    QList<QPointF> dots;
    QStringList texts;
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
            return 840;
        case PdmWidthMM:
            return 370;
        case PdmHeightMM:
            return 222;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 96; // the resolutions
        }
    }
};

// Six measured weights and four heights over three months, and a day without measures after.
// (Made when asked: the record's marks are constants of another file, not yet made at start.)
QString growthDiary()
{
    return diaryRecordText(QStringLiteral("2025/05/01"), 60, 6000, QString()) +
           diaryRecordText(QStringLiteral("2025/05/10"), 0, 6200, QString()) +
           diaryRecordText(QStringLiteral("2025/05/20"), 61, 0, QString()) +
           diaryRecordText(QStringLiteral("2025/05/25"), 0, 6300, QString()) +
           diaryRecordText(QStringLiteral("2025/06/01"), 62, 6500, QString()) +
           diaryRecordText(QStringLiteral("2025/06/15"), 0, 6800, QString()) +
           diaryRecordText(QStringLiteral("2025/07/01"), 63, 7000, QString()) +
           diaryRecordText(QStringLiteral("2025/08/01"), 0, 0, QStringLiteral("測らなかった日"));
}

} // namespace

class YearbookTest : public QObject
{
    Q_OBJECT
private slots:
    void datesAndAges_data()
    {
        QTest::addColumn<QDate>("birth");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("age");
        QTest::newRow("three months and twelve days") << QDate(2025, 1, 19) << QDate(2025, 5, 1) << "生後3か月12日";
        QTest::newRow("the birth day") << QDate(2025, 1, 19) << QDate(2025, 1, 19) << "生後0日";
        QTest::newRow("first month in days") << QDate(2025, 1, 19) << QDate(2025, 2, 18) << "生後30日";
        QTest::newRow("born on the 31st, a short month") << QDate(2025, 1, 31) << QDate(2025, 2, 28) << "生後1か月0日";
        QTest::newRow("first birthday") << QDate(2025, 1, 19) << QDate(2026, 1, 19) << "1歳0か月0日";
        QTest::newRow("leap day birth") << QDate(2024, 2, 29) << QDate(2025, 3, 1) << "1歳0か月1日";
        QTest::newRow("before the birth") << QDate(2025, 1, 19) << QDate(2025, 1, 18) << "";
    }
    void datesAndAges()
    {
        QFETCH(QDate, birth);
        QFETCH(QDate, day);
        QFETCH(QString, age);
        QCOMPARE(dayAgeText(birth, day), age);
        QCOMPARE(japaneseDate(QDate(2025, 5, 1)), QStringLiteral("2025年5月1日（木）"));
        QCOMPARE(japaneseDate(QDate(1995, 2, 19)), QStringLiteral("1995年2月19日（日）"));
    }

    // The doses given within the period, in date order, named by the schedule table.
    void vaccinationsOfThePeriod()
    {
        const QList<QStringList> records{{u"bcg"_qs, u"2025/06/20"_qs, {}, u"保健センター"_qs, {}},
                                         {u"hib-1"_qs, u"2025/03/19"_qs, u"AB1"_qs, u"さくら"_qs, u"元気"_qs},
                                         {u"mr-1"_qs, u"2026/01/19"_qs, {}, {}, {}}};
        QCOMPARE(vaccinationLines(records, QDate(2025, 1, 19), QDate(2025, 12, 31)),
                 QStringList({u"2025年3月19日（水）　Hib（ヒブ） 1回目（さくら、ロット AB1、元気）"_qs,
                              u"2025年6月20日（金）　BCG 1回（保健センター）"_qs}));
    }

    // The firsts within the period by date, each with the age that day and its note.
    void milestonesOfThePeriod()
    {
        const QList<QStringList> records{{u"はいはい"_qs, u"2025/12/01"_qs, {}},
                                         {u"寝返り"_qs, u"2025/07/22"_qs, u"右から"_qs},
                                         {u"にっこり"_qs, u"2025/02/28"_qs, {}}};
        QCOMPARE(milestoneLines(records, QDate(2025, 2, 10), QDate(2025, 3, 1), QDate(2025, 11, 30)),
                 QStringList({u"2025年7月22日（火）　寝返り（生後5か月12日、右から）"_qs}));
    }

    void everyCharacterEscaped()
    {
        QCOMPARE(escapeHtml(QStringLiteral("<b>\"A&B\"</b> it's")),
                 QStringLiteral("&lt;b&gt;&quot;A&amp;B&quot;&lt;/b&gt; it&#39;s"));
        QCOMPARE(escapeHtml(QStringLiteral("一行目\r\n二行目\n三\r四"), true),
                 QStringLiteral("一行目<br>\n二行目<br>\n三<br>\n四"));
        // A damaged file's control characters never reach the page.
        QCOMPARE(escapeHtml(QStringLiteral("a\x01" "b\x1b" "c")), QStringLiteral("a b c"));
    }

    // A diary line that looks like HTML, a day without text, days without photos and a day
    // outside the period: the page holds exactly what the period holds, escaped.
    void pageOfThePeriod()
    {
        TestNotebook t;
        writeDiary(t, diaryRecordText(QStringLiteral("2025/05/01"), 60, 6000,
                                      QStringLiteral("<script>alert(\"x\")</script>\r\nA & B")) +
                          diaryRecordText(QStringLiteral("2025/05/02"), 0, 0, QString()) +
                          diaryRecordText(QStringLiteral("2025/06/01"), 61.5, 0, QStringLiteral("六月")) +
                          diaryRecordText(QStringLiteral("2025/08/01"), 0, 0, QStringLiteral("期間の外")));
        t.notebook().profile.birthDate = QStringLiteral("2025/01/19");
        t.writeText(QStringLiteral("記念日.txt"), QStringLiteral("2025/05/05 こどもの日\r\n2025/09/01 外\r\n"));
        const Content c = gather(t.notebook(), period(QDate(2025, 5, 1), QDate(2025, 7, 31)));
        QCOMPARE(c.dayCount(), 3);
        QCOMPARE(c.photoCount(), 0);
        QCOMPARE(c.months.size(), 2);
        QCOMPARE(c.months[0].anniversaries, QStringList{QStringLiteral("2025/05/05 こどもの日")});
        const QString html = htmlPage(c, period(QDate(2025, 5, 1), QDate(2025, 7, 31)), false);
        QVERIFY(!html.contains(QStringLiteral("<script")));
        QVERIFY(html.contains(QStringLiteral("&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;<br>\nA &amp; B")));
        QVERIFY(html.contains(QStringLiteral("2025年5月1日（木） <span class=\"age\">生後3か月12日</span>")));
        QVERIFY(html.contains(QStringLiteral("身長 60 cm　体重 6000 g")));
        QVERIFY(html.contains(QStringLiteral("<p class=\"measures\">身長 61.5 cm</p>")));
        QVERIFY(html.contains(QStringLiteral("<h3>2025年5月2日（金） <span class=\"age\">生後3か月13日</span></h3>\n</article>")));
        QVERIFY(!html.contains(QStringLiteral("期間の外")));
        QVERIFY(!html.contains(QStringLiteral("<img")));
        QVERIFY(html.indexOf(QStringLiteral("id=\"m2025-05\"")) < html.indexOf(QStringLiteral("id=\"m2025-06\"")));

        const Content none = gather(t.notebook(), period(QDate(2030, 1, 1), QDate(2030, 12, 31)));
        QVERIFY(none.months.isEmpty());
        QVERIFY(htmlPage(none, period(QDate(2030, 1, 1), QDate(2030, 12, 31)), false)
                    .contains(QStringLiteral("この期間の日記はありません。")));
    }

    // A month with care-log entries gets its rhythm page after the diary's months, on the web
    // page (a picture) and in the PDF; the months outside the period and a notebook without a
    // care log get none.
    void rhythmPages()
    {
        TestNotebook t;
        writeDiary(t, diaryRecordText(QStringLiteral("2025/05/01"), 60, 6000, QStringLiteral("五月")));
        const Options o = period(QDate(2025, 5, 1), QDate(2025, 6, 10));
        const QString before = htmlPage(gather(t.notebook(), o), o, false);
        QVERIFY(gather(t.notebook(), o).rhythms.isEmpty());
        t.writeText(care::fileName(), care::textOf(careMonth(QDate(2025, 4, 25), 60)));
        const Content c = gather(t.notebook(), o);
        QCOMPARE(c.rhythms.size(), 2);
        QCOMPARE(c.rhythms[0].rows.size(), 31);
        QCOMPARE(c.rhythms[1].rows.size(), 10); // June up to the period's end
        QCOMPARE(c.rhythms[1].rows.first().feeds.size(), 10);
        const QString html = htmlPage(c, o, false);
        QVERIFY(html.contains(QStringLiteral("<h2>生活リズム 2025年6月</h2>\n<img src=\"rhythm-2025-06.png\"")));
        QVERIFY(html.indexOf(QStringLiteral("id=\"m2025-05\"")) < html.indexOf(QStringLiteral("id=\"r2025-05\"")));
        QCOMPARE(QString(html).remove(QRegularExpression(QStringLiteral("<li><a href=\"#r[^\n]*\n|<section id=\"r[^§]*?</section>\n"))),
                 before);

        QTemporaryDir out;
        const QString target = out.filePath(QStringLiteral("page"));
        QVERIFY(writeHtml(c, t.notebook().folder(), target, o, grey).ok);
        QCOMPARE(entriesOf(target), (QStringList{"chart.png", "index.html", "photos", "rhythm-2025-05.png", "rhythm-2025-06.png",
                                                 "style.css"}));
        QCOMPARE(QImage(target + QStringLiteral("/rhythm-2025-06.png")).height(), 120 + 28 * 10);
        // One page more a month in the PDF.
        const auto pdfPages = [&](const Content &content) {
            const QString pdf = out.filePath(QStringLiteral("page.pdf"));
            QFile::remove(pdf);
            if (!writePdf(content, t.notebook().folder(), pdf, o, grey).ok)
                return -1;
            QFile file(pdf);
            file.open(QIODevice::ReadOnly);
            return int(QString::fromLatin1(file.readAll())
                           .count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
        };
        Content without = c;
        without.rhythms.clear();
        QCOMPARE(pdfPages(c), pdfPages(without) + 2);
    }

    // The sample's photos by the options: none, the main photo, all six; file names as alt text.
    void photosByTheOptions()
    {
        TestNotebook t;
        t.notebook().readProfile();
        t.notebook().readDiary();
        Options o = period(QDate(1995, 2, 15), QDate(1995, 2, 15));
        o.photos = Options::Photos::None;
        QCOMPARE(gather(t.notebook(), o).photoCount(), 0);
        o.photos = Options::Photos::Main;
        QCOMPARE(gather(t.notebook(), o).months[0].days[0].photos, QStringList{QStringLiteral("19950215.jpg")});
        o.photos = Options::Photos::All;
        const Content all = gather(t.notebook(), o);
        QCOMPARE(all.months[0].days[0].photos,
                 (QStringList{QStringLiteral("19950215.jpg"), QStringLiteral("19950215_1.jpg")}));
        QVERIFY(htmlPage(all, o, false)
                    .contains(QStringLiteral("<img src=\"photos/19950215_1.jpg\" alt=\"19950215_1.jpg\">")));
    }

    // Written into a temporary folder and renamed: a cancel, an existing folder or a foreign
    // one leaves everything as it was; an earlier yearbook is replaced only when asked.
    void wholeOrNothing()
    {
        TestNotebook t;
        t.notebook().readProfile();
        t.notebook().readDiary();
        QTemporaryDir out;
        const QString target = out.filePath(QStringLiteral("ももちゃん"));
        Options o = period(QDate(1995, 1, 1), QDate(1997, 12, 31));
        const Content c = gather(t.notebook(), o);
        int steps = 0;
        Result r = writeHtml(c, t.notebook().folder(), target, o, grey, [&](int done, int) { return ++steps, done < 3; });
        QVERIFY(r.cancelled);
        QCOMPARE(entriesOf(out.path()), QStringList());

        r = writeHtml(c, t.notebook().folder(), target, o, grey);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(entriesOf(out.path()), QStringList{QStringLiteral("ももちゃん")});
        QCOMPARE(entriesOf(target), (QStringList{"chart.png", "index.html", "photos", "style.css"}));
        QCOMPARE(entriesOf(target + QStringLiteral("/photos")).size(), c.photoCount());

        r = writeHtml(c, t.notebook().folder(), target, o, grey);
        QVERIFY(!r.ok);
        QCOMPARE(r.error, QStringLiteral("%1 はすでにあります。").arg(target));
        o.replace = true;
        QFile::remove(target + QStringLiteral("/photos/19950215.jpg"));
        QVERIFY(writeHtml(c, t.notebook().folder(), target, o, grey).ok);
        QVERIFY(QFile::exists(target + QStringLiteral("/photos/19950215.jpg")));
        QCOMPARE(entriesOf(out.path()), QStringList{QStringLiteral("ももちゃん")});

        const QString foreign = out.filePath(QStringLiteral("書類"));
        QDir().mkpath(foreign);
        QFile note(foreign + QStringLiteral("/大事なメモ.txt"));
        QVERIFY(note.open(QIODevice::WriteOnly) && note.write("keep") == 4);
        note.close();
        r = writeHtml(c, t.notebook().folder(), foreign, o, grey);
        QVERIFY(!r.ok);
        QVERIFY(r.error.contains(QStringLiteral("育児手帖の書き出しではないため")));
        QCOMPARE(entriesOf(foreign), QStringList{QStringLiteral("大事なメモ.txt")});

        const QString pdf = out.filePath(QStringLiteral("ももちゃん.pdf"));
        QVERIFY(writePdf(c, t.notebook().folder(), pdf, o, grey, [](int done, int) { return done < 2; }).cancelled);
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(writePdf(c, t.notebook().folder(), pdf, o, grey).ok);
        QVERIFY(QFile(pdf).size() > 10000);
    }

    // The period asked for on the command line: an end not given is the diary's first or last
    // day; a period that then ends before it starts is refused, naming where each end came from.
    void askedPeriods_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("both") << "1995/04/01"
                              << "1995/06/30"
                              << "1995年4月1日（土） 〜 1995年6月30日（金）"
                              << "";
        QTest::newRow("neither: every day") << ""
                                            << ""
                                            << "1995年2月15日（水） 〜 1997年1月12日（日）"
                                            << "";
        QTest::newRow("from alone") << "1996/01/01"
                                    << ""
                                    << "1996年1月1日（月） 〜 1997年1月12日（日）"
                                    << "";
        QTest::newRow("from after the diary") << "2026/01/01"
                                              << ""
                                              << ""
                                              << "期間の始め（2026年1月1日（木））が終わり（日記の最後の日、1"
                                                 "997年1月12日（日））より後になっています。";
        QTest::newRow("to before the diary") << ""
                                             << "1990/01/01"
                                             << ""
                                             << "期間の始め（日記の最初の日、1995年2月15日（水））が終わり（1"
                                                "990年1月1日（月））より後になっています。";
        QTest::newRow("both, the wrong way round")
            << "1995/06/30"
            << "1995/04/01"
            << ""
            << "期間の始め（1995年6月30日（金））が終わり（1995年4月1日（土））より後になっています。";
        QTest::newRow("one day") << "1995/06/01"
                                 << "1995/06/01"
                                 << "1995年6月1日（木） 〜 1995年6月1日（木）"
                                 << "";
    }
    void askedPeriods()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, heading);
        QFETCH(QString, refusal);
        TestNotebook t;
        t.notebook().readDiary();
        QString refused = QStringLiteral("not asked");
        const Period p = askedPeriod(t.notebook(), QDate::fromString(from, QStringLiteral("yyyy/MM/dd")),
                                     QDate::fromString(to, QStringLiteral("yyyy/MM/dd")), &refused);
        QCOMPARE(refused, refusal);
        if (refusal.isEmpty())
            QCOMPARE(periodText(p.from, p.to), heading);
    }

    // However the period came about, the writers make nothing of one that ends before it starts.
    void reversedPeriodWritesNothing()
    {
        TestNotebook t;
        t.notebook().readDiary();
        const Options o = period(QDate(1996, 1, 1), QDate(1995, 1, 1));
        const Content c = gather(t.notebook(), o);
        QTemporaryDir out;
        const Result html = writeHtml(c, t.notebook().folder(), out.filePath(QStringLiteral("本")), o, grey);
        const Result pdf =
            writePdf(c, t.notebook().folder(), out.filePath(QStringLiteral("本.pdf")), o, grey);
        QVERIFY(!html.ok && !pdf.ok);
        QCOMPARE(pdf.error,
                 QStringLiteral(
                     "期間の始め（1996年1月1日（月））が終わり（1995年1月1日（日））より後になっています。"));
        QCOMPARE(entriesOf(out.path()), QStringList());
    }

    // The chart of a period draws that period's measured days, one dot each, joined by one
    // straight line per measure: so many points for one month, more for three, none for a
    // month without measures; a point's place across is its day's place in the period.
    void chartOfThePeriod_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<int>("weights");
        QTest::addColumn<int>("heights");
        QTest::newRow("May") << QDate(2025, 5, 1) << QDate(2025, 5, 31) << 3 << 2;
        QTest::newRow("May to July") << QDate(2025, 5, 1) << QDate(2025, 7, 31) << 6 << 4;
        QTest::newRow("June, from before the diary") << QDate(2025, 4, 1) << QDate(2025, 6, 30) << 5 << 3;
        QTest::newRow("August: no measures") << QDate(2025, 8, 1) << QDate(2025, 8, 31) << 0 << 0;
        QTest::newRow("after the diary") << QDate(2030, 1, 1) << QDate(2030, 12, 31) << 0 << 0;
    }
    void chartOfThePeriod()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(int, weights);
        QFETCH(int, heights);
        TestNotebook t;
        writeDiary(t, growthDiary());
        Options o = period(from, to);
        o.measures = false; // the chart is drawn all the same
        const Chart chart = gather(t.notebook(), o).chart;
        QCOMPARE(chart.weights.size(), weights);
        QCOMPARE(chart.heights.size(), heights);

        RecordingPage page;
        {
            QPainter painter(&page);
            drawChart(painter, QRectF(0, 0, 1400, 840), chart);
        }
        const RecordingEngine &drawn = page.engine;
        QCOMPARE(drawn.dots.size(), weights + heights);
        QList<qsizetype> lines;
        for (const QPolygonF &line : drawn.polylines)
            lines.append(line.size());
        QList<qsizetype> expected;
        for (int n : {weights, heights})
            if (n > 1)
                expected.append(n);
        QCOMPARE(lines, expected);
        QCOMPARE(
            drawn.texts.join(QString()).contains(QStringLiteral("この期間の身長・体重の記録はありません")),
            weights + heights == 0);
        if (weights < 2)
            return;
        // Across in proportion to the days between, with nothing drawn between measured days.
        const QPolygonF &w = drawn.polylines.first();
        const QDate first = chart.weights.first().date;
        const qreal perDay = (w.last().x() - w.first().x()) / first.daysTo(chart.weights.last().date);
        for (int i = 1; i < w.size(); ++i) {
            QVERIFY(qAbs(w[i].x() - w.first().x() - perDay * first.daysTo(chart.weights[i].date)) < 1e-6);
            QVERIFY(w[i].y() < w[i - 1].y()); // heavier each time: higher up
        }
    }

    void roundAxes_data()
    {
        QTest::addColumn<double>("lo");
        QTest::addColumn<double>("hi");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("step");
        QTest::newRow("weights") << 6000.0 << 7000.0 << 6000.0 << 7000.0 << 200.0;
        QTest::newRow("a wide weight") << 3000.0 << 9800.0 << 2000.0 << 10000.0 << 2000.0;
        QTest::newRow("heights with a tenth") << 50.0 << 63.5 << 50.0 << 65.0 << 5.0;
        QTest::newRow("one value") << 60.0 << 60.0 << 56.0 << 64.0 << 2.0;
        QTest::newRow("the wrong way round") << 7.0 << 3.0 << 3.0 << 7.0 << 1.0;
    }
    void roundAxes()
    {
        QFETCH(double, lo);
        QFETCH(double, hi);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(double, step);
        const AxisRange r = axisRange(lo, hi);
        QCOMPARE(r.min, min);
        QCOMPARE(r.max, max);
        QCOMPARE(r.step, step);
    }

    // 小さくする: a picture past 1600 px comes out at most 1600 on its long side, a BMP as a JPEG
    // whose new name the page uses; a small one is copied byte for byte.
    void smallerPictures()
    {
        TestNotebook t;
        QImage big(3200, 1800, QImage::Format_RGB32);
        big.fill(Qt::red);
        QVERIFY(big.save(t.path(QStringLiteral("20250501.bmp"))));
        writeDiary(t, diaryRecordText(QStringLiteral("2025/05/01"), 0, 0, QStringLiteral("大きな写真")) +
                          diaryRecordText(QStringLiteral("2025/05/02"), 0, 0, QStringLiteral("小さな写真")));
        QVERIFY(QFile::copy(t.path(QStringLiteral("19950215.jpg")), t.path(QStringLiteral("20250502.jpg"))));
        Options o = period(QDate(2025, 5, 1), QDate(2025, 5, 2));
        o.smaller = true;
        o.chart = false;
        QTemporaryDir out;
        const QString target = out.filePath(QStringLiteral("小さく"));
        QVERIFY(writeHtml(gather(t.notebook(), o), t.notebook().folder(), target, o, grey).ok);
        QCOMPARE(QImage(target + QStringLiteral("/photos/20250501.bmp.jpg")).size(), QSize(1600, 900));
        QFile page(target + QStringLiteral("/index.html"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(page.readAll())
                    .contains(QStringLiteral("<img src=\"photos/20250501.bmp.jpg\" alt=\"20250501.bmp\">")));
        QCOMPARE(t.bytes(QStringLiteral("20250502.jpg")), [&] {
            QFile f(target + QStringLiteral("/photos/20250502.jpg"));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }());
    }
};

QTEST_MAIN(YearbookTest)
#include "yearbook_test.moc"
