#include "core/phone/phone_server.h"

#include "core/book/notebook.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QHttpServerResponse>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>

#include <algorithm>
#include <memory>

namespace phone {

namespace {

using Status = QHttpServerResponder::StatusCode;

QByteArray cookieName() { return QByteArrayLiteral("techo_key"); }

QByteArray keyOf(const QHttpServerRequest &request)
{
    const QList<QByteArray> cookies = request.value("Cookie").split(';');
    for (const QByteArray &cookie : cookies) {
        const QByteArray c = cookie.trimmed();
        if (c.startsWith(cookieName() + '='))
            return c.mid(cookieName().size() + 1);
    }
    return {};
}

QByteArray pageHtml()
{
    QFile file(QStringLiteral(":/phone/phone.html"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A short page for a phone that cannot use the page (yet): what to do, in a sentence.
QByteArray notePage(const QString &text)
{
    return QStringLiteral(
               "<!DOCTYPE html><html lang=\"ja\"><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
               "content=\"width=device-width\"><title>育児手帖</title></head><body style=\"font:18px "
               "sans-serif;margin:24px\"><p>%1</p></body></html>")
        .arg(text.toHtmlEscaped())
        .toUtf8();
}

QByteArray errorJson(const QString &message)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("error"), message}}).toJson(QJsonDocument::Compact);
}

// Stops a request whose head or body is too large as its bytes come in, before the server
// holds it whole; and answers nothing to a peer outside the house.
class GuardedListener : public QTcpServer
{
public:
    using QTcpServer::QTcpServer;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor) || !peerAllowed(socket->peerAddress())) {
            socket->abort();
            socket->deleteLater();
            return;
        }
        auto framing = std::make_shared<RequestFraming>();
        // Connected before the server's own reader, so it sees each piece first.
        connect(socket, &QTcpSocket::readyRead, socket, [socket, framing] {
            const auto verdict = framing->feed(socket->peek(socket->bytesAvailable()));
            if (verdict == RequestFraming::Verdict::Ok)
                return;
            socket->readAll();
            socket->write(verdict == RequestFraming::Verdict::TooLarge
                              ? QByteArrayLiteral("HTTP/1.1 413 Payload Too Large\r\n")
                              : QByteArrayLiteral("HTTP/1.1 400 Bad Request\r\n"));
            socket->write("Connection: close\r\nContent-Length: 0\r\n\r\n");
            socket->disconnectFromHost();
        });
        addPendingConnection(socket);
    }
};

} // namespace

struct PhoneServer::Answer {
    Status status = Status::Ok;
    QByteArray mime = QByteArrayLiteral("application/json");
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers = {};
};

PhoneServer::PhoneServer(Notebook &notebook, Devices &devices, QObject *parent)
    : QAbstractHttpServer(parent), m_notebook(notebook), m_devices(devices)
{
    m_steady.start();
}

bool PhoneServer::start(const QHostAddress &address, quint16 port)
{
    auto *listener = new GuardedListener(this);
    if (!listener->listen(address, port) && !listener->listen(address, 0)) {
        delete listener;
        return false;
    }
    m_listener = listener;
    // The page shows and joins the log as the file has it now.
    m_notebook.readTable(NotebookTable::CareLog);
    m_port = listener->serverPort();
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? u'[' + address.toString() + u']'
                             : address.toString();
    m_host = host + u':' + QString::number(m_port);
    bind(listener);
    return true;
}

QString PhoneServer::newPairingUrl()
{
    return origin() + QStringLiteral("/pair?code=") + m_devices.newPairingCode(m_notebook.clock.now());
}

bool PhoneServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    Answer a = answer(request);
    QHttpServerResponse response(a.mime, a.body, a.status);
    response.addHeader("Cache-Control", "no-store");
    response.addHeader("X-Content-Type-Options", "nosniff");
    response.addHeader("Referrer-Policy", "no-referrer");
    response.addHeader("X-Frame-Options", "DENY");
    response.addHeader(
        "Content-Security-Policy",
        "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; "
        "connect-src 'self'; img-src 'self' data:; form-action 'none'; frame-ancestors 'none'");
    for (const auto &[name, value] : a.headers)
        response.addHeader(name, value);
    response.write(makeResponder(request, socket));
    return true;
}

void PhoneServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponse(Status::NotFound).write(makeResponder(request, socket));
}

