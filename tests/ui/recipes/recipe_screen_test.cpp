// The recipe screen: paging, new, register, delete, faces, cooking history and references,
// driven through its controls with every box answered by the script.
#include "core/text/cp932.h"
#include "core/text/numbers.h"
#include "core/recipes/recipe_store.h"
#include "core/registers/first_foods.h"
#include "generators.h"
#include "scripted_dialogs.h"
#include "test_notebook.h"
#include "ui/recipes/first_foods_window.h"
#include "ui/recipes/recipe_screen.h"
#include "ui/shell/diary_screen.h"
#include "ui/widgets/qt_printer.h"
#include "user_actions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include <functional>

using Icon = Dialogs::Icon;
using Answer = Dialogs::Answer;
using Buttons = Dialogs::Buttons;

namespace {

// A recipe screen loaded on a copy of a notebook (the sample unless told otherwise).
struct Screen {
    explicit Screen(const QString &recipeFile = QString(), bool useFile = false, qint16 targetPoint = 0)
        : printer(t.dir())
    {
        if (useFile)
            t.writeText(recipeFileName(), recipeFile);
        t.notebook().readProfile();
        if (targetPoint)
            t.notebook().profile.targetPoint = targetPoint;
        t.markFoodsEaten();
        screen = new RecipeScreen(t.notebook(), dialogs);
        screen->load();
        // The history's own tests: the cooking note in the diary is off (not saved as a setting).
        auto *note = screen->findChild<QCheckBox *>(QStringLiteral("chkNikki"));
        const QSignalBlocker quiet(note);
        note->setChecked(false);
    }
    ~Screen() { delete screen.data(); }

    template <typename T> T *get(const QString &name) const
    {
        T *w = screen->findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    void click(const QString &name) { get<QAbstractButton>(name)->click(); }
    QString label(const QString &name) const { return get<QLabel>(name)->text(); }
    QString name() const { return get<QComboBox>(QStringLiteral("cboNamae"))->currentText(); }
    void setName(const QString &n) { get<QComboBox>(QStringLiteral("cboNamae"))->setEditText(n); }
    void go(int p) { get<QScrollBar>(QStringLiteral("hsbData"))->setValue(p); }
    // The letters of the one visible face of each row ("優良" = self 優, child 良).
    QString faces() const
    {
        QString s;
        for (const char *row : {"imgFace1_", "imgFace2_"})
            for (int i = 0; i < 4; ++i)
                if (!get<QToolButton>(QLatin1String(row) + QString::number(i))->isHidden())
                    s += evalLetters()[i];
        return s;
    }
    void clickFace(int row, const QString &letter)
    {
        click(QStringLiteral("imgFace%1_%2").arg(row).arg(evalLetters().indexOf(letter)));
    }
    QList<Recipe> stored() const { return parseRecipes(t.bytes(recipeFileName())).recipes; }

    TestNotebook t;
    ScriptedDialogs dialogs;
    QtPrinter printer;
    QPointer<RecipeScreen> screen;
};

void expectRegister(ScriptedDialogs &d, bool isNew)
{
    if (isNew)
        d.expect(QStringLiteral("新規登録確認"), QStringLiteral("新しいレシピです。新規登録します。"),
                 Icon::Information, Buttons::OkCancel, Answer::Ok);
    else
        d.expect(QStringLiteral("変更登録確認"), QStringLiteral("既存のレシピです。変更登録します。"),
                 Icon::Information, Buttons::OkCancel, Answer::Ok);
    d.expectInformation(QStringLiteral("登録終了"), QStringLiteral("登録しました"));
}

void expectDelete(ScriptedDialogs &d, const QString &name, Answer answer = Answer::Ok)
{
    d.expect(QStringLiteral("削除確認"),
             QStringLiteral("『 ") + name + QStringLiteral(" 』の情報を削除します"), Icon::Warning,
             Buttons::OkCancel, Answer::Cancel, answer);
    if (answer == Answer::Ok)
        d.expectInformation(QStringLiteral("削除終了"), QStringLiteral("削除しました"));
}

} // namespace

class RecipeScreenTest : public QObject
{
    Q_OBJECT
private slots:
    // The settings of this computer (the diary-note box) go to a folder of the test's own.
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }
    void cookingNotedInTheDiaryOnce();
    void cookingDateSavedWhenAdded();
    void cookingDateOnAPageNotRegistered_data();
    void cookingDateOnAPageNotRegistered();
    void cookingDateOnADayWithoutAPage_data();
    void cookingDateOnADayWithoutAPage();
    void firstFoodsEnteredOnce();
    void firstFoodsRowChangedAndDeleted();
    void typedNameStaysTyped();
    void screenReaderView();
    void opensFromTheNotebookTitledWithTheNickname();
    void emptyBookShowsABlankPage();
    void registerChangeKeepsItsPlace();
    void registerUnderANewNameAppendsACopy();
    void newPageWithAnExistingNameChangesThatRecipe();
    void registerChangesTheRecipeShownWhenTwoShareAName();
    void registerRefusals_data();
    void registerRefusals();
    void deleteRecipe_data();
    void deleteRecipe();
    void deleteOnABlankPageDeletesOnlyTheNamedRecipe();
    void faceCycles();
    void firstCookingAndHistory();
    void referenceAddedWithEnter();
    void storedStageNotInTheListIsKept();
    void goalReachedIsCongratulated();
    void fileNotReadWholeIsToldOnceAndKeptAside();

private:
    QTemporaryDir m_settings;
};

