// The diary page through the notebook screen: browsing, the new page and every branch of the
// save command, with the exact boxes it shows and the file it leaves.
#include "core/book/notebook.h"
#include "core/text/cp932.h"
#include "core/notebook/diary_store.h"
#include "generators.h"
#include "loaded_screen.h"
#include "scripted_dialogs.h"
#include "test_notebook.h"
#include "ui/notebook/diary_page.h"
#include "ui/recipes/recipe_screen.h"
#include "ui/shell/diary_screen.h"
#include "ui/widgets/qt_printer.h"
#include "user_actions.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>

namespace {

const QString Diary = QStringLiteral("日記.txt");

QString threeDays()
{
    return diaryFileText({{QStringLiteral("2026/01/01"), 50, 3000, QStringLiteral("うまれた日")},
                          {QStringLiteral("2026/01/10"), 0, 3200, QStringLiteral("十日目")},
                          {QStringLiteral("2026/02/01"), 54, 4000, QStringLiteral("一か月")}});
}

// The notebook screen loaded on the sample with this diary, the help tour off.
struct Fixture : LoadedScreen {
    explicit Fixture(const QString &diary = threeDays()) : LoadedScreen(cp932::encode(diary).bytes)
    {
        setHelpTour(false);
    }
    template <class T> T *get(const char *name) { return screen.findChild<T *>(QString::fromLatin1(name)); }
    void type(const QString &date, const QString &height, const QString &weight,
              const QString &text = QString())
    {
        get<QComboBox>("cboDay")->setEditText(date);
        get<QLineEdit>("txtShincyo")->setText(height);
        get<QLineEdit>("txtTaijyu")->setText(weight);
        get<QPlainTextEdit>("txtDiary")->setPlainText(text);
    }
    void save() { get<QPushButton>("cmdTouroku")->click(); }
    QString date() { return get<QComboBox>("cboDay")->currentText(); }
    int day() { return get<QScrollBar>("hsbDay")->value(); }
};

void expectNew(ScriptedDialogs &d, Dialogs::Answer answer = Dialogs::Answer::Ok)
{
    d.expect(QStringLiteral("新規登録確認"), QStringLiteral("新しい日付です。日記に追加します。"),
             Dialogs::Icon::Information, Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok, answer);
}

void expectChange(ScriptedDialogs &d, Dialogs::Answer answer = Dialogs::Answer::Ok)
{
    d.expect(QStringLiteral("変更登録確認"), QStringLiteral("既存の日付です。変更して書き込みます。"),
             Dialogs::Icon::Information, Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok, answer);
}

void expectDone(ScriptedDialogs &d)
{
    d.expectInformation(QStringLiteral("書き込み終了"), QStringLiteral("日記に書き込みました。"));
}

} // namespace

class DiaryPageTest : public QObject
{
    Q_OBJECT
private slots:
    void browsing();
    void refusals_data();
    void refusals();
    void newDayAfterTheLast();
    void damagedDiaryKeepsEveryDay();
    void changesThroughTheNotebookReachThePage();
    void newDayInTheMiddleIsSortedIn();
    void cancelWritesNothing();
    void changeExistingDayOnly();
    void sameDateAsDayOneChangesDayOne();
    void heightZeroWithoutWeightSaves();
    void fullTableRefusesEverySave();
    void emptyTableTakesDayOne();
    void apostropheLineSurvivesSaveAndReload();
    void newPageShowsTodayAndKeepsTheDay();
    void typedDateStaysTyped();
    void dayTheBarPointsAtOpensFromTheSearchList();
    void heightKeepsItsTenth_data();
    void heightKeepsItsTenth();
    void dayFromOutsideOutOfOrder();
};

