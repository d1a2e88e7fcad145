#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace phone {

constexpr int PairingMinutes = 5;

struct Device {
    QString name;       // as the phone's owner typed it ("りくのスマホ")
    QByteArray keyHash; // SHA-256 of the key, hex: the key itself is kept only by the phone
    QDateTime paired;
};

// The phones paired with this computer, and the one pairing code open at a time. The devices
// live in this computer's settings (group "phone/devices"), never in the notebook folder, so
// they are not synced; only a hash of each key is kept.
class Devices
{
public:
    Devices();

    // A new one-time code (128 random bits as 32 hex digits) valid for PairingMinutes from
    // now; it replaces the code open before.
    QString newPairingCode(const QDateTime &now);
    bool pairingOpen(const QString &code, const QDateTime &now) const;
    // The code used once: a new device key (128 random bits, 32 hex digits) for a phone of that
    // name, or "" when the code is not the open one, has expired or was used.
    QString pair(const QString &code, const QString &name, const QDateTime &now);
    // The paired phone that holds key.
    std::optional<Device> deviceOf(const QByteArray &key) const;

    const QList<Device> &devices() const { return m_devices; }
    void remove(int index);

    static QByteArray hashOf(const QByteArray &key);

private:
    QList<Device> m_devices;
    QString m_code;
    QDateTime m_codeExpires;
    void save() const;
};

} // namespace phone
