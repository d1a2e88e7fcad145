#include "core/phone/phone_rules.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QNetworkInterface>
#include <QRegularExpression>

#include <algorithm>

namespace phone {

namespace {

bool inIpv4Ranges(quint32 ip)
{
    const auto in = [ip](quint32 net, int bits) { return (ip >> (32 - bits)) == (net >> (32 - bits)); };
    return in(0x7F000000, 8)      // 127/8
           || in(0x0A000000, 8)   // 10/8
           || in(0xAC100000, 12)  // 172.16/12
           || in(0xC0A80000, 16)  // 192.168/16
           || in(0xA9FE0000, 16); // 169.254/16
}

bool privateIpv4(quint32 ip) { return inIpv4Ranges(ip) && (ip >> 24) != 127 && (ip >> 16) != 0xA9FE; }

QString badInput() { return QStringLiteral("送られた記録が読めません。"); }
QString badTime() { return QStringLiteral("記録の時刻が正しくありません。"); }

// now − age seconds, to the minute; invalid when age is not a whole number of seconds
// between 0 and a day.
QDateTime tapped(const QJsonValue &age, const QDateTime &now)
{
    const double seconds = age.isUndefined() ? 0 : age.toDouble(-1);
    if (!(age.isUndefined() || age.isDouble()) || seconds < 0 || seconds > MaxAgeSeconds ||
        seconds != int(seconds))
        return {};
    const QDateTime t = now.addSecs(-qint64(seconds));
    return QDateTime(t.date(), QTime(t.time().hour(), t.time().minute()));
}

QJsonObject parsedObject(const QByteArray &body, QString &error)
{
    if (body.size() > MaxBody) {
        error = badInput();
        return {};
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        error = badInput();
    return document.object();
}

// A text field: absent is "", anything but a short string is wrong.
std::optional<QString> textField(const QJsonObject &object, const char *name, int maxLength)
{
    const QJsonValue value = object.value(QLatin1String(name));
    if (value.isUndefined())
        return QString();
    if (!value.isString() || value.toString().size() > maxLength)
        return std::nullopt;
    return value.toString();
}

QString inputOf(care::Kind kind)
{
    switch (kind) {
    case care::Kind::BreastLeft:
    case care::Kind::BreastRight:
    case care::Kind::Sleep:
        return QStringLiteral("timer");
    case care::Kind::Formula:
    case care::Kind::Pumped:
        return QStringLiteral("ml");
    case care::Kind::Temperature:
        return QStringLiteral("temperature");
    case care::Kind::Medicine:
        return QStringLiteral("medicine");
    case care::Kind::Solids:
        return QStringLiteral("solids");
    case care::Kind::Poo:
        return QStringLiteral("poo");
    case care::Kind::Memo:
        return QStringLiteral("memo");
    case care::Kind::Pee:
    case care::Kind::Bath:
        break;
    }
    return QStringLiteral("none");
}

QString hhmm(QTime time) { return time.toString(QStringLiteral("HH:mm")); }

QJsonObject entryJson(const care::Entry &entry)
{
    return {{QStringLiteral("id"), entry.id},
            {QStringLiteral("time"), hhmm(entry.time)},
            {QStringLiteral("kind"), care::kindName(entry.kind)},
            {QStringLiteral("amount"), entry.amount},
            {QStringLiteral("end"), entry.running ? QStringLiteral("計測中")
                                    : entry.end   ? hhmm(*entry.end)
                                                  : QString()},
            {QStringLiteral("note"), entry.note},
            {QStringLiteral("by"), entry.by}};
}

} // namespace

bool peerAllowed(const QHostAddress &peer)
{
    bool isIpv4 = false;
    const quint32 ip = peer.toIPv4Address(&isIpv4);
    if (isIpv4)
        return inIpv4Ranges(ip);
    if (peer.protocol() != QAbstractSocket::IPv6Protocol)
        return false;
    return peer.isLoopback() || peer.isInSubnet(QHostAddress(QStringLiteral("fe80::")), 10);
}

bool hostAllowed(const QByteArray &hostHeader, const QString &announcedHost)
{
    return !announcedHost.isEmpty() &&
           QString::fromLatin1(hostHeader.trimmed()).compare(announcedHost, Qt::CaseInsensitive) == 0;
}

bool writeAllowed(const QByteArray &origin, const QByteArray &fetchSite, const QByteArray &techoHeader,
                  const QString &announcedOrigin)
{
    if (techoHeader.trimmed() != "1" || announcedOrigin.isEmpty())
        return false;
    if (origin.isEmpty())
        return fetchSite.trimmed() == "same-origin";
    return QString::fromLatin1(origin.trimmed()).compare(announcedOrigin, Qt::CaseInsensitive) == 0;
}

QHostAddress localAddress()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const auto entries = interface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() == QAbstractSocket::IPv4Protocol && privateIpv4(ip.toIPv4Address()))
                return ip;
        }
    }
    return QHostAddress(QHostAddress::LocalHost);
}

