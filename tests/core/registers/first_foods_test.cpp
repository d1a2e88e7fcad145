// はじめての食材: the register's bytes in CP932, in order of date, and the foods a recipe's
// ingredients name, whatever the width or the kana they are written in.
#include "core/common/cp932.h"
#include "core/registers/first_foods.h"
#include "recording_printer.h"
#include "test_notebook.h"

#include <QtTest>

class FirstFoodsTest : public QObject
{
    Q_OBJECT
private slots:
    void fileInCp932InOrderOfDate();
    void ingredientsNameFoods_data();
    void ingredientsNameFoods();
    void printsOnOnePage();
};

void FirstFoodsTest::fileInCp932InOrderOfDate()
{
    TestNotebook t;
    NotebookFiles &files = t.notebook().files;
    QVERIFY(first_foods::append(files, {QStringLiteral("卵"), QStringLiteral("2026/03/01"), QStringLiteral("あり"),
                                        QStringLiteral("口のまわりが赤く")}).ok);
    QVERIFY(first_foods::append(files, {QStringLiteral("にんじん"), QStringLiteral("2026/02/10"), QStringLiteral("なし"),
                                        QStringLiteral("")}).ok);
    QCOMPARE(t.bytes(first_foods::fileName()),
             cp932::encode(QStringLiteral("\"卵\",\"2026/03/01\",\"あり\",\"口のまわりが赤く\"\r\n"
                                          "\"にんじん\",\"2026/02/10\",\"なし\",\"\"\r\n")).bytes);
    const QList<first_foods::Entry> read = first_foods::read(files);
    QCOMPARE(read.size(), 2);
    QCOMPARE(read[0].food, QStringLiteral("にんじん"));
    QCOMPARE(read[1].reaction, QStringLiteral("あり"));
    QVERIFY(first_foods::find(read, QStringLiteral("ニンジン")));
    QVERIFY(first_foods::isAllergen(QStringLiteral("落花生")) && !first_foods::isAllergen(QStringLiteral("にんじん")));
}

void FirstFoodsTest::ingredientsNameFoods_data()
{
    QTest::addColumn<QString>("ingredients");
    QTest::addColumn<QStringList>("untried");
    QTest::newRow("hiragana") << "にんじん　1/3本\r\nだし汁" << QStringList{};
    QTest::newRow("half-width katakana") << "ﾆﾝｼﾞﾝ 少々\r\nｶﾎﾞﾁｬ" << QStringList{"かぼちゃ"};
    QTest::newRow("full-width katakana") << "ホウレンソウ" << QStringList{"ほうれんそう"};
    QTest::newRow("an allergen inside a word") << "卵黄 1個分\r\n牛乳" << QStringList{"卵", "乳"};
    QTest::newRow("bracketed name") << "米 大さじ1" << QStringList{"米（おかゆ）"};
    QTest::newRow("nothing") << "水" << QStringList{};
}

void FirstFoodsTest::ingredientsNameFoods()
{
    QFETCH(QString, ingredients);
    QFETCH(QStringList, untried);
    const QList<first_foods::Entry> eaten{{QStringLiteral("にんじん"), QStringLiteral("2026/02/10"), {}, {}}};
    QCOMPARE(first_foods::untriedIn(ingredients, eaten), untried);
}

// One page: every food of the list, the eaten first, "あり" in red, all within the page.
void FirstFoodsTest::printsOnOnePage()
{
    RecordingPrinter printer;
    const QList<first_foods::Entry> eaten{{QStringLiteral("卵"), QStringLiteral("2026/03/01"), QStringLiteral("あり"), {}},
                                          {QStringLiteral("にんじん"), QStringLiteral("2026/02/10"), QStringLiteral("なし"), {}}};
    QCOMPARE(first_foods::print(printer, eaten, QStringLiteral("もも")), QString());
    QCOMPARE(printer.documents().size(), 1);
    const auto &pages = printer.documents()[0].pages;
    QCOMPARE(pages.size(), 1);
    QStringList foods;
    for (const RecordingPrinter::Item &i : pages[0].items) {
        QVERIFY(i.position.y() < printer.portraitPageMm.height());
        if (i.position.x() == 36 && i.position.y() > 25)
            foods.append(i.text);
        if (i.text == QStringLiteral("あり"))
            QCOMPARE(i.color, QColor(200, 0, 0));
    }
    QCOMPARE(foods.first(), QStringLiteral("卵"));
    QCOMPARE(foods.size(), first_foods::startingList().size());
    QCOMPARE(pages[0].items.first().text, QStringLiteral("はじめての食材（もも）"));
}

QTEST_GUILESS_MAIN(FirstFoodsTest)
#include "first_foods_test.moc"
