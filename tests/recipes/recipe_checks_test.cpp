// The checks of 登録 and 削除 on small recipe books: which box comes first, and what is written.
#include "common/cp932.h"
#include "recipes/recipe_checks.h"
#include "recipes/recipe_store.h"

#include <QtTest>

#include <limits>

namespace {

RecipeBook bookOf(const QStringList &names)
{
    RecipeBook book;
    for (const QString &name : names) {
        Recipe r;
        r.name = name;
        book.recipes().append(r);
    }
    return book;
}

QStringList dishes(int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QStringLiteral("Dish %1").arg(i);
    return names;
}

// A refusal as {"refused", title, text, focus}; a decision as {position, title, text}.
template <typename Decision> QStringList outcome(const Decision &d)
{
    if (d.refusal)
        return {QStringLiteral("refused"), d.refusal->title, d.refusal->text, d.refusal->focus};
    return {QString::number(d.position), d.confirmTitle, d.confirmText};
}

const QStringList NewRecipe = {"0", "新規登録確認", "新しいレシピです。新規登録します。"};

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
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<float>("time");
    QTest::addColumn<QStringList>("expected");
    const float inf = std::numeric_limits<float>::infinity();
    QTest::newRow("full book, before every other check")
        << dishes(1000) << QString() << "😀" << inf
        << QStringList{"refused", "登録上限", "登録できるのは１０００件までです", ""};
    QTest::newRow("one below capacity") << dishes(999) << "Dish 1000" << QString() << 0.f << NewRecipe;
    QTest::newRow("empty name before anything else")
        << dishes(3) << QString() << "😀" << inf
        << QStringList{"refused", "料理名未記入", "料理名は必ず入力してください", ""};
    QTest::newRow("first unstorable character, before the time")
        << dishes(3) << "Dish 𠮷"
        << "😀" << inf
        << QStringList{"refused", "入力確認", cp932::unencodableMessage(QStringLiteral("𠮷")), ""};
    QTest::newRow("infinite time") << dishes(3) << "Dish 4" << QString() << inf
                                   << QStringList{"refused", "入力確認", "料理時間の値が大きすぎます。",
                                                  "txtJikan"};
    QTest::newRow("new name, characters CP932 holds") << dishes(3) << "Dish 4"
                                                      << "♪①㌍～" << 12.5f << NewRecipe;
    QTest::newRow("existing name") << dishes(3) << "Dish 2" << QString() << 0.f
                                   << QStringList{"2", "変更登録確認", "既存のレシピです。変更登録します。"};
    QTest::newRow("name differing in letter case") << dishes(3) << "dish 2" << QString() << 0.f << NewRecipe;
}

void RecipeChecksTest::registration()
{
    QFETCH(QStringList, names);
    QFETCH(QString, name);
    QFETCH(QString, memo);
    QFETCH(float, time);
    QFETCH(QStringList, expected);
    Recipe page;
    page.name = name;
    page.memo = memo;
    page.time = time;
    QCOMPARE(outcome(checkRegistration(bookOf(names), page)), expected);
}

void RecipeChecksTest::deletion_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("nameBox");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QStringList>("expected");
    const QStringList twins = {"A", "B", "A"};
    auto refused = [](const QString &why) {
        return QStringList{"refused", "削除できません",
                           why + "\r\n\r\n削除したいレシピを表示してから「削除」ボタンを押してください。",
                           ""};
    };
    QTest::newRow("empty name") << dishes(3) << QString() << 2
                                << refused("料理名が入っていないため、削除するレシピがわかりません。");
    QTest::newRow("unknown name") << dishes(3) << "Dish 9" << 2
                                  << refused("『 Dish 9 』というレシピは登録されていません。");
    QTest::newRow("empty book") << QStringList() << "Dish 1" << 1
                                << refused("『 Dish 1 』というレシピは登録されていません。");
    QTest::newRow("the shown recipe")
        << dishes(3) << "Dish 2" << 2 << QStringList{"2", "削除確認", "『 Dish 2 』の情報を削除します"};
    QTest::newRow("another recipe's name typed")
        << dishes(3) << "Dish 3" << 1 << QStringList{"3", "削除確認", "『 Dish 3 』の情報を削除します"};
    QTest::newRow("shown one of two alike")
        << twins << "A" << 3 << QStringList{"3", "削除確認", "『 A 』の情報を削除します"};
    QTest::newRow("typed name of two alike")
        << twins << "A" << 2 << QStringList{"1", "削除確認", "『 A 』の情報を削除します"};
}

void RecipeChecksTest::deletion()
{
    QFETCH(QStringList, names);
    QFETCH(QString, nameBox);
    QFETCH(int, shown);
    QFETCH(QStringList, expected);
    QCOMPARE(outcome(checkDeletion(bookOf(names), nameBox, shown)), expected);
}

QTEST_GUILESS_MAIN(RecipeChecksTest)
#include "recipe_checks_test.moc"