void DiaryPageTest::browsing()
{
    Fixture f;
    QCOMPARE(f.day(), 3); // the last day is shown at start
    QCOMPARE(f.date(), QStringLiteral("2026/02/01"));
    QCOMPARE(f.get<QComboBox>("cboDay")->count(), 3);
    QCOMPARE(f.get<QScrollBar>("hsbDay")->maximum(), 3);
    // Picking the second date of the list shows day 2, which has no height: 0 is shown.
    emit f.get<QComboBox>("cboDay")->activated(1);
    QCOMPARE(f.day(), 2);
    QCOMPARE(f.get<QLineEdit>("txtShincyo")->text(), QStringLiteral("0"));
    QCOMPARE(f.get<QLineEdit>("txtTaijyu")->text(), QStringLiteral("3200"));
    QCOMPARE(f.get<QPlainTextEdit>("txtDiary")->toPlainText(), QStringLiteral("十日目"));
    f.get<QScrollBar>("hsbDay")->setValue(1);
    QCOMPARE(f.date(), QStringLiteral("2026/01/01"));
    // Opening the day already shown (a search result, an anniversary) keeps what was typed.
    f.get<QPlainTextEdit>("txtDiary")->setPlainText(QStringLiteral("書きかけ"));
    f.screen.setCurrentDay(1);
    QCOMPARE(f.get<QPlainTextEdit>("txtDiary")->toPlainText(), QStringLiteral("書きかけ"));
    f.screen.setCurrentDay(2);
    QCOMPARE(f.get<QPlainTextEdit>("txtDiary")->toPlainText(), QStringLiteral("十日目"));
    VERIFY_DIALOGS(f.dialogs);
}

void DiaryPageTest::refusals_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message"); // "" = only the title is checked
    QTest::addColumn<QString>("dateAfter");

    // The checks themselves are the diary checks' own test; these rows prove the page's part:
    // the date box emptied, the date rewritten, the character named.
    const QString notADate =
        QStringLiteral("その入力は日付の形式ではありません\r\n\r\n2002/02/18　のように入力してみて下さい");
    QTest::newRow("not a date") << "2026/2/30"
                                << ""
                                << ""
                                << ""
                                << "入力確認" << notADate << "";
    QTest::newRow("before birth, date rewritten") << "2025/1/5"
                                                  << ""
                                                  << ""
                                                  << ""
                                                  << "日付確認"
                                                  << "出産日前の日付けは登録できません"
                                                  << "2025/01/05";
    QTest::newRow("emoji in the text") << "2026/3/1"
                                       << ""
                                       << ""
                                       << "たのしい😀"
                                       << "入力確認"
                                       << ""
                                       << "2026/03/01";
}

void DiaryPageTest::refusals()
{
    QFETCH(QString, date);
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, dateAfter);
    Fixture f;
    const QByteArray before = f.files.bytes(Diary);
    f.type(date, height, weight, text);
    f.dialogs.expect(title, message.isEmpty() ? QString() : message, Dialogs::Icon::Warning,
                     Dialogs::Buttons::Ok, Dialogs::Answer::Ok);
    f.save();
    VERIFY_DIALOGS(f.dialogs);
    QCOMPARE(f.date(), dateAfter);
    QCOMPARE(f.files.bytes(Diary), before);
    QCOMPARE(f.files.notebook().diary.count(), 3);
    if (!text.isEmpty())
        QVERIFY(f.dialogs.shown().last().text.contains(QStringLiteral("😀")));
}

void DiaryPageTest::newDayAfterTheLast()
{
    Fixture f;
    const QByteArray before = f.files.bytes(Diary);
    f.type(QStringLiteral("2026/2/14"), QStringLiteral("55.5"), QStringLiteral("4300"),
           QStringLiteral("a\nb"));
    expectNew(f.dialogs);
    expectDone(f.dialogs);
    f.save();
    VERIFY_DIALOGS(f.dialogs);
    // One record appended, with the typed fraction.
    QCOMPARE(f.files.bytes(Diary), before + cp932::encode(diaryRecordText(QStringLiteral("2026/02/14"), 55.5,
                                                                      4300, QStringLiteral("a\r\nb")))
                                            .bytes);
    QCOMPARE(f.files.notebook().diary.count(), 4);
    QCOMPARE(f.day(), 4);
    QCOMPARE(f.date(), QStringLiteral("2026/02/14"));
    QCOMPARE(f.get<QLineEdit>("txtShincyo")->text(), QStringLiteral("55.5")); // kept as typed
    QCOMPARE(f.get<QComboBox>("cboDay")->count(), 4);
}

