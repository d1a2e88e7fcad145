// Screen printing: the help tour and the "印刷確認" question of the notebook screen, one page
// with the window's image fitted on it, and the real printer's PDF file when no printer is set.
#include "loaded_screen.h"
#include "ui/notebook/screen_print.h"
#include "ui/widgets/qt_printer.h"

#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {

const QString PrintTour =
    QStringLiteral("表示されている画面のイメージで印刷を行います。\r\n\r\n"
                   "必要に応じてグラフ表示をさせたり、予定画面などにして各種情報を印刷できます。");
const QString PrintQuestion =
    QStringLiteral("表示中の情報で印刷しますか？\r\n\r\n良かったらＯＫボタンを押してください");

void expectQuestion(ScriptedDialogs &d, Dialogs::Answer answer)
{
    d.expect(QStringLiteral("印刷確認"), PrintQuestion, Dialogs::Icon::Warning, Dialogs::Buttons::OkCancel,
             Dialogs::Answer::Ok, answer);
}

// How far apart two pictures of one size are: the mean difference of their channels, 0 to 255.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int r = 0; r < x.height(); ++r)
        for (int c = 0; c < x.width(); ++c) {
            const QRgb p = x.pixel(c, r), q = y.pixel(c, r);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

// A window whose picture is easy to find on paper: red on the left, blue on the right.
class TwoColours : public QWidget
{
public:
    TwoColours()
    {
        resize(400, 200);
        setWindowTitle(QStringLiteral("テスト/印刷"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(0, 0, width() / 2, height(), Qt::red);
        p.fillRect(width() / 2, 0, width() - width() / 2, height(), Qt::blue);
    }
};

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

Q_DECLARE_METATYPE(Dialogs::Answer)

class PrintTest : public QObject
{
    Q_OBJECT
private slots:
    void printsTheWindowImage();
    void outcomes_data();
    void outcomes();
    void pdfWithoutAPrinter();
    void pdfFolder_data();
    void pdfFolder();
};

void PrintTest::printsTheWindowImage()
{
    LoadedScreen s;
    s.setHelpTour(false);
    s.click(QStringLiteral("cmdGraph"));
    s.setHelpTour(true);
    expectHelpTour(s.dialogs, PrintTour);
    expectQuestion(s.dialogs, Dialogs::Answer::Ok);
    s.click(QStringLiteral("cmdPrint"));
    VERIFY_DIALOGS(s.dialogs);

    QCOMPARE(s.printer.documents().size(), 1);
    const RecordingPrinter::Document &doc = s.printer.documents().first();
    QCOMPARE(doc.name, u"ももちゃんの育児手帖"_qs);
    QVERIFY(doc.ended);
    QVERIFY(doc.landscape); // the window is wider than tall
    QCOMPARE(doc.pages.size(), 1);
    QCOMPARE(doc.pages.first().items.size(), 1);
    QVERIFY(s.printer.texts().isEmpty());

    // The window as shown (the growth panel), its shape kept, as large as the page allows.
    const RecordingPrinter::Item &picture = doc.pages.first().items.first();
    const QSize window = s.screen.size();
    QCOMPARE(picture.image.size(), window * 2);
    const QRectF page(QPointF(0, 0), doc.pageSize);
    QVERIFY(page.contains(picture.target.adjusted(0.01, 0.01, -0.01, -0.01)));
    QVERIFY(qFuzzyCompare(picture.target.width() / picture.target.height(),
                          double(window.width()) / window.height()));
    QVERIFY(qFuzzyCompare(picture.target.width(), page.width()) ||
            qFuzzyCompare(picture.target.height(), page.height()));
    const QImage onScreen = s.screen.grab().toImage();
    const QImage printed =
        picture.image.scaled(onScreen.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY2(meanDifference(onScreen, printed) < 6,
             qPrintable(QString::number(meanDifference(onScreen, printed))));
}

void PrintTest::outcomes_data()
{
    QTest::addColumn<Dialogs::Answer>("answer");
    QTest::addColumn<bool>("starts");       // what the printer's begin answers
    QTest::addColumn<QString>("sentence");  // what its end says
    QTest::addColumn<QStringList>("boxes"); // after the question
    QTest::addColumn<int>("pages");

    QTest::newRow("cancel prints nothing")
        << Dialogs::Answer::Cancel << true << QString() << QStringList() << 0;
    QTest::newRow("printed") << Dialogs::Answer::Ok << true << QString() << QStringList() << 1;
    QTest::newRow("printer cannot start")
        << Dialogs::Answer::Ok << false << QString() << QStringList{u"印刷"_qs} << 0;
    QTest::newRow("went to a file") << Dialogs::Answer::Ok << true << u"ファイルに保存しました。"_qs
                                    << QStringList{u"印刷"_qs} << 1;
}

// With the tour off, straight to the question.
void PrintTest::outcomes()
{
    QFETCH(Dialogs::Answer, answer);
    QFETCH(bool, starts);
    QFETCH(QString, sentence);
    QFETCH(QStringList, boxes);
    QFETCH(int, pages);
    LoadedScreen s;
    s.setHelpTour(false);
    s.click(QStringLiteral("cmdList"));
    s.printer.beginResult = starts;
    s.printer.endSentence = sentence;
    expectQuestion(s.dialogs, answer);
    s.dialogs.setLenient(true);
    s.click(QStringLiteral("cmdPrint"));
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.dialogs.titles(), QStringList{u"印刷確認"_qs} + boxes);
    if (!sentence.isEmpty())
        QCOMPARE(s.dialogs.shown().last().text, sentence);
    QCOMPARE(s.printer.pageCount(), pages);
    QVERIFY(s.find<QWidget>(QStringLiteral("fraList"))->isVisible());
}

void PrintTest::pdfWithoutAPrinter()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("pdftoppm (poppler-utils) is needed to look at the PDF");
    QTemporaryDir dir;
    const QString notebook = dir.filePath(QStringLiteral("手帖")),
                  documents = dir.filePath(QStringLiteral("書類"));
    QVERIFY(QDir().mkpath(notebook) && QDir().mkpath(documents));
    const FixedClock clock(QDate(2026, 12, 7), QTime(21, 5, 9));
    QtPrinter printer(notebook, QtPrinter::Target::PdfFile, &clock, documents);
    ScriptedDialogs dialogs;
    TwoColours window;
    dialogs.expectInformation(QStringLiteral("印刷"));
    QVERIFY(printWindowImage(&window, printer, dialogs));
    VERIFY_DIALOGS(dialogs);

    QCOMPARE(QDir(notebook).entryList(QDir::Files), QStringList());
    const QStringList pdfs = QDir(documents).entryList({QStringLiteral("*.pdf")});
    QCOMPARE(pdfs.size(), 1);
    QCOMPARE(pdfs.first(), u"テスト印刷_20261207-210509.pdf"_qs);
    const QString path = QDir(documents).filePath(pdfs.first());
    QCOMPARE(printer.pdfPath(), path);
    QVERIFY(dialogs.shown().first().text.startsWith(u"プリンターが設定されていないため"_qs));
    QVERIFY(dialogs.shown().first().text.endsWith(QDir::toNativeSeparators(path)));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
    // A4 across.
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+842 x 595 pts"))),
             qPrintable(info));

    // On paper: red at the left of the picture, blue at its right, white below it. The picture
    // spans the 277 mm between the margins and is 138.5 mm high from the top margin.
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("25.4"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
         path, dir.filePath(QStringLiteral("page"))});
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    QVERIFY(std::abs(page.width() - 297) <= 1 && std::abs(page.height() - 210) <= 1); // a pixel a millimetre
    const auto near = [](QRgb p, QColor c) {
        return std::abs(qRed(p) - c.red()) < 40 && std::abs(qGreen(p) - c.green()) < 40 &&
               std::abs(qBlue(p) - c.blue()) < 40;
    };
    QVERIFY(near(page.pixel(20, 20), Qt::red));
    QVERIFY(near(page.pixel(140, 140), Qt::red));
    QVERIFY(near(page.pixel(160, 20), Qt::blue));
    QVERIFY(near(page.pixel(280, 140), Qt::blue));
    QVERIFY(near(page.pixel(150, 160), Qt::white));
    QVERIFY(near(page.pixel(5, 5), Qt::white));
}

