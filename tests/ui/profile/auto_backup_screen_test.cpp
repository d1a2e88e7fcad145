// The automatic backup as the user meets it: switched on from the profile screen (a folder in
// the notebook refused, the folder chosen through the file box, the number kept typed), the
// zip written when the notebook screen closes, and a failure at close told by the next start.
#include "core/backup/auto_backup.h"
#include "core/backup/notebook_zip.h"
#include "loaded_screen.h"
#include "ui/profile/profile_screen.h"
#include "ui/shell/startup.h"
#include "user_actions.h"

#include <QCheckBox>
#include <QLabel>
#include <QLockFile>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>

namespace {

const QString FolderBox = QStringLiteral("自動バックアップの保存先のフォルダー");

QWidget *focused() { return QApplication::focusWidget(); }

} // namespace

class AutoBackupScreenTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void switchedOnFromTheProfileScreen();
    void failureAtCloseToldAtNextStart();

private:
    QTemporaryDir m_settings;
};

void AutoBackupScreenTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
}

void AutoBackupScreenTest::switchedOnFromTheProfileScreen()
{
    LoadedScreen f;
    f.setHelpTour(false);
    QTemporaryDir out;
    f.screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.screen));
    QTest::mouseClick(f.find<QPushButton>(QStringLiteral("cmdPrivate")), Qt::LeftButton);
    ProfileScreen *profile = f.screen.profileScreen();
    QVERIFY(profile);
    QTRY_COMPARE(QApplication::activeWindow(), profile);
    auto *on = profile->findChild<QCheckBox *>(QStringLiteral("chkAutoBackup"));
    auto *keep = profile->findChild<QSpinBox *>(QStringLiteral("spnAutoBackupKeep"));
    auto *folder = profile->findChild<QLabel *>(QStringLiteral("lblAutoBackupFolder"));
    QVERIFY(on && keep && folder);
    QVERIFY(!on->isChecked());
    QCOMPARE(keep->value(), 10);
    QCOMPARE(folder->text(), QStringLiteral("（保存先はまだ選んでいません）"));

    // A folder inside the notebook: refused, and the box stays off with nothing made.
    const QString inside = f.files.path(QStringLiteral("控え"));
    f.dialogs.expectInput(FolderBox, inside);
    f.dialogs.expectWarning(
        QStringLiteral("自動バックアップ"),
        QStringLiteral("手帖のフォルダーやその中のフォルダーには自動バックアップを置けません。\r\n"
                       "別のフォルダー（できれば別のディスクや USB メモリ）を選んでください。"));
    QTest::mouseClick(on, Qt::LeftButton);
    VERIFY_DIALOGS(f.dialogs);
    QVERIFY(!on->isChecked());
    QVERIFY(!QFileInfo::exists(inside));

    // Space on the check box; the folder typed in the file box is made.
    const QString chosen = out.filePath(QStringLiteral("手帖の控え"));
    f.dialogs.expectInput(FolderBox, chosen);
    on->setFocus(Qt::TabFocusReason);
    QTest::keyClick(focused(), Qt::Key_Space);
    VERIFY_DIALOGS(f.dialogs);
    QVERIFY(on->isChecked());
    QVERIFY(QFileInfo(chosen).isDir());
    QCOMPARE(folder->text(), chosen);

    keep->setFocus(Qt::TabFocusReason);
    QTest::keyClick(focused(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(focused(), QStringLiteral("3"));
    QCOMPARE(auto_backup::readSetting(f.files.dir()).keep, 3);

    // 終了: the zip is written without a word.
    QTest::mouseClick(f.find<QPushButton>(QStringLiteral("cmdEnd")), Qt::LeftButton);
    VERIFY_DIALOGS(f.dialogs);
    const QString zip =
        chosen + u'/' +
        auto_backup::fileName(f.notebook().profile.nickname, QDateTime(QDate(2026, 12, 6), QTime(9, 30)));
    QCOMPARE(QDir(chosen).entryList(QDir::Files), QStringList{QFileInfo(zip).fileName()});
    const notebook_zip::Check check = notebook_zip::checkZip(zip, -1);
    QVERIFY2(check.ok, qPrintable(check.error));
    QCOMPARE(check.entries.size(), QDir(f.files.dir()).entryList(QDir::Files).size());
}

void AutoBackupScreenTest::failureAtCloseToldAtNextStart()
{
    QTemporaryDir out;
    const QString gone = out.filePath(QStringLiteral("USB"));
    LoadedScreen f;
    const QString dir = f.files.dir();
    QVERIFY(QDir().mkpath(gone));
    auto_backup::writeSetting(dir, {true, gone, 10});
    // The stick is pulled before the close box: the close itself says nothing.
    QVERIFY(QDir(gone).removeRecursively());
    f.screen.show();
    f.screen.close();
    VERIFY_DIALOGS(f.dialogs);
    QVERIFY(f.dialogs.shown().isEmpty());

    // The next start tells it once, the reason and the folder in one box.
    const QString native = QDir::toNativeSeparators(gone);
    ScriptedDialogs next;
    next.expectWarning(
        QStringLiteral("自動バックアップ"),
        QStringLiteral("前回（2026/12/06 09:30）の終了時の自動バックアップがうまくいきませんでした。\r\n\r\n"
                       "保存先のフォルダー %1 が見つかりません。\r\n"
                       "USB メモリやネットワークのフォルダーなら、つながっているか確かめてください。\r\n\r\n"
                       "保存先：%1\r\n\r\n保存先は「設定」の画面で選び直せます。")
            .arg(native));
    std::unique_ptr<QLockFile> lock;
    QString error;
    QCOMPARE(prepareNotebookFolder(dir, next, lock, &error), dir);
    VERIFY_DIALOGS(next);
    lock.reset();

    ScriptedDialogs again;
    QCOMPARE(prepareNotebookFolder(dir, again, lock, &error), dir);
    QVERIFY(again.shown().isEmpty());
}

QTEST_MAIN(AutoBackupScreenTest)
#include "auto_backup_screen_test.moc"
