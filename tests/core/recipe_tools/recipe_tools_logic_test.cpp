// The search keys, the narrowing, the texts of the graph screens and the menu's range and grid,
// without any widget.
#include "core/recipe_tools/recipe_graphs.h"
#include "core/recipe_tools/recipe_print.h"
#include "core/recipe_tools/recipe_search.h"
#include "core/recipes/recipe_store.h"

#include <QtTest>

#include <limits>

namespace {

// "field=value" pairs into a recipe and into the key boxes.
Recipe recipeOf(const QStringList &pairs)
{
    Recipe r;
    for (const QString &pair : pairs) {
        const QString f = pair.section(u'=', 0, 0), v = pair.section(u'=', 1);
        QString *fields[] = {&r.name,      &r.stage, &r.kind,        &r.method, &r.selfEval, &r.childEval,
                             &r.cookCount, &r.ref,   &r.ingredients, &r.steps,  &r.memo};
        const QStringList names = {"name",  "stage", "kind",        "method", "self", "child",
                                   "count", "ref",   "ingredients", "steps",  "memo"};
        if (f == "time")
            r.time = v.toFloat();
        else
            *fields[names.indexOf(f)] = v;
    }
    return r;
}

SearchKeys keysOf(const QStringList &pairs)
{
    SearchKeys k;
    for (const QString &pair : pairs) {
        const QString f = pair.section(u'=', 0, 0), v = pair.section(u'=', 1);
        QString *fields[] = {&k.name,     &k.steps,     &k.memo,     &k.stage,    &k.kind,
                             &k.method,   &k.timeLow,   &k.timeHigh, &k.selfEval, &k.childEval,
                             &k.countLow, &k.countHigh, &k.ref};
        const QStringList names = {"name",  "steps", "memo",  "stage",  "kind",   "method", "timeL",
                                   "timeH", "self",  "child", "countL", "countH", "ref"};
        if (f.startsWith("zairyo"))
            k.ingredients[f.back().digitValue()] = v;
        else
            *fields[names.indexOf(f)] = v;
    }
    return k;
}

} // namespace

Q_DECLARE_METATYPE(SearchKey)

class RecipeToolsLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void keyTests_data();
    void keyTests();
    void idleGroups();
    void narrowingKeepsNamesThatALaterRecipePasses();
    void countAxes_data();
    void countAxes();
    void statisticsTexts_data();
    void statisticsTexts();
    void menuRange_data();
    void menuRange();
    void menuGrid();
};

void RecipeToolsLogicTest::keyTests_data()
{
    QTest::addColumn<SearchKey>("key");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("recipe");
    QTest::addColumn<bool>("passes");
    using K = SearchKey;
    auto row = [](const char *name, K key, QStringList keys, QStringList recipe, bool passes) {
        QTest::newRow(name) << key << keys << recipe << passes;
    };
    row("name substring", K::Name, {"name=がゆ"}, {"name=十倍がゆ"}, true);
    row("name: letter case differs", K::Name, {"name=A"}, {"name=a"}, false);
    row("name: full and half width differ", K::Name, {"name=ａ"}, {"name=a"}, false);
    row("name: blanks are not trimmed", K::Name, {"name=がゆ "}, {"name=十倍がゆ"}, false);
    row("empty name box, any name", K::Name, {}, {"name=十倍がゆ"}, true);
    row("empty memo box, filled memo", K::Memo, {}, {"memo=x"}, true);
    row("empty memo box, empty memo", K::Memo, {}, {}, false);
    row("empty steps box, empty steps", K::Steps, {}, {}, false);
    row("steps substring over lines", K::Steps, {"steps=\r\n②"}, {"steps=①洗う\r\n②煮る"}, true);
    row("reference is a substring test", K::Reference, {"ref=離乳食"}, {"ref=保健センターの離乳食教室"},
        true);
    row("empty reference box, empty reference", K::Reference, {}, {}, false);
    row("ingredients in boxes 0 and 3, both held", K::Ingredients, {"zairyo0=米", "zairyo3=水"},
        {"ingredients=米　大さじ１\r\n水　１カップ"}, true);
    row("ingredients in boxes 0 and 3, one missing", K::Ingredients, {"zairyo0=米", "zairyo3=水"},
        {"ingredients=米　大さじ１"}, false);
    row("all ingredient boxes empty, no ingredients", K::Ingredients, {}, {}, false);
    row("stage chosen, equal", K::Category, {"stage=ゴックン期"}, {"stage=ゴックン期", "kind=野菜"}, true);
    row("stage and kind chosen, kind differs", K::Category, {"stage=ゴックン期", "kind=肉"},
        {"stage=ゴックン期", "kind=野菜"}, false);
    row("method is an equality test", K::Category, {"method=その他"}, {"method=その他 "}, false);
    row("self chosen, child empty", K::Evaluation, {"self=優"}, {"self=優", "child=良"}, true);
    row("child differs", K::Evaluation, {"self=優", "child=不"}, {"self=優", "child=良"}, false);
    row("time 10 to 20 holds 10", K::Time, {"timeL=10", "timeH=20"}, {"time=10"}, true);
    row("time 10 to 20 leaves 20 out", K::Time, {"timeL=10", "timeH=20"}, {"time=20"}, false);
    row("time with an empty upper bound", K::Time, {"timeL=0"}, {"time=0"}, false);
    row("time: leading number of the box", K::Time, {"timeL=abc", "timeH=20分"}, {"time=0"}, true);
    row("time: full-width digits", K::Time, {"timeL=１０", "timeH=２０．５"}, {"time=20.25"}, true);
    // 0.300000012 is above the stored 0.3 in double precision but rounds to it in single.
    row("time bounds in single precision", K::Time, {"timeL=0", "timeH=0.300000012"}, {"time=0.3"}, false);
    row("cook count 3 to 4 holds 3", K::CookCount, {"countL=3", "countH=4"}, {"count=3"}, true);
    row("cook count 3 to 4 leaves 4 out", K::CookCount, {"countL=3", "countH=4"}, {"count=4"}, false);
    row("cook count: empty lower box, full-width upper", K::CookCount, {"countH=１"}, {"count=0"}, true);
}

