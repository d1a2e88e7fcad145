// レシピ.txt and 参考資料.txt: the reader, the three writers and the file operations on a notebook.
#include "core/book/notebook.h"
#include "core/text/cp932.h"
#include "core/recipes/recipe_files.h"
#include "core/recipes/recipe_store.h"
#include "generators.h"
#include "test_notebook.h"

#include <QDir>
#include <QtTest>

namespace {

QByteArray golden(const QString &rel) { return testDataBytes(QStringLiteral("recipes_store/") + rel); }
QString storeCase(const QString &name) { return testDataDir() + QStringLiteral("/recipes_store/") + name; }

QStringList backups(const QString &dir)
{
    return QDir(dir).entryList({QStringLiteral("*.bak")}, QDir::Files);
}

} // namespace

class RecipeStoreTest : public QObject
{
    Q_OBJECT
private slots:
    void reader_data();
    void reader();
    void writers_data();
    void writers();
    void lineEndsOfOtherSystems();
    void appendWritesThePageAfterTheFile();
    void tooManyRecordsShowTheCapacityAndKeepTheRest();
    void fileEndingInsideARecordIsRewrittenBeforeAnAppend();
    void valueTexts();
    void historyEntries_data();
    void historyEntries();
    void references();
};

void RecipeStoreTest::reader_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("whole");
    QTest::newRow("three") << "three" << 3 << true;
    QTest::newRow("hyphen lines") << "hyphens" << 1 << true;
    QTest::newRow("ends inside a record") << "truncated" << 2 << false;
    QTest::newRow("blank lines after the last record") << "blanklines" << 2 << true;
}

void RecipeStoreTest::reader()
{
    QFETCH(QString, folder);
    QFETCH(int, count);
    QFETCH(bool, whole);
    const RecipeParse parsed = parseRecipes(golden(folder + QStringLiteral("/レシピ.txt")));
    QCOMPARE(parsed.recipes.size(), count);
    QCOMPARE(parsed.whole, whole);
    if (folder == QLatin1String("three")) {
        const Recipe &a = parsed.recipes[0];
        QCOMPARE(a.name, QStringLiteral("かぼちゃがゆ"));
        QCOMPARE(a.time, 12.5f);
        QCOMPARE(a.cookCount, QStringLiteral("3"));
        QCOMPARE(a.ingredients, QStringLiteral("かぼちゃ　30g\r\nだし汁　大さじ2"));
        QCOMPARE(a.memo, QStringLiteral("やわらかめ\r\n")); // a last empty line stays
        QCOMPARE(a.history, QStringLiteral("1995/09/05\r\n1995/09/10\r\n1995/09/18"));
        const Recipe &b = parsed.recipes[1];
        QCOMPARE(b.stage, QString());
        QCOMPARE(b.cookCount, QStringLiteral("0")); // nothing after the header
        QVERIFY(b.ingredients.isEmpty() && b.steps.isEmpty() && b.memo.isEmpty() && b.history.isEmpty());
        QCOMPARE(parsed.recipes[2].ref, QStringLiteral("おばあちゃん"));
    } else if (folder == QLatin1String("hyphens")) {
        const Recipe &r = parsed.recipes[0];
        QCOMPARE(r.ingredients, QStringLiteral("ほうれん草\r\n----------\r\nおかゆ"));
        QCOMPARE(r.steps, QString(15, u'-'));
        QCOMPARE(r.memo, QStringLiteral("-----\r\n\r\n---"));
        QCOMPARE(r.history, QStringLiteral("1995/10/15"));
    } else if (folder == QLatin1String("truncated")) {
        QCOMPARE(parsed.recipes[1].ingredients, QStringLiteral("x"));
    }
}

void RecipeStoreTest::writers_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("skip");
    QTest::addColumn<QString>("expected");
    QTest::newRow("change") << "three/レシピ.txt" << 0 << "three/変更.txt";
    QTest::newRow("delete first") << "three/レシピ.txt" << 1 << "three/削除1.txt";
    QTest::newRow("delete middle") << "three/レシピ.txt" << 2 << "three/削除2.txt";
    QTest::newRow("delete last") << "three/レシピ.txt" << 3 << "three/削除3.txt";
    QTest::newRow("hyphen lines unchanged") << "hyphens/レシピ.txt" << 0 << "hyphens/レシピ.txt";
}

void RecipeStoreTest::writers()
{
    QFETCH(QString, input);
    QFETCH(int, skip);
    QFETCH(QString, expected);
    const RecipeParse parsed = parseRecipes(golden(input));
    const QByteArray written = cp932::encode(recipeFileText(parsed.recipes, skip)).bytes;
    QCOMPARE(written, golden(expected));
    // Either form of an empty section reads back as empty: the tables come back whole.
    QList<Recipe> kept = parsed.recipes;
    if (skip)
        kept.removeAt(skip - 1);
    const QList<Recipe> reread = parseRecipes(written).recipes;
    QCOMPARE(reread.size(), kept.size());
    for (qsizetype i = 0; i < reread.size(); ++i)
        QVERIFY(reread[i] == kept[i]);
}

void RecipeStoreTest::lineEndsOfOtherSystems()
{
    // A file saved with bare LF or CR line ends reads as the same recipes, texts joined by CR LF.
    const QByteArray crlf = golden(QStringLiteral("three/レシピ.txt"));
    const QList<Recipe> expected = parseRecipes(crlf).recipes;
    for (const char *end : {"\n", "\r"}) {
        const RecipeParse parsed = parseRecipes(QByteArray(crlf).replace("\r\n", end));
        QVERIFY(parsed.whole);
        QVERIFY(parsed.recipes == expected);
    }
}

