// The schedule panel: remaining days and colours from the set clock, the order, adding,
// choosing and deleting rows, the bytes of 予定.txt after each, every message.
#include "core/text/cp932.h"
#include "core/text/one_line.h"
#include "register_screen.h"
#include "user_actions.h"
#include "ui/registers/vaccination_window.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

const QString Schedule = QStringLiteral("予定.txt");
const QString Chosen = QStringLiteral("選択した予定を削除します");
const QColor Red(255, 192, 192), Green(192, 255, 192), Yellow(255, 255, 192);

const QByteArray FiveEntries =
    cp932::encode(QStringLiteral("\"2026/12/01\",\"一\"\r\n\"2026/12/02\",\"二\"\r\n"
                                 "\"2026/12/03\",\"三\"\r\n\"2026/12/04\",\"四\"\r\n"
                                 "\"2026/12/05\",\"五\"\r\n"))
        .bytes;

struct Panel : RegisterScreen {
    explicit Panel(const QByteArray &schedule)
    {
        notebook.writeBytes(Schedule, schedule);
        load();
        click(QStringLiteral("cmdYotei"));
        grid = find<RegisterGrid>(QStringLiteral("msgYotei"));
        date = find<QComboBox>(QStringLiteral("cboYHizuke"));
        text = find<QLineEdit>(QStringLiteral("txtYNaiyo"));
    }
    void add(const QString &d, const QString &t)
    {
        date->setEditText(d);
        text->setText(t);
        click(QStringLiteral("cmdHozon"));
    }
    bool deleteEnabled() const { return find(QStringLiteral("cmdDel"))->isEnabled(); }
    RegisterGrid *grid;
    QComboBox *date;
    QLineEdit *text;
};

} // namespace

class SchedulePanelTest : public QObject
{
    Q_OBJECT
private slots:
    void coloursOrderAndClock();
    void addThenDeleteOne();
    void chooseAndDelete_data();
    void chooseAndDelete();
    void refusals_data();
    void refusals();
    void fileFromElsewhere();
    void vaccinationsAddedOnce();
    void vaccinationsLateButAllowed();
    void vaccinationGivenMovesTheNext();
};

