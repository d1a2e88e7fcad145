// Every screen without a mouse: Tab reaches every control of each window and panel, each
// control tells a screen reader a name of its own and what it is; then the commands a mouse
// gives by double-click and scroll bars, run by keys sent to the focused control.
#include "../recipe_tools/recipe_book_screens.h"
#include "loaded_screen.h"
#include "ui/notebook/diary_page.h"
#include "ui/notebook/yearbook_window.h"
#include "ui/profile/profile_screen.h"
#include "ui/recipe_tools/graph_screens.h"
#include "ui/recipe_tools/print_screen.h"
#include "ui/recipe_tools/search_screen.h"
#include "ui/recipes/first_foods_window.h"
#include "ui/registers/vaccination_window.h"
#include "ui/shell/help_window.h"
#include "ui/widgets/picture_picker.h"
#include "ui/widgets/ui_util.h"
#include "user_actions.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <tuple>

namespace {

QWidget *focused() { return QApplication::focusWidget(); }

void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(focused(), Qt::Key(key), mods);
}

// The controls Tab should reach: shown, enabled, taking the focus by Tab, and not a scroll
// area's own bars.
QList<QWidget *> tabStops(QWidget *window)
{
    QList<QWidget *> stops;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() ||
            w->window() != window)
            continue;
        if (qobject_cast<QScrollBar *>(w) && qobject_cast<QAbstractScrollArea *>(w->parentWidget()->parentWidget()))
            continue;
        // Of round buttons that exclude each other, Tab reaches the one on; the arrows the others.
        if (auto *radio = qobject_cast<QRadioButton *>(w); radio && radio->autoExclusive() && !radio->isChecked())
            continue;
        stops.append(w);
    }
    return stops;
}

// An input is named by its label and its value is its value; a command label is named by its
// command, whatever it shows; a box is labelled by a label, not by a command.
QStringList nameProblems(QWidget *w, QAccessibleInterface *a, const QString &name, const QString &id)
{
    QStringList problems;
    if (!a)
        return problems;
    const QAccessible::Role role = a->role();
    const QString value = a->text(QAccessible::Value);
    if ((role == QAccessible::ComboBox || role == QAccessible::EditableText ||
         role == QAccessible::SpinBox) &&
        !value.isEmpty() && name == value)
        problems.append(id + QStringLiteral(": reads its value \"") + value +
                        QStringLiteral("\" as its name"));
    if (w->property("keyboardCommand").toBool() && !w->actions().isEmpty() &&
        name != w->actions().first()->text())
        problems.append(id + QStringLiteral(": named \"") + name +
                        QStringLiteral("\", not by its command \"") + w->actions().first()->text() + u'"');
    for (const auto &[label, relation] : a->relations(QAccessible::Label))
        if (label && label->role() == QAccessible::Button)
            problems.append(id + QStringLiteral(": labelled by the command \"") +
                            label->text(QAccessible::Name) + u'"');
    return problems;
}

// Tabs round the window from its first control; what is wrong, one line each.
QStringList walk(QWidget *window)
{
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return {QStringLiteral("the window did not become active")};
    const QList<QWidget *> stops = tabStops(window);
    if (stops.isEmpty())
        return {QStringLiteral("no control takes the focus")};
    qInfo("%s: %lld controls on the Tab round", qPrintable(window->objectName()), qint64(stops.size()));
    stops.first()->setFocus(Qt::TabFocusReason);
    QSet<QWidget *> reached;
    // A help page's links take Tab first, one by one.
    for (int i = 0; i < 3 * stops.size() + 120; ++i) {
        reached.insert(focused());
        press(Qt::Key_Tab);
    }
    QStringList problems;
    QHash<QString, QString> names;
    for (QWidget *w : stops) {
        const QString id = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                     : w->objectName();
        bool hit = reached.contains(w);
        for (QWidget *r : reached)
            hit = hit || (r && (r->focusProxy() == w || w->isAncestorOf(r)));
        if (!hit)
            problems.append(id + QStringLiteral(": Tab never reaches it"));
        // The name and value as the accessibility bus reports them: the widget's interface.
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        const QString name = a ? a->text(QAccessible::Name) : QString();
        if (name.isEmpty())
            problems.append(id + QStringLiteral(": no accessible name"));
        else if (names.contains(name) && names[name] != id)
            problems.append(id + QStringLiteral(": shares its name \"") + name + QStringLiteral("\" with ") + names[name]);
        names.insert(name, id);
        problems += nameProblems(w, a, name, id);
        if (w->property("keyboardCommand").toBool() &&
            !(a && a->actionInterface() && a->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction())))
            problems.append(id + QStringLiteral(": a command without a press action"));
        if (!a || a->role() == QAccessible::NoRole || a->role() == QAccessible::Client ||
            a->role() == QAccessible::Pane)
            problems.append(id + QStringLiteral(": no role of its own"));
    }
    return problems;
}

} // namespace