void RecipeStoreTest::appendWritesThePageAfterTheFile()
{
    TestNotebook t(storeCase(QStringLiteral("three")));
    Notebook &nb = t.notebook();
    nb.loadRecipes();
    Recipe page;
    page.name = QStringLiteral("にんじんスープ");
    page.stage = QStringLiteral("モグモグ期");
    page.kind = QStringLiteral("汁・スープ");
    page.method = QStringLiteral("煮る");
    page.time = 7.5f;
    page.selfEval = page.childEval = evalNone();
    page.cookCount = QStringLiteral("0");
    QVERIFY(nb.appendRecipe(page).ok);
    // The file as it was (with "03" and an empty count) followed by the new record.
    QCOMPARE(t.bytes(recipeFileName()), golden(QStringLiteral("three/追加.txt")));
}

void RecipeStoreTest::tooManyRecordsShowTheCapacityAndKeepTheRest()
{
    TestNotebook t;
    const QByteArray original = generators::recipeFile(RecipeCapacity + 1);
    t.writeBytes(recipeFileName(), original);
    Notebook &nb = t.notebook();
    const RecipeLoad load = nb.loadRecipes();
    QVERIFY(load.firstNotWhole);
    QCOMPARE(nb.recipes.count(), RecipeCapacity);
    const QString last = parseRecipes(original).damage.beyondNames.value(0);
    QCOMPARE(load.damage.beyondNames, QStringList{last});
    QVERIFY(NotebookFiles::notWholeMessage(recipeFileName(), 1000, QStringLiteral("件"), load.damage)
                .contains(QStringLiteral("1001 件目から後の 1 件分（%1）は表示しませんが、ファイルにはそのまま残します").arg(last)));
    QVERIFY(!nb.loadRecipes().firstNotWhole); // the user is told once
    // A deletion rewrites the file: the recipe past the capacity stays, now the 1000th.
    QVERIFY(nb.saveRecipeFile(1).ok);
    const QStringList copies = backups(t.dir());
    QCOMPARE(copies.size(), 1);
    QFile copy(t.path(copies.first()));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), original);
    const RecipeParse after = parseRecipes(t.bytes(recipeFileName()));
    QVERIFY(after.whole);
    QCOMPARE(after.recipes.size(), RecipeCapacity);
    QCOMPARE(after.recipes.last().name, last);
}

void RecipeStoreTest::fileEndingInsideARecordIsRewrittenBeforeAnAppend()
{
    TestNotebook t(storeCase(QStringLiteral("truncated")));
    Notebook &nb = t.notebook();
    const QByteArray original = t.bytes(recipeFileName());
    QVERIFY(nb.loadRecipes().firstNotWhole);
    Recipe page;
    page.name = QStringLiteral("D");
    QVERIFY(nb.appendRecipe(page).ok);
    const RecipeParse after = parseRecipes(t.bytes(recipeFileName()));
    QVERIFY(after.whole);
    QCOMPARE(after.recipes.size(), 3);
    QCOMPARE(after.recipes[2].name, QStringLiteral("D"));
    const QStringList copies = backups(t.dir());
    QCOMPARE(copies.size(), 1);
    QFile copy(t.path(copies.first()));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), original);
}

void RecipeStoreTest::valueTexts()
{
    QCOMPARE(recipeTimeText(12.5f), QStringLiteral("12.5"));
    QCOMPARE(recipeTimeText(2.3f), QStringLiteral("2.3")); // single precision, shortest text
    QCOMPARE(recipeTimeText(180), QStringLiteral("180"));
    QCOMPARE(recipeTimeText(0), QStringLiteral("0"));
    QCOMPARE(cookCountText(QStringLiteral("03")), QStringLiteral("3"));
    QCOMPARE(cookCountText(QString()), QStringLiteral("0"));
    QCOMPARE(cookCountText(QStringLiteral("2.5回")), QStringLiteral("2.5"));
}

void RecipeStoreTest::historyEntries_data()
{
    QTest::addColumn<QString>("history");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("one") << "1995/09/05" << QStringList{"1995/09/05"};
    QTest::newRow("three") << "1995/09/05\r\n1995/09/10\r\n1996/01/14"
                           << QStringList{"1995/09/05", "1995/09/10", "1996/01/14"};
    // Written by hand: whole lines, never pieces of two dates.
    QTest::newRow("not fixed width") << "1995/9/5\r\n1995/09/10\r\n\r\nきのう"
                                     << QStringList{"1995/9/5", "1995/09/10", "きのう"};
}

void RecipeStoreTest::historyEntries()
{
    QFETCH(QString, history);
    QFETCH(QStringList, entries);
    QCOMPARE(::historyEntries(history), entries);
}

void RecipeStoreTest::references()
{
    TestNotebook t;
    t.writeText(referenceFileName(),
                QStringLiteral("育児雑誌\r\nおばあちゃん")); // no line end after the last
    Notebook &nb = t.notebook();
    nb.loadReferenceList();
    QCOMPARE(nb.recipes.references, (QStringList{"育児雑誌", "おばあちゃん"}));
    QVERIFY(nb.appendReference(QStringLiteral("料理教室")).ok);
    QCOMPARE(t.text(referenceFileName()), QStringLiteral("育児雑誌\r\nおばあちゃん\r\n料理教室\r\n"));
    QCOMPARE(nb.recipes.references.last(), QStringLiteral("料理教室"));
}

QTEST_GUILESS_MAIN(RecipeStoreTest)
#include "recipe_store_test.moc"