void RecipeScreenTest::opensFromTheNotebookTitledWithTheNickname()
{
    TestNotebook t;
    ScriptedDialogs dialogs;
    dialogs.setLenient(true);
    QtPrinter printer(t.dir());
    DiaryScreen diary(t.notebook(), dialogs, printer, QString());
    diary.load();
    QVERIFY(diary.recipeScreenLoaded());
    QPointer<RecipeScreen> screen = diary.recipeScreen();
    QCOMPARE(screen->windowTitle(), QStringLiteral("Popora  ～ ももちゃんのレシピ"));
    QVERIFY(!screen->isVisible());
    QCOMPARE(t.notebook().recipes.count(), 27);
    QCOMPARE(t.notebook().recipes.totalPoint, qint16(124)); // below the sample goal of 140

    dialogs.clear();
    dialogs.expectInformation(
        QStringLiteral("ヘルプツアー"),
        QStringLiteral("離乳食用のレシピ機能です。\r\n\r\n画像付きの楽しいレシピを作ることができます。"));
    diary.findChild<QPushButton *>(QStringLiteral("cmdRinyu"))->click();
    VERIFY_DIALOGS(dialogs);
    QVERIFY(screen->isVisible());
    QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("lblKensu"))->text(), QStringLiteral("1 / 27"));
    QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("lblPoint"))->text(), QStringLiteral("Point 124"));
    QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("lblPoint1"))->text(), QStringLiteral("Point 9"));

    screen->findChild<QPushButton *>(QStringLiteral("cmdEnd"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(screen.isNull());
    QCOMPARE(t.notebook().recipes.count(), 27); // the tables stay
}

void RecipeScreenTest::emptyBookShowsABlankPage()
{
    Screen s(QString(), true);
    QCOMPARE(s.label(QStringLiteral("lblKensu")), QStringLiteral("1 / 1"));
    QCOMPARE(s.label(QStringLiteral("lblPoint1")), QStringLiteral("Point 2"));
    QCOMPARE(s.faces(), QStringLiteral("未未"));
    s.setName(QStringLiteral("おもゆ"));
    expectRegister(s.dialogs, true);
    s.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.stored().size(), 1);
    QCOMPARE(s.stored()[0].kind, QStringLiteral("その他"));
    QCOMPARE(s.label(QStringLiteral("lblKensu")), QStringLiteral("1 / 1"));
    QCOMPARE(s.label(QStringLiteral("lblPoint")), QStringLiteral("Point 2"));
}

void RecipeScreenTest::registerChangeKeepsItsPlace()
{
    Screen s;
    const QList<Recipe> before = s.stored();
    s.go(3);
    QCOMPARE(s.name(), QStringLiteral("かぼちゃのペースト"));
    s.get<QPlainTextEdit>(QStringLiteral("txtMemo"))->setPlainText(QStringLiteral("二行の\nメモ"));
    expectRegister(s.dialogs, false);
    s.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(s.dialogs);
    QList<Recipe> expected = before;
    expected[2].memo = QStringLiteral("二行の\r\nメモ");
    QVERIFY(s.stored() == expected);
    QCOMPARE(s.label(QStringLiteral("lblKensu")), QStringLiteral("3 / 27"));
}

void RecipeScreenTest::registerUnderANewNameAppendsACopy()
{
    Screen s;
    const QList<Recipe> before = s.stored();
    s.go(2);
    s.setName(QStringLiteral("にんじんペースト（だし入り）"));
    expectRegister(s.dialogs, true);
    s.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(s.dialogs);
    const QList<Recipe> after = s.stored();
    QCOMPARE(after.size(), 28);
    QVERIFY(after.mid(0, 27) == before);
    Recipe copy = before[1];
    copy.name = QStringLiteral("にんじんペースト（だし入り）");
    QVERIFY(after[27] == copy);
    QCOMPARE(s.label(QStringLiteral("lblKensu")), QStringLiteral("28 / 28"));
}

void RecipeScreenTest::newPageWithAnExistingNameChangesThatRecipe()
{
    Screen s;
    s.go(2);
    s.click(QStringLiteral("cmdNew"));
    QCOMPARE(s.label(QStringLiteral("lblKensu")), QStringLiteral("28 / 28"));
    QCOMPARE(s.get<QComboBox>(QStringLiteral("cboSyurui"))->currentText(), QStringLiteral("その他"));
    s.setName(QStringLiteral("七倍がゆ"));
    expectRegister(s.dialogs, false);
    s.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(s.dialogs);
    const QList<Recipe> after = s.stored();
    QCOMPARE(after.size(), 27);
    QCOMPARE(after[7].name, QStringLiteral("七倍がゆ"));
    QCOMPARE(after[7].selfEval, QStringLiteral("未"));
    QCOMPARE(after[7].ingredients, QString());
    QCOMPARE(after[1].name, QStringLiteral("にんじんペースト"));
    QVERIFY(!after[1].ingredients.isEmpty());
    QCOMPARE(s.label(QStringLiteral("lblKensu")), QStringLiteral("8 / 27"));
}

