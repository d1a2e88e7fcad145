#pragma once

#include "core/phone/phone_devices.h"
#include "core/phone/phone_rules.h"

#include <QAbstractHttpServer>
#include <QElapsedTimer>
#include <QHostAddress>

class Notebook;
class QTcpServer;

namespace phone {

// The phone page's server: the page, the care log as JSON for it, and the writes of paired
// phones into the notebook through the same methods (and checks) as the desktop's. Nothing
// else of the notebook is served. Deleting it closes the port.
class PhoneServer : public QAbstractHttpServer
{
    Q_OBJECT
public:
    PhoneServer(Notebook &notebook, Devices &devices, QObject *parent = nullptr);

    // Listens on address at port, or on a free port when that one is taken; false when
    // neither can be had.
    bool start(const QHostAddress &address, quint16 port);
    // "http://192.168.1.20:47110": the origin the page is served from and the Host it is
    // asked for ("192.168.1.20:47110").
    QString origin() const { return QStringLiteral("http://") + m_host; }
    quint16 port() const { return m_port; }
    // A new one-time pairing address; the one before stops working.
    QString newPairingUrl();

signals:
    // A phone was paired.
    void devicesChanged();

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    struct Answer;
    Notebook &m_notebook;
    Devices &m_devices;
    QTcpServer *m_listener = nullptr;
    QString m_host;
    quint16 m_port = 0;
    RateLimit m_rate;
    QElapsedTimer m_steady;

    Answer answer(const QHttpServerRequest &request);
    Answer pair(const QHttpServerRequest &request);
    Answer write(const QHttpServerRequest &request, const Device &device);
    Answer logAnswer() const;
};

} // namespace phone
