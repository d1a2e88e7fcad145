// ﾌﾟﾗｲﾍﾞｰﾄ.txt, 設定.txt and グラフ.txt: read by the delimited rule, written in their exact bytes.
#include "core/text/cp932.h"
#include "core/files/help_tour.h"
#include "core/notebook/growth.h"
#include "core/profile/profile_files.h"
#include "core/profile/profile_store.h"
#include "test_notebook.h"

#include <QtTest>

class ProfileStoreTest : public QObject
{
    Q_OBJECT
private slots:
    void readsAndWritesTheProfile();
    void linesNotInTheLayoutAreReportedNotShifted();
    void valuesWithCommasComeBackWhole_data();
    void valuesWithCommasComeBackWhole();
    void settingsAndGraphFiles();
};

void ProfileStoreTest::readsAndWritesTheProfile()
{
    const QByteArray golden = testDataBytes(QStringLiteral("profile/written/ﾌﾟﾗｲﾍﾞｰﾄ.txt"));
    const Profile p = parseProfile(cp932::decode(golden));
    QCOMPARE(p.nickname, QStringLiteral("ももちゃん"));
    QCOMPARE(p.birthDate, QStringLiteral("1995/02/15"));
    QCOMPARE(p.birthHeight, QStringLiteral("49.5"));
    QCOMPARE(p.birthChest, QStringLiteral("32.0")); // text stays text
    QCOMPARE(p.reserved, QString());
    QCOMPARE(p.targetPoint, qint16(140));
    QCOMPARE(p.pictureMode, QStringLiteral("写真非表示"));
    // PROFILE_WRITE: the goal as a printed integer, everything else as held.
    QCOMPARE(cp932::encode(profileText(p)).bytes, golden);
    QCOMPARE(parseNickname(cp932::decode(golden)), QStringLiteral("ももちゃん"));
    // An old file's unquoted comma: the splash reads the nickname as the titles do.
    const QString old = QStringLiteral("もも,ちゃん\r\n1995/02/15\r\n");
    QCOMPARE(parseNickname(old), parseProfile(old).nickname);
    QCOMPARE(parseNickname(old), QStringLiteral("もも,ちゃん"));

    // Through the notebook, into a folder.
    TestNotebook t;
    t.notebook().profile = p;
    QVERIFY(t.notebook().writeProfile().ok);
    QCOMPARE(t.bytes(profileFileName()), golden);
}

void ProfileStoreTest::linesNotInTheLayoutAreReportedNotShifted()
{
    // A line not in the layout's form (もも,ちゃん unquoted, a quote that does not close) is
    // read whole as its own line's value and reported: no later value is shifted.
    QString text = cp932::decode(testDataBytes(QStringLiteral("profile/comma.txt")));
    text.replace(QStringLiteral("\r\n\r\n50"), QStringLiteral("\r\n\"10時\r\n50"));
    const ProfileParse parsed = parseProfileLines(text);
    QCOMPARE(parsed.profile.nickname, QStringLiteral("もも,ちゃん"));
    QCOMPARE(parsed.profile.birthDate, QStringLiteral("2002/02/18"));
    QCOMPARE(parsed.profile.birthTime, QStringLiteral("\"10時"));
    QCOMPARE(parsed.profile.birthHeight, QStringLiteral("50"));
    QCOMPARE(parsed.profile.targetPoint, qint16(120));
    QCOMPARE(parsed.badLines, QList<int>({1, 3}));
    // Through the notebook: told once, the original kept before the next save, and a value
    // holding a line break is refused by its field.
    TestNotebook t;
    t.writeText(profileFileName(), text);
    t.notebook().readProfile();
    t.notebook().readProfile();
    QCOMPARE(t.notebook().files.takeReadProblems().size(), 1);
    t.notebook().profile.nickname = QStringLiteral("もも\r\nちゃん");
    const WriteResult refused = t.notebook().writeProfile();
    QVERIFY(!refused.ok && refused.error.contains(QStringLiteral("ニックネーム")));
    t.notebook().profile.nickname = QStringLiteral("もも");
    QVERIFY(!t.notebook().writeProfile().backupName.isEmpty());
}

void ProfileStoreTest::valuesWithCommasComeBackWhole_data()
{
    QTest::addColumn<QString>("nickname");
    QTest::newRow("comma") << QStringLiteral("もも,ちゃん");
    QTest::newRow("leading spaces") << QStringLiteral("  もも");
    QTest::newRow("trailing space") << QStringLiteral("もも ");
    QTest::newRow("full-width space") << QStringLiteral("　もも　");
    QTest::newRow("plain") << QStringLiteral("たろう");
}

void ProfileStoreTest::valuesWithCommasComeBackWhole()
{
    QFETCH(QString, nickname);
    Profile p;
    p.nickname = nickname;
    p.birthTime = QStringLiteral("10:23, 朝");
    p.targetPoint = -5;
    const QString text = profileText(p);
    const Profile back = parseProfile(text);
    QCOMPARE(back.nickname, nickname);
    QCOMPARE(back.birthTime, p.birthTime);
    QCOMPARE(back.targetPoint, qint16(-5));
    // Plain values are written exactly as they are.
    if (nickname == QStringLiteral("たろう"))
        QVERIFY(text.startsWith(QStringLiteral("たろう\r\n")));
    QVERIFY(text.contains(QStringLiteral("\r\n-5 \r\n")));
}

void ProfileStoreTest::settingsAndGraphFiles()
{
    QCOMPARE(cp932::encode(settingsFileText(1)).bytes,
             QByteArray("\"\x83\x77\x83\x8b\x83\x76\x83\x63\x83\x41\x81\x5b\",1\r\n"));
    TestNotebook t;
    t.writeBytes(QStringLiteral("設定.TXT"), cp932::encode(settingsFileText(0)).bytes);
    QFile::remove(t.path(QStringLiteral("設定.txt")));
    HelpTour tour;
    tour.helpTourOn = 7;
    readSettings(tour, t.notebook().files);
    QCOMPARE(tour.helpTourOn, qint16(0));

    const GraphLimits g{45, 110, -100, 15000};
    QCOMPARE(graphLimitsText(g), QStringLiteral(" 45 \r\n 110 \r\n-100 \r\n 15000 \r\n"));
    const GraphLimits back = parseGraphLimits(QStringLiteral("45\r\n  110  \r\n-100 \r\n 15000 \r\n"));
    QCOMPARE(back.heightMin, qint16(45));
    QCOMPARE(back.heightMax, qint16(110));
    QCOMPARE(back.weightMin, qint16(-100));
    QCOMPARE(back.weightMax, qint16(15000));
}

QTEST_GUILESS_MAIN(ProfileStoreTest)
#include "profile_store_test.moc"
