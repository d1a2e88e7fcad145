// The search and graph screens opened from the recipe screen on the sample notebook: the keys
// through their boxes and buttons, the result list, the figures, the charts and the unloading.
#include "recipe_book_screens.h"
#include "ui/widgets/level_bar.h"
#include "user_actions.h"

#include <QAccessible>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QToolButton>

namespace {

QStringList listed(QListWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

// Count and share labels of a panel ("7 25.9%|7 25.9%|…").
QString figures(QWidget *screen, const QString &prefix, int rows)
{
    QStringList out;
    for (int i = 0; i < rows; ++i) {
        auto *count = screen->findChild<QLabel *>(prefix + QStringLiteral("_ken_%1").arg(i));
        auto *share = screen->findChild<QLabel *>(prefix + QStringLiteral("_p_%1").arg(i));
        // Every label reads out what it shows.
        const bool named =
            count->accessibleName() == count->text() && share->accessibleName() == share->text();
        out.append(count->text() + u' ' + share->text() +
                   (named ? QString() : QStringLiteral(" (not named)")));
    }
    return out.join(u'|');
}

// "pie" or "bar" for every chart, with the values drawn.
QString charts(QWidget *screen, const QStringList &names)
{
    QStringList out;
    for (const QString &name : names) {
        QChart *chart = screen->findChild<QChartView *>(name)->chart();
        if (auto *pie = qobject_cast<QPieSeries *>(chart->series().value(0))) {
            QStringList v;
            for (QPieSlice *s : pie->slices())
                v.append(QString::number(s->value()));
            out.append(QStringLiteral("pie ") + v.join(u','));
        } else {
            QStringList v;
            for (QBarSet *set : qobject_cast<QBarSeries *>(chart->series().value(0))->barSets())
                v.append(QString::number(set->at(0)));
            out.append(QStringLiteral("bar ") + v.join(u','));
        }
    }
    return out.join(u'|');
}

const QStringList classCharts = {"chrJ", "chrS", "chrC"};
const QStringList evalCharts = {"chrJitu", "chrJiko", "chrSansya"};

} // namespace

class RecipeToolsScreensTest : public QObject
{
    Q_OBJECT
private slots:
    void buttonsOpenModelessScreensThenTheirHelpTour();
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }
    void searchKeysAndLists();
    void stageByAgeSearchesTheStageAlone();
    void foldingBoxFindsWidthsAndKanaAlike();
    void ingredientNarrowedByStageOpensTheRecipe();
    void narrowingWithoutResultWarnsAndKeepsTheList();
    void sameNameTwice();
    void enterMovesThroughTheIngredientBoxes();
    void reloadUnloadsSearchAndGraphs();
    void classificationGraphsOfTheSample();
    void evaluationGraphs();
    void screenshots();

private:
    QTemporaryDir m_settings; // this computer's settings, for the tests alone
};

void RecipeToolsScreensTest::buttonsOpenModelessScreensThenTheirHelpTour()
{
    RecipeBookScreens b;
    b.notebook().tour.helpTourOn = 1;
    const QList<QStringList> doors = {{"cmdKensaku", "検索"},
                                      {"cmdGraph1", "分類分析"},
                                      {"cmdGraph2", "評価分析"},
                                      {"cmdPrint", "レシピ＆メニュー印刷"}};
    for (const QStringList &door : doors) {
        QWidget *opened = nullptr;
        b.dialogs.onMessage = [&](const Dialogs::Box &) {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->windowTitle() == door[1] && w->isVisible())
                    opened = w;
        };
        b.dialogs.expectInformation("ヘルプツアー");
        b.click(b.screen, door[0]);
        QVERIFY2(opened, qPrintable(door[1]));
        QVERIFY(!qobject_cast<QDialog *>(opened)->isModal());
    }
    VERIFY_DIALOGS(b.dialogs);
    QCOMPARE(b.dialogs.shown()[0].text.count("\r\n"), 13); // every line of the search's tour ends in CR LF
    QVERIFY(!b.dialogs.shown()[1].text.endsWith("\r\n"));
}

