// The notebook open on this computer while another computer's changes arrive through the
// synced folder: the screens follow within moments, a typed page keeps what is typed, and
// its save keeps the other computer's day; the program's own saves are not taken for changes.
#include "core/files/file_names.h"
#include "core/recipes/recipe_store.h"
#include "ui/profile/profile_screen.h"
#include "ui/recipes/recipe_screen.h"
#include "loaded_screen.h"
#include "ui/shell/outside_watch.h"
#include "user_actions.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QtTest>

#include <cstdio>

class TwoComputersTest : public QObject
{
    Q_OBJECT
private slots:
    void typedPageKeptWhileTheOtherDayArrives();
    void untypedPageShowsTheOtherText();
    void dayChangedOnBothKeepsTheOtherInACopy();
    void newPageKeepsItsTypedDate();
    void cookingNoteJoinsTheTypedPage();
    void recipeChangedOnBothKeepsTheOtherInACopy();
    void profileScreenFollowsTheFile();
};

namespace {

QString day(const QString &date, const QString &text) { return diaryRecordText(date, 0, 0, text); }

void expectSaved(ScriptedDialogs &dialogs)
{
    dialogs.expect(QStringLiteral("変更登録確認"), QStringLiteral("既存の日付です。変更して書き込みます。"),
                   Dialogs::Icon::Information, Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok);
    dialogs.expectInformation(QStringLiteral("書き込み終了"), QStringLiteral("日記に書き込みました。"));
}

// As a sync tool writes: a temporary file renamed over the old one.
void replaceFromOutside(TestNotebook &files, const QString &name, const QString &text)
{
    files.writeText(name + QStringLiteral(".syncing"), text);
    QVERIFY(std::rename(QFile::encodeName(files.path(name + QStringLiteral(".syncing"))).constData(),
                        QFile::encodeName(files.path(name)).constData()) == 0);
}

void typeAtEnd(QWidget *w, const QString &text)
{
    w->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
    typeText(QApplication::focusWidget(), text);
}

QStringList diaryCopies(const TestNotebook &files)
{
    return QDir(files.dir()).entryList({QStringLiteral("日記.txt.*.bak")}, QDir::Files);
}

} // namespace

void TwoComputersTest::typedPageKeptWhileTheOtherDayArrives()
{
    LoadedScreen f;
    f.screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.screen));
    const int days = f.notebook().diary.count();
    const QString shown = f.notebook().diary.day(days).date;
    auto *text = f.find<QPlainTextEdit>(QStringLiteral("txtDiary"));
    text->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
    typeText(QApplication::focusWidget(), QStringLiteral("こちらで書き足した。"));
    // The other computer's version: a day before the shown one, and the first day's text.
    QString other = f.files.text(diaryFileName());
    other.replace(QStringLiteral("午前10時23分"), QStringLiteral("あちらで直した"));
    other.insert(other.indexOf(QStringLiteral("*******************************\r\n【日付】") + shown),
                 day(QStringLiteral("1997/01/02"), QStringLiteral("あちらの日")));
    f.files.writeText(diaryFileName(), other);
    // The watch reads it (a sync tool writes while the program waits for the user).
    QTRY_COMPARE_WITH_TIMEOUT(f.notebook().diary.count(), days + 1, 5000);
    QVERIFY(text->toPlainText().endsWith(QStringLiteral("こちらで書き足した。")));
    QCOMPARE(f.find<QComboBox>(QStringLiteral("cboDay"))->currentText(), shown);
    QCOMPARE(f.find<QScrollBar>(QStringLiteral("hsbDay"))->value(), days + 1);
    QTRY_VERIFY(f.screen.statusBar()->currentMessage().contains(QStringLiteral("日記 2日分")));

    expectSaved(f.dialogs);
    f.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(f.dialogs);
    QVERIFY(f.dialogs.allShown());
    const QString after = f.files.text(diaryFileName());
    QVERIFY(after.contains(QStringLiteral("あちらの日")));
    QVERIFY(after.contains(QStringLiteral("あちらで直した")));
    QVERIFY(after.contains(QStringLiteral("こちらで書き足した。")));
    // Its own save is no news.
    f.screen.outsideWatch()->check();
    QTest::qWait(600);
    QVERIFY(f.notebook().files.changedOutside().isEmpty());
    QCOMPARE(f.notebook().diary.count(), days + 1);
}

