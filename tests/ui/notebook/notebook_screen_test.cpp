// The notebook screen: start-up order and greetings, the help tour switch, the panels, the end
// of the program, and names for screen readers.
#include "core/book/notebook.h"
#include "core/book/notebook_setup.h"
#include "core/text/cp932.h"
#include "scripted_dialogs.h"
#include "test_notebook.h"
#include "ui/profile/profile_screen.h"
#include "ui/recipes/recipe_screen.h"
#include "ui/shell/diary_screen.h"
#include "ui/shell/help_window.h"
#include "ui/shell/startup.h"
#include "ui/widgets/qt_printer.h"
#include "user_actions.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

namespace {

const QString Welcome =
    QStringLiteral("＼(^o^)／　ももちゃんの育児手帖にようこそ！\r\n\r\n"
                   "まずはサンプルデータでどんなことができるのかをいろんなボタンを押してご覧ください。\r\n"
                   "ご自身のデータでスタートするときは『設定』ボタンを押してみてください。\r\n\r\n");
const QString FirstDay =
    QStringLiteral("出産当日のページを自動的に作成しました。\r\n\r\n"
                   "なんでも日記に出産時のエピソードや思い出を記入して『保存』ボタンを押してください。\r\n"
                   "産まれた日ですから「記念日」として登録するのもいいですね。\r\n"
                   "写真画像があれば「なんでも日記」見出しをダブルクリックして画像も登録しましょう！\r\n\r\n"
                   "２日目以降の日記を作るときには「新規」ボタンを押してください。\r\n\r\n"
                   "いろんな思い出を記録していきましょう！\r\n");

QWidget *topLevel(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

QString oneDay(const QString &date)
{
    return QStringLiteral("*******************************\r\n【日付】%"
                          "1\r\n【身長】50\r\n【体重】3000\r\n【日記】\r\n'\r\n")
        .arg(date);
}

QMap<QString, QByteArray> folderBytes(const QString &dir)
{
    QMap<QString, QByteArray> m;
    for (const QString &name : QDir(dir).entryList(QDir::Files)) {
        QFile f(dir + u'/' + name);
        f.open(QIODevice::ReadOnly);
        m.insert(name, f.readAll());
    }
    return m;
}

} // namespace

class NotebookScreenTest : public QObject
{
    Q_OBJECT
private slots:
    void sampleStartsInOrderWithWelcome();
    void greetings_data();
    void greetings();
    void splashWaitsElapsedTime();
    void filesReadDuringTheWaitAreToldInOrder();
    void helpTourSwitch();
    void panelsOneAtATime();
    void endsTheProgram();
    void everyControlHasANameAndLabel();
    void missingFilesAreCreatedAndNothingIsRewritten();
    void folderChoice();
    void firstStartAsksForTheChildsOwnNotebook();
    void f1OpensTheHelpOfWhatIsShown_data();
    void f1OpensTheHelpOfWhatIsShown();
};

void NotebookScreenTest::sampleStartsInOrderWithWelcome()
{
    setUpApplication(*qobject_cast<QApplication *>(QCoreApplication::instance())); // names, fonts, locale
    TestNotebook t;
    const auto before = folderBytes(t.dir());
    ScriptedDialogs dialogs;
    QtPrinter printer(t.dir());
    bool checked = false;
    dialogs.onMessage = [&](const Dialogs::Box &) {
        // At the greeting the notebook is shown, the splash still open behind it, and the
        // recipe screen loaded but hidden, with its title from the profile.
        auto *screen = qobject_cast<DiaryScreen *>(topLevel(QStringLiteral("frmDiary")));
        QVERIFY(screen && screen->isVisible());
        QCOMPARE(screen->windowTitle(), QStringLiteral("ももちゃんの育児手帖"));
        // No display name for the window system to add to every title.
        QCOMPARE(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
        QWidget *splash = topLevel(QStringLiteral("frmSplash"));
        QVERIFY(splash && splash->isVisible());
        QCOMPARE(splash->findChild<QLabel *>(QStringLiteral("lblNamae"))->text(),
                 QStringLiteral("ももちゃんの"));
        QVERIFY(screen->recipeScreenLoaded());
        QVERIFY(!screen->recipeScreen()->isVisible());
        QCOMPARE(screen->recipeScreen()->windowTitle(), QStringLiteral("Popora  ～ ももちゃんのレシピ"));
        // The tour is on in the sample, yet the load showed no tour box and the switch is ticked.
        QVERIFY(screen->findChild<QCheckBox *>(QStringLiteral("chkHelp"))->isChecked());
        checked = true;
    };
    dialogs.expectInformation(QStringLiteral("ようこそ！"), Welcome);
    std::unique_ptr<DiaryScreen> screen(runStartup(t.notebook(), dialogs, printer, QString(), 0));
    VERIFY_DIALOGS(dialogs);
    QVERIFY(checked);
    QVERIFY(!topLevel(QStringLiteral("frmSplash")) || !topLevel(QStringLiteral("frmSplash"))->isVisible());
    QCOMPARE(t.notebook().diary.count(), 60);
    QCOMPARE(folderBytes(t.dir()), before); // opening a notebook writes nothing
}

void NotebookScreenTest::greetings_data()
{
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<QString>("goal");
    QTest::addColumn<QString>("diary");
    QTest::addColumn<QStringList>("titles");
    const QString sampleDays = QString(); // keep the sample diary
    QTest::newRow("goal 150 is not the sample") << "ももちゃん"
                                                << " 150 " << sampleDays << QStringList();
    QTest::newRow("another child") << "たろう"
                                   << " 140 " << sampleDays << QStringList();
    QTest::newRow("sample with one day") << "ももちゃん"
                                         << " 140 " << oneDay(QStringLiteral("1995/02/15"))
                                         << QStringList{"ようこそ！", "育児日記の初日です。"};
    QTest::newRow("new notebook") << "たろう"
                                  << "100" << oneDay(QStringLiteral("2026/11/30"))
                                  << QStringList{"育児日記の初日です。"};
}

void NotebookScreenTest::greetings()
{
    QFETCH(QString, nickname);
    QFETCH(QString, goal);
    QFETCH(QString, diary);
    QFETCH(QStringList, titles);
    TestNotebook t;
    t.writeText(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt"),
                nickname + QStringLiteral("\r\n1995/02/15\r\n\r\n50\r\n3000\r\n\r\n\r\n\r\n") + goal +
                    QStringLiteral("\r\n写真表示\r\n写真表示\r\n"));
    if (!diary.isEmpty())
        t.writeText(QStringLiteral("日記.txt"), diary);
    ScriptedDialogs dialogs;
    for (const QString &title : titles)
        dialogs.expectInformation(title, title == QStringLiteral("ようこそ！") ? Welcome : FirstDay);
    QString splashName;
    dialogs.onMessage = [&](const Dialogs::Box &) {
        splashName =
            topLevel(QStringLiteral("frmSplash"))->findChild<QLabel *>(QStringLiteral("lblNamae"))->text();
    };
    QtPrinter printer(t.dir());
    std::unique_ptr<DiaryScreen> screen(runStartup(t.notebook(), dialogs, printer, QString(), 0));
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(screen->windowTitle(), nickname + QStringLiteral("の育児手帖"));
    if (!titles.isEmpty())
        QCOMPARE(splashName, nickname + QStringLiteral("の"));
}

void NotebookScreenTest::splashWaitsElapsedTime()
{
    TestNotebook t;
    ScriptedDialogs dialogs;
    dialogs.setLenient(true);
    QtPrinter printer(t.dir());
    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<DiaryScreen> screen(runStartup(t.notebook(), dialogs, printer, QString(), 300));
    QVERIFY(timer.elapsed() >= 300);
}

// The files are read while the splash waits, yet what they show is told in the load's order:
// a damaged diary's warning before the window shows, then the welcome over it; the recipe
// screen's tables are loaded, its window is made only when it is asked for.
void NotebookScreenTest::filesReadDuringTheWaitAreToldInOrder()
{
    TestNotebook t;
    QString diary = t.text(QStringLiteral("日記.txt"));
    diary.insert(diary.indexOf(QStringLiteral("'\r\n")) + 3, QStringLiteral("\r\n"));
    t.writeText(QStringLiteral("日記.txt"), diary);
    ScriptedDialogs dialogs;
    dialogs.expectWarning(QStringLiteral("日記の読み込み"));
    dialogs.expectInformation(QStringLiteral("ようこそ！"), Welcome);
    QList<bool> windowShown;
    dialogs.onMessage = [&](const Dialogs::Box &) {
        QWidget *screen = topLevel(QStringLiteral("frmDiary"));
        windowShown.append(screen && screen->isVisible());
        QVERIFY(topLevel(QStringLiteral("frmSplash"))->isVisible());
    };
    QtPrinter printer(t.dir());
    std::unique_ptr<DiaryScreen> screen(runStartup(t.notebook(), dialogs, printer, QString(), 50));
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(windowShown, (QList<bool>{false, true}));
    QCOMPARE(t.notebook().diary.count(), 60);
    QCOMPARE(t.notebook().recipes.totalPoint, qint16(124));
    QVERIFY(!topLevel(QStringLiteral("frmMain")));
    QVERIFY(screen->recipeScreenLoaded());
}

void NotebookScreenTest::helpTourSwitch()
{
    TestNotebook t;
    t.writeText(QStringLiteral("設定.txt"), QStringLiteral("\"ヘルプツアー\",0\r\n"));
    ScriptedDialogs dialogs;
    dialogs.expectInformation(QStringLiteral("ようこそ！"));
    QtPrinter printer(t.dir());
    DiaryScreen screen(t.notebook(), dialogs, printer, QString());
    screen.load();
    VERIFY_DIALOGS(dialogs);
    auto *chk = screen.findChild<QCheckBox *>(QStringLiteral("chkHelp"));
    QVERIFY(!chk->isChecked());

    // Off: a panel command goes without a box.
    screen.findChild<QPushButton *>(QStringLiteral("cmdDiary"))->click();
    VERIFY_DIALOGS(dialogs);

    dialogs.expectInformation(QStringLiteral("ヘルプツアーＯＮ"),
                              QStringLiteral("ヘルプツアー機能をオンにします。"));
    chk->click();
    QCOMPARE(t.bytes(QStringLiteral("設定.txt")),
             cp932::encode(QStringLiteral("\"ヘルプツアー\",1\r\n")).bytes);
    dialogs.expectInformation(
        QStringLiteral("ヘルプツアー"),
        QStringLiteral("育児日記のメイン画面です。\r\n\r\n"
                       "身長・体重を残したり、日記を記録を残すことができます。\r\n\r\n"
                       "また、特別な日を記念日としてリストに表示することができたり、\r\n"
                       "指定した文字が含まれる日記を簡単に検索することができます。\r\n\r\n"
                       "デジカメをお持ちなら１日あたり６枚までの写真を登録、表示させることができます。\r\n"));
    screen.findChild<QPushButton *>(QStringLiteral("cmdDiary"))->click();
    dialogs.expectInformation(
        QStringLiteral("ヘルプツアー"),
        QStringLiteral("離乳食用のレシピ機能です。\r\n\r\n画像付きの楽しいレシピを作ることができます。"));
    screen.findChild<QPushButton *>(QStringLiteral("cmdRinyu"))->click();
    QVERIFY(screen.recipeScreen()->isVisible());
    // A screen reader's toggle action does what a click does.
    dialogs.expectInformation(QStringLiteral("ヘルプツアーＯＦＦ"),
                              QStringLiteral("ヘルプツアー機能をオフにします。"));
    QAccessible::queryAccessibleInterface(chk)->actionInterface()->doAction(
        QAccessibleActionInterface::toggleAction());
    QVERIFY(!chk->isChecked());
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(t.bytes(QStringLiteral("設定.txt")),
             QByteArray("\"\x83\x77\x83\x8b\x83\x76\x83\x63\x83\x41\x81\x5b\",0\r\n"));
}

void NotebookScreenTest::panelsOneAtATime()
{
    TestNotebook t;
    t.writeText(QStringLiteral("設定.txt"), QStringLiteral("\"ヘルプツアー\",0\r\n"));
    ScriptedDialogs dialogs;
    dialogs.setLenient(true);
    QtPrinter printer(t.dir());
    DiaryScreen screen(t.notebook(), dialogs, printer, QString());
    screen.load();
    const QStringList buttons = {"cmdGraph", "cmdList",  "cmdYotei", "cmdItadaki",
                                 "cmdPhoto", "cmdDiary", "cmdNew"};
    const QStringList shown = {"fraGraph", "fraList",  "fraYotei", "fraItadaki",
                               "fraPhoto", "fraDiary", "fraDiary"};
    auto visible = [&] {
        QStringList v;
        for (QFrame *p : screen.panels())
            if (p->isVisibleTo(&screen))
                v.append(p->objectName());
        return v;
    };
    QCOMPARE(visible(), QStringList{QStringLiteral("fraDiary")});
    for (int i = 0; i < buttons.size(); ++i) {
        screen.findChild<QPushButton *>(buttons[i])->click();
        QCOMPARE(visible(), QStringList{shown[i]});
    }
}

void NotebookScreenTest::endsTheProgram()
{
    TestNotebook t;
    ScriptedDialogs dialogs;
    dialogs.setLenient(true);
    QtPrinter printer(t.dir());
    {
        DiaryScreen screen(t.notebook(), dialogs, printer, QStringLiteral(TECHO_SOURCE_DIR "/help"));
        screen.load();
        QSignalSpy ended(&screen, &DiaryScreen::programEnded);
        screen.findChild<QPushButton *>(QStringLiteral("cmdHelp"))->click();
        QWidget *help = topLevel(QStringLiteral("frmHelp"));
        QVERIFY(help && help->isVisible());
        screen.findChild<QPushButton *>(QStringLiteral("cmdEnd"))->click();
        QCOMPARE(ended.count(), 1);
        QVERIFY(!screen.isVisible());
        QTRY_VERIFY(!topLevel(QStringLiteral("frmHelp")));
    }
    {
        // The close box with the recipe screen open ends the program too.
        DiaryScreen screen(t.notebook(), dialogs, printer, QString());
        screen.load();
        QSignalSpy ended(&screen, &DiaryScreen::programEnded);
        screen.findChild<QPushButton *>(QStringLiteral("cmdRinyu"))->click();
        QVERIFY(screen.recipeScreen()->isVisible());
        screen.close();
        QCOMPARE(ended.count(), 1);
        QVERIFY(!screen.recipeScreen()->isVisible());
    }
}

void NotebookScreenTest::everyControlHasANameAndLabel()
{
    TestNotebook t;
    ScriptedDialogs dialogs;
    dialogs.setLenient(true);
    QtPrinter printer(t.dir());
    DiaryScreen screen(t.notebook(), dialogs, printer, QString());
    screen.load();
    QStringList missing;
    const QList<QWidget *> all = screen.findChildren<QWidget *>();
    for (QWidget *w : all) {
        const bool control = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w) ||
                             qobject_cast<QComboBox *>(w) || qobject_cast<QPlainTextEdit *>(w) ||
                             qobject_cast<QListWidget *>(w) || qobject_cast<QTableView *>(w) ||
                             qobject_cast<QScrollBar *>(w) || qobject_cast<QAbstractSpinBox *>(w);
        // The parts of a box are named by the box.
        if (!control || qobject_cast<QLineEdit *>(w->parentWidget()) ||
            qobject_cast<QComboBox *>(w->parentWidget()) ||
            qobject_cast<QAbstractSpinBox *>(w->parentWidget()))
            continue;
        if (w->inherits("QScrollBar") && w->objectName().isEmpty())
            continue; // the scroll bars inside lists and grids
        if (w->inherits("QAbstractButton") && w->parentWidget() && w->parentWidget()->inherits("QTableView"))
            continue; // a grid's corner button
        if (w->objectName().isEmpty() || w->accessibleName().isEmpty())
            missing.append(
                QStringLiteral("%1 '%2' '%3'")
                    .arg(QLatin1String(w->metaObject()->className()), w->objectName(), w->accessibleName()));
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u'\n')));
    // A screen reader is told of a frame, and every label with a text reads its current text.
    QCOMPARE(QAccessible::queryAccessibleInterface(&screen)->role(), QAccessible::Window);
    screen.findChild<QScrollBar *>(QStringLiteral("hsbDay"))->setValue(1);
    QVERIFY(!screen.findChild<QLabel *>(QStringLiteral("lblDayNo"))->text().isEmpty());
    QVERIFY2(staleLabels(&screen).isEmpty(), qPrintable(staleLabels(&screen).join(u'\n')));
    // Text and combo boxes have their label as buddy.
    QSet<QWidget *> buddies;
    for (QLabel *l : screen.findChildren<QLabel *>())
        if (l->buddy())
            buddies.insert(l->buddy());
    for (const char *name : {"cboDay", "txtShincyo", "txtTaijyu", "txtKensaku"})
        QVERIFY2(buddies.contains(screen.findChild<QWidget *>(QLatin1String(name))), name);
    // The diary's caption imports a picture: a command, no longer the text's label; the text
    // keeps the caption as its name.
    auto *diary = screen.findChild<QWidget *>(QStringLiteral("txtDiary"));
    QVERIFY(!buddies.contains(diary));
    QCOMPARE(QAccessible::queryAccessibleInterface(diary)->text(QAccessible::Name),
             QStringLiteral("なんでも日記"));
    // Picture-only controls are named by their tooltips.
    auto *chk = screen.findChild<QCheckBox *>(QStringLiteral("chkHelp"));
    QCOMPARE(chk->accessibleName(), chk->toolTip());
    QCOMPARE(screen.findChild<QPushButton *>(QStringLiteral("cmdTouroku"))->toolTip(),
             QStringLiteral("表示中の日記を保存します (F3)"));
}

