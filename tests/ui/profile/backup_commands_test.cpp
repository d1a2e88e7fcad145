// バックアップ and 復元 as the screens run them: the restore question says whose notebook and
// which days, and its Escape cancels; the target is chosen before any progress box; an empty
// folder takes a restore; the real boxes answer keys as the user presses them.
#include "core/backup/notebook_zip.h"
#include "core/text/cp932.h"
#include "core/notebook/diary_store.h"
#include "loaded_screen.h"
#include "scripted_dialogs.h"
#include "ui/profile/profile_screen.h"
#include "test_notebook.h"
#include "ui/profile/backup_commands.h"
#include "ui/widgets/qt_dialogs.h"
#include "user_actions.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QtTest>

namespace {

// The scripted seam, noting whether a progress box was up when a file box was asked.
class WatchedDialogs : public ScriptedDialogs
{
public:
    QString chooseFile(const QString &title, const QString &preset, const QString &filter,
                       FileUse use) override
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            progressBeforeChoice |= qobject_cast<QProgressDialog *>(w) && w->isVisible();
        return ScriptedDialogs::chooseFile(title, preset, filter, use);
    }
    bool progressBeforeChoice = false;
};

bool isVisibleBox(QWidget *w) { return w && w->isVisible(); }

} // namespace

class BackupCommandsTest : public QObject
{
    Q_OBJECT
private slots:
    void restoreAsChosen_data();
    void restoreAsChosen();
    void realBoxesAnswerKeys_data();
    void realBoxesAnswerKeys();
    void interruptedRestoreIsTold_data();
    void interruptedRestoreIsTold();
    void restoreOverShowsTheRestoredNotebook();
};

void BackupCommandsTest::restoreAsChosen_data()
{
    QTest::addColumn<QString>("choice");
    QTest::newRow("キャンセル") << "cancel";
    QTest::newRow("into an empty folder") << "empty folder";
    QTest::newRow("into a new folder") << "new folder";
    QTest::newRow("over the open notebook") << "over";
}