void RecipeToolsLogicTest::keyTests()
{
    QFETCH(SearchKey, key);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, recipe);
    QFETCH(bool, passes);
    QCOMPARE(passesKey(key, keysOf(keys), recipeOf(recipe)), passes);
}

void RecipeToolsLogicTest::idleGroups()
{
    QVERIFY(keyIsIdle(SearchKey::Category, keysOf({"self=優"})));
    QVERIFY(!keyIsIdle(SearchKey::Category, keysOf({"method=煮る"})));
    QVERIFY(keyIsIdle(SearchKey::Evaluation, keysOf({"stage=ゴックン期"})));
    QVERIFY(!keyIsIdle(SearchKey::Evaluation, keysOf({"child=不"})));
    // Text keys are never idle: an empty box passes the filled fields.
    QVERIFY(!keyIsIdle(SearchKey::Memo, SearchKeys()));
}

void RecipeToolsLogicTest::narrowingKeepsNamesThatALaterRecipePasses()
{
    // The first あ fails and the second passes; う always fails; え is listed but not in the table.
    const QStringList names = {"あ", "い", "あ", "う"};
    const QList<bool> pass = {false, true, true, false};
    const auto passes = [&](int i) { return pass[i]; };
    QCOMPARE(searchWhole(names, passes), QStringList({"い", "あ"}));
    QCOMPARE(searchNarrow({"あ", "い", "う", "え", "あ"}, names, passes), QStringList({"あ", "い", "あ"}));
    QCOMPARE(searchNarrow({"う"}, names, passes), QStringList());
    QCOMPARE(zeroResultText(), QString("指定の検索条件では対象がありません\n\n条件を変えて検索してください"));
}

// Labels at whole numbers, a round step apart, the top a label at or above the largest count.
void RecipeToolsLogicTest::countAxes_data()
{
    QTest::addColumn<int>("largest");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("step");
    QTest::newRow("nothing yet") << 0 << 1 << 1;
    QTest::newRow("five by ones") << 5 << 5 << 1;
    QTest::newRow("seven by twos") << 7 << 8 << 2;
    QTest::newRow("ten by twos") << 10 << 10 << 2;
    QTest::newRow("eleven by fives") << 11 << 15 << 5;
    QTest::newRow("a thousand") << 1000 << 1000 << 200;
    QTest::newRow("as large as it gets") << std::numeric_limits<int>::max() << std::numeric_limits<int>::max()
                                         << 500000000;
}

