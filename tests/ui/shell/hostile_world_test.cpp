// The notebook's files in a hostile world: a full disk, links leading out of the folder, a
// folder where a file should be, leftovers of killed saves, a second copy of the program.
#include "core/book/notebook_setup.h"
#include "core/text/cp932.h"
#include "core/pictures/pictures.h"
#include "core/registers/register_files.h"
#include "recording_printer.h"
#include "scripted_dialogs.h"
#include "file_size_limit.h"
#include "test_notebook.h"
#include "ui/shell/diary_screen.h"
#include "user_actions.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QFile>
#include <QLockFile>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

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
    void pipesAndLinksAreNeverOpened();
    void otherEncodingsAreToldAndKeptAside_data();
    void otherEncodingsAreToldAndKeptAside();
    void fullDiskIsNamed_data();
    void fullDiskIsNamed();
    void sortFailingAfterTheAppendSaysSo();
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
    QTest::newRow("picture copied, 4 KB free") << QStringLiteral("写真.jpg") << 4096 << Write([](Notebook &nb) {
        return nb.files.copyPicture(sampleNotebookDir() + QStringLiteral("/ガラガラ.jpg"), QStringLiteral("写真.jpg"),
                                    false);
    });
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
    nb.loadRecipes();
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
    QVERIFY(!nb.saveRecipeFile().ok);
    QCOMPARE(QFile(secret).size(), 9);
    QVERIFY(!QFileInfo::exists(outside.filePath(QStringLiteral("nowhere.txt"))));
    // A name that is not a bare name never reaches a file.
    QVERIFY(nb.folder().pathOf(QStringLiteral("../secret.txt")).isEmpty());
    QVERIFY(!nb.files.rewrite(QStringLiteral("../x.txt"), QStringLiteral("x")).ok);
}

void HostileWorldTest::leftoversAndASecondCopy()
{
    TestNotebook t;
    const QStringList left = {QStringLiteral("日記.txt.aB3xYz"), QStringLiteral("レシピ.TXT.Q1w2E3"),
                              QStringLiteral("19961225.jpg.pIzxdr"), QStringLiteral("ガラガラ.BMP.x1y2z3"),
                              QStringLiteral("はじめての食材.txt.Ab12Cd")};
    const QStringList kept = {QStringLiteral("日記.txt.20261206-093000.bak"),
                              QStringLiteral("メモ.txt.aB3xYz")};
    for (const QString &name : left + kept)
        t.writeBytes(name, "x");
    QCOMPARE(notebook_setup::removeLeftovers(t.dir()), 5);
    for (const QString &name : kept)
        QVERIFY(QFileInfo::exists(t.path(name)));

    QString error;
    t.writeBytes(QStringLiteral(".ikuji-techo.lock"), "12345\nikuji-techo\nother\n");
    std::unique_ptr<QLockFile> first = notebook_setup::lockFolder(t.dir(), &error);
    QVERIFY(first);
    // The lock lives outside the folder, so a synced folder never carries it; an old one in the
    // folder goes. The same folder reached through a link is the same notebook.
    QVERIFY(!NotebookFolder(t.dir()).lockPath().startsWith(t.dir()));
    QVERIFY(!QFileInfo::exists(t.path(QStringLiteral(".ikuji-techo.lock"))));
    QTemporaryDir other;
    QVERIFY(QFile::link(t.dir(), other.filePath(QStringLiteral("link"))));
    QVERIFY(!notebook_setup::lockFolder(other.filePath(QStringLiteral("link")), &error));
    QVERIFY(!notebook_setup::lockFolder(t.dir(), &error));
    QVERIFY(error.startsWith(QStringLiteral("この育児手帖はすでに開いています。")));
    first.reset();
    QVERIFY(notebook_setup::lockFolder(t.dir(), &error));
}

// A pipe where a data file or a picture should be is never opened (it would wait forever); a
// picture or a backup folder that is a link leading out is never used.
void HostileWorldTest::pipesAndLinksAreNeverOpened()
{
    QTemporaryDir outside;
    TestNotebook t;
    QVERIFY(QFile::remove(t.path(QStringLiteral("設定.txt"))));
    QCOMPARE(mkfifo(QFile::encodeName(t.path(QStringLiteral("設定.txt"))).constData(), 0600), 0);
    QCOMPARE(mkfifo(QFile::encodeName(t.path(QStringLiteral("20261206.jpg"))).constData(), 0600), 0);
    QVERIFY(QFile::copy(sampleNotebookDir() + QStringLiteral("/ガラガラ.jpg"), outside.filePath(QStringLiteral("x.jpg"))));
    QVERIFY(QFile::link(outside.filePath(QStringLiteral("x.jpg")), t.path(QStringLiteral("20261207.jpg"))));
    notebook_setup::createMissingFiles(t.notebook().folder(), sampleNotebookDir());
    Notebook &nb = t.notebook();
    QCOMPARE(nb.files.read(QStringLiteral("設定.txt")), QByteArray());
    const QStringList told = nb.files.takeReadProblems();
    QVERIFY(told.size() == 1 && told[0].contains(QStringLiteral("普通のファイルではない")));
    QVERIFY(!nb.files.rewrite(QStringLiteral("設定.txt"), QStringLiteral("x")).ok);
    for (const char *key : {"20261206", "20261207"})
        QCOMPARE(pictures::findPicture(nb.folder(), QLatin1String(key)), QString());
    QVERIFY(pictures::loadScaled(t.path(QStringLiteral("20261206.jpg")), QSize(40, 30)).isNull());

    // バックアップ leading out: the new notebook does not start, and nothing lands outside.
    QVERIFY(QFile::link(outside.path(), t.path(QStringLiteral("バックアップ"))));
    QVERIFY(!nb.startNewNotebook(QStringLiteral("たろう\r\n"), "2002/02/08", 50, 3000).ok);
    QCOMPARE(QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"x.jpg"});
}