void SchedulePanelTest::coloursOrderAndClock()
{
    Panel p(testDataBytes(QStringLiteral("schedule_order/予定.txt")));
    QCOMPARE(column(p.grid, 1), (QStringList{"先月", "きのう", "きょう, 午後", "あした", "あしたの二つ目",
                                             "三日後", "四日後", "日付でないもの"}));
    QCOMPARE(column(p.grid, 2), (QStringList{"-35", "-1", "0", "1", "1", "3", "4", ""}));
    const QList<QColor> colours{Red, Red, Green, Yellow, Yellow, Yellow, QColor(), QColor()};
    for (int r = 0; r < p.grid->rowCount(); ++r) {
        QCOMPARE(p.grid->background(r + 1, 0).style(), Qt::NoBrush); // the date is never coloured
        for (int c : {1, 2}) {
            const QBrush b = p.grid->background(r + 1, c);
            QCOMPARE(b.style() == Qt::NoBrush ? QColor() : b.color(), colours[r]);
        }
    }
    // A screen reader reads the cells as shown; the days left stand to the right.
    QAccessibleTableInterface *table = QAccessible::queryAccessibleInterface(p.grid)->tableInterface();
    QCOMPARE(table->cellAt(1, 1)->text(QAccessible::Name), QStringLiteral("きのう"));
    QCOMPARE(p.grid->model()->index(0, 2).data(Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(p.notebook.bytes(Schedule), testDataBytes(QStringLiteral("schedule_order/予定.txt")));
    QCOMPARE(p.date->count(), 90);
    QCOMPARE(p.date->itemText(89), QStringLiteral("2027/03/05"));

    // The next day, shown again: the list starts today and tomorrow's entries are today's.
    p.notebook.clock().setToday(QDate(2026, 12, 7));
    p.notebook.notebook().tour.helpTourOn = 1;
    p.dialogs.expectInformation(
        QStringLiteral("ヘルプツアー"),
        QStringLiteral(
            "予定やイベントを登録しておくことができます。\r\n\r\n"
            "予定日３日以内になると「黄色」で表示され、もうそろそろであることを示します。\r\n"
            "予定日当日になると「緑色」で表示され、本日の予定であることを示します。\r\n"
            "予定日を過ぎますと「赤色」で表示され、実施済みであることを示します。\r\n\r\n"
            "日付（コンボで選ぶことも可）と予定を書き込んで保存ボタンを押すと登録できます。\r\n\r\n"
            "必要に応じて、マウスで選んだ範囲を削除したり、一括して全データを削除することができます。"));
    p.click(QStringLiteral("cmdYotei"));
    VERIFY_DIALOGS(p.dialogs);
    QCOMPARE(p.date->count(), 90);
    QCOMPARE(p.date->itemText(0), QStringLiteral("2026/12/07"));
    QCOMPARE(p.date->currentText(), QStringLiteral("2026/12/07"));
    QCOMPARE(column(p.grid, 2).mid(3, 2), (QStringList{"0", "0"}));
    QCOMPARE(p.grid->background(4, 1).color(), Green);
}

void SchedulePanelTest::addThenDeleteOne()
{
    Panel p{QByteArray()};
    p.add(QStringLiteral("2026/12/20"), QStringLiteral("クリスマス会の準備, 買い出し"));
    p.add(QStringLiteral("2026/12/07"), QStringLiteral("予防接種（四種混合）"));
    // Enter adds too; a date typed without zeros is stored as yyyy/mm/dd.
    p.date->setEditText(QStringLiteral("2026/12/6"));
    p.text->setText(QStringLiteral("１歳半健診①"));
    QTest::keyClick(p.text, Qt::Key_Return);
    VERIFY_DIALOGS(p.dialogs);
    QCOMPARE(p.text->text(), QStringLiteral("１歳半健診①"));
    QCOMPARE(p.notebook.bytes(Schedule), testDataBytes(QStringLiteral("schedule_add/expected_added.txt")));
    QCOMPARE(column(p.grid, 2), (QStringList{"0", "1", "14"}));
    // The same entry again (a double click on 保存) asks first; Cancel adds nothing.
    const QString again = QStringLiteral("2026/12/06 の「１歳半健診①」はもう予定にあります。\r\nもう一度追加しますか？");
    p.dialogs.expect(QStringLiteral("予定の確認"), again, Dialogs::Icon::Warning, Dialogs::Buttons::OkCancel,
                     Dialogs::Answer::Cancel, Dialogs::Answer::Cancel);
    QTest::keyClick(p.text, Qt::Key_Return);
    VERIFY_DIALOGS(p.dialogs);
    QCOMPARE(p.grid->rowCount(), 3);

    QVERIFY(!p.deleteEnabled());
    dragRows(p.grid, 3, 3);
    QVERIFY(p.deleteEnabled());
    p.expectDelete(Chosen);
    p.click(QStringLiteral("cmdDel"));
    VERIFY_DIALOGS(p.dialogs);
    QCOMPARE(p.notebook.bytes(Schedule), testDataBytes(QStringLiteral("schedule_add/expected_deleted.txt")));
    QCOMPARE(p.grid->background(2, 1).color(), Yellow); // colours stay with their rows
    QVERIFY(!p.deleteEnabled());

    p.expectDelete(QStringLiteral("予定を全て削除します"), Dialogs::Answer::Cancel);
    p.click(QStringLiteral("cmdAllClr"));
    QCOMPARE(p.grid->rowCount(), 2);
    p.expectDelete(QStringLiteral("予定を全て削除します"));
    p.click(QStringLiteral("cmdAllClr"));
    VERIFY_DIALOGS(p.dialogs);
    QCOMPARE(p.grid->rowCount(), 0);
    QCOMPARE(p.notebook.bytes(Schedule), QByteArray());
}

void SchedulePanelTest::chooseAndDelete_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("click on row 3") << 3 << 3 << int(Qt::LeftButton) << true
                                    << QStringList{"一", "二", "四", "五"};
    QTest::newRow("drag down 2 to 4") << 2 << 4 << int(Qt::LeftButton) << true << QStringList{"一", "五"};
    QTest::newRow("drag up 4 to 2") << 4 << 2 << int(Qt::LeftButton) << true << QStringList{"一", "五"};
    QTest::newRow("right button, 5 up to 1") << 5 << 1 << int(Qt::RightButton) << true << QStringList{};
    QTest::newRow("cancel") << 2 << 3 << int(Qt::LeftButton) << false
                            << QStringList{"一", "二", "三", "四", "五"};
}

void SchedulePanelTest::chooseAndDelete()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, button);
    QFETCH(bool, ok);
    QFETCH(QStringList, left);
    Panel p(FiveEntries);
    dragRows(p.grid, from, to, Qt::MouseButton(button));
    QVERIFY(p.deleteEnabled());
    QCOMPARE(p.grid->selectionModel()->selectedRows().size(), qAbs(to - from) + 1);
    p.expectDelete(Chosen, ok ? Dialogs::Answer::Ok : Dialogs::Answer::Cancel);
    p.click(QStringLiteral("cmdDel"));
    VERIFY_DIALOGS(p.dialogs);
    QCOMPARE(column(p.grid, 1), left);
    QCOMPARE(p.notebook.text(Schedule).count(QStringLiteral("\r\n")), left.size());
    if (!ok) { // adding moves rows: a pending choice no longer stands
        p.add(QStringLiteral("2026/11/30"), QStringLiteral("〇"));
        QVERIFY(!p.deleteEnabled());
    }
}

