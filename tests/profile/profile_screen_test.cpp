// The profile screen opened by "設定" on a copy of the sample notebook: its fields and
// calendar, every branch of the new-notebook command with the files it leaves, the point-goal
// save with the titles and level bars, and printing.
#include "loaded_screen.h"
#include "profile/point_goal.h"
#include "profile/profile_screen.h"
#include "recipes/level_bar.h"
#include "recipes/recipe_screen.h"
#include "user_actions.h"

#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

using Answer = Dialogs::Answer;
using Icon = Dialogs::Icon;
using Buttons = Dialogs::Buttons;
using Files = QMap<QString, QByteArray>;

namespace {

const QString MayGoOn = QStringLiteral("\r\n\r\nこのままで良かったらＯＫボタンを押してください");
const QString Required = QStringLiteral("\r\n\r\nここは必ず登録しておく必要があります。");
const QStringList FieldNames = {"txtNamae",   "txtUmare",  "txtPJikan", "txtPShincyo",
                                "txtPTaijyu", "txtPKyoui", "txtPToui",  "txtPoint"};

// Every file of a folder and its sub-folders, by relative path.
Files filesOf(const QString &dir)
{
    Files files;
    QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        files.insert(QDir(dir).relativeFilePath(path), f.readAll());
    }
    return files;
}

// A box of the script written as one text: "?" an OK/Cancel box answered OK, "x" the same
// answered Cancel, "!" a warning; then the title, "|" and the text ("*" for any text).
void expectBox(ScriptedDialogs &d, const QString &box)
{
    const QString title = box.mid(1).section(u'|', 0, 0);
    const QString text = box.section(u'|', 1) == QStringLiteral("*") ? QString() : box.section(u'|', 1);
    if (box.startsWith(u'!'))
        d.expect(title, text, Icon::Warning, Buttons::Ok, Answer::Ok);
    else
        d.expect(title, text, Icon::Warning, Buttons::OkCancel, Answer::Cancel,
                 box.startsWith(u'?') ? Answer::Ok : Answer::Cancel);
}

struct ProfileFixture : LoadedScreen {
    ProfileFixture()
    {
        setHelpTour(false);
        click(QStringLiteral("cmdPrivate"));
        profile = screen.profileScreen();
        if (!profile)
            qFatal("設定 opened no profile screen");
    }
    template <class T> T *get(const QString &name) const
    {
        T *w = profile->findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    QString value(const QString &name) const
    {
        if (auto *box = profile->findChild<QLineEdit *>(name))
            return box->text();
        return get<QLabel>(name)->text();
    }
    void type(const QString &name, const QString &text)
    {
        QLineEdit *box = get<QLineEdit>(name);
        box->clear();
        typeText(box, text);
    }
    void fill(const QStringList &values)
    {
        for (int i = 0; i < values.size(); ++i)
            type(FieldNames[i], values[i]);
    }
    void press(const QString &button) { get<QAbstractButton>(button)->click(); }

    QPointer<ProfileScreen> profile;
};

} // namespace

class ProfileScreenTest : public QObject
{
    Q_OBJECT
private slots:
    void opensWithTheProfileAndCalendar();
    void newNotebookStops_data();
    void newNotebookStops();
    void newNotebookWritesTheFiles();
    void failedWritesChangeNothing_data();
    void failedWritesChangeNothing();
    void goalSave_data();
    void goalSave();
    void printsTheScreen();
};