PhoneServer::Answer PhoneServer::answer(const QHttpServerRequest &request)
{
    if (!peerAllowed(request.remoteAddress()))
        return {Status::Forbidden, "text/plain", {}};
    if (!hostAllowed(request.value("Host"), m_host))
        return {Status::MisdirectedRequest, "text/plain", {}};
    const std::optional<Device> device = m_devices.deviceOf(keyOf(request));
    // A paired phone is one client wherever it is; anyone else is counted by address.
    const QString client = device ? QString::fromLatin1(device->keyHash) : request.remoteAddress().toString();
    if (!m_rate.allow(client, m_steady.elapsed()))
        return {Status::TooManyRequests, "text/plain", {}, {{"Retry-After", "1"}}};
    if (request.body().size() > MaxBody)
        return {Status::PayloadTooLarge, "text/plain", {}};

    const QString path = request.url().path();
    const auto method = request.method();
    const bool get = method == QHttpServerRequest::Method::Get;
    const bool post = method == QHttpServerRequest::Method::Post;
    if (path == QLatin1String("/pair") && get) {
        const QString code = request.query().queryItemValue(QStringLiteral("code"));
        if (m_devices.pairingOpen(code, m_notebook.clock.now()))
            return {Status::Ok, "text/html; charset=utf-8", pageHtml()};
        return {Status::Unauthorized, "text/html; charset=utf-8",
                notePage(QStringLiteral("この QR コードは使えません（5分で切れ、1回だけ使えます）。"
                                        "パソコンの「スマホから記録」で新しい QR コードを出してください。"))};
    }
    if (path == QLatin1String("/pair") && post)
        return pair(request);
    if (!device) {
        if (path == QLatin1String("/") && get)
            return {
                Status::Unauthorized, "text/html; charset=utf-8",
                notePage(QStringLiteral("このスマホはつながっていません。パソコンの「スマホから記録」に出る "
                                        "QR コードを読み取ってください。"))};
        return {Status::Unauthorized, "application/json",
                errorJson(QStringLiteral(
                    "このスマホはつながっていません。もう一度 QR コードを読み取ってください。"))};
    }
    if (path == QLatin1String("/") && get)
        return {Status::Ok, "text/html; charset=utf-8", pageHtml()};
    if (path == QLatin1String("/api/log") && get)
        return logAnswer();
    if ((path == QLatin1String("/api/entry") || path == QLatin1String("/api/stop")) && post)
        return write(request, *device);
    if (get || post)
        return {Status::NotFound, "text/plain", {}};
    return {Status::MethodNotAllowed, "text/plain", {}, {{"Allow", "GET, POST"}}};
}

PhoneServer::Answer PhoneServer::pair(const QHttpServerRequest &request)
{
    if (!writeAllowed(request.value("Origin"), request.value("Sec-Fetch-Site"), request.value("X-Techo"),
                      origin()))
        return {Status::Forbidden, "text/plain", {}};
    const QJsonObject body = QJsonDocument::fromJson(request.body()).object();
    const QString key =
        m_devices.pair(body.value(QLatin1String("code")).toString(),
                       deviceName(body.value(QLatin1String("name")).toString()), m_notebook.clock.now());
    if (key.isEmpty())
        return {Status::Unauthorized, "application/json",
                errorJson(QStringLiteral(
                    "この QR コードは使えません。パソコンで新しい QR コードを出してください。"))};
    emit devicesChanged();
    // A year, renewed at each pairing; removing the phone on the computer ends it sooner.
    const QByteArray cookie =
        cookieName() + '=' + key.toLatin1() + "; Path=/; HttpOnly; SameSite=Strict; Max-Age=31536000";
    return {Status::Ok, "application/json", "{}", {{"Set-Cookie", cookie}}};
}

PhoneServer::Answer PhoneServer::write(const QHttpServerRequest &request, const Device &device)
{
    if (!writeAllowed(request.value("Origin"), request.value("Sec-Fetch-Site"), request.value("X-Techo"),
                      origin()))
        return {Status::Forbidden, "text/plain", {}};
    const QDateTime now = m_notebook.clock.now();
    const bool stop = request.url().path() == QLatin1String("/api/stop");
    const BodyEntry parsed = stop ? stoppedOfBody(request.body(), m_notebook.careLog, now)
                                  : entryOfBody(request.body(), now, device.name);
    if (!parsed.entry)
        return {Status::BadRequest, "application/json", errorJson(parsed.error)};
    // A stop sent again finds the timer stopped already: nothing to write.
    const auto &log = m_notebook.careLog;
    if (stop && std::find(log.begin(), log.end(), *parsed.entry) != log.end())
        return logAnswer();
    const WriteResult written = stop ? m_notebook.changeCareEntry(parsed.entry->id, parsed.entry)
                                     : m_notebook.addCareEntry(*parsed.entry);
    if (!written.ok)
        return {Status::InternalServerError, "application/json", errorJson(written.error)};
    return logAnswer();
}

PhoneServer::Answer PhoneServer::logAnswer() const
{
    return {
        Status::Ok, "application/json",
        QJsonDocument(logJson(m_notebook.careLog, m_notebook.clock.now())).toJson(QJsonDocument::Compact)};
}

} // namespace phone
