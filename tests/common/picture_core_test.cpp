// Pictures without widgets: the names copies take, album membership and numbering, names that
// are refused, how a chosen file is stored, the copy itself, the two slide-show sequences, the
// picker's drives and the album captions file.
#include "common/clock.h"
#include "common/notebook_files.h"
#include "common/picture_names.h"
#include "common/slide_show.h"
#include "common/volumes.h"
#include "registers/album_captions.h"

#include <QImageReader>
#include <QImageWriter>
#include <QtTest>

using namespace picture_names;

namespace {

// The smallest GIF (Qt reads GIF but does not write it).
const QByteArray OnePixelGif =
    QByteArray::fromHex("4749463839610100010080000000000000ffffff21f90401000000002c"
                        "00000000010001000002024401003b");

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
    void names_data();
    void names();
    void albumGroups();
    void nameProblems_data();
    void nameProblems();
    void sourceKinds_data();
    void sourceKinds();
    void copyAndRemove();
    void slideSequences();
    void userVolumes_data();
    void userVolumes();
    void captionsLineByLine();
};

void PictureCoreTest::names_data()
{
    QTest::addColumn<QString>("made");
    QTest::addColumn<QString>("expected");
    const QString date = QStringLiteral("2026/12/06");
    QTest::newRow("main photo") << dayPhotoKey(date, 0) << "20261206";
    QTest::newRow("photo 3") << dayPhotoKey(date, 3) << "20261206_3";
    QTest::newRow("album") << albumPhotoKey(2, 7) << "Photo2_007";
    QTest::newRow("album past 999") << albumPhotoKey(1, 1000) << "Photo1_1000";
    QTest::newRow("confirm main") << dayConfirmText(date, 0) << "2026/12/06のメインはこの画像でＯＫですか？";
    QTest::newRow("confirm photo") << dayConfirmText(date, 2) << "2026/12/06の2はこの画像でＯＫですか？";
    QTest::newRow("confirm item") << namedConfirmText(QStringLiteral("ベビー服"))
                                  << "ベビー服はこの画像でＯＫですか？";
    QTest::newRow("slot main") << slotButtonName(0) << "メインボタン";
    QTest::newRow("slot 3") << slotButtonName(3) << "3ボタン";
    QTest::newRow("help") << pickerHelpText(QStringLiteral("A"))
                          << "A\r\n\r\n①まずは画像が保存されているドライブ名を指定します。\r\n"
                             "②次に画像が保存されているフォルダ名を指定します。\r\n"
                             "③次に取り込みたい画像ファイル名を指定します。\r\n"
                             "④最後に「画像を取り込む」ボタンを押してください。\r\n\r\n"
                             "※キャンセルボタンは画像を取り込む前に有効です。";
}

void PictureCoreTest::names()
{
    QFETCH(QString, made);
    QFETCH(QString, expected);
    QCOMPARE(made, expected);
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
    QCOMPARE(nextAlbumNumber({}, 2), 1);
    QCOMPARE(nextAlbumNumber({"photo4_abc.png"}, 4), 1);
    QCOMPARE(nextAlbumNumber({"Photo1_999.jpg"}, 1), 1000);
}

void PictureCoreTest::nameProblems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("named"); // what the message names; "" = the name is fine
    QTest::newRow("plain") << "ベビー服"
                           << "";
    QTest::newRow("dots inside") << "a..b"
                                 << "";
    QTest::newRow("empty") << ""
                           << "名前が空";
    QTest::newRow("dot dot") << ".."
                             << "「.」や「..」";
    QTest::newRow("climbs out") << "../../x"
                                << "「/」";
    QTest::newRow("slash") << "a/b"
                           << "「/」";
    QTest::newRow("backslash") << "a\\b"
                               << "「\\」";
    QTest::newRow("colon") << "a:b"
                           << "「:」";
    QTest::newRow("line break") << "a\nb"
                                << "制御文字";
    QTest::newRow("too long") << QString(90, u'あ') << "長すぎ";
}