void ProfileScreenTest::opensWithTheProfileAndCalendar()
{
    ProfileFixture f;
    QVERIFY(f.profile->isVisible() && !f.profile->isModal());
    QCOMPARE(f.profile->windowTitle(), QStringLiteral("プライベートデータ"));
    const QStringList shown = {"ももちゃん", "1995/02/15", "午前10時23分", "49.5",
                               "3012",       "32.0",       "33.5",         "140"};
    for (int i = 0; i < shown.size(); ++i)
        QCOMPARE(f.value(FieldNames[i]), shown[i]);
    QCOMPARE(f.value("lblPoint"), QString::number(f.notebook().recipes.totalPoint) + QStringLiteral(" P"));
    // Born 1995/02/15 (early born), seen on 2026/12/06: every event has passed.
    QCOMPARE(f.value("lblIvD3"), QStringLiteral("2001/04/01"));
    QCOMPARE(f.value("lblIvD10"), QStringLiteral("1995/03/17"));
    QCOMPARE(f.value("lblIvN10"), QString::number(QDate(1995, 3, 17).daysTo(QDate(2026, 12, 6))));
    QCOMPARE(f.value("lblZengo10"), QStringLiteral("日経過"));
    QVERIFY2(staleLabels(f.profile).isEmpty(), qPrintable(staleLabels(f.profile).join(u'\n')));
    QCOMPARE(f.get<QLabel>("lblIvD3")->accessibleDescription(), QStringLiteral("小学校 入学"));
    QCOMPARE(f.get<QLineEdit>("txtPShincyo")->accessibleName(), QStringLiteral("身長"));

    const QString shots = qEnvironmentVariable("TECHO_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        QVERIFY(f.profile->grab().save(shots + QStringLiteral("/profile_screen.png")));

    // 戻り unloads the screen; nothing is written.
    const Files before = filesOf(f.files.dir());
    f.type("txtNamae", QStringLiteral("はなこ"));
    f.press("cmdModori");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(f.profile.isNull());
    QCOMPARE(filesOf(f.files.dir()), before);
    QCOMPARE(f.notebook().profile.nickname, QStringLiteral("ももちゃん"));
}

void ProfileScreenTest::newNotebookStops_data()
{
    QTest::addColumn<QStringList>("values"); // the seven fields and the goal
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("birthAfter");
    const QStringList good = {"たろう", "2002/2/8", "10時5分", "50.5", "3,050", "32", "33", "140"};
    // One field changed; the one box it brings (an empty field's named by its caption).
    auto row = [&good](const char *name, int field, const QString &value, const QString &box,
                       const char *after) {
        QStringList values = good;
        values[field] = value;
        QTest::newRow(name) << values << QStringList{box} << FieldNames[field] << QString::fromUtf8(after);
    };
    auto empty = [&](const char *name, int field, const char *caption, bool required) {
        const QString text =
            QString::fromUtf8(caption) + QStringLiteral("が未入力です。") + (required ? Required : MayGoOn);
        row(name, field, QString(), (required ? u'!' : u'x') + QStringLiteral("入力確認|") + text,
            field == 1   ? ""
            : field == 0 ? "2002/2/8"
                         : "2002/02/08");
    };
    empty("no nickname: Cancel", 0, "ニックネーム欄", false);
    empty("no birth date", 1, "生年月日", true);
    empty("no time: Cancel", 2, "出産時間", false);
    empty("no height", 3, "身長", true);
    empty("no weight", 4, "体重", true);
    empty("no chest: Cancel", 5, "胸囲", false);
    empty("no head: Cancel", 6, "頭囲", false);
    row("birth date no date", 1, "2002/2/30",
        "!入力確認|その入力は日付の形式ではありません\r\n\r\n2002/02/18　のように入力してみて下さい", "");
    row("nickname the file would cut", 0, "\"たろう", "!入力確認|*", "2002/02/08");
    row("a character CP932 cannot hold", 2, "10時5分😀", "!入力確認|*", "2002/02/08");
    row("goal 0", 7, "0", "!入力確認|*", "2002/02/08");
    QStringList empties = good;
    for (int i : {0, 2, 5, 6})
        empties[i].clear();
    QTest::newRow("every question OK, the last Cancel")
        << empties
        << QStringList{QString("?入力確認|ニックネーム欄が未入力です。") + MayGoOn,
                       QString("?入力確認|出産時間が未入力です。") + MayGoOn,
                       QString("?入力確認|胸囲が未入力です。") + MayGoOn,
                       QString("?入力確認|頭囲が未入力です。") + MayGoOn,
                       "x新規作成確認|これまでのデータを削除して『』の育児手帖を作成します。\r\n\r\n"
                       "良かったらＯＫボタンを押してください"}
        << ""
        << "2002/02/08";
}

// Every stop leaves every file as it was and the program running.
void ProfileScreenTest::newNotebookStops()
{
    QFETCH(QStringList, values);
    QFETCH(QStringList, boxes);
    QFETCH(QString, focus);
    QFETCH(QString, birthAfter);
    ProfileFixture f;
    QSignalSpy ended(&f.screen, &DiaryScreen::programEnded);
    const Files before = filesOf(f.files.dir());
    f.fill(values);
    f.profile->activateWindow();
    for (const QString &box : boxes)
        expectBox(f.dialogs, box);
    f.press("cmdHozon");
    VERIFY_DIALOGS(f.dialogs);
    QVERIFY(f.dialogs.allShown());
    QCOMPARE(filesOf(f.files.dir()), before);
    QCOMPARE(ended.count(), 0);
    QVERIFY(f.profile && f.profile->isVisible());
    QCOMPARE(f.value("txtUmare"), birthAfter);
    if (!focus.isEmpty())
        QCOMPARE(f.profile->focusWidget()->objectName(), focus);
}

void ProfileScreenTest::newNotebookWritesTheFiles()
{
    ProfileFixture f;
    QSignalSpy ended(&f.screen, &DiaryScreen::programEnded);
    const Files before = filesOf(f.files.dir());
    // Full-width digits count as digits; a comma in a value survives the file.
    f.fill({"たろう, 二世", "平成14年2月8日", "10時5分", "５０．５", "3,050", "", "33.5", "２００"});
    expectBox(f.dialogs, QString("?入力確認|胸囲が未入力です。") + MayGoOn);
    expectBox(
        f.dialogs,
        QStringLiteral("?新規作成確認|これまでのデータを削除して『たろう, 二世』の育児手帖を作成します。"
                       "\r\n\r\n良かったらＯＫボタンを押してください"));
    f.dialogs.expectInformation(
        QStringLiteral("クリア終了"),
        QStringLiteral("これまでのデータをクリアしました。（離乳食レシピはそのままです）\r\n"
                       "新規のデータを採用するため一旦プログラムを終了します。\r\n\r\n"
                       "次に起動したときから『たろう, 二世』の育児手帖がスタートします。\r\n\r\n"
                       "※出産初日のページは自動的に作られていますので、\r\n"
                       "　エピソードや思い出を記入して保存ボタンを押してみてくださいね。\r\n"));
    f.press("cmdHozon");
    VERIFY_DIALOGS(f.dialogs);
    QCOMPARE(ended.count(), 1);
    QVERIFY(!f.profile || !f.profile->isVisible());

    const Files after = filesOf(f.files.dir());
    const QStringList emptied = {"記念日.txt",   "参考資料.txt", "身長体重.txt",
                                 "贈りもの.txt", "頂きもの.txt", "予定.txt"};
    const QString backup = QStringLiteral("バックアップ/20261206-0930/");
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const QString &name = it.key();
        if (name == QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt") || name == QStringLiteral("日記.txt")) {
            QCOMPARE(after.value(name), testDataBytes(QStringLiteral("profile/new_notebook/") + name));
        } else if (emptied.contains(name)) {
            QCOMPARE(after.value(name), QByteArray());
        } else {
            QVERIFY2(after.value(name) == it.value(), qPrintable(name)); // recipes, pictures, settings
            continue;
        }
        QVERIFY2(after.value(backup + name) == it.value(), qPrintable(name)); // the copy, byte for byte
    }
    QCOMPARE(after.size(), before.size() + 8);

    // The next start: the new child, one page and the first-day box.
    Notebook next(f.files.dir(), f.files.clock());
    ScriptedDialogs dialogs;
    DiaryScreen again(next, dialogs, f.printer, QString());
    dialogs.expectInformation(QStringLiteral("育児日記の初日です。"));
    again.load();
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(next.diary.count(), 1);
    QCOMPARE(again.windowTitle(), QStringLiteral("たろう, 二世の育児手帖"));
    QCOMPARE(next.profile.targetPoint, qint16(200));
    QCOMPARE(next.profile.birthWeight, QStringLiteral("3,050"));
}

