// The anniversary list beside the diary page: adding through the input box, the order and
// bytes of 記念日.txt, opening a day, the capacity.
#include "core/text/cp932.h"
#include "generators.h"
#include "register_screen.h"
#include "ui/notebook/anniversary_box.h"
#include "ui/notebook/diary_page.h"

#include <QDir>
#include <QListWidget>
#include <QtTest>

namespace {
const QString File = QStringLiteral("記念日.txt");
const QString Title = QStringLiteral("記念日登録");
} // namespace

class AnniversaryTest : public QObject
{
    Q_OBJECT
private slots:
    void addBetween();
    void inputs_data();
    void inputs();
    void clickOpensTheDay_data();
    void clickOpensTheDay();
    void capacity();
};

void AnniversaryTest::addBetween()
{
    RegisterScreen s;
    s.notebook.writeBytes(File, testDataBytes(QStringLiteral("anniversary_add/記念日.txt")));
    s.load();
    s.dialogs.expectInput(Title, QStringLiteral("2026/03/01　ひな祭りの写真"));
    s.click(QStringLiteral("cmdKinen"));
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.dialogs.inputs().first().prompt,
             QStringLiteral("記念日リストに登録します\r\n\r\n日付の後に内容を書き込んでください"));
    const QByteArray expected = testDataBytes(QStringLiteral("anniversary_add/expected.txt"));
    QCOMPARE(s.notebook.bytes(File), expected);
    auto *list = s.find<QListWidget>(QStringLiteral("lstKinen"));
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(1)->text(), QStringLiteral("2026/03/01　ひな祭りの写真"));
    QCOMPARE(s.find(QStringLiteral("cmdKinen"))->accessibleName(), Title);
}

void AnniversaryTest::inputs_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("file");    // afterwards
    QTest::addColumn<QString>("warning"); // text of the box shown, if any
    const QString before = QStringLiteral("1995/02/15　誕生\r\n");
    QTest::newRow("OK on the preset alone") << "1995/02/20" << before + "1995/02/20\r\n"
                                            << "";
    QTest::newRow("Cancel") << "" << before << "";
    QTest::newRow("outside CP932") << "1995/02/20　𠮷田さん" << before
                                   << "「𠮷」（U+20BB7）は育児手帖のファイルに保存できない文字です。\r\n\r\n"
                                      "別の文字に置き換えてから、もう一度保存してください。";
}

void AnniversaryTest::inputs()
{
    QFETCH(QString, answer);
    QFETCH(QString, file);
    QFETCH(QString, warning);
    RegisterScreen s;
    s.notebook.writeText(File, QStringLiteral("1995/02/15　誕生\r\n"));
    s.load();
    s.screen->setCurrentDay(3);
    s.dialogs.expectInput(Title, answer);
    if (!warning.isEmpty())
        s.dialogs.expectWarning(QStringLiteral("入力確認"), warning);
    s.click(QStringLiteral("cmdKinen"));
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.dialogs.inputs().first().preset, QStringLiteral("1995/02/20")); // the page shown
    QCOMPARE(s.notebook.text(File), file);
}

void AnniversaryTest::clickOpensTheDay_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a diary day") << "1995/03/17　お宮参り"
                                 << "1995/03/17";
    QTest::newRow("date alone") << "1996/02/15"
                                << "1996/02/15";
    QTest::newRow("no page that day") << "1995/03/18　x"
                                      << "1997/01/12";
    QTest::newRow("not a date") << "いつかの日"
                                << "1997/01/12";
}

void AnniversaryTest::clickOpensTheDay()
{
    QFETCH(QString, entry);
    QFETCH(QString, shown);
    RegisterScreen s;
    s.notebook.writeText(File, entry + QStringLiteral("\r\n"));
    s.load();
    auto *list = s.find<QListWidget>(QStringLiteral("lstKinen"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QCOMPARE(s.screen->shownDate(), shown);
    QCOMPARE(s.screen->diaryPage()->currentDay(), s.notebook.notebook().diary.find(shown));
}

void AnniversaryTest::capacity()
{
    // A full list refuses an addition before asking for it.
    RegisterScreen full;
    full.notebook.writeBytes(File, generators::anniversaryFile(730));
    full.load();
    full.dialogs.expectWarning(Title, QStringLiteral("記念日リストはいっぱいです（730件まで）。\r\n\r\n"
                                                     "これ以上は登録できません。"));
    full.click(QStringLiteral("cmdKinen"));
    VERIFY_DIALOGS(full.dialogs);
    QVERIFY(full.dialogs.inputs().isEmpty());

    // A longer file: 730 lines read, told once, the file left as it is.
    RegisterScreen longer;
    longer.notebook.writeBytes(File, generators::anniversaryFile(731));
    longer.load();
    QCOMPARE(longer.find<QListWidget>(QStringLiteral("lstKinen"))->count(), 730);
    QStringList told;
    for (const Dialogs::Box &b : longer.loadBoxes)
        if (b.title == QStringLiteral("記念日の読み込み"))
            told.append(b.text);
    QCOMPARE(told, QStringList{NotebookFiles::notWholeMessage(File, 730, QStringLiteral("件"))});
    longer.screen->diaryPage()->anniversaries()->readAnniversaries();
    QVERIFY(longer.dialogs.shown().isEmpty());
    QCOMPARE(longer.notebook.bytes(File), generators::anniversaryFile(731));
}

QTEST_MAIN(AnniversaryTest)
#include "anniversary_test.moc"