// A blank line between the first two days: the one warning names it, every day is read, and
// a save keeps them all (the damaged original beside them). A weight typed with a grouping
// comma is stored whole.
void DiaryPageTest::damagedDiaryKeepsEveryDay()
{
    QString file = threeDays();
    const qsizetype end = file.indexOf(QStringLiteral("'\r\n")) + 3;
    file.insert(end, QStringLiteral("\r\n"));
    Fixture f(file);
    QCOMPARE(f.atLoad.size(), 1);
    QCOMPARE(f.atLoad.first().title, QStringLiteral("日記の読み込み"));
    const int blank = int(file.left(end).count(u'\n')) + 1;
    QVERIFY2(f.atLoad.first().text.startsWith(
                 QStringLiteral("日記.txt に読み込めない行がありました（%1行目）。\r\n"
                                "その行を飛ばして、読み込めた 3 日分を表示します。")
                     .arg(blank)),
             qPrintable(f.atLoad.first().text));
    f.get<QScrollBar>("hsbDay")->setValue(2);
    auto *weight = f.get<QLineEdit>("txtTaijyu");
    weight->setFocus();
    weight->selectAll();
    typeText(weight, QStringLiteral("3,350"));
    expectChange(f.dialogs);
    expectDone(f.dialogs);
    f.save();
    VERIFY_DIALOGS(f.dialogs);
    const DiaryParse saved = parseDiary(f.files.bytes(Diary));
    QVERIFY(saved.whole);
    QCOMPARE(saved.days.size(), 3);
    QCOMPARE(saved.days[1].weight, qint16(3350));
    QCOMPARE(saved.days[2].text, QStringLiteral("一か月"));
    const QStringList copies = QDir(f.files.dir()).entryList({QStringLiteral("日記.txt.*.bak")});
    QCOMPARE(copies.size(), 1);
    QCOMPARE(f.files.bytes(copies.first()), cp932::encode(file).bytes);
}

// The notebook is the one way to change the days: what it adds or changes reaches the page's
// date list and bar without the page asking.
void DiaryPageTest::changesThroughTheNotebookReachThePage()
{
    Fixture f;
    Notebook &nb = f.files.notebook();
    QVERIFY(nb.addDay(QStringLiteral("2026/01/05"), 0, 3100, QStringLiteral("x")).ok);
    auto *day = f.get<QComboBox>("cboDay");
    QCOMPARE(day->count(), 4);
    QCOMPARE(day->itemText(1), QStringLiteral("2026/01/05"));
    QCOMPARE(f.get<QScrollBar>("hsbDay")->maximum(), 4);
    QVERIFY(nb.changeDay(4, 55, 4100, QStringLiteral("y")).ok);
    const DiaryParse stored = parseDiary(f.files.bytes(Diary));
    QCOMPARE(stored.days.size(), 4);
    QCOMPARE(stored.days[3].weight, qint16(4100));
    QCOMPARE(day->count(), 4);
    // A recipe saved through it: the open recipe screen shows the new points.
    auto *points = f.screen.recipeScreen()->findChild<QLabel *>(QStringLiteral("lblPoint"));
    const qint16 before = nb.recipes.totalPoint;
    Recipe r;
    r.name = QStringLiteral("にんじんがゆ");
    r.selfEval = r.childEval = QStringLiteral("優");
    r.cookCount = QStringLiteral("3");
    QVERIFY(nb.saveRecipe(0, r).ok);
    nb.loadRecipes();
    nb.computeRecipeStats();
    QVERIFY(nb.recipes.totalPoint > before);
    QCOMPARE(points->text(), QStringLiteral("Point %1").arg(nb.recipes.totalPoint));
}

