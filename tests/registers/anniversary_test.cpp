// The anniversary list beside the diary page: adding through the input box, the order and
// bytes of 記念日.txt, opening a day, the capacity.
#include "common/cp932.h"
#include "notebook/diary_page.h"
#include "registers/anniversary_box.h"
#include "register_screen.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

namespace {

const QString File = QStringLiteral("記念日.txt");
const QString Title = QStringLiteral("記念日登録");

QByteArray lines(int n)
{
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b += QStringLiteral("%1 x\r\n").arg(QDate(1995, 2, 15).addDays(i).toString(QStringLiteral("yyyy/MM/dd"))).toLatin1();
    return b;
}

QStringList listed(QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

} // namespace

class AnniversaryTest : public QObject
{
    Q_OBJECT
private slots:
    void addBetween();
    void presetIsThePageDate();
    void emptyInputAddsNothing();
    void refusedCharacter();
    void clickOpensTheDay_data();
    void clickOpensTheDay();
    void capacity();
    void longerFileReadUpToCapacity();
};

void AnniversaryTest::addBetween()
{
    RegisterScreen s;
    s.notebook.writeBytes(File, testDataBytes(QStringLiteral("anniversary_add/記念日.txt")));
    s.load();
    auto *list = s.find<QListWidget>(QStringLiteral("lstKinen"));
    QCOMPARE(list->count(), 2);
    s.dialogs.expectInput(Title, QStringLiteral("2026/03/01　ひな祭りの写真"));
    s.click(QStringLiteral("cmdKinen"));
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.dialogs.inputs().size(), 1);
    QCOMPARE(s.dialogs.inputs().first().prompt,
             QStringLiteral("記念日リストに登録します\r\n\r\n日付の後に内容を書き込んでください"));
    QCOMPARE(s.notebook.bytes(File), testDataBytes(QStringLiteral("anniversary_add/expected.txt")));
    QCOMPARE(listed(list), cp932::decode(testDataBytes(QStringLiteral("anniversary_add/expected.txt")))
                               .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts));
    auto *button = s.find<QToolButton>(QStringLiteral("cmdKinen"));
    QCOMPARE(button->toolTip(), Title);
    QCOMPARE(button->accessibleName(), Title);
}

void AnniversaryTest::presetIsThePageDate()
{
    RegisterScreen s;
    s.notebook.writeBytes(File, QByteArray());
    s.load();
    s.screen->setCurrentDay(3); // 1995/02/20
    QCOMPARE(s.screen->shownDate(), QStringLiteral("1995/02/20"));
    s.dialogs.expectInput(Title, QStringLiteral("1995/02/20")); // OK on the preset alone
    s.click(QStringLiteral("cmdKinen"));
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.dialogs.inputs().first().preset, QStringLiteral("1995/02/20"));
    QCOMPARE(s.notebook.bytes(File), QByteArray("1995/02/20\r\n"));
}

void AnniversaryTest::emptyInputAddsNothing()
{
    RegisterScreen s;
    s.load();
    const QByteArray before = s.notebook.bytes(File);
    s.dialogs.expectInput(Title, QString());
    s.click(QStringLiteral("cmdKinen"));
    VERIFY_DIALOGS(s.dialogs);
    QVERIFY(s.dialogs.shown().isEmpty());
    QCOMPARE(s.notebook.bytes(File), before);
}

void AnniversaryTest::refusedCharacter()
{
    RegisterScreen s;
    s.load();
    const QByteArray before = s.notebook.bytes(File);
    s.dialogs.expectInput(Title, QStringLiteral("1996/05/05　𠮷田さんと公園"));
    s.dialogs.expectWarning(QStringLiteral("入力確認"),
                            QStringLiteral("「𠮷」（U+20BB7）は育児手帖のファイルに保存できない文字です。\r\n\r\n"
                                           "別の文字に置き換えてから、もう一度保存してください。"));
    s.click(QStringLiteral("cmdKinen"));
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.notebook.bytes(File), before);
}

