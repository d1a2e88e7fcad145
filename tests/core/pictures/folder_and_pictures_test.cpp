// Bare names reach files whatever their letter case; rewrites are whole; pictures follow the
// bmp > gif > jpg rule with NOPIC.JPG standing in.
#include "core/files/notebook_folder.h"
#include "core/pictures/pictures.h"
#include "core/files/rewrite_guard.h"

#include <QtTest>

class FolderAndPicturesTest : public QObject
{
    Q_OBJECT
private slots:
    void bareNamesIgnoreLetterCase();
    void saveAppendAndBackup();
    void guardCopiesOnceBeforeFirstRewrite();
    void picturePrecedence();
    void pictureDecodedAtDisplaySize();

private:
    static void writeImage(const QString &path, QColor color, QSize size = QSize(40, 30))
    {
        QImage img(size, QImage::Format_RGB32);
        img.fill(color);
        QVERIFY(img.save(path));
    }
};

void FolderAndPicturesTest::bareNamesIgnoreLetterCase()
{
    QTemporaryDir dir;
    QFile f(dir.path() + QStringLiteral("/日記.TXT"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    NotebookFolder folder(dir.path());
    QVERIFY(folder.exists(QStringLiteral("日記.txt")));
    QCOMPARE(folder.readAll(QStringLiteral("日記.txt")), QByteArray("x"));
    QVERIFY(folder.save(QStringLiteral("日記.txt"), "yz"));
    // Saved into the existing file, not beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("日記.TXT")});
    QCOMPARE(folder.readAll(QStringLiteral("日記.Txt")), QByteArray("yz"));
    // A file that does not exist yet is created as named.
    QVERIFY(folder.save(QStringLiteral("予定.txt"), ""));
    QVERIFY(QFile::exists(dir.path() + QStringLiteral("/予定.txt")));
    // The listing made for the lookups above learns the names saved since.
    QCOMPARE(folder.pathOf(QStringLiteral("予定.TXT")), dir.path() + QStringLiteral("/予定.txt"));
    QVERIFY(
        folder.exists(folder.keepBackup(QStringLiteral("予定.txt"), QDateTime::currentDateTime()).toUpper()));
    bool ok = true;
    QCOMPARE(folder.readAll(QStringLiteral("ない.txt"), &ok), QByteArray());
    QVERIFY(!ok);
    // The listing holds every entry but folders: hidden files, links to files and broken
    // links are there, a folder and a link to one are not.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("写真")));
    QVERIFY(QFile::link(dir.path() + QStringLiteral("/写真"), dir.path() + QStringLiteral("/フォルダーへのリンク")));
    QVERIFY(QFile::link(dir.path() + QStringLiteral("/予定.txt"), dir.path() + QStringLiteral("/リンク.txt")));
    QVERIFY(QFile::link(dir.path() + QStringLiteral("/ない"), dir.path() + QStringLiteral("/切れたリンク")));
    QVERIFY(folder.save(QStringLiteral(".隠し"), "h"));
    QStringList expected = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    expected.sort(Qt::CaseInsensitive);
    QCOMPARE(NotebookFolder(dir.path()).fileNames(), expected);
    QVERIFY(expected.contains(QStringLiteral("切れたリンク")) && !expected.contains(QStringLiteral("写真")));
}

void FolderAndPicturesTest::saveAppendAndBackup()
{
    QTemporaryDir dir;
    NotebookFolder folder(dir.path());
    QVERIFY(folder.append(QStringLiteral("a.txt"), "one\r\n"));
    QVERIFY(folder.append(QStringLiteral("A.TXT"), "two\r\n"));
    QCOMPARE(folder.readAll(QStringLiteral("a.txt")), QByteArray("one\r\ntwo\r\n"));
    const QString copy =
        folder.keepBackup(QStringLiteral("a.txt"), QDateTime(QDate(2026, 12, 7), QTime(9, 5, 1)));
    QCOMPARE(copy, QStringLiteral("a.txt.20261207-090501.bak"));
    QCOMPARE(folder.readAll(copy), QByteArray("one\r\ntwo\r\n"));
    const QString second =
        folder.keepBackup(QStringLiteral("a.txt"), QDateTime(QDate(2026, 12, 7), QTime(9, 5, 1)));
    QVERIFY(second != copy && !second.isEmpty());
}

void FolderAndPicturesTest::guardCopiesOnceBeforeFirstRewrite()
{
    QTemporaryDir dir;
    NotebookFolder folder(dir.path());
    QVERIFY(folder.save(QStringLiteral("日記.txt"), "original"));
    RewriteGuard guard;
    QString name;
    QVERIFY(guard.beforeRewrite(folder, QStringLiteral("日記.txt"), QDateTime::currentDateTime(), &name));
    QVERIFY(name.isEmpty()); // a file read whole needs no copy
    QVERIFY(guard.markNotWhole(QStringLiteral("日記.txt")));
    QVERIFY(!guard.markNotWhole(QStringLiteral("日記.TXT"))); // told once
    QVERIFY(guard.beforeRewrite(folder, QStringLiteral("日記.txt"), QDateTime::currentDateTime(), &name));
    QVERIFY(!name.isEmpty());
    QCOMPARE(folder.readAll(name), QByteArray("original"));
    QString again;
    QVERIFY(guard.beforeRewrite(folder, QStringLiteral("日記.txt"), QDateTime::currentDateTime(), &again));
    QVERIFY(again.isEmpty());
}

void FolderAndPicturesTest::picturePrecedence()
{
    QTemporaryDir dir;
    NotebookFolder folder(dir.path());
    writeImage(dir.path() + QStringLiteral("/NOPIC.JPG"), Qt::gray);
    QString used;
    QImage img = pictures::loadPicture(folder, QStringLiteral("20261206"), QSize(100, 100), &used);
    QCOMPARE(used, QStringLiteral("NOPIC.JPG"));
    QVERIFY(!img.isNull());

    writeImage(dir.path() + QStringLiteral("/20261206.jpg"), Qt::red);
    folder.forgetListing();
    QCOMPARE(pictures::findPicture(folder, QStringLiteral("20261206")), QStringLiteral("20261206.jpg"));
    // Qt writes no GIF: a 2x2 one, byte for byte.
    QFile gif(dir.path() + QStringLiteral("/20261206.GIF"));
    QVERIFY(gif.open(QIODevice::WriteOnly));
    gif.write(QByteArray::fromHex(
        "47494638396102000200f0000000800000000021f90400000000002c00000000020002000002028451003b"));
    gif.close();
    folder.forgetListing();
    QCOMPARE(pictures::findPicture(folder, QStringLiteral("20261206")), QStringLiteral("20261206.GIF"));
    writeImage(dir.path() + QStringLiteral("/20261206.bmp"), Qt::blue);
    folder.forgetListing();
    pictures::loadPicture(folder, QStringLiteral("20261206"), QSize(100, 100), &used);
    QCOMPARE(used, QStringLiteral("20261206.bmp"));

    // A broken .bmp does not count: the .gif wins.
    QFile broken(dir.path() + QStringLiteral("/20261206.bmp"));
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("not a picture");
    broken.close();
    pictures::loadPicture(folder, QStringLiteral("20261206"), QSize(100, 100), &used);
    QCOMPARE(used, QStringLiteral("20261206.GIF"));
}

void FolderAndPicturesTest::pictureDecodedAtDisplaySize()
{
    QTemporaryDir dir;
    NotebookFolder folder(dir.path());
    writeImage(dir.path() + QStringLiteral("/big.jpg"), Qt::yellow, QSize(4000, 3000));
    const QImage img = pictures::loadPicture(folder, QStringLiteral("big"), QSize(340, 255));
    QCOMPARE(img.size(), QSize(340, 255));
    // A dish named like a path has no picture: not outside the folder, not another dish's.
    writeImage(dir.path() + QStringLiteral("/.._x.jpg"), Qt::red);
    writeImage(dir.path() + QStringLiteral("/x.jpg"), Qt::red);
    QCOMPARE(pictures::findPicture(folder, QStringLiteral("../x")), QString());
    QCOMPARE(pictures::findPicture(folder, QStringLiteral("..")), QString());
    // A small picture fills its box too, in its own proportions.
    writeImage(dir.path() + QStringLiteral("/small.jpg"), Qt::yellow, QSize(40, 20));
    QCOMPARE(pictures::loadPicture(folder, QStringLiteral("small"), QSize(340, 255)).size(), QSize(340, 170));
}

QTEST_GUILESS_MAIN(FolderAndPicturesTest)
#include "folder_and_pictures_test.moc"