// Recipes 1 and 3 are both called A: registering recipe 3 changes recipe 3, and a time with a
// misplaced comma is refused, not stored as 1.
void RecipeScreenTest::registerChangesTheRecipeShownWhenTwoShareAName()
{
    QList<Recipe> book(3);
    book[0].name = book[2].name = QStringLiteral("A");
    book[1].name = QStringLiteral("B");
    book[0].ingredients = QStringLiteral("first");
    book[2].ingredients = QStringLiteral("third");
    Screen s(recipeFileText(book), true);
    s.screen->show();
    QVERIFY(QTest::qWaitForWindowActive(s.screen));
    s.go(3);
    auto *time = s.get<QLineEdit>(QStringLiteral("txtJikan"));
    const auto typeTime = [time](const QString &text) {
        time->setFocus();
        time->selectAll();
        typeText(QApplication::focusWidget(), text);
    };
    typeTime(QStringLiteral("1,5"));
    QCOMPARE(time->text(), QStringLiteral("1,5"));
    s.dialogs.expectWarning(QStringLiteral("入力確認"), groupingMessage(QStringLiteral("料理時間")));
    s.click(QStringLiteral("cmdTouroku"));
    typeTime(QStringLiteral("1,500"));
    auto *memo = s.get<QPlainTextEdit>(QStringLiteral("txtMemo"));
    memo->setFocus();
    memo->selectAll();
    typeText(QApplication::focusWidget(), QStringLiteral("changed"));
    expectRegister(s.dialogs, false);
    s.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(s.dialogs);
    const QList<Recipe> after = s.stored();
    QCOMPARE(after[0].ingredients, QStringLiteral("first"));
    QCOMPARE(after[0].memo, QString());
    QCOMPARE(after[2].memo, QStringLiteral("changed"));
    QCOMPARE(after[2].time, 1500.0f);
    QCOMPARE(s.label(QStringLiteral("lblKensu")), QStringLiteral("3 / 3"));
}

void RecipeScreenTest::registerRefusals_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    const QString full = cp932::decode(generators::recipeFile(RecipeCapacity));
    QTest::newRow("capacity, even for a change") << full << "やさいのおかゆ1"
                                                 << ""
                                                 << "登録上限"
                                                 << "登録できるのは１０００件までです";
    QTest::newRow("empty name") << QString() << ""
                                << ""
                                << "料理名未記入"
                                << "料理名は必ず入力してください";
    QTest::newRow("character the file cannot hold") << QString() << "にこにこ"
                                                    << "おいしい😀"
                                                    << "入力確認" << QString();
    // The name is also the picture's file name, and no file may be called so.
    QTest::newRow("new name no picture can take")
        << QString() << "トマト/ツナ" << "" << "ファイル名確認"
        << "「トマト/ツナ」は画像のファイル名にできません。\r\n「/」はファイル名に使えない文字です。\r\n\r\n"
           "料理名は、その料理の画像のファイル名になります。";
}

void RecipeScreenTest::registerRefusals()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(QString, memo);
    QFETCH(QString, title);
    QFETCH(QString, text);
    Screen s(file, true);
    const QByteArray before = s.t.bytes(recipeFileName());
    s.setName(name);
    s.get<QPlainTextEdit>(QStringLiteral("txtMemo"))->setPlainText(memo);
    s.dialogs.expect(title, text.isEmpty() ? QString() : text, Icon::Warning, Buttons::Ok, Answer::Ok);
    s.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.t.bytes(recipeFileName()), before);
    if (text.isEmpty())
        QVERIFY(s.dialogs.shown().first().text.contains(QStringLiteral("😀")));
}

void RecipeScreenTest::deleteRecipe_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("shownAfter");
    QTest::newRow("middle") << 2 << 3 << "2 / 2";
    QTest::newRow("last") << 3 << 3 << "2 / 2";
    QTest::newRow("only") << 1 << 1 << "1 / 1";
}

void RecipeScreenTest::deleteRecipe()
{
    QFETCH(int, position);
    QFETCH(int, count);
    QFETCH(QString, shownAfter);
    const QString three = cp932::decode(testDataBytes(QStringLiteral("recipes_store/three/レシピ.txt")));
    const QString file = count == 3 ? three : cp932::decode(generators::recipeFile(1));
    Screen s(file, true);
    QList<Recipe> expected = s.stored();
    s.go(position);
    const QString name = s.name();
    expectDelete(s.dialogs, name, Answer::Cancel);
    s.click(QStringLiteral("cmdDelete"));
    QCOMPARE(s.stored().size(), count);
    expectDelete(s.dialogs, name);
    s.click(QStringLiteral("cmdDelete"));
    VERIFY_DIALOGS(s.dialogs);
    expected.removeAt(position - 1);
    QVERIFY(s.stored() == expected);
    QCOMPARE(s.label(QStringLiteral("lblKensu")), shownAfter);
    if (count == 3)
        QCOMPARE(s.name(),
                 expected[position == 3 ? 1 : position - 1].name); // the one that followed, or the new last
    else
        QCOMPARE(s.faces(), QStringLiteral("未未")); // the blank page
}

void RecipeScreenTest::deleteOnABlankPageDeletesOnlyTheNamedRecipe()
{
    Screen s;
    s.go(5);
    s.click(QStringLiteral("cmdNew"));
    s.dialogs.expectWarning(QStringLiteral("削除できません"));
    s.click(QStringLiteral("cmdDelete"));
    s.setName(QStringLiteral("まだないレシピ"));
    s.dialogs.expectWarning(QStringLiteral("削除できません"));
    s.click(QStringLiteral("cmdDelete"));
    QCOMPARE(s.stored().size(), 27);
    s.setName(QStringLiteral("パンがゆ"));
    expectDelete(s.dialogs, QStringLiteral("パンがゆ"));
    s.click(QStringLiteral("cmdDelete"));
    VERIFY_DIALOGS(s.dialogs);
    const QStringList names = s.t.notebook().recipes.names();
    QCOMPARE(names.size(), 26);
    QVERIFY(!names.contains(QStringLiteral("パンがゆ")));
    QVERIFY(names.contains(QStringLiteral("しらすがゆ"))); // the recipe shown before 新規
}

