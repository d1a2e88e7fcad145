#pragma once

#include "core/phone/phone_devices.h"

#include <QHostAddress>
#include <QWidget>

#include <memory>

class Dialogs;
class Notebook;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace phone {
class PhoneServer;
}

// スマホから記録: the switch that serves the phone page on this computer's home-network
// address, the QR code a phone opens to pair, and the paired phones with 削除. The switch is
// remembered per computer (off at first); turning it off closes the port.
class PhoneWidget : public QWidget
{
    Q_OBJECT
public:
    PhoneWidget(Notebook &notebook, Dialogs &dialogs, QWidget *parent = nullptr);
    ~PhoneWidget() override;

    // Where the page is served: by default the first private IPv4 address and port 47110 (a
    // free port when that is taken). Tests serve on 127.0.0.1.
    void setListenAddress(const QHostAddress &address, quint16 port);
    // The server while the switch is on.
    phone::PhoneServer *server() const { return m_server.get(); }

private:
    Notebook &m_notebook;
    Dialogs &m_dialogs;
    phone::Devices m_devices;
    std::unique_ptr<phone::PhoneServer> m_server;
    QHostAddress m_address;
    quint16 m_port = 47110;
    QCheckBox *m_enableCheck;
    QLabel *m_qrLabel;
    QLabel *m_addressLabel;
    QPushButton *m_newCodeButton;
    QListWidget *m_devicesList;
    QPushButton *m_removeButton;
    QTimer *m_renewTimer;

    void setServing(bool on);
    void showPairingCode();
    void listDevices();
    void removeDevice();
};