class KeyboardWalkTest : public QObject
{
    Q_OBJECT
private slots:
    void everyPanelOfTheNotebookScreen_data();
    void everyPanelOfTheNotebookScreen();
    void recipeScreens();
    void profileAndHelpWindows();
    void vaccinationWindows();
    void inputsAreNamedByTheirLabels();
    void barKeysFromEveryField_data();
    void barKeysFromEveryField();
    void barKeysAreShownAndListedInTheHelp();
    void panelsPastTheFKeysGetKeys_data();
    void panelsPastTheFKeysGetKeys();
    void escapeGoesBack_data();
    void escapeGoesBack();
    void keyboardOnlyScenarios();
    void recipeBookByKeys();
};

void KeyboardWalkTest::panelsPastTheFKeysGetKeys_data()
{
    QTest::addColumn<QStringList>("declared"); // "" for none
    QTest::addColumn<QList<bool>>("wantsKey");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("declared keys stay") << QStringList{"F5", ""} << QList<bool>{true, false}
                                        << QStringList{"F5", ""};
    QTest::newRow("two new panels") << QStringList{"F5", "", ""} << QList<bool>{true, true, true}
                                    << QStringList{"F5", "Ctrl+1", "Ctrl+2"};
    QTest::newRow("a taken digit is skipped") << QStringList{"Ctrl+1", ""} << QList<bool>{false, true}
                                              << QStringList{"Ctrl+1", "Ctrl+2"};
    QStringList nine, nineKeys;
    for (int d = 1; d <= 9; ++d)
        nine << QStringLiteral("Ctrl+%1").arg(d);
    nineKeys = nine;
    nine << "";
    nineKeys << "Alt+A";
    QTest::newRow("after the digits, letters") << nine << QList<bool>(10, true) << nineKeys;
}

void KeyboardWalkTest::panelsPastTheFKeysGetKeys()
{
    QFETCH(QStringList, declared);
    QFETCH(QList<bool>, wantsKey);
    QFETCH(QStringList, keys);
    QList<QKeySequence> in;
    for (const QString &k : declared)
        in.append(QKeySequence(k));
    QStringList out;
    for (const QKeySequence &k : barKeys(in, wantsKey))
        out.append(k.toString());
    QCOMPARE(out, keys);
}

void KeyboardWalkTest::everyPanelOfTheNotebookScreen_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("panel");
    QTest::newRow("日記") << int(Qt::Key_F5) << "fraDiary";
    QTest::newRow("一覧") << int(Qt::Key_F6) << "fraList";
    QTest::newRow("グラフ") << int(Qt::Key_F7) << "fraGraph";
    QTest::newRow("予定") << int(Qt::Key_F8) << "fraYotei";
    QTest::newRow("頂き物") << int(Qt::Key_F9) << "fraItadaki";
    QTest::newRow("写真館") << int(Qt::Key_F10) << "fraPhoto";
    QTest::newRow("記録") << (Qt::CTRL | Qt::Key_1).toCombined() << "fraKiroku"; // the first key past the F-keys
    QTest::newRow("手帳") << (Qt::CTRL | Qt::Key_2).toCombined() << "fraTecho";
}