void RecipeScreenTest::faceCycles()
{
    Screen s;
    s.go(2);
    QCOMPARE(s.faces(), QStringLiteral("優良"));
    // The self row: 優 → 良 → 不 → 未 (the child row goes to 未 too) → 優 (and the child to 優).
    const QStringList selfSteps = {"良良", "不良", "未未", "優優", "良優"};
    for (const QString &expected : selfSteps) {
        s.clickFace(1, s.faces().left(1));
        QCOMPARE(s.faces(), expected);
    }
    // The child row: 優 → 良 → 不 → 優, never 未; points follow the child face.
    const QStringList childSteps = {"良良", "良不", "良優"};
    const QStringList points = {"Point 6", "Point 5", "Point 7"};
    for (int i = 0; i < childSteps.size(); ++i) {
        s.clickFace(2, s.faces().right(1));
        QCOMPARE(s.faces(), childSteps[i]);
        QCOMPARE(s.label(QStringLiteral("lblPoint1")), points[i]);
    }
    s.go(6); // 未未: the child face does nothing
    s.clickFace(2, evalNone());
    QCOMPARE(s.faces(), QStringLiteral("未未"));
}

void RecipeScreenTest::firstCookingAndHistory()
{
    Screen s;
    s.go(6); // never cooked
    QCOMPARE(s.label(QStringLiteral("lblPoint1")), QStringLiteral("Point 2"));
    auto *kaisu = s.get<QLabel>(QStringLiteral("lblKaisu"));
    s.dialogs.expectInput(QStringLiteral("日付登録"), QString()); // cancel
    QTest::mouseClick(kaisu, Qt::LeftButton);
    s.dialogs.expectInput(QStringLiteral("日付登録"), QStringLiteral("あした"));
    s.dialogs.expectWarning(QStringLiteral("入力確認"));
    QTest::mouseClick(kaisu, Qt::LeftButton);
    QCOMPARE(s.label(QStringLiteral("lblKaisu")), QStringLiteral("0"));
    s.dialogs.expectInput(QStringLiteral("日付登録"), QStringLiteral("H7.10.1"));
    QTest::mouseClick(s.get<QLabel>(QStringLiteral("lblKai")), Qt::LeftButton);
    QCOMPARE(s.faces(), QStringLiteral("優優"));
    QCOMPARE(s.label(QStringLiteral("lblPoint1")), QStringLiteral("Point 6"));
    s.dialogs.expectInput(QStringLiteral("日付登録"), QStringLiteral("1995/10/08"));
    QTest::mouseClick(kaisu, Qt::LeftButton);
    QCOMPARE(s.dialogs.inputs().last().preset, QStringLiteral("2026/12/06"));
    auto *list = s.get<QListWidget>(QStringLiteral("lstRireki"));
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("1995/10/01"));
    // Removing a date leaves the faces as the user set them.
    s.clickFace(2, evalExcellent());
    list->setCurrentRow(1);
    // The date goes out of レシピ.txt at once, so it is asked first.
    s.dialogs.expect(QStringLiteral("調理日の取り消し"),
                     QStringLiteral("調理日 1995/10/08 を調理実績から取り消します。"), Icon::Warning,
                     Buttons::OkCancel, Answer::Cancel, Answer::Ok);
    emit list->itemDoubleClicked(list->item(1));
    QCOMPARE(s.stored()[5].history, QStringLiteral("1995/10/01"));
    QCOMPARE(s.label(QStringLiteral("lblKaisu")), QStringLiteral("1"));
    QCOMPARE(s.faces(), QStringLiteral("優良"));
    QCOMPARE(s.label(QStringLiteral("lblPoint1")), QStringLiteral("Point 5"));
    expectRegister(s.dialogs, false);
    s.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(s.dialogs);
    const Recipe stored = s.stored()[5];
    QCOMPARE(stored.history, QStringLiteral("1995/10/01"));
    QCOMPARE(stored.cookCount, QStringLiteral("1"));
    QCOMPARE(stored.childEval, QStringLiteral("良"));
    QCOMPARE(s.label(QStringLiteral("lblPoint")), QStringLiteral("Point 127"));
}