void RecipeToolsScreensTest::searchKeysAndLists()
{
    RecipeBookScreens b;
    b.tools->openSearch();
    QWidget *s = b.tools->searchScreen();
    auto *stage = b.get<QComboBox>(s, "cboJyanru");
    QCOMPARE(stage->count(), 5);
    QCOMPARE(stage->itemText(4), QString());
    QCOMPARE(stage->currentText(), QString());
    QCOMPARE(b.get<QComboBox>(s, "cboHyouka2")->itemText(3), "未");
    auto *ref = b.get<QComboBox>(s, "cboSankou");
    QVERIFY(ref->isEditable());
    QCOMPARE(ref->count(), b.notebook().recipes.references.size());
    QCOMPARE(ref->itemText(0), "保健センターの離乳食教室");
    auto *list = b.get<QListWidget>(s, "lstKondate");
    QCOMPARE(listed(list), b.notebook().recipes.names());
    QCOMPARE(list->accessibleName(), "検索条件一致リスト");
    for (const QString &name : QStringList{"txtZairyo_4", "txtJikanH", "cboHyouka2", "txtKaisuL"})
        QVERIFY(!b.get<QWidget>(s, name)->accessibleName().isEmpty());
    QCOMPARE(b.get<QWidget>(s, "txtZairyo_4")->accessibleName(), "材料5");
    QCOMPARE(b.get<QWidget>(s, "cmdZairyo")->accessibleName(), "材料：絞り込み検索");
    QCOMPARE(b.get<QWidget>(s, "cmdHyouka1")->toolTip(), "評価：全体から検索");

    // Category and evaluation buttons with every box empty do nothing, in both variants.
    b.type(s, "txtMemo", "冷凍");
    b.click(s, "cmdMemo1");
    const QStringList frozen = listed(list);
    QVERIFY(frozen.size() > 0 && frozen.size() < 27);
    for (const QString &button : QStringList{"cmdBunrui", "cmdBunrui1", "cmdHyouka", "cmdHyouka1"})
        b.click(s, button);
    QCOMPARE(listed(list), frozen);
    // Time 10 to 20 holds 10 and leaves 20 out; an empty upper box passes nothing, silently.
    b.type(s, "txtJikanL", "１０");
    b.type(s, "txtJikanH", "20");
    b.click(s, "cmdJikan1");
    QCOMPARE(listed(list), QStringList({"にんじんペースト", "しらすがゆ", "白身魚の野菜あんかけ", "卵黄がゆ",
                                        "くたくたうどん", "かぼちゃの煮物", "納豆おじや", "野菜スティック",
                                        "軟飯の小さなおにぎり", "野菜入り卵焼き", "キャベツと豚肉の炒め煮"}));
    b.type(s, "txtJikanH", "");
    b.click(s, "cmdJikan1");
    QCOMPARE(list->count(), 0);
    b.click(s, "cmdALL");
    QCOMPARE(list->count(), 27);
    VERIFY_DIALOGS(b.dialogs);
}

// いまの月齢: the child's stage alone, kind and method on "any".
void RecipeToolsScreensTest::stageByAgeSearchesTheStageAlone()
{
    RecipeBookScreens b;
    b.notebook().profile.birthDate = "2026/04/20"; // seven months old on the test's day
    b.screen->show();
    b.tools->openSearch();
    QWidget *s = b.tools->searchScreen();
    QTest::mouseClick(b.get<QPushButton>(s, "cmdIma"), Qt::LeftButton);
    VERIFY_DIALOGS(b.dialogs);
    QCOMPARE(b.get<QLabel>(s, "lblIma")->text(), "いまは モグモグ期（生後7か月）");
    QCOMPARE(b.get<QComboBox>(s, "cboJyanru")->currentText(), "モグモグ期");
    QCOMPARE(b.get<QComboBox>(s, "cboSyurui")->currentText(), QString());
    QCOMPARE(b.get<QComboBox>(s, "cboCyouri")->currentText(), QString());
    QCOMPARE(listed(b.get<QListWidget>(s, "lstKondate")),
             (QStringList{"七倍がゆ", "ほうれん草のおかゆ", "白身魚の野菜あんかけ", "鶏ささみのとろとろ煮",
                          "卵黄がゆ", "バナナヨーグルト", "くたくたうどん"}));
}