void BackupCommandsTest::restoreAsChosen()
{
    QFETCH(QString, choice);
    TestNotebook from, open;
    from.writeText(QStringLiteral("日記.txt"),
                   diaryRecordText(QStringLiteral("2026/01/02"), 50, 3000, QStringLiteral("はじめて")) +
                       diaryRecordText(QStringLiteral("2026/03/04"), 0, 0, QStringLiteral("笑った")));
    QTemporaryDir out;
    const QString zip = out.filePath(QStringLiteral("b.zip"));
    QVERIFY(notebook_zip::writeBackup(from.dir(), zip, false).ok);
    const QByteArray openDiary = open.bytes(QStringLiteral("日記.txt"));
    const QString target =
        out.filePath(choice == "new folder" ? QStringLiteral("新しい") : QStringLiteral("空"));
    if (choice == "empty folder")
        QVERIFY(QDir().mkpath(target));

    WatchedDialogs dialogs;
    dialogs.expectInput(QStringLiteral("復元する zip ファイル"), zip);
    const Dialogs::Answer answer = choice == "cancel" ? Dialogs::Answer::Cancel
                                   : choice == "over" ? Dialogs::Answer::Other
                                                      : Dialogs::Answer::Ok;
    dialogs.expect(QStringLiteral("復元"), QString(), Dialogs::Icon::Question,
                   Dialogs::Buttons::OkOtherCancel, Dialogs::Answer::Ok, answer);
    if (choice == "over") {
        dialogs.expect(QStringLiteral("復元"), QString(), Dialogs::Icon::Warning, Dialogs::Buttons::OkCancel,
                       Dialogs::Answer::Cancel, Dialogs::Answer::Ok);
        dialogs.expectInformation(QStringLiteral("復元"));
    } else if (choice != "cancel") {
        dialogs.expectInput(QStringLiteral("復元先のフォルダー（新しいフォルダーか空のフォルダー）"), target);
        dialogs.expectInformation(QStringLiteral("復元"));
    }
    QString opened;
    QWidget parent;
    backup_commands::restore(open.notebook(), dialogs, &parent, [&opened](const QString &f) { opened = f; });
    VERIFY_DIALOGS(dialogs);
    QVERIFY(dialogs.allShown());
    QVERIFY(!dialogs.progressBeforeChoice);

    const QString question = dialogs.shown().at(0).text;
    QVERIFY2(question.startsWith(QStringLiteral(
                 "「ももちゃん」の手帖です。\r\n日記：2026/01/02 から 2026/03/04 まで（2 日分）\r\n")),
             qPrintable(question));
    QVERIFY2(question.contains(QRegularExpression(QStringLiteral("個のファイル、[0-9.]+ [KM]B\r\n"))),
             qPrintable(question));
    QCOMPARE(dialogs.shown().at(0).otherText, QStringLiteral("今の手帖と置き換える"));

    if (choice == "cancel") {
        QCOMPARE(open.bytes(QStringLiteral("日記.txt")), openDiary);
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("b.zip")});
    } else if (choice == "over") {
        QCOMPARE(open.bytes(QStringLiteral("日記.txt")), from.bytes(QStringLiteral("日記.txt")));
        const QStringList kept =
            QDir(open.path(QStringLiteral("バックアップ"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(kept.size(), 1);
        QFile keptDiary(open.path(QStringLiteral("バックアップ/") + kept[0] + QStringLiteral("/日記.txt")));
        QVERIFY(keptDiary.open(QIODevice::ReadOnly));
        QCOMPARE(keptDiary.readAll(), openDiary);
        QVERIFY2(dialogs.shown().last().text.endsWith(
                     QStringLiteral("前のファイルは「バックアップ/%1」にあります。").arg(kept[0])),
                 qPrintable(dialogs.shown().last().text));
        QVERIFY(QDir(open.dir())
                    .entryList(QDir::Hidden | QDir::AllEntries)
                    .filter(QStringLiteral(".ikuji-techo"))
                    .isEmpty());
    } else {
        QCOMPARE(opened, target);
        QFile diary(target + QStringLiteral("/日記.txt"));
        QVERIFY(diary.open(QIODevice::ReadOnly));
        QCOMPARE(diary.readAll(), from.bytes(QStringLiteral("日記.txt")));
    }
}

void BackupCommandsTest::realBoxesAnswerKeys_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("typed");
    QTest::newRow("question: Escape cancels") << "question" << int(Qt::Key_Escape) << "";
    QTest::newRow("question: Enter takes the default") << "question" << int(Qt::Key_Return) << "";
    QTest::newRow("folder: a new name typed") << "folder" << int(Qt::Key_Return) << "新しい手帖";
    QTest::newRow("folder: an empty folder typed") << "folder" << int(Qt::Key_Return) << "空";
    QTest::newRow("folder: Escape cancels") << "folder" << int(Qt::Key_Escape) << "空";
}

// The real boxes of the restore, driven by keys at the control that has the focus.
void BackupCommandsTest::realBoxesAnswerKeys()
{
    QFETCH(QString, box);
    QFETCH(int, key);
    QFETCH(QString, typed);
    QTemporaryDir out;
    QVERIFY(QDir(out.path()).mkdir(QStringLiteral("空")));
    bool seen = false;
    QTimer::singleShot(300, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        seen = isVisibleBox(modal) && (box == "question" ? qobject_cast<QMessageBox *>(modal) != nullptr
                                                         : qobject_cast<QFileDialog *>(modal) != nullptr);
        if (!modal)
            return;
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : modal;
        if (!typed.isEmpty()) {
            QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
            typeText(focus, typed);
        }
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : modal, Qt::Key(key));
        // A box that did not close is closed, so the test goes on.
        QTimer::singleShot(300, [box = QPointer<QWidget>(modal)] {
            if (box && box->isVisible())
                box->close();
        });
    });
    QtDialogs dialogs;
    if (box == "question") {
        const Dialogs::Answer answer = dialogs.message(
            {QStringLiteral("復元"), QStringLiteral("どこに復元しますか？"), Dialogs::Icon::Question,
             Dialogs::Buttons::OkOtherCancel, Dialogs::Answer::Ok, QStringLiteral("新しいフォルダーに"),
             QStringLiteral("キャンセル"), QStringLiteral("今の手帖と置き換える")});
        QVERIFY(seen);
        QCOMPARE(answer, key == Qt::Key_Escape ? Dialogs::Answer::Cancel : Dialogs::Answer::Ok);
    } else {
        const QString chosen = dialogs.chooseFile(QStringLiteral("復元先"), out.filePath(QStringLiteral("b")),
                                                  QString(), Dialogs::FileUse::NewFolder);
        QVERIFY(seen);
        QCOMPARE(chosen, key == Qt::Key_Escape ? QString() : out.filePath(typed));
        QVERIFY(!QFileInfo::exists(out.filePath(QStringLiteral("新しい手帖")))); // nothing made by choosing
    }
}

