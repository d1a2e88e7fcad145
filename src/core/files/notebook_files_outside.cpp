#include "core/files/clock.h"
#include "core/files/file_names.h"
#include "core/files/notebook_files.h"
#include "core/files/record_merge.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <utility>

namespace {

QString label(const QString &bareName) { return QFileInfo(bareName).completeBaseName(); }

// At most five records by name, then "ほか".
QString namesOf(const QStringList &records)
{
    QStringList names = records.mid(0, 5);
    if (records.size() > 5)
        names.append(QStringLiteral("ほか"));
    return names.join(QStringLiteral("、"));
}

// The data file's own spelling of a name, "" for a name that is not a data file.
QString dataFileNamed(const QString &name)
{
    for (const QString &data : dataFileNames())
        if (data.compare(name, Qt::CaseInsensitive) == 0)
            return data;
    return {};
}

} // namespace

void NotebookFiles::remember(const QString &bareName, const QByteArray &bytes, bool written) const
{
    Known &k = m_known[bareName.toLower()];
    if (k.name.isEmpty())
        k.name = dataFileNamed(bareName).isEmpty() ? bareName : dataFileNamed(bareName);
    k.bytes = bytes;
    k.exists = true;
    const QFileInfo info(m_folder.pathOf(bareName));
    k.size = info.exists() ? info.size() : -1;
    k.modified = info.exists() ? info.lastModified() : QDateTime();
    k.bytesSize = k.size;
    k.bytesModified = k.modified;
    if (written) {
        k.written = bytes;
        k.writtenFrom = k.shared;
        k.wrote = true;
    } else if (!k.wrote || bytes != k.written) {
        k.shared = bytes;
        k.sharedKnown = true;
    }
}

bool NotebookFiles::joinOutside(const QString &bareName, QByteArray &bytes, bool &joined, QString &error,
                                QByteArray *seen, bool *seenKnown)
{
    joined = false;
    const auto known = m_known.constFind(bareName.toLower());
    if (known == m_known.constEnd() || record_merge::kindOf(bareName) == record_merge::Kind::Derived)
        return true;
    bool found = false;
    const QByteArray now = m_folder.readAll(bareName, &found);
    if (seen && seenKnown) {
        *seen = now;
        *seenKnown = found;
    }
    // A file gone meanwhile is written whole again: nothing of this program's is lost.
    if (!found || (known->exists && now == known->bytes))
        return true;
    const record_merge::Outcome outcome =
        record_merge::merge3(record_merge::kindOf(bareName), known->bytes, bytes, now);
    QString copy;
    if (!outcome.conflicts.isEmpty()) {
        copy = m_folder.keepBackup(bareName, m_clock.now());
        if (copy.isEmpty()) {
            error = QStringLiteral("%1 は別のパソコンでも変更されていましたが、その内容の控えを作れなかったため、"
                                   "書き込みを取りやめました。\r\nフォルダーの空き容量と書き込み権限を確かめてください。")
                        .arg(bareName);
            return false;
        }
    }
    Known &k = m_known[bareName.toLower()];
    k.shared = now;
    k.sharedKnown = true;
    bytes = outcome.bytes;
    joined = true;
    noteOutside(bareName, outcome.fromElsewhere, outcome.conflicts, copy);
    return true;
}

WriteResult NotebookFiles::keepOtherVersion(const QString &bareName, const QStringList &records)
{
    WriteResult r;
    if (!m_folder.exists(bareName))
        return r;
    const QString copy = m_folder.keepBackup(bareName, m_clock.now());
    if (copy.isEmpty()) {
        r.ok = false;
        r.error = QStringLiteral("%1 は別のパソコンでも変更されていましたが、その内容の控えを作れなかったため、"
                                 "書き込みを取りやめました。\r\nフォルダーの空き容量と書き込み権限を確かめてください。")
                      .arg(bareName);
        return r;
    }
    noteOutside(bareName, 0, records, copy);
    return r;
}

void NotebookFiles::noteOutside(const QString &bareName, int records, const QStringList &conflicts,
                                const QString &copy)
{
    if (records > 0) {
        auto same = std::find_if(m_outsideCounts.begin(), m_outsideCounts.end(),
                                 [&bareName](const auto &c) { return c.first == bareName; });
        if (same == m_outsideCounts.end())
            m_outsideCounts.append({bareName, records});
        else
            same->second += records;
    }
    if (!conflicts.isEmpty() && !copy.isEmpty())
        m_outsideCopies.append(QStringLiteral("%1 の %2 は両方のパソコンで変更されていました。"
                                              "こちらの内容を保存し、もう一方の内容は %3 に残しました。")
                                   .arg(label(bareName), namesOf(conflicts), copy));
}

QString NotebookFiles::takeOutsideNote()
{
    QString note;
    QStringList counts;
    for (const auto &[name, records] : std::as_const(m_outsideCounts))
        counts.append(QStringLiteral("%1 %2%3")
                          .arg(label(name))
                          .arg(records)
                          .arg(record_merge::unitOf(record_merge::kindOf(name))));
    if (!counts.isEmpty())
        note = QStringLiteral("別のパソコンでの変更を読み込みました（%1）。").arg(counts.join(QStringLiteral("、")));
    for (const QString &copy : std::as_const(m_outsideCopies))
        note += copy;
    m_outsideCounts.clear();
    m_outsideCopies.clear();
    return note;
}