void SchedulePanelTest::refusals_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("title"); // "" for Enter in the box, which says nothing
    QTest::addColumn<QString>("message");
    const QString notADate =
        QStringLiteral("その入力は日付の形式ではありません\r\n\r\n2002/02/18　のように入力してみて下さい");
    QTest::newRow("empty") << "2026/12/24"
                           << ""
                           << "予定未入力"
                           << "予定を書き込んでから保存ボタンを押してください。";
    QTest::newRow("Enter in the empty box") << "2026/12/24"
                                            << ""
                                            << ""
                                            << "";
    QTest::newRow("not a date") << "あさって"
                                << "公園"
                                << "入力確認" << notADate;
    QTest::newRow("no such day") << "2026/02/30"
                                 << "公園"
                                 << "入力確認" << notADate;
    QTest::newRow("double quote") << "2026/12/24"
                                  << "\"サンタ\"の衣装"
                                  << "入力確認"
                                  << "半角の「\"」（ダブルクォーテーション）はファイルの区切りに使う文字のた"
                                     "め、保存できません。\r\n\r\n"
                                     "全角の「”」などに置き換えてから、もう一度保存してください。";
    QTest::newRow("pasted line break") << "2026/12/24"
                                       << "公園\nへ"
                                       << "入力確認" << controlCharacterMessage(QStringLiteral("予定"));
    QTest::newRow("outside CP932") << "2026/12/24"
                                   << "𠮷田さん"
                                   << "入力確認"
                                   << "「𠮷」（U+20BB7）は育児手帖のファイルに保存できない文字です。\r\n\r\n"
                                      "別の文字に置き換えてから、もう一度保存してください。";
}

void SchedulePanelTest::refusals()
{
    QFETCH(QString, date);
    QFETCH(QString, description);
    QFETCH(QString, title);
    QFETCH(QString, message);
    Panel p(FiveEntries);
    if (title.isEmpty()) {
        p.text->clear();
        QTest::keyClick(p.text, Qt::Key_Return);
    } else {
        p.dialogs.expectWarning(title, message);
        p.add(date, description);
    }
    VERIFY_DIALOGS(p.dialogs);
    QCOMPARE(p.notebook.bytes(Schedule), FiveEntries);
    QCOMPARE(p.grid->rowCount(), 5);
}

void SchedulePanelTest::fileFromElsewhere()
{
    // Text after a closing quote cannot be kept, and the last line has no CR LF.
    const QByteArray original =
        cp932::encode(QStringLiteral("\"2026/12/24\",\"5\"の靴\"\r\n\"2026/12/25\",\"大掃除\"")).bytes;
    Panel p(original);
    QCOMPARE(p.dialogs.titles(), QStringList{QStringLiteral("予定の読み込み")});
    QVERIFY(p.dialogs.shown().first().text.contains(QStringLiteral("書き戻せない行があります（1行目）")));
    p.dialogs.clear();
    p.add(QStringLiteral("2026/12/26"), QStringLiteral("帰省"));
    const QByteArray appended =
        original + cp932::encode(QStringLiteral("\r\n\"2026/12/26\",\"帰省\"\r\n")).bytes;
    QCOMPARE(p.notebook.bytes(Schedule), appended);
    // Told once; the first rewrite keeps the file as it was beside it.
    p.click(QStringLiteral("cmdYotei"));
    dragRows(p.grid, 1, 1);
    p.expectDelete(Chosen);
    p.click(QStringLiteral("cmdDel"));
    VERIFY_DIALOGS(p.dialogs);
    const QStringList backups = QDir(p.notebook.dir()).entryList({QStringLiteral("予定.txt.*.bak")});
    QCOMPARE(backups.size(), 1);
    QCOMPARE(p.notebook.bytes(backups.first()), appended);
    QCOMPARE(p.notebook.text(Schedule),
             QStringLiteral("\"2026/12/25\",\"大掃除\"\r\n\"2026/12/26\",\"帰省\"\r\n"));
}

