// The whole notebook in one zip and back: every byte and name comes back, a zip made by a
// Japanese Windows restores with its names, hostile zips are refused with nothing written, a
// full disk or a cancel leaves no zip behind.
#include "core/backup/notebook_zip.h"
#include "core/backup/stale_temporaries.h"
#include "core/text/cp932.h"
#include "generators.h"
#include "file_size_limit.h"
#include "test_notebook.h"

#include <QDirIterator>
#include <QtTest>

#include <algorithm>

#include <sys/stat.h>
#include <utime.h>
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
QByteArray utf8(const QString &s) { return s.toUtf8(); }

// Every entry with Unix permission bits and no file type, as Python's writestr writes them.
void setPermissionsOnly(const QString &path)
{
    int err = 0;
    zip_t *za = zip_open(QFile::encodeName(path).constData(), 0, &err);
    for (zip_int64_t i = 0; i < zip_get_num_entries(za, 0); ++i)
        zip_file_set_external_attributes(za, zip_uint64_t(i), 0, ZIP_OPSYS_UNIX, 0644u << 16);
    zip_close(za);
}

// A file or folder last written that many seconds ago.
void setAge(const QString &path, int seconds)
{
    const time_t when = time(nullptr) - seconds;
    const utimbuf times{when, when};
    QVERIFY(utime(QFile::encodeName(path).constData(), &times) == 0);
}

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
    void ordinaryZipsRestore_data();
    void ordinaryZipsRestore();
    void emptyFolderTakesARestore();
    void replaceRefusesABackupFolderLeadingOut();
    void startUndoesAnUnpackedRestore();
    void staleTemporariesGo();
    void sizesInKilobytes();
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
    QTest::newRow("line feed in a name") << "lf" << "制御文字";
    QTest::newRow("tab in a name") << "tab" << "制御文字";
    QTest::newRow("carriage return after 日記.txt") << "cr" << "制御文字";
    QTest::newRow("one name in UTF-8 and in CP932") << "utf8 and cp932" << "文字コードの違う同じ名前";
    QTest::newRow("two notebooks") << "two notebooks" << "2 つ入っています";
    QTest::newRow("a file and a folder of one name") << "file and folder" << "ファイルとフォルダーの両方";
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
    } else if (kind == "lf") {
        with({"a\nb.txt", "x"});
    } else if (kind == "tab") {
        with({"a\tb.txt", "x"});
    } else if (kind == "cr") {
        makeZip(path, {{sjis(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")), "a"}, {sjis(QStringLiteral("日記.txt")) + "\r", "b"}});
    } else if (kind == "utf8 and cp932") {
        with({utf8(QStringLiteral("日記.txt")), "c"});
    } else if (kind == "two notebooks") {
        makeZip(path, {{"a/" + sjis(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")), "a"}, {"a/" + sjis(QStringLiteral("日記.txt")), "b"},
                       {"b/" + sjis(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")), "a"}, {"b/" + sjis(QStringLiteral("日記.txt")), "b"}});
    } else if (kind == "file and folder") {
        auto entries = notebook;
        entries.append(std::pair<QByteArray, QByteArray>("photos", "x"));
        entries.append(std::pair<QByteArray, QByteArray>("photos/a.jpg", "y"));
        makeZip(path, entries);
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

void NotebookZipTest::ordinaryZipsRestore_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("restored");
    const QStringList notebook{QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt"), QStringLiteral("日記.txt")};
    QTest::newRow("permission bits without a file type") << "permissions" << notebook;
    QTest::newRow("macOS Finder") << "finder" << notebook;
    QTest::newRow("two folders deep") << "deep" << QStringList{QStringLiteral("写真/a.jpg"), QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt"), QStringLiteral("日記.txt")};
    QTest::newRow("names decomposed as macOS writes them")
        << "decomposed" << QStringList{QStringLiteral("バックアップ/ボタン.txt"), QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt"), QStringLiteral("日記.txt")};
}

// Zips from other tools restore: only the notebook's folder, under the names it holds.
void NotebookZipTest::ordinaryZipsRestore()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, restored);
    std::sort(restored.begin(), restored.end());
    QTemporaryDir out;
    const QString path = out.filePath(QStringLiteral("x.zip"));
    const QByteArray profile = utf8(QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt")), diary = utf8(QStringLiteral("日記.txt"));
    if (kind == "permissions") {
        makeZip(path, {{profile, "p"}, {diary, "d"}});
        setPermissionsOnly(path);
    } else if (kind == "finder") {
        makeZip(path, {{"もも/", ""}, {"もも/" + profile, "p"}, {"もも/" + diary, "d"}, {"もも/.DS_Store", "x"},
                       {"__MACOSX/もも/._" + diary, "apple"}, {"__MACOSX/もも/._" + profile, "apple"},
                       {"もも/Thumbs.db", "x"}});
    } else if (kind == "deep") {
        makeZip(path, {{"a/b/" + profile, "p"}, {"a/b/" + diary, "d"}, {"a/b/写真/a.jpg", "j"}, {"a/readme.txt", "r"}});
    } else if (kind == "decomposed") {
        makeZip(path, {{profile, "p"}, {diary, "d"},
                       {QStringLiteral("バックアップ/ボタン.txt").normalized(QString::NormalizationForm_D).toUtf8(), "b"}});
    }
    const QString target = out.filePath(QStringLiteral("t"));
    const notebook_zip::Outcome o = notebook_zip::restoreInto(path, target);
    QVERIFY2(o.ok, qPrintable(o.error));
    QCOMPARE(contents(target).keys(), restored);
    QCOMPARE(contents(target).value(QStringLiteral("日記.txt")), QByteArray("d"));
}

// An empty folder takes a restore (the command line's TARGET too); one with anything in it does not.
void NotebookZipTest::emptyFolderTakesARestore()
{
    TestNotebook t;
    QTemporaryDir out;
    const QString zip = out.filePath(QStringLiteral("b.zip"));
    QVERIFY(notebook_zip::writeBackup(t.dir(), zip, false).ok);
    const QString empty = out.filePath(QStringLiteral("空"));
    QVERIFY(QDir().mkpath(empty));
    const notebook_zip::Outcome o = notebook_zip::restoreInto(zip, empty);
    QVERIFY2(o.ok, qPrintable(o.error));
    QCOMPARE(contents(empty), contents(t.dir()));
    const notebook_zip::Outcome again = notebook_zip::restoreInto(zip, empty);
    QVERIFY(!again.ok);
    QVERIFY2(again.error.contains(QStringLiteral("空ではありません")), qPrintable(again.error));
    QCOMPARE(contents(empty), contents(t.dir()));
}

// A バックアップ that leads out of the notebook takes none of its files.
void NotebookZipTest::replaceRefusesABackupFolderLeadingOut()
{
    TestNotebook from, open;
    QTemporaryDir out, outside;
    const QString zip = out.filePath(QStringLiteral("b.zip"));
    QVERIFY(notebook_zip::writeBackup(from.dir(), zip, false).ok);
    QVERIFY(QFile::link(outside.path(), open.path(QStringLiteral("バックアップ"))));
    const QMap<QString, QByteArray> before = contents(open.dir());
    const notebook_zip::Outcome o = notebook_zip::replaceWith(zip, open.dir(), QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
    QVERIFY(!o.ok);
    QVERIFY2(o.error.contains(QStringLiteral("外を指している")), qPrintable(o.error));
    QCOMPARE(contents(open.dir()), before);
    QVERIFY(QDir(outside.path()).isEmpty());
}

// Killed while unpacking, before its journal: the start removes what was unpacked and says so;
// with nothing interrupted it says nothing.
void NotebookZipTest::startUndoesAnUnpackedRestore()
{
    TestNotebook t;
    const QMap<QString, QByteArray> before = contents(t.dir());
    QCOMPARE(notebook_zip::finishRestore(t.dir()).what, notebook_zip::Recovery::None);
    QVERIFY(QDir(t.dir()).mkpath(QStringLiteral(".ikuji-techo-restore-Ab12Cd/写真")));
    t.writeBytes(QStringLiteral(".ikuji-techo-restore-Ab12Cd/日記.txt"), "half");
    QCOMPARE(notebook_zip::finishRestore(t.dir()).what, notebook_zip::Recovery::Undone);
    QCOMPARE(contents(t.dir()), before);
}

// Each operation removes the stale temporaries of its kind where it writes (a backup, those of
// its own path whatever their age); the start, beside and inside the notebook. Fresh ones, that
// a running copy could be writing, stay.
void NotebookZipTest::staleTemporariesGo()
{
    TestNotebook t;
    QTemporaryDir out;
    const QString dir = out.path();
    auto put = [&](const QString &name, int age) {
        QDir().mkpath(QFileInfo(dir + u'/' + name).absolutePath());
        QFile f(dir + u'/' + name);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("x") == 1);
        f.close();
        setAge(f.fileName(), age);
    };
    const int old = 2 * 3600, fresh = 60;
    put(QStringLiteral("b.zip.part.Ab12Cd"), fresh);     // this path's: goes
    put(QStringLiteral("c.zip.part.Ef34Gh"), old);       // goes
    put(QStringLiteral("d.zip.part"), old);              // goes
    put(QStringLiteral("e.zip.part.Ij56Kl"), fresh);     // stays
    put(QStringLiteral("f.zip"), old);                   // not a temporary
    QVERIFY(notebook_zip::writeBackup(t.dir(), dir + QStringLiteral("/b.zip"), false).ok);
    QStringList left = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, QStringList({QStringLiteral("b.zip"), QStringLiteral("e.zip.part.Ij56Kl"), QStringLiteral("f.zip")}));

    put(QStringLiteral(".ikuji-techo-restore-Mn78Op/日記.txt"), old);
    setAge(dir + QStringLiteral("/.ikuji-techo-restore-Mn78Op"), old);
    put(QStringLiteral(".ikuji-techo-restore-Qr90St/日記.txt"), fresh);
    QVERIFY(notebook_zip::restoreInto(dir + QStringLiteral("/b.zip"), dir + QStringLiteral("/r")).ok);
    QVERIFY(!QFileInfo::exists(dir + QStringLiteral("/.ikuji-techo-restore-Mn78Op")));
    QVERIFY(QFileInfo::exists(dir + QStringLiteral("/.ikuji-techo-restore-Qr90St")));

    // Yearbooks: the shape of one, old; a folder of another program's of the same shape of name stays.
    put(QStringLiteral(".yb-Uv12Wx/photos/a.jpg"), old);
    put(QStringLiteral(".yb-Uv12Wx/index.html"), old);
    setAge(dir + QStringLiteral("/.yb-Uv12Wx/photos"), old);
    setAge(dir + QStringLiteral("/.yb-Uv12Wx"), old);
    put(QStringLiteral(".cache-Yz34Ab/other"), old);
    setAge(dir + QStringLiteral("/.cache-Yz34Ab"), old);
    QCOMPARE(temporaries::removeYearbookFolders(dir, QStringLiteral("yb")), 1);
    QVERIFY(QFileInfo::exists(dir + QStringLiteral("/.cache-Yz34Ab")));

    // The start: beside the notebook (here the notebook is r, beside the others).
    put(QStringLiteral("g.zip.part.Cd56Ef"), old);
    QCOMPARE(temporaries::removeBesideNotebook(dir + QStringLiteral("/r"), QDateTime::currentDateTime().addSecs(3600)),
             3); // two hours old by then: the restore folder, the part, and e's
    QVERIFY(!QFileInfo::exists(dir + QStringLiteral("/.ikuji-techo-restore-Qr90St")));
}

void NotebookZipTest::sizesInKilobytes()
{
    QCOMPARE(notebook_zip::sizeText(500), QStringLiteral("500 バイト"));
    QCOMPARE(notebook_zip::sizeText(1536), QStringLiteral("1.5 KB"));
    QCOMPARE(notebook_zip::sizeText(qint64(12) << 20), QStringLiteral("12.0 MB"));
}

QTEST_GUILESS_MAIN(NotebookZipTest)
#include "notebook_zip_test.moc"
