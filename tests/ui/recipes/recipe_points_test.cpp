// The classification statistics, the points, the level and the level bar.
#include "core/recipes/points.h"
#include "core/recipes/recipe_store.h"
#include "ui/widgets/level_bar.h"

#include "test_notebook.h"

#include <QtTest>

namespace {

Recipe recipe(const QString &stage, const QString &kind, const QString &self, const QString &child,
              const QString &count = QStringLiteral("0"))
{
    Recipe r;
    r.name = QStringLiteral("おかゆ");
    r.stage = stage;
    r.kind = kind;
    r.method = QStringLiteral("煮る");
    r.selfEval = self;
    r.childEval = child;
    r.cookCount = count;
    return r;
}

} // namespace

class RecipePointsTest : public QObject
{
    Q_OBJECT
private slots:
    void classificationRatios();
    void evaluationRatios();
    void ratiosKeepTheirValuesWithNothingToDivideBy();
    void points_data();
    void points();
    void level_data();
    void level();
    void totalNeverWraps();
    void goalText();
    void everyLevelBarFollowsShowLevelBar();
};

void RecipePointsTest::classificationRatios()
{
    const QString kami = QStringLiteral("カミカミ期"), other = QStringLiteral("その他");
    const QList<Recipe> table = {recipe(kami, other, "優", "優"), recipe(kami, other, "良", "良"),
                                 recipe(kami, other, "未", "未"),
                                 recipe(QStringLiteral("離乳完了期"), other, "", "")};
    RecipeStats st;
    countRecipeStats(table, st);
    QCOMPARE(st.stageCount[2], qint16(3));
    QCOMPARE(st.stageRatio[2], 0.75f);
    QCOMPARE(st.kindRatio[9], 1.0f);
    QCOMPARE(st.methodCount[2], qint16(4));
    // A stage not in the list and an empty evaluation are counted nowhere.
    QCOMPARE(st.stageCount[0] + st.stageCount[1] + st.stageCount[3], 0);
    QCOMPARE(st.evaluatedCount, qint16(2));
    QCOMPARE(st.unevaluatedCount, qint16(1));
    QCOMPARE(st.evaluatedRatio, 0.5f);
}

void RecipePointsTest::evaluationRatios()
{
    const QList<Recipe> table = {recipe("", "", "優", "良"), recipe("", "", "未", "未")};
    RecipeStats st;
    countRecipeStats(table, st);
    QCOMPARE(st.evaluatedCount, qint16(1));
    QCOMPARE(st.selfEvalRatio[0], 1.0f);
    QCOMPARE(st.childEvalRatio[1], 1.0f);
    QCOMPARE(st.unevaluatedRatio, 0.5f);
}

void RecipePointsTest::ratiosKeepTheirValuesWithNothingToDivideBy()
{
    RecipeStats st;
    countRecipeStats({recipe("", "", "優", "良"), recipe("", "", "不", "優")}, st);
    QCOMPARE(st.selfEvalRatio[0], 0.5f);
    // Nothing self-evaluated: the six evaluation ratios stay, the others are recomputed.
    countRecipeStats({recipe("", "", "未", "優")}, st);
    QCOMPARE(st.selfEvalRatio[0], 0.5f);
    QCOMPARE(st.childEvalRatio[0], 0.5f);
    QCOMPARE(st.childEvalCount[0], qint16(1));
    QCOMPARE(st.unevaluatedRatio, 1.0f);
    // An empty book: counts 0, every ratio as it was.
    countRecipeStats({}, st);
    QCOMPARE(st.unevaluatedCount, qint16(0));
    QCOMPARE(st.childEvalCount[0], qint16(0));
    QCOMPARE(st.unevaluatedRatio, 1.0f);
}

void RecipePointsTest::points_data()
{
    QTest::addColumn<QString>("child");
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("points");
    QTest::newRow("良, cooked 3 times") << "良"
                                        << "3" << 7;
    QTest::newRow("優, never") << "優"
                               << "0" << 5;
    QTest::newRow("不") << "不"
                        << "1" << 4;
    QTest::newRow("未") << "未"
                        << "0" << 2;
    QTest::newRow("unknown letter") << "?"
                                    << "0" << 2;
    QTest::newRow("2.5 rounds to even") << "未"
                                        << "2.5" << 4;
    QTest::newRow("3.5 rounds to even") << "未"
                                        << "3.5" << 6;
}

