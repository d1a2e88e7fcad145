#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QTcpSocket>

// One HTTP request over a raw socket to the server in this thread (so every header, Host
// included, is as the test writes it), with the event loop turning while it waits.
struct HttpReply {
    int status = 0; // 0: no answer (the connection was refused or closed)
    QByteArray head;
    QByteArray body;

    QByteArray header(const QByteArray &name) const
    {
        for (const QByteArray &line : head.split('\n'))
            if (line.toLower().startsWith(name.toLower() + ':'))
                return line.mid(name.size() + 1).trimmed();
        return {};
    }
};

// The device key a pairing's Set-Cookie gives ("techo_key=…; Path=/; …").
inline QByteArray cookieKey(const QByteArray &setCookie)
{
    const QByteArray first = setCookie.left(setCookie.indexOf(';'));
    return first.mid(first.indexOf('=') + 1).trimmed();
}

using HttpHeaders = QList<QPair<QByteArray, QByteArray>>;

inline HttpReply httpSend(quint16 port, const QByteArray &raw)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    QByteArray got;
    HttpReply reply;
    QElapsedTimer timer;
    timer.start();
    bool sent = false;
    while (timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (socket.state() == QAbstractSocket::ConnectedState && !sent) {
            socket.write(raw);
            sent = true;
        }
        got += socket.readAll();
        const qsizetype end = got.indexOf("\r\n\r\n");
        if (end >= 0) {
            reply.head = got.left(end);
            reply.status = got.mid(9, 3).toInt();
            reply.body = got.mid(end + 4);
            if (reply.body.size() >= reply.header("Content-Length").toLongLong())
                return reply;
        }
        if (socket.state() == QAbstractSocket::UnconnectedState && (sent || timer.elapsed() > 500))
            break;
    }
    return reply;
}

inline QByteArray httpRequest(const QByteArray &method, const QByteArray &path, const HttpHeaders &headers,
                              const QByteArray &body = {})
{
    QByteArray raw = method + ' ' + path + " HTTP/1.1\r\n";
    for (const auto &[name, value] : headers)
        raw += name + ": " + value + "\r\n";
    if (method == "POST")
        raw += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    return raw + "\r\n" + body;
}
