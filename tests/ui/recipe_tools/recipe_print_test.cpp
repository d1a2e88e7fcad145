// The print screen: the recipe as text, as the window's image, and the menu of a range, through
// the recording printer; and one real PDF read back with pdfinfo and pdftotext.
#include "core/text/fonts.h"
#include "recipe_book_screens.h"
#include "ui/widgets/qt_printer.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>

namespace {

using Item = RecordingPrinter::Item;

const double LineMm = 240 * MmPerTwip; // 12 points

// A text item as "line colour face text", the line counted from the top of the page.
QString textLine(const Item &i)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(qRound(i.position.y() / LineMm))
        .arg(i.color.name(), i.font.family(), i.text);
}

void saveImage(const QString &colourName, const QString &path)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(colourName));
    QVERIFY(image.save(path));
}

QList<Recipe> menuOf(int n)
{
    QStringList names;
    for (int i = 1; i <= n; ++i)
        names.append(QStringLiteral("料理%1").arg(i));
    return recipesNamed(names);
}

} // namespace

class RecipePrintTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installJapaneseFonts(); }
    void textLayout();
    void textLayoutWithoutPictureAndIngredients();
    void screenImageLayout();
    void menuOfTwentyOnTwoPages();
    void menuRanges();
    void realPdf();
};

void RecipePrintTest::textLayout()
{
    RecipeBookScreens b;
    b.get<QPlainTextEdit>(b.screen, "txtMemo")->setPlainText("冷凍できる\n小分けにする"); // not saved
    b.tools->openPrint();
    b.click(b.tools->printScreen(), "cmdPrintForm");
    QCOMPARE(b.printer.documents().size(), 1);
    const RecordingPrinter::Document &d = b.printer.documents()[0];
    QVERIFY(d.colorOutput && d.ended);
    const QList<Item> items = d.pages[0].items;
    QCOMPARE(items[0].kind, Item::Kind::Image);
    const double t = MmPerTwip;
    QCOMPARE(items[0].target, QRectF(6500 * t, 1000 * t, 4000 * t, 3000 * t));
    QStringList lines;
    for (const Item &i : items.mid(1))
        lines.append(textLine(i));
    const QString rule(47, u'-');
    const QString g = "ＭＳ ゴシック", p = "ＭＳ Ｐゴシック";
    QCOMPARE(lines, QStringList({
                        "0 #000000 " + g + " " + rule,
                        "1 #000080 " + g + " 【料理名　】十倍がゆ",
                        "2 #000080 " + g + " 【月齢　　】ゴックン期",
                        "3 #000080 " + g + " 【種類　　】ご飯もの",
                        "4 #000080 " + g + " 【調理方法】煮る",
                        "5 #000080 " + g + " 【調理時間】30分",
                        "6 #000080 " + g + " 【参考　　】保健センターの離乳食教室",
                        "7 #000000 " + g + " " + rule,
                        "9 #008000 " + g + " 【材料】",
                        "10 #000000 " + g + " 米　大さじ１",
                        "11 #000000 " + g + " 水　１カップ（２００cc）",
                        "17 #008080 " + p + " 【作り方】",
                        "18 #000000 " + p + " ①米を洗って３０分ほど水につけておく。",
                        "19 #000000 " + p + " ②小鍋に米と水を入れて強火にかけ、煮立ったらごく弱火にする。",
                        "20 #000000 " + p + " ③ふたを少しずらして４０分ほどコトコト煮る。",
                        "21 #000000 " + p + " ④火を止めて１０分蒸らし、裏ごし器でなめらかにする。",
                        "24 #800080 " + p + " 【メモ】",
                        "25 #000000 " + p + " 冷凍できる",
                        "26 #000000 " + p + " 小分けにする",
                    }));
    QCOMPARE(items[1].font.pointSizeF(), 12.0);
    QVERIFY(items[1].position.x() == 0);
}