// かな・全角半角を区別しない: off, the text keys match as typed; on, ﾎｳﾚﾝ and ほうれん find
// ほうれん草 and ホウレン alike. The box is remembered on this computer and read out by its caption.
void RecipeToolsScreensTest::foldingBoxFindsWidthsAndKanaAlike()
{
    RecipeBookScreens b;
    b.screen->show();
    b.tools->openSearch();
    QWidget *s = b.tools->searchScreen();
    s->show();
    QApplication::setActiveWindow(s);
    QVERIFY(QTest::qWaitForWindowActive(s));
    auto *list = b.get<QListWidget>(s, "lstKondate");
    auto *fold = b.get<QCheckBox>(s, "chkFold");
    QCOMPARE(QAccessible::queryAccessibleInterface(fold)->text(QAccessible::Name),
             "かな・全角半角を区別しない");
    QVERIFY(!fold->isChecked());
    b.get<QLineEdit>(s, "txtNamae")->setFocus(Qt::TabFocusReason);
    typeText(QApplication::focusWidget(), "ﾎｳﾚﾝ");
    QTest::mouseClick(b.get<QToolButton>(s, "cmdNamae1"), Qt::LeftButton);
    QCOMPARE(list->count(), 0);
    fold->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(fold->isChecked());
    QTest::mouseClick(b.get<QToolButton>(s, "cmdNamae1"), Qt::LeftButton);
    QCOMPARE(listed(list), QStringList{"ほうれん草のおかゆ"});
    // The ingredient boxes as well.
    b.get<QLineEdit>(s, "txtZairyo_0")->setFocus(Qt::TabFocusReason);
    typeText(QApplication::focusWidget(), "ﾆﾝｼﾞﾝ");
    QTest::mouseClick(b.get<QToolButton>(s, "cmdZairyo1"), Qt::LeftButton);
    QVERIFY(listed(list).contains("にんじんペースト"));
    VERIFY_DIALOGS(b.dialogs);
    QVERIFY(QSettings().value("recipes/searchFolded").toBool());

    // Opened again, the box is as it was left.
    b.click(s, "cmdModori");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    b.tools->openSearch();
    QVERIFY(b.get<QCheckBox>(b.tools->searchScreen(), "chkFold")->isChecked());
    QSettings().remove("recipes/searchFolded");
}

void RecipeToolsScreensTest::ingredientNarrowedByStageOpensTheRecipe()
{
    RecipeBookScreens b;
    b.screen->show();
    b.tools->openSearch();
    QWidget *s = b.tools->searchScreen();
    auto *list = b.get<QListWidget>(s, "lstKondate");
    b.type(s, "txtZairyo_0", "にんじん");
    b.click(s, "cmdZairyo1");
    QCOMPARE(listed(list),
             QStringList({"にんじんペースト", "白身魚の野菜あんかけ", "野菜スティック", "野菜入り卵焼き"}));
    b.get<QComboBox>(s, "cboJyanru")->setCurrentText("モグモグ期");
    b.click(s, "cmdBunrui");
    QCOMPARE(listed(list), QStringList({"白身魚の野菜あんかけ"}));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QCOMPARE(b.screen->position(), 10);
    QCOMPARE(b.get<QComboBox>(b.screen, "cboNamae")->currentText(), "白身魚の野菜あんかけ");
    QVERIFY(s->isHidden()); // hidden, not unloaded: opening again shows the same list
    b.tools->openSearch();
    QCOMPARE(b.tools->searchScreen(), s);
    QCOMPARE(listed(list), QStringList({"白身魚の野菜あんかけ"}));
    b.get<QRadioButton>(s, "optShow")->setChecked(true);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QVERIFY(s->isVisible());
    VERIFY_DIALOGS(b.dialogs);
}

