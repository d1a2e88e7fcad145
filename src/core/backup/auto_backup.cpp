#include "core/backup/auto_backup.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

namespace auto_backup {

namespace {

const QString On = QStringLiteral("on");
const QString Folder = QStringLiteral("folder");
const QString Keep = QStringLiteral("keep");
const QString NotebookPath = QStringLiteral("notebook");
const QString LastDay = QStringLiteral("lastDay");
const QString Written = QStringLiteral("written");
const QString FailedAt = QStringLiteral("failedAt");
const QString FailedFolder = QStringLiteral("failedFolder");
const QString Reason = QStringLiteral("failure");

// A path as the file system resolves it, also for a folder not made yet: its nearest existing
// ancestor's real path with the rest of the names after it.
QString realPath(const QString &path)
{
    QString at = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList rest;
    while (!QFileInfo::exists(at) && at != QStringLiteral("/")) {
        rest.prepend(QFileInfo(at).fileName());
        at = QFileInfo(at).absolutePath();
    }
    QString real = QFileInfo(at).canonicalFilePath();
    if (real.isEmpty())
        real = at;
    for (const QString &name : rest)
        real += (real.endsWith(u'/') ? QString() : QStringLiteral("/")) + name;
    return real;
}

// One group per notebook: two notebooks on this computer never share a setting.
class Group
{
public:
    explicit Group(const QString &notebookDir)
    {
        const QString real = realPath(notebookDir);
        const QByteArray key =
            QCryptographicHash::hash(real.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
        m_settings.beginGroup(QStringLiteral("autoBackup/") + QString::fromLatin1(key));
        m_real = real;
    }
    QSettings &operator*() { return m_settings; }
    QSettings *operator->() { return &m_settings; }
    const QString &real() const { return m_real; }

private:
    QSettings m_settings;
    QString m_real;
};

Setting settingOf(QSettings &s)
{
    Setting setting;
    setting.on = s.value(On, false).toBool();
    setting.folder = s.value(Folder).toString();
    setting.keep = qBound(MinKeep, s.value(Keep, DefaultKeep).toInt(), MaxKeep);
    return setting;
}

void remember(QSettings &s, const QDateTime &when, const QString &folder, const QString &reason)
{
    s.setValue(FailedAt, when.toString(Qt::ISODate));
    s.setValue(FailedFolder, folder);
    s.setValue(Reason, reason);
}

// A free name for today's zip: another zip of that name (a second notebook of the same
// nickname backed up this very minute) is never written over.
QString freeName(const QString &folder, const QString &nickname, const QDateTime &now)
{
    const QString name = fileName(nickname, now);
    const QString base = name.chopped(4);
    QString candidate = name;
    for (int n = 2;
         QFileInfo(folder + u'/' + candidate).exists() || QFileInfo(folder + u'/' + candidate).isSymLink();
         ++n)
        candidate = QStringLiteral("%1_%2.zip").arg(base).arg(n);
    return candidate;
}

} // namespace

Setting readSetting(const QString &notebookDir)
{
    Group g(notebookDir);
    return settingOf(*g);
}

void writeSetting(const QString &notebookDir, const Setting &setting)
{
    Group g(notebookDir);
    // The zips listed were written into the folder before: a new folder starts its own list,
    // and what is in the old one stays there untouched.
    if (g->value(Folder).toString() != setting.folder)
        g->remove(Written);
    g->setValue(NotebookPath, g.real());
    g->setValue(On, setting.on);
    g->setValue(Folder, setting.folder);
    g->setValue(Keep, qBound(MinKeep, setting.keep, MaxKeep));
}

QString fileName(const QString &nickname, const QDateTime &now)
{
    return notebook_zip::backupFileName(nickname.trimmed() + QStringLiteral("_自動"), now);
}

bool isOwnName(const QString &fileName)
{
    static const QRegularExpression own(QStringLiteral("^育児手帖_.*_自動_\\d{8}-\\d{4}(_\\d+)?\\.zip$"));
    return own.match(fileName).hasMatch();
}

QString folderRefusal(const QString &notebookDir, const QString &folder)
{
    const QString notebook = realPath(notebookDir);
    const QString chosen = realPath(folder);
    if (chosen != notebook && !chosen.startsWith(notebook + u'/'))
        return {};
    return QStringLiteral("手帖のフォルダーやその中のフォルダーには自動バックアップを置けません。\r\n"
                          "別のフォルダー（できれば別のディスクや USB メモリ）を選んでください。");
}

Pruned prune(const QString &folder, const QStringList &written, int keep)
{
    QStringList there;
    for (const QString &name : written) {
        const QFileInfo f(folder + u'/' + name);
        if (isOwnName(name) && !there.contains(name) && f.isFile() && !f.isSymLink())
            there.append(name);
    }
    Pruned p;
    const qsizetype excess = there.size() - qBound(MinKeep, keep, MaxKeep);
    for (qsizetype i = 0; i < there.size(); ++i) {
        if (i < excess) {
            if (QFile::remove(folder + u'/' + there[i])) {
                p.removed.append(there[i]);
                continue;
            }
            p.notRemoved.append(there[i]);
        }
        p.kept.append(there[i]);
    }
    return p;
}

bool due(const QString &notebookDir, const QDate &today)
{
    Group g(notebookDir);
    const Setting setting = settingOf(*g);
    return setting.on && !setting.folder.isEmpty() &&
           g->value(LastDay).toString() != today.toString(Qt::ISODate);
}

Result runAtClose(const QString &notebookDir, const QString &nickname, const QDateTime &now,
                  const notebook_zip::Progress &progress)
{
    Result r;
    Group g(notebookDir);
    const Setting setting = settingOf(*g);
    if (!setting.on || setting.folder.isEmpty())
        return r;
    if (g->value(LastDay).toString() == now.date().toString(Qt::ISODate)) {
        r.what = Result::DoneToday;
        return r;
    }
    const auto fail = [&](const QString &reason) {
        r.what = Result::Failed;
        r.error = reason;
        remember(*g, now, setting.folder, reason);
        return r;
    };
    if (const QString refused = folderRefusal(notebookDir, setting.folder); !refused.isEmpty())
        return fail(refused);
    if (!QFileInfo(setting.folder).isDir())
        return fail(
            QStringLiteral("保存先のフォルダー %1 が見つかりません。\r\n"
                           "USB メモリやネットワークのフォルダーなら、つながっているか確かめてください。")
                .arg(QDir::toNativeSeparators(setting.folder)));
    const QString name = freeName(setting.folder, nickname, now);
    const QString zip = QDir(setting.folder).filePath(name);
    const notebook_zip::Outcome o = notebook_zip::writeBackup(notebookDir, zip, false, progress);
    if (o.cancelled) {
        r.what = Result::Cancelled;
        return r;
    }
    if (!o.ok)
        return fail(o.error);
    r.what = Result::Written;
    r.zip = zip;
    g->setValue(LastDay, now.date().toString(Qt::ISODate));
    const Pruned p = prune(setting.folder, g->value(Written).toStringList() << name, setting.keep);
    g->setValue(Written, p.kept);
    r.removed = p.removed;
    // The zip is there; an old one left over is still told, so the folder does not fill unseen.
    if (!p.notRemoved.isEmpty())
        remember(
            *g, now, setting.folder,
            QStringLiteral("自動バックアップは書き込みましたが、古い自動バックアップ %1 を消せませんでした。")
                .arg(p.notRemoved.join(QStringLiteral("、"))));
    return r;
}

Failure takeFailure(const QString &notebookDir)
{
    Group g(notebookDir);
    Failure f;
    if (!g->contains(Reason))
        return f;
    f.when = QDateTime::fromString(g->value(FailedAt).toString(), Qt::ISODate);
    f.folder = g->value(FailedFolder).toString();
    f.reason = g->value(Reason).toString();
    g->remove(FailedAt);
    g->remove(FailedFolder);
    g->remove(Reason);
    return f;
}

} // namespace auto_backup