void RecipePrintTest::textLayoutWithoutPictureAndIngredients()
{
    RecipeBookScreens b;
    b.dialogs.setLenient(true);
    b.click(b.screen, "optMain");
    b.get<QPlainTextEdit>(b.screen, "txtZairyou")->clear();
    // A memo line wider than the paper goes on in the next line; a long memo goes on on the next page.
    b.get<QPlainTextEdit>(b.screen, "txtMemo")
        ->setPlainText(QString(80, u'あ') + QString(60, u'\n') + "おわり");
    b.tools->openPrint();
    b.click(b.tools->printScreen(), "cmdPrintForm");
    const RecordingPrinter::Document &d = b.printer.documents()[0];
    QVERIFY(b.printer.images().isEmpty());
    QStringList lines;
    for (const Item &i : d.pages[0].items)
        lines.append(textLine(i).section(u' ', 0, 0) + u' ' + i.text.left(6));
    QCOMPARE(lines[8], "9 【材料】");
    QCOMPARE(lines[9], "16 【作り方】"); // the empty ingredients line, then five more
    const qsizetype memo = lines.indexOf("23 【メモ】");
    QVERIFY(memo > 0);
    QCOMPARE(lines[memo + 1].section(u' ', 0, 0), "24");
    QCOMPARE(lines[memo + 2].section(u' ', 0, 0), "25");
    QCOMPARE(d.pages[0].items[memo + 1].text.size() + d.pages[0].items[memo + 2].text.size(), 80);
    QCOMPARE(d.pages.size(), 2);
    QCOMPARE(textLine(d.pages[1].items.last()).section(u' ', 0, 0) + d.pages[1].items.last().text,
             "20おわり"); // 65 lines of 4.23 mm fill a page of 277 mm
}

void RecipePrintTest::screenImageLayout()
{
    RecipeBookScreens b;
    b.tools->openPrint();
    b.get<QRadioButton>(b.tools->printScreen(), "optForm")->setChecked(true);
    b.click(b.tools->printScreen(), "cmdPrintForm");
    QCOMPARE(b.printer.documents().size(), 1);
    QCOMPARE(b.printer.images().size(), 1);
    QVERIFY(b.printer.texts().isEmpty());
    QVERIFY(b.printer.documents()[0].landscape);
}

void RecipePrintTest::menuOfTwentyOnTwoPages()
{
    RecipeBookScreens b(menuOf(20), true);
    saveImage("red", b.t.path("料理1.jpg"));
    saveImage("blue", b.t.path("料理1.bmp"));
    auto *picture = b.get<QLabel>(b.screen, "imgGazou");
    const QImage before = picture->pixmap().toImage();
    b.tools->openPrint();
    QWidget *p = b.tools->printScreen();
    QCOMPARE(b.get<QLineEdit>(p, "txtEd")->text(), "20");
    QVERIFY(!b.get<QLineEdit>(p, "txtSt")->isEnabled());
    b.click(p, "cmdPrintPopora");
    const RecordingPrinter::Document &d = b.printer.documents()[0];
    QCOMPARE(d.pages.size(), 2);
    QCOMPARE(d.pages[0].items.size(), 30);
    QCOMPARE(d.pages[1].items.size(), 10);
    const QStringList texts = b.printer.texts();
    QCOMPARE(texts[11], "12 : 料理12");
    const double k = menuScale(d.pageSize);
    QCOMPARE(d.pages[0].items[0].position, QPointF(0, 450 * k));
    QCOMPARE(d.pages[0].items[1].target, QRectF(0, 700 * k, 3400 * k, 2550 * k));
    QCOMPARE(d.pages[0].items[28].position, QPointF(7000 * k, 13250 * k));
    QCOMPARE(d.pages[1].items[0].position, d.pages[0].items[0].position);
    QCOMPARE(d.pages[0].items[0].font.pointSizeF(), 9.0);
    QCOMPARE(d.pages[0].items[0].font.family(), "ＭＳ ゴシック");
    // 料理1: the .bmp wins over the .jpg; 料理2 has none: NOPIC.JPG, the same image for every such dish.
    QCOMPARE(d.pages[0].items[1].image.pixelColor(5, 5), QColor(Qt::blue));
    QCOMPARE(d.pages[0].items[3].image.cacheKey(), d.pages[1].items[9].image.cacheKey());
    QCOMPARE(d.pages[0].items[3].image.size(), QSize(600, 450));
    QCOMPARE(picture->pixmap().toImage(), before);
}

