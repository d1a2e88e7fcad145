// Pictures without widgets: the names copies take, album membership and numbering, names that
// are refused, how a chosen file is stored, the copy itself, and the picker's drives.
#include "common/clock.h"
#include "common/notebook_files.h"
#include "common/picture_names.h"
#include "common/volumes.h"

#include <QImageReader>
#include <QImageWriter>
#include <QtTest>

using namespace picture_names;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray imageBytes(const char *format, QSize size = QSize(40, 20))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

class PictureCoreTest : public QObject
{
    Q_OBJECT
private slots:
    void namesAndProblems();
    void albumGroups();
    void sourceKinds_data();
    void sourceKinds();
    void copyAndRemove();
    void userVolumes();
};

void PictureCoreTest::namesAndProblems()
{
    QCOMPARE(QStringList({dayPhotoKey(QStringLiteral("2026/12/06"), 0),
                          dayPhotoKey(QStringLiteral("2026/12/06"), 3), albumPhotoKey(2, 7),
                          albumPhotoKey(1, 1000), slotButtonName(0)}),
             QStringList({"20261206", "20261206_3", "Photo2_007", "Photo1_1000", "メインボタン"}));
    QCOMPARE(pickerHelpText(QStringLiteral("A")),
             QStringLiteral("A\r\n\r\n①まずは画像が保存されているドライブ名を指定します。\r\n"
                            "②次に画像が保存されているフォルダ名を指定します。\r\n"
                            "③次に取り込みたい画像ファイル名を指定します。\r\n"
                            "④最後に「画像を取り込む」ボタンを押してください。\r\n\r\n"
                            "※キャンセルボタンは画像を取り込む前に有効です。"));
    // What the message names; "" = the name is fine.
    const std::pair<QString, QString> names[] = {
        {"ベビー服", ""},        {"a..b", ""},         {"", "名前が空"},
        {"..", "「.」や「..」"}, {"../../x", "「/」"}, {"a\\b", "「\\」"},
        {"a:b", "「:」"},        {"a\nb", "制御文字"}, {QString(90, u'あ'), "長すぎ"}};
    for (const auto &[name, named] : names) {
        const QString problem = nameProblem(name);
        QVERIFY2(named.isEmpty() ? problem.isEmpty() : problem.contains(named), qPrintable(name + problem));
    }
}

void PictureCoreTest::albumGroups()
{
    const QStringList folder{"photo3_abc.png", "Photo3_002.jpg", "PHOTO3_010.gif", "Photo30.jpg",
                             "Photo1_001.jpg", "Photo3_001.JPG", "XPhoto3_5.jpg",  "20261206.jpg"};
    // Letter case does not matter, for membership or order; a name that merely holds the
    // pattern does not belong.
    QCOMPARE(albumGroupFiles(folder, 3), (QStringList{"Photo30.jpg", "Photo3_001.JPG", "Photo3_002.jpg",
                                                      "PHOTO3_010.gif", "photo3_abc.png"}));
    // The highest number counts, not the last name; a name without digits counts as 0.
    QCOMPARE(nextAlbumNumber(albumGroupFiles(folder, 3), 3), 11);
    QCOMPARE(nextAlbumNumber({"photo4_abc.png"}, 4), 1);
    QCOMPARE(nextAlbumNumber({"Photo1_999.jpg"}, 1), 1000);
}

void PictureCoreTest::sourceKinds_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("extension");
    const int copy = int(PictureSource::Kind::Copy), convert = int(PictureSource::Kind::Convert);
    QTest::newRow("jpg keeps its case") << "IMG_0001.JPG" << imageBytes("JPG") << copy << ".JPG";
    QTest::newRow("jpeg becomes jpg") << "a.jpeg" << imageBytes("JPG") << copy << ".jpg";
    QTest::newRow("bmp") << "a.Bmp" << imageBytes("BMP") << copy << ".Bmp";
    QTest::newRow("png stored as jpg") << "a.png" << imageBytes("PNG") << convert << ".jpg";
    QTest::newRow("png named jpg") << "b.jpg" << imageBytes("PNG") << convert << ".jpg";
    QTest::newRow("not a picture") << "a.jpg" << QByteArray("hello") << int(PictureSource::Kind::Unreadable)
                                   << "";
}

