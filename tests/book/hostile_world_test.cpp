// The notebook's files in a hostile world: a full disk, links leading out of the folder, a
// folder where a file should be, leftovers of killed saves, a second copy of the program.
#include "book/notebook_setup.h"
#include "registers/register_files.h"
#include "test_notebook.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// The largest file this process may write, as a full disk would have it: writes beyond it
// fail (EFBIG) instead of ending the process.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
    rlimit old{};
};

using Write = std::function<WriteResult(Notebook &)>;

} // namespace

class HostileWorldTest : public QObject
{
    Q_OBJECT
private slots:
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void linksOutAndFoldersInPlaceOfFiles();
    void leftoversAndASecondCopy();
};

void HostileWorldTest::fullDiskKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("room"); // bytes a file may grow to
    QTest::addColumn<Write>("write");
    QTest::newRow("rewrite of a 12 KB diary, 4 KB free")
        << QStringLiteral("日記.txt") << 4096 << Write([](Notebook &nb) { return nb.writeDiary(); });
    QTest::newRow("a day appended past the end of the room")
        << QStringLiteral("日記.txt") << 12214 + 40 << Write([](Notebook &nb) {
               return nb.appendDay(QStringLiteral("2026/12/05"), 0, 0, QString(200, u'あ'));
           });
    QTest::newRow("picture mode saved, nothing free")
        << QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt") << 0
        << Write([](Notebook &nb) { return nb.setPictureMode(nb.profile.diaryPictureMode, photosHidden()); });
    QTest::newRow("schedule entry appended, nothing free")
        << scheduleFileName() << 0 << Write([](Notebook &nb) {
               return appendRegisterRecord(nb.files, scheduleFileName(),
                                           {QStringLiteral("2026/12/24"), QStringLiteral("x")});
           });
}

void HostileWorldTest::fullDiskKeepsTheOldFile()
{
    QFETCH(QString, name);
    QFETCH(int, room);
    QFETCH(Write, write);
    TestNotebook t;
    Notebook &nb = t.notebook();
    nb.readProfile();
    nb.readDiary();
    const QByteArray before = t.bytes(name);
    const QStringList filesBefore = QDir(t.dir()).entryList(QDir::Files);
    WriteResult r;
    {
        FileSizeLimit limit(room);
        r = write(nb);
    }
    QVERIFY(!r.ok);
    QVERIFY(r.error.contains(name));
    QCOMPARE(t.bytes(name), before);
    QCOMPARE(QDir(t.dir()).entryList(QDir::Files), filesBefore); // no temporary file left
}

void HostileWorldTest::linksOutAndFoldersInPlaceOfFiles()
{
    QTemporaryDir outside;
    const QString secret = outside.filePath(QStringLiteral("secret.txt"));
    QFile f(secret);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("outside\r\n");
    f.close();
    TestNotebook t;
    for (const QString &name : {QStringLiteral("日記.txt"), QStringLiteral("予定.txt")})
        QVERIFY(QFile::remove(t.path(name)));
    QVERIFY(QFile::link(secret, t.path(QStringLiteral("日記.txt"))));
    QVERIFY(QFile::link(outside.filePath(QStringLiteral("nowhere.txt")), t.path(QStringLiteral("予定.txt"))));
    QVERIFY(QFile::remove(t.path(QStringLiteral("レシピ.txt"))));
    QVERIFY(QDir(t.dir()).mkdir(QStringLiteral("レシピ.txt")));

    // Start-up creates nothing through the link that leads nowhere.
    notebook_setup::createMissingFiles(t.notebook().folder(), sampleNotebookDir());
    QVERIFY(!QFileInfo::exists(outside.filePath(QStringLiteral("nowhere.txt"))));

    // Nothing is read through them, the user is told once of each, nothing is written.
    Notebook &nb = t.notebook();
    nb.readDiary();
    nb.LoadRecipes();
    nb.readDiary();
    QCOMPARE(nb.diary.count(), 0);
    const QStringList told = nb.files.takeReadProblems();
    QCOMPARE(told.size(), 2);
    QVERIFY(told[0].contains(QStringLiteral("リンク")));
    QVERIFY(told[1].contains(QStringLiteral("フォルダー")));
    QVERIFY(!nb.appendDay(QStringLiteral("2026/12/05"), 0, 0, QString()).ok);
    QVERIFY(!nb.writeDiary().ok);
    QVERIFY(!appendRegisterRecord(nb.files, scheduleFileName(),
                                  {QStringLiteral("2026/12/24"), QStringLiteral("x")})
                 .ok);
    QVERIFY(!nb.SaveRecipeFile().ok);
    QCOMPARE(QFile(secret).size(), 9);
    QVERIFY(!QFileInfo::exists(outside.filePath(QStringLiteral("nowhere.txt"))));
    // A name that is not a bare name never reaches a file.
    QVERIFY(nb.folder().pathOf(QStringLiteral("../secret.txt")).isEmpty());
    QVERIFY(!nb.files.rewrite(QStringLiteral("../x.txt"), QStringLiteral("x")).ok);
}

void HostileWorldTest::leftoversAndASecondCopy()
{
    TestNotebook t;
    const QStringList left = {QStringLiteral("日記.txt.aB3xYz"), QStringLiteral("レシピ.TXT.Q1w2E3")};
    const QStringList kept = {QStringLiteral("日記.txt.20261206-093000.bak"),
                              QStringLiteral("メモ.txt.aB3xYz")};
    for (const QString &name : left + kept)
        t.writeBytes(name, "x");
    QCOMPARE(notebook_setup::removeLeftovers(t.dir()), 2);
    for (const QString &name : kept)
        QVERIFY(QFileInfo::exists(t.path(name)));

    QString error;
    std::unique_ptr<QLockFile> first = notebook_setup::lockFolder(t.dir(), &error);
    QVERIFY(first);
    QVERIFY(!notebook_setup::lockFolder(t.dir(), &error));
    QVERIFY(error.startsWith(QStringLiteral("この育児手帖はすでに開いています。")));
    first.reset();
    QVERIFY(notebook_setup::lockFolder(t.dir(), &error));
}

QTEST_MAIN(HostileWorldTest)
#include "hostile_world_test.moc"