QStringList NotebookFiles::changedOutside()
{
    QStringList names;
    for (auto it = m_known.begin(); it != m_known.end(); ++it) {
        const QFileInfo info(m_folder.pathOf(it->name));
        const qint64 size = info.exists() ? info.size() : -1;
        if (size == it->size && (size < 0 || info.lastModified() == it->modified))
            continue;
        // Told once a version: until it is read, a save joins it with what memory holds.
        it->size = size;
        it->modified = info.lastModified();
        if (size < 0)
            continue; // a file gone is written again by the next save, never taken as emptied
        bool found = false;
        const QByteArray now = m_folder.readAll(it->name, &found);
        if (now == it->bytes && found == it->exists)
            continue;
        names.append(it->name);
        const record_merge::Kind kind = record_merge::kindOf(it->name);
        if (kind != record_merge::Kind::Derived)
            noteOutside(it->name, record_merge::merge3(kind, it->bytes, it->bytes, now).fromElsewhere, {}, {});
    }
    names.sort();
    return names;
}

QString NotebookFiles::conflictCopyOf(const QString &fileName)
{
    // Syncthing: 日記.sync-conflict-20261208-120000-ABCDEFG.txt; Nextcloud, ownCloud and
    // Dropbox: 日記 (conflicted copy 2026-12-08 120000).txt, 日記 (太郎 の競合コピー 2026-12-08).txt
    static const QRegularExpression syncthing(
        QStringLiteral("^(.+)\\.sync-conflict-\\d{8}-\\d{6}-[A-Z0-9]{7}(\\.[^.]*)?$"));
    static const QRegularExpression others(
        QStringLiteral("^(.+?) \\([^()]*(?:conflicted copy|競合コピー)[^()]*\\)(\\.[^.]*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    for (const QRegularExpression *re : {&syncthing, &others}) {
        const QRegularExpressionMatch m = re->match(fileName);
        if (m.hasMatch())
            return dataFileNamed(m.captured(1) + m.captured(2));
    }
    return {};
}

QStringList NotebookFiles::conflictCopies() const
{
    QStringList copies;
    for (const QString &name : fileNames())
        if (!conflictCopyOf(name).isEmpty())
            copies.append(name);
    copies.sort();
    return copies;
}

bool NotebookFiles::isOwnConflictCopy(const QString &copyName) const
{
    const auto k = m_known.constFind(conflictCopyOf(copyName).toLower());
    if (k == m_known.constEnd() || !k->wrote || !k->sharedKnown)
        return false;
    bool ok = false;
    const QByteArray copy = m_folder.readAll(copyName, &ok);
    return ok && copy == k->written;
}

WriteResult NotebookFiles::joinConflictCopy(const QString &copyName)
{
    WriteResult r;
    const QString dataName = conflictCopyOf(copyName);
    bool copyRead = false;
    const QByteArray copy = dataName.isEmpty() ? QByteArray() : m_folder.readAll(copyName, &copyRead);
    if (!copyRead || m_unreadable.contains(dataName.toLower())) {
        r.ok = false;
        r.error = QStringLiteral("%1 を読み込めなかったため、取り込みませんでした。").arg(copyName);
        return r;
    }
    bool fileRead = false;
    const QByteArray file = m_folder.readAll(dataName, &fileRead);
    const record_merge::Kind kind = record_merge::kindOf(dataName);
    // This program wrote one of the two versions: it knows the version both started from.
    const auto k = m_known.constFind(dataName.toLower());
    const bool knowsBase = k != m_known.constEnd() && k->wrote && k->sharedKnown &&
                           (copy == k->written || file == k->written);
    const record_merge::Outcome outcome = knowsBase ? record_merge::merge3(kind, k->writtenFrom, file, copy)
                                                    : record_merge::mergeCopy(kind, file, copy);
    if (outcome.bytes != file) {
        QString error;
        if (!m_folder.save(dataName, outcome.bytes, &error)) {
            r.ok = false;
            r.error = QStringLiteral("%1 に書き込めませんでした。\r\n（%2）").arg(dataName, error);
            return r;
        }
        remember(dataName, outcome.bytes, true);
        Known &known = m_known[dataName.toLower()];
        known.shared = outcome.bytes;
        known.sharedKnown = true;
    }
    // The copy is kept, out of the way, in a folder of its own under バックアップ.
    const QString folderName =
        QStringLiteral("バックアップ/競合コピー-") + m_clock.now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = folderName + u'/' + copyName;
    for (int n = 2; QFileInfo::exists(dir() + u'/' + target); ++n)
        target = folderName + u'/' + QString::number(n) + u'_' + copyName;
    const QDateTime before = m_folder.folderStamp();
    if (!QDir(dir()).mkpath(folderName) || !QDir(dir()).rename(copyName, target)) {
        r.ok = false;
        r.error = QStringLiteral("%1 は取り込みましたが、バックアップ フォルダーに移せませんでした。").arg(copyName);
        return r;
    }
    m_folder.noteChange(dir() + u'/' + copyName, before, false);
    noteOutside(dataName, outcome.fromElsewhere, {}, {});
    m_outsideCopies.append(QStringLiteral("%1 を %2 に取り込み、%3 に移しました。").arg(copyName, dataName, target));
    if (!outcome.conflicts.isEmpty())
        m_outsideCopies.append(QStringLiteral("両方で違っていた %1 は %2 の内容のままで、もう一方の内容は移したコピーにあります。")
                                   .arg(namesOf(outcome.conflicts), dataName));
    if (outcome.bytes != file && m_onJoined)
        m_onJoined(dataName);
    return r;
}
