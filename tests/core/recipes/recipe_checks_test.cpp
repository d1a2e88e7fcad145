// The checks of 登録 and 削除 on small recipe books: which box comes first, and what it says.
#include "core/text/cp932.h"
#include "core/text/one_line.h"
#include "core/recipes/recipe_checks.h"
#include "core/recipes/recipe_store.h"

#include <QtTest>

#include <limits>

namespace {

// A book of "Dish 1" … "Dish count", or of the names given.
RecipeBook bookOf(int count, QStringList names = {})
{
    for (int i = 1; i <= count; ++i)
        names << QStringLiteral("Dish %1").arg(i);
    RecipeBook book;
    book.recipes().resize(names.size());
    for (int i = 0; i < names.size(); ++i)
        book.recipes()[i].name = names[i];
    return book;
}

// The page's control a field is, by the name the tests know it by.
QString boxOf(RecipeField field)
{
    switch (field) {
    case RecipeField::Name:
        return QStringLiteral("cboNamae");
    case RecipeField::Reference:
        return QStringLiteral("cboSankou");
    case RecipeField::Time:
        return QStringLiteral("txtJikan");
    case RecipeField::None:
        break;
    }
    return {};
}

// A refusal as {"refused", title, text, focus}; a decision as {position, title, text}.
template <typename Decision> QStringList outcome(const Decision &d)
{
    if (d.refusal)
        return {QStringLiteral("refused"), d.refusal->title, d.refusal->text, boxOf(d.refusal->focus)};
    return {QString::number(d.position), d.confirmTitle, d.confirmText};
}

} // namespace

class RecipeChecksTest : public QObject
{
    Q_OBJECT
private slots:
    void registration_data();
    void registration();
    void deletion_data();
    void deletion();
};

void RecipeChecksTest::registration_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("name");
    QTest::addColumn<float>("time");
    QTest::addColumn<QStringList>("expected");
    const float inf = std::numeric_limits<float>::infinity();
    const QStringList added = {"0", "新規登録確認", "新しいレシピです。新規登録します。"};
    QTest::newRow("full book, before every other check")
        << 1000 << QString() << inf
        << QStringList{"refused", "登録上限", "登録できるのは１０００件までです", ""};
    QTest::newRow("one below capacity") << 999 << "Dish 1000" << 0.f << added;
    QTest::newRow("empty name, before the characters and the time")
        << 3 << QString() << inf
        << QStringList{"refused", "料理名未記入", "料理名は必ず入力してください", ""};
    QTest::newRow("unstorable character, before the time")
        << 3 << "Dish 𠮷" << inf
        << QStringList{"refused", "入力確認", cp932::unencodableMessage(QStringLiteral("𠮷")), ""};
    QTest::newRow("pasted line break in the name")
        << 3 << "Dish\r\n4" << 0.f
        << QStringList{"refused", "入力確認", controlCharacterMessage(QStringLiteral("料理名")), "cboNamae"};
    QTest::newRow("infinite time") << 3 << "Dish 4" << inf
                                   << QStringList{"refused", "入力確認", "料理時間の値が大きすぎます。",
                                                  "txtJikan"};
    QTest::newRow("new name, characters CP932 holds") << 3 << "Dish ♪①㌍～" << 12.5f << added;
    QTest::newRow("name differing in letter case") << 3 << "dish 2" << 0.f << added;
    QTest::newRow("existing name") << 3 << "Dish 2" << 0.f
                                   << QStringList{"2", "変更登録確認", "既存のレシピです。変更登録します。"};
}

void RecipeChecksTest::registration()
{
    QFETCH(int, count);
    QFETCH(QString, name);
    QFETCH(float, time);
    Recipe page;
    page.name = name;
    page.time = time;
    QTEST(outcome(checkRegistration(bookOf(count), page)), "expected");
}

void RecipeChecksTest::deletion_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("nameBox");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QStringList>("expected");
    auto refused = [](const QString &why) {
        return QStringList{"refused", "削除できません",
                           why + "\r\n\r\n削除したいレシピを表示してから「削除」ボタンを押してください。",
                           ""};
    };
    const QStringList dishes = {"Dish 1", "Dish 2", "Dish 3"}, twins = {"A", "B", "A"};
    QTest::newRow("empty name") << dishes << QString() << 2
                                << refused("料理名が入っていないため、削除するレシピがわかりません。");
    QTest::newRow("unknown name") << dishes << "Dish 9" << 2
                                  << refused("『 Dish 9 』というレシピは登録されていません。");
    QTest::newRow("empty book") << QStringList() << "Dish 1" << 1
                                << refused("『 Dish 1 』というレシピは登録されていません。");
    QTest::newRow("the shown recipe")
        << dishes << "Dish 2" << 2 << QStringList{"2", "削除確認", "『 Dish 2 』の情報を削除します"};
    QTest::newRow("another recipe's name typed")
        << dishes << "Dish 3" << 1 << QStringList{"3", "削除確認", "『 Dish 3 』の情報を削除します"};
    QTest::newRow("shown one of two alike")
        << twins << "A" << 3 << QStringList{"3", "削除確認", "『 A 』の情報を削除します"};
}

void RecipeChecksTest::deletion()
{
    QFETCH(QStringList, names);
    QFETCH(QString, nameBox);
    QFETCH(int, shown);
    QTEST(outcome(checkDeletion(bookOf(0, names), nameBox, shown)), "expected");
}

QTEST_GUILESS_MAIN(RecipeChecksTest)
#include "recipe_checks_test.moc"
