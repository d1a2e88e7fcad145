// Pictures without widgets: the names copies take, album membership and numbering, names that
// are refused, how a chosen file is stored, the copy itself, the picker's drives, large BMP
// files reduced while read, and the decoded pictures kept for paging back.
#include "core/pictures/bmp_reduced.h"
#include "core/files/clock.h"
#include "core/files/notebook_files.h"
#include "core/pictures/picture_names.h"
#include "core/pictures/pictures.h"
#include "core/files/volumes.h"
#include "generators.h"

#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QUrl>
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

// Four quadrants (red, green, blue, brown) as a BMP of 24 or 32 bits, its rows stored top-down
// or bottom-up, 32-bit pixels described by colour masks in a V4 header when asked. Qt's BGR888
// and RGB32 rows are laid out as BMP rows are.
QByteArray quadrantBmp(int bits, bool topDown, bool masks = false)
{
    QImage image(400, 300, QImage::Format_RGB32);
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, QColor(200, 150, 50)};
    for (int q = 0; q < 4; ++q)
        QPainter(&image).fillRect(q % 2 * 200, q / 2 * 150, 200, 150, colours[q]);
    image = (topDown ? image : image.mirrored())
                .convertToFormat(bits == 24 ? QImage::Format_BGR888 : image.format());
    const quint32 info = masks ? 108 : 40, size = quint32(image.sizeInBytes());
    QByteArray b;
    QDataStream s(&b, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s << quint16(0x4D42) << quint32(14 + info + size) << quint32(0) << quint32(14 + info) << info
      << qint32(400) << qint32(topDown ? -300 : 300) << quint16(1) << quint16(bits) << quint32(masks ? 3 : 0)
      << size << quint64(0) << quint64(0);
    if (masks)
        s << quint32(0xFF0000) << quint32(0xFF00) << quint32(0xFF) << quint32(0);
    return b + QByteArray(int(info) - 40 - (masks ? 16 : 0), 0) +
           QByteArray(reinterpret_cast<const char *>(image.constBits()), size);
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
    void bmpReducedWhileRead_data();
    void bmpReducedWhileRead();
    void keptPicturesAreNeverStale();
    void hugeClaimsAreNotDecoded_data();
    void hugeClaimsAreNotDecoded();
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
        {"a:b", "「:」"},        {"a\nb", "制御文字"}, {QString(90, u'あ'), "長すぎ"},
        {"con", "「con」は Windows"}, {"Com1.tar", "「Com1」は Windows"}, {"LPT9", "Windows"},
        {"NUL ", "Windows"},    {"console", ""},       {"COM10", ""},   {"aux袋", ""}};
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
    // A home without even its data folder: the trash is made when a picture goes.
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

    // Into the user's trash with the record that puts it back.
    QVERIFY(files.removePicture(QStringLiteral("t.jpg")).ok);
    QVERIFY(!files.folder().exists(QStringLiteral("t.jpg")));
    QVERIFY(QFile::exists(outside.filePath(QStringLiteral("data/Trash/files/t.jpg"))));
    QFile info(outside.filePath(QStringLiteral("data/Trash/info/t.jpg.trashinfo")));
    QVERIFY(info.open(QIODevice::ReadOnly));
    QVERIFY(info.readAll().contains("\nPath=" + QUrl::toPercentEncoding(folderPath + QStringLiteral("/t.jpg"), "/")));
    QVERIFY(!files.removePicture(QStringLiteral("t.jpg")).ok);
    // No trash to be had: said, and the file stays; nothing lands beside it or here.
    writeFile(outside.filePath(QStringLiteral("plain")), "x");
    qputenv("XDG_DATA_HOME", outside.filePath(QStringLiteral("plain/data")).toUtf8());
    const WriteResult kept = files.removePicture(QStringLiteral("20261206.JPG"));
    QVERIFY2(!kept.ok && kept.error.contains(QStringLiteral("そのまま残して")), qPrintable(kept.error));
    QVERIFY(files.folder().exists(QStringLiteral("20261206.JPG")));
    for (const QString &dir : {folderPath, QDir::currentPath()})
        QVERIFY(!QFileInfo::exists(dir + QStringLiteral("/files")) && !QFileInfo::exists(dir + QStringLiteral("/info")));
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

void PictureCoreTest::bmpReducedWhileRead_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("reducedWhileRead"); // otherwise the general reader takes it
    QTest::newRow("24-bit") << quadrantBmp(24, false) << true;
    QTest::newRow("24-bit top-down") << quadrantBmp(24, true) << true;
    QTest::newRow("32-bit") << quadrantBmp(32, false) << true;
    QTest::newRow("32-bit masks") << quadrantBmp(32, true, true) << true;
    QByteArray indexed;
    QBuffer buffer(&indexed);
    buffer.open(QIODevice::WriteOnly);
    QImage::fromData(quadrantBmp(24, false)).convertToFormat(QImage::Format_Indexed8).save(&buffer, "BMP");
    QTest::newRow("8-bit palette") << indexed << false;
    QTest::newRow("cut short") << quadrantBmp(24, false).chopped(1000) << false;
}

