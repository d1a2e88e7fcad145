// The automatic backup at close: its names, the refusal of a folder inside the notebook, one
// zip a day, the last N kept with nobody else's files touched, two notebooks kept apart, and
// every failure remembered for the next start. The settings live in a temporary folder.
#include "core/backup/auto_backup.h"
#include "file_size_limit.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

using auto_backup::Result;

namespace {

// A notebook folder: the two files that make one, and a third of extra bytes.
QString makeNotebook(const QString &dir, qint64 extra = 10)
{
    QDir().mkpath(dir);
    for (const auto &[name, bytes] : {std::pair{"ﾌﾟﾗｲﾍﾞｰﾄ.txt", QByteArray("momo\r\n")},
                                      std::pair{"日記.txt", QByteArray("2026/01/02,50\r\n")},
                                      std::pair{"a.bmp", QByteArray(extra, 'p')}}) {
        QFile f(dir + u'/' + QString::fromUtf8(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    return dir;
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

QDateTime at(int day, int hour = 9) { return QDateTime(QDate(2026, 12, day), QTime(hour, 30)); }

// The zip's name when the close on that day writes one, "" when it writes none.
QString closeOn(const QString &notebook, const QDateTime &when)
{
    const Result r = auto_backup::runAtClose(notebook, QStringLiteral("もも"), when);
    return r.what == Result::Written ? QFileInfo(r.zip).fileName() : QString();
}

} // namespace

class AutoBackupTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void ownNames_data();
    void ownNames();
    void folderRefused_data();
    void folderRefused();
    void onceADay();
    void keepsTheLastNOfOurOwn();
    void failureRemembered_data();
    void failureRemembered();

private:
    QTemporaryDir m_settings;
    QTemporaryDir m_root;
};

void AutoBackupTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
}

void AutoBackupTest::ownNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("own");
    QTest::newRow("ours, a taken name") << "育児手帖_もも_自動_20261206-0930_2.zip" << true;
    QTest::newRow("the backup command's") << "育児手帖_もも_20261206-0930.zip" << false;
    QTest::newRow("a temporary") << "育児手帖_もも_自動_20261206-0930.zip.part" << false;
    QTest::newRow("a renamed copy") << "育児手帖_もも_自動_20261206-0930 (1).zip" << false;
}

void AutoBackupTest::ownNames()
{
    QFETCH(QString, name);
    QFETCH(bool, own);
    QCOMPARE(auto_backup::isOwnName(name), own);
    // What Windows refuses in a name becomes "_"; the minutes are the close's.
    QCOMPARE(auto_backup::fileName(QStringLiteral(" a/b "), at(6, 0)),
             QStringLiteral("育児手帖_a_b_自動_20261206-0030.zip"));
    QVERIFY(auto_backup::isOwnName(auto_backup::fileName(QStringLiteral("もも"), at(6))));
}

void AutoBackupTest::folderRefused_data()
{
    QTest::addColumn<QString>("folder"); // beside nb/, nb/写真 and link -> nb/写真
    QTest::addColumn<bool>("refused");
    QTest::newRow("the notebook") << "nb/" << true;
    QTest::newRow("inside, not made yet") << "nb/写真/新しい" << true;
    QTest::newRow("inside, by ..") << "x/../nb/写真" << true;
    QTest::newRow("under a link into it") << "link/控え" << true;
    QTest::newRow("a sibling of the same start") << "nb2" << false;
    QTest::newRow("the parent") << "." << false;
}

void AutoBackupTest::folderRefused()
{
    QFETCH(QString, folder);
    QFETCH(bool, refused);
    const QString nb = makeNotebook(m_root.filePath(QStringLiteral("nb")));
    QDir(nb).mkpath(QStringLiteral("写真"));
    QFile::link(nb + QStringLiteral("/写真"), m_root.filePath(QStringLiteral("link")));
    QCOMPARE(!auto_backup::folderRefusal(nb, m_root.filePath(folder)).isEmpty(), refused);
}

void AutoBackupTest::onceADay()
{
    QTemporaryDir root;
    const QString nb = makeNotebook(root.filePath(QStringLiteral("nb")));
    const QString out = root.path();
    QCOMPARE(closeOn(nb, at(6)), QString()); // off until switched on
    auto_backup::writeSetting(nb, {true, out, 10});
    QCOMPARE(closeOn(nb, at(6)), QStringLiteral("育児手帖_もも_自動_20261206-0930.zip"));
    const notebook_zip::Check check = notebook_zip::checkZip(root.filePath(filesIn(out).value(0)), -1);
    QVERIFY2(check.ok && check.entries.size() == 3, qPrintable(check.error));
    QCOMPARE(auto_backup::runAtClose(nb, QStringLiteral("もも"), at(6, 21)).what, Result::DoneToday);
    QVERIFY(!auto_backup::due(nb, QDate(2026, 12, 6)));
    QCOMPARE(closeOn(nb, at(7, 8)), QStringLiteral("育児手帖_もも_自動_20261207-0830.zip"));
    QCOMPARE(filesIn(out).size(), 2);
}

void AutoBackupTest::keepsTheLastNOfOurOwn()
{
    QTemporaryDir root;
    const QString a = makeNotebook(root.filePath(QStringLiteral("a")));
    const QString b = makeNotebook(root.filePath(QStringLiteral("b")));
    const QString out = root.filePath(QStringLiteral("out"));
    QDir().mkpath(out);
    // Beside ours: the backup command's zip and a zip of our pattern this notebook never wrote.
    QStringList left = {QStringLiteral("育児手帖_もも_20261201-0900.zip"),
                        QStringLiteral("育児手帖_もも_自動_20261130-0900.zip")};
    for (const QString &name : left)
        QFile(out + u'/' + name).open(QIODevice::WriteOnly);
    auto_backup::writeSetting(a, {true, out, 3});
    auto_backup::writeSetting(b, {true, out, 1});
    // Both children called もも, closed in the same minute: neither zip is written over.
    left.append(closeOn(b, at(1)));
    QStringList ours;
    for (int day = 1; day <= 5; ++day)
        ours.append(closeOn(a, at(day)));
    QCOMPARE(ours[0], QStringLiteral("育児手帖_もも_自動_20261201-0930_2.zip"));
    QCOMPARE(filesIn(out), sorted(left + ours.mid(2)));
    // A zip of ours deleted by hand is not counted; fewer kept removes the oldest at once.
    QFile::remove(out + u'/' + ours[2]);
    auto_backup::writeSetting(a, {true, out, 1});
    const Result r = auto_backup::runAtClose(a, QStringLiteral("もも"), at(6));
    QCOMPARE(r.removed, ours.mid(3));
    QCOMPARE(filesIn(out), sorted(left + QStringList{QFileInfo(r.zip).fileName()}));
    // Another folder starts its own list: what is left in the first is not removed.
    auto_backup::writeSetting(a, {true, root.path(), 1});
    QVERIFY(auto_backup::runAtClose(a, QStringLiteral("もも"), at(7)).removed.isEmpty());
    QCOMPARE(filesIn(out).size(), left.size() + 1);
}

void AutoBackupTest::failureRemembered_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("reason"); // how the reason starts; "" for none
    QTest::newRow("folder gone") << "gone"
                                 << "保存先のフォルダー %1 が見つかりません。";
    QTest::newRow("inside the notebook") << "nb/控え"
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
    const QString out = root.filePath(what);
    if (what == QStringLiteral("full") || what == QStringLiteral("cancel"))
        QDir().mkpath(out);
    auto_backup::writeSetting(nb, {true, out, 10});
    Result r;
    {
        std::unique_ptr<FileSizeLimit> full;
        if (what == QStringLiteral("full"))
            full = std::make_unique<FileSizeLimit>(64 * 1024);
        r = auto_backup::runAtClose(nb, QStringLiteral("もも"), at(6, 22),
                                    [&](double) { return what != QStringLiteral("cancel"); });
    }
    QCOMPARE(r.what, reason.isEmpty() ? Result::Cancelled : Result::Failed);
    // Nothing half-written is left, nothing made inside the notebook; the next close tries again.
    QCOMPARE(QFileInfo(out).isDir() ? filesIn(out) : QStringList(), QStringList());
    QVERIFY(QFileInfo(out).isDir() == (what == QStringLiteral("full") || what == QStringLiteral("cancel")));
    QVERIFY(auto_backup::due(nb, QDate(2026, 12, 6)));
    const auto_backup::Failure told = auto_backup::takeFailure(nb);
    const QString expected = QString(reason).replace(QStringLiteral("%1"), QDir::toNativeSeparators(out));
    QVERIFY2(reason.isEmpty() ? told.reason.isEmpty() : told.reason.startsWith(expected),
             qPrintable(told.reason));
    QCOMPARE(told.when, reason.isEmpty() ? QDateTime() : at(6, 22));
    QVERIFY(auto_backup::takeFailure(nb).reason.isEmpty()); // told once
}

QTEST_GUILESS_MAIN(AutoBackupTest)
#include "auto_backup_test.moc"
