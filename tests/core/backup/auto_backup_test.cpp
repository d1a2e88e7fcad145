// The automatic backup at close: its names, the refusal of a folder inside the notebook, one
// zip a day, the last N kept with nobody else's files touched, two notebooks kept apart, and
// every failure remembered for the next start. The settings live in a temporary folder.
#include "core/backup/auto_backup.h"
#include "file_size_limit.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

namespace {

// A notebook folder with the two files that make one, and a larger third when asked.
QString makeNotebook(const QString &dir, qint64 extraBytes = 0)
{
    QDir().mkpath(dir);
    const QList<std::pair<QString, QByteArray>> files = {
        {QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt"), QByteArray("momo\r\n2026/01/02\r\n")},
        {QStringLiteral("日記.txt"), QByteArray("2026/01/02,50,3000,hello\r\n")},
        {QStringLiteral("写真.bmp"), QByteArray(extraBytes, 'p')}};
    for (const auto &[name, bytes] : files) {
        if (name == QStringLiteral("写真.bmp") && extraBytes == 0)
            continue;
        QFile f(dir + u'/' + name);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    return dir;
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void switchOn(const QString &notebook, const QString &folder, int keep = auto_backup::DefaultKeep)
{
    auto_backup::writeSetting(notebook, {true, folder, keep});
}

QDateTime at(int day, int hour = 9, int minute = 30)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute));
}

} // namespace

class AutoBackupTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void names_data();
    void names();
    void ownNames_data();
    void ownNames();
    void folderRefused_data();
    void folderRefused();
    void onceADay();
    void keepsTheLastN();
    void notebooksDoNotMix();
    void failureRemembered_data();
    void failureRemembered();

private:
    QTemporaryDir m_settings;
};

void AutoBackupTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
}

void AutoBackupTest::names_data()
{
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "もも" << at(6) << "育児手帖_もも_自動_20261206-0930.zip";
    QTest::newRow("spaces trimmed") << " もも " << at(6) << "育児手帖_もも_自動_20261206-0930.zip";
    QTest::newRow("what Windows refuses") << "a/b:c" << at(6) << "育児手帖_a_b_c_自動_20261206-0930.zip";
    QTest::newRow("just after midnight")
        << "もも" << QDateTime(QDate(2027, 1, 1), QTime(0, 5)) << "育児手帖_もも_自動_20270101-0005.zip";
}

void AutoBackupTest::names()
{
    QFETCH(QString, nickname);
    QFETCH(QDateTime, now);
    QFETCH(QString, name);
    QCOMPARE(auto_backup::fileName(nickname, now), name);
    QVERIFY(auto_backup::isOwnName(name));
}

void AutoBackupTest::ownNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("own");
    QTest::newRow("ours") << "育児手帖_もも_自動_20261206-0930.zip" << true;
    QTest::newRow("ours, a taken name") << "育児手帖_もも_自動_20261206-0930_2.zip" << true;
    QTest::newRow("the backup command's") << "育児手帖_もも_20261206-0930.zip" << false;
    QTest::newRow("a temporary") << "育児手帖_もも_自動_20261206-0930.zip.part" << false;
    QTest::newRow("a short date") << "育児手帖_もも_自動_2026126-0930.zip" << false;
    QTest::newRow("a renamed copy") << "育児手帖_もも_自動_20261206-0930 (1).zip" << false;
    QTest::newRow("anything else") << "日記.txt" << false;
}

void AutoBackupTest::ownNames()
{
    QFETCH(QString, name);
    QFETCH(bool, own);
    QCOMPARE(auto_backup::isOwnName(name), own);
}

void AutoBackupTest::folderRefused_data()
{
    QTest::addColumn<QString>("folder"); // under the root that holds nb/
    QTest::addColumn<bool>("refused");
    QTest::newRow("the notebook") << "nb" << true;
    QTest::newRow("the notebook, a closing slash") << "nb/" << true;
    QTest::newRow("inside") << "nb/写真" << true;
    QTest::newRow("inside, not made yet") << "nb/新しい/下" << true;
    QTest::newRow("inside, by ..") << "elsewhere/../nb/写真" << true;
    QTest::newRow("a link into it") << "link" << true;
    QTest::newRow("under a link into it, not made yet") << "link/控え" << true;
    QTest::newRow("a sibling of the same start") << "nb2" << false;
    QTest::newRow("the parent") << "." << false;
    QTest::newRow("elsewhere, not made yet") << "elsewhere/控え" << false;
}