void PictureCoreTest::bmpReducedWhileRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, reducedWhileRead);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.bmp"));
    writeFile(path, bytes);
    QCOMPARE(!pictures::readBmpReduced(path, QSize(40, 30)).isNull(), reducedWhileRead);
    if (qstrcmp(QTest::currentDataTag(), "cut short") == 0)
        return; // whatever the general reader makes of it
    // Upright, each colour in its place, the box's size in the picture's proportions.
    const QImage image = pictures::loadScaled(path, QSize(60, 30));
    QCOMPARE(image.size(), QSize(40, 30));
    const QList<QRgb> corners{image.pixel(5, 5), image.pixel(35, 5), image.pixel(5, 25), image.pixel(35, 25)};
    QCOMPARE(corners, (QList<QRgb>{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(200, 150, 50)}));
}

void PictureCoreTest::keptPicturesAreNeverStale()
{
    QTemporaryDir outside;
    qputenv("XDG_DATA_HOME", outside.filePath(QStringLiteral("data")).toUtf8());
    QVERIFY(QDir().mkpath(outside.filePath(QStringLiteral("notebook"))));
    FixedClock clock(QDate(2026, 12, 6));
    NotebookFiles files(outside.filePath(QStringLiteral("notebook")), clock);
    const QString path = files.folder().pathOf(QStringLiteral("a.bmp"));
    writeFile(path, imageBytes("BMP"));
    writeFile(outside.filePath(QStringLiteral("b.bmp")), imageBytes("BMP"));
    pictures::PictureCache cache(2);
    const qint64 first = cache.load(path, QSize(40, 30)).cacheKey();
    QCOMPARE(cache.load(path, QSize(40, 30)).cacheKey(), first); // kept, not decoded again
    // An import over it, even of the very same bytes, is read anew; a deleted one is gone.
    QVERIFY(files.copyPicture(outside.filePath(QStringLiteral("b.bmp")), QStringLiteral("a.bmp")).ok);
    QVERIFY(cache.load(path, QSize(40, 30)).cacheKey() != first);
    QVERIFY(files.removePicture(QStringLiteral("a.bmp")).ok);
    QVERIFY(cache.load(path, QSize(40, 30)).isNull());
    // Bounded: the one used longest ago goes.
    for (int w = 10; w <= 30; w += 10)
        cache.load(outside.filePath(QStringLiteral("b.bmp")), QSize(w, w));
    QCOMPARE(cache.count(), 2);
}

void PictureCoreTest::hugeClaimsAreNotDecoded_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("told"); // the size read from the header, and said
    // A progressive JPEG whose frame header claims 30000 x 30000: its decoder would hold all
    // of it, gigabytes, whatever size was asked of it.
    const QByteArray jpeg = generators::pictureBomb(30000);
    QTest::newRow("progressive JPEG") << jpeg << "bomb.jpg" << true;
    // A BMP header claiming as much over a few bytes of pixels: Qt finds it inconsistent.
    QByteArray bmp = imageBytes("BMP");
    for (int at : {18, 22})
        for (int b = 0; b < 4; ++b)
            bmp[at + b] = char((30000 >> (8 * b)) & 0xff);
    QTest::newRow("BMP") << bmp << "bomb.bmp" << false;
}

void PictureCoreTest::hugeClaimsAreNotDecoded()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(bool, told);
    QTemporaryDir dir;
    writeFile(dir.filePath(name), bytes);
    QVERIFY(pictures::loadScaled(dir.filePath(name), QSize(340, 255)).isNull());
    if (!told)
        return;
    QCOMPARE(pictures::sizeProblem(dir.filePath(name)),
             QStringLiteral("画像 %1 は 30000×30000 ピクセルと大きすぎるため、表示しません（1億ピクセルまで表示できます）。")
                 .arg(name));
    // Neither is it decoded to be stored upright; a plain copy is made a megabyte at a time.
    FixedClock clock(QDate(2026, 12, 6));
    NotebookFiles files(dir.path(), clock);
    const WriteResult converted = files.copyPicture(dir.filePath(name), QStringLiteral("c.jpg"), true);
    QVERIFY(!converted.ok && converted.error.contains(QStringLiteral("大きすぎる")));
    QVERIFY(files.copyPicture(dir.filePath(name), QStringLiteral("copy") + name.right(4)).ok);
    QCOMPARE(files.read(QStringLiteral("copy") + name.right(4)), bytes);
}

QTEST_GUILESS_MAIN(PictureCoreTest)
#include "picture_core_test.moc"
