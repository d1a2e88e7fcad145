// The phone page's server under a bounded load on loopback: 20 paired phones, 60 seconds, 20
// requests a second in all (half of them entries, a quarter of those sent again as a retry
// would be, the rest reads of the log). Prints the answers' times (p50, p99, max), the
// statuses, the resident memory at the start and the end, and checks that every entry is in
// the notebook and its file exactly once. Not a timed test: run it by hand (make bench).
#include "resident_memory.h"
#include "test_notebook.h"

#include "core/care/care_log.h"
#include "core/phone/phone_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

constexpr int Clients = 20;
constexpr int Seconds = 60;
constexpr int PerSecond = 20;

struct Phone {
    QTcpSocket *socket = nullptr;
    QByteArray key;
    QByteArray buffer;
    qint64 sentAt = -1;
    QString lastId;
    QString pendingId;
    int sent = 0;
};

// The phones, on their own thread so that their waiting is not the server's.
class Load : public QObject
{
public:
    Load(quint16 port, QByteArray host, QList<QByteArray> keys)
        : m_port(port), m_host(std::move(host)), m_keys(std::move(keys))
    {
    }

    QList<double> latencies; // ms
    std::map<int, int> statuses;
    QSet<QString> recorded; // ids answered 200
    int skipped = 0;        // a phone still waiting when its turn came

    void run()
    {
        m_phones.resize(Clients);
        for (int i = 0; i < Clients; ++i) {
            Phone &phone = m_phones[i];
            phone.key = m_keys[i];
            phone.socket = new QTcpSocket(this);
            phone.socket->connectToHost(QHostAddress::LocalHost, m_port);
            connect(phone.socket, &QTcpSocket::readyRead, this, [this, i] { read(i); });
        }
        m_clock.start();
        auto *timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, [this, timer] {
            if (m_clock.elapsed() >= Seconds * 1000) {
                timer->stop();
                QTimer::singleShot(3000, this, [] { QThread::currentThread()->quit(); });
                return;
            }
            send(m_next++ % Clients);
        });
        timer->start(1000 / PerSecond);
    }

private:
    quint16 m_port;
    QByteArray m_host;
    QList<QByteArray> m_keys;
    QList<Phone> m_phones;
    QElapsedTimer m_clock;
    int m_next = 0;

    void send(int i)
    {
        Phone &phone = m_phones[i];
        if (phone.sentAt >= 0 || phone.socket->state() != QAbstractSocket::ConnectedState) {
            ++skipped;
            return;
        }
        ++phone.sent;
        QByteArray request;
        if (phone.sent % 2 == 1) {
            // Every fourth entry is the one before sent again, as after a lost answer.
            const bool retry = phone.sent % 8 == 7 && !phone.lastId.isEmpty();
            phone.pendingId = retry ? phone.lastId
                                    : QStringLiteral("p-%1").arg(qulonglong(i) << 32 | qulonglong(phone.sent),
                                                                 12, 16, QChar(u'0'));
            const QByteArray body = "{\"id\":\"" + phone.pendingId.toLatin1() + "\",\"kind\":\"おしっこ\"}";
            request = "POST /api/entry HTTP/1.1\r\nHost: " + m_host + "\r\nOrigin: http://" + m_host +
                      "\r\nX-Techo: 1\r\nContent-Type: application/json\r\nCookie: techo_key=" + phone.key +
                      "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
        } else {
            phone.pendingId.clear();
            request = "GET /api/log HTTP/1.1\r\nHost: " + m_host + "\r\nCookie: techo_key=" + phone.key +
                      "\r\n\r\n";
        }
        phone.sentAt = m_clock.nsecsElapsed();
        phone.socket->write(request);
    }

    void read(int i)
    {
        Phone &phone = m_phones[i];
        phone.buffer += phone.socket->readAll();
        const qsizetype end = phone.buffer.indexOf("\r\n\r\n");
        if (end < 0 || phone.sentAt < 0)
            return;
        const QByteArray head = phone.buffer.left(end).toLower();
        const qsizetype at = head.indexOf("content-length:");
        const qint64 length =
            at < 0 ? 0 : head.mid(at + 15, head.indexOf('\r', at) - at - 15).trimmed().toLongLong();
        if (phone.buffer.size() < end + 4 + length)
            return;
        latencies.append((m_clock.nsecsElapsed() - phone.sentAt) / 1e6);
        const int status = phone.buffer.mid(9, 3).toInt();
        ++statuses[status];
        if (status == 200 && !phone.pendingId.isEmpty()) {
            recorded.insert(phone.pendingId);
            phone.lastId = phone.pendingId;
        }
        phone.buffer.remove(0, end + 4 + length);
        phone.sentAt = -1;
    }
};

double percentile(QList<double> values, double p)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min<qsizetype>(values.size() - 1, qsizetype(p * values.size()))];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QSettings().remove(QStringLiteral("phone"));

    TestNotebook book;
    const auto setNow = [&book] {
        book.clock().setToday(QDate::currentDate());
        book.clock().setTime(QTime::currentTime());
    };
    setNow();
    QTimer clockTimer;
    QObject::connect(&clockTimer, &QTimer::timeout, setNow);
    clockTimer.start(200);
    const qsizetype before = book.notebook().careLog.size();

    phone::Devices devices;
    QList<QByteArray> keys;
    for (int i = 0; i < Clients; ++i)
        keys << devices
                    .pair(devices.newPairingCode(book.clock().now()), QStringLiteral("スマホ%1").arg(i + 1),
                          book.clock().now())
                    .toLatin1();
    phone::PhoneServer server(book.notebook(), devices);
    if (!server.start(QHostAddress::LocalHost, 0))
        return 1;
    const double startKib = residentKib();

    QThread thread;
    Load load(server.port(), server.origin().mid(7).toLatin1(), keys);
    load.moveToThread(&thread);
    QObject::connect(&thread, &QThread::started, &load, &Load::run);
    QObject::connect(&thread, &QThread::finished, &app, &QCoreApplication::quit);
    thread.start();
    app.exec();
    thread.wait();
    const double endKib = residentKib();

    const QList<care::Entry> file = care::read(book.notebook().files);
    int once = 0, wrong = 0;
    for (const QString &id : std::as_const(load.recorded)) {
        const auto inMemory = std::count_if(book.notebook().careLog.begin(), book.notebook().careLog.end(),
                                            [&id](const care::Entry &e) { return e.id == id; });
        const auto inFile =
            std::count_if(file.begin(), file.end(), [&id](const care::Entry &e) { return e.id == id; });
        (inMemory == 1 && inFile == 1) ? ++once : ++wrong;
    }
    std::printf("phone load: %d phones, %d s, %d requests/s planned\n", Clients, Seconds, PerSecond);
    std::printf("answers: %lld (skipped while waiting: %d)", qlonglong(load.latencies.size()), load.skipped);
    for (const auto &[status, count] : load.statuses)
        std::printf("  %d×%d", count, status);
    std::printf("\nanswer time ms: p50 %.2f  p99 %.2f  max %.2f\n", percentile(load.latencies, 0.5),
                percentile(load.latencies, 0.99), percentile(load.latencies, 1.0));
    std::printf("entries: %d recorded once, %d not (file %lld lines, %lld new)\n", once, wrong,
                qlonglong(file.size()), qlonglong(book.notebook().careLog.size() - before));
    std::printf("resident memory: %.0f KiB at start, %.0f KiB at end\n", startKib, endKib);
    return wrong == 0 && book.notebook().careLog.size() - before == once ? 0 : 1;
}