void NotebookScreenTest::missingFilesAreCreatedAndNothingIsRewritten()
{
    QTemporaryDir dir;
    NotebookFolder folder(dir.path());
    // An existing file written on Windows with an upper-case name is left as it is.
    QFile upper(dir.path() + QStringLiteral("/日記.TXT"));
    QVERIFY(upper.open(QIODevice::WriteOnly));
    upper.close();
    notebook_setup::createMissingFiles(folder, sampleNotebookDir());
    QCOMPARE(folder.readAll(QStringLiteral("設定.txt")),
             cp932::encode(QStringLiteral("\"ヘルプツアー\",1\r\n")).bytes);
    QCOMPARE(folder.readAll(QStringLiteral("グラフ.txt")),
             QByteArray(" 40 \r\n 100 \r\n 2000 \r\n 16000 \r\n"));
    for (const char *name : {"ﾌﾟﾗｲﾍﾞｰﾄ.txt", "予定.txt", "記念日.txt", "贈りもの.txt", "頂きもの.txt",
                             "写真見出し.txt", "レシピ.txt", "参考資料.txt", "NOPIC.JPG"})
        QVERIFY2(folder.exists(QString::fromUtf8(name)), name);
    QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/日記.txt")));

    // The empty notebook starts without failing and without a greeting.
    FixedClock clock(QDate(2026, 12, 6));
    Notebook nb(dir.path(), clock);
    ScriptedDialogs dialogs;
    QtPrinter printer(dir.path());
    std::unique_ptr<DiaryScreen> screen(runStartup(nb, dialogs, printer, QString(), 0));
    VERIFY_DIALOGS(dialogs);
    QCOMPARE(nb.diary.count(), 0);
    QCOMPARE(nb.profile.targetPoint, qint16(100));
}

