// The notebook open on this computer while another computer's changes arrive through the
// synced folder: the screens follow within moments, a typed page keeps what is typed, and
// its save keeps the other computer's day; the program's own saves are not taken for changes.
#include "core/common/file_names.h"
#include "loaded_screen.h"
#include "ui/shell/outside_watch.h"
#include "user_actions.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QtTest>

class TwoComputersTest : public QObject
{
    Q_OBJECT
private slots:
    void typedPageKeptWhileTheOtherDayArrives();
    void untypedPageShowsTheOtherText();
};

namespace {

QString day(const QString &date, const QString &text) { return diaryRecordText(date, 0, 0, text); }

void expectSaved(ScriptedDialogs &dialogs)
{
    dialogs.expect(QStringLiteral("変更登録確認"), QStringLiteral("既存の日付です。変更して書き込みます。"),
                   Dialogs::Icon::Information, Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok);
    dialogs.expectInformation(QStringLiteral("書き込み終了"), QStringLiteral("日記に書き込みました。"));
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

QTEST_MAIN(TwoComputersTest)
#include "two_computers_test.moc"