// 予防接種の予定 for a child of two months: the passed doses start unchecked, a click checks an
// optional dose, OK appends them; the next time they show as entered. Without a birth date, a
// box and nothing else.
void SchedulePanelTest::vaccinationsAddedOnce()
{
    Panel p{QByteArray()};
    p.notebook.notebook().profile.birthDate = QStringLiteral("2026/10/06");
    p.screen->show();
    QVERIFY(QTest::qWaitForWindowActive(p.screen.get()));
    p.click(QStringLiteral("cmdYobou"));
    auto *window = p.screen->findChild<VaccinationWindow *>();
    QVERIFY(window);
    QVERIFY(window->findChild<QLabel *>(QStringLiteral("lblSource"))->text().contains(QStringLiteral("厚生労働省")));
    auto *first = window->findChild<QCheckBox *>(QStringLiteral("chk_dpt-1"));
    QVERIFY(first->isChecked()); // 2026/12/06: today
    QCOMPARE(first->accessibleName(), QStringLiteral("5種混合 1期1回目 2026/12/06"));
    auto *mumps = window->findChild<QCheckBox *>(QStringLiteral("chk_mumps-1"));
    QVERIFY(!mumps->isChecked());
    QTest::mouseClick(mumps, Qt::LeftButton);
    QVERIFY(mumps->isChecked());
    const int doses = int(window->checked().size());
    QString lines; // in the window's order, in one write
    for (const vaccinations::Planned &d : window->checked())
        lines +=
            QStringLiteral("\"%1\",\"%2\"\r\n").arg(d.date.toString(QStringLiteral("yyyy/MM/dd")), d.text);
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    VERIFY_DIALOGS(p.dialogs);
    const QString file = cp932::decode(p.notebook.bytes(Schedule));
    QCOMPARE(file, lines);
    QCOMPARE(file.count(QStringLiteral("予防接種：")), doses);
    QVERIFY(file.contains(QStringLiteral("\"2026/12/06\",\"予防接種：5種混合 1期1回目\"")));
    QVERIFY(file.contains(QStringLiteral("\"2027/10/06\",\"予防接種：おたふくかぜ 1回目\"")));
    QCOMPARE(p.grid->rowCount(), doses);

    p.click(QStringLiteral("cmdYobou"));
    auto windows = p.screen->findChildren<VaccinationWindow *>();
    VaccinationWindow *again = windows.last();
    auto *entered = again->findChild<QCheckBox *>(QStringLiteral("chk_dpt-1"));
    QVERIFY(!entered->isEnabled() && !entered->isChecked());
    QVERIFY(entered->text().contains(QStringLiteral("予定に入っています")));
    QVERIFY(again->checked().isEmpty());
    again->close();

    p.notebook.notebook().profile.birthDate.clear();
    p.dialogs.expectWarning(QStringLiteral("予防接種の予定"));
    p.click(QStringLiteral("cmdYobou"));
    VERIFY_DIALOGS(p.dialogs);
}

// A child of 20 months: MR 1期 is past its standard date but still allowed, so it says until
// when; rota's period is over; 5種混合 says it holds Hib. A click checks the late dose.
void SchedulePanelTest::vaccinationsLateButAllowed()
{
    Panel p{QByteArray()};
    p.notebook.notebook().profile.birthDate = QStringLiteral("2025/04/06");
    p.screen->show();
    QVERIFY(QTest::qWaitForWindowActive(p.screen.get()));
    p.click(QStringLiteral("cmdYobou"));
    auto *window = p.screen->findChild<VaccinationWindow *>();
    QVERIFY(window);
    auto *mr = window->findChild<QCheckBox *>(QStringLiteral("chk_mr-1"));
    QVERIFY(!mr->isChecked() && mr->isEnabled());
    QCOMPARE(
        mr->text(),
        QStringLiteral("MR（麻しん風しん） 1期　2026/04/06\n"
                       "標準の時期を 244 日過ぎています。2027/04/05（2歳の誕生日の前日）まで受けられます\n"
                       "対象期間 2026/04/06〜2027/04/05（2歳の誕生日の前日まで）\n"
                       "MR（麻しん風しん）：麻しん・風しん"));
    QVERIFY(mr->accessibleDescription().startsWith(QStringLiteral("標準の時期を 244 日過ぎています。")));
    auto *rota = window->findChild<QCheckBox *>(QStringLiteral("chk_rota1-1"));
    QVERIFY(!rota->isChecked());
    QVERIFY(rota->text().contains(
        QStringLiteral("定期接種の対象期間が過ぎています（2025/07/19、出生14週6日後まで）")));
    QVERIFY(
        window->findChild<QCheckBox *>(QStringLiteral("chk_dpt-1"))->text().contains(QStringLiteral("Hib")));
    QVERIFY(!window->findChild<QCheckBox *>(QStringLiteral("chk_hib-1")));
    QTest::mouseClick(mr, Qt::LeftButton, {}, QPoint(30, mr->height() / 2)); // on its words
    QVERIFY(mr->isChecked());
    const QList<vaccinations::Planned> chosen = window->checked();
    QVERIFY(std::any_of(chosen.cbegin(), chosen.cend(),
                        [](const vaccinations::Planned &d) { return d.dose.id == QStringLiteral("mr-1"); }));

    // The two choices of rota, one of them on; 5価 brings its third dose. No HPV for a boy.
    auto *rotaOne = window->findChild<QRadioButton *>(QStringLiteral("optRota1"));
    auto *rotaFive = window->findChild<QRadioButton *>(QStringLiteral("optRota5"));
    QVERIFY(rotaOne->isChecked() && !rotaFive->isChecked());
    QVERIFY(!window->findChild<QRadioButton *>(QStringLiteral("optHpv2"))->isVisible());
    QTest::mouseClick(rotaFive, Qt::LeftButton, {}, QPoint(8, rotaFive->height() / 2));
    QVERIFY(rotaFive->isChecked() && !rotaOne->isChecked());
    QVERIFY(window->findChild<QCheckBox *>(QStringLiteral("chk_rota5-3")));
    QVERIFY(!window->findChild<QCheckBox *>(QStringLiteral("chk_rota1-1")));
    window->close();
}

