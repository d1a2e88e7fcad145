#include "core/backup/notebook_zip.h"

#include "core/common/cp932.h"
#include "core/common/notebook_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStorageInfo>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <zip.h>
#include <zlib.h>

#include <cerrno>
#include <memory>
#include <thread>
#include <vector>

namespace notebook_zip {

namespace {

const QString BackupFolder = QStringLiteral("バックアップ");
constexpr qint64 Chunk = 1 << 20;

struct ZipCloser {
    void operator()(zip_t *za) const { zip_discard(za); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

Outcome failed(const QString &error)
{
    Outcome o;
    o.error = error;
    return o;
}

QString zipError(int code)
{
    zip_error_t e;
    zip_error_init_with_code(&e, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&e));
    zip_error_fini(&e);
    return text;
}

// Names in the zip: UTF-8 when they read as UTF-8 (the flag or plain ASCII), else the CP932
// a Japanese Windows writes without saying so.
QString entryName(const char *raw)
{
    const QByteArray bytes(raw);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString asUtf8 = utf8(bytes);
    return utf8.hasError() ? cp932::decode(bytes) : asUtf8;
}

struct Source {
    QString path;
    QString name;
    qint64 size = 0;
};

QList<Source> notebookFiles(const QString &dir, bool withBackupFolder)
{
    QList<Source> files;
    const QDir root(dir);
    for (const QFileInfo &f : root.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
        if (f.isSymLink() || f.fileName().startsWith(u'.'))
            continue;
        files.append({f.filePath(), f.fileName(), f.size()});
    }
    const QFileInfo backup(root.filePath(BackupFolder));
    if (withBackupFolder && backup.isDir() && !backup.isSymLink()) {
        QDirIterator it(backup.filePath(), QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo f(it.next());
            if (!f.isSymLink())
                files.append({f.filePath(), root.relativeFilePath(f.filePath()), f.size()});
        }
    }
    return files;
}

bool crcOf(const QString &path, quint32 &crc)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    uLong c = crc32(0L, Z_NULL, 0);
    QByteArray buffer(Chunk, Qt::Uninitialized);
    for (;;) {
        const qint64 n = f.read(buffer.data(), buffer.size());
        if (n < 0)
            return false;
        if (n == 0)
            break;
        c = crc32(c, reinterpret_cast<const Bytef *>(buffer.constData()), uInt(n));
    }
    crc = quint32(c);
    return true;
}

// The zip read back: every entry there, of the size and CRC of its file (crcs[i], -1 when the
// file could not be read).
QString verify(const QString &zipPath, const QList<Source> &files, const std::vector<qint64> &crcs)
{
    int err = 0;
    ZipHandle za(zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &err));
    if (!za)
        return zipError(err);
    if (zip_get_num_entries(za.get(), 0) != files.size())
        return QStringLiteral("入っているファイルの数が違います");
    for (qsizetype i = 0; i < files.size(); ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(za.get(), zip_uint64_t(i), ZIP_FL_ENC_RAW, &st) != 0 ||
            entryName(st.name) != files[i].name || qint64(st.size) != files[i].size ||
            crcs[size_t(i)] != qint64(st.crc))
            return QStringLiteral("%1 が元のファイルと一致しません").arg(files[i].name);
    }
    return {};
}

struct Reporter {
    const Progress *progress = nullptr;
    bool cancelled = false;
};

} // namespace

QString backupFileName(const QString &nickname, const QDateTime &now)
{
    QString name = nickname.trimmed();
    // A nickname goes into a file name: what Windows refuses there becomes "_".
    for (QChar &c : name)
        if (QStringLiteral("\\/:*?\"<>|").contains(c) || c.unicode() < 0x20)
            c = u'_';
    return QStringLiteral("育児手帖_%1_%2.zip").arg(name, now.toString(QStringLiteral("yyyyMMdd-HHmm")));
}