void DiaryPageTest::newDayInTheMiddleIsSortedIn()
{
    Fixture f;
    f.type(QStringLiteral("２０２６年１月２０日"), QString(), QString(), QStringLiteral("まんなか"));
    expectNew(f.dialogs);
    expectDone(f.dialogs);
    f.save();
    VERIFY_DIALOGS(f.dialogs);
    const DiaryParse parsed = parseDiary(f.files.bytes(Diary));
    QStringList dates;
    for (const DiaryDay &d : parsed.days)
        dates.append(d.date);
    QCOMPARE(dates, (QStringList{"2026/01/01", "2026/01/10", "2026/01/20", "2026/02/01"}));
    // The page shows the last day, not the one just saved.
    QCOMPARE(f.day(), 4);
    QCOMPARE(f.date(), QStringLiteral("2026/02/01"));
}

void DiaryPageTest::cancelWritesNothing()
{
    Fixture f;
    const QByteArray before = f.files.bytes(Diary);
    f.type(QStringLiteral("2026/3/1"), QString(), QString(), QStringLiteral("x"));
    expectNew(f.dialogs, Dialogs::Answer::Cancel);
    f.save();
    f.type(QStringLiteral("2026/1/10"), QString(), QString(), QStringLiteral("x"));
    expectChange(f.dialogs, Dialogs::Answer::Cancel);
    f.save();
    VERIFY_DIALOGS(f.dialogs);
    QCOMPARE(f.files.bytes(Diary), before);
}

void DiaryPageTest::changeExistingDayOnly()
{
    Fixture f;
    // After "新規" the scroll bar still points at day 3; the typed date is day 2's.
    f.get<QPushButton>("cmdNew")->click();
    f.type(QStringLiteral("2026/01/10"), QStringLiteral("52"), QStringLiteral("3300.5"),
           QStringLiteral("かわった"));
    expectChange(f.dialogs);
    expectDone(f.dialogs);
    f.save();
    VERIFY_DIALOGS(f.dialogs);
    const DiaryParse parsed = parseDiary(f.files.bytes(Diary));
    QCOMPARE(parsed.days.size(), 3);
    QCOMPARE(parsed.days[1].text, QStringLiteral("かわった"));
    QCOMPARE(parsed.days[1].height, 52.0);
    QCOMPARE(parsed.days[1].weight, qint16(3300));
    QCOMPARE(parsed.days[2].text, QStringLiteral("一か月"));
    QCOMPARE(f.day(), 2);
    QVERIFY(f.files.text(Diary).contains(QStringLiteral("【体重】3300\r\n")));
}

void DiaryPageTest::sameDateAsDayOneChangesDayOne()
{
    Fixture f;
    f.type(QStringLiteral("2026/1/1"), QString(), QString(), QStringLiteral("誕生日"));
    expectChange(f.dialogs);
    expectDone(f.dialogs);
    f.save();
    VERIFY_DIALOGS(f.dialogs);
    QCOMPARE(f.files.notebook().diary.day(1).text, QStringLiteral("誕生日"));
    QCOMPARE(f.day(), 1);
}

void DiaryPageTest::heightZeroWithoutWeightSaves()
{
    Fixture f;
    f.type(QStringLiteral("2026/3/1"), QStringLiteral("0"), QString());
    expectNew(f.dialogs);
    expectDone(f.dialogs);
    f.save();
    VERIFY_DIALOGS(f.dialogs);
    QCOMPARE(f.files.notebook().diary.count(), 4);
}

void DiaryPageTest::fullTableRefusesEverySave()
{
    Fixture f(cp932::decode(generators::diaryFile(DiaryCapacity)));
    f.type(QStringLiteral("2024/1/2"), QString(), QString(), QStringLiteral("変更も"));
    f.dialogs.expectWarning(QStringLiteral("登録上限"), QStringLiteral("登録できるのは１０９５件までです"));
    f.save();
    VERIFY_DIALOGS(f.dialogs);
}

