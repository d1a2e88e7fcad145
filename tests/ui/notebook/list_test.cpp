// The diary list panel: a row per day refilled at every "一覧" click, the 35-character text
// cut with its line breaks, and a double-click (or Enter) opening the day on the diary panel.
#include "loaded_screen.h"

#include <QComboBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

namespace {
const QString ListTour =
    QStringLiteral("育児日記の情報の中で登録されている日付と身長、体重、\r\n"
                   "日記の書き出しを一覧表示します。\r\n\r\n\r\n"
                   "見たい日付をダブルクリックするとその日付の育児日記を表示します。\r\n");

QStringList row(const QTableWidget *grid, int r)
{
    QStringList cells;
    for (int c = 0; c < grid->columnCount(); ++c)
        cells.append(grid->item(r - 1, c)->text());
    return cells;
}
} // namespace

class ListTest : public QObject
{
    Q_OBJECT
private slots:
    void fillsEveryDay();
    void refilledAtEveryClick();
    void doubleClickOpensTheDay();
    void enterOpensTheCurrentDay();
};

void ListTest::fillsEveryDay()
{
    LoadedScreen s;
    expectHelpTour(s.dialogs, ListTour);
    s.click(QStringLiteral("cmdList"));
    VERIFY_DIALOGS(s.dialogs);
    QVERIFY(s.find<QWidget>(QStringLiteral("fraList"))->isVisible());
    QVERIFY(!s.find<QWidget>(QStringLiteral("fraDiary"))->isVisible());

    auto *grid = s.find<QTableWidget>(QStringLiteral("msgList"));
    QCOMPARE(grid->rowCount(), 60);
    QCOMPARE(grid->columnCount(), 4);
    QStringList headers;
    for (int c = 0; c < 4; ++c)
        headers.append(grid->horizontalHeaderItem(c)->text());
    QCOMPARE(headers, (QStringList{u"日付"_qs, u"身長 (cm)"_qs, u"体重 (g)"_qs, u"日記"_qs}));
    // A first line of 34 characters: the cut falls between its CR and LF.
    QCOMPARE(row(grid, 1),
             (QStringList{u"1995/02/15"_qs, u"50"_qs, u"3012"_qs,
                          u"午前10時23分、ももちゃん誕生。3012グラムの元気な女の子です。\r"_qs}));
    // A first line shorter than 35 characters: the break and the start of the second line follow.
    QCOMPARE(row(grid, 2),
             (QStringList{u"1995/02/16"_qs, u"0"_qs, u"0"_qs,
                          u"おっぱいを上手に飲めるようになってきました。\r\n夜中に3回起きたけれど"_qs}));
    QCOMPARE(row(grid, 60).first(), u"1997/01/12"_qs);
}

void ListTest::refilledAtEveryClick()
{
    LoadedScreen s;
    s.setHelpTour(false);
    s.click(QStringLiteral("cmdList"));
    auto *grid = s.find<QTableWidget>(QStringLiteral("msgList"));
    QCOMPARE(grid->rowCount(), 60);
    DiaryTable &diary = s.notebook().diary;
    diary.day(2).text = QStringLiteral("短い");
    diary.days().removeLast();
    QCOMPARE(grid->item(1, 3)->text().left(5), u"おっぱいを"_qs); // not refreshed while open
    s.click(QStringLiteral("cmdList"));
    QCOMPARE(grid->rowCount(), 59);
    QCOMPARE(grid->item(1, 3)->text(), u"短い"_qs);
}

void ListTest::doubleClickOpensTheDay()
{
    LoadedScreen s;
    s.setHelpTour(false);
    s.click(QStringLiteral("cmdList"));
    auto *grid = s.find<QTableWidget>(QStringLiteral("msgList"));
    const QRect cell = grid->visualItemRect(grid->item(4, 3));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    VERIFY_DIALOGS(s.dialogs);
    QVERIFY(s.find<QWidget>(QStringLiteral("fraDiary"))->isVisible());
    QVERIFY(!s.find<QWidget>(QStringLiteral("fraList"))->isVisible());
    QCOMPARE(s.find<QScrollBar>(QStringLiteral("hsbDay"))->value(), 5);
    QCOMPARE(s.find<QComboBox>(QStringLiteral("cboDay"))->currentText(), s.notebook().diary.day(5).date);
}

void ListTest::enterOpensTheCurrentDay()
{
    LoadedScreen s;
    s.setHelpTour(false);
    s.click(QStringLiteral("cmdList"));
    auto *grid = s.find<QTableWidget>(QStringLiteral("msgList"));
    grid->setCurrentCell(11, 0);
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(s.find<QWidget>(QStringLiteral("fraDiary"))->isVisible());
    QCOMPARE(s.find<QScrollBar>(QStringLiteral("hsbDay"))->value(), 12);
}

QTEST_MAIN(ListTest)
#include "list_test.moc"