void AnniversaryTest::clickOpensTheDay_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a diary day") << QStringLiteral("1995/03/17　お宮参り") << QStringLiteral("1995/03/17");
    QTest::newRow("the day shown already") << QStringLiteral("1997/01/12　x") << QStringLiteral("1997/01/12");
    QTest::newRow("no page that day") << QStringLiteral("1995/03/18　x") << QStringLiteral("1997/01/12");
    QTest::newRow("not a date") << QStringLiteral("いつかの日") << QStringLiteral("1997/01/12");
    QTest::newRow("date alone") << QStringLiteral("1996/02/15") << QStringLiteral("1996/02/15");
}

void AnniversaryTest::clickOpensTheDay()
{
    QFETCH(QString, entry);
    QFETCH(QString, shown);
    RegisterScreen s;
    s.notebook.writeText(File, entry + QStringLiteral("\r\n"));
    s.load();
    QCOMPARE(s.screen->shownDate(), QStringLiteral("1997/01/12"));
    auto *list = s.find<QListWidget>(QStringLiteral("lstKinen"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QCOMPARE(s.screen->shownDate(), shown);
    QCOMPARE(s.find<QScrollBar>(QStringLiteral("hsbDay"))->value(), s.notebook.notebook().diary.find(shown));
    VERIFY_DIALOGS(s.dialogs);
}

void AnniversaryTest::capacity()
{
    RegisterScreen s;
    s.notebook.writeBytes(File, lines(730));
    s.load();
    QCOMPARE(s.find<QListWidget>(QStringLiteral("lstKinen"))->count(), 730);
    s.dialogs.expectWarning(Title, QStringLiteral("記念日リストはいっぱいです（730件まで）。\r\n\r\n"
                                                  "これ以上は登録できません。"));
    s.click(QStringLiteral("cmdKinen"));
    VERIFY_DIALOGS(s.dialogs);
    QVERIFY(s.dialogs.inputs().isEmpty());
    QCOMPARE(s.notebook.bytes(File), lines(730));

    // One fewer: the 730th is taken, sorted in, and the file holds all of them.
    RegisterScreen t;
    t.notebook.writeBytes(File, lines(729));
    t.load();
    t.dialogs.expectInput(Title, QStringLiteral("1990/01/01 first"));
    t.click(QStringLiteral("cmdKinen"));
    VERIFY_DIALOGS(t.dialogs);
    QCOMPARE(t.notebook.bytes(File), QByteArray("1990/01/01 first\r\n") + lines(729));
}

void AnniversaryTest::longerFileReadUpToCapacity()
{
    RegisterScreen s;
    s.notebook.writeBytes(File, lines(731));
    s.load();
    QCOMPARE(s.find<QListWidget>(QStringLiteral("lstKinen"))->count(), 730);
    int told = 0;
    for (const Dialogs::Box &b : s.loadBoxes)
        if (b.title == QStringLiteral("記念日の読み込み")) {
            ++told;
            QCOMPARE(b.text, QStringLiteral("記念日.txt を最後まで読み込めませんでした。\r\n"
                                            "読み込めた 730 件分を表示します。\r\n\r\n"
                                            "このファイルを書き換える前に、元のファイルを同じフォルダーに日付付きの控え（.bak）として残します。"));
        }
    QCOMPARE(told, 1);
    s.screen->diaryPage()->anniversaries()->KINEN_READ(); // told once only
    QVERIFY(s.dialogs.shown().isEmpty());
    s.dialogs.expectWarning(Title);
    s.click(QStringLiteral("cmdKinen"));
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.notebook.bytes(File), lines(731));
    QVERIFY(QDir(s.notebook.dir()).entryList({QStringLiteral("*.bak")}).isEmpty());
}

QTEST_MAIN(AnniversaryTest)
#include "anniversary_test.moc"
