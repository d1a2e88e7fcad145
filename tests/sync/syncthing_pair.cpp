#include "syncthing_pair.h"

#include <QCryptographicHash>
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
// Everything that would reach outside 127.0.0.1 is off; the folder is watched and rescanned often,
// keeps no versions and makes conflict copies as a user's would. An element left out reads as zero,
// not as its default: without maxConflicts the losing side of a conflict is thrown away. 5 s is the
// shortest reconnection interval syncthing takes.
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
        <address>tcp://127.0.0.1:@PEERPORT@</address>
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
    // Even with --no-restart, syncthing serve runs itself as a child of a monitor process; this makes
    // it run in the process we start, so that kill() kills the instance and not only its monitor.
    env.insert(QStringLiteral("STMONITORED"), QStringLiteral("yes"));
    return env;
}

void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool isSyncthingOwn(const QString &relative)
{
    static const QRegularExpression temporary(QStringLiteral("(^|/)\\.syncthing\\.[^/]*\\.tmp$"));
    return relative == QLatin1String(".stfolder") || relative.startsWith(QLatin1String(".stfolder/"))
           || relative == QLatin1String(".stversions") || relative.startsWith(QLatin1String(".stversions/"))
           || temporary.match(relative).hasMatch();
}

// Relative name -> bytes of every file and folder (folders end in '/' and hold nothing).
QMap<QString, QByteArray> contents(const QString &folder)
{
    QMap<QString, QByteArray> all;
    const QDir root(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString relative = root.relativeFilePath(it.filePath());
        if (isSyncthingOwn(relative))
            continue;
        if (it.fileInfo().isDir()) {
            all.insert(relative + u'/', QByteArray());
        } else {
            QFile file(it.filePath());
            all.insert(relative, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<unreadable>"));
        }
    }
    return all;
}

QString firstDifference(const QMap<QString, QByteArray> &a, const QMap<QString, QByteArray> &b)
{
    for (auto it = a.begin(); it != a.end(); ++it) {
        if (!b.contains(it.key()))
            return it.key() + QStringLiteral(" only in A");
        if (b.value(it.key()) != it.value())
            return it.key() + QStringLiteral(" differs");
    }
    for (auto it = b.begin(); it != b.end(); ++it)
        if (!a.contains(it.key()))
            return it.key() + QStringLiteral(" only in B");
    return QString();
}

} // namespace

SyncthingPair::SyncthingPair(const QString &base, const QString &folderA, const QString &folderB)
{
    const QString folders[2] = {folderA, folderB};
    for (int i = 0; i < 2; ++i) {
        m_in[i].name = i == 0 ? QStringLiteral("A") : QStringLiteral("B");
        m_in[i].home = QDir(base).absoluteFilePath(QStringLiteral("syncthing-") + m_in[i].name);
        m_in[i].folder = QDir(folders[i]).absolutePath();
        m_in[i].apiKey = QString::number(QRandomGenerator::global()->generate64(), 36);
    }
    m_net.setProxy(QNetworkProxy::NoProxy);
}

SyncthingPair::~SyncthingPair()
{
    stop(0);
    stop(1);
}

bool SyncthingPair::start(QString *why)
{
    m_program = QStandardPaths::findExecutable(QStringLiteral("syncthing"));
    if (m_program.isEmpty()) {
        *why = QStringLiteral("syncthing is not installed (not on PATH)");
        return false;
    }
    // Four free ports at once, so that no two are the same; they stay the instances' for restarts.
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
    for (Instance &in : m_in)
        if (!makeHome(in, why))
            return false;
    for (int i = 0; i < 2; ++i)
        if (!writeConfig(i, why) || !launch(i, why))
            return false;
    return waitConnected(0, 30000, why) && waitConnected(1, 30000, why);
}