void DiaryPageTest::emptyTableTakesDayOne()
{
    Fixture f{QString()};
    QCOMPARE(f.date(), QString());
    f.type(QStringLiteral("2026/12/6"), QStringLiteral("49"), QStringLiteral("2980"),
           QStringLiteral("はじめまして"));
    expectNew(f.dialogs);
    expectDone(f.dialogs);
    f.save();
    VERIFY_DIALOGS(f.dialogs);
    QCOMPARE(f.files.notebook().diary.count(), 1);
    QCOMPARE(f.day(), 1);
    QCOMPARE(f.date(), QStringLiteral("2026/12/06"));
}

void DiaryPageTest::apostropheLineSurvivesSaveAndReload()
{
    Fixture f;
    f.type(QStringLiteral("2026/2/1"), QStringLiteral("54"), QStringLiteral("4000"),
           QStringLiteral("前\n'\n後"));
    expectChange(f.dialogs);
    expectDone(f.dialogs);
    f.save();
    VERIFY_DIALOGS(f.dialogs);
    QCOMPARE(f.files.notebook().diary.count(), 3);
    QCOMPARE(f.get<QPlainTextEdit>("txtDiary")->toPlainText(), QStringLiteral("前\n'\n後"));
    QVERIFY(f.files.text(Diary).contains(QStringLiteral("前\r\n''\r\n後\r\n'\r\n")));
}

void DiaryPageTest::newPageShowsTodayAndKeepsTheDay()
{
    Fixture f;
    f.get<QScrollBar>("hsbDay")->setValue(2);
    f.files.notebook().tour.helpTourOn = 1;
    f.dialogs.expectInformation(
        QStringLiteral("ヘルプツアー"),
        QStringLiteral("新しい日記を登録します。\r\n\r\n"
                       "デフォルトで本日の日付を表示しますが必要に応じて修正してください。\r\n\r\n"
                       "身長・体重データは必ずしも入力する必要はありませんが、\r\n"
                       "身長を入力するときには体重もセットで入力してください。\r\n\r\n"
                       "※最後に「保存」ボタンを押してください。\r\n\r\n"
                       "※入力を取り消したい場合はスクロールバーで他の日記を表示させてください。"));
    f.get<QPushButton>("cmdNew")->click();
    VERIFY_DIALOGS(f.dialogs);
    QCOMPARE(f.date(), QStringLiteral("2026/12/06"));
    QCOMPARE(f.get<QLineEdit>("txtShincyo")->text(), QString());
    QCOMPARE(f.get<QPlainTextEdit>("txtDiary")->toPlainText(), QString());
    QCOMPARE(f.day(), 2);
    QVERIFY(f.screen.findChild<QWidget *>(QStringLiteral("fraDiary"))->isVisibleTo(&f.screen));
}

// The date box neither completes nor takes a stored entry on Enter, when the focus leaves, on
// the arrow keys or on the wheel: typed over an existing date after 新規, the typed page is
// what 保存 writes. Only a pick from the open list changes the page.
void DiaryPageTest::typedDateStaysTyped()
{
    Fixture f;
    f.screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.screen));
    f.get<QPushButton>("cmdNew")->click();
    auto *text = f.get<QPlainTextEdit>("txtDiary");
    typeText(text, QStringLiteral("書き直した日"));
    auto *box = f.get<QComboBox>("cboDay");
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, QStringLiteral("2026/01/1")); // inline completion would offer 2026/01/10
    QCOMPARE(box->currentText(), QStringLiteral("2026/01/1"));
    QTest::keyClick(box, Qt::Key_0);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Up);
    turnWheel(box, false);
    f.get<QLineEdit>("txtShincyo")->setFocus(); // the focus leaves the box
    QCOMPARE(box->currentText(), QStringLiteral("2026/01/10"));
    QCOMPARE(text->toPlainText(), QStringLiteral("書き直した日"));
    expectChange(f.dialogs);
    expectDone(f.dialogs);
    f.save();
    VERIFY_DIALOGS(f.dialogs);
    const DiaryTable &diary = f.files.notebook().diary;
    QCOMPARE(diary.day(diary.find(QStringLiteral("2026/01/10"))).text, QStringLiteral("書き直した日"));

    // A pick from the open list by keys.
    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(0, 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
    QCOMPARE(f.day(), 1);
    QCOMPARE(f.date(), QStringLiteral("2026/01/01"));
}

