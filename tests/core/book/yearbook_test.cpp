// The yearbook: Japanese dates and ages, every character of a diary escaped, the period's days
// and photos gathered by the options, and an output that is whole or not there at all.
#include "core/book/yearbook.h"
#include "core/common/notebook_folder.h"
#include "test_notebook.h"

#include <QImage>
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
