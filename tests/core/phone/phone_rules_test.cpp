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
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("allowed");
        for (const char *ok :
             {"127.0.0.1", "127.8.0.2", "10.1.2.3", "172.16.0.1", "172.31.255.254", "192.168.1.5",
              "169.254.3.4", "::1", "fe80::1", "febf::1", "::ffff:192.168.1.2"})
            QTest::newRow(ok) << QString::fromLatin1(ok) << true;
        for (const char *no : {"8.8.8.8", "172.32.0.1", "172.15.255.255", "11.0.0.1", "192.169.0.1",
                               "2001:db8::1", "fec0::1", "::ffff:8.8.8.8", "0.0.0.0", "255.255.255.255"})
            QTest::newRow(no) << QString::fromLatin1(no) << false;
    }
    void peers()
    {
        QFETCH(QString, address);
        QFETCH(bool, allowed);
        QCOMPARE(peerAllowed(QHostAddress(address)), allowed);
    }

    void hostsAndOrigins_data()
    {
        QTest::addColumn<QByteArray>("host");
        QTest::addColumn<QByteArray>("origin");
        QTest::addColumn<QByteArray>("site");
        QTest::addColumn<QByteArray>("techo");
        QTest::addColumn<bool>("hostOk");
        QTest::addColumn<bool>("writeOk");
        const QByteArray me = "192.168.1.20:47110", origin = "http://192.168.1.20:47110";
        QTest::newRow("the page") << me << origin << QByteArray("same-origin") << QByteArray("1") << true
                                  << true;
        QTest::newRow("no origin, same-origin")
            << me << QByteArray() << QByteArray("same-origin") << QByteArray("1") << true << true;
        QTest::newRow("no origin, cross-site")
            << me << QByteArray() << QByteArray("cross-site") << QByteArray("1") << true << false;
        QTest::newRow("no origin, no site")
            << me << QByteArray() << QByteArray() << QByteArray("1") << true << false;
        QTest::newRow("foreign origin") << me << QByteArray("http://evil.example") << QByteArray("cross-site")
                                        << QByteArray("1") << true << false;
        QTest::newRow("null origin") << me << QByteArray("null") << QByteArray() << QByteArray("1") << true
                                     << false;
        QTest::newRow("other port") << QByteArray("192.168.1.20:80") << QByteArray("http://192.168.1.20:80")
                                    << QByteArray() << QByteArray("1") << false << false;
        QTest::newRow("rebound name")
            << QByteArray("evil.example:47110") << origin << QByteArray() << QByteArray("1") << false << true;
        QTest::newRow("no header") << me << origin << QByteArray() << QByteArray() << true << false;
        QTest::newRow("no host") << QByteArray() << origin << QByteArray() << QByteArray("0") << false
                                 << false;
    }
    void hostsAndOrigins()
    {
        QFETCH(QByteArray, host);
        QFETCH(QByteArray, origin);
        QFETCH(QByteArray, site);
        QFETCH(QByteArray, techo);
        QFETCH(bool, hostOk);
        QFETCH(bool, writeOk);
        QCOMPARE(hostAllowed(host, QStringLiteral("192.168.1.20:47110")), hostOk);
        QCOMPARE(writeAllowed(origin, site, techo, QStringLiteral("http://192.168.1.20:47110")), writeOk);
    }

    void rateLimit()
    {
        RateLimit limit;
        for (int i = 0; i < MaxRequestsPerSecond; ++i)
            QVERIFY(limit.allow(QStringLiteral("a"), 1000 + i));
        QVERIFY(!limit.allow(QStringLiteral("a"), 1500));
        QVERIFY(limit.allow(QStringLiteral("b"), 1500)); // another client is not slowed
        QVERIFY(!limit.allow(QStringLiteral("a"), 1999));
        QVERIFY(limit.allow(QStringLiteral("a"), 2000)); // the first request is a second old
        QVERIFY(limit.allow(QStringLiteral("c"), 30000));
        QCOMPARE(limit.clients(), 1); // the quiet ones forgotten
    }

    void bodies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("error"); // "" when it is an entry; "check" for care::checkEntry's own
        QTest::addColumn<QTime>("time");
        QTest::newRow("milk") << QByteArray(
                                     R"({"id":"p-0123456789ab","kind":"ミルク","amount":"120","age":125})")
                              << QString() << QTime(3, 8);
        QTest::newRow("timer") << QByteArray(R"({"id":"p-0123456789ab","kind":"睡眠","running":true})")
                               << QString() << QTime(3, 10);
        QTest::newRow("across midnight")
            << QByteArray(R"({"id":"p-0123456789ab","kind":"お風呂","age":11520})") << QString()
            << QTime(23, 58);
        QTest::newRow("not json") << QByteArray("id=1") << "送られた記録が読めません。" << QTime();
        QTest::newRow("array") << QByteArray("[]") << "送られた記録が読めません。" << QTime();
        QTest::newRow("unknown kind") << QByteArray(R"({"id":"p-0123456789ab","kind":"散歩"})")
                                      << "送られた記録が読めません。" << QTime();
        QTest::newRow("bad id") << QByteArray(R"({"id":"d-0123456789ab","kind":"おしっこ"})")
                                << "送られた記録が読めません。" << QTime();
        QTest::newRow("amount not text")
            << QByteArray(R"({"id":"p-0123456789ab","kind":"ミルク","amount":120})")
            << "送られた記録が読めません。" << QTime();
        QTest::newRow("span without timer") << QByteArray(R"({"id":"p-0123456789ab","kind":"母乳（右）"})")
                                            << "送られた記録が読めません。" << QTime();
        QTest::newRow("moment as timer")
            << QByteArray(R"({"id":"p-0123456789ab","kind":"おしっこ","running":true})")
            << "送られた記録が読めません。" << QTime();
        QTest::newRow("future") << QByteArray(R"({"id":"p-0123456789ab","kind":"おしっこ","age":-60})")
                                << "記録の時刻が正しくありません。" << QTime();
        QTest::newRow("fraction") << QByteArray(R"({"id":"p-0123456789ab","kind":"おしっこ","age":1.5})")
                                  << "記録の時刻が正しくありません。" << QTime();
        QTest::newRow("too much milk")
            << QByteArray(R"({"id":"p-0123456789ab","kind":"ミルク","amount":"401"})") << "check" << QTime();
        QTest::newRow("fever too high")
            << QByteArray(R"({"id":"p-0123456789ab","kind":"体温","amount":"45.0"})") << "check" << QTime();
    }
    void bodies()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, error);
        QFETCH(QTime, time);
        const QDateTime now(QDate(2026, 12, 8), QTime(3, 10, 20));
        const BodyEntry got = entryOfBody(body, now, QStringLiteral("りくのスマホ"));
        if (error == QLatin1String("check")) {
            QVERIFY(!got.entry);
            QVERIFY(!got.error.isEmpty());
            care::Entry same;
            same.date = now.date();
            same.time = QTime(3, 10);
            same.kind = *care::kindOfName(QString::fromUtf8(body).section(u'"', 7, 7));
            same.amount = QString::fromUtf8(body).section(u'"', 11, 11);
            QCOMPARE(got.error, care::checkEntry(same));
            return;
        }
        QCOMPARE(got.error, error);
        QCOMPARE(bool(got.entry), error.isEmpty());
        if (got.entry) {
            QCOMPARE(got.entry->time, time);
            QCOMPARE(got.entry->date, time.hour() == 23 ? QDate(2026, 12, 7) : QDate(2026, 12, 8));
            QCOMPARE(got.entry->by, QStringLiteral("りくのスマホ"));
        }
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
        BodyEntry got = stoppedOfBody(body, {feed}, QDateTime(feed.date, QTime(3, 10, 40)));
        QCOMPARE(got.entry->end, QTime(3, 11));
        QVERIFY(!got.entry->running);
        got = stoppedOfBody(body, {feed}, QDateTime(feed.date, QTime(3, 25)));
        QCOMPARE(got.entry->end, QTime(3, 25));
        QCOMPARE(stoppedOfBody(body, {*got.entry}, QDateTime(feed.date, QTime(4, 0))).entry, got.entry);
        QVERIFY(
            !stoppedOfBody(R"({"id":"p-ffffffffffff"})", {feed}, QDateTime(feed.date, QTime(4, 0))).entry);
    }

    void framing_data()
    {
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::addColumn<int>("verdict");
        const QByteArray get = "GET / HTTP/1.1\r\nHost: a\r\n\r\n";
        const QByteArray post = "POST /api/entry HTTP/1.1\r\nContent-Length: 4\r\n\r\n{}\r\n";
        QTest::newRow("pipelined") << QByteArrayList{get + post + get} << 0;
        QTest::newRow("byte by byte")
            << QByteArrayList{"POST / HTTP/1.1\r",      "\n", "Content-Length: 3\r\n\r", "\n", "{}",
                              "}GET / HTTP/1.1\r\n\r\n"}
            << 0;
        QTest::newRow("body just fits")
            << QByteArrayList{"POST / HTTP/1.1\r\nContent-Length: 4096\r\n\r\n"} << 0;
        QTest::newRow("body too large")
            << QByteArrayList{"POST / HTTP/1.1\r\ncontent-length: 4097\r\n\r\n"} << 1;
        QTest::newRow("second body too large")
            << QByteArrayList{post, "POST / HTTP/1.1\r\nContent-Length: 9999\r\n\r\n"} << 1;
        QTest::newRow("endless head") << QByteArrayList{"GET / HTTP/1.1\r\n", QByteArray(9000, 'a')} << 1;
        QTest::newRow("chunked") << QByteArrayList{"POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n"}
                                 << 2;
        QTest::newRow("two lengths")
            << QByteArrayList{"POST / HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\n"} << 2;
        QTest::newRow("negative length")
            << QByteArrayList{"POST / HTTP/1.1\r\nContent-Length: -1\r\n\r\n"} << 2;
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
        QVERIFY(
            devices.pair(code, QStringLiteral("a"), now.addSecs(PairingMinutes * 60)).isEmpty()); // expired
        const QString second = devices.newPairingCode(now);
        QVERIFY(devices.pair(code, QStringLiteral("a"), now).isEmpty()); // replaced by the new one
        const QString key = devices.pair(second, QStringLiteral("りくのスマホ"), now.addSecs(299));
        QCOMPARE(key.size(), 32);
        QVERIFY(devices.pair(second, QStringLiteral("b"), now).isEmpty()); // used
        QCOMPARE(Devices().deviceOf(key.toLatin1())->name,
                 QStringLiteral("りくのスマホ")); // kept on this computer
        QVERIFY(!Devices().deviceOf(code.toLatin1()));
    }

    void qrCode()
    {
        const QImage image = qrImage(
            QStringLiteral("http://192.168.1.20:47110/pair?code=0123456789abcdef0123456789abcdef"), 3);
        QVERIFY(!image.isNull());
        QCOMPARE(image.width(), image.height());
        // The quiet zone is light, the finder pattern's corner dark.
        QCOMPARE(qGray(image.pixel(0, 0)), 255);
        QCOMPARE(qGray(image.pixel(4 * 3, 4 * 3)), 0);
        QCOMPARE(qGray(image.pixel(image.width() - 4 * 3 - 1, 4 * 3)), 0);
    }
};

QTEST_GUILESS_MAIN(PhoneRulesTest)
#include "phone_rules_test.moc"
