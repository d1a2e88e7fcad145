#include "syncthing_pair.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTimer>

namespace {

const QString folderId = QStringLiteral("techo");

// The whole config.xml, written over the generated one: only the certificate and key are kept.
// Nothing reaches outside 127.0.0.1; the folder is watched and rescanned often, keeps no versions and
// makes conflict copies as a user's would. An element left out reads as zero, not as its default:
// without maxConflicts the losing side of a conflict would be thrown away.
const char configTemplate[] = R"(<configuration version="36">
    <folder id="@ID@" label="@ID@" path="@FOLDER@" type="sendreceive" rescanIntervalS="5" fsWatcherEnabled="true" fsWatcherDelayS="1" ignorePerms="true" autoNormalize="true">
        <filesystemType>basic</filesystemType>
        <device id="@SELF@" introducedBy=""></device>
        <device id="@PEER@" introducedBy=""></device>
        <minDiskFree unit="%">0</minDiskFree>
        <versioning></versioning>
        <markerName>.stfolder</markerName>
        <maxConflicts>10</maxConflicts>
    </folder>
    <device id="@SELF@" name="@SELFNAME@" compression="metadata" introducer="false">
        <address>dynamic</address>
    </device>
    <device id="@PEER@" name="@PEERNAME@" compression="metadata" introducer="false">
        <address>@PEERADDRESS@</address>
    </device>
    <gui enabled="true" tls="false" debugging="false">
        <address>127.0.0.1:@GUIPORT@</address>
        <apikey>@APIKEY@</apikey>
    </gui>
    <options>
        <listenAddress>tcp://127.0.0.1:@LISTENPORT@</listenAddress>
        <globalAnnounceEnabled>false</globalAnnounceEnabled>
        <localAnnounceEnabled>false</localAnnounceEnabled>
        <relaysEnabled>false</relaysEnabled>
        <natEnabled>false</natEnabled>
        <startBrowser>false</startBrowser>
        <urAccepted>-1</urAccepted>
        <autoUpgradeIntervalH>0</autoUpgradeIntervalH>
        <crashReportingEnabled>false</crashReportingEnabled>
        <reconnectionIntervalS>5</reconnectionIntervalS>
        <minHomeDiskFree unit="%">0</minHomeDiskFree>
        <setLowPriority>false</setLowPriority>
    </options>
</configuration>
)";

QProcessEnvironment environment(const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // These would override the config or send the connections through a proxy.
    for (const char *name : {"STGUIADDRESS", "STGUIAPIKEY", "STTRACE", "ALL_PROXY", "all_proxy", "HTTP_PROXY",
                             "http_proxy", "HTTPS_PROXY", "https_proxy"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("STNODEFAULTFOLDER"), QStringLiteral("1"));
    env.insert(QStringLiteral("STNOUPGRADE"), QStringLiteral("1"));
    env.insert(QStringLiteral("STNORESTART"), QStringLiteral("1"));
    // Even with --no-restart, syncthing serve runs itself under a monitor process; this runs it in the
    // process we start, so that kill() kills the instance and not only its monitor.
    env.insert(QStringLiteral("STMONITORED"), QStringLiteral("yes"));
    return env;
}

// Waits with the events going: replies and process exits are only seen through them.
void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Relative name -> bytes of every file and folder (folders end in '/'), without Syncthing's marker,
// versions and temporary files.
QMap<QString, QByteArray> contents(const QString &folder)
{
    static const QRegularExpression own(
        QStringLiteral("^\\.st(folder|versions)(/|$)|(^|/)\\.syncthing\\.[^/]*\\.tmp$"));
    QMap<QString, QByteArray> all;
    const QDir root(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString relative = root.relativeFilePath(it.filePath());
        if (own.match(relative).hasMatch())
            continue;
        QFile file(it.filePath());
        if (it.fileInfo().isDir())
            all.insert(relative + u'/', QByteArray());
        else if (file.open(QIODevice::ReadOnly))
            all.insert(relative, file.readAll());
        else
            all.insert(relative, QByteArrayLiteral("(unreadable)"));
    }
    return all;
}

} // namespace