void RecipeToolsScreensTest::narrowingWithoutResultWarnsAndKeepsTheList()
{
    RecipeBookScreens b;
    b.tools->openSearch();
    QWidget *s = b.tools->searchScreen();
    auto *list = b.get<QListWidget>(s, "lstKondate");
    b.type(s, "txtNamae", "がゆ");
    b.click(s, "cmdNamae1");
    const QStringList porridges = listed(list);
    QCOMPARE(porridges.size(), 6);
    b.type(s, "txtNamae", "ピザ");
    b.dialogs.expect("対象ゼロ件", "指定の検索条件では対象がありません\n\n条件を変えて検索してください",
                     Dialogs::Icon::Warning, Dialogs::Buttons::Ok, Dialogs::Answer::Ok);
    b.click(s, "cmdNamae");
    QCOMPARE(listed(list), porridges);
    b.click(s, "cmdNamae1"); // the whole table: no box, an empty list
    QCOMPARE(list->count(), 0);
    VERIFY_DIALOGS(b.dialogs);
}

void RecipeToolsScreensTest::sameNameTwice()
{
    QList<Recipe> recipes = recipesNamed({"おかゆ", "スープ", "おかゆ"});
    recipes[2].memo = "冷凍できる";
    RecipeBookScreens b(recipes, true);
    b.tools->openSearch();
    QWidget *s = b.tools->searchScreen();
    auto *list = b.get<QListWidget>(s, "lstKondate");
    QCOMPARE(listed(list), QStringList({"おかゆ", "スープ", "おかゆ"}));
    b.type(s, "txtMemo", "冷凍");
    b.click(s, "cmdMemo"); // the first おかゆ fails, the second passes: both rows stay
    QCOMPARE(listed(list), QStringList({"おかゆ", "おかゆ"}));
    b.screen->setPosition(2);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QCOMPARE(b.screen->position(), 1);
}

void RecipeToolsScreensTest::enterMovesThroughTheIngredientBoxes()
{
    RecipeBookScreens b;
    b.tools->openSearch();
    QWidget *s = b.tools->searchScreen();
    QVERIFY(QTest::qWaitForWindowActive(s));
    auto box = [&](int i) { return b.get<QLineEdit>(s, QStringLiteral("txtZairyo_%1").arg(i)); };
    box(0)->setFocus();
    QTest::keyClick(box(0), Qt::Key_Return); // empty: stays
    QCOMPARE(QApplication::focusWidget(), box(0));
    for (int i = 0; i < 5; ++i) {
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(std::min(i + 1, 4)));
    }
}

void RecipeToolsScreensTest::reloadUnloadsSearchAndGraphs()
{
    RecipeBookScreens b;
    b.tools->openSearch();
    b.tools->openClassificationGraph();
    b.tools->openEvaluationGraph();
    b.tools->openPrint();
    b.notebook().loadRecipes();
    QVERIFY(!b.tools->searchScreen() && !b.tools->classificationGraph() && !b.tools->evaluationGraph());
    QVERIFY(b.tools->printScreen());
    b.tools->openSearch();
    b.click(b.tools->searchScreen(), "cmdModori");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!b.tools->searchScreen());
}

void RecipeToolsScreensTest::classificationGraphsOfTheSample()
{
    RecipeBookScreens b;
    b.tools->openClassificationGraph();
    QWidget *g = b.tools->classificationGraph();
    QCOMPARE(figures(g, "lblJ", 4), "7 25.9%|7 25.9%|6 22.2%|7 25.9%");
    QCOMPARE(figures(g, "lblS", 10),
             "7 25.9%|2 7.4%|1 3.7%|4 14.8%|4 14.8%|3 11.1%|2 7.4%|1 3.7%|3 11.1%|0 0.0%");
    QCOMPARE(figures(g, "lblC", 9), "3 11.1%|1 3.7%|14 51.9%|2 7.4%|2 7.4%|1 3.7%|2 7.4%|2 7.4%|0 0.0%");
    const QString pies = "pie 7,7,6,7|pie 7,2,1,4,4,3,2,1,3,0|pie 3,1,14,2,2,1,2,2,0";
    QCOMPARE(charts(g, classCharts), pies);
    b.click(g, "cmdBar");
    QCOMPARE(charts(g, classCharts), QString(pies).replace("pie", "bar"));
    // Rows 8 and 10 are drawn paler in the chart than their swatches.
    auto *kinds = qobject_cast<QBarSeries *>(b.get<QChartView>(g, "chrS")->chart()->series()[0]);
    QCOMPARE(kinds->barSets()[7]->color(), QColor(0xB4, 0xFF, 0xB4));
    QCOMPARE(kinds->barSets()[9]->color(), QColor(0xFF, 0x80, 0xFF));
    QCOMPARE(b.get<QChartView>(g, "chrS")->accessibleName(), "種類別");
    b.click(g, "cmdPai");
    QCOMPARE(charts(g, classCharts), pies);
}