void AutoBackupTest::folderRefused()
{
    QFETCH(QString, folder);
    QFETCH(bool, refused);
    QTemporaryDir root;
    const QString nb = makeNotebook(root.filePath(QStringLiteral("nb")));
    QDir(root.path()).mkpath(QStringLiteral("nb/写真"));
    QDir(root.path()).mkpath(QStringLiteral("nb2"));
    QVERIFY(QFile::link(nb + QStringLiteral("/写真"), root.filePath(QStringLiteral("link"))));
    const QString why = auto_backup::folderRefusal(nb, root.path() + u'/' + folder);
    QCOMPARE(!why.isEmpty(), refused);
    if (refused)
        QVERIFY(why.startsWith(
            QStringLiteral("手帖のフォルダーやその中のフォルダーには自動バックアップを置けません。")));
}

void AutoBackupTest::onceADay()
{
    QTemporaryDir root;
    const QString nb = makeNotebook(root.filePath(QStringLiteral("nb")));
    const QString out = root.filePath(QStringLiteral("out"));
    QDir().mkpath(out);
    // Off until switched on, with a folder.
    QCOMPARE(auto_backup::runAtClose(nb, QStringLiteral("もも"), at(6)).what, auto_backup::Result::Off);
    auto_backup::writeSetting(nb, {true, QString(), 10});
    QCOMPARE(auto_backup::runAtClose(nb, QStringLiteral("もも"), at(6)).what, auto_backup::Result::Off);
    QVERIFY(filesIn(out).isEmpty());

    switchOn(nb, out);
    QVERIFY(auto_backup::due(nb, QDate(2026, 12, 6)));
    const auto_backup::Result first = auto_backup::runAtClose(nb, QStringLiteral("もも"), at(6));
    QCOMPARE(first.what, auto_backup::Result::Written);
    QCOMPARE(first.zip, out + QStringLiteral("/育児手帖_もも_自動_20261206-0930.zip"));
    const notebook_zip::Check check = notebook_zip::checkZip(first.zip, -1);
    QVERIFY2(check.ok, qPrintable(check.error));
    QCOMPARE(check.entries.size(), 2);

    QVERIFY(!auto_backup::due(nb, QDate(2026, 12, 6)));
    QCOMPARE(auto_backup::runAtClose(nb, QStringLiteral("もも"), at(6, 21, 0)).what,
             auto_backup::Result::DoneToday);
    QCOMPARE(filesIn(out), QStringList{QStringLiteral("育児手帖_もも_自動_20261206-0930.zip")});

    QVERIFY(auto_backup::due(nb, QDate(2026, 12, 7)));
    QCOMPARE(auto_backup::runAtClose(nb, QStringLiteral("もも"), at(7, 8, 0)).what,
             auto_backup::Result::Written);
    QCOMPARE(filesIn(out), (QStringList{QStringLiteral("育児手帖_もも_自動_20261206-0930.zip"),
                                        QStringLiteral("育児手帖_もも_自動_20261207-0800.zip")}));
    QVERIFY(auto_backup::takeFailure(nb).reason.isEmpty());
}