bool SyncthingPair::makeHome(Instance &in, QString *why)
{
    if (!QDir().mkpath(in.home)) {
        *why = QStringLiteral("cannot make ") + in.home;
        return false;
    }
    QProcess p;
    p.setProcessEnvironment(environment(in.home));
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(m_program, {QStringLiteral("generate"), QStringLiteral("--home=") + in.home,
                        QStringLiteral("--no-default-folder"), QStringLiteral("--skip-port-probing")});
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *why = QStringLiteral("syncthing generate failed for %1: %2 %3")
                   .arg(in.name, p.errorString(), QString::fromLocal8Bit(p.readAll()));
        return false;
    }
    p.start(m_program, {QStringLiteral("serve"), QStringLiteral("--home=") + in.home, QStringLiteral("--device-id")});
    p.waitForFinished(30000);
    in.deviceId = QString::fromLatin1(p.readAll()).trimmed();
    if (in.deviceId.size() != 63) {
        *why = QStringLiteral("no device ID for %1: %2").arg(in.name, in.deviceId);
        return false;
    }
    return true;
}

bool SyncthingPair::writeConfig(int which, QString *why)
{
    const Instance &in = m_in[which], &peer = m_in[1 - which];
    QString xml = QString::fromLatin1(configTemplate);
    xml.replace(QStringLiteral("@ID@"), folderId)
        .replace(QStringLiteral("@FOLDER@"), in.folder.toHtmlEscaped())
        .replace(QStringLiteral("@SELF@"), in.deviceId)
        .replace(QStringLiteral("@SELFNAME@"), in.name)
        .replace(QStringLiteral("@PEER@"), peer.deviceId)
        .replace(QStringLiteral("@PEERNAME@"), peer.name)
        .replace(QStringLiteral("@PEERPORT@"), QString::number(peer.listenPort))
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
    return true;
}

bool SyncthingPair::waitConnected(int which, int timeoutMs, QString *why)
{
    const Instance &in = m_in[which], &peer = m_in[1 - which];
    QElapsedTimer clock;
    clock.start();
    QString reason;
    for (;;) {
        if (in.process->state() != QProcess::Running) {
            *why = QStringLiteral("syncthing %1 stopped (exit code %2):\n%3")
                       .arg(in.name)
                       .arg(in.process->exitCode())
                       .arg(logTail(which));
            return false;
        }
        const QByteArray body = call(which, "GET", QStringLiteral("/rest/system/connections"), 2000, &reason);
        const QJsonObject connections = QJsonDocument::fromJson(body).object().value(u"connections").toObject();
        if (connections.value(peer.deviceId).toObject().value(u"connected").toBool())
            return true;
        if (!body.isEmpty())
            reason = QStringLiteral("not connected to ") + peer.name;
        if (clock.elapsed() > timeoutMs) {
            *why = QStringLiteral("syncthing %1 not ready after %2 ms: %3\n%4")
                       .arg(in.name)
                       .arg(clock.elapsed())
                       .arg(reason, logTail(which));
            return false;
        }
        pause(200);
    }
}

bool SyncthingPair::waitInSync(int timeoutMs, QString *why)
{
    QElapsedTimer clock;
    clock.start();
    rescan();
    QString previous, state, reason;
    for (;;) {
        // Twice the same state in a row: nothing moved in between.
        if (inSyncOnce(&state, &reason)) {
            if (state == previous)
                return true;
            reason = QStringLiteral("in sync once, not yet twice");
        } else {
            state.clear();
        }
        previous = state;
        if (clock.elapsed() > timeoutMs) {
            *why = QStringLiteral("not in sync after %1 ms: %2").arg(clock.elapsed()).arg(reason);
            return false;
        }
        pause(500);
    }
}