// Each panel opened by its key, then walked.
void KeyboardWalkTest::everyPanelOfTheNotebookScreen()
{
    QFETCH(int, key);
    QFETCH(QString, panel);
    LoadedScreen f;
    f.dialogs.setLenient(true); // the help tour's boxes
    f.screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.screen));
    f.find<QWidget>(QStringLiteral("cmdNew"))->setFocus();
    press(key & ~Qt::KeyboardModifierMask, Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
    QTRY_VERIFY(f.find<QWidget>(panel)->isVisible()); // a key clicks its button as a short press
    QStringList problems = walk(&f.screen);
    // 手帳's second tab, by the key that turns a tab.
    if (panel == u"fraTecho") {
        f.find<QWidget>(QStringLiteral("cboKenshin"))->setFocus();
        press(Qt::Key_Tab, Qt::ControlModifier);
        QTRY_VERIFY(f.find<QWidget>(QStringLiteral("lstDekitayo"))->isVisible());
        QCOMPARE(focused()->objectName(), QStringLiteral("cboDekita"));
        problems += walk(&f.screen);
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

void KeyboardWalkTest::recipeScreens()
{
    RecipeBookScreens b;
    b.dialogs.setLenient(true);
    QStringList problems = walk(b.screen);
    b.tools->openSearch();
    problems += walk(b.tools->searchScreen());
    b.tools->openPrint();
    problems += walk(b.tools->printScreen());
    b.tools->openClassificationGraph();
    problems += walk(b.tools->classificationGraph());
    b.tools->openEvaluationGraph();
    problems += walk(b.tools->evaluationGraph());
    b.screen->openFirstFoods();
    problems += walk(b.screen->findChild<FirstFoodsWindow *>());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

// 予防接種の予定 from the schedule panel, and the box of a dose given from its 接種済み.
void KeyboardWalkTest::vaccinationWindows()
{
    LoadedScreen f;
    f.dialogs.setLenient(true);
    f.screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.screen));
    f.find<QWidget>(QStringLiteral("cmdNew"))->setFocus();
    press(Qt::Key_F8);
    QTRY_VERIFY(f.find<QWidget>(QStringLiteral("cmdYobou"))->isVisible());
    f.find<QWidget>(QStringLiteral("cmdYobou"))->setFocus();
    press(Qt::Key_Space);
    auto *window = f.screen.findChild<VaccinationWindow *>();
    QVERIFY(window);
    // The schedule's window and the box it opens are tool windows of the notebook screen, which
    // stays active under the offscreen platform until told otherwise.
    QApplication::setActiveWindow(window);
    QStringList problems = walk(window);
    auto *given = window->findChild<QPushButton *>(QStringLiteral("cmdGiven_dt-2"));
    QVERIFY(given);
    QApplication::setActiveWindow(window);
    given->setFocus();
    press(Qt::Key_Space);
    QTRY_VERIFY(window->findChild<QDialog *>(QStringLiteral("frmGiven")));
    QApplication::setActiveWindow(window->findChild<QDialog *>(QStringLiteral("frmGiven")));
    problems += walk(window->findChild<QDialog *>(QStringLiteral("frmGiven")));
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

void KeyboardWalkTest::profileAndHelpWindows()
{
    LoadedScreen f;
    f.dialogs.setLenient(true);
    f.screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.screen));
    f.find<QWidget>(QStringLiteral("cmdNew"))->setFocus();
    press(Qt::Key_F12);
    QTRY_VERIFY(f.screen.profileScreen());
    QStringList problems = walk(f.screen.profileScreen());
    QApplication::setActiveWindow(&f.screen);
    QVERIFY(QTest::qWaitForWindowActive(&f.screen));
    f.find<QWidget>(QStringLiteral("cmdNew"))->setFocus();
    press(Qt::Key_E, Qt::ControlModifier);
    QTRY_VERIFY(f.screen.findChild<YearbookWindow *>());
    problems += walk(f.screen.findChild<YearbookWindow *>());
    HelpWindow help(QStringLiteral(TECHO_SOURCE_DIR "/help"), QStringLiteral("index.html"));
    problems += walk(&help);
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&help);
    QCOMPARE(window->role(), QAccessible::Window);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

// The names of the inputs as the bus reads them: their labels, whatever they hold; what they
// hold is their value.
void KeyboardWalkTest::inputsAreNamedByTheirLabels()
{
    auto read = [](QWidget *w, QAccessible::Text t) {
        return QAccessible::queryAccessibleInterface(w)->text(t);
    };
    LoadedScreen f;
    for (const auto &[box, label] : {std::pair{"cboDay", "日付"},
                                     {"cboYHizuke", "日付"},
                                     {"cboAHizuke", "贈った日"},
                                     {"cboIHizuke", "頂いた日"},
                                     {"txtDiary", "なんでも日記"}})
        QCOMPARE(read(f.find<QWidget>(QLatin1String(box)), QAccessible::Name), QString::fromUtf8(label));
    auto *day = f.find<QComboBox>(QStringLiteral("cboDay"));
    QCOMPARE(read(day, QAccessible::Value), day->currentText());
    QVERIFY(!day->currentText().isEmpty());

    RecipeBookScreens b;
    b.screen->openFirstFoods();
    QWidget *firstFoods = b.screen->findChild<FirstFoodsWindow *>();
    const std::tuple<QWidget *, const char *, const char *> boxes[] = {
        {b.screen, "cboNamae", "料理名"}, {b.screen, "cboJyanru", "月齢"},
        {b.screen, "cboSyurui", "種類"},  {b.screen, "cboCyouri", "調理方法"},
        {b.screen, "cboSankou", "参考"},  {firstFoods, "cboSyokuzai", "食材"},
        {firstFoods, "cboHannou", "反応"}};
    for (const auto &[in, box, label] : boxes) {
        auto *combo = b.get<QComboBox>(in, QLatin1String(box));
        QCOMPARE(read(combo, QAccessible::Name), QString::fromUtf8(label));
        QCOMPARE(read(combo, QAccessible::Value), combo->currentText());
    }
}