void AutoBackupTest::keepsTheLastN()
{
    QTemporaryDir root;
    const QString nb = makeNotebook(root.filePath(QStringLiteral("nb")));
    const QString out = root.filePath(QStringLiteral("out"));
    QDir().mkpath(out);
    // What others put there: the backup command's zip, a zip of our pattern that this notebook
    // never wrote, a file of the user's.
    const QStringList others = {QStringLiteral("メモ.txt"), QStringLiteral("育児手帖_もも_20261201-0900.zip"),
                                QStringLiteral("育児手帖_もも_自動_20261130-0900.zip")};
    for (const QString &name : others) {
        QFile f(out + u'/' + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    switchOn(nb, out, 3);
    QStringList ours;
    for (int day = 1; day <= 5; ++day) {
        const auto_backup::Result r = auto_backup::runAtClose(nb, QStringLiteral("もも"), at(day));
        QCOMPARE(r.what, auto_backup::Result::Written);
        ours.append(QFileInfo(r.zip).fileName());
        QCOMPARE(r.removed, day > 3 ? QStringList{ours[day - 4]} : QStringList());
    }
    QStringList expected = others + ours.mid(2);
    expected.sort();
    QCOMPARE(filesIn(out), expected);

    // A zip of ours deleted by hand is not counted; fewer kept removes the oldest at once.
    QVERIFY(QFile::remove(out + u'/' + ours[2]));
    switchOn(nb, out, 1);
    const auto_backup::Result r = auto_backup::runAtClose(nb, QStringLiteral("もも"), at(6));
    QCOMPARE(r.removed, ours.mid(3));
    expected = others + QStringList{QFileInfo(r.zip).fileName()};
    expected.sort();
    QCOMPARE(filesIn(out), expected);

    // Another folder starts its own list: the zips left in the first are not ours to remove.
    const QString second = root.filePath(QStringLiteral("second"));
    QDir().mkpath(second);
    switchOn(nb, second, 1);
    QVERIFY(auto_backup::runAtClose(nb, QStringLiteral("もも"), at(7)).removed.isEmpty());
    QCOMPARE(filesIn(out), expected);
}

void AutoBackupTest::notebooksDoNotMix()
{
    QTemporaryDir root;
    const QString a = makeNotebook(root.filePath(QStringLiteral("a")));
    const QString b = makeNotebook(root.filePath(QStringLiteral("b")));
    const QString out = root.filePath(QStringLiteral("out"));
    QDir().mkpath(out);
    switchOn(a, out, 1);
    QCOMPARE(auto_backup::readSetting(b).on, false);
    // The same notebook reached through a link is the same notebook.
    QVERIFY(QFile::link(a, root.filePath(QStringLiteral("link"))));
    QCOMPARE(auto_backup::readSetting(root.filePath(QStringLiteral("link"))).folder, out);

    switchOn(b, out, 1);
    // Both children called もも, both closed in the same minute: neither zip is written over.
    const QString fromA = auto_backup::runAtClose(a, QStringLiteral("もも"), at(6)).zip;
    const QString fromB = auto_backup::runAtClose(b, QStringLiteral("もも"), at(6)).zip;
    QCOMPARE(QFileInfo(fromB).fileName(), QStringLiteral("育児手帖_もも_自動_20261206-0930_2.zip"));
    const QString nextA = auto_backup::runAtClose(a, QStringLiteral("もも"), at(7)).zip;
    QCOMPARE(filesIn(out), (QStringList{QFileInfo(fromB).fileName(), QFileInfo(nextA).fileName()}));
    QVERIFY(!QFileInfo::exists(fromA));
}

void AutoBackupTest::failureRemembered_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("reason"); // how the reason starts; "" for none
    QTest::newRow("folder gone") << "gone"
                                 << "保存先のフォルダー %1 が見つかりません。";
    QTest::newRow("a file, not a folder") << "file"
                                          << "保存先のフォルダー %1 が見つかりません。";
    QTest::newRow("inside the notebook") << "inside"
                                         << "手帖のフォルダーやその中のフォルダーには";
    QTest::newRow("disk full") << "full"
                               << "バックアップを書き込めませんでした。";
    QTest::newRow("cancelled") << "cancel"
                               << "";
}

void AutoBackupTest::failureRemembered()
{
    QFETCH(QString, what);
    QFETCH(QString, reason);
    QTemporaryDir root;
    const QString nb = makeNotebook(root.filePath(QStringLiteral("nb")), 256 * 1024);
    QString out = root.filePath(QStringLiteral("out"));
    if (what == QStringLiteral("file")) {
        QFile f(out);
        QVERIFY(f.open(QIODevice::WriteOnly));
    } else if (what == QStringLiteral("inside")) {
        out = nb + QStringLiteral("/控え");
    } else if (what != QStringLiteral("gone")) {
        QDir().mkpath(out);
    }
    switchOn(nb, out);
    auto_backup::Result r;
    {
        std::unique_ptr<FileSizeLimit> full;
        if (what == QStringLiteral("full"))
            full = std::make_unique<FileSizeLimit>(64 * 1024);
        r = auto_backup::runAtClose(nb, QStringLiteral("もも"), at(6, 22, 15),
                                    [&](double) { return what != QStringLiteral("cancel"); });
    }
    QCOMPARE(r.what, reason.isEmpty() ? auto_backup::Result::Cancelled : auto_backup::Result::Failed);
    // Nothing half-written is left, nothing made inside the notebook.
    QCOMPARE(QFileInfo(out).isDir() ? filesIn(out) : QStringList(), QStringList());
    QVERIFY(what != QStringLiteral("inside") || !QFileInfo::exists(out));
    // The day stays open: the next close tries again.
    QVERIFY(auto_backup::due(nb, QDate(2026, 12, 6)));
    const auto_backup::Failure told = auto_backup::takeFailure(nb);
    if (reason.isEmpty()) {
        QVERIFY(told.reason.isEmpty());
        return;
    }
    QVERIFY2(told.reason.startsWith(reason.arg(QDir::toNativeSeparators(out))), qPrintable(told.reason));
    QCOMPARE(told.reason, r.error);
    QCOMPARE(told.when, at(6, 22, 15));
    QCOMPARE(told.folder, out);
    // Told once.
    QVERIFY(auto_backup::takeFailure(nb).reason.isEmpty());
}

QTEST_GUILESS_MAIN(AutoBackupTest)
#include "auto_backup_test.moc"
