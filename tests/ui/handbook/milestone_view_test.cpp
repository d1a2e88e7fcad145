// できたよ through real keys and clicks on the notebook screen (ももちゃん, born 1995/02/15): a
// refused date that changes nothing, a first added with its date, its age in the list, its line
// in the file, and the one click to the anniversaries (not twice).
#include "handbook_screen.h"

#include <QComboBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

namespace {

// 手帳 with its できたよ tab clicked.
struct MilestoneScreen : HandbookScreen {
    MilestoneScreen()
    {
        auto *tabs = find<QTabWidget>(QStringLiteral("tabTecho"));
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
        list = find<QTreeWidget>(QStringLiteral("lstDekitayo"));
    }
    // Types into each field over what it holds, then Enter.
    void addTyped(const QString &what, const QString &date)
    {
        find<QWidget>(QStringLiteral("cboDekita"))->setFocus(Qt::TabFocusReason);
        for (const QString &text : {what, date}) {
            typeOver(text);
            press(Qt::Key_Tab);
        }
        press(Qt::Key_Return);
    }
    QString row(int r) const
    {
        return list->topLevelItem(r)->text(1) + u' ' + list->topLevelItem(r)->text(2);
    }
    QTreeWidget *list = nullptr;
};

} // namespace

class MilestoneViewTest : public QObject
{
    Q_OBJECT
private slots:
    void refusedThenAddedThenAnniversary();
};

void MilestoneViewTest::refusedThenAddedThenAnniversary()
{
    MilestoneScreen s;
    s.dialogs.expectWarning(u"できたよ"_qs, u"日付（1995/02/14）が生年月日より前の日付です。"_qs);
    s.addTyped(u"寝返り"_qs, u"1995/2/14"_qs);
    QVERIFY(s.files.bytes(u"できたよ.txt"_qs).isEmpty());
    QCOMPARE(s.row(1), u"— —"_qs);
    QCOMPARE(s.find<QComboBox>(QStringLiteral("cboDekita"))->currentText(),
             u"寝返り"_qs); // kept to put right
    s.addTyped(u"寝返り"_qs, u"1995/7/27"_qs);
    QCOMPARE(s.files.text(u"できたよ.txt"_qs), u"\"寝返り\",\"1995/07/27\",\"\"\r\n"_qs);
    QCOMPARE(s.row(1), u"1995/07/27 生後5か月12日"_qs);
    QCOMPARE(s.list->currentItem(), s.list->topLevelItem(1));

    const QString entry = u"1995/07/27 寝返り（生後5か月12日）"_qs;
    auto *toAnniversaries = s.find<QWidget>(QStringLiteral("cmdDekitaKinen"));
    s.dialogs.expectInformation(u"できたよ"_qs, u"記念日に追加しました："_qs + entry);
    QTest::mouseClick(toAnniversaries, Qt::LeftButton);
    s.dialogs.expectInformation(u"できたよ"_qs, u"「"_qs + entry + u"」は、もう記念日に入っています。"_qs);
    QTest::mouseClick(toAnniversaries, Qt::LeftButton);
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.files.text(u"記念日.txt"_qs).count(entry + u"\r\n"_qs), 1);
}

QTEST_MAIN(MilestoneViewTest)
#include "milestone_view_test.moc"