bool SyncthingPair::inSyncOnce(QString *state, QString *why)
{
    state->clear();
    for (int i = 0; i < 2; ++i) {
        const Instance &in = m_in[i], &peer = m_in[1 - i];
        if (!in.process || in.process->state() != QProcess::Running) {
            *why = in.name + QStringLiteral(" is not running");
            return false;
        }
        const QJsonObject status = QJsonDocument::fromJson(
            call(i, "GET", QStringLiteral("/rest/db/status?folder=") + folderId, 5000, why)).object();
        if (status.isEmpty())
            return false;
        const QString folderState = status.value(u"state").toString();
        if (folderState != QLatin1String("idle")) {
            *why = QStringLiteral("%1 is %2 %3").arg(in.name, folderState, status.value(u"error").toString());
            return false;
        }
        if (status.value(u"needTotalItems").toInt() != 0 || status.value(u"errors").toInt() != 0) {
            *why = QStringLiteral("%1 needs %2 items, %3 errors")
                       .arg(in.name)
                       .arg(status.value(u"needTotalItems").toInt())
                       .arg(status.value(u"errors").toInt());
            return false;
        }
        const QJsonObject completion = QJsonDocument::fromJson(
            call(i, "GET", QStringLiteral("/rest/db/completion?folder=%1&device=%2").arg(folderId, peer.deviceId),
                 5000, why)).object();
        if (completion.isEmpty())
            return false;
        if (completion.value(u"completion").toDouble() < 100 || completion.value(u"needItems").toInt() != 0
            || completion.value(u"needDeletes").toInt() != 0) {
            *why = QStringLiteral("%1 sees %2 at %3 %").arg(in.name, peer.name).arg(completion.value(u"completion").toDouble());
            return false;
        }
        *state += QString::number(status.value(u"sequence").toInteger()) + u',';
    }
    const QMap<QString, QByteArray> a = contents(m_in[0].folder), b = contents(m_in[1].folder);
    const QString difference = firstDifference(a, b);
    if (!difference.isEmpty()) {
        *why = QStringLiteral("the folders differ: ") + difference;
        return false;
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (auto it = a.begin(); it != a.end(); ++it) {
        hash.addData(it.key().toUtf8() + '\0');
        hash.addData(QCryptographicHash::hash(it.value(), QCryptographicHash::Sha256));
    }
    *state += QString::fromLatin1(hash.result().toHex());
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
    return launch(which, why) && waitConnected(which, 30000, why) && waitConnected(1 - which, 30000, why);
}

void SyncthingPair::rescan()
{
    for (int i = 0; i < 2; ++i)
        if (m_in[i].process && m_in[i].process->state() == QProcess::Running)
            call(i, "POST", QStringLiteral("/rest/db/scan?folder=") + folderId, 30000, nullptr);
}

QStringList SyncthingPair::names(const QString &folder)
{
    return contents(folder).keys();
}

QByteArray SyncthingPair::call(int which, const QByteArray &verb, const QString &pathAndQuery, int timeoutMs,
                               QString *why)
{
    const Instance &in = m_in[which];
    QNetworkRequest request(
        QUrl(QStringLiteral("http://127.0.0.1:") + QString::number(in.guiPort) + pathAndQuery));
    request.setRawHeader("X-API-Key", in.apiKey.toLatin1());
    request.setTransferTimeout(timeoutMs);
    const std::unique_ptr<QNetworkReply> reply(m_net.sendCustomRequest(request, verb));
    if (!reply->isFinished()) {
        QEventLoop loop;
        QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    const QByteArray body = reply->readAll();
    if (reply->error() != QNetworkReply::NoError) {
        if (why)
            *why = QStringLiteral("%1 %2 on %3: %4").arg(QString::fromLatin1(verb), pathAndQuery, in.name,
                                                         reply->errorString());
        return QByteArray();
    }
    return body.isEmpty() ? QByteArrayLiteral("{}") : body;
}

QString SyncthingPair::logTail(int which) const
{
    QFile file(m_in[which].home + QStringLiteral("/syncthing.log"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    return lines.mid(qMax(0, lines.size() - 15)).join(u'\n');
}

void SyncthingPair::stop(int which)
{
    Instance &in = m_in[which];
    if (!in.process || in.process->state() == QProcess::NotRunning)
        return;
    in.process->terminate();
    if (!in.process->waitForFinished(10000)) {
        in.process->kill();
        in.process->waitForFinished(10000);
    }
}
