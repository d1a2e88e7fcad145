// The schedule panel on the notebook screen: remaining days and colours from the set clock,
// the order, adding, choosing and deleting rows, the file bytes after each, every message.
#include "common/cp932.h"
#include "register_screen.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QtTest>

namespace {

const QString Schedule = QStringLiteral("予定.txt");
const QColor Red(255, 192, 192), Green(192, 255, 192), Yellow(255, 255, 192);

QString helpText()
{
    return QStringLiteral("予定やイベントを登録しておくことができます。\r\n\r\n"
                          "予定日３日以内になると「黄色」で表示され、もうそろそろであることを示します。\r\n"
                          "予定日当日になると「緑色」で表示され、本日の予定であることを示します。\r\n"
                          "予定日を過ぎますと「赤色」で表示され、実施済みであることを示します。\r\n\r\n"
                          "日付（コンボで選ぶことも可）と予定を書き込んで保存ボタンを押すと登録できます。\r\n\r\n"
                          "必要に応じて、マウスで選んだ範囲を削除したり、一括して全データを削除することができます。");
}

QByteArray fiveEntries()
{
    return cp932::encode(QStringLiteral("\"2026/12/01\",\"一\"\r\n\"2026/12/02\",\"二\"\r\n\"2026/12/03\",\"三\"\r\n"
                                        "\"2026/12/04\",\"四\"\r\n\"2026/12/05\",\"五\"\r\n"))
        .bytes;
}

} // namespace

class SchedulePanelTest : public QObject
{
    Q_OBJECT
private slots:
    void coloursAndOrder();
    void dateListAndClock();
    void addThenDeleteOne();
    void chooseAndDelete_data();
    void chooseAndDelete();
    void cancelChangesNothing();
    void deleteAll();
    void refusals_data();
    void refusals();
    void enterInEmptyBoxSavesNothing();
    void helpTourText();
    void fileFromElsewhere();

private:
    struct Panel {
        explicit Panel(const QByteArray &schedule, QDate today = QDate(2026, 12, 6)) : s(today)
        {
            s.notebook.writeBytes(Schedule, schedule);
            s.load();
            s.click(QStringLiteral("cmdYotei"));
            grid = s.find<QTableWidget>(QStringLiteral("msgYotei"));
            date = s.find<QComboBox>(QStringLiteral("cboYHizuke"));
            text = s.find<QLineEdit>(QStringLiteral("txtYNaiyo"));
            del = s.find<QPushButton>(QStringLiteral("cmdDel"));
        }
        void add(const QString &d, const QString &t)
        {
            date->setEditText(d);
            text->setText(t);
            s.click(QStringLiteral("cmdHozon"));
        }
        RegisterScreen s;
        QTableWidget *grid;
        QComboBox *date;
        QLineEdit *text;
        QPushButton *del;
    };
};

void SchedulePanelTest::coloursAndOrder()
{
    Panel p(testDataBytes(QStringLiteral("schedule_order/予定.txt")));
    QVERIFY(p.grid->isVisible());
    QCOMPARE(column(p.grid, 0), (QStringList{"2026/11/01", "2026/12/05", "2026/12/06", "2026/12/07", "2026/12/07",
                                              "2026/12/09", "2026/12/10", "いつか"}));
    QCOMPARE(column(p.grid, 1), (QStringList{"先月", "きのう", "きょう, 午後", "あした", "あしたの二つ目", "三日後",
                                              "四日後", "日付でないもの"}));
    QCOMPARE(column(p.grid, 2), (QStringList{"-35", "-1", "0", "1", "1", "3", "4", ""}));
    const QList<QColor> colours{Red, Red, Green, Yellow, Yellow, Yellow, QColor(), QColor()};
    for (int r = 0; r < p.grid->rowCount(); ++r) {
        QCOMPARE(p.grid->item(r, 0)->background().style(), Qt::NoBrush); // the date is never coloured
        for (int c : {1, 2}) {
            const QBrush b = p.grid->item(r, c)->background();
            if (colours[r].isValid())
                QCOMPARE(b.color(), colours[r]);
            else
                QCOMPARE(b.style(), Qt::NoBrush);
        }
    }
    QVERIFY(p.s.dialogs.shown().isEmpty());
    // Reading never writes.
    QCOMPARE(p.s.notebook.bytes(Schedule), testDataBytes(QStringLiteral("schedule_order/予定.txt")));
}

void SchedulePanelTest::dateListAndClock()
{
    Panel p(cp932::encode(QStringLiteral("\"2026/12/07\",\"あした\"\r\n")).bytes);
    for (int shown = 0; shown < 2; ++shown) {
        QCOMPARE(p.date->count(), 90);
        QCOMPARE(p.date->itemText(0), QStringLiteral("2026/12/06"));
        QCOMPARE(p.date->itemText(89), QStringLiteral("2027/03/05"));
        QCOMPARE(p.date->currentText(), QStringLiteral("2026/12/06"));
        p.s.click(QStringLiteral("cmdYotei"));
    }
    QCOMPARE(p.grid->item(0, 2)->text(), QStringLiteral("1"));
    QCOMPARE(p.grid->item(0, 1)->background().color(), Yellow);
    // The next day the same entry is today's.
    p.s.notebook.clock().setToday(QDate(2026, 12, 7));
    p.s.click(QStringLiteral("cmdYotei"));
    QCOMPARE(p.grid->item(0, 2)->text(), QStringLiteral("0"));
    QCOMPARE(p.grid->item(0, 1)->background().color(), Green);
    QCOMPARE(p.date->itemText(0), QStringLiteral("2026/12/07"));
}