void PictureCoreTest::nameProblems()
{
    QFETCH(QString, name);
    QFETCH(QString, named);
    const QString problem = nameProblem(name);
    QVERIFY2(named.isEmpty() ? problem.isEmpty() : problem.contains(named), qPrintable(problem));
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
    QTest::newRow("gif") << "a.gif" << OnePixelGif << copy << ".gif";
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

    // Failures say so and leave nothing behind: a name that climbs out, a missing source, a
    // destination that cannot be written.
    QVERIFY(!files.copyPicture(outside.filePath(QStringLiteral("src.jpg")), QStringLiteral("../x.jpg")).ok);
    QVERIFY(!QFile::exists(outside.filePath(QStringLiteral("x.jpg"))));
    const WriteResult missing = files.copyPicture(outside.filePath(QStringLiteral("none.jpg")), "n.jpg");
    QVERIFY(!missing.ok && missing.error.contains(QStringLiteral("n.jpg")));
    QVERIFY(QDir(folderPath).mkdir(QStringLiteral("blocked.jpg")));
    QVERIFY(
        !files.copyPicture(outside.filePath(QStringLiteral("src.jpg")), QStringLiteral("blocked.jpg")).ok);
    QCOMPARE(files.fileNames().size(), 2);

    QVERIFY(files.removePicture(QStringLiteral("t.jpg")).ok);
    QVERIFY(!files.folder().exists(QStringLiteral("t.jpg")));
    QVERIFY(!files.removePicture(QStringLiteral("t.jpg")).ok);
}

void PictureCoreTest::slideSequences()
{
    // Recipes: 1, 2, 3, then 1 once more and the show stops; a new start goes on with 2.
    SlideCursor c;
    c.playing = true;
    QList<int> shown;
    while (c.playing)
        shown.append(c.take(3));
    c.playing = true;
    while (c.playing)
        shown.append(c.take(3));
    QCOMPARE(shown, (QList<int>{1, 2, 3, 1, 2, 3, 1}));

    // Day photos: day 1 has photos 1 and 3 (2 is missing), day 2 none. Stop pressed during day 1
    // still lets its photo 1 show; the next start goes on with day 2.
    PhotoSlideShow show;
    auto has = [](int day, int photo) { return day == 1 && (photo == 1 || photo == 3); };
    auto at = [&] {
        const PhotoSlideShow::Step s = show.step(2, has);
        return s.day * 10 + s.photo;
    };
    show.cursor().playing = true;
    QCOMPARE(at(), 10);
    show.cursor().playing = false;
    QCOMPARE(at(), 11);
    QCOMPARE(at(), 0);
    QVERIFY(!show.active());
    show.cursor().playing = true;
    QCOMPARE((QList<int>{at(), at(), at()}), (QList<int>{20, 10, 11})); // day 2, then day 1 again
    QVERIFY(!show.cursor().playing && show.midDay());
    QCOMPARE(at(), 0);
    QCOMPARE(show.cursor().next, 2);
}

void PictureCoreTest::userVolumes_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<bool>("listed");
    QTest::newRow("root") << "/" << QByteArray("ext4") << true;
    QTest::newRow("usb stick") << "/media/u/USB" << QByteArray("vfat") << true;
    QTest::newRow("run media") << "/run/media/u/SD" << QByteArray("exfat") << true;
    QTest::newRow("proc") << "/proc" << QByteArray("proc") << false;
    QTest::newRow("sys") << "/sys/fs/cgroup" << QByteArray("cgroup2") << false;
    QTest::newRow("run") << "/run/user/1000" << QByteArray("tmpfs") << false;
    QTest::newRow("snap") << "/snap/core/1" << QByteArray("squashfs") << false;
    QTest::newRow("boot") << "/boot/efi" << QByteArray("vfat") << false;
}

void PictureCoreTest::userVolumes()
{
    QFETCH(QString, root);
    QFETCH(QByteArray, type);
    QTEST(isUserVolume(root, type), "listed");
    const QList<Volume> volumes = pickerVolumes();
    QVERIFY(volumes.first().root == QDir::homePath() && volumes.last().root == QStringLiteral("/"));
    QCOMPARE(volumeOf(volumes, QDir::homePath() + QStringLiteral("/a")), 0);
}

void PictureCoreTest::captionsLineByLine()
{
    const AlbumCaptions typed{QStringLiteral("ベビー服"), QStringLiteral("a, \"b\""),
                              QStringLiteral(" 空白 "), QString()};
    QCOMPARE(albumCaptionsText(typed), QStringLiteral("ベビー服\r\na, \"b\"\r\n 空白 \r\n\r\n"));
    QCOMPARE(parseAlbumCaptions(albumCaptionsText(typed)), typed);
    const AlbumCaptions plain = parseAlbumCaptions(QStringLiteral("お誕生日\r\nおでかけ\r\n"));
    QCOMPARE(plain[1], QStringLiteral("おでかけ"));
    QCOMPARE(plain[3], QString());
}

QTEST_GUILESS_MAIN(PictureCoreTest)
#include "picture_core_test.moc"