void RecipeScreenTest::referenceAddedWithEnter()
{
    Screen s;
    s.screen->show();
    QVERIFY(QTest::qWaitForWindowActive(s.screen));
    auto *box = s.get<QComboBox>(QStringLiteral("cboSankou"));
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // nothing happens
    typeText(QApplication::focusWidget(), QStringLiteral("離乳食の本"));
    s.dialogs.expect(QStringLiteral("保存確認"), QStringLiteral("離乳食の本を新たに追加しますか？"),
                     Icon::Question, Buttons::OkCancel, Answer::Ok);
    s.dialogs.expectInformation(QStringLiteral("参考リストに追加"), QStringLiteral("保存しました"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    VERIFY_DIALOGS(s.dialogs);
    QVERIFY(s.t.text(referenceFileName()).endsWith(QStringLiteral("ママ友\r\n離乳食の本\r\n")));
    QCOMPARE(box->itemText(box->count() - 1), QStringLiteral("離乳食の本"));
}

void RecipeScreenTest::storedStageNotInTheListIsKept()
{
    const QString file = cp932::decode(testDataBytes(QStringLiteral("recipes_store/three/レシピ.txt")))
                             .replace(QStringLiteral("ゴックン期"), QStringLiteral("離乳完了期"));
    Screen s(file, true);
    auto *stage = s.get<QComboBox>(QStringLiteral("cboJyanru"));
    QCOMPARE(stage->currentText(), QStringLiteral("離乳完了期"));
    s.go(2);
    QCOMPARE(stage->currentText(), QString()); // an empty stage selects nothing
    QCOMPARE(stage->count(), 4);
    s.go(1);
    expectRegister(s.dialogs, false);
    s.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.stored()[0].stage, QStringLiteral("離乳完了期"));
    QCOMPARE(s.stored()[1].stage, QString());
}

void RecipeScreenTest::goalReachedIsCongratulated()
{
    Screen s(QString(), false, 126);
    s.go(6);
    s.dialogs.expectInput(QStringLiteral("日付登録"), QStringLiteral("1995/10/01"));
    QTest::mouseClick(s.get<QLabel>(QStringLiteral("lblKaisu")), Qt::LeftButton);
    expectRegister(s.dialogs, false);
    s.dialogs.expectInformation(
        QStringLiteral("目標レベル達成"),
        QStringLiteral("目標ポイント 126p に対するレベルが１００％をこえました！\n"
                       "おめでとうございます。 ＼(^o^)／ﾔｯﾀｧ \n\n"
                       "さらなるレベルアップを目指して、次の目標ポイントを指定しましょう。"));
    s.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.label(QStringLiteral("lblPoint")), QStringLiteral("Point 128"));
    auto *last = s.screen->findChild<QWidget *>(QStringLiteral("shpLevel10"));
    QCOMPARE(last->palette().color(QPalette::Window), QColor(255, 0, 0));
}

void RecipeScreenTest::fileNotReadWholeIsToldOnceAndKeptAside()
{
    Screen s(cp932::decode(testDataBytes(QStringLiteral("recipes_store/truncated/レシピ.txt"))), true);
    QCOMPARE(s.dialogs.titles(), QStringList{QStringLiteral("レシピの読み込み")});
    QVERIFY(s.dialogs.shown().first().text.contains(QStringLiteral("2 件")));
    s.dialogs.clear();
    s.click(QStringLiteral("cmdNew"));
    s.setName(QStringLiteral("D"));
    expectRegister(s.dialogs, true);
    s.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.t.notebook().recipes.names(), (QStringList{"A", "B", "D"}));
    QCOMPARE(QDir(s.t.dir()).entryList({QStringLiteral("*.bak")}, QDir::Files).size(), 1);
}

// A dish name differing only in letter case from a stored one is a new recipe: typed, then
// left by the focus and the wheel, it stays as typed; a time typed with the input method's
// digits is read as digits.
void RecipeScreenTest::typedNameStaysTyped()
{
    Recipe pasta;
    pasta.name = QStringLiteral("Pasta");
    Screen s(recipeFileText({pasta}), true);
    s.screen->show();
    QVERIFY(QTest::qWaitForWindowActive(s.screen));
    s.click(QStringLiteral("cmdNew"));
    auto *name = s.get<QComboBox>(QStringLiteral("cboNamae"));
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("pasta"));
    turnWheel(name, true);
    // The page scrolled with the wheel passing over the fixed lists changes none of them.
    for (const char *fixed : {"cboJyanru", "cboSyurui", "cboCyouri"}) {
        auto *list = s.get<QComboBox>(QString::fromLatin1(fixed));
        const int before = list->currentIndex();
        turnWheel(list, false);
        turnWheel(list, false);
        QCOMPARE(list->currentIndex(), before);
    }
    auto *time = s.get<QLineEdit>(QStringLiteral("txtJikan"));
    time->setFocus();
    time->clear();
    typeText(time, QStringLiteral("１５"));
    QCOMPARE(s.name(), QStringLiteral("pasta"));
    expectRegister(s.dialogs, true);
    s.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.stored().size(), 2);
    QCOMPARE(s.stored()[1].name, QStringLiteral("pasta"));
    QCOMPARE(s.stored()[1].time, 15.0f);
}

