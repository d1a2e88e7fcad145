#include "ui/phone/phone_widget.h"

#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/phone/phone_rules.h"
#include "core/phone/phone_server.h"
#include "core/phone/qr_code.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString settingsKey() { return QStringLiteral("phone/enabled"); }
QString title() { return QStringLiteral("スマホから記録"); }

} // namespace

PhoneWidget::PhoneWidget(Notebook &notebook, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), m_notebook(notebook), m_dialogs(dialogs), m_address(phone::localAddress())
{
    m_enableCheck = new QCheckBox(title(), this);
    m_enableCheck->setObjectName(QStringLiteral("phoneCheck"));
    m_enableCheck->setAccessibleName(title());
    m_enableCheck->setToolTip(
        QStringLiteral("家のネットワークのスマホから、お世話の記録をつけられるようにします"));
    m_qrLabel = new QLabel(this);
    m_qrLabel->setObjectName(QStringLiteral("phoneQr"));
    m_qrLabel->setAccessibleName(QStringLiteral("スマホをつなぐ QR コード"));
    m_qrLabel->setToolTip(m_qrLabel->accessibleName());
    m_addressLabel = new QLabel(this);
    m_addressLabel->setObjectName(QStringLiteral("phoneAddress"));
    m_addressLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_addressLabel->setWordWrap(true);
    m_newCodeButton = new QPushButton(QStringLiteral("新しい QR コード"), this);
    m_newCodeButton->setObjectName(QStringLiteral("phoneNewCode"));
    m_newCodeButton->setAccessibleName(m_newCodeButton->text());
    m_newCodeButton->setToolTip(QStringLiteral("QR コードは 5分たつか 1回使うと切れます"));
    auto *devicesLabel = new QLabel(QStringLiteral("つないだスマホ"), this);
    m_devicesList = new QListWidget(this);
    m_devicesList->setObjectName(QStringLiteral("phoneDevices"));
    m_devicesList->setAccessibleName(devicesLabel->text());
    devicesLabel->setBuddy(m_devicesList);
    m_removeButton = new QPushButton(QStringLiteral("削除"), this);
    m_removeButton->setObjectName(QStringLiteral("phoneRemove"));
    m_removeButton->setAccessibleName(QStringLiteral("スマホを削除"));
    m_removeButton->setToolTip(QStringLiteral("選んだスマホからは記録できなくなります (Delete)"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_enableCheck);
    layout->addWidget(m_qrLabel, 0, Qt::AlignHCenter);
    layout->addWidget(m_addressLabel);
    layout->addWidget(m_newCodeButton);
    layout->addWidget(devicesLabel);
    layout->addWidget(m_devicesList);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_removeButton);
    layout->addLayout(row);

    // The code on screen is always one that still works.
    m_renewTimer = new QTimer(this);
    m_renewTimer->setInterval(phone::PairingMinutes * 60 * 1000 - 10000);
    connect(m_renewTimer, &QTimer::timeout, this, &PhoneWidget::showPairingCode);
    connect(m_newCodeButton, &QPushButton::clicked, this, &PhoneWidget::showPairingCode);
    connect(m_removeButton, &QPushButton::clicked, this, &PhoneWidget::removeDevice);
    auto *removeAction = new QAction(m_removeButton->text(), m_devicesList);
    removeAction->setShortcut(QKeySequence::Delete);
    removeAction->setShortcutContext(Qt::WidgetShortcut);
    m_devicesList->addAction(removeAction);
    connect(removeAction, &QAction::triggered, this, &PhoneWidget::removeDevice);
    connect(m_enableCheck, &QCheckBox::toggled, this, [this](bool on) {
        QSettings().setValue(settingsKey(), on);
        setServing(on);
    });
    listDevices();
    // Remembered on: served once the event loop turns, on the address set by then.
    const bool on = QSettings().value(settingsKey(), false).toBool();
    {
        const QSignalBlocker block(m_enableCheck);
        m_enableCheck->setChecked(on);
    }
    setServing(false);
    if (on)
        QTimer::singleShot(0, this, [this] {
            if (m_enableCheck->isChecked() && !m_server)
                setServing(true);
        });
}

PhoneWidget::~PhoneWidget() = default;

void PhoneWidget::setListenAddress(const QHostAddress &address, quint16 port)
{
    m_address = address;
    m_port = port;
    if (m_server) {
        setServing(false);
        setServing(true);
    }
}

void PhoneWidget::setServing(bool on)
{
    m_server.reset(); // the port closes here
    m_renewTimer->stop();
    if (on) {
        auto server = std::make_unique<phone::PhoneServer>(m_notebook, m_devices);
        if (!server->start(m_address, m_port)) {
            m_dialogs.warning(
                title(),
                QStringLiteral("スマホ用のページを開けませんでした（%1）。").arg(m_address.toString()));
            const QSignalBlocker block(m_enableCheck);
            m_enableCheck->setChecked(false);
            on = false;
        } else {
            m_server = std::move(server);
            connect(m_server.get(), &phone::PhoneServer::devicesChanged, this, [this] {
                listDevices();
                showPairingCode();
            });
            m_renewTimer->start();
            showPairingCode();
        }
    }
    m_qrLabel->setVisible(on);
    m_addressLabel->setVisible(on);
    m_newCodeButton->setVisible(on);
}

void PhoneWidget::showPairingCode()
{
    if (!m_server)
        return;
    const QString url = m_server->newPairingUrl();
    m_qrLabel->setPixmap(QPixmap::fromImage(phone::qrImage(url, 4)));
    m_addressLabel->setText(
        QStringLiteral("スマホのカメラで QR コードを読み取ってください（5分間、1回だけ使えます）。"
                       "つないだスマホでは %1 を開きます。")
            .arg(m_server->origin()));
    m_addressLabel->setAccessibleName(m_addressLabel->text());
    m_qrLabel->setAccessibleDescription(url);
}

void PhoneWidget::listDevices()
{
    m_devicesList->clear();
    for (const phone::Device &device : m_devices.devices())
        m_devicesList->addItem(
            device.name +
            QStringLiteral("（%1 につないだ）").arg(device.paired.toString(QStringLiteral("yyyy/MM/dd"))));
    m_removeButton->setEnabled(!m_devices.devices().isEmpty());
}

void PhoneWidget::removeDevice()
{
    const int row = m_devicesList->currentRow();
    if (row < 0 || row >= m_devices.devices().size())
        return;
    const QString name = m_devices.devices().at(row).name;
    if (!m_dialogs.confirm(
            title(),
            QStringLiteral("「%1」を削除しますか？\nこのスマホからは記録できなくなります。").arg(name),
            Dialogs::Icon::Question, Dialogs::Answer::Cancel))
        return;
    m_devices.remove(row);
    listDevices();
}
