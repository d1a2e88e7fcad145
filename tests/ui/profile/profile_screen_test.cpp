// The profile screen opened by "設定" on a copy of the sample notebook: its fields, calendar and
// print, every stop of the new-notebook command, the files it leaves and their dated copy, and
// the point-goal save with the titles and level bars.
#include "loaded_screen.h"
#include "ui/profile/profile_screen.h"
#include "ui/recipes/recipe_screen.h"
#include "ui/widgets/level_bar.h"
#include "user_actions.h"

#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

using Files = QMap<QString, QByteArray>;

namespace {

const QString MayGoOn = QStringLiteral("\r\n\r\nこのままで良かったらＯＫボタンを押してください");
const QString Required = QStringLiteral("\r\n\r\nここは必ず登録しておく必要があります。");
const QStringList FieldNames = {"txtNamae",   "txtUmare",  "txtPJikan", "txtPShincyo",
                                "txtPTaijyu", "txtPKyoui", "txtPToui",  "txtPoint"};
const QStringList Good = {"たろう", "2002/2/8", "10時5分", "50.5", "3,050", "32", "33", "140"};

// A box of the script in one text: "?" an OK/Cancel box answered OK, "x" answered Cancel, "!" a
// warning; then the title, "|" and the text ("*" for any text).
void expectBox(ScriptedDialogs &d, const QString &box)
{
    const QString title = box.mid(1).section(u'|', 0, 0), text = box.section(u'|', 1);
    const QString checked = text == QStringLiteral("*") ? QString() : text;
    if (box.startsWith(u'!'))
        return d.expectWarning(title, checked);
    d.expect(title, checked, Dialogs::Icon::Warning, Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel,
             box.startsWith(u'?') ? Dialogs::Answer::Ok : Dialogs::Answer::Cancel);
}

// Every file of a folder by relative path, the dated copies too when asked.
Files filesOf(const QString &dir, bool copies = true)
{
    Files all;
    for (QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        QFile f(it.next());
        const QString name = QDir(dir).relativeFilePath(f.fileName());
        if ((copies || !name.startsWith(QStringLiteral("バックアップ/"))) && f.open(QIODevice::ReadOnly))
            all.insert(name, f.readAll());
    }
    return all;
}

struct ProfileFixture : LoadedScreen {
    ProfileFixture()
    {
        setHelpTour(false);
        click(QStringLiteral("cmdPrivate"));
        profile = screen.profileScreen();
    }
    template <class T> T *get(const QString &name) const { return profile->findChild<T *>(name); }
    QString value(const QString &name) const
    {
        auto *box = get<QLineEdit>(name);
        return box ? box->text() : get<QLabel>(name)->text();
    }
    void type(const QString &name, const QString &text)
    {
        get<QLineEdit>(name)->clear();
        typeText(get<QLineEdit>(name), text);
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
    void failedWritesChangeNothing();
    void goalSave_data();
    void goalSave();
    void goalSaveRefusesANicknameTheFileCannotHold();
};

void ProfileScreenTest::opensWithTheProfileAndCalendar()
{
    ProfileFixture f;
    QVERIFY(f.profile->isVisible() && !f.profile->isModal());
    const QStringList shown = {"ももちゃん", "1995/02/15", "午前10時23分", "49.5",
                               "3012",       "32.0",       "33.5",         "140"};
    for (int i = 0; i < shown.size(); ++i)
        QCOMPARE(f.value(FieldNames[i]), shown[i]);
    QCOMPARE(f.value("lblPoint"), QString::number(f.notebook().recipes.totalPoint) + QStringLiteral(" P"));
    // Born 1995/02/15 (early born), seen on 2026/12/06: every event has passed.
    QCOMPARE(f.value("lblIvD3"), QStringLiteral("2001/04/01"));
    QCOMPARE(f.value("lblIvN10") + f.value("lblZengo10"), QStringLiteral("11587日経過"));
    QVERIFY2(staleLabels(f.profile).isEmpty(), qPrintable(staleLabels(f.profile).join(u'\n')));
    QCOMPARE(f.get<QLabel>("lblIvD3")->accessibleDescription(), QStringLiteral("小学校 入学"));
    if (qEnvironmentVariableIsSet("TECHO_SCREENSHOT_DIR"))
        QVERIFY(f.profile->grab().save(qEnvironmentVariable("TECHO_SCREENSHOT_DIR") + "/profile_screen.png"));

    // 印刷 asks with "を" (OK the default) and prints the window's image.
    f.dialogs.expect("印刷確認", "表示中の情報を印刷しますか？\r\n\r\n良かったらＯＫボタンを押してください",
                     Dialogs::Icon::Warning, Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok);
    f.press("cmdPrint");
    QCOMPARE(f.printer.documents()[0].name, QStringLiteral("プライベートデータ"));
    QCOMPARE(f.printer.images().size(), 1);

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
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("birthAfter");
    QTest::addColumn<QString>("focus");
    // One field changed (none for -1), the one box it brings, the birth date after it.
    auto row = [](const char *name, int field, const QString &value, const QString &box, const char *after) {
        QStringList values = Good;
        if (field >= 0)
            values[field] = value;
        QTest::newRow(name) << values << box << QString::fromUtf8(after) << FieldNames.value(field);
    };
    auto empty = [&](const char *name, int field, const char *caption, bool required) {
        const QString text = QString::fromUtf8(caption) + QStringLiteral("が未入力です。");
        row(name, field, QString(),
            (required ? "!入力確認|" + text + Required : "x入力確認|" + text + MayGoOn),
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
    row("a character CP932 cannot hold", 2, "10時5分한", "!入力確認|*", "2002/02/08");
    row("goal 0", 7, "0", "!入力確認|*", "2002/02/08");
    row("the last question: Cancel", -1, QString(),
        "x新規作成確認|これまでのデータを削除して『たろう』の育児手帖を作成します。\r\n\r\n"
        "良かったらＯＫボタンを押してください",
        "2002/02/08");
}

// Every stop leaves every file as it was and the program running.
void ProfileScreenTest::newNotebookStops()
{
    QFETCH(QStringList, values);
    QFETCH(QString, box);
    QFETCH(QString, birthAfter);
    QFETCH(QString, focus);
    ProfileFixture f;
    QSignalSpy ended(&f.screen, &DiaryScreen::programEnded);
    const Files before = filesOf(f.files.dir());
    f.fill(values);
    expectBox(f.dialogs, box);
    f.press("cmdHozon");
    VERIFY_DIALOGS(f.dialogs);
    QCOMPARE(filesOf(f.files.dir()), before);
    QVERIFY(ended.isEmpty() && f.profile->isVisible());
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
    expectBox(f.dialogs, "?入力確認|胸囲が未入力です。" + MayGoOn);
    expectBox(f.dialogs, "?新規作成確認|これまでのデータを削除して『たろう, 二世』の育児手帖を作成します。"
                         "\r\n\r\n良かったらＯＫボタンを押してください");
    f.dialogs.expectInformation("クリア終了",
                                "これまでのデータをクリアしました。（離乳食レシピはそのままです）\r\n"
                                "新規のデータを採用するため一旦プログラムを終了します。\r\n\r\n"
                                "次に起動したときから『たろう, 二世』の育児手帖がスタートします。\r\n\r\n"
                                "※出産初日のページは自動的に作られていますので、\r\n"
                                "　エピソードや思い出を記入して保存ボタンを押してみてくださいね。\r\n");
    f.press("cmdHozon");
    VERIFY_DIALOGS(f.dialogs);
    QVERIFY(ended.count() == 1 && !f.profile->isVisible());

    // Every file changed is in the dated copy as it was; everything else stays as it was.
    const Files after = filesOf(f.files.dir());
    const QStringList emptied = {"記念日.txt",   "参考資料.txt", "身長体重.txt",
                                 "贈りもの.txt", "頂きもの.txt", "予定.txt"};
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const QString &name = it.key();
        const bool golden = name == QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt") || name == QStringLiteral("日記.txt");
        const QByteArray expected = golden                   ? testDataBytes("profile/new_notebook/" + name)
                                    : emptied.contains(name) ? QByteArray()
                                                             : it.value();
        QVERIFY2(after.value(name) == expected, qPrintable(name));
        if (name.startsWith(QStringLiteral("予定")))
            qDebug() << after.keys() << after.value("バックアップ/20261206-0930/" + name).size()
                     << it.value().size();
        if (golden || emptied.contains(name))
            QVERIFY2(after.value("バックアップ/20261206-0930/" + name) == it.value(), qPrintable(name));
    }
    QCOMPARE(after.size(), before.size() + 8);

    // The next start reads the new child and one page.
    Notebook next(f.files.dir(), f.files.clock());
    next.readProfile();
    next.readDiary();
    QCOMPARE(next.diary.count(), 1);
    QCOMPARE(next.profile.nickname + QString::number(next.profile.targetPoint),
             QStringLiteral("たろう, 二世200"));
}

// No copy, no change: a file stands where the backup folder goes, and the program stays open.
// A write that fails half-way (予定.txt turned into a link to nowhere once three files are
// written): the files written before it are put back.
void ProfileScreenTest::failedWritesChangeNothing()
{
    ProfileFixture f;
    f.files.writeBytes(QStringLiteral("バックアップ"), "x");
    QSignalSpy ended(&f.screen, &DiaryScreen::programEnded);
    const Files before = filesOf(f.files.dir());
    f.fill(Good);
    expectBox(f.dialogs, QStringLiteral("?新規作成確認|*"));
    f.dialogs.expectWarning(QStringLiteral("書き込みエラー"));
    f.press("cmdHozon");
    VERIFY_DIALOGS(f.dialogs);
    QVERIFY(ended.isEmpty() && f.profile->isVisible());
    QCOMPARE(filesOf(f.files.dir()), before);

    // The new version of the last file cannot be written: none of the files changes.
    TestNotebook t;
    QVERIFY(QDir(t.dir()).mkpath(QStringLiteral("予定.txt.ikuji-techo-new")));
    FixedClock clock(QDate(2026, 12, 6));
    Notebook nb(t.dir(), clock);
    const Files expected = filesOf(t.dir());
    const WriteResult written = nb.startNewNotebook(QStringLiteral("たろう\r\n"), "2002/02/08", 50, 3000);
    QVERIFY2(!written.ok && written.error.endsWith(QStringLiteral("ファイルはどれも変えていません。")),
             qPrintable(written.error));
    QCOMPARE(filesOf(t.dir(), false), expected);
}

void ProfileScreenTest::goalSave_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("level"); // "" when the goal is refused
    QTest::addColumn<int>("boxesColoured");
    QTest::addColumn<QString>("line9");
    QTest::newRow("200 with 50 points") << "200"
                                        << "25.0 %" << 2 << "200";
    QTest::newRow("as typed") << "1000P"
                              << "5.0 %" << 0 << "1000P";
    QTest::newRow("full-width: the file gets ASCII") << "５０"
                                                     << "100.0 %" << 10 << "50";
    QTest::newRow("grouped by three") << "1,000"
                                      << "5.0 %" << 0 << "1000";
    QTest::newRow("a misplaced comma") << "1,00" << "" << 0 << " 140 ";
    for (const char *refused : {"0", "0.4", "abc", "", "-5", "40000"})
        QTest::newRow(refused) << QString::fromUtf8(refused) << "" << 0 << " 140 ";
}

// The nickname goes into every later profile write: one the file cannot hold changes nothing.
void ProfileScreenTest::goalSaveRefusesANicknameTheFileCannotHold()
{
    ProfileFixture f;
    const QByteArray before = f.files.bytes(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt"));
    auto *name = f.get<QLineEdit>(QStringLiteral("txtNamae"));
    name->clear();
    QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QStringLiteral("🍓"), Qt::NoModifier);
    typeText(name, QStringLiteral("ちゃん"));
    QCOMPARE(name->text(), QStringLiteral("🍓ちゃん"));
    f.dialogs.expectWarning(QStringLiteral("入力確認"));
    f.press(QStringLiteral("cmdHozon2"));
    VERIFY_DIALOGS(f.dialogs);
    QVERIFY(f.dialogs.shown().first().text.contains(QStringLiteral("🍓")));
    QCOMPARE(f.files.bytes(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")), before);
    QCOMPARE(f.screen.windowTitle(), QStringLiteral("ももちゃんの育児手帖"));
    QCOMPARE(f.notebook().profile.nickname, QStringLiteral("ももちゃん"));
}

void ProfileScreenTest::goalSave()
{
    QFETCH(QString, typed);
    QFETCH(QString, level);
    QFETCH(int, boxesColoured);
    QFETCH(QString, line9);
    ProfileFixture f;
    f.notebook().recipes.totalPoint = 50;
    const QString levelBefore = f.value("lblLevel");
    RecipeScreen *recipes = f.screen.recipeScreen();
    f.type("txtNamae", QStringLiteral("はなこ"));
    f.type("txtPoint", typed);
    if (level.isEmpty())
        f.dialogs.expectWarning(QStringLiteral("入力確認"));
    f.press("cmdHozon2");
    VERIFY_DIALOGS(f.dialogs);
    // Line 1 keeps the nickname held before the save; the titles take the one on the screen.
    const QStringList lines = f.files.text(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")).split(QStringLiteral("\r\n"));
    QCOMPARE(lines[0] + lines[8], QStringLiteral("ももちゃん") + line9);
    const QString nickname = level.isEmpty() ? QStringLiteral("ももちゃん") : QStringLiteral("はなこ");
    QCOMPARE(f.screen.windowTitle(), nickname + QStringLiteral("の育児手帖"));
    QCOMPARE(recipes->windowTitle(), QStringLiteral("Popora  ～ ") + nickname + QStringLiteral("のレシピ"));
    QCOMPARE(f.value("lblLevel"), level.isEmpty() ? levelBefore : level);
    auto *bar = recipes->findChild<LevelBar *>(QStringLiteral("shpLevel"));
    for (int i = 1; i <= 10 && !level.isEmpty(); ++i)
        QCOMPARE(bar->boxColor(i) != QColor(Qt::white), i <= boxesColoured);
}

QTEST_MAIN(ProfileScreenTest)
#include "profile_screen_test.moc"