void RecipePointsTest::points()
{
    QFETCH(QString, child);
    QFETCH(QString, count);
    QFETCH(int, points);
    QCOMPARE(recipePoints(recipe("", "", "良", child, count)), points);
}

void RecipePointsTest::level_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("target");
    QTest::addColumn<float>("level");
    QTest::addColumn<int>("boxes");
    QTest::newRow("7 of 140") << 7 << 140 << 5.0f << 0;
    QTest::newRow("7 of 70") << 7 << 70 << 10.0f << 1;
    QTest::newRow("140 of 140") << 140 << 140 << 100.0f << 10;
    QTest::newRow("999 of 1000") << 999 << 1000 << 99.9f << 9;
    QTest::newRow("beyond the goal") << 300 << 140 << float(300.0 / 140.0 * 100.0) << 10;
    QTest::newRow("goal 0") << 57 << 0 << 0.0f << 0;
    QTest::newRow("negative goal") << 57 << -10 << -570.0f << 0;
}

void RecipePointsTest::level()
{
    QFETCH(int, total);
    QFETCH(int, target);
    QFETCH(float, level);
    QFETCH(int, boxes);
    const float percent = levelPercentOf(qint16(total), qint16(target));
    QCOMPARE(percent, level);
    QCOMPARE(levelBoxesReached(percent), boxes);
    for (int i = 1; i <= LevelBoxes; ++i)
        QCOMPARE(levelBoxColor(i, percent) == QColor(Qt::white), i > boxes);
}

void RecipePointsTest::totalNeverWraps()
{
    QList<Recipe> table(RecipeCapacity, recipe("", "", "優", "優", QStringLiteral("100")));
    QCOMPARE(totalPointOf(table), qint16(32767));
    QCOMPARE(totalPointOf({}), qint16(0));
    QCOMPARE(pagePoints(QStringLiteral("不"), 4), 7);
}

void RecipePointsTest::goalText()
{
    const QString text = goalReachedText(140);
    QCOMPARE(text.section(u'\n', 0, 0),
             QStringLiteral("目標ポイント 140p に対するレベルが１００％をこえました！"));
    QCOMPARE(text, QStringLiteral("目標ポイント 140p に対するレベルが１００％をこえました！\n"
                                  "おめでとうございます。 ＼(^o^)／ﾔｯﾀｧ \n\n"
                                  "さらなるレベルアップを目指して、次の目標ポイントを指定しましょう。"));
    QVERIFY(goalReached(100.0f));
    QVERIFY(!goalReached(99.9f));
}

void RecipePointsTest::everyLevelBarFollowsShowLevelBar()
{
    TestNotebook t;
    Notebook &nb = t.notebook();
    RecipeBook &book = nb.recipes;
    nb.profile.targetPoint = 70;
    book.recipes() = {recipe("", "", "良", "良", QStringLiteral("3"))};
    LevelBar recipeScreenBar(nb);
    nb.computeTotalPoint();
    LevelBar graphScreenBar(nb); // a bar made later starts at the current level
    QCOMPARE(book.totalPoint, qint16(7));
    for (LevelBar *bar : {&recipeScreenBar, &graphScreenBar}) {
        QCOMPARE(bar->boxColor(1), QColor(0, 255, 255));
        QCOMPARE(bar->boxColor(2), QColor(255, 255, 255));
    }
    book.recipes().append(recipe("", "", "優", "優", QStringLiteral("58"))); // 63 points more: 70 of 70
    nb.computeTotalPoint();
    const QColor expected[] = {{0, 255, 255}, {0, 255, 255}, {0, 255, 0},   {0, 255, 0}, {255, 255, 0},
                               {255, 255, 0}, {255, 0, 255}, {255, 0, 255}, {255, 0, 0}, {255, 0, 0}};
    for (LevelBar *bar : {&recipeScreenBar, &graphScreenBar})
        for (int i = 1; i <= LevelBoxes; ++i)
            QCOMPARE(bar->boxColor(i), expected[i - 1]);
    QVERIFY(recipeScreenBar.findChild<QWidget *>(QStringLiteral("shpLevel10"))->height() >
            recipeScreenBar.findChild<QWidget *>(QStringLiteral("shpLevel1"))->height());
}

QTEST_MAIN(RecipePointsTest)
#include "recipe_points_test.moc"