// A one-line box as Linux desktops have it, whatever the test's platform: Ctrl+E is its end
// of the line.
class EndOfLineBox : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent *>(e)->keyCombination() == (Qt::CTRL | Qt::Key_E)) {
            e->accept();
            return true;
        }
        return QLineEdit::event(e);
    }
};

void KeyboardWalkTest::barKeysFromEveryField_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("Ctrl+E を使う欄") << "endOfLineBox";
    QTest::newRow("身長") << "txtShincyo";
    QTest::newRow("検索") << "txtKensaku";
    QTest::newRow("日付") << "cboDay";
    QTest::newRow("なんでも日記") << "txtDiary";
}

// The bar's keys reach their commands whichever box has the focus: a text box claims Ctrl+E
// (the end of the line) on Linux desktops.
void KeyboardWalkTest::barKeysFromEveryField()
{
    QFETCH(QString, field);
    LoadedScreen f;
    f.setHelpTour(false);
    auto *endOfLine = new EndOfLineBox(f.screen.diaryPage());
    endOfLine->setObjectName(QStringLiteral("endOfLineBox"));
    endOfLine->show();
    f.screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.screen));
    f.find<QWidget>(field)->setFocus(Qt::TabFocusReason);
    QCOMPARE(focused(), f.find<QWidget>(field));
    press(Qt::Key_E, Qt::ControlModifier);
    QTRY_VERIFY(f.screen.findChild<YearbookWindow *>() &&
                f.screen.findChild<YearbookWindow *>()->isVisible());
    // An F-key from the same box opens its panel.
    QApplication::setActiveWindow(&f.screen);
    QVERIFY(QTest::qWaitForWindowActive(&f.screen));
    f.find<QWidget>(field)->setFocus(Qt::TabFocusReason);
    press(Qt::Key_F7);
    QTRY_VERIFY(f.find<QWidget>(QStringLiteral("fraGraph"))->isVisible());
}

// Each bar button with a key says it in its tooltip, and the help's list of buttons gives it.
void KeyboardWalkTest::barKeysAreShownAndListedInTheHelp()
{
    LoadedScreen f;
    QFile help(QStringLiteral(TECHO_SOURCE_DIR "/help/index.html"));
    QVERIFY(help.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(help.readAll()).split(QStringLiteral("<tr"));
    int keyed = 0;
    for (QPushButton *b : f.find<QWidget>(QStringLiteral("barButtons"))->findChildren<QPushButton *>()) {
        if (b->shortcut().isEmpty())
            continue;
        ++keyed;
        const QString key = b->shortcut().toString(QKeySequence::NativeText);
        QVERIFY2(b->toolTip().endsWith(QStringLiteral(" (") + key + u')'), qPrintable(b->toolTip()));
        const QString button = QStringLiteral("<span class=\"key\">") + b->text() + QStringLiteral("</span>");
        const auto row =
            std::find_if(rows.begin(), rows.end(), [&](const QString &r) { return r.contains(button); });
        QVERIFY2(row != rows.end(), qPrintable(b->text()));
        QVERIFY2(row->contains(QStringLiteral("<kbd>") + key + QStringLiteral("</kbd>")), qPrintable(*row));
    }
    QCOMPARE(keyed, 15); // every button but ヘルプ, whose F1 works in every window
}

void KeyboardWalkTest::escapeGoesBack_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("料理名") << "cboNamae";
    QTest::newRow("材料") << "txtZairyou";
    QTest::newRow("料理時間") << "txtJikan";
}