void RecipeToolsLogicTest::countAxes()
{
    QFETCH(int, largest);
    const CountAxis axis = countAxis(largest);
    QTEST(axis.top, "top");
    QTEST(axis.step, "step");
    QVERIFY(axis.tickCount() <= 6);
}

void RecipeToolsLogicTest::statisticsTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("count 0") << countText(0) << "0";
    QTest::newRow("count without grouping") << countText(1234) << "1234";
    QTest::newRow("a quarter") << shareText(0.25f) << "25.0%";
    QTest::newRow("nothing") << shareText(0.f) << "0.0%";
    QTest::newRow("two thirds") << shareText(2.f / 3) << "66.7%";
    QTest::newRow("one third") << shareText(1.f / 3) << "33.3%";
    QTest::newRow("a half rounds away from zero") << shareText(0.0625f) << "6.3%";
    QTest::newRow("all") << shareText(1.f) << "100.0%";
    QTest::newRow("level") << levelText(45.4f) << "Level  45";
    QTest::newRow("level, a half") << levelText(44.5f) << "Level  45";
    QTest::newRow("level 0") << levelText(0.f) << "Level  0";
}

void RecipeToolsLogicTest::statisticsTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

void RecipeToolsLogicTest::menuRange_data()
{
    QTest::addColumn<QStringList>("boxes"); // txtSt, txtEd, RecipeCount
    QTest::addColumn<QStringList>("after"); // txtSt, txtEd, then s-e or the box that gets the focus
    QTest::newRow("all of 20") << QStringList{"1", "20", "20"} << QStringList{"1", "20", "1-20"};
    QTest::newRow("5 to 5") << QStringList{"5", "5", "20"} << QStringList{"5", "5", "5-5"};
    QTest::newRow("7 to 3 empties both") << QStringList{"7", "3", "20"} << QStringList{"", "", "txtSt"};
    QTest::newRow("start 0") << QStringList{"0", "5", "20"} << QStringList{"", "5", "txtSt"};
    QTest::newRow("start not a number") << QStringList{"abc", "5", "20"} << QStringList{"", "5", "txtSt"};
    QTest::newRow("end beyond the book") << QStringList{"3", "25", "20"} << QStringList{"", "", "txtSt"};
    QTest::newRow("end empty") << QStringList{"3", "", "20"} << QStringList{"", "", "txtSt"};
    QTest::newRow("empty book") << QStringList{"1", "0", "0"} << QStringList{"", "", "txtSt"};
    QTest::newRow("full-width digits")
        << QStringList{"２", "１５", "20"} << QStringList{"２", "１５", "2-15"};
    QTest::newRow("halves to even") << QStringList{"2.5", "3.5", "20"} << QStringList{"2.5", "3.5", "2-4"};
}

void RecipeToolsLogicTest::menuRange()
{
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, after);
    const MenuRange r = checkMenuRange(boxes[0], boxes[1], boxes[2].toInt());
    const QString outcome = r.ok ? QStringLiteral("%1-%2").arg(r.first).arg(r.last)
                                 : (r.focusStart ? QStringLiteral("txtSt") : QStringLiteral("txtEd"));
    QCOMPARE(QStringList({r.start, r.end, outcome}), after);
}

void RecipeToolsLogicTest::menuGrid()
{
    // Name lines at 250, 3450, … 13050 below the 200-twip origin; cells 3500 × 3200; 15 a page.
    const MenuCell first = menuCell(0), fifth = menuCell(4), last = menuCell(14), next = menuCell(15);
    QCOMPARE(first.nameTwips, QPointF(0, 450));
    QCOMPARE(first.pictureTwips, QRectF(0, 700, 3400, 2550));
    QCOMPARE(fifth.nameTwips, QPointF(3500, 3650));
    QCOMPARE(last.nameTwips, QPointF(7000, 13250));
    QCOMPARE(last.pictureTwips.bottomRight(), QPointF(10400, 16050));
    QCOMPARE(last.page, 0);
    QCOMPARE(next.page, 1);
    QCOMPARE(next.nameTwips, first.nameTwips);
    // On a page that holds the grid the twips keep their size; on A4 within 10 mm margins the
    // grid shrinks to its height.
    QCOMPARE(menuScale(QSizeF(200, 290)), MmPerTwip);
    QCOMPARE(menuScale(QSizeF(190, 277)), 277.0 / 16050);
}

QTEST_GUILESS_MAIN(RecipeToolsLogicTest)
#include "recipe_tools_logic_test.moc"
