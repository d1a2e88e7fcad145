// はじめての食材: the register's bytes in CP932, in order of date, and the foods a recipe's
// ingredients name, whatever the width or the kana they are written in.
#include "core/text/cp932.h"
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
    void namesOfFoods_data();
    void namesOfFoods();
    void longestNameFirst_data();
    void longestNameFirst();
    void typedNamesAreTheirFood();
    void rowChangedOrDeletedInPlace();
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
    QTest::newRow("an allergen inside a word") << "卵黄 1個分\r\n牛乳" << QStringList{"卵黄", "乳"};
    QTest::newRow("soy milk is no milk") << "豆乳 50ml\r\nきな粉 少々" << QStringList{"きな粉", "豆乳"};
    QTest::newRow("forms of the guide's foods")
        << "たまご 1/2個\r\nヨーグルト\r\n粉チーズ\r\nほうれん草\r\nさつま芋\r\n玉ねぎ"
        << QStringList{"さつまいも", "たまねぎ", "ほうれんそう", "卵", "乳"};
    QTest::newRow("the whole text after a bracket")
        << "米（無洗米）\r\nﾄﾏﾄ" << QStringList{"米（おかゆ）", "トマト"};
    QTest::newRow("coconut milk offers nothing") << "ココナッツミルク" << QStringList{};
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

// The table of names: each form, in kanji, kana or a common spelling, as the food it names,
// with its mark and its step (卵黄 and 卵白 come before the whole egg).
void FirstFoodsTest::namesOfFoods_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("food");
    QTest::addColumn<bool>("allergen");
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("offered");
    const struct {
        const char *form, *name, *food;
        bool allergen;
        const char *step;
        bool offered;
    } rows[] = {
        {"卵", "卵", "卵", true, "", true},
        {"たまご", "卵", "卵", true, "", true},
        {"タマゴ", "卵", "卵", true, "", true},
        {"玉子", "卵", "卵", true, "", true},
        {"全卵", "卵", "卵", true, "", true},
        {"卵黄", "卵黄", "卵", true, "卵黄", true},
        {"黄身", "卵黄", "卵", true, "卵黄", true},
        {"卵白", "卵白", "卵", true, "卵白", true},
        {"牛乳", "乳", "乳", true, "", true},
        {"ヨーグルト", "乳", "乳", true, "", true},
        {"ﾖｰｸﾞﾙﾄ", "乳", "乳", true, "", true},
        {"粉チーズ", "乳", "乳", true, "", true},
        {"バター", "乳", "乳", true, "", true},
        {"豆乳", "豆乳", "豆乳", false, "", true},
        {"きな粉", "きな粉", "きな粉", false, "", true},
        {"きなこ", "きな粉", "きな粉", false, "", true},
        {"ココナッツミルク", "ココナッツミルク", "ココナッツミルク", false, "", false},
        {"母乳", "母乳", "母乳", false, "", false},
        {"ほうれん草", "ほうれんそう", "ほうれんそう", false, "", true},
        {"ホウレンソウ", "ほうれんそう", "ほうれんそう", false, "", true},
        {"さつま芋", "さつまいも", "さつまいも", false, "", true},
        {"スイートポテト", "さつまいも", "さつまいも", false, "", true},
        {"ポテト", "じゃがいも", "じゃがいも", false, "", true},
        {"玉ねぎ", "たまねぎ", "たまねぎ", false, "", true},
        {"人参", "にんじん", "にんじん", false, "", true},
        {"ご飯", "米（おかゆ）", "米（おかゆ）", false, "", true},
        {"小麦粉", "小麦", "小麦", true, "", true},
        {"焼きそば", "小麦", "小麦", true, "", true},
        {"そば", "そば", "そば", true, "", true},
        {"白身魚", "白身魚", "白身魚", false, "", true},
        {"海老", "えび", "えび", true, "", true},
        {"ピーナッツバター", "落花生", "落花生", true, "", true},
    };
    for (const auto &r : rows)
        QTest::newRow(r.form) << QString::fromUtf8(r.form) << QString::fromUtf8(r.name)
                              << QString::fromUtf8(r.food) << r.allergen << QString::fromUtf8(r.step)
                              << r.offered;
}