Outcome writeBackup(const QString &notebookDir, const QString &zipPath, bool withBackupFolder,
                    const Progress &progress)
{
    const QList<Source> files = notebookFiles(notebookDir, withBackupFolder);
    qint64 total = 0;
    for (const Source &s : files)
        total += s.size;
    const QString part = zipPath + QStringLiteral(".part");
    QFile::remove(part);
    int err = 0;
    zip_t *za = zip_open(QFile::encodeName(part).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!za)
        return failed(QStringLiteral("バックアップのファイルを作れませんでした。\r\n（%1）").arg(zipError(err)));
    for (const Source &s : files) {
        zip_source_t *src = zip_source_file(za, QFile::encodeName(s.path).constData(), 0, 0); // 0: to the end
        const zip_int64_t idx =
            src ? zip_file_add(za, s.name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8) : zip_int64_t(-1);
        if (idx < 0) {
            if (src)
                zip_source_free(src);
            const QString why = QString::fromLocal8Bit(zip_strerror(za));
            zip_discard(za);
            QFile::remove(part);
            return failed(QStringLiteral("%1 をバックアップに入れられませんでした。\r\n（%2）").arg(s.name, why));
        }
        zip_set_file_compression(za, zip_uint64_t(idx), ZIP_CM_STORE, 0);
        zip_file_set_mtime(za, zip_uint64_t(idx), QFileInfo(s.path).lastModified().toSecsSinceEpoch(), 0);
    }
    Reporter reporter{&progress, false};
    if (progress) {
        zip_register_progress_callback_with_state(
            za, 0.01, [](zip_t *, double done, void *r) { static_cast<Reporter *>(r)->cancelled |= !(*static_cast<Reporter *>(r)->progress)(done * 0.8); },
            nullptr, &reporter);
        zip_register_cancel_callback_with_state(
            za, [](zip_t *, void *r) { return static_cast<Reporter *>(r)->cancelled ? 1 : 0; }, nullptr, &reporter);
    }
    // The files' own CRCs, for the check after writing, are worked out on the other core while
    // libzip writes.
    std::vector<qint64> crcs(size_t(files.size()), -1);
    std::thread crcWorker([&files, &crcs] {
        for (qsizetype i = 0; i < files.size(); ++i) {
            quint32 crc = 0;
            if (crcOf(files[i].path, crc))
                crcs[size_t(i)] = crc;
        }
    });
    errno = 0;
    const int closed = zip_close(za);
    crcWorker.join();
    if (closed != 0) {
        const int sysErr = zip_error_code_system(zip_get_error(za));
        const QString why = QString::fromLocal8Bit(zip_strerror(za));
        zip_discard(za);
        QFile::remove(part);
        if (reporter.cancelled) {
            Outcome o;
            o.cancelled = true;
            o.error = QStringLiteral("バックアップを取りやめました。");
            return o;
        }
        const qint64 free = QStorageInfo(QFileInfo(zipPath).absolutePath()).bytesAvailable();
        return failed(QStringLiteral("バックアップを書き込めませんでした。\r\n（%1）")
                          .arg(sysErr == ENOSPC ? writeFailureText(why, free, total) : why));
    }
    if (progress && !progress(0.85)) {
        QFile::remove(part);
        Outcome o;
        o.cancelled = true;
        o.error = QStringLiteral("バックアップを取りやめました。");
        return o;
    }
    if (const QString wrong = verify(part, files, crcs); !wrong.isEmpty()) {
        QFile::remove(part);
        return failed(QStringLiteral("書き込んだバックアップを確かめたところ、%1。\r\nバックアップは残していません。").arg(wrong));
    }
    QFile::remove(zipPath);
    if (!QFile::rename(part, zipPath)) {
        QFile::remove(part);
        return failed(QStringLiteral("バックアップを %1 という名前にできませんでした。").arg(zipPath));
    }
    if (progress)
        progress(1.0);
    Outcome o;
    o.ok = true;
    o.files = int(files.size());
    o.bytes = QFileInfo(zipPath).size();
    return o;
}