// What a screen reader is told: a frame; the counts and points as shown now; the picture
// options worked through the accessibility interface do what a click does.
void RecipeScreenTest::screenReaderView()
{
    Screen s;
    s.go(2);
    QCOMPARE(QAccessible::queryAccessibleInterface(s.screen)->role(), QAccessible::Window);
    QVERIFY2(staleLabels(s.screen).isEmpty(), qPrintable(staleLabels(s.screen).join(u'\n')));
    auto *hidden = s.get<QAbstractButton>(QStringLiteral("optMain"));
    QVERIFY(!hidden->isChecked());
    s.dialogs.setLenient(true); // the help tour's box, when it is on
    QAccessible::queryAccessibleInterface(hidden)->actionInterface()->doAction(
        QAccessibleActionInterface::toggleAction());
    QVERIFY(hidden->isChecked());
    QVERIFY(s.t.text(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")).contains(photosHidden()));
}

// A cooking date added by keys notes 「十倍がゆを作りました」 on that day's diary page, once; a
// day not in the diary is told of and nothing is made; the child's stage shows beside 月齢.
void RecipeScreenTest::cookingNotedInTheDiaryOnce()
{
    Screen s;
    Notebook &nb = s.t.notebook();
    nb.readDiary();
    s.screen->show();
    QVERIFY(QTest::qWaitForWindowActive(s.screen));
    QCOMPARE(s.label(QStringLiteral("lblIma")), QStringLiteral("いまは 幼児食（31歳9か月）"));
    s.get<QCheckBox>(QStringLiteral("chkNikki"))->setChecked(true);
    QFile::remove(s.t.path(first_foods::fileName())); // nothing eaten yet: 米 is offered once
    s.go(1);
    QCOMPARE(s.name(), QStringLiteral("十倍がゆ"));
    const int days = nb.diary.count();
    auto addDate = [&s](const QString &date, bool offered) {
        s.get<QLabel>(QStringLiteral("lblKai"))->setFocus(Qt::TabFocusReason);
        s.dialogs.expectInput(QStringLiteral("日付登録"), date);
        if (offered)
            s.dialogs.expect(QStringLiteral("はじめての食材"),
                             QStringLiteral("材料の 米（おかゆ） は、はじめての食材にまだ登録されていません。\r\n"
                                            "1995/02/15 にはじめて食べたことにしますか？"),
                             Dialogs::Icon::Question, Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    };
    addDate(QStringLiteral("1995/02/15"), true);
    addDate(QStringLiteral("1995/2/15"), false);
    VERIFY_DIALOGS(s.dialogs);
    QVERIFY(s.t.text(first_foods::fileName()).contains(QStringLiteral("\"米（おかゆ）\",\"1995/02/15\",\"なし\",\"十倍がゆ\"")));
    const QString text = nb.diary.day(nb.diary.find(QStringLiteral("1995/02/15"))).text;
    QVERIFY(text.endsWith(QStringLiteral("\r\n十倍がゆを作りました")));
    QCOMPARE(text.count(QStringLiteral("十倍がゆを作りました")), 1);
    QVERIFY(s.t.text(QStringLiteral("日記.txt")).contains(QStringLiteral("十倍がゆを作りました")));

    s.dialogs.expectInput(QStringLiteral("日付登録"), QStringLiteral("1999/01/01"));
    s.dialogs.expectInformation(
        QStringLiteral("日記"),
        QStringLiteral("1999/01/01 の日記のページがないため、日記には書きませんでした。\r\n\r\n"
                       "日記に登録できるのは出産日から１０９５日目（1998/02/13）までです。"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(nb.diary.count(), days);
}

// はじめての食材 by keys: a food typed, its reaction chosen, 登録; the row shows in red with
// its allergen mark; the same food again is refused.
void RecipeScreenTest::firstFoodsEnteredOnce()
{
    Screen s;
    QFile::remove(s.t.path(first_foods::fileName()));
    s.screen->show();
    QVERIFY(QTest::qWaitForWindowActive(s.screen));
    s.click(QStringLiteral("cmdHajimete"));
    auto *window = s.screen->findChild<FirstFoodsWindow *>();
    QVERIFY(window);
    QApplication::setActiveWindow(window); // offscreen, a shown dialog does not take the focus of itself
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto *food = window->findChild<QComboBox *>(QStringLiteral("cboSyokuzai"));
    food->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), food);
    typeText(QApplication::focusWidget(), QStringLiteral("卵"));
    auto *reaction = window->findChild<QComboBox *>(QStringLiteral("cboHannou"));
    reaction->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), reaction);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(reaction->currentText(), QStringLiteral("あり"));
    auto *add = window->findChild<QPushButton *>(QStringLiteral("cmdTouroku"));
    QTest::mouseClick(add, Qt::LeftButton);
    VERIFY_DIALOGS(s.dialogs);
    auto *table = window->findChild<QTableWidget *>(QStringLiteral("msgHajimete"));
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("卵"));
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("★"));
    QCOMPARE(table->item(0, 3)->text(), QStringLiteral("2026/12/06"));
    QCOMPARE(table->item(0, 4)->foreground().color(), QColor(200, 0, 0));
    food->setEditText(QStringLiteral("卵"));
    s.dialogs.expectWarning(QStringLiteral("はじめての食材"),
                            QStringLiteral("「卵」は 2026/12/06 に登録済みです。食材は一度だけ登録できます。"));
    QTest::mouseClick(add, Qt::LeftButton);
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.t.text(first_foods::fileName()).count(QStringLiteral("卵")), 1);
}