// Escape closes an open picture picker, and leaves the recipe window as its 戻り does.
void KeyboardWalkTest::escapeGoesBack()
{
    QFETCH(QString, box);
    RecipeBookScreens b;
    b.notebook().tour.helpTourOn = 0;
    b.screen->show();
    QVERIFY(QTest::qWaitForWindowActive(b.screen));
    b.get<QLabel>(b.screen, QStringLiteral("lblRyoriNm"))->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Return);
    auto *picker = b.screen->findChild<PicturePicker *>();
    QVERIFY(picker->isVisible() && picker->isAncestorOf(focused()));
    press(Qt::Key_Escape);
    QVERIFY(!picker->isVisible());
    QVERIFY(b.screen->isVisible());

    b.get<QWidget>(b.screen, box)->setFocus(Qt::TabFocusReason);
    QSignalSpy back(b.get<QPushButton>(b.screen, QStringLiteral("cmdEnd")), &QPushButton::clicked);
    press(Qt::Key_Escape);
    QCOMPARE(back.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(b.screen.isNull());
}

// What a mouse does by double-click or on a scroll bar, by keys sent to the focused control.
void KeyboardWalkTest::keyboardOnlyScenarios()
{
    LoadedScreen f;
    f.setHelpTour(false);
    f.screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.screen));
    Notebook &nb = f.notebook();

    // Page the diary: the day bar takes the focus and Left steps back a day.
    auto *bar = f.find<QScrollBar>(QStringLiteral("hsbDay"));
    bar->setFocus(Qt::TabFocusReason);
    QCOMPARE(focused(), bar);
    const int last = bar->value();
    press(Qt::Key_Left);
    QCOMPARE(f.screen.diaryPage()->currentDay(), last - 1);
    // PageUp goes back toward the first day, as a document scrolled up; PageDown forward.
    press(Qt::Key_PageUp);
    QCOMPARE(f.screen.diaryPage()->currentDay(), last - 2);
    press(Qt::Key_PageDown);
    press(Qt::Key_Right);
    QCOMPARE(f.screen.diaryPage()->currentDay(), last);

    // The chosen photo slot reads as checked, the others not.
    if (f.find<QWidget>(QStringLiteral("cmdPic2"))->isVisible()) {
        f.find<QWidget>(QStringLiteral("cmdPic2"))->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
        for (int n = 0; n < 6; ++n)
            QCOMPARE(QAccessible::queryAccessibleInterface(f.find<QWidget>(QStringLiteral("cmdPic%1").arg(n)))->state().checked,
                     n == 2);
    }

    // Add a day: F2, type, F3, the two boxes answered.
    f.files.clock().setToday(QDate(1997, 12, 31)); // a new day within the diary's three years
    press(Qt::Key_F2);
    QTRY_COMPARE(focused(), f.find<QWidget>(QStringLiteral("txtDiary")));
    typeText(focused(), QStringLiteral("キーだけで書いた日"));
    f.dialogs.expect(QStringLiteral("新規登録確認"), QStringLiteral("新しい日付です。日記に追加します。"),
                     Dialogs::Icon::Information, Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok);
    f.dialogs.expectInformation(QStringLiteral("書き込み終了"), QStringLiteral("日記に書き込みました。"));
    press(Qt::Key_F3);
    QTRY_VERIFY(!f.dialogs.shown().isEmpty());
    VERIFY_DIALOGS(f.dialogs);
    QCOMPARE(nb.diary.day(nb.diary.find(QStringLiteral("1997/12/31"))).text, QStringLiteral("キーだけで書いた日"));
    f.dialogs.clear();

    // Toggle a gift's ○ with Space on the row the arrows chose; the title's picture command
    // then goes to that row's item.
    f.dialogs.setLenient(true);
    press(Qt::Key_F9);
    QTRY_VERIFY(f.find<QWidget>(QStringLiteral("fraItadaki"))->isVisible());
    f.dialogs.setLenient(false);
    auto *grid = f.find<QTableView>(QStringLiteral("msgItadaki"));
    grid->setFocus(Qt::TabFocusReason);
    QCOMPARE(focused(), grid);
    press(Qt::Key_Home, Qt::ControlModifier);
    press(Qt::Key_Down);
    const int row = grid->currentIndex().row();
    const QModelIndex mark = grid->model()->index(row, 2);
    const QString before = mark.data().toString();
    press(Qt::Key_Space);
    QVERIFY(mark.data().toString() != before);
    QCOMPARE(mark.data(Qt::CheckStateRole).toInt(), before.isEmpty() ? int(Qt::Checked) : int(Qt::Unchecked));
    const QString item = grid->model()->index(row, 1).data().toString();
    QVERIFY(f.files.text(giftsReceivedFileName()).contains(item));

    // Page an album with the arrows and change its caption with Enter.
    f.dialogs.setLenient(true);
    press(Qt::Key_F10);
    QTRY_VERIFY(f.find<QWidget>(QStringLiteral("fraPhoto"))->isVisible());
    f.dialogs.setLenient(false);
    auto *albumBar = f.find<QScrollBar>(QStringLiteral("vsbPhoto1"));
    albumBar->setFocus(Qt::TabFocusReason);
    const int page = albumBar->value();
    press(Qt::Key_Down);
    QCOMPARE(albumBar->value(), qMin(page + 1, albumBar->maximum()));
    f.find<QLabel>(QStringLiteral("lblPhoto1"))->setFocus(Qt::TabFocusReason);
    f.dialogs.expectInput(QStringLiteral("見出し変更"), QStringLiteral("キーの見出し"));
    press(Qt::Key_Return);
    VERIFY_DIALOGS(f.dialogs);
    QVERIFY(f.files.text(albumCaptionsFileName()).contains(QStringLiteral("キーの見出し")));
}