void NotebookScreenTest::folderChoice()
{
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    QCOMPARE(notebook_setup::perUserFolder(), dir.path() + QStringLiteral("/ikuji-techo"));
    QCOMPARE(notebook_setup::chooseFolder({dir.path()}, sampleNotebookDir()), dir.path());
    QCOMPARE(notebook_setup::chooseFolder({}, sampleNotebookDir()),
             QFileInfo(sampleNotebookDir()).absoluteFilePath());
    QCOMPARE(notebook_setup::chooseFolder({}, dir.path()), notebook_setup::perUserFolder());
    QString error;
    QVERIFY(notebook_setup::createFromSample(notebook_setup::perUserFolder(), sampleNotebookDir(), &error));
    QCOMPARE(folderBytes(notebook_setup::perUserFolder()), folderBytes(sampleNotebookDir()));

    // A folder given that holds no notebook is filled only when the user agrees.
    QTemporaryDir other;
    ScriptedDialogs ask;
    for (Dialogs::Answer answer : {Dialogs::Answer::Cancel, Dialogs::Answer::Ok})
        ask.expect(programTitle(), QString(), Dialogs::Icon::Question, Dialogs::Buttons::OkCancel,
                   Dialogs::Answer::Cancel, answer);
    std::unique_ptr<QLockFile> lock;
    QCOMPARE(prepareNotebookFolder(other.path(), ask, lock, &error), QString());
    QCOMPARE(error, QString());
    QVERIFY(QDir(other.path()).isEmpty());
    QCOMPARE(prepareNotebookFolder(other.path(), ask, lock, &error), other.path());
    QVERIFY(notebook_setup::holdsNotebook(other.path()));
    VERIFY_DIALOGS(ask);
}

