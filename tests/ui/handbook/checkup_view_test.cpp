// The check-ups tab through real keys on the notebook screen: a 3〜4か月 check-up typed and
// added, its row and its line in 健診.txt, its marks on the growth chart; a refused weight
// that writes nothing and says why.
#include "handbook_screen.h"

#include <QChart>
#include <QChartView>
#include <QLineEdit>
#include <QScatterSeries>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString CheckupsFile = QStringLiteral("健診.txt");
// 手帳 with its 健診 tab, as it opens.
struct CheckupScreen : HandbookScreen {
    QTreeWidgetItem *rowOf(const QString &kind) const
    {
        const QList<QTreeWidgetItem *> items =
            find<QTreeWidget>(QStringLiteral("lstKenshin"))->findItems(kind, Qt::MatchExactly, 0);
        return items.value(0);
    }
};

} // namespace

class CheckupViewTest : public QObject
{
    Q_OBJECT
private slots:
    void addByKeys();
    void refusedWeightWritesNothing();
    void copyPrintsTheChosenAge();
};

void CheckupViewTest::addByKeys()
{
    CheckupScreen s;
    QCOMPARE(focused()->objectName(), QStringLiteral("cboKenshin"));
    // Before anything is recorded each routine check-up shows the days it is held.
    QCOMPARE(s.rowOf(u"1か月"_qs)->text(1), u"1995/03/15〜1995/05/14"_qs);
    typeText(focused(), u"3〜4か月"_qs);
    press(Qt::Key_Tab);
    QCOMPARE(focused()->objectName(), QStringLiteral("txtKenshinDate"));
    typeOver(u"1995/6/20"_qs);
    for (const QString &value : {u"６１．４"_qs, u"6,250g"_qs, u"40.5"_qs, u"41"_qs, u"異常なし"_qs}) {
        press(Qt::Key_Tab);
        typeText(focused(), value);
    }
    press(Qt::Key_Return);
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.files.text(CheckupsFile),
             u"\"3～4か月\",\"1995/06/20\",\"61.4\",\"6250\",\"40.5\",\"41.0\",\"異常なし\",\"\"\r\n"_qs);
    QTreeWidgetItem *row = s.rowOf(u"3〜4か月"_qs);
    QVERIFY(row);
    QCOMPARE(row->text(2), u"1995/06/20"_qs);
    QCOMPARE(row->text(4), u"6250g"_qs);
    QCOMPARE(row->text(7), u"異常なし"_qs);

    // The growth chart marks the check-up's height and weight on its day.
    s.find<QWidget>(QStringLiteral("cmdGraph"))->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    VERIFY_DIALOGS(s.dialogs);
    QChart *chart = s.find<QChartView>(QStringLiteral("chrTaijyu"))->chart();
    QHash<QString, QList<QPointF>> marks;
    for (QAbstractSeries *series : chart->series())
        if (auto *scatter = qobject_cast<QScatterSeries *>(series);
            scatter && series->name().startsWith(u"健診"))
            marks.insert(series->name(), scatter->points());
    const double day = double(QDate(1995, 2, 15).daysTo(QDate(1995, 6, 20)));
    QCOMPARE(marks.value(u"健診の身長"_qs), (QList<QPointF>{{day, 61.4}}));
    QCOMPARE(marks.value(u"健診の体重"_qs), (QList<QPointF>{{day, 6250}}));
}

void CheckupViewTest::refusedWeightWritesNothing()
{
    CheckupScreen s;
    typeText(focused(), u"6〜7か月"_qs);
    press(Qt::Key_Tab);
    typeOver(u"1995/9/1"_qs);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    typeText(focused(), u"62,50"_qs);
    s.dialogs.expectWarning(QStringLiteral("健診"));
    s.find<QWidget>(QStringLiteral("cmdKenshinAdd"))->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    VERIFY_DIALOGS(s.dialogs);
    QVERIFY(s.dialogs.shown().constFirst().text.startsWith(u"体重は 500 から 30000 まで"_qs));
    QVERIFY(s.files.bytes(CheckupsFile).isEmpty());
    QVERIFY(s.notebook().checkups.isEmpty());
    QCOMPARE(s.find<QLineEdit>(QStringLiteral("txtKenshinWeight"))->text(), u"62,50"_qs); // kept to put right
}

// 母子手帳に書き写す: the age starts at the child's (a grown-up もも: 3歳), the Up key goes back to
// 6〜7か月, and its page prints with the diary's measure nearest that age.
void CheckupViewTest::copyPrintsTheChosenAge()
{
    CheckupScreen s;
    s.find<QWidget>(QStringLiteral("cboTechoAge"))->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 5; ++i)
        press(Qt::Key_Up);
    press(Qt::Key_Tab);
    QCOMPARE(focused()->objectName(), QStringLiteral("cmdTechoPrint"));
    press(Qt::Key_Space);
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.printer.documents().size(), 1);
    QCOMPARE(s.printer.documents().first().name, u"母子手帳に書き写す（6〜7か月のころ）"_qs);
    QCOMPARE(s.printer.pageCount(), 1);
    QVERIFY(s.printer.texts().contains(u"68 cm　1995/09/16（生後7か月1日）"_qs));
}

QTEST_MAIN(CheckupViewTest)
#include "checkup_view_test.moc"