void HostileWorldTest::otherEncodingsAreToldAndKeptAside_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("named");
    const QByteArray caption = QStringLiteral("ベビー服\r\nおもちゃ\r\n").toUtf8();
    QTest::newRow("UTF-8") << caption << "UTF-8";
    QTest::newRow("UTF-8 with its mark") << "\xEF\xBB\xBF" + caption << "UTF-8";
    QByteArray utf16("\xFF\xFE");
    for (QChar c : QStringLiteral("ベビー服\r\n"))
        utf16 += char(c.unicode() & 0xff), utf16 += char(c.unicode() >> 8);
    QTest::newRow("UTF-16") << utf16 << "UTF-16";
    QTest::newRow("a byte CP932 cannot hold") << QByteArray("\x83x\xFF\r\n") << "読めないバイト";
}

void HostileWorldTest::otherEncodingsAreToldAndKeptAside()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, named);
    TestNotebook t;
    t.writeBytes(QStringLiteral("写真見出し.txt"), bytes);
    Notebook &nb = t.notebook();
    nb.files.read(QStringLiteral("写真見出し.txt"));
    nb.files.read(QStringLiteral("写真見出し.txt"));
    const QStringList told = nb.files.takeReadProblems();
    QCOMPARE(told.size(), 1);
    QVERIFY2(told[0].contains(named), qPrintable(told[0]));
    const WriteResult written = nb.files.rewrite(QStringLiteral("写真見出し.txt"), QStringLiteral("a\r\n"));
    QVERIFY(written.ok && !written.backupName.isEmpty());
    QCOMPARE(t.bytes(written.backupName), bytes);
    // The sample's own files are CP932 through and through: nothing is said of them.
    QVERIFY(cp932::looksLike(t.bytes(QStringLiteral("日記.txt"))) == cp932::Looks::Cp932);
}

void HostileWorldTest::fullDiskIsNamed_data()
{
    QTest::addColumn<QString>("qtError");
    QTest::addColumn<qint64>("available");
    QTest::addColumn<QString>("told");
    const QString unknown = QStringLiteral("書き込みに失敗しました。原因はわかりません");
    QTest::newRow("full, Qt at a loss") << "Unknown error" << qint64(2048) << "ディスクの空き容量が足りません（空き 2 KB）";
    QTest::newRow("full, Qt names another cause") << "File too large" << qint64(0) << "ディスクの空き容量が足りません（空き 0 KB）";
    QTest::newRow("room, Qt at a loss") << "Unknown error" << (qint64(1) << 30) << unknown;
    QTest::newRow("room, another cause") << "Permission denied" << (qint64(1) << 30) << "Permission denied";
    QTest::newRow("nothing known") << "" << qint64(-1) << unknown;
}

void HostileWorldTest::fullDiskIsNamed()
{
    QFETCH(QString, qtError);
    QFETCH(qint64, available);
    QTEST(writeFailureText(qtError, available, 1000), "told");
}

// An earlier day is appended, then the file cannot be rewritten in date order: the user is
// told the day is in (at the end), not that nothing was written.
void HostileWorldTest::sortFailingAfterTheAppendSaysSo()
{
    QTemporaryDir outside;
    TestNotebook t;
    const QString diary = t.path(QStringLiteral("日記.txt"));
    const qint64 before = QFileInfo(diary).size();
    // Once the day is appended, the file becomes a link leading out, which nothing writes through.
    struct Trap : FixedClock {
        using FixedClock::FixedClock;
        QDateTime now() const override
        {
            if (!sprung && QFileInfo(path).size() > size) {
                sprung = true;
                QFile::rename(path, away);
                QFile::link(away, path);
            }
            return FixedClock::now();
        }
        QString path, away;
        qint64 size = 0;
        mutable bool sprung = false;
    } clock(QDate(2026, 12, 6));
    clock.path = diary;
    clock.away = outside.filePath(QStringLiteral("日記.txt"));
    clock.size = before;
    Notebook nb(t.dir(), clock);
    ScriptedDialogs dialogs;
    RecordingPrinter printer;
    DiaryScreen screen(nb, dialogs, printer, QString());
    dialogs.setLenient(true);
    screen.load();
    dialogs.clear();
    dialogs.setLenient(false);
    auto *day = screen.findChild<QComboBox *>(QStringLiteral("cboDay"));
    day->setFocus();
    day->lineEdit()->selectAll();
    typeText(day, QStringLiteral("1995/02/17"));
    dialogs.expect(QStringLiteral("新規登録確認"), QString(), Dialogs::Icon::Information, Dialogs::Buttons::OkCancel,
                   Dialogs::Answer::Ok);
    dialogs.expectWarning(QStringLiteral("書き込みエラー"));
    screen.findChild<QPushButton *>(QStringLiteral("cmdTouroku"))->click();
    VERIFY_DIALOGS(dialogs);
    QVERIFY2(dialogs.shown().last().text.startsWith(
                 QStringLiteral("1995/02/17 の日記は追加しましたが、日記.txt を日付の順に並べ直せませんでした。")),
             qPrintable(dialogs.shown().last().text));
    QVERIFY(clock.sprung);
}

QTEST_MAIN(HostileWorldTest)
#include "hostile_world_test.moc"