// The sample's child was born in 1995: the first start asks. Either answer opens a copy of the
// sample titled 見本 and leaves no per-user folder; the own notebook opens the profile screen,
// emptied for the child's data (no countdowns, no points), without the sample's welcome.
// Saving the profile makes the child's notebook in the per-user folder, with nothing of the
// sample's child (its recipes only when asked, without their history); leaving it makes none.
void NotebookScreenTest::firstStartAsksForTheChildsOwnNotebook()
{
    QTemporaryDir data;
    QTemporaryDir copies;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    const QString perUser = notebook_setup::perUserFolder();
    for (Dialogs::Answer answer : {Dialogs::Answer::Cancel, Dialogs::Answer::Ok}) {
        const bool own = answer == Dialogs::Answer::Ok;
        ScriptedDialogs dialogs;
        dialogs.expect(QStringLiteral("育児手帖へようこそ"), QString(), Dialogs::Icon::Question,
                       Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok, answer);
        std::unique_ptr<QLockFile> lock;
        QString error;
        FirstStart first = FirstStart::No;
        const QString copy = copies.filePath(own ? QStringLiteral("見本2") : QStringLiteral("見本"));
        const QString dir = prepareNotebookFolder(QString(), dialogs, lock, &error, &first, [&] { return copy; });
        QCOMPARE(dialogs.shown().first().okText, QStringLiteral("自分の手帖を作る"));
        QCOMPARE(dialogs.shown().first().cancelText, QStringLiteral("見本を見る"));
        QCOMPARE(dir, copy);
        QCOMPARE(int(first), int(own ? FirstStart::OwnNotebook : FirstStart::Sample));
        QVERIFY(!QFileInfo::exists(perUser));
        QVERIFY(notebook_setup::holdsNotebook(dir));

        FixedClock clock(QDate(2026, 12, 6));
        Notebook nb(dir, clock);
        QtPrinter printer(dir);
        if (own)
            dialogs.expectInformation(QStringLiteral("育児手帖の作成"));
        else
            dialogs.expectInformation(QStringLiteral("ようこそ！"), Welcome);
        std::unique_ptr<DiaryScreen> screen(runStartup(nb, dialogs, printer, QString(), 0, first));
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(screen->windowTitle(), QStringLiteral("ももちゃんの育児手帖（見本）"));
        QCOMPARE(screen->profileScreen() != nullptr, own);
        if (!own) {
            // Looking at the sample, then 設定: the profile screen makes the new notebook.
            dialogs.expectInformation(QStringLiteral("ヘルプツアー"));
            screen->findChild<QPushButton *>(QStringLiteral("cmdPrivate"))->click();
            QVERIFY(screen->profileScreen());
        }
        ProfileScreen *profile = screen->profileScreen();
        profile->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(profile));
        const auto box = [profile](const char *name) {
            return profile->findChild<QLineEdit *>(QLatin1String(name));
        };
        if (own) {
            QCOMPARE(box("txtNamae")->text(), QString());
            QCOMPARE(profile->findChild<QLabel *>(QStringLiteral("lblPoint"))->text(), QString());
        }
        const QList<std::pair<const char *, QString>> typed = {
            {"txtNamae", QStringLiteral("りく")},       {"txtUmare", QStringLiteral("2026/11/20")},
            {"txtPJikan", QStringLiteral("10:05")},    {"txtPShincyo", QStringLiteral("49.5")},
            {"txtPTaijyu", QStringLiteral("3100")},    {"txtPKyoui", QStringLiteral("32")},
            {"txtPToui", QStringLiteral("33")}};
        for (const auto &[name, value] : typed) {
            box(name)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            typeText(QApplication::focusWidget(), value);
        }
        dialogs.expect(QStringLiteral("新規作成確認"), QStringLiteral("『りく』の育児手帖を作成します。"
                                                                 "\r\n\r\n良かったらＯＫボタンを押してください"),
                       Dialogs::Icon::Question, Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok);
        dialogs.expect(QStringLiteral("離乳食レシピ"), QString(), Dialogs::Icon::Question, Dialogs::Buttons::OkCancel,
                       Dialogs::Answer::Ok, own ? Dialogs::Answer::Cancel : Dialogs::Answer::Ok);
        dialogs.expectInformation(QStringLiteral("育児手帖の作成"));
        QSignalSpy ended(profile, &ProfileScreen::programEndRequested);
        profile->findChild<QPushButton *>(QStringLiteral("cmdHozon"))->click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(ended.size(), 1);

        // The child's own notebook, where the next start opens it.
        QVERIFY(notebook_setup::holdsNotebook(perUser));
        FixedClock later(QDate(2026, 12, 7));
        Notebook made(perUser, later);
        made.readProfile();
        made.readDiary();
        made.loadRecipes();
        QCOMPARE(made.profile.nickname, QStringLiteral("りく"));
        QCOMPARE(made.diary.count(), 1);
        QCOMPARE(made.diary.day(1).date, QStringLiteral("2026/11/20"));
        QVERIFY(made.files.read(anniversaryFileName()).isEmpty());
        QVERIFY(made.files.read(scheduleFileName()).isEmpty());
        QCOMPARE(made.recipes.count(), own ? 0 : nb.recipes.count());
        for (int p = 1; p <= made.recipes.count(); ++p) {
            QCOMPARE(made.recipes.recipe(p).history, QString());
            QCOMPARE(made.recipes.recipe(p).selfEval, QStringLiteral("未"));
        }
        QVERIFY(!QDir(perUser).entryList({QStringLiteral("Photo*")}, QDir::Files).size());
        QCOMPARE(prepareNotebookFolder(QString(), dialogs, lock, &error, &first, [&] { return QString(); }), perUser);
        QVERIFY(QDir(perUser).removeRecursively());
    }
    // Leaving the form without saving makes nothing: the next start asks again.
    ScriptedDialogs again;
    again.expect(QStringLiteral("育児手帖へようこそ"), QString(), Dialogs::Icon::Question,
                 Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok, Dialogs::Answer::Cancel);
    std::unique_ptr<QLockFile> lock;
    QString error;
    FirstStart first = FirstStart::No;
    QCOMPARE(prepareNotebookFolder(QString(), again, lock, &error, &first,
                                   [&] { return copies.filePath(QStringLiteral("x")); }),
             copies.filePath(QStringLiteral("x")));
    VERIFY_DIALOGS(again);
}