void RecipeToolsScreensTest::evaluationGraphs()
{
    {
        RecipeBookScreens b;
        b.tools->openEvaluationGraph();
        QWidget *g = b.tools->evaluationGraph();
        QCOMPARE(figures(g, "lblJiseki", 2), "17 63.0%|10 37.0%");
        QCOMPARE(figures(g, "lblHyo1", 3), "8 47.1%|7 41.2%|2 11.8%");
        QCOMPARE(figures(g, "lblHyo2", 3), "9 52.9%|6 35.3%|2 11.8%");
        QCOMPARE(charts(g, evalCharts), "bar 17,10|bar 8,7,2|bar 9,6,2");
        b.click(g, "cmdPai");
        QCOMPARE(charts(g, evalCharts), "pie 17,10|pie 8,7,2|pie 9,6,2");
        QCOMPARE(b.get<QLabel>(g, "lblLevel")->text(), "Level  89"); // 124 points of 140
        QCOMPARE(b.get<QLabel>(g, "lblLevel")->accessibleName(), "Level  89");
        auto *bar = b.get<LevelBar>(g, "shpLevel");
        auto *recipeBar = b.get<LevelBar>(b.screen, "shpLevel");
        for (int i = 1; i <= 10; ++i)
            QCOMPARE(bar->boxColor(i), recipeBar->boxColor(i));
        QCOMPARE(bar->boxColor(8), QColor(255, 0, 255));
        QCOMPARE(bar->boxColor(9), QColor(Qt::white));
    }
    // Self evaluations 優, 優, 良, 未 and an empty one: the empty one is in neither row.
    QList<Recipe> five = recipesNamed({"a", "b", "c", "d", "e"});
    for (int i = 0; i < 5; ++i)
        five[i].selfEval = QStringList({"優", "優", "良", "未", ""})[i];
    RecipeBookScreens b(five, true);
    b.tools->openEvaluationGraph();
    QWidget *g = b.tools->evaluationGraph();
    QCOMPARE(figures(g, "lblJiseki", 2), "3 60.0%|1 20.0%");
    QCOMPARE(figures(g, "lblHyo1", 3), "2 66.7%|1 33.3%|0 0.0%");
}

// With TECHO_SHOTS set to a folder: pictures of the screens to look at.
void RecipeToolsScreensTest::screenshots()
{
    const QString dir = qEnvironmentVariable("TECHO_SHOTS");
    if (dir.isEmpty())
        QSKIP("TECHO_SHOTS not set");
    RecipeBookScreens b;
    b.tools->openSearch();
    b.type(b.tools->searchScreen(), "txtZairyo_0", "だし汁");
    b.click(b.tools->searchScreen(), "cmdZairyo1");
    b.tools->openClassificationGraph();
    b.tools->openEvaluationGraph();
    b.tools->openPrint();
    const QList<QPair<QWidget *, QString>> shots = {{b.tools->searchScreen(), "search"},
                                                    {b.tools->classificationGraph(), "graph1_pie"},
                                                    {b.tools->evaluationGraph(), "graph2_bar"},
                                                    {b.tools->printScreen(), "print"}};
    for (const auto &[w, name] : shots)
        QVERIFY(w->grab().save(dir + "/" + name + ".png"));
    b.click(b.tools->classificationGraph(), "cmdBar");
    b.click(b.tools->evaluationGraph(), "cmdPai");
    QVERIFY(b.tools->classificationGraph()->grab().save(dir + "/graph1_bar.png"));
    QVERIFY(b.tools->evaluationGraph()->grab().save(dir + "/graph2_pie.png"));
}

QTEST_MAIN(RecipeToolsScreensTest)
#include "recipe_tools_screens_test.moc"