// After 新規 the bar still points at the last day; opening that day from the search list,
// by a click or by Enter, shows it instead of the blank page.
void DiaryPageTest::dayTheBarPointsAtOpensFromTheSearchList()
{
    Fixture f;
    auto *search = f.get<QLineEdit>("txtKensaku");
    search->setText(QStringLiteral("一か月"));
    QTest::keyClick(search, Qt::Key_Return);
    auto *list = f.get<QListWidget>("lstDay");
    QCOMPARE(list->count(), 1);
    list->setCurrentRow(0);
    for (bool byEnter : {false, true}) {
        f.get<QPushButton>("cmdNew")->click();
        QCOMPARE(f.get<QPlainTextEdit>("txtDiary")->toPlainText(), QString());
        if (byEnter)
            QTest::keyClick(list, Qt::Key_Return);
        else
            emit list->itemClicked(list->item(0));
        QCOMPARE(f.date(), QStringLiteral("2026/02/01"));
        QCOMPARE(f.get<QPlainTextEdit>("txtDiary")->toPlainText(), QStringLiteral("一か月"));
    }
}

namespace {

// The screen shown and active, so that clicks, the focus and the bar's keys are real.
void showActive(Fixture &f)
{
    f.screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.screen));
}

// Clicks into the box and types over what it holds, key by key.
void typeOver(QWidget *box, const QString &text)
{
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), box);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    typeText(QApplication::focusWidget(), text);
}

QStringList column(const QTableWidget *grid, int c)
{
    QStringList cells;
    for (int r = 0; r < grid->rowCount(); ++r)
        cells.append(grid->item(r, c)->text());
    return cells;
}

} // namespace

void DiaryPageTest::heightKeepsItsTenth_data()
{
    QTest::addColumn<bool>("newDay"); // 新規 first (today, 2026/12/06), else the last day shown
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // on the page, in 一覧, in the growth list and the file
    QTest::addColumn<bool>("byKey");    // saved with F3, else with a click on 保存
    QTest::newRow("changed day, clicked") << false << "78.4"
                                          << "78.4" << false;
    QTest::newRow("input method digits, F3") << false << "７２．５"
                                             << "72.5" << true;
    QTest::newRow("new day, a half of a tenth") << true << "49.55"
                                                << "49.6" << false;
}

// A height typed with its tenth stays so on the page, in the list, in the growth list and in
// 日記.txt.
void DiaryPageTest::heightKeepsItsTenth()
{
    QFETCH(bool, newDay);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, byKey);
    Fixture f;
    showActive(f);
    if (newDay)
        QTest::mouseClick(f.get<QPushButton>("cmdNew"), Qt::LeftButton);
    const QString date = newDay ? QStringLiteral("2026/12/06") : QStringLiteral("2026/02/01");
    typeOver(f.get<QLineEdit>("txtShincyo"), typed);
    if (newDay)
        typeOver(f.get<QLineEdit>("txtTaijyu"), QStringLiteral("9800"));
    newDay ? expectNew(f.dialogs) : expectChange(f.dialogs);
    expectDone(f.dialogs);
    if (byKey) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
        QTRY_VERIFY(!f.dialogs.shown().isEmpty()); // the key presses the button as a click would
    } else {
        QTest::mouseClick(f.get<QPushButton>("cmdTouroku"), Qt::LeftButton);
    }
    VERIFY_DIALOGS(f.dialogs);
    QCOMPARE(f.date(), date);
    QCOMPARE(f.get<QLineEdit>("txtShincyo")->text(), shown);
    QVERIFY(f.files.text(Diary).contains(QStringLiteral("【日付】%1\r\n【身長】%2\r\n").arg(date, shown)));

    QTest::mouseClick(f.get<QPushButton>("cmdList"), Qt::LeftButton);
    const auto *grid = f.get<QTableWidget>("msgList");
    const int row = int(column(grid, 0).indexOf(date));
    QVERIFY(row >= 0);
    QCOMPARE(grid->item(row, 1)->text(), shown);
    QTest::mouseClick(f.get<QPushButton>("cmdGraph"), Qt::LeftButton);
    const auto *heights = f.get<QListWidget>("lstShin");
    QCOMPARE(heights->item(heights->count() - 1)->text(),
             date + QStringLiteral(" _ ") + shown + QStringLiteral("cm"));
}

