// Two real Syncthing instances on 127.0.0.1 sharing one folder between two local paths, so that a
// test can watch the notebook's files being copied, killed mid-way and put in conflict as on a user's
// machines. Needs a QCoreApplication and syncthing on PATH; start() says why when it cannot run.
#pragma once

#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

class SyncthingPair
{
public:
    // base: a temporary folder of the caller's, where the two instances get their homes.
    // folderA, folderB: the two copies of the shared folder; both exist, B may be empty.
    SyncthingPair(const QString &base, const QString &folderA, const QString &folderB);
    // Stops both instances: terminate, then kill.
    ~SyncthingPair();

    // Makes both homes, starts both instances and waits until they are connected to each other.
    bool start(QString *why);
    // Waits until both are idle and need nothing, each sees the other complete, and the two folders
    // hold the same names and bytes, twice in a row. Scans both folders first.
    bool waitInSync(int timeoutMs, QString *why);
    // kill -9 of instance 0 (A) or 1 (B).
    void kill(int which);
    // Starts that instance again and waits until it is connected.
    bool restart(int which, QString *why);
    // Both instances scan the folder now (each returns once its scan is done).
    void rescan();

    // The folder's files and folders, relative, sorted, without Syncthing's own marker, versions
    // and temporary files.
    static QStringList names(const QString &folder);

private:
    struct Instance {
        QString name; // "A" or "B", for messages
        QString home;
        QString folder;
        QString deviceId;
        QString apiKey;
        quint16 guiPort = 0;
        quint16 listenPort = 0;
        std::unique_ptr<QProcess> process;
    };

    bool makeHome(int which, QString *why);
    bool writeConfig(int which, QString *why);
    // Starts the instance and waits until its REST API answers.
    bool launch(int which, QString *why);
    bool waitConnected(int which, QString *why);
    bool inSyncOnce(QByteArray *state, QString *why);
    // One request to the REST API; false, with why, when no good answer came within timeoutMs.
    bool call(int which, const QByteArray &verb, const QString &pathAndQuery, QString *why,
              QByteArray *answer = nullptr, const QByteArray &body = QByteArray(), int timeoutMs = 5000);
    QJsonObject get(int which, const QString &pathAndQuery, QString *why);
    // Why the instance is not ready, with the end of its log.
    QString failure(int which, const QString &reason) const;

    QString m_program;
    Instance m_in[2];
    int m_dialer = 0; // the one that knows the other's address
    QNetworkAccessManager m_net;
};