void PictureCoreTest::sourceKinds()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    writeFile(dir.filePath(file), bytes);
    const PictureSource source = examineSource(dir.filePath(file));
    QTEST(int(source.kind), "kind");
    QTEST(source.extension, "extension");
}

void PictureCoreTest::copyAndRemove()
{
    QTemporaryDir outside;
    const QString folderPath = outside.filePath(QStringLiteral("notebook"));
    QVERIFY(QDir().mkpath(folderPath));
    QVERIFY(QDir().mkpath(outside.filePath(QStringLiteral("data"))));
    qputenv("XDG_DATA_HOME", outside.filePath(QStringLiteral("data")).toUtf8());
    FixedClock clock(QDate(2026, 12, 6));
    NotebookFiles files(folderPath, clock);
    const QByteArray jpeg = imageBytes("JPG");
    writeFile(outside.filePath(QStringLiteral("src.jpg")), jpeg);

    // Byte for byte, over an existing file whatever the case of its name.
    writeFile(folderPath + QStringLiteral("/20261206.JPG"), "old");
    QVERIFY(
        files.copyPicture(outside.filePath(QStringLiteral("src.jpg")), QStringLiteral("20261206.jpg")).ok);
    QCOMPARE(files.fileNames(), QStringList{QStringLiteral("20261206.JPG")});
    QCOMPARE(files.read(QStringLiteral("20261206.jpg")), jpeg);

    // Converted upright: a photo stored turned comes out as it should be seen.
    {
        QImageWriter turned(outside.filePath(QStringLiteral("turned.jpg")), "jpeg");
        turned.setTransformation(QImageIOHandler::TransformationRotate90);
        QVERIFY(turned.write(QImage(QSize(40, 20), QImage::Format_RGB32)));
    }
    QVERIFY(
        files.copyPicture(outside.filePath(QStringLiteral("turned.jpg")), QStringLiteral("t.jpg"), true).ok);
    QImageReader plain(folderPath + QStringLiteral("/t.jpg"));
    plain.setAutoTransform(false);
    QCOMPARE(plain.size(), QSize(20, 40));

    // Failures say so and leave nothing behind: a name that climbs out, a missing source.
    QVERIFY(!files.copyPicture(outside.filePath(QStringLiteral("src.jpg")), QStringLiteral("../x.jpg")).ok);
    QVERIFY(!QFile::exists(outside.filePath(QStringLiteral("x.jpg"))));
    const WriteResult missing = files.copyPicture(outside.filePath(QStringLiteral("none.jpg")), "n.jpg");
    QVERIFY(!missing.ok && missing.error.contains(QStringLiteral("n.jpg")));
    QCOMPARE(files.fileNames().size(), 2);

    QVERIFY(files.removePicture(QStringLiteral("t.jpg")).ok);
    QVERIFY(!files.folder().exists(QStringLiteral("t.jpg")));
    QVERIFY(!files.removePicture(QStringLiteral("t.jpg")).ok);
}

void PictureCoreTest::userVolumes()
{
    for (const char *root : {"/", "/media/u/USB", "/run/media/u/SD"})
        QVERIFY2(isUserVolume(QString::fromLatin1(root), "vfat"), root);
    for (const char *root : {"/proc", "/sys/fs/cgroup", "/run/user/1000", "/snap/core/1", "/boot/efi"})
        QVERIFY2(!isUserVolume(QString::fromLatin1(root), "ext4"), root);
    const QList<Volume> volumes = pickerVolumes();
    QVERIFY(volumes.first().root == QDir::homePath() && volumes.last().root == QStringLiteral("/"));
    QCOMPARE(volumeOf(volumes, QDir::homePath() + QStringLiteral("/a")), 0);
}

QTEST_GUILESS_MAIN(PictureCoreTest)
#include "picture_core_test.moc"
