#include "core/phone/phone_devices.h"
#include "core/phone/phone_rules.h"
#include "core/phone/qr_code.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTest>

using namespace phone;

// The server's decisions without a server: who is answered, what a body means, where a
// request ends.
class PhoneRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void peers_data()
    {
        QTest::addColumn<bool>("allowed");
        for (const char *ok : {"127.8.0.2", "10.1.2.3", "172.16.0.1", "172.31.255.254", "192.168.1.5",
                               "169.254.3.4", "::1", "fe80::1", "febf::1", "::ffff:192.168.1.2"})
            QTest::newRow(ok) << true;
        for (const char *no : {"8.8.8.8", "172.32.0.1", "172.15.255.255", "192.169.0.1", "2001:db8::1",
                               "fec0::1", "::ffff:8.8.8.8", "0.0.0.0", "255.255.255.255"})
            QTest::newRow(no) << false;
    }
    void peers()
    {
        QFETCH(bool, allowed);
        QCOMPARE(peerAllowed(QHostAddress(QString::fromLatin1(QTest::currentDataTag()))), allowed);
    }

    // Each row: Host | Origin | Sec-Fetch-Site | X-Techo (@ the announced host), and whether the
    // host and a write pass.
    void hostsAndOrigins_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<bool>("hostOk");
        QTest::addColumn<bool>("writeOk");
        QTest::newRow("the page") << QByteArray("@|http://@|same-origin|1") << true << true;
        QTest::newRow("no origin, same-origin") << QByteArray("@||same-origin|1") << true << true;
        QTest::newRow("no origin, cross-site") << QByteArray("@||cross-site|1") << true << false;
        QTest::newRow("no origin, no site") << QByteArray("@|||1") << true << false;
        QTest::newRow("foreign origin") << QByteArray("@|http://evil.example|cross-site|1") << true << false;
        QTest::newRow("null origin") << QByteArray("@|null||1") << true << false;
        QTest::newRow("no page header") << QByteArray("@|http://@||") << true << false;
        QTest::newRow("other port") << QByteArray("192.168.1.20:80|http://192.168.1.20:80||1") << false
                                    << false;
        QTest::newRow("rebound name") << QByteArray("evil.example:47110|http://@||1") << false << true;
        QTest::newRow("no host") << QByteArray("|http://@||0") << false << false;
    }
    void hostsAndOrigins()
    {
        QFETCH(QByteArray, row);
        QFETCH(bool, hostOk);
        QFETCH(bool, writeOk);
        const QList<QByteArray> f = row.replace("@", "192.168.1.20:47110").split('|');
        QCOMPARE(hostAllowed(f[0], QStringLiteral("192.168.1.20:47110")), hostOk);
        QCOMPARE(writeAllowed(f[1], f[2], f[3], QStringLiteral("http://192.168.1.20:47110")), writeOk);
    }

    void rateLimit()
    {
        RateLimit limit;
        for (int i = 0; i < MaxRequestsPerSecond; ++i)
            QVERIFY(limit.allow(QStringLiteral("a"), 1000 + i));
        QVERIFY(!limit.allow(QStringLiteral("a"), 1999));
        QVERIFY(limit.allow(QStringLiteral("b"), 1500)); // another client is not slowed
        QVERIFY(limit.allow(QStringLiteral("a"), 2000)); // the first request is a second old
        QVERIFY(limit.allow(QStringLiteral("c"), 30000));
        QCOMPARE(limit.clients(), 1); // the quiet ones forgotten
    }

    // The body's fields after the id; the entry's date and time at 2026/12/08 03:10:20, or the
    // message (the desktop's own for an amount out of range, which the server test compares).
    void bodies_data()
    {
        QTest::addColumn<QByteArray>("fields");
        QTest::addColumn<QString>("expected");
        const QString unreadable = QStringLiteral("送られた記録が読めません。");
        const QString badTime = QStringLiteral("記録の時刻が正しくありません。");
        QTest::newRow("milk, sent late")
            << QByteArray(R"("kind":"ミルク","amount":"120","age":125)") << "12/08 03:08";
        QTest::newRow("timer") << QByteArray(R"("kind":"睡眠","running":true)") << "12/08 03:10";
        QTest::newRow("before midnight") << QByteArray(R"("kind":"お風呂","age":11520)") << "12/07 23:58";
        QTest::newRow("unknown kind") << QByteArray(R"("kind":"散歩")") << unreadable;
        QTest::newRow("amount not text") << QByteArray(R"("kind":"ミルク","amount":120)") << unreadable;
        QTest::newRow("span without timer") << QByteArray(R"("kind":"母乳（右）")") << unreadable;
        QTest::newRow("moment as timer") << QByteArray(R"("kind":"おしっこ","running":true)") << unreadable;
        QTest::newRow("future") << QByteArray(R"("kind":"おしっこ","age":-60)") << badTime;
        QTest::newRow("fraction") << QByteArray(R"("kind":"おしっこ","age":1.5)") << badTime;
        QTest::newRow("out of range") << QByteArray(R"("kind":"ミルク","amount":"401")")
                                      << QStringLiteral("量は 1〜400 ml の数字で入力してください。");
    }
    void bodies()
    {
        QFETCH(QByteArray, fields);
        QFETCH(QString, expected);
        const QDateTime now(QDate(2026, 12, 8), QTime(3, 10, 20));
        const BodyEntry got =
            entryOfBody(R"({"id":"p-0123456789ab",)" + fields + '}', now, QStringLiteral("りく"));
        QCOMPARE(got.entry ? got.entry->start().toString(QStringLiteral("MM/dd HH:mm")) : got.error,
                 expected);
        QVERIFY(!got.entry || got.entry->by == QStringLiteral("りく"));
        for (const QByteArray other : {"id=1", "[]", R"({"id":"d-0123456789ab","kind":"おしっこ"})"})
            QCOMPARE(entryOfBody(other, now, {}).error, QStringLiteral("送られた記録が読めません。"));
    }

    void stops()
    {
        care::Entry feed;
        feed.date = QDate(2026, 12, 8);
        feed.time = QTime(3, 10);
        feed.kind = care::Kind::BreastLeft;
        feed.running = true;
        feed.id = QStringLiteral("p-0123456789ab");
        const QByteArray body = R"({"id":"p-0123456789ab"})";
        // Stopped in the same minute: counted as a minute.
        QCOMPARE(stoppedOfBody(body, {feed}, QDateTime(feed.date, QTime(3, 10, 40))).entry->end,
                 QTime(3, 11));
        const BodyEntry got = stoppedOfBody(body, {feed}, QDateTime(feed.date, QTime(3, 25)));
        QVERIFY(!got.entry->running);
        QCOMPARE(got.entry->end, QTime(3, 25));
        QCOMPARE(stoppedOfBody(body, {*got.entry}, QDateTime(feed.date, QTime(4, 0))).entry, got.entry);
        QVERIFY(
            !stoppedOfBody(R"({"id":"p-ffffffffffff"})", {feed}, QDateTime(feed.date, QTime(4, 0))).entry);
    }

    // The pieces a connection receives; 0 Ok, 1 too large, 2 malformed.
    void framing_data()
    {
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::addColumn<int>("verdict");
        const QByteArray post = "POST / HTTP/1.1\r\nContent-Length: 4\r\n\r\n{}\r\n";
        const QByteArray length = "POST / HTTP/1.1\r\nContent-Length: ";
        QTest::newRow("pipelined") << QByteArrayList{"GET / HTTP/1.1\r\nHost: a\r\n\r\n" + post + post} << 0;
        QTest::newRow("in pieces") << QByteArrayList{"POST / HTTP/1.1\r", "\nContent-Length: 3\r\n\r", "\n{}",
                                                     "}GET / HTTP/1.1\r\n\r\n"}
                                   << 0;
        QTest::newRow("body just fits") << QByteArrayList{length + "4096\r\n\r\n"} << 0;
        QTest::newRow("body too large") << QByteArrayList{post, length + "4097\r\n\r\n"} << 1;
        QTest::newRow("endless head") << QByteArrayList{"GET / HTTP/1.1\r\n", QByteArray(9000, 'a')} << 1;
        QTest::newRow("chunked") << QByteArrayList{"POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n"}
                                 << 2;
        QTest::newRow("two lengths") << QByteArrayList{length + "1\r\nContent-Length: 2\r\n\r\n"} << 2;
        QTest::newRow("negative length") << QByteArrayList{length + "-1\r\n\r\n"} << 2;
    }
    void framing()
    {
        QFETCH(QByteArrayList, pieces);
        QFETCH(int, verdict);
        RequestFraming framing;
        RequestFraming::Verdict last = RequestFraming::Verdict::Ok;
        for (const QByteArray &piece : pieces)
            last = framing.feed(piece);
        QCOMPARE(int(last), verdict);
    }

    void pairingCodes()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings().remove(QStringLiteral("phone"));
        Devices devices;
        const QDateTime now(QDate(2026, 12, 8), QTime(3, 0));
        const QString code = devices.newPairingCode(now);
        QCOMPARE(code.size(), 32);
        const QString second = devices.newPairingCode(now);
        QVERIFY(devices.pair(code, QStringLiteral("a"), now).isEmpty()); // replaced by the new one
        const QString key = devices.pair(second, QStringLiteral("りくのスマホ"), now.addSecs(299));
        QCOMPARE(key.size(), 32);
        QCOMPARE(Devices().deviceOf(key.toLatin1())->name, QStringLiteral("りくのスマホ")); // kept here
        QVERIFY(!QSettings().allKeys().join(u' ').contains(key));                           // as a hash only
    }

    void qrCode()
    {
        const QImage image =
            qrImage(QStringLiteral("http://192.168.1.20:47110/pair?code=0123456789abcdef"), 3);
        QCOMPARE(image.width(), image.height());
        // The quiet zone is light, the finder patterns' corners dark.
        QCOMPARE(qGray(image.pixel(0, 0)), 255);
        QCOMPARE(qGray(image.pixel(4 * 3, 4 * 3)), 0);
        QCOMPARE(qGray(image.pixel(image.width() - 4 * 3 - 1, 4 * 3)), 0);
    }
};

QTEST_GUILESS_MAIN(PhoneRulesTest)
#include "phone_rules_test.moc"