Check checkZip(const QString &zipPath, qint64 freeSpace, qint64 maxTotal)
{
    Check c;
    int err = 0;
    ZipHandle za(zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &err));
    if (!za) {
        // A zip cut short (a copy that broke off) still starts as one.
        QFile head(zipPath);
        const bool startsAsZip = head.open(QIODevice::ReadOnly) && head.read(4) == QByteArray("PK\x03\x04");
        c.error = (err == ZIP_ER_NOZIP || err == ZIP_ER_NOENT) && !startsAsZip
                      ? QStringLiteral("このファイルは zip ファイルではありません。")
                      : QStringLiteral("zip ファイルが壊れているため、読み込めません。（%1）").arg(zipError(err));
        return c;
    }
    const zip_int64_t n = zip_get_num_entries(za.get(), 0);
    QList<Entry> all;
    QSet<QString> seen;
    qint64 total = 0;
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(za.get(), zip_uint64_t(i), ZIP_FL_ENC_RAW, &st) != 0 || !(st.valid & ZIP_STAT_NAME)) {
            c.error = QStringLiteral("zip ファイルが壊れているため、読み込めません。");
            return c;
        }
        QString name = entryName(st.name);
        name.replace(u'\\', u'/');
        zip_uint8_t opsys = 0;
        zip_uint32_t attributes = 0;
        zip_file_get_external_attributes(za.get(), zip_uint64_t(i), 0, &opsys, &attributes);
        const mode_t mode = mode_t(attributes >> 16);
        if (opsys == ZIP_OPSYS_UNIX && mode != 0 && !S_ISREG(mode) && !S_ISDIR(mode)) {
            c.error = QStringLiteral("%1 はリンクか特殊なファイルです。このような zip ファイルは復元しません。").arg(name);
            return c;
        }
        if (name.endsWith(u'/'))
            continue; // a folder: made as its files need it
        const QStringList parts = name.split(u'/');
        const bool drive = name.size() > 1 && name[1] == u':';
        if (name.startsWith(u'/') || drive || parts.contains(QStringLiteral("..")) || parts.contains(QString()) ||
            parts.contains(QStringLiteral("."))) {
            c.error = QStringLiteral("%1 は復元先の外を指しています。このような zip ファイルは復元しません。").arg(name);
            return c;
        }
        if (seen.contains(name.toLower())) {
            c.error = QStringLiteral("%1 と同じ名前（大文字と小文字の違いだけ）のファイルが二つあります。").arg(name);
            return c;
        }
        seen.insert(name.toLower());
        if (!(st.valid & ZIP_STAT_SIZE) || qint64(st.size) < 0 || qint64(st.size) > maxTotal) {
            c.error = QStringLiteral("%1 の大きさが大きすぎます。").arg(name);
            return c;
        }
        total += qint64(st.size);
        all.append({qint64(i), name, qint64(st.size)});
    }
    // The notebook: its two files at the top, or inside one folder.
    auto has = [&seen](const QString &prefix) {
        return seen.contains((prefix + QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")).toLower()) &&
               seen.contains((prefix + QStringLiteral("日記.txt")).toLower());
    };
    QString root;
    if (!has(QString())) {
        QSet<QString> tops;
        for (const Entry &e : all)
            tops.insert(e.path.section(u'/', 0, 0));
        if (tops.size() == 1 && all.first().path.contains(u'/') && has(*tops.begin() + u'/'))
            root = *tops.begin() + u'/';
        else {
            c.error = QStringLiteral("この zip ファイルには育児手帖のノート（ﾌﾟﾗｲﾍﾞｰﾄ.txt と 日記.txt）が入っていません。");
            return c;
        }
    }
    if (total > maxTotal) {
        c.error = QStringLiteral("中身の大きさ（%1 MB）が大きすぎるため、復元しません。").arg(total >> 20);
        return c;
    }
    if (freeSpace >= 0 && total > freeSpace) {
        c.error = QStringLiteral("ディスクの空き容量が足りません（必要 %1 MB、空き %2 MB）。")
                      .arg((total >> 20) + 1)
                      .arg(freeSpace >> 20);
        return c;
    }
    for (Entry &e : all) {
        e.path = e.path.mid(root.size());
        c.entries.append(e);
    }
    c.total = total;
    c.ok = true;
    return c;
}

namespace {

// Every entry written under dir; its real bytes may not run past the size it declared.
Outcome extract(const QString &zipPath, const Check &check, const QString &dir, const Progress &progress)
{
    int err = 0;
    ZipHandle za(zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &err));
    if (!za)
        return failed(QStringLiteral("zip ファイルを開けませんでした。（%1）").arg(zipError(err)));
    QByteArray buffer(Chunk, Qt::Uninitialized);
    qint64 done = 0;
    for (const Entry &e : check.entries) {
        const QString path = dir + u'/' + e.path;
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return failed(QStringLiteral("フォルダーを作れませんでした：%1").arg(QFileInfo(path).absolutePath()));
        zip_file_t *zf = zip_fopen_index(za.get(), zip_uint64_t(e.index), 0);
        if (!zf)
            return failed(QStringLiteral("%1 を zip ファイルから読めませんでした。（%2）")
                              .arg(e.path, QString::fromLocal8Bit(zip_strerror(za.get()))));
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            zip_fclose(zf);
            return failed(QStringLiteral("%1 を書き込めませんでした。（%2）").arg(e.path, out.errorString()));
        }
        qint64 written = 0;
        for (;;) {
            const zip_int64_t got = zip_fread(zf, buffer.data(), zip_uint64_t(buffer.size()));
            if (got < 0) {
                const QString why = QString::fromLocal8Bit(zip_file_strerror(zf));
                zip_fclose(zf);
                return failed(QStringLiteral("%1 が壊れているため、復元できません。（%2）").arg(e.path, why));
            }
            if (got == 0)
                break;
            written += got;
            if (written > e.size) {
                zip_fclose(zf);
                return failed(QStringLiteral("%1 の中身が zip ファイルに書かれた大きさを超えています。"
                                             "このような zip ファイルは復元しません。")
                                  .arg(e.path));
            }
            if (out.write(buffer.constData(), got) != got) {
                zip_fclose(zf);
                const qint64 free = QStorageInfo(dir).bytesAvailable();
                return failed(QStringLiteral("%1 を書き込めませんでした。（%2）")
                                  .arg(e.path, writeFailureText(out.errorString(), free, e.size - written)));
            }
        }
        zip_fclose(zf);
        if (!out.flush()) {
            const qint64 free = QStorageInfo(dir).bytesAvailable();
            return failed(QStringLiteral("%1 を書き込めませんでした。（%2）")
                              .arg(e.path, writeFailureText(out.errorString(), free, e.size)));
        }
        out.close();
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(za.get(), zip_uint64_t(e.index), 0, &st) == 0 && (st.valid & ZIP_STAT_MTIME))
            QFile(path).setFileTime(QDateTime::fromSecsSinceEpoch(st.mtime), QFileDevice::FileModificationTime);
        done += e.size;
        if (progress && !progress(check.total > 0 ? double(done) / double(check.total) : 1.0)) {
            Outcome o;
            o.cancelled = true;
            o.error = QStringLiteral("復元を取りやめました。");
            return o;
        }
    }
    Outcome o;
    o.ok = true;
    o.files = int(check.entries.size());
    o.bytes = check.total;
    return o;
}

