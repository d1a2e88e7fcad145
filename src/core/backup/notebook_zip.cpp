#include "core/backup/notebook_zip.h"

#include "core/files/file_names.h"

#include "core/text/cp932.h"
#include "core/files/disk_sync.h"
#include "core/files/notebook_folder.h"
#include "core/text/one_line.h"
#include "core/backup/stale_temporaries.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSaveFile>
#include <QSet>
#include <QStorageInfo>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <unistd.h>
#include <memory>
#include <optional>
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

QString sizeText(qint64 bytes)
{
    return QLocale(QLocale::Japanese).formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

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
    // What killed backups left here goes first (this path's whatever its age).
    temporaries::removeBackupParts(QFileInfo(zipPath).absolutePath(), QFileInfo(zipPath).fileName());
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

namespace {

// What macOS Finder and Windows Explorer add beside the files: never part of a notebook.
bool isJunk(const QStringList &parts)
{
    const QString last = parts.last().toLower();
    return parts.first() == QStringLiteral("__MACOSX") || last == QStringLiteral(".ds_store") ||
           last == QStringLiteral("thumbs.db");
}

// A name as the user reads it in a message: control characters shown as □.
QString shownName(QString name)
{
    for (QChar &c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QChar(0x25a1);
    return name;
}

// The one folder (its path with a closing '/', "" for the top) that holds both files of a
// notebook; several or none give an error.
QString notebookRoot(const QSet<QString> &lowerNames, QString *error)
{
    QStringList marks;
    for (const DataFile &file : dataFiles())
        if (file.marksNotebook)
            marks.append(file.name.toLower());
    const QString &first = marks.first();
    QStringList roots;
    for (const QString &name : lowerNames)
        if (name == first || name.endsWith(u'/' + first)) {
            const QString folder = name.left(name.size() - first.size());
            if (std::all_of(marks.cbegin(), marks.cend(),
                            [&](const QString &mark) { return lowerNames.contains(folder + mark); }))
                roots.append(folder);
        }
    if (roots.size() == 1)
        return roots.first();
    *error = roots.isEmpty()
                 ? QStringLiteral("この zip ファイルには育児手帖のノート（ﾌﾟﾗｲﾍﾞｰﾄ.txt と 日記.txt）が入っていません。")
                 : QStringLiteral("この zip ファイルには育児手帖のノートが %1 つ入っています。"
                                  "一つの手帖だけを入れた zip ファイルを選んでください。")
                       .arg(roots.size());
    return {};
}

} // namespace

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
    QSet<QString> exact, lower, folders;
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(za.get(), zip_uint64_t(i), ZIP_FL_ENC_RAW, &st) != 0 || !(st.valid & ZIP_STAT_NAME)) {
            c.error = QStringLiteral("zip ファイルが壊れているため、読み込めません。");
            return c;
        }
        // macOS writes names decomposed (バ as ハ and a mark); the notebook's names are composed.
        QString name = entryName(st.name).normalized(QString::NormalizationForm_C);
        name.replace(u'\\', u'/');
        const bool folder = name.endsWith(u'/');
        QStringList parts = name.split(u'/');
        if (folder)
            parts.removeLast();
        if (!parts.isEmpty() && isJunk(parts))
            continue;
        if (hasControlCharacter(name) || name.contains(QChar(0x7f))) {
            c.error = QStringLiteral("「%1」の名前に改行やタブなどの制御文字が入っています。"
                                     "このような zip ファイルは復元しません。")
                          .arg(shownName(name));
            return c;
        }
        zip_uint8_t opsys = 0;
        zip_uint32_t attributes = 0;
        zip_file_get_external_attributes(za.get(), zip_uint64_t(i), 0, &opsys, &attributes);
        // No file type in the bits (many tools write permissions alone) is a regular file.
        const mode_t type = mode_t(attributes >> 16) & S_IFMT;
        if (opsys == ZIP_OPSYS_UNIX && type != 0 && type != S_IFREG && type != S_IFDIR) {
            c.error = QStringLiteral("%1 はリンクか特殊なファイルです。このような zip ファイルは復元しません。").arg(name);
            return c;
        }
        const bool drive = name.size() > 1 && name[1] == u':';
        if (name.startsWith(u'/') || drive || parts.contains(QStringLiteral("..")) || parts.contains(QString()) ||
            parts.contains(QStringLiteral("."))) {
            c.error = QStringLiteral("%1 は復元先の外を指しています。このような zip ファイルは復元しません。").arg(name);
            return c;
        }
        for (qsizetype k = 1; k < parts.size(); ++k)
            folders.insert(parts.mid(0, k).join(u'/').toLower());
        if (folder)
            continue; // made as its files need it
        if (exact.contains(name) || lower.contains(name.toLower())) {
            c.error = exact.contains(name)
                          ? QStringLiteral("%1 という名前のファイルが二つ入っています（文字コードの違う同じ名前）。"
                                           "このような zip ファイルは復元しません。")
                                .arg(name)
                          : QStringLiteral("%1 と同じ名前（大文字と小文字の違いだけ）のファイルが二つあります。").arg(name);
            return c;
        }
        exact.insert(name);
        lower.insert(name.toLower());
        if (!(st.valid & ZIP_STAT_SIZE) || qint64(st.size) < 0 || qint64(st.size) > maxTotal) {
            c.error = QStringLiteral("%1 の大きさが大きすぎます。").arg(name);
            return c;
        }
        all.append({qint64(i), name, qint64(st.size)});
    }
    for (const Entry &e : all)
        if (folders.contains(e.path.toLower())) {
            c.error = QStringLiteral("%1 はファイルとフォルダーの両方の名前になっています。"
                                     "このような zip ファイルは復元しません。")
                          .arg(e.path);
            return c;
        }
    const QString root = notebookRoot(lower, &c.error);
    if (!c.error.isEmpty())
        return c;
    // Only the notebook's folder is restored: what lies beside it in the zip is not the notebook's.
    qint64 total = 0;
    for (Entry e : all) {
        if (!e.path.toLower().startsWith(root))
            continue;
        e.path = e.path.mid(root.size());
        total += e.size;
        c.entries.append(e);
    }
    if (total > maxTotal) {
        c.error = QStringLiteral("中身の大きさ（%1）が大きすぎるため、復元しません。").arg(sizeText(total));
        return c;
    }
    if (freeSpace >= 0 && total > freeSpace) {
        c.error = QStringLiteral("ディスクの空き容量が足りません（必要 %1、空き %2）。")
                      .arg(sizeText(total), sizeText(freeSpace));
        return c;
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
        // Written out now; the whole folder goes on the disk in one wait at the end.
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
    // On the disk before a rename or a journal may name the files: a rename must never carry
    // an empty file.
    if (const QString why = syncToDisk(dir); !why.isEmpty())
        return failed(QStringLiteral("復元したファイルを書き込めませんでした。（%1）").arg(why));
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

namespace {

// A folder that may take a restore: none there yet, or an empty folder (not a link).
QString targetRefusal(const QString &target)
{
    const QFileInfo info(target);
    if (!info.exists() && !info.isSymLink())
        return {};
    if (info.isDir() && !info.isSymLink() &&
        QDir(target).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        return {};
    return QStringLiteral("%1 はすでにあり、空ではありません。新しいフォルダーか空のフォルダーを選んでください。")
        .arg(QDir::toNativeSeparators(target));
}

} // namespace

Outcome restoreInto(const QString &zipPath, const QString &targetDir, const Progress &progress, qint64 maxTotal)
{
    const QString target = QFileInfo(targetDir).absoluteFilePath();
    if (const QString refused = targetRefusal(target); !refused.isEmpty())
        return failed(refused);
    const QString parent = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(parent))
        return failed(QStringLiteral("%1 を作れませんでした。").arg(parent));
    temporaries::removeRestoreFolders(parent);
    const Check check = checkZip(zipPath, freeSpaceAt(parent), maxTotal);
    if (!check.ok)
        return failed(check.error);
    QTemporaryDir temp(parent + u'/' + temporaries::restorePrefix() + QStringLiteral("XXXXXX"));
    if (!temp.isValid())
        return failed(QStringLiteral("%1 に書き込めませんでした。").arg(parent));
    Outcome o = extract(zipPath, check, temp.path(), progress);
    if (!o.ok)
        return o;
    // rename() takes the place of an empty folder, and of no other.
    if (!targetRefusal(target).isEmpty() ||
        std::rename(QFile::encodeName(temp.path()).constData(), QFile::encodeName(target).constData()) != 0)
        return failed(QStringLiteral("復元したノートを %1 に置けませんでした。").arg(target));
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ExeOwner | QFileDevice::ReadOwner |
                                      QFileDevice::WriteOwner);
    temp.setAutoRemove(false);
    return o;
}

