// The whole notebook in one zip and back: every byte and name comes back, a zip made by a
// Japanese Windows restores with its names, hostile zips are refused with nothing written, a
// full disk or a cancel leaves no zip behind.
#include "core/backup/notebook_zip.h"
#include "core/common/cp932.h"
#include "generators.h"
#include "file_size_limit.h"
#include "test_notebook.h"

#include <QDirIterator>
#include <QtTest>

#include <algorithm>

#include <sys/stat.h>
#include <zip.h>

namespace {

// Every file under dir by its relative path, with its bytes.
QMap<QString, QByteArray> contents(const QString &dir)
{
    QMap<QString, QByteArray> all;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            all.insert(QDir(dir).relativeFilePath(f.fileName()), f.readAll());
    }
    return all;
}

// A zip of the given entries, made with libzip: name bytes as given (no flag), a link when the
// content starts with "->".
QString makeZip(const QString &path, const QList<std::pair<QByteArray, QByteArray>> &entries)
{
    int err = 0;
    zip_t *za = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    for (const auto &[name, bytes] : entries) {
        zip_source_t *src = zip_source_buffer(za, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const zip_int64_t idx = zip_file_add(za, name.constData(), src, ZIP_FL_ENC_RAW);
        if (bytes.startsWith("->"))
            zip_file_set_external_attributes(za, zip_uint64_t(idx), 0, ZIP_OPSYS_UNIX, (S_IFLNK | 0777) << 16);
    }
    zip_close(za);
    return path;
}

QByteArray sjis(const QString &s) { return cp932::encode(s).bytes; }

// The general-purpose flags of every entry of the central directory whose name is not plain
// ASCII, read from the bytes.
QList<int> nonAsciiEntryFlags(const QByteArray &zip)
{
    QList<int> flags;
    for (qsizetype at = zip.indexOf("PK\x01\x02"); at >= 0; at = zip.indexOf("PK\x01\x02", at + 4)) {
        const int length = uchar(zip[at + 28]) | uchar(zip[at + 29]) << 8;
        const QByteArray name = zip.mid(at + 46, length);
        if (std::any_of(name.cbegin(), name.cend(), [](char c) { return uchar(c) >= 0x80; }))
            flags.append(uchar(zip[at + 8]) | uchar(zip[at + 9]) << 8);
    }
    return flags;
}

} // namespace

class NotebookZipTest : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void windowsZipRestoresItsNames();
    void hostileZipsAreRefused_data();
    void hostileZipsAreRefused();
    void fullDiskAndCancelLeaveNoZip();
    void replaceKeepsTheOldNotebook();
};

void NotebookZipTest::roundTrip_data()
{
    QTest::addColumn<bool>("capacity");
    QTest::newRow("sample") << false;
    QTest::newRow("capacity") << true;
}

// Every byte and every name back, the names flagged as UTF-8, stored without recompression.
void NotebookZipTest::roundTrip()
{
    QFETCH(bool, capacity);
    TestNotebook t;
    if (capacity) {
        t.writeBytes(QStringLiteral("日記.txt"), generators::diaryFile(1095));
        t.writeBytes(QStringLiteral("レシピ.txt"), generators::recipeFile(1000));
    }
    QDir(t.dir()).mkpath(QStringLiteral("バックアップ/20261201-0900"));
    t.writeBytes(QStringLiteral("バックアップ/20261201-0900/日記.txt"), "old");
    QTemporaryDir out;
    const QString zip = out.filePath(notebook_zip::backupFileName(QStringLiteral("もも"), QDateTime(QDate(2026, 12, 8), QTime(9, 5))));
    QCOMPARE(QFileInfo(zip).fileName(), QStringLiteral("育児手帖_もも_20261208-0905.zip"));
    const notebook_zip::Outcome written = notebook_zip::writeBackup(t.dir(), zip, true);
    QVERIFY2(written.ok, qPrintable(written.error));
    QMap<QString, QByteArray> before = contents(t.dir());
    QCOMPARE(written.files, before.size());
    QFile z(zip);
    QVERIFY(z.open(QIODevice::ReadOnly));
    const QByteArray zipBytes = z.readAll();
    const QList<int> flags = nonAsciiEntryFlags(zipBytes);
    QVERIFY(flags.size() >= 10);
    for (int f : flags)
        QVERIFY(f & 0x0800);
    QVERIFY(zipBytes.size() > before.value(QStringLiteral("19950215.jpg")).size()); // stored, not squeezed

    const QString target = out.filePath(QStringLiteral("戻した手帖"));
    const notebook_zip::Outcome restored = notebook_zip::restoreInto(zip, target);
    QVERIFY2(restored.ok, qPrintable(restored.error));
    QCOMPARE(contents(target), before);
    // Without the backup folder, only the notebook's own files.
    QVERIFY(notebook_zip::writeBackup(t.dir(), zip, false).ok);
    const notebook_zip::Check check = notebook_zip::checkZip(zip, -1);
    QVERIFY(check.ok);
    for (const notebook_zip::Entry &e : check.entries)
        QVERIFY(!e.path.contains(u'/'));
}