void TwoComputersTest::untypedPageShowsTheOtherText()
{
    LoadedScreen f;
    const int days = f.notebook().diary.count();
    QString other = f.files.text(diaryFileName());
    const QString last = f.notebook().diary.day(days).text;
    other.replace(last.left(6), QStringLiteral("あちらの書き出し"));
    f.files.writeText(diaryFileName(), other);
    f.screen.outsideWatch()->check();
    QVERIFY(f.find<QPlainTextEdit>(QStringLiteral("txtDiary"))->toPlainText().startsWith(QStringLiteral("あちらの書き出し")));
}

// Both sides changed the shown day: this page goes into the file, the other computer's day
// stays whole in a dated copy, and the status line names both.
void TwoComputersTest::dayChangedOnBothKeepsTheOtherInACopy()
{
    LoadedScreen f;
    f.screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.screen));
    const int days = f.notebook().diary.count();
    const QString lastText = f.notebook().diary.day(days).text;
    typeAtEnd(f.find<QPlainTextEdit>(QStringLiteral("txtDiary")), QStringLiteral("こちらの一行"));
    QString other = f.files.text(diaryFileName());
    other.replace(lastText, lastText + QStringLiteral("\r\nあちらの一行"));
    replaceFromOutside(f.files, diaryFileName(), other);
    QTRY_VERIFY_WITH_TIMEOUT(f.notebook().diary.day(days).text.endsWith(QStringLiteral("あちらの一行")), 5000);

    expectSaved(f.dialogs);
    f.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(f.dialogs);
    const QString after = f.files.text(diaryFileName());
    QVERIFY(after.contains(lastText + QStringLiteral("こちらの一行")));
    QVERIFY(!after.contains(QStringLiteral("あちらの一行")));
    const QStringList copies = diaryCopies(f.files);
    QCOMPARE(copies.size(), 1);
    QVERIFY(f.files.text(copies[0]).contains(lastText + QStringLiteral("\r\nあちらの一行")));
    QTRY_VERIFY(f.screen.statusBar()->currentMessage().contains(QStringLiteral("両方のパソコンで変更")));
    QVERIFY(f.screen.statusBar()->currentMessage().contains(copies[0]));
    QVERIFY(f.screen.statusBar()->currentMessage().contains(f.notebook().diary.day(days).date));
}

// A new page being typed keeps its date when the day list is read again.
void TwoComputersTest::newPageKeepsItsTypedDate()
{
    LoadedScreen f;
    f.screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.screen));
    f.setHelpTour(false);
    const QString date = QStringLiteral("1997/03/02");
    QCOMPARE(f.notebook().diary.find(date), 0);
    const DiaryDay birth = f.notebook().diary.day(1);
    f.click(QStringLiteral("cmdNew"));
    auto *dateBox = f.find<QComboBox>(QStringLiteral("cboDay"));
    dateBox->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    typeText(QApplication::focusWidget(), date);
    typeAtEnd(f.find<QWidget>(QStringLiteral("txtShincyo")), QStringLiteral("88"));
    typeAtEnd(f.find<QWidget>(QStringLiteral("txtTaijyu")), QStringLiteral("12000"));
    typeAtEnd(f.find<QPlainTextEdit>(QStringLiteral("txtDiary")), QStringLiteral("新しい日"));
    QString other = f.files.text(diaryFileName());
    other.replace(birth.text, birth.text + QStringLiteral("（あちら）"));
    replaceFromOutside(f.files, diaryFileName(), other);
    QTRY_VERIFY_WITH_TIMEOUT(f.notebook().diary.day(1).text.endsWith(QStringLiteral("（あちら）")), 5000);
    QCOMPARE(dateBox->currentText(), date);

    f.dialogs.expect(QStringLiteral("新規登録確認"), QStringLiteral("新しい日付です。日記に追加します。"),
                     Dialogs::Icon::Information, Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok);
    f.dialogs.expectInformation(QStringLiteral("書き込み終了"), QStringLiteral("日記に書き込みました。"));
    f.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(f.dialogs);
    const DiaryTable &diary = f.notebook().diary;
    QVERIFY(diary.find(date) > 0);
    QCOMPARE(diary.day(diary.find(date)).text, QStringLiteral("新しい日"));
    QCOMPARE(diary.day(1).height, birth.height);
    QCOMPARE(diary.day(1).text, birth.text + QStringLiteral("（あちら）"));
}