void FirstFoodsTest::namesOfFoods()
{
    QFETCH(QString, form);
    QFETCH(QString, name);
    QFETCH(QString, food);
    QFETCH(bool, allergen);
    QFETCH(QString, step);
    QFETCH(bool, offered);
    const QList<first_foods::Mention> found = first_foods::mentionsIn(form);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0].name, name);
    QCOMPARE(found[0].food, food);
    QCOMPARE(found[0].allergen, allergen);
    QCOMPARE(found[0].step, step);
    QCOMPARE(found[0].offered, offered);
    QCOMPARE(found[0].length, first_foods::matchForm(form).size()); // the whole form, not a word inside it
    // The window marks and groups a food typed in any of its forms as the food itself.
    QCOMPARE(first_foods::isAllergen(form), allergen);
    if (offered)
        QCOMPARE(first_foods::groupOf(form), first_foods::groupOf(name));
}

void FirstFoodsTest::longestNameFirst_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("white fish is not egg white") << u"卵白身魚"_qs << QStringList{u"卵"_qs, u"白身魚"_qs};
    QTest::newRow("yolk, then whole egg") << u"卵黄と卵"_qs << QStringList{u"卵黄"_qs, u"卵"_qs};
    QTest::newRow("soy milk, then milk") << u"豆乳か牛乳"_qs << QStringList{u"豆乳"_qs, u"乳"_qs};
    QTest::newRow("peanut butter is no butter") << u"ピーナッツバター"_qs << QStringList{u"落花生"_qs};
    QTest::newRow("sweet potato is no potato")
        << u"ｽｲｰﾄﾎﾟﾃﾄとポテト"_qs << QStringList{u"さつまいも"_qs, u"じゃがいも"_qs};
    QTest::newRow("nothing") << u"水 100ml"_qs << QStringList{};
}

void FirstFoodsTest::longestNameFirst()
{
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    QStringList found;
    for (const first_foods::Mention &m : first_foods::mentionsIn(text))
        found.append(m.name);
    QCOMPARE(found, names);
}

// A name is kept as typed, and known as its food: たまご is 卵 (entered once, marked, grouped);
// a name of the user's own is その他, marked when it names an allergen.
void FirstFoodsTest::typedNamesAreTheirFood()
{
    const QList<first_foods::Entry> eaten{{u"たまご"_qs, u"2026/03/01"_qs, {}, {}}};
    QVERIFY(first_foods::find(eaten, u"卵"_qs));
    QVERIFY(first_foods::find(eaten, u"玉子"_qs));
    QVERIFY(!first_foods::find(eaten, u"卵黄"_qs));
    QCOMPARE(first_foods::untriedIn(u"卵 1個\r\n卵黄"_qs, eaten), QStringList{u"卵黄"_qs});
    QCOMPARE(first_foods::groupOf(u"たまご"_qs), u"たんぱく質"_qs);
    QCOMPARE(first_foods::groupOf(u"卵ボーロ"_qs), u"その他"_qs);
    QVERIFY(first_foods::isAllergen(u"卵ボーロ"_qs));
    QVERIFY(!first_foods::isAllergen(u"豆乳プリン"_qs));
}

// 変更 and 削除 rewrite only their line, the others as they were and in their order; a line
// another computer changed meanwhile is not found and nothing is written.
void FirstFoodsTest::rowChangedOrDeletedInPlace()
{
    TestNotebook t;
    NotebookFiles &files = t.notebook().files;
    t.writeText(first_foods::fileName(), u"\"卵\",\"2026/03/01\",\"あり\",\"卵黄だけ\"\r\n"
                                         "\"にんじん\",\"2026/02/10\",\"なし\",\"\"\r\n"
                                         "\"バナナ\",\"2026/02/20\",\"なし\",\"\"\r\n"_qs);
    const first_foods::Entry egg{u"卵"_qs, u"2026/03/01"_qs, u"あり"_qs, u"卵黄だけ"_qs};
    QVERIFY(
        first_foods::change(files, egg, first_foods::Entry{u"卵黄"_qs, u"2026/03/01"_qs, u"あり"_qs, {}}).ok);
    QVERIFY(first_foods::change(files, {u"バナナ"_qs, u"2026/02/20"_qs, u"なし"_qs, {}}, std::nullopt).ok);
    const QByteArray expected = cp932::encode(u"\"卵黄\",\"2026/03/01\",\"あり\",\"\"\r\n"
                                              "\"にんじん\",\"2026/02/10\",\"なし\",\"\"\r\n"_qs)
                                    .bytes;
    QCOMPARE(t.bytes(first_foods::fileName()), expected);
    const WriteResult gone = first_foods::change(files, egg, std::nullopt);
    QVERIFY(!gone.ok);
    QVERIFY(gone.error.contains(u"「卵」"_qs));
    QCOMPARE(t.bytes(first_foods::fileName()), expected);
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