void SchedulePanelTest::addThenDeleteOne()
{
    Panel p{QByteArray()};
    p.add(QStringLiteral("2026/12/20"), QStringLiteral("クリスマス会の準備, 買い出し"));
    p.add(QStringLiteral("2026/12/07"), QStringLiteral("予防接種（四種混合）"));
    // Enter in the description box adds, and a date typed without zeros is kept as yyyy/mm/dd.
    p.date->setEditText(QStringLiteral("2026/12/6"));
    p.text->setText(QStringLiteral("１歳半健診①"));
    QTest::keyClick(p.text, Qt::Key_Return);
    VERIFY_DIALOGS(p.s.dialogs);
    QCOMPARE(p.date->currentText(), QStringLiteral("2026/12/06"));
    QCOMPARE(p.text->text(), QStringLiteral("１歳半健診①")); // kept for a similar entry
    QCOMPARE(p.s.notebook.bytes(Schedule), testDataBytes(QStringLiteral("schedule_add/expected_added.txt")));
    QCOMPARE(column(p.grid, 2), (QStringList{"0", "1", "14"}));

    QVERIFY(!p.del->isEnabled());
    dragRows(p.grid, 3, 3); // a click
    QVERIFY(p.del->isEnabled());
    p.s.dialogs.expect(QStringLiteral("削除確認"), QStringLiteral("選択した予定を削除します"), Dialogs::Icon::Warning,
                       Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel, Dialogs::Answer::Ok);
    p.s.click(QStringLiteral("cmdDel"));
    VERIFY_DIALOGS(p.s.dialogs);
    QCOMPARE(p.s.notebook.bytes(Schedule), testDataBytes(QStringLiteral("schedule_add/expected_deleted.txt")));
    QCOMPARE(column(p.grid, 0), (QStringList{"2026/12/06", "2026/12/07"}));
    QCOMPARE(p.grid->item(1, 1)->background().color(), Yellow); // colours stay with their rows
    QVERIFY(!p.del->isEnabled());
}

void SchedulePanelTest::chooseAndDelete_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("click on row 3") << 3 << 3 << int(Qt::LeftButton) << QStringList{"一", "二", "四", "五"};
    QTest::newRow("drag down 2 to 4") << 2 << 4 << int(Qt::LeftButton) << QStringList{"一", "五"};
    QTest::newRow("drag up 4 to 2") << 4 << 2 << int(Qt::LeftButton) << QStringList{"一", "五"};
    QTest::newRow("right button, first to last") << 1 << 5 << int(Qt::RightButton) << QStringList{};
}

void SchedulePanelTest::chooseAndDelete()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, button);
    QFETCH(QStringList, left);
    Panel p(fiveEntries());
    dragRows(p.grid, from, to, Qt::MouseButton(button));
    QVERIFY(p.del->isEnabled());
    p.s.dialogs.expect(QStringLiteral("削除確認"), QStringLiteral("選択した予定を削除します"), Dialogs::Icon::Warning,
                       Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel, Dialogs::Answer::Ok);
    p.s.click(QStringLiteral("cmdDel"));
    VERIFY_DIALOGS(p.s.dialogs);
    QCOMPARE(column(p.grid, 1), left);
    QCOMPARE(p.s.notebook.text(Schedule).count(QStringLiteral("\r\n")), left.size());
}

void SchedulePanelTest::cancelChangesNothing()
{
    Panel p(fiveEntries());
    dragRows(p.grid, 2, 3);
    p.s.dialogs.expect(QStringLiteral("削除確認"), QStringLiteral("選択した予定を削除します"), Dialogs::Icon::Warning,
                       Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel, Dialogs::Answer::Cancel);
    p.s.click(QStringLiteral("cmdDel"));
    p.s.dialogs.expect(QStringLiteral("削除確認"), QStringLiteral("予定を全て削除します"), Dialogs::Icon::Warning,
                       Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel, Dialogs::Answer::Cancel);
    p.s.click(QStringLiteral("cmdAllClr"));
    VERIFY_DIALOGS(p.s.dialogs);
    QCOMPARE(p.grid->rowCount(), 5);
    QCOMPARE(p.s.notebook.bytes(Schedule), fiveEntries());
    // Adding moves the rows: a choice made before no longer stands.
    QVERIFY(p.del->isEnabled());
    p.add(QStringLiteral("2026/11/30"), QStringLiteral("〇"));
    QVERIFY(!p.del->isEnabled());
    QCOMPARE(p.grid->selectedItems().size(), 0);
}

