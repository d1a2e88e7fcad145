#pragma once

#include "core/care/care_log.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QHostAddress>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

// The decisions of the phone page's server, as plain functions: which peers, hosts and
// origins are answered, how fast one client may ask, and what a request's body means.
namespace phone {

constexpr int MaxBody = 4096; // bytes of a request's body
constexpr int MaxHead = 8192; // bytes of a request's line and headers
constexpr int MaxRequestsPerSecond = 10;
// How long before now an entry may be dated when it reaches the computer late (a phone that
// slept with the entry unsent).
constexpr int MaxAgeSeconds = 24 * 3600;

// Loopback, the private ranges (10/8, 172.16/12, 192.168/16) and link-local (169.254/16,
// fe80::/10); an IPv4 address mapped into IPv6 counts as itself.
bool peerAllowed(const QHostAddress &peer);

// The Host header names the host and port the server announced ("192.168.1.20:47110"), so a
// name that a foreign site made point at this computer is not answered.
bool hostAllowed(const QByteArray &hostHeader, const QString &announcedHost);

// A write comes from the page itself: its Origin is the announced origin ("http://host:port"),
// or the browser sends none and says same-origin; and it carries the page's own header
// (X-Techo: 1), which a cross-site form cannot set.
bool writeAllowed(const QByteArray &origin, const QByteArray &fetchSite, const QByteArray &techoHeader,
                  const QString &announcedOrigin);

// The first private IPv4 address of an interface that is up and not loopback; 127.0.0.1
// when there is none.
QHostAddress localAddress();

// At most MaxRequestsPerSecond requests in any second from one client; the rest are answered
// "too many" until the second has passed.
class RateLimit
{
public:
    // Whether a request from client at msecs (a steady clock) may be answered now.
    bool allow(const QString &client, qint64 msecs);
    int clients() const { return int(m_recent.size()); }

private:
    QHash<QString, QList<qint64>> m_recent;
    qint64 m_lastSweep = 0;
};

// A request body read as an entry: the entry, or the message that says what is wrong.
struct BodyEntry {
    std::optional<care::Entry> entry;
    QString error;
};
// POST /api/entry: {"id":"p-1a2b3c4d5e6f","kind":"ミルク","amount":"120","note":"",
// "running":false,"age":12}; age is the seconds between the tap and the sending, so a
// retry keeps the time of the tap. The entry is dated now − age, by the phone's name, and
// checked as the desktop checks one.
BodyEntry entryOfBody(const QByteArray &body, const QDateTime &now, const QString &by);
// POST /api/stop: {"id":"…","age":3}: the running timer of that id, stopped at now − age
// (a feed of less than a minute counts as one minute).
BodyEntry stoppedOfBody(const QByteArray &body, const QList<care::Entry> &log, const QDateTime &now);
// The name a phone is given when paired: trimmed, at most 20 characters, "スマホ" when empty.
QString deviceName(const QString &typed);

// GET /api/log: what the page shows: the kinds and what each asks for, the times since the
// last feed, nappy and sleep, the running timers and today's entries.
QJsonObject logJson(const QList<care::Entry> &log, const QDateTime &now);

// Follows the bytes a connection receives from request to request, so that a request whose
// head or body is too large is stopped before it is read whole.
class RequestFraming
{
public:
    enum class Verdict { Ok, TooLarge, Malformed };
    Verdict feed(const QByteArray &bytes);

private:
    enum class State { Head, Body, Failed } m_state = State::Head;
    QByteArray m_head;
    qint64 m_bodyLeft = 0;
    Verdict m_failure = Verdict::Ok;
    Verdict endOfHead();
};

} // namespace phone