// The recipe book's cooking note reaches the page typed on that day, and its save keeps both.
void TwoComputersTest::cookingNoteJoinsTheTypedPage()
{
    LoadedScreen f;
    f.screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.screen));
    const int days = f.notebook().diary.count();
    const QString date = f.notebook().diary.day(days).date;
    auto *text = f.find<QPlainTextEdit>(QStringLiteral("txtDiary"));
    typeAtEnd(text, QStringLiteral("こちらの一行"));
    const QString note = QStringLiteral("にんじんがゆを作りました");
    QCOMPARE(f.notebook().noteInDiary(date, note).outcome, Notebook::DiaryNote::Added);
    QVERIFY(text->toPlainText().endsWith(QStringLiteral("こちらの一行\n") + note));

    expectSaved(f.dialogs);
    f.click(QStringLiteral("cmdTouroku"));
    VERIFY_DIALOGS(f.dialogs);
    QVERIFY(f.notebook().diary.day(days).text.endsWith(QStringLiteral("こちらの一行\r\n") + note));
    QVERIFY(diaryCopies(f.files).isEmpty());
}

// The recipe screen's 登録 over a recipe whose memo the other computer changed meanwhile.
void TwoComputersTest::recipeChangedOnBothKeepsTheOtherInACopy()
{
    TestNotebook t;
    ScriptedDialogs dialogs;
    t.notebook().readProfile();
    t.markFoodsEaten();
    RecipeScreen screen(t.notebook(), dialogs);
    screen.load();
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    QList<Recipe> other = parseRecipes(t.bytes(recipeFileName())).recipes;
    const Recipe first = other[0];
    typeAtEnd(screen.findChild<QPlainTextEdit *>(QStringLiteral("txtTukuri")), QStringLiteral("こちらの手順"));
    other[0].memo = QStringLiteral("あちらのメモ");
    replaceFromOutside(t, recipeFileName(), recipeFileText(other));
    t.notebook().checkOutside();
    QCOMPARE(t.notebook().recipes.recipe(1).memo, QStringLiteral("あちらのメモ"));

    dialogs.expect(QStringLiteral("変更登録確認"), QStringLiteral("既存のレシピです。変更登録します。"),
                   Dialogs::Icon::Information, Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok);
    dialogs.expectInformation(QStringLiteral("登録終了"), QStringLiteral("登録しました"));
    screen.findChild<QAbstractButton *>(QStringLiteral("cmdTouroku"))->click();
    VERIFY_DIALOGS(dialogs);
    const Recipe saved = parseRecipes(t.bytes(recipeFileName())).recipes[0];
    QVERIFY(saved.steps.endsWith(QStringLiteral("こちらの手順")));
    QCOMPARE(saved.memo, first.memo);
    const QStringList copies =
        QDir(t.dir()).entryList({QStringLiteral("レシピ.txt.*.bak")}, QDir::Files);
    QCOMPARE(copies.size(), 1);
    QCOMPARE(parseRecipes(t.bytes(copies[0])).recipes[0].memo, QStringLiteral("あちらのメモ"));
    QVERIFY(t.notebook().files.takeOutsideNote().contains(first.name));
}

// The other computer renames the child and hides the diary's photos: the profile screen and the
// photo option show it, and clicking the option shown as off switches it back in the file.
void TwoComputersTest::profileScreenFollowsTheFile()
{
    LoadedScreen f;
    ProfileScreen *profile = f.showWithProfileScreen();
    QVERIFY(profile);
    auto *photos = f.find<QRadioButton>(QStringLiteral("optGazou"));
    auto *noPhotos = f.find<QRadioButton>(QStringLiteral("optMain"));
    QVERIFY(photos->isChecked());
    QStringList lines = f.files.text(profileFileName()).split(QStringLiteral("\r\n"));
    lines[0] = QStringLiteral("もも");
    lines[9] = QStringLiteral("写真非表示");
    replaceFromOutside(f.files, profileFileName(), lines.join(QStringLiteral("\r\n")));
    f.screen.outsideWatch()->check();
    QCOMPARE(profile->findChild<QLineEdit *>(QStringLiteral("txtNamae"))->text(), QStringLiteral("もも"));
    QVERIFY(noPhotos->isChecked());
    QCOMPARE(f.screen.windowTitle(), QStringLiteral("ももの育児手帖"));

    QTest::mouseClick(photos, Qt::LeftButton, {}, QPoint(8, photos->height() / 2));
    QVERIFY(photos->isChecked());
    QCOMPARE(f.files.text(profileFileName()).split(QStringLiteral("\r\n")).at(9), QStringLiteral("写真表示"));
    QCOMPARE(f.files.text(profileFileName()).split(QStringLiteral("\r\n")).at(0), QStringLiteral("もも"));
}

QTEST_MAIN(TwoComputersTest)
#include "two_computers_test.moc"