// A zip Explorer makes on a Japanese Windows: CP932 names, no flag, inside one folder.
void NotebookZipTest::windowsZipRestoresItsNames()
{
    QTemporaryDir out;
    const QString zip = testDataDir() + QStringLiteral("/backup/windows_explorer.zip");
    const QString target = out.filePath(QStringLiteral("t"));
    const notebook_zip::Outcome o = notebook_zip::restoreInto(zip, target);
    QVERIFY2(o.ok, qPrintable(o.error));
    QCOMPARE(contents(target).keys(),
             QStringList({QStringLiteral("写真見出し.txt"), QStringLiteral("日記.txt"), QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")}));
    QVERIFY(contents(target).value(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")).startsWith(sjis(QStringLiteral("もも"))));
}

void NotebookZipTest::hostileZipsAreRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("traversal") << "traversal" << "復元先の外";
    QTest::newRow("absolute") << "absolute" << "復元先の外";
    QTest::newRow("drive letter") << "drive" << "復元先の外";
    QTest::newRow("symlink") << "link" << "リンク";
    QTest::newRow("same name in other case") << "case" << "大文字と小文字";
    QTest::newRow("bomb") << "bomb" << "大きすぎ";
    QTest::newRow("truncated") << "truncated" << "壊れて";
    QTest::newRow("not a zip") << "text" << "zip ファイルではありません";
    QTest::newRow("no notebook") << "empty" << "入っていません";
}

void NotebookZipTest::hostileZipsAreRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("x.zip"));
    const QList<std::pair<QByteArray, QByteArray>> notebook{{sjis(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")), "a"},
                                                          {sjis(QStringLiteral("日記.txt")), "b"}};
    auto with = [&](std::pair<QByteArray, QByteArray> extra) {
        auto entries = notebook;
        entries.append(extra);
        return makeZip(path, entries);
    };
    qint64 bound = qint64(20) << 30;
    if (kind == "traversal")
        with({"../evil.txt", "x"});
    else if (kind == "absolute")
        with({"/tmp/evil.txt", "x"});
    else if (kind == "drive")
        with({"C:/evil.txt", "x"});
    else if (kind == "link")
        with({"link.txt", "->/etc/passwd"});
    else if (kind == "case")
        with({sjis(QStringLiteral("日記.TXT")), "c"});
    else if (kind == "bomb") {
        with({"zeros.bin", QByteArray(4 << 20, '\0')}); // squeezed to a few kilobytes
        bound = 1 << 20;
    } else if (kind == "truncated") {
        with({"a.jpg", QByteArray(100000, 'x')});
        QFile f(path);
        QVERIFY(f.resize(f.size() / 2));
    } else if (kind == "text") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a zip at all");
    } else if (kind == "empty") {
        makeZip(path, {{"other.txt", "x"}});
    }
    const QString target = out.filePath(QStringLiteral("t"));
    const notebook_zip::Outcome o = notebook_zip::restoreInto(path, target, {}, bound);
    QVERIFY(!o.ok);
    QVERIFY2(o.error.contains(reason), qPrintable(o.error));
    QVERIFY(!QFileInfo::exists(target));
    QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("x.zip")});
    QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/evil.txt")));
}

void NotebookZipTest::fullDiskAndCancelLeaveNoZip()
{
    TestNotebook t;
    QTemporaryDir out;
    const QString zip = out.filePath(QStringLiteral("b.zip"));
    {
        FileSizeLimit full(64 * 1024);
        const notebook_zip::Outcome o = notebook_zip::writeBackup(t.dir(), zip, false);
        QVERIFY(!o.ok);
    }
    QVERIFY(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    const notebook_zip::Outcome cancelled =
        notebook_zip::writeBackup(t.dir(), zip, false, [](double done) { return done < 0.3; });
    QVERIFY(!cancelled.ok && cancelled.cancelled);
    QVERIFY(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    // A restore that the disk cannot hold leaves no folder.
    QVERIFY(notebook_zip::writeBackup(t.dir(), zip, false).ok);
    {
        FileSizeLimit full(16 * 1024);
        const notebook_zip::Outcome o = notebook_zip::restoreInto(zip, out.filePath(QStringLiteral("t")));
        QVERIFY(!o.ok);
    }
    QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("b.zip")});
}

// Replacing the open notebook keeps its files under バックアップ first.
void NotebookZipTest::replaceKeepsTheOldNotebook()
{
    TestNotebook from;
    from.writeText(QStringLiteral("日記.txt"), QStringLiteral("zip の日記"));
    QTemporaryDir out;
    const QString zip = out.filePath(QStringLiteral("b.zip"));
    QVERIFY(notebook_zip::writeBackup(from.dir(), zip, false).ok);
    TestNotebook open;
    const QByteArray oldDiary = open.bytes(QStringLiteral("日記.txt"));
    const notebook_zip::Outcome o =
        notebook_zip::replaceWith(zip, open.dir(), QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
    QVERIFY2(o.ok, qPrintable(o.error));
    QCOMPARE(open.text(QStringLiteral("日記.txt")), QStringLiteral("zip の日記"));
    QFile kept(open.path(QStringLiteral("バックアップ/20261208-1000/日記.txt")));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), oldDiary);
}

QTEST_GUILESS_MAIN(NotebookZipTest)
#include "notebook_zip_test.moc"