void RecipePrintTest::menuRanges()
{
    RecipeBookScreens b(menuOf(20), true);
    b.tools->openPrint();
    QWidget *p = b.tools->printScreen();
    QVERIFY(QTest::qWaitForWindowActive(p));
    b.click(p, "optHani");
    QCOMPARE(QApplication::focusWidget(), b.get<QLineEdit>(p, "txtSt"));
    b.type(p, "txtSt", "5");
    b.type(p, "txtEd", "５");
    b.click(p, "cmdPrintPopora");
    QCOMPARE(b.printer.texts(), QStringList({"5 : 料理5"}));
    QCOMPARE(b.printer.documents()[0].pages[0].items[0].position.x(), 0.0);
    b.type(p, "txtSt", "7");
    b.type(p, "txtEd", "3");
    b.get<QLineEdit>(p, "txtEd")->setFocus();
    b.click(p, "cmdPrintPopora");
    QCOMPARE(b.dialogs.beeps(), 1);
    QCOMPARE(b.get<QLineEdit>(p, "txtSt")->text() + b.get<QLineEdit>(p, "txtEd")->text(), QString());
    QCOMPARE(QApplication::focusWidget(), b.get<QLineEdit>(p, "txtSt"));
    QCOMPARE(b.printer.documents().size(), 1);
    b.click(p, "optAll");
    QCOMPARE(b.get<QLineEdit>(p, "txtSt")->text() + "-" + b.get<QLineEdit>(p, "txtEd")->text(), "1-20");

    RecipeBookScreens empty({}, true);
    empty.tools->openPrint();
    QCOMPARE(empty.get<QLineEdit>(empty.tools->printScreen(), "txtEd")->text(), "0");
    empty.click(empty.tools->printScreen(), "cmdPrintPopora");
    QCOMPARE(empty.dialogs.beeps(), 1);
    QVERIFY(empty.printer.documents().isEmpty());
}

void RecipePrintTest::realPdf()
{
    RecipeBookScreens b;
    QTemporaryDir documents; // the user's documents folder is not the test's to fill
    QtPrinter pdf(b.t.dir(), QtPrinter::Target::PdfFile, &b.t.clock(), documents.path());
    auto *tools = attachRecipeTools(b.screen, b.notebook(), b.dialogs, pdf);
    tools->openPrint();
    b.dialogs.expectInformation("印刷");
    b.click(tools->printScreen(), "cmdPrintForm");
    const QString textPdf = pdf.pdfPath();
    b.dialogs.expectInformation("印刷");
    b.click(tools->printScreen(), "cmdPrintPopora");
    VERIFY_DIALOGS(b.dialogs);
    QVERIFY(b.dialogs.shown()[1].text.contains(pdf.pdfPath()));
    auto run = [](const QString &program, const QStringList &args) {
        QProcess p;
        p.start(program, args);
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    QVERIFY(run("pdfinfo", {pdf.pdfPath()}).contains(QRegularExpression("Pages:\\s+2\\n")));
    const QString menu = run("pdftotext", {"-layout", pdf.pdfPath(), "-"});
    QVERIFY(menu.contains("1 : 十倍がゆ") && menu.contains("27 : キャベツと豚肉の炒め煮"));
    const QString text = run("pdftotext", {textPdf, "-"});
    QVERIFY2(text.contains("十倍がゆ") && text.contains("【作り方】") && text.contains("裏ごし器"),
             qPrintable(text));
    // A dish name of 100 characters still gives a file name the file system takes.
    QtPrinter longName(b.t.dir(), QtPrinter::Target::PdfFile, &b.t.clock(), documents.path());
    QVERIFY(longName.begin(QString(100, u'か')));
    longName.end();
    QVERIFY(QFile::exists(longName.pdfPath()));
    QVERIFY(QFileInfo(longName.pdfPath()).fileName().toUtf8().size() <= 255);
    if (const QString shots = qEnvironmentVariable("TECHO_SHOTS"); !shots.isEmpty()) {
        QFile::copy(textPdf, shots + "/layout1.pdf");
        QFile::copy(pdf.pdfPath(), shots + "/layout3.pdf");
    }
}

QTEST_MAIN(RecipePrintTest)
#include "recipe_print_test.moc"