SyncthingPair::SyncthingPair(const QString &base, const QString &folderA, const QString &folderB)
{
    for (int i = 0; i < 2; ++i) {
        m_in[i].name = i == 0 ? QStringLiteral("A") : QStringLiteral("B");
        m_in[i].home = QDir(base).absoluteFilePath(QStringLiteral("syncthing-") + m_in[i].name);
        m_in[i].folder = QDir(i == 0 ? folderA : folderB).absolutePath();
        m_in[i].apiKey = QString::number(QRandomGenerator::global()->generate64(), 36);
    }
    m_net.setProxy(QNetworkProxy::NoProxy);
}

SyncthingPair::~SyncthingPair()
{
    for (Instance &in : m_in) {
        if (!in.process || in.process->state() == QProcess::NotRunning)
            continue;
        in.process->terminate();
        if (!in.process->waitForFinished(10000)) {
            in.process->kill();
            in.process->waitForFinished(10000);
        }
    }
}

bool SyncthingPair::start(QString *why)
{
    m_program = QStandardPaths::findExecutable(QStringLiteral("syncthing"));
    if (m_program.isEmpty()) {
        *why = QStringLiteral("syncthing is not installed (not on PATH)");
        return false;
    }
    // Four free ports held at once, so that no two are the same; they stay the instances' for restarts.
    QTcpServer probes[4];
    for (QTcpServer &probe : probes) {
        if (!probe.listen(QHostAddress::LocalHost, 0)) {
            *why = QStringLiteral("no free port on 127.0.0.1: ") + probe.errorString();
            return false;
        }
    }
    for (int i = 0; i < 2; ++i) {
        m_in[i].guiPort = probes[2 * i].serverPort();
        m_in[i].listenPort = probes[2 * i + 1].serverPort();
    }
    for (QTcpServer &probe : probes)
        probe.close();
    m_dialer = 0;
    for (int i = 0; i < 2; ++i)
        if (!makeHome(i, why))
            return false;
    if (!writeConfig(0, why) || !writeConfig(1, why))
        return false;
    // B listens before A dials it as it starts; otherwise A would try again only 5 s later.
    return launch(1, why) && launch(0, why) && waitConnected(0, why) && waitConnected(1, why);
}

bool SyncthingPair::makeHome(int which, QString *why)
{
    Instance &in = m_in[which];
    QProcess p;
    p.setProcessEnvironment(environment(in.home));
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(m_program, {QStringLiteral("generate"), QStringLiteral("--home=") + in.home,
                        QStringLiteral("--no-default-folder"), QStringLiteral("--skip-port-probing")});
    const bool done = p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    const QString output = QString::fromLocal8Bit(p.readAll());
    // "Device ID: XXXXXXX-XXXXXXX-..." among the log lines.
    const QRegularExpressionMatch id =
        QRegularExpression(QStringLiteral("Device ID: ([A-Z0-9-]{63})")).match(output);
    if (!done || !id.hasMatch()) {
        *why =
            QStringLiteral("syncthing generate failed for %1: %2 %3").arg(in.name, p.errorString(), output);
        return false;
    }
    in.deviceId = id.captured(1);
    return true;
}