void NotebookScreenTest::f1OpensTheHelpOfWhatIsShown_data()
{
    QTest::addColumn<QString>("button"); // what the user clicked before F1
    QTest::addColumn<QString>("page");
    QTest::newRow("diary") << "cmdDiary"
                           << "diary.html";
    QTest::newRow("growth") << "cmdGraph"
                            << "panels.html#graph";
    QTest::newRow("schedule") << "cmdYotei"
                              << "panels.html#yotei";
    QTest::newRow("gifts") << "cmdItadaki"
                           << "panels.html#gift";
    QTest::newRow("recipe screen") << "cmdRinyu"
                                   << "recipes.html";
}

void NotebookScreenTest::f1OpensTheHelpOfWhatIsShown()
{
    QFETCH(QString, button);
    QFETCH(QString, page);
    TestNotebook t;
    t.writeText(QStringLiteral("設定.txt"), QStringLiteral("\"ヘルプツアー\",0\r\n"));
    ScriptedDialogs dialogs;
    dialogs.setLenient(true);
    QtPrinter printer(t.dir());
    DiaryScreen screen(t.notebook(), dialogs, printer, notebook_setup::helpDir());
    screen.load();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    screen.findChild<QPushButton *>(button)->click();
    QWidget *front = &screen;
    if (screen.recipeScreenLoaded() && screen.recipeScreen()->isVisible())
        front = screen.recipeScreen();
    QApplication::setActiveWindow(front);
    QTest::keyClick(front, Qt::Key_F1);
    QCOMPARE(screen.helpWindows().size(), 1);
    const QUrl shown = screen.helpWindows().first()->source();
    QCOMPARE(shown.fileName() + (shown.hasFragment() ? u'#' + shown.fragment() : QString()), page);
    screen.helpWindows().first()->close();
}

QTEST_MAIN(NotebookScreenTest)
#include "notebook_screen_test.moc"
