#include "core/phone/phone_devices.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QSettings>

namespace phone {

namespace {

QString group() { return QStringLiteral("phone/devices"); }

QByteArray randomHex128()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QByteArray(reinterpret_cast<const char *>(words), sizeof words).toHex();
}

} // namespace

Devices::Devices()
{
    QSettings settings;
    const int n = settings.beginReadArray(group());
    for (int i = 0; i < n; ++i) {
        settings.setArrayIndex(i);
        Device device{settings.value(QStringLiteral("name")).toString(),
                      settings.value(QStringLiteral("keyHash")).toByteArray(),
                      settings.value(QStringLiteral("paired")).toDateTime()};
        if (device.keyHash.size() == 64)
            m_devices.append(device);
    }
    settings.endArray();
}

QString Devices::newPairingCode(const QDateTime &now)
{
    m_code = QString::fromLatin1(randomHex128());
    m_codeExpires = now.addSecs(PairingMinutes * 60);
    return m_code;
}

bool Devices::pairingOpen(const QString &code, const QDateTime &now) const
{
    return !m_code.isEmpty() && code == m_code && now < m_codeExpires;
}

QString Devices::pair(const QString &code, const QString &name, const QDateTime &now)
{
    if (!pairingOpen(code, now))
        return {};
    m_code.clear(); // once only
    const QByteArray key = randomHex128();
    m_devices.append({name, hashOf(key), now});
    save();
    return QString::fromLatin1(key);
}

std::optional<Device> Devices::deviceOf(const QByteArray &key) const
{
    if (key.size() != 32)
        return std::nullopt;
    const QByteArray hash = hashOf(key);
    for (const Device &device : m_devices)
        if (device.keyHash == hash)
            return device;
    return std::nullopt;
}

void Devices::remove(int index)
{
    if (index < 0 || index >= m_devices.size())
        return;
    m_devices.removeAt(index);
    save();
}

QByteArray Devices::hashOf(const QByteArray &key)
{
    return QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex();
}

void Devices::save() const
{
    QSettings settings;
    settings.remove(group());
    settings.beginWriteArray(group(), int(m_devices.size()));
    for (int i = 0; i < m_devices.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QStringLiteral("name"), m_devices[i].name);
        settings.setValue(QStringLiteral("keyHash"), m_devices[i].keyHash);
        settings.setValue(QStringLiteral("paired"), m_devices[i].paired);
    }
    settings.endArray();
}

} // namespace phone