bool SyncthingPair::writeConfig(int which, QString *why)
{
    const Instance &in = m_in[which], &peer = m_in[1 - which];
    // Only one of the two dials, the other knows no address. When both dial at once, each waits for
    // the other's hello on its own connection while the other answers on the other one, and both give
    // up after 20 s, again and again.
    const QString peerAddress = which == m_dialer ? QStringLiteral("tcp://127.0.0.1:%1").arg(peer.listenPort)
                                                  : QStringLiteral("dynamic");
    QString xml = QString::fromLatin1(configTemplate);
    xml.replace(QStringLiteral("@ID@"), folderId)
        .replace(QStringLiteral("@FOLDER@"), in.folder.toHtmlEscaped())
        .replace(QStringLiteral("@SELFNAME@"), in.name)
        .replace(QStringLiteral("@SELF@"), in.deviceId)
        .replace(QStringLiteral("@PEERNAME@"), peer.name)
        .replace(QStringLiteral("@PEERADDRESS@"), peerAddress)
        .replace(QStringLiteral("@PEER@"), peer.deviceId)
        .replace(QStringLiteral("@GUIPORT@"), QString::number(in.guiPort))
        .replace(QStringLiteral("@APIKEY@"), in.apiKey)
        .replace(QStringLiteral("@LISTENPORT@"), QString::number(in.listenPort));
    QFile file(in.home + QStringLiteral("/config.xml"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(xml.toUtf8()) < 0) {
        *why = QStringLiteral("cannot write ") + file.fileName();
        return false;
    }
    return true;
}

bool SyncthingPair::launch(int which, QString *why)
{
    Instance &in = m_in[which];
    in.process = std::make_unique<QProcess>();
    in.process->setProcessEnvironment(environment(in.home));
    in.process->setProcessChannelMode(QProcess::MergedChannels);
    in.process->setStandardOutputFile(in.home + QStringLiteral("/syncthing.log"), QIODevice::Append);
    in.process->start(m_program, {QStringLiteral("serve"), QStringLiteral("--home=") + in.home,
                                  QStringLiteral("--no-browser"), QStringLiteral("--no-restart"),
                                  QStringLiteral("--no-upgrade"), QStringLiteral("--logflags=3")});
    if (!in.process->waitForStarted(10000)) {
        *why = QStringLiteral("syncthing %1 did not start: %2").arg(in.name, in.process->errorString());
        return false;
    }
    // The REST API answers once the sync listener is up.
    QElapsedTimer clock;
    clock.start();
    QString reason;
    while (in.process->state() == QProcess::Running && clock.elapsed() < 30000) {
        if (call(which, "GET", QStringLiteral("/rest/system/ping"), &reason))
            return true;
        pause(100);
    }
    *why = failure(which, reason);
    return false;
}

bool SyncthingPair::waitConnected(int which, QString *why)
{
    const Instance &in = m_in[which], &peer = m_in[1 - which];
    QElapsedTimer clock;
    clock.start();
    QString reason;
    while (in.process->state() == QProcess::Running && clock.elapsed() < 30000) {
        const QJsonObject connections = get(which, QStringLiteral("/rest/system/connections"), &reason);
        if (connections.value(u"connections")[peer.deviceId][u"connected"].toBool())
            return true;
        if (!connections.isEmpty())
            reason = QStringLiteral("not connected to ") + peer.name;
        pause(200);
    }
    *why = failure(which, reason);
    return false;
}

bool SyncthingPair::waitInSync(int timeoutMs, QString *why)
{
    QElapsedTimer clock;
    clock.start();
    rescan();
    QByteArray previous, state;
    QString reason;
    for (;;) {
        // The same state twice in a row: nothing moved in between.
        if (inSyncOnce(&state, &reason)) {
            if (state == previous)
                return true;
            reason = QStringLiteral("in sync once, not yet twice");
        }
        previous = state;
        if (clock.elapsed() > timeoutMs) {
            *why = QStringLiteral("not in sync after %1 ms: %2").arg(clock.elapsed()).arg(reason);
            return false;
        }
        pause(500);
    }
}

bool SyncthingPair::inSyncOnce(QByteArray *state, QString *why)
{
    state->clear();
    for (int i = 0; i < 2; ++i) {
        const Instance &in = m_in[i], &peer = m_in[1 - i];
        if (!in.process || in.process->state() != QProcess::Running) {
            *why = in.name + QStringLiteral(" is not running");
            return false;
        }
        const QJsonObject status = get(i, QStringLiteral("/rest/db/status?folder=") + folderId, why);
        const QJsonObject completion = get(
            i, QStringLiteral("/rest/db/completion?folder=%1&device=%2").arg(folderId, peer.deviceId), why);
        if (status.isEmpty() || completion.isEmpty())
            return false;
        const QString folderState = status.value(u"state").toString();
        const int needs = status.value(u"needTotalItems").toInt(), errors = status.value(u"errors").toInt();
        if (folderState != QLatin1String("idle") || needs || errors) {
            *why = QStringLiteral("%1 is %2, needs %3 items, has %4 errors")
                       .arg(in.name, folderState)
                       .arg(needs)
                       .arg(errors);
            return false;
        }
        const double complete = completion.value(u"completion").toDouble();
        if (complete < 100 || completion.value(u"needItems").toInt() ||
            completion.value(u"needDeletes").toInt()) {
            *why = QStringLiteral("%1 sees %2 at %3 %").arg(in.name, peer.name).arg(complete);
            return false;
        }
        *state += QByteArray::number(status.value(u"sequence").toInteger()) + ',';
    }
    const QMap<QString, QByteArray> a = contents(m_in[0].folder), b = contents(m_in[1].folder);
    for (const QString &name : a.keys() + b.keys()) {
        if (a.contains(name) != b.contains(name) || a.value(name) != b.value(name)) {
            *why = QStringLiteral("the folders differ at ") + name;
            return false;
        }
    }
    for (auto it = a.begin(); it != a.end(); ++it)
        *state += it.key().toUtf8() + '\0' + it.value() + '\0';
    return true;
}

void SyncthingPair::kill(int which)
{
    Instance &in = m_in[which];
    if (in.process && in.process->state() != QProcess::NotRunning) {
        in.process->kill();
        in.process->waitForFinished(10000);
    }
    m_net.clearConnectionCache();
}

bool SyncthingPair::restart(int which, QString *why)
{
    kill(which);
    if (which != m_dialer) {
        // The one left running would dial again only at its next round, 5 to 10 s away: it stops
        // dialing, and the restarted one dials it as it starts.
        if (!call(1 - which, "PATCH", QStringLiteral("/rest/config/devices/") + m_in[which].deviceId, why,
                  nullptr, R"({"addresses": ["dynamic"]})"))
            return false;
        m_dialer = which;
        if (!writeConfig(which, why))
            return false;
    }
    return launch(which, why) && waitConnected(which, why) && waitConnected(1 - which, why);
}

void SyncthingPair::rescan()
{
    QString ignored;
    for (int i = 0; i < 2; ++i)
        if (m_in[i].process && m_in[i].process->state() == QProcess::Running)
            call(i, "POST", QStringLiteral("/rest/db/scan?folder=") + folderId, &ignored, nullptr,
                 QByteArray(), 30000);
}

QStringList SyncthingPair::names(const QString &folder) { return contents(folder).keys(); }

bool SyncthingPair::call(int which, const QByteArray &verb, const QString &pathAndQuery, QString *why,
                         QByteArray *answer, const QByteArray &body, int timeoutMs)
{
    const Instance &in = m_in[which];
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1").arg(in.guiPort) + pathAndQuery));
    request.setRawHeader("X-API-Key", in.apiKey.toLatin1());
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    request.setTransferTimeout(timeoutMs);
    const std::unique_ptr<QNetworkReply> reply(m_net.sendCustomRequest(request, verb, body));
    if (!reply->isFinished()) {
        QEventLoop loop;
        QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (reply->error() != QNetworkReply::NoError) {
        *why = QStringLiteral("%1 %2 on %3: %4")
                   .arg(QString::fromLatin1(verb), pathAndQuery, in.name, reply->errorString());
        return false;
    }
    if (answer)
        *answer = reply->readAll();
    return true;
}

QJsonObject SyncthingPair::get(int which, const QString &pathAndQuery, QString *why)
{
    QByteArray answer;
    return call(which, "GET", pathAndQuery, why, &answer) ? QJsonDocument::fromJson(answer).object()
                                                          : QJsonObject();
}

QString SyncthingPair::failure(int which, const QString &reason) const
{
    const Instance &in = m_in[which];
    QString text =
        in.process->state() == QProcess::Running
            ? QStringLiteral("syncthing %1 not ready after 30 s: %2").arg(in.name, reason)
            : QStringLiteral("syncthing %1 stopped (exit code %2)").arg(in.name).arg(in.process->exitCode());
    QFile log(in.home + QStringLiteral("/syncthing.log"));
    const QStringList lines =
        log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).split(u'\n') : QStringList();
    return text + u'\n' + lines.mid(qMax(0, lines.size() - 15)).join(u'\n');
}