QByteArray readEntry(const QString &zipPath, const Check &check, const QString &name, qint64 maxBytes)
{
    for (const Entry &e : check.entries) {
        if (e.path.compare(name, Qt::CaseInsensitive) != 0 || e.size > maxBytes)
            continue;
        int err = 0;
        ZipHandle za(zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &err));
        zip_file_t *zf = za ? zip_fopen_index(za.get(), zip_uint64_t(e.index), 0) : nullptr;
        if (!zf)
            return {};
        QByteArray bytes(e.size, Qt::Uninitialized);
        const zip_int64_t got = zip_fread(zf, bytes.data(), zip_uint64_t(bytes.size()));
        zip_fclose(zf);
        return got == e.size ? bytes : QByteArray();
    }
    return {};
}

// Restoring over the open notebook, all or none across a crash: the zip is unpacked into a
// folder inside the notebook, then a journal names every move (the notebook's files into
// バックアップ/<time>, the unpacked ones into their places), then the moves are made and the
// journal goes. The next start carries out a journal to its end, or, without one, removes
// the unpacked folder: the notebook is then as it was.
namespace {

struct Move {
    QString from, to; // relative to the notebook folder
};

struct Plan {
    QString staging; // relative
    QString kept;    // relative
    QList<Move> moves;
};

QByteArray planBytes(const Plan &plan)
{
    QJsonArray moves;
    for (const Move &m : plan.moves)
        moves.append(QJsonArray{m.from, m.to});
    return QJsonDocument(QJsonObject{{QStringLiteral("staging"), plan.staging},
                                     {QStringLiteral("kept"), plan.kept},
                                     {QStringLiteral("moves"), moves}})
        .toJson(QJsonDocument::Compact);
}

bool insideRelative(const QString &path)
{
    const QStringList parts = path.split(u'/');
    return !path.isEmpty() && !path.startsWith(u'/') && !parts.contains(QStringLiteral("..")) &&
           !parts.contains(QString()) && !parts.contains(QStringLiteral("."));
}

std::optional<Plan> readPlan(const QByteArray &bytes)
{
    const QJsonObject o = QJsonDocument::fromJson(bytes).object();
    Plan plan{o.value(QStringLiteral("staging")).toString(), o.value(QStringLiteral("kept")).toString(), {}};
    if (!plan.staging.startsWith(temporaries::restorePrefix()) || plan.staging.contains(u'/') ||
        !insideRelative(plan.kept))
        return std::nullopt;
    for (const QJsonValue &v : o.value(QStringLiteral("moves")).toArray()) {
        const Move m{v.toArray().at(0).toString(), v.toArray().at(1).toString()};
        if (!insideRelative(m.from) || !insideRelative(m.to))
            return std::nullopt;
        plan.moves.append(m);
    }
    return plan;
}

bool renameOver(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Each move whose file is still where it came from and whose place is free; so carrying the
// same journal out twice changes nothing the second time.
bool carryOut(const QString &dir, const Plan &plan, QList<Move> *done)
{
    for (const Move &m : plan.moves) {
        const QString from = dir + u'/' + m.from, to = dir + u'/' + m.to;
        const bool there = QFileInfo::exists(from) || QFileInfo(from).isSymLink();
        if (!there || QFileInfo::exists(to) || QFileInfo(to).isSymLink())
            continue;
        if (!QDir().mkpath(QFileInfo(to).absolutePath()) || !renameOver(from, to))
            return false;
        if (done)
            done->append(m);
    }
    return true;
}

// A folder of the notebook that leads out of it (a link, or a link on its way).
bool leadsOut(const QString &dir, const QString &relative)
{
    const QString root = QFileInfo(dir).canonicalFilePath();
    QString existing = dir + u'/' + relative;
    while (!QFileInfo::exists(existing) && !QFileInfo(existing).isSymLink() && existing.size() > dir.size())
        existing = QFileInfo(existing).absolutePath();
    const QString real = QFileInfo(existing).canonicalFilePath();
    if (QFileInfo(existing).isSymLink() && real.isEmpty())
        return true; // leads nowhere
    return real != root && !real.startsWith(root + u'/');
}

QString newKeptFolder(const QString &dir, const QDateTime &now)
{
    const QString stem = BackupFolder + u'/' + now.toString(QStringLiteral("yyyyMMdd-HHmm"));
    QString kept = stem;
    for (int k = 2; QFileInfo::exists(dir + u'/' + kept) || QFileInfo(dir + u'/' + kept).isSymLink(); ++k)
        kept = stem + u'-' + QString::number(k);
    return kept;
}

// The moves: first every file of the notebook's top into kept, then every restored file into
// its place (a name that something left in place holds gets "2_" and so on before it).
Plan makePlan(const QString &dir, const QString &staging, const QString &kept, const Check &check)
{
    Plan plan{staging, kept, {}};
    QSet<QString> vacated, taken;
    for (const QFileInfo &f : QDir(dir).entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        if (f.fileName().startsWith(u'.'))
            continue;
        plan.moves.append({f.fileName(), kept + u'/' + f.fileName()});
        vacated.insert(f.fileName());
    }
    auto free = [&](const QString &path) {
        return !taken.contains(path) &&
               (vacated.contains(path) || (!QFileInfo::exists(dir + u'/' + path) && !QFileInfo(dir + u'/' + path).isSymLink()));
    };
    for (const Entry &e : check.entries) {
        QString to = e.path;
        const QString folder = e.path.contains(u'/') ? e.path.section(u'/', 0, -2) + u'/' : QString();
        for (int k = 2; !free(to); ++k)
            to = folder + QString::number(k) + u'_' + e.path.section(u'/', -1);
        taken.insert(to);
        plan.moves.append({staging + u'/' + e.path, to});
    }
    return plan;
}

} // namespace

QString restoreJournalName() { return QStringLiteral(".ikuji-techo-restore"); }

Outcome replaceWith(const QString &zipPath, const QString &notebookDir, const QDateTime &now,
                    const Progress &progress)
{
    const QString dir = QFileInfo(notebookDir).absoluteFilePath();
    if (leadsOut(dir, BackupFolder))
        return failed(QStringLiteral("手帖の中の「バックアップ」が手帖のフォルダーの外を指しているため、"
                                     "復元しません。何も変えていません。"));
    temporaries::removeRestoreFolders(dir);
    const Check check = checkZip(zipPath, freeSpaceAt(dir));
    if (!check.ok)
        return failed(check.error);
    for (const Entry &e : check.entries)
        if (e.path.contains(u'/') && leadsOut(dir, e.path.section(u'/', 0, -2)))
            return failed(QStringLiteral("%1 の入るフォルダーが手帖のフォルダーの外を指しているため、"
                                         "復元しません。何も変えていません。")
                              .arg(e.path));
    QTemporaryDir temp(dir + u'/' + temporaries::restorePrefix() + QStringLiteral("XXXXXX"));
    if (!temp.isValid())
        return failed(QStringLiteral("復元のための一時フォルダーを作れませんでした。"));
    Outcome o = extract(zipPath, check, temp.path(), progress);
    if (!o.ok)
        return o;
    const Plan plan = makePlan(dir, QFileInfo(temp.path()).fileName(), newKeptFolder(dir, now), check);
    // From here on the restore wins, even over a crash.
    QSaveFile journal(dir + u'/' + restoreJournalName());
    const QByteArray bytes = planBytes(plan);
    if (!journal.open(QIODevice::WriteOnly) || journal.write(bytes) != bytes.size() || !journal.commit())
        return failed(QStringLiteral("復元を始められませんでした（%1）。何も変えていません。").arg(journal.errorString()));
    temp.setAutoRemove(false);
    QList<Move> done;
    if (!carryOut(dir, plan, &done)) {
        for (auto it = done.crbegin(); it != done.crend(); ++it)
            renameOver(dir + u'/' + it->to, dir + u'/' + it->from);
        QDir(dir + u'/' + plan.staging).removeRecursively();
        QDir(dir + u'/' + plan.kept).removeRecursively();
        QFile::remove(dir + u'/' + restoreJournalName());
        return failed(QStringLiteral("zip ファイルの手帖を置けなかったため、元の手帖に戻しました。"));
    }
    // The unpacked folder goes first: a start that finds it without a journal undoes nothing.
    QDir(dir + u'/' + plan.staging).removeRecursively();
    QFile::remove(dir + u'/' + restoreJournalName());
    o.kept = plan.kept;
    o.error.clear();
    return o;
}

Recovery finishRestore(const QString &notebookDir)
{
    Recovery r;
    const QString dir = QFileInfo(notebookDir).absoluteFilePath();
    const QString journalPath = dir + u'/' + restoreJournalName();
    QFile journal(journalPath);
    if (QFileInfo(journalPath).isFile() && !QFileInfo(journalPath).isSymLink() && journal.open(QIODevice::ReadOnly)) {
        const std::optional<Plan> plan = readPlan(journal.read(qint64(64) << 20));
        journal.close();
        if (plan && carryOut(dir, *plan, nullptr)) {
            QDir(dir + u'/' + plan->staging).removeRecursively();
            QFile::remove(journalPath);
            r.what = Recovery::Completed;
            r.kept = plan->kept;
            return r;
        }
        r.what = Recovery::Failed;
        return r; // the journal stays for the next start; nothing else is touched
    }
    // Unpacked, not begun: the notebook is as it was.
    if (temporaries::removeRestoreFolders(dir, QDateTime::currentDateTime(), -1) > 0)
        r.what = Recovery::Undone;
    return r;
}

} // namespace notebook_zip