void BackupCommandsTest::interruptedRestoreIsTold_data()
{
    QTest::addColumn<int>("what");
    QTest::addColumn<QString>("said");
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("nothing") << int(notebook_zip::Recovery::None) << "" << true;
    QTest::newRow("completed")
        << int(notebook_zip::Recovery::Completed)
        << "復元を最後まで済ませました。前の手帖のファイルは「バックアップ/20261206-0930」にあります。"
        << true;
    QTest::newRow("undone") << int(notebook_zip::Recovery::Undone) << "手帖は復元の前のままです。" << true;
    QTest::newRow("failed") << int(notebook_zip::Recovery::Failed) << "もう一度育児手帖を起動してください。"
                            << false;
}

void BackupCommandsTest::interruptedRestoreIsTold()
{
    QFETCH(int, what);
    QFETCH(QString, said);
    QFETCH(bool, goesOn);
    ScriptedDialogs dialogs;
    dialogs.setLenient(true);
    notebook_zip::Recovery r;
    r.what = notebook_zip::Recovery::What(what);
    r.kept = QStringLiteral("バックアップ/20261206-0930");
    QCOMPARE(backup_commands::tellInterruptedRestore(dialogs, r), goesOn);
    QCOMPARE(dialogs.shown().size(), said.isEmpty() ? 0 : 1);
    if (!said.isEmpty())
        QVERIFY2(dialogs.shown().first().text.endsWith(said), qPrintable(dialogs.shown().first().text));
}

// After a restore over the open notebook every screen shows the restored one: the page its last
// day (what was typed went with the old notebook), the count, the profile screen its child.
void BackupCommandsTest::restoreOverShowsTheRestoredNotebook()
{
    TestNotebook from;
    from.writeText(QStringLiteral("日記.txt"),
                   diaryRecordText(QStringLiteral("2026/01/02"), 50, 3000, QStringLiteral("はじめて")) +
                       diaryRecordText(QStringLiteral("2026/03/04"), 0, 0, QStringLiteral("笑った")));
    from.writeText(profileFileName(), from.text(profileFileName()).replace(QStringLiteral("ももちゃん"),
                                                                          QStringLiteral("ともくん")));
    QTemporaryDir out;
    const QString zip = out.filePath(QStringLiteral("b.zip"));
    QVERIFY(notebook_zip::writeBackup(from.dir(), zip, false).ok);

    LoadedScreen f;
    ProfileScreen *profile = f.showWithProfileScreen();
    QVERIFY(profile);
    auto *text = f.find<QPlainTextEdit>(QStringLiteral("txtDiary"));
    text->setFocus();
    typeText(QApplication::focusWidget(), QStringLiteral("消える行"));

    f.dialogs.expectInput(QStringLiteral("復元する zip ファイル"), zip);
    f.dialogs.expect(QStringLiteral("復元"), QString(), Dialogs::Icon::Question, Dialogs::Buttons::OkOtherCancel,
                     Dialogs::Answer::Ok, Dialogs::Answer::Other);
    f.dialogs.expect(QStringLiteral("復元"), QString(), Dialogs::Icon::Warning, Dialogs::Buttons::OkCancel,
                     Dialogs::Answer::Cancel, Dialogs::Answer::Ok);
    f.dialogs.expectInformation(QStringLiteral("復元"));
    profile->findChild<QPushButton *>(QStringLiteral("cmdRestore"))->click();
    VERIFY_DIALOGS(f.dialogs);
    QCOMPARE(text->toPlainText(), QStringLiteral("笑った"));
    QCOMPARE(f.find<QLabel>(QStringLiteral("lblDayNo"))->text(), QStringLiteral("2 / 2 日"));
    QCOMPARE(profile->findChild<QLineEdit *>(QStringLiteral("txtNamae"))->text(), QStringLiteral("ともくん"));
    QCOMPARE(f.screen.windowTitle(), QStringLiteral("ともくんの育児手帖"));
}

QTEST_MAIN(BackupCommandsTest)
#include "backup_commands_test.moc"