bool RateLimit::allow(const QString &client, qint64 msecs)
{
    // Clients gone quiet are forgotten, so the table stays as small as the house's phones.
    if (msecs - m_lastSweep > 10000) {
        m_lastSweep = msecs;
        for (auto it = m_recent.begin(); it != m_recent.end();)
            it = (it->isEmpty() || msecs - it->last() >= 1000) ? m_recent.erase(it) : std::next(it);
    }
    QList<qint64> &recent = m_recent[client];
    recent.erase(
        std::remove_if(recent.begin(), recent.end(), [msecs](qint64 t) { return msecs - t >= 1000; }),
        recent.end());
    if (recent.size() >= MaxRequestsPerSecond)
        return false;
    recent.append(msecs);
    return true;
}

BodyEntry entryOfBody(const QByteArray &body, const QDateTime &now, const QString &by)
{
    QString error;
    const QJsonObject object = parsedObject(body, error);
    if (!error.isEmpty())
        return {std::nullopt, error};
    static const QRegularExpression idPattern(QStringLiteral("^p-[0-9a-f]{12}$"));
    const QString id = object.value(QLatin1String("id")).toString();
    const std::optional<care::Kind> kind = care::kindOfName(object.value(QLatin1String("kind")).toString());
    const std::optional<QString> amount = textField(object, "amount", 20);
    const std::optional<QString> note = textField(object, "note", 200);
    const QJsonValue running = object.value(QLatin1String("running"));
    if (!idPattern.match(id).hasMatch() || !kind || !amount || !note ||
        !(running.isUndefined() || running.isBool()))
        return {std::nullopt, badInput()};
    // A span is recorded from the phone as a timer: started now, stopped by a later request.
    if (running.toBool() != care::isSpan(*kind))
        return {std::nullopt, badInput()};
    const QDateTime at = tapped(object.value(QLatin1String("age")), now);
    if (!at.isValid())
        return {std::nullopt, badTime()};

    care::Entry entry;
    entry.date = at.date();
    entry.time = at.time();
    entry.kind = *kind;
    entry.amount = amount->trimmed();
    entry.note = note->trimmed();
    entry.running = running.toBool();
    entry.id = id;
    entry.by = by;
    const QString wrong = care::checkEntry(entry);
    if (!wrong.isEmpty())
        return {std::nullopt, wrong};
    return {entry, {}};
}

BodyEntry stoppedOfBody(const QByteArray &body, const QList<care::Entry> &log, const QDateTime &now)
{
    QString error;
    const QJsonObject object = parsedObject(body, error);
    if (!error.isEmpty())
        return {std::nullopt, error};
    const QString id = object.value(QLatin1String("id")).toString();
    const auto found =
        std::find_if(log.begin(), log.end(), [&id](const care::Entry &e) { return e.id == id; });
    if (id.isEmpty() || found == log.end())
        return {std::nullopt, QStringLiteral("その記録は見つかりません。パソコンで消されたかもしれません。")};
    if (!found->running) // stopped already: a retry, or the other side stopped it
        return {*found, {}};
    QDateTime at = tapped(object.value(QLatin1String("age")), now);
    if (!at.isValid())
        return {std::nullopt, badTime()};
    if (at <= found->start())
        at = found->start().addSecs(60);
    care::Entry stopped = *found;
    stopped.running = false;
    stopped.end = at.time();
    const QString wrong = care::checkEntry(stopped);
    if (!wrong.isEmpty())
        return {std::nullopt, wrong};
    return {stopped, {}};
}