// The recipe book by keys: a cooking date added and removed, a recipe searched and opened,
// the recipe printed.
void KeyboardWalkTest::recipeBookByKeys()
{
    RecipeBookScreens b;
    b.notebook().tour.helpTourOn = 0;
    b.screen->show();
    QVERIFY(QTest::qWaitForWindowActive(b.screen));
    // The recipe bar steps as the day bar: Right forward, PageUp back toward the first.
    auto *bar = b.get<QScrollBar>(b.screen, QStringLiteral("hsbData"));
    bar->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    QCOMPARE(bar->value(), 3);
    press(Qt::Key_PageUp);
    press(Qt::Key_Left);
    QCOMPARE(bar->value(), 1);
    QCOMPARE(b.get<QComboBox>(b.screen, QStringLiteral("cboNamae"))->currentText(),
             b.notebook().recipes.recipe(1).name);
    auto *history = b.get<QListWidget>(b.screen, QStringLiteral("lstRireki"));
    const int cooked = history->count();
    b.get<QLabel>(b.screen, QStringLiteral("lblKai"))->setFocus(Qt::TabFocusReason);
    b.dialogs.expectInput(QStringLiteral("日付登録"), QStringLiteral("2026/12/01"));
    press(Qt::Key_Return);
    QCOMPARE(history->count(), cooked + 1);
    history->setFocus(Qt::TabFocusReason);
    press(Qt::Key_End);
    // The date is stored as soon as it is added, so taking it out is asked.
    b.dialogs.expect(QStringLiteral("調理日の取り消し"),
                     QStringLiteral("調理日 2026/12/01 を調理実績から取り消します。"), Dialogs::Icon::Warning,
                     Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel, Dialogs::Answer::Ok);
    press(Qt::Key_Delete);
    QCOMPARE(history->count(), cooked);

    b.tools->openSearch();
    QWidget *s = b.tools->searchScreen();
    QVERIFY(QTest::qWaitForWindowActive(s));
    b.get<QLineEdit>(s, QStringLiteral("txtNamae"))->setFocus(Qt::TabFocusReason);
    typeText(focused(), QStringLiteral("がゆ"));
    b.get<QWidget>(s, QStringLiteral("cmdNamae1"))->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    auto *found = b.get<QListWidget>(s, QStringLiteral("lstKondate"));
    QVERIFY(found->count() > 1);
    found->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Down);
    const QString chosen = found->currentItem()->text();
    press(Qt::Key_Return);
    QCOMPARE(b.get<QComboBox>(b.screen, QStringLiteral("cboNamae"))->currentText(), chosen);

    b.tools->openPrint();
    QWidget *p = b.tools->printScreen();
    QVERIFY(QTest::qWaitForWindowActive(p));
    b.get<QWidget>(p, QStringLiteral("cmdPrintForm"))->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    QCOMPARE(b.printer.documents().size(), 1);
    VERIFY_DIALOGS(b.dialogs);
}

QTEST_MAIN(KeyboardWalkTest)
#include "keyboard_walk_test.moc"