// Where a PDF goes without a printer: the documents folder, else the home folder, never the
// notebook folder or inside it (then beside the notebook).
void PrintTest::pdfFolder_data()
{
    QTest::addColumn<bool>("hasDocuments");
    QTest::addColumn<QString>("notebook"); // under the home folder
    QTest::addColumn<QString>("expected"); // under the home folder's parent
    QTest::newRow("documents") << true << "手帖"
                               << "home/Documents";
    QTest::newRow("no documents folder: home") << false << "手帖"
                                               << "home";
    QTest::newRow("the notebook inside documents") << true << "Documents/手帖"
                                                   << "home/Documents";
    QTest::newRow("the notebook is the documents folder") << true << "Documents"
                                                          << "home";
    QTest::newRow("documents inside the notebook") << true << ""
                                                   << "";
    QTest::newRow("home is the notebook") << false << ""
                                          << "";
}

void PrintTest::pdfFolder()
{
    QFETCH(bool, hasDocuments);
    QFETCH(QString, notebook);
    QFETCH(QString, expected);
    QTemporaryDir top;
    const QString home = top.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(home + u'/' + notebook) && QDir().mkpath(top.filePath(QStringLiteral("config"))));
    if (hasDocuments)
        QVERIFY(QDir().mkpath(home + QStringLiteral("/Documents")));
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(top.filePath(QStringLiteral("config"))));
    const QString folder = pdfFolderFor(home + u'/' + notebook);
    const QString documents = documentsFolder();
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
    QCOMPARE(documents, home + (hasDocuments ? QStringLiteral("/Documents") : QString()));
    const QString root = QFileInfo(top.path()).canonicalFilePath();
    QCOMPARE(QFileInfo(folder).canonicalFilePath(), expected.isEmpty() ? root : root + u'/' + expected);
}

QTEST_MAIN(PrintTest)
#include "print_test.moc"