QString deviceName(const QString &typed)
{
    QString name = typed.simplified();
    name.remove(QRegularExpression(QStringLiteral("[\\x00-\\x1f\\x7f\"\\\\]")));
    name.truncate(20);
    return name.isEmpty() ? QStringLiteral("スマホ") : name;
}

QJsonObject logJson(const QList<care::Entry> &log, const QDateTime &now)
{
    QJsonArray kinds;
    for (care::Kind kind : care::kinds())
        kinds.append(QJsonObject{{QStringLiteral("name"), care::kindName(kind)},
                                 {QStringLiteral("input"), inputOf(kind)}});
    QJsonArray running;
    for (const care::Entry &entry : care::runningTimers(log)) {
        QJsonObject timer = entryJson(entry);
        timer.insert(QStringLiteral("minutes"), int(entry.start().secsTo(now) / 60));
        running.append(timer);
    }
    QJsonArray today;
    for (const care::Entry &entry : care::entriesOfDay(log, now.date(), 0))
        today.append(entryJson(entry));
    return {{QStringLiteral("now"), hhmm(now.time())},
            {QStringLiteral("kinds"), kinds},
            {QStringLiteral("since"), QJsonArray::fromStringList(care::sinceLast(log, now))},
            {QStringLiteral("running"), running},
            {QStringLiteral("today"), today}};
}

RequestFraming::Verdict RequestFraming::feed(const QByteArray &bytes)
{
    qsizetype at = 0;
    while (m_state != State::Failed && at < bytes.size()) {
        if (m_state == State::Body) {
            const qint64 take = std::min<qint64>(m_bodyLeft, bytes.size() - at);
            m_bodyLeft -= take;
            at += take;
            if (m_bodyLeft == 0)
                m_state = State::Head;
            continue;
        }
        const qsizetype oldSize = m_head.size();
        const QByteArray chunk = bytes.mid(at, MaxHead + 4 - oldSize);
        m_head.append(chunk);
        const qsizetype end = m_head.indexOf("\r\n\r\n", std::max<qsizetype>(0, oldSize - 3));
        if (end < 0) {
            at += chunk.size();
            if (m_head.size() > MaxHead + 3) { // the head without its blank line is over MaxHead
                m_state = State::Failed;
                m_failure = Verdict::TooLarge;
            }
            continue;
        }
        // Only the bytes up to the head's end belong to it; the rest is the body and beyond.
        at += end + 4 - oldSize;
        m_head.truncate(end);
        const Verdict verdict = endOfHead();
        m_head.clear();
        if (verdict != Verdict::Ok) {
            m_state = State::Failed;
            m_failure = verdict;
        }
    }
    return m_state == State::Failed ? m_failure : Verdict::Ok;
}

RequestFraming::Verdict RequestFraming::endOfHead()
{
    std::optional<qint64> length;
    const QList<QByteArray> lines = m_head.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = lines[i].left(colon).trimmed().toLower();
        const QByteArray value = lines[i].mid(colon + 1).trimmed();
        if (name == "transfer-encoding")
            return Verdict::Malformed; // the page sends bodies with their length
        if (name != "content-length")
            continue;
        bool ok = false;
        const qint64 n = value.toLongLong(&ok);
        if (!ok || n < 0 || (length && *length != n) || value.startsWith('+') || value.startsWith('-'))
            return Verdict::Malformed;
        length = n;
    }
    if (length.value_or(0) > MaxBody)
        return Verdict::TooLarge;
    m_bodyLeft = length.value_or(0);
    m_state = m_bodyLeft > 0 ? State::Body : State::Head;
    return Verdict::Ok;
}

} // namespace phone