// The other computer added a day out of date order: the page, its counter, the date list and
// 一覧 go by date at once, the file is left as it came until a day is saved here, and that
// save writes it in date order.
void DiaryPageTest::dayFromOutsideOutOfOrder()
{
    const QString file =
        diaryFileText({{QStringLiteral("2026/01/01"), 50, 3000, QStringLiteral("うまれた日")},
                       {QStringLiteral("2026/02/01"), 54, 4000, QStringLiteral("一か月")}}) +
        diaryRecordText(QStringLiteral("2026/01/10"), 0, 3200, QStringLiteral("十日目"));
    Fixture f(file);
    showActive(f);
    auto *counter = f.get<QLabel>("lblDayNo");
    QCOMPARE(f.date(), QStringLiteral("2026/02/01")); // the last day by date
    QCOMPARE(counter->text(), QStringLiteral("3 / 3 日"));
    QCOMPARE(f.get<QComboBox>("cboDay")->itemText(1), QStringLiteral("2026/01/10"));
    QCOMPARE(f.files.text(Diary), file);

    // One more while 一覧 is open, before every day but the first.
    QTest::mouseClick(f.get<QPushButton>("cmdList"), Qt::LeftButton);
    const QString more =
        file + diaryRecordText(QStringLiteral("2026/01/05"), 0, 3100, QStringLiteral("五日"));
    f.files.writeText(Diary, more);
    QCOMPARE(f.files.notebook().checkOutside(), QStringList{Diary});
    auto *grid = f.get<QTableWidget>("msgList");
    QCOMPARE(column(grid, 0), (QStringList{"2026/01/01", "2026/01/05", "2026/01/10", "2026/02/01"}));
    QCOMPARE(f.date(), QStringLiteral("2026/02/01"));
    QCOMPARE(counter->text(), QStringLiteral("4 / 4 日"));
    QCOMPARE(f.files.text(Diary), more);

    // Row 2 is the day that came last in the file.
    const QRect cell = grid->visualItemRect(grid->item(1, 3));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QCOMPARE(f.date(), QStringLiteral("2026/01/05"));
    QCOMPARE(counter->text(), QStringLiteral("2 / 4 日"));
    auto *text = f.get<QPlainTextEdit>("txtDiary");
    QTest::mouseClick(text->viewport(), Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
    typeText(QApplication::focusWidget(), QStringLiteral("、ねがえり"));
    expectChange(f.dialogs);
    expectDone(f.dialogs);
    QTest::mouseClick(f.get<QPushButton>("cmdTouroku"), Qt::LeftButton);
    VERIFY_DIALOGS(f.dialogs);
    const DiaryParse saved = parseDiary(f.files.bytes(Diary));
    QVERIFY(saved.inOrder);
    QCOMPARE(saved.days.size(), 4);
    QCOMPARE(saved.days[1].text, QStringLiteral("五日、ねがえり"));
    QCOMPARE(counter->text(), QStringLiteral("2 / 4 日"));
}

QTEST_MAIN(DiaryPageTest)
#include "diary_page_test.moc"