void ProfileScreenTest::failedWritesChangeNothing_data()
{
    QTest::addColumn<QString>("blocker");
    // A file where the backup folder goes: the copy cannot be made, so nothing is written.
    QTest::newRow("no backup") << "バックアップ";
    // 予定.txt cannot be replaced: the files written before it are put back.
    QTest::newRow("half done") << "予定.txt";
}

void ProfileScreenTest::failedWritesChangeNothing()
{
    QFETCH(QString, blocker);
    ProfileFixture f;
    if (blocker == QStringLiteral("予定.txt")) {
        // A file on a file system nobody can write to, even the administrator.
        if (!QFileInfo::exists(QStringLiteral("/proc/version")))
            QSKIP("needs /proc");
        QFile::remove(f.files.path(blocker));
        QVERIFY(QFile::link(QStringLiteral("/proc/version"), f.files.path(blocker)));
    } else {
        f.files.writeBytes(blocker, "x");
    }
    QSignalSpy ended(&f.screen, &DiaryScreen::programEnded);
    const Files before = filesOf(f.files.dir());
    f.fill({"たろう", "2002/2/8", "10時5分", "50.5", "3050", "32", "33", "140"});
    expectBox(f.dialogs, QStringLiteral("?新規作成確認|*"));
    f.dialogs.expectWarning(QStringLiteral("書き込みエラー"));
    f.press("cmdHozon");
    VERIFY_DIALOGS(f.dialogs);
    QCOMPARE(ended.count(), 0);
    QVERIFY(f.profile->isVisible());
    Files after = filesOf(f.files.dir());
    for (auto it = after.begin(); it != after.end();) // the copy may stay; the notebook is as it was
        it = it.key().startsWith(QStringLiteral("バックアップ/")) ? after.erase(it) : std::next(it);
    QCOMPARE(after, before);
}

