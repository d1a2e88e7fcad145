#include "phone_client.h"
#include "test_notebook.h"

#include "core/care/care_log.h"
#include "core/phone/phone_server.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <memory>

using namespace phone;

// The server on 127.0.0.1 as a phone and a foreign page meet it: what each request answers and
// what it writes into the notebook and its file.
class PhoneServerTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestNotebook> m_book;
    std::unique_ptr<Devices> m_devices;
    std::unique_ptr<PhoneServer> m_server;

    QByteArray host() const { return m_server->origin().mid(7).toLatin1(); }
    HttpHeaders writeHeaders(const QByteArray &key) const
    {
        return {{"Host", host()},
                {"Origin", m_server->origin().toLatin1()},
                {"X-Techo", "1"},
                {"Content-Type", "application/json"},
                {"Cookie", "techo_key=" + key}};
    }
    HttpReply post(const QByteArray &path, const HttpHeaders &headers, const QByteArray &body)
    {
        return httpSend(m_server->port(), httpRequest("POST", path, headers, body));
    }
    QString pairingCode() { return m_server->newPairingUrl().section(u'=', 1); }
    // A phone paired through the page's own request: its key from the cookie.
    QByteArray pairPhone(const QString &name)
    {
        const QByteArray body = QJsonDocument(QJsonObject{{"code", pairingCode()}, {"name", name}}).toJson();
        const HttpReply reply = post("/pair", writeHeaders({}), body);
        return cookieKey(reply.header("Set-Cookie"));
    }
    qsizetype entriesInFile() { return care::read(m_book->notebook().files).size(); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        QSettings().remove(QStringLiteral("phone"));
        m_book = std::make_unique<TestNotebook>();
        m_book->clock().setTime(QTime(3, 10));
        m_devices = std::make_unique<Devices>();
        m_server = std::make_unique<PhoneServer>(m_book->notebook(), *m_devices);
        QVERIFY(m_server->start(QHostAddress::LocalHost, 0));
    }
    void cleanup()
    {
        m_server.reset();
        m_devices.reset();
        m_book.reset();
    }

    void pairingGivesAKeyOnce()
    {
        const QString code = pairingCode();
        const HttpHeaders get{{"Host", host()}};
        QCOMPARE(httpSend(m_server->port(), httpRequest("GET", "/pair?code=" + code.toLatin1(), get)).status,
                 200);
        const QByteArray body = QJsonDocument(QJsonObject{{"code", code}, {"name", "りくのスマホ"}}).toJson();
        const HttpReply paired = post("/pair", writeHeaders({}), body);
        QCOMPARE(paired.status, 200);
        const QByteArray cookie = paired.header("Set-Cookie");
        QVERIFY2(cookie.contains("; HttpOnly") && cookie.contains("; SameSite=Strict") &&
                     cookie.contains("; Path=/"),
                 cookie.constData());
        QCOMPARE(m_devices->devices().size(), 1);
        QCOMPARE(m_devices->devices().at(0).name, QStringLiteral("りくのスマホ"));
        // The key itself is kept only by the phone.
        QVERIFY(!QSettings().allKeys().join(u' ').contains(QString::fromLatin1(cookieKey(cookie))));

        // Used once: the same code again pairs nothing.
        QCOMPARE(post("/pair", writeHeaders({}), body).status, 401);
        QCOMPARE(httpSend(m_server->port(), httpRequest("GET", "/pair?code=" + code.toLatin1(), get)).status,
                 401);
        QCOMPARE(m_devices->devices().size(), 1);
    }

    void expiredCodePairsNothing()
    {
        const QString code = pairingCode();
        m_book->clock().setTime(QTime(3, 15)); // five minutes later
        const QByteArray body = QJsonDocument(QJsonObject{{"code", code}}).toJson();
        QCOMPARE(post("/pair", writeHeaders({}), body).status, 401);
        QVERIFY(m_devices->devices().isEmpty());
    }

    void writes_data()
    {
        QTest::addColumn<QByteArray>("change"); // which header to change: name=value, or name= to drop it
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("written");
        const QByteArray milk = R"({"id":"p-0123456789ab","kind":"ミルク","amount":"120"})";
        QTest::newRow("paired phone") << QByteArray() << milk << 200 << 1;
        QTest::newRow("no key") << QByteArray("Cookie=") << milk << 401 << 0;
        QTest::newRow("wrong key") << QByteArray("Cookie=techo_key=0123456789abcdef0123456789abcdef") << milk
                                   << 401 << 0;
        QTest::newRow("wrong host") << QByteArray("Host=evil.example:80") << milk << 421 << 0;
        QTest::newRow("foreign origin") << QByteArray("Origin=http://evil.example") << milk << 403 << 0;
        QTest::newRow("no page header") << QByteArray("X-Techo=") << milk << 403 << 0;
        QTest::newRow("no origin, cross-site") << QByteArray("Origin=") << milk << 403 << 0;
        QTest::newRow("too large") << QByteArray() << QByteArray(5000, ' ') + milk << 413 << 0;
        QTest::newRow("malformed") << QByteArray() << QByteArray(R"({"id":"p-0123456789ab","kind":)") << 400
                                   << 0;
        QTest::newRow("out of range")
            << QByteArray() << QByteArray(R"({"id":"p-0123456789ab","kind":"ミルク","amount":"999"})") << 400
            << 0;
    }
    void writes()
    {
        QFETCH(QByteArray, change);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(int, written);
        const QByteArray key = pairPhone(QStringLiteral("りくのスマホ"));
        HttpHeaders headers = writeHeaders(key);
        if (!change.isEmpty()) {
            const QByteArray name = change.left(change.indexOf('=')),
                             value = change.mid(change.indexOf('=') + 1);
            headers.erase(
                std::remove_if(headers.begin(), headers.end(), [&](auto &h) { return h.first == name; }),
                headers.end());
            if (!value.isEmpty())
                headers.append(qMakePair(name, value));
        }
        const qsizetype before = entriesInFile();
        const HttpReply reply = post("/api/entry", headers, body);
        QCOMPARE(reply.status, status);
        QCOMPARE(entriesInFile() - before, written);
        QCOMPARE(m_book->notebook().careLog.size() - before, written);
        if (written) {
            const care::Entry entry = m_book->notebook().careLog.last();
            QCOMPARE(entry.by, QStringLiteral("りくのスマホ"));
            QCOMPARE(entry.time, QTime(3, 10));
        }
        if (qstrcmp(QTest::currentDataTag(), "out of range") == 0) // the desktop's own words
            QCOMPARE(QJsonDocument::fromJson(reply.body).object().value("error").toString(),
                     QStringLiteral("量は 1〜400 ml の数字で入力してください。"));
    }

    void retriedEntryIsRecordedOnce()
    {
        const QByteArray key = pairPhone(QStringLiteral("スマホ"));
        const qsizetype before = entriesInFile();
        const QByteArray body = R"({"id":"p-aaaaaaaaaaaa","kind":"おしっこ","age":30})";
        QCOMPARE(post("/api/entry", writeHeaders(key), body).status, 200);
        m_book->clock().setTime(QTime(3, 12));
        QCOMPARE(post("/api/entry", writeHeaders(key), body).status, 200);
        QCOMPARE(entriesInFile(), before + 1);
        QCOMPARE(m_book->notebook().careLog.last().time, QTime(3, 9)); // the tap, not the retry
    }

    void timerStartsAndStopsOnce()
    {
        const QByteArray key = pairPhone(QStringLiteral("スマホ"));
        QCOMPARE(post("/api/entry", writeHeaders(key),
                      R"({"id":"p-bbbbbbbbbbbb","kind":"母乳（左）","running":true})")
                     .status,
                 200);
        QVERIFY(m_book->notebook().careLog.last().running);
        m_book->clock().setTime(QTime(3, 25));
        const QByteArray stop = R"({"id":"p-bbbbbbbbbbbb"})";
        QCOMPARE(post("/api/stop", writeHeaders(key), stop).status, 200);
        m_book->clock().setTime(QTime(3, 40));
        QCOMPARE(post("/api/stop", writeHeaders(key), stop).status, 200); // a retry changes nothing
        const QList<care::Entry> file = care::read(m_book->notebook().files);
        const auto it =
            std::find_if(file.begin(), file.end(), [](auto &e) { return e.id == "p-bbbbbbbbbbbb"; });
        QVERIFY(it != file.end());
        QVERIFY(!it->running);
        QCOMPARE(it->end, QTime(3, 25));
    }

    void removedPhoneIsRefused()
    {
        const QByteArray key = pairPhone(QStringLiteral("スマホ"));
        const HttpHeaders get{{"Host", host()}, {"Cookie", "techo_key=" + key}};
        QCOMPARE(httpSend(m_server->port(), httpRequest("GET", "/api/log", get)).status, 200);
        m_devices->remove(0);
        QCOMPARE(httpSend(m_server->port(), httpRequest("GET", "/api/log", get)).status, 401);
        QCOMPARE(post("/api/entry", writeHeaders(key), R"({"id":"p-cccccccccccc","kind":"おしっこ"})").status,
                 401);
    }

    void pageReadsOnlyTheCareLog()
    {
        const QByteArray key = pairPhone(QStringLiteral("スマホ"));
        const HttpHeaders get{{"Host", host()}, {"Cookie", "techo_key=" + key}};
        for (const QByteArray path : {"/api/diary", "/日記.txt", "/../ﾌﾟﾗｲﾍﾞｰﾄ.txt", "/api/profile"})
            QCOMPARE(httpSend(m_server->port(), httpRequest("GET", path, get)).status, 404);
        const HttpReply page = httpSend(m_server->port(), httpRequest("GET", "/", get));
        QCOMPARE(page.status, 200);
        QVERIFY(!page.body.contains("http://") && !page.body.contains("https://")); // nothing from outside
    }

    void fastClientIsSlowed()
    {
        const HttpHeaders get{{"Host", host()}};
        QList<int> statuses;
        for (int i = 0; i < 12; ++i)
            statuses << httpSend(m_server->port(), httpRequest("GET", "/api/log", get)).status;
        QCOMPARE(statuses.count(401), 10);
        QCOMPARE(statuses.count(429), 2);
    }

    void largeBodyIsStoppedAsItArrives()
    {
        const QByteArray key = pairPhone(QStringLiteral("スマホ"));
        QByteArray raw = httpRequest("POST", "/api/entry", writeHeaders(key), QByteArray(1 << 20, 'x'));
        QCOMPARE(httpSend(m_server->port(), raw).status, 413);
    }
};

QTEST_GUILESS_MAIN(PhoneServerTest)
#include "phone_server_test.moc"