qint64 freeSpaceAt(const QString &dir)
{
    QString existing = dir;
    while (!existing.isEmpty() && !QFileInfo(existing).isDir())
        existing = QFileInfo(existing).absolutePath() == existing ? QString() : QFileInfo(existing).absolutePath();
    return existing.isEmpty() ? -1 : QStorageInfo(existing).bytesAvailable();
}

} // namespace

Outcome restoreInto(const QString &zipPath, const QString &targetDir, const Progress &progress, qint64 maxTotal)
{
    const QString target = QFileInfo(targetDir).absoluteFilePath();
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        return failed(QStringLiteral("%1 はすでにあります。別の名前の新しいフォルダーを選んでください。").arg(target));
    const QString parent = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(parent))
        return failed(QStringLiteral("%1 を作れませんでした。").arg(parent));
    const Check check = checkZip(zipPath, freeSpaceAt(parent), maxTotal);
    if (!check.ok)
        return failed(check.error);
    QTemporaryDir temp(parent + QStringLiteral("/.ikuji-techo-restore-XXXXXX"));
    if (!temp.isValid())
        return failed(QStringLiteral("%1 に書き込めませんでした。").arg(parent));
    Outcome o = extract(zipPath, check, temp.path(), progress);
    if (!o.ok)
        return o;
    if (!QDir().rename(temp.path(), target))
        return failed(QStringLiteral("復元したノートを %1 に置けませんでした。").arg(target));
    temp.setAutoRemove(false);
    return o;
}