void ProfileScreenTest::goalSave_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("level"); // "" when the goal is refused
    QTest::addColumn<int>("boxesColoured");
    QTest::newRow("200 with 50 points") << "200"
                                        << "25.0 %" << 2;
    QTest::newRow("1000") << "1000"
                          << "5.0 %" << 0;
    QTest::newRow("full-width 50") << "５０"
                                   << "100.0 %" << 10;
    QTest::newRow("0") << "0"
                       << "" << 0;
    QTest::newRow("no number") << "abc"
                               << "" << 0;
    QTest::newRow("beyond 32767") << "40000"
                                  << "" << 0;
}

void ProfileScreenTest::goalSave()
{
    QFETCH(QString, typed);
    QFETCH(QString, level);
    QFETCH(int, boxesColoured);
    ProfileFixture f;
    Notebook &nb = f.notebook();
    nb.recipes.totalPoint = 50;
    const QByteArray file = f.files.bytes(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt"));
    const QString levelBefore = f.value("lblLevel");
    RecipeScreen *recipes = f.screen.recipeScreen();
    f.type("txtNamae", QStringLiteral("はなこ"));
    f.type("txtPoint", typed);
    if (level.isEmpty())
        f.dialogs.expectWarning(QStringLiteral("入力確認"));
    f.press("cmdHozon2");
    VERIFY_DIALOGS(f.dialogs);

    if (level.isEmpty()) {
        QCOMPARE(f.files.bytes(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")), file);
        QCOMPARE(nb.profile.targetPoint, qint16(140));
        QCOMPARE(f.value("lblLevel"), levelBefore);
        QCOMPARE(f.screen.windowTitle(), QStringLiteral("ももちゃんの育児手帖"));
        QCOMPARE(f.profile->focusWidget()->objectName(), QStringLiteral("txtPoint"));
        return;
    }
    // Line 1 keeps the nickname held before; line 9 is the goal as the file reads it back.
    const QStringList lines = f.files.text(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")).split(QStringLiteral("\r\n"));
    QCOMPARE(lines[0], QStringLiteral("ももちゃん"));
    QCOMPARE(lines[8], QString::number(pointGoal(typed).targetPoint.value()));
    QCOMPARE(lines.size(), 12);
    QCOMPARE(f.screen.windowTitle(), QStringLiteral("はなこの育児手帖"));
    QCOMPARE(recipes->windowTitle(), QStringLiteral("Popora  ～ はなこのレシピ"));
    QCOMPARE(f.value("lblLevel"), level);
    QCOMPARE(f.get<QLabel>("lblLevel")->accessibleName(), level);
    auto *bar = recipes->findChild<LevelBar *>(QStringLiteral("shpLevel"));
    for (int i = 1; i <= 10; ++i)
        QCOMPARE(bar->boxColor(i) != QColor(Qt::white), i <= boxesColoured);
}

void ProfileScreenTest::printsTheScreen()
{
    ProfileFixture f;
    const QString question =
        QStringLiteral("表示中の情報を印刷しますか？\r\n\r\n良かったらＯＫボタンを押してください");
    f.dialogs.expect(QStringLiteral("印刷確認"), question, Icon::Warning, Buttons::OkCancel, Answer::Ok,
                     Answer::Cancel);
    f.press("cmdPrint");
    QCOMPARE(f.printer.documents().size(), 0);
    f.dialogs.expect(QStringLiteral("印刷確認"), question, Icon::Warning, Buttons::OkCancel, Answer::Ok);
    f.press("cmdPrint");
    VERIFY_DIALOGS(f.dialogs);
    QCOMPARE(f.printer.documents().size(), 1);
    QCOMPARE(f.printer.documents()[0].name, QStringLiteral("プライベートデータ"));
    QCOMPARE(f.printer.images().size(), 1);
}

QTEST_MAIN(ProfileScreenTest)
#include "profile_screen_test.moc"