namespace {

// 調理回数 by the keyboard: its input box answered with date, then the boxes expect() adds.
void addDateByKeys(Screen &s, const QString &date, const std::function<void()> &expect = {})
{
    s.get<QLabel>(QStringLiteral("lblKai"))->setFocus(Qt::TabFocusReason);
    s.dialogs.expectInput(QStringLiteral("日付登録"), date);
    if (expect)
        expect();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

void showActive(Screen &s)
{
    s.screen->show();
    QApplication::setActiveWindow(s.screen);
    QVERIFY(QTest::qWaitForWindowActive(s.screen));
}

} // namespace

// A cooking date is in レシピ.txt as soon as it is added, without 登録, and 戻り loses nothing;
// the edits typed on the page stay unsaved. Taking a date out is asked and written at once.
void RecipeScreenTest::cookingDateSavedWhenAdded()
{
    Screen s;
    showActive(s);
    s.go(6); // never cooked
    const Recipe before = s.stored()[5];
    auto *memo = s.get<QPlainTextEdit>(QStringLiteral("txtMemo"));
    memo->setFocus(Qt::TabFocusReason);
    typeText(QApplication::focusWidget(), QStringLiteral("まだ保存しないメモ"));
    addDateByKeys(s, QStringLiteral("1995/10/08"));
    addDateByKeys(s, QStringLiteral("1995/10/20"));
    VERIFY_DIALOGS(s.dialogs);
    Recipe expected = before;
    expected.history = QStringLiteral("1995/10/08\r\n1995/10/20");
    expected.cookCount = QStringLiteral("2");
    expected.selfEval = expected.childEval = evalExcellent(); // the first cooking
    QVERIFY(s.stored()[5] == expected);
    QCOMPARE(s.faces(), QStringLiteral("優優"));
    QCOMPARE(s.label(QStringLiteral("lblKaisu")), QStringLiteral("2"));
    QVERIFY(memo->toPlainText().endsWith(QStringLiteral("まだ保存しないメモ")));
    QCOMPARE(s.label(QStringLiteral("lblPoint")), QStringLiteral("Point 129")); // 124 + 3 + 2

    QTest::mouseClick(s.get<QPushButton>(QStringLiteral("cmdEnd")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(s.screen.isNull());
    VERIFY_DIALOGS(s.dialogs);
    s.screen = new RecipeScreen(s.t.notebook(), s.dialogs);
    s.screen->load();
    showActive(s);
    s.go(6);
    auto *list = s.get<QListWidget>(QStringLiteral("lstRireki"));
    QCOMPARE(list->count(), 2);

    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QCOMPARE(list->currentRow(), 1);
    const QString ask = QStringLiteral("調理日 1995/10/20 を調理実績から取り消します。");
    s.dialogs.expect(QStringLiteral("調理日の取り消し"), ask, Icon::Warning, Buttons::OkCancel,
                     Answer::Cancel, Answer::Cancel);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QCOMPARE(list->count(), 2);
    QVERIFY(s.stored()[5] == expected);
    s.dialogs.expect(QStringLiteral("調理日の取り消し"), ask, Icon::Warning, Buttons::OkCancel,
                     Answer::Cancel);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(list->count(), 1);
    QCOMPARE(s.stored()[5].history, QStringLiteral("1995/10/08"));
    QCOMPARE(s.stored()[5].cookCount, QStringLiteral("1"));
    QCOMPARE(s.label(QStringLiteral("lblKaisu")), QStringLiteral("1"));
    QCOMPARE(s.faces(), QStringLiteral("優優")); // taking a date out leaves the evaluations
}

// A page not registered yet: the date is saved by registering the page, which its box says;
// Cancel writes nothing and adds no date.
void RecipeScreenTest::cookingDateOnAPageNotRegistered_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("registered with the date") << true;
    QTest::newRow("cancelled") << false;
}

void RecipeScreenTest::cookingDateOnAPageNotRegistered()
{
    QFETCH(bool, ok);
    Screen s;
    showActive(s);
    const QList<Recipe> before = s.stored();
    QTest::mouseClick(s.get<QPushButton>(QStringLiteral("cmdNew")), Qt::LeftButton);
    typeText(QApplication::focusWidget(), QStringLiteral("にんじんスープ"));
    QCOMPARE(s.name(), QStringLiteral("にんじんスープ"));
    addDateByKeys(s, QStringLiteral("2026/12/06"), [&] {
        s.dialogs.expect(QStringLiteral("新規登録確認"),
                         QStringLiteral("調理日 2026/12/06 を記録するため、このページを登録します。\r\n\r\n"
                                        "新しいレシピです。新規登録します。"),
                         Icon::Information, Buttons::OkCancel, Answer::Ok, ok ? Answer::Ok : Answer::Cancel);
    });
    VERIFY_DIALOGS(s.dialogs);
    const QList<Recipe> after = s.stored();
    auto *list = s.get<QListWidget>(QStringLiteral("lstRireki"));
    if (!ok) {
        QVERIFY(after == before);
        QCOMPARE(list->count(), 0);
        QCOMPARE(s.faces(), QStringLiteral("未未"));
        return;
    }
    QCOMPARE(after.size(), before.size() + 1);
    QCOMPARE(after.last().name, QStringLiteral("にんじんスープ"));
    QCOMPARE(after.last().history, QStringLiteral("2026/12/06"));
    QCOMPARE(after.last().cookCount, QStringLiteral("1"));
    QCOMPARE(after.last().childEval, evalExcellent());
    QCOMPARE(s.label(QStringLiteral("lblKensu")), QStringLiteral("28 / 28"));
    QCOMPARE(list->count(), 1);
    QCOMPARE(s.faces(), QStringLiteral("優優"));
}

// A cooking date on a day the diary has no page for: the page is offered, made with the note as
// its text when the answer is OK; a day the diary cannot take is only told of, with the reason.
void RecipeScreenTest::cookingDateOnADayWithoutAPage_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("answer"); // -1: no question, only the reason
    QTest::newRow("made") << QStringLiteral("1995/02/17") << int(Answer::Ok);
    QTest::newRow("declined") << QStringLiteral("1995/02/17") << int(Answer::Cancel);
    QTest::newRow("before the birth day") << QStringLiteral("1995/01/31") << -1;
}

void RecipeScreenTest::cookingDateOnADayWithoutAPage()
{
    QFETCH(QString, date);
    QFETCH(int, answer);
    Screen s;
    Notebook &nb = s.t.notebook();
    nb.readDiary();
    const int days = nb.diary.count();
    showActive(s);
    auto *note = s.get<QCheckBox>(QStringLiteral("chkNikki"));
    note->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(note->isChecked());
    s.go(1);
    const QString line = QStringLiteral("十倍がゆを作りました");
    addDateByKeys(s, date, [&] {
        if (answer < 0)
            s.dialogs.expectInformation(
                QStringLiteral("日記"),
                date + QStringLiteral(" の日記のページがないため、日記には書きませんでした。\r\n\r\n"
                                      "出産日前の日付けは登録できません"));
        else
            s.dialogs.expect(
                QStringLiteral("日記"),
                date + QStringLiteral(" の日記のページはまだありません。\r\n"
                                      "この日のページを作って「十倍がゆを作りました」と書きますか？"),
                Icon::Question, Buttons::OkCancel, Answer::Ok, Answer(answer));
    });
    VERIFY_DIALOGS(s.dialogs);
    QVERIFY(s.stored()[0].history.endsWith(date)); // the recipe's history has it in every case
    const int k = nb.diary.find(date);
    if (answer != int(Answer::Ok)) {
        QCOMPARE(k, 0);
        QCOMPARE(nb.diary.count(), days);
        return;
    }
    QCOMPARE(nb.diary.count(), days + 1);
    QCOMPARE(k, 3); // in date order, after 02/15 and 02/16
    QCOMPARE(nb.diary.day(k).text, line);
    QCOMPARE(nb.diary.day(k).height, qint16(0));
    QVERIFY(s.t.text(QStringLiteral("日記.txt")).contains(QStringLiteral("【日付】1995/02/17")));
}

// はじめての食材: a row chosen in the list comes into the boxes; 変更 writes it back changed and
// 削除 takes it out, each after its box; the same food in another form is refused; a row of
// the starting list that was never entered cannot be changed.
void RecipeScreenTest::firstFoodsRowChangedAndDeleted()
{
    Screen s;
    s.t.writeText(first_foods::fileName(),
                  QStringLiteral("\"卵\",\"2026/03/01\",\"あり\",\"口のまわりが赤く\"\r\n"
                                 "\"にんじん\",\"2026/02/10\",\"なし\",\"\"\r\n"));
    showActive(s);
    s.click(QStringLiteral("cmdHajimete"));
    auto *window = s.screen->findChild<FirstFoodsWindow *>();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto *table = window->findChild<QTableWidget *>(QStringLiteral("msgHajimete"));
    auto clickRow = [table](int row) {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                          table->visualItemRect(table->item(row, 1)).center());
    };
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("卵"));
    clickRow(1);
    auto *food = window->findChild<QComboBox *>(QStringLiteral("cboSyokuzai"));
    QCOMPARE(food->currentText(), QStringLiteral("卵"));
    QCOMPARE(window->findChild<QLineEdit *>(QStringLiteral("txtMemo"))->text(),
             QStringLiteral("口のまわりが赤く"));

    // Only the yolk was eaten: the row becomes 卵黄.
    food->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    typeText(QApplication::focusWidget(), QStringLiteral("卵黄"));
    s.dialogs.expect(QStringLiteral("変更確認"),
                     QStringLiteral("「卵」（2026/03/01）の行を、「卵黄」（2026/03/01）に変更します。"),
                     Icon::Information, Buttons::OkCancel, Answer::Ok);
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("cmdHenkou")), Qt::LeftButton);
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.t.text(first_foods::fileName()),
             QStringLiteral("\"卵黄\",\"2026/03/01\",\"あり\",\"口のまわりが赤く\"\r\n"
                            "\"にんじん\",\"2026/02/10\",\"なし\",\"\"\r\n"));
    QCOMPARE(table->item(1, 1)->text(), QStringLiteral("卵黄"));
    QCOMPARE(table->item(1, 2)->text(), QStringLiteral("★"));

    // にんじん typed in katakana is the food entered already.
    clickRow(0);
    food->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    typeText(QApplication::focusWidget(), QStringLiteral("ニンジン"));
    s.dialogs.expectWarning(
        QStringLiteral("はじめての食材"),
        QStringLiteral("「にんじん」は 2026/02/10 に登録済みです。食材は一度だけ登録できます。"));
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("cmdTouroku")), Qt::LeftButton);
    VERIFY_DIALOGS(s.dialogs);

    clickRow(0);
    s.dialogs.expect(QStringLiteral("削除確認"),
                     QStringLiteral("『 にんじん 』（2026/02/10）の行を削除します"), Icon::Warning,
                     Buttons::OkCancel, Answer::Cancel, Answer::Ok);
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("cmdSakujo")), Qt::LeftButton);
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.t.text(first_foods::fileName()),
             QStringLiteral("\"卵黄\",\"2026/03/01\",\"あり\",\"口のまわりが赤く\"\r\n"));

    clickRow(5); // a food of the list never entered
    s.dialogs.expectWarning(QStringLiteral("はじめての食材"),
                            QStringLiteral("変更や削除をする行を、登録した食材の一覧から選んでください。"));
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("cmdSakujo")), Qt::LeftButton);
    VERIFY_DIALOGS(s.dialogs);
    QCOMPARE(s.t.text(first_foods::fileName()).count(u'\n'), 1);
}

QTEST_MAIN(RecipeScreenTest)
#include "recipe_screen_test.moc"