Outcome replaceWith(const QString &zipPath, const QString &notebookDir, const QDateTime &now,
                    const Progress &progress)
{
    const QString dir = QFileInfo(notebookDir).absoluteFilePath();
    const Check check = checkZip(zipPath, freeSpaceAt(dir));
    if (!check.ok)
        return failed(check.error);
    QTemporaryDir temp(QFileInfo(dir).absolutePath() + QStringLiteral("/.ikuji-techo-restore-XXXXXX"));
    if (!temp.isValid())
        temp.setAutoRemove(true);
    if (!temp.isValid())
        return failed(QStringLiteral("復元のための一時フォルダーを作れませんでした。"));
    Outcome o = extract(zipPath, check, temp.path(), progress);
    if (!o.ok)
        return o;
    // The notebook's own files go aside first, as a new notebook keeps them.
    const QString stem = BackupFolder + u'/' + now.toString(QStringLiteral("yyyyMMdd-HHmm"));
    QString kept = stem;
    for (int k = 2; QFileInfo::exists(dir + u'/' + kept); ++k)
        kept = stem + u'-' + QString::number(k);
    if (!QDir(dir).mkpath(kept))
        return failed(QStringLiteral("%1 を作れませんでした。").arg(kept));
    QList<std::pair<QString, QString>> moved; // from, to: undone when a later step fails
    auto undo = [&moved] {
        for (auto it = moved.crbegin(); it != moved.crend(); ++it)
            QFile::rename(it->second, it->first);
    };
    for (const QFileInfo &f : QDir(dir).entryInfoList(QDir::Files | QDir::NoDotAndDotDot)) {
        if (f.fileName().startsWith(u'.'))
            continue;
        const QString to = dir + u'/' + kept + u'/' + f.fileName();
        if (!QFile::rename(f.filePath(), to)) {
            undo();
            return failed(QStringLiteral("%1 をバックアップ フォルダーに移せませんでした。何も変えていません。").arg(f.fileName()));
        }
        moved.append({f.filePath(), to});
    }
    for (const Entry &e : check.entries) {
        QString to = dir + u'/' + e.path;
        for (int k = 2; QFileInfo::exists(to); ++k) // a copy in バックアップ by the same name stays
            to = QFileInfo(dir + u'/' + e.path).absolutePath() + u'/' + QString::number(k) + u'_' +
                 QFileInfo(e.path).fileName();
        if (!QDir().mkpath(QFileInfo(to).absolutePath()) || !QFile::rename(temp.path() + u'/' + e.path, to)) {
            undo();
            return failed(QStringLiteral("%1 を復元できませんでした。元のノートに戻しました。").arg(e.path));
        }
        moved.append({temp.path() + u'/' + e.path, to});
    }
    o.error.clear();
    return o;
}

} // namespace notebook_zip