void SchedulePanelTest::deleteAll()
{
    Panel p(fiveEntries());
    p.s.dialogs.expect(QStringLiteral("削除確認"), QStringLiteral("予定を全て削除します"), Dialogs::Icon::Warning,
                       Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel, Dialogs::Answer::Ok);
    p.s.click(QStringLiteral("cmdAllClr"));
    VERIFY_DIALOGS(p.s.dialogs);
    QCOMPARE(p.grid->rowCount(), 0);
    QCOMPARE(p.grid->horizontalHeaderItem(2)->text(), QStringLiteral("残日数"));
    QVERIFY(QFile::exists(p.s.notebook.path(Schedule)));
    QCOMPARE(p.s.notebook.bytes(Schedule), QByteArray());
}

void SchedulePanelTest::refusals_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty description")
        << "2026/12/24" << "" << "予定未入力" << "予定を書き込んでから保存ボタンを押してください。";
    QTest::newRow("not a date") << "あさって" << "公園" << "入力確認"
                                << "その入力は日付の形式ではありません\r\n\r\n2002/02/18　のように入力してみて下さい";
    QTest::newRow("no such day") << "2026/02/30" << "公園" << "入力確認"
                                 << "その入力は日付の形式ではありません\r\n\r\n2002/02/18　のように入力してみて下さい";
    QTest::newRow("double quote")
        << "2026/12/24" << "\"サンタ\"の衣装" << "入力確認"
        << "半角の「\"」（ダブルクォーテーション）はファイルの区切りに使う文字のため、保存できません。\r\n\r\n"
           "全角の「”」などに置き換えてから、もう一度保存してください。";
    QTest::newRow("outside CP932")
        << "2026/12/24" << "𠮷田さん" << "入力確認"
        << "「𠮷」（U+20BB7）は育児手帖のファイルに保存できない文字です。\r\n\r\n別の文字に置き換えてから、もう一度保存してください。";
}

void SchedulePanelTest::refusals()
{
    QFETCH(QString, date);
    QFETCH(QString, description);
    QFETCH(QString, title);
    QFETCH(QString, message);
    Panel p(fiveEntries());
    p.s.dialogs.expectWarning(title, message);
    p.add(date, description);
    VERIFY_DIALOGS(p.s.dialogs);
    QCOMPARE(p.s.notebook.bytes(Schedule), fiveEntries());
    QCOMPARE(p.grid->rowCount(), 5);
}

void SchedulePanelTest::enterInEmptyBoxSavesNothing()
{
    Panel p(fiveEntries());
    p.text->clear();
    QTest::keyClick(p.text, Qt::Key_Return);
    VERIFY_DIALOGS(p.s.dialogs);
    QVERIFY(p.s.dialogs.shown().isEmpty());
    QCOMPARE(p.s.notebook.bytes(Schedule), fiveEntries());
}

void SchedulePanelTest::helpTourText()
{
    RegisterScreen s;
    s.load();
    s.notebook.notebook().tour.helpTourOn = 1;
    s.dialogs.expectInformation(QStringLiteral("ヘルプツアー"), helpText());
    s.click(QStringLiteral("cmdYotei"));
    VERIFY_DIALOGS(s.dialogs);
}

void SchedulePanelTest::fileFromElsewhere()
{
    // Text after a closing quote cannot be kept, and the last line has no CR LF.
    const QByteArray original =
        cp932::encode(QStringLiteral("\"2026/12/24\",\"5\"の靴\"\r\n\"2026/12/25\",\"大掃除\"")).bytes;
    Panel p(original);
    QCOMPARE(p.s.dialogs.titles(), QStringList{QStringLiteral("予定の読み込み")});
    p.s.dialogs.clear();
    p.add(QStringLiteral("2026/12/26"), QStringLiteral("帰省"));
    QCOMPARE(p.s.notebook.text(Schedule).split(QStringLiteral("\r\n")).mid(1),
             (QStringList{"\"2026/12/25\",\"大掃除\"", "\"2026/12/26\",\"帰省\"", ""}));
    // Told once; the first rewrite keeps the file as it was beside it.
    p.s.click(QStringLiteral("cmdYotei"));
    dragRows(p.grid, 1, 1);
    p.s.dialogs.expect(QStringLiteral("削除確認"), QString(), Dialogs::Icon::Warning, Dialogs::Buttons::OkCancel,
                       Dialogs::Answer::Cancel, Dialogs::Answer::Ok);
    p.s.click(QStringLiteral("cmdDel"));
    VERIFY_DIALOGS(p.s.dialogs);
    const QStringList backups = QDir(p.s.notebook.dir()).entryList({QStringLiteral("予定.txt.*.bak")});
    QCOMPARE(backups.size(), 1);
    QCOMPARE(p.s.notebook.bytes(backups.first()),
             original + cp932::encode(QStringLiteral("\r\n\"2026/12/26\",\"帰省\"\r\n")).bytes);
    QCOMPARE(p.s.notebook.text(Schedule), QStringLiteral("\"2026/12/25\",\"大掃除\"\r\n\"2026/12/26\",\"帰省\"\r\n"));
}

QTEST_MAIN(SchedulePanelTest)
#include "schedule_panel_test.moc"