// A child born 2026/06/10 (standard 小児用肺炎球菌 08/10, 09/10, 10/10): Space on 接種済み of the
// first dose, its day and lot typed, Enter records it; the next two move by 27 days each; a day
// after today is refused with what was typed kept.
void SchedulePanelTest::vaccinationGivenMovesTheNext()
{
    Panel p{QByteArray()};
    p.notebook.notebook().profile.birthDate = QStringLiteral("2026/06/10");
    p.screen->show();
    QVERIFY(QTest::qWaitForWindowActive(p.screen.get()));
    p.click(QStringLiteral("cmdYobou"));
    auto *window = p.screen->findChild<VaccinationWindow *>();
    QVERIFY(window);
    const auto press = [window](const QString &button) {
        // A closed box leaves no window active under the offscreen platform.
        QApplication::setActiveWindow(window);
        window->findChild<QPushButton *>(button)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTRY_VERIFY(QApplication::focusWidget() &&
                    QApplication::focusWidget()->objectName() == QStringLiteral("txtGivenDate"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    };
    press(QStringLiteral("cmdGiven_pcv-1"));
    QCOMPARE(qobject_cast<QLineEdit *>(QApplication::focusWidget())->selectedText(), QStringLiteral("2026/12/06"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2026/9/20"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("AB12"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    typeText(QApplication::focusWidget(), QStringLiteral("さくら小児科"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(p.notebook.text(QStringLiteral("予防接種の記録.txt")),
             QStringLiteral("\"pcv-1\",\"2026/09/20\",\"AB12\",\"さくら小児科\",\"\"\r\n"));
    const auto mark = [window](const QString &id) {
        return window->findChild<QLabel *>(QStringLiteral("lblMark_") + id)->text();
    };
    QCOMPARE(mark(QStringLiteral("pcv-1")), QStringLiteral("済 2026/09/20"));
    QCOMPARE(mark(QStringLiteral("pcv-2")), QStringLiteral("予定 2026/10/17"));
    QCOMPARE(mark(QStringLiteral("pcv-3")), QStringLiteral("予定 2026/11/13"));
    auto *second = window->findChild<QCheckBox *>(QStringLiteral("chk_pcv-2"));
    QVERIFY(second->text().contains(QStringLiteral("前の回から最短の間隔をあけた日です（初回は27日以上の間隔")));
    QVERIFY(!window->findChild<QCheckBox *>(QStringLiteral("chk_pcv-1"))->isEnabled());

    press(QStringLiteral("cmdGiven_pcv-2"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2027/1/1"));
    p.dialogs.expectWarning(QStringLiteral("接種済み"), QStringLiteral("接種日（2027/01/01）が今日より後の日付です。"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    VERIFY_DIALOGS(p.dialogs);
    QCOMPARE(qobject_cast<QLineEdit *>(QApplication::focusWidget())->text(), QStringLiteral("2027/1/1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(p.notebook.text(QStringLiteral("予防接種の記録.txt")).count(u'\n'), 1);
}

QTEST_MAIN(SchedulePanelTest)
#include "schedule_panel_test.moc"
