// The picture frame (what it names, size, orientation) and the picker on a
// temporary folder tree (drives, folders, files, preview, its boxes).
#include "core/files/notebook_folder.h"
#include "scripted_dialogs.h"
#include "ui/widgets/picture_frame.h"
#include "ui/widgets/picture_picker.h"

#include <QComboBox>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

void writeImage(const QString &path, QSize size, const char *format = nullptr)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(path, format));
}

} // namespace

class PictureWidgetsTest : public QObject
{
    Q_OBJECT
private slots:
    void frameShowsTheWinnerFitted();
    void pickerWalksAFolderTree();
};

void PictureWidgetsTest::frameShowsTheWinnerFitted()
{
    QTemporaryDir dir;
    NotebookFolder folder(dir.path());
    PictureFrame frame;
    frame.resize(200, 150);
    frame.showKey(folder, QStringLiteral("none"));
    QCOMPARE(frame.shownName(), QString()); // not even NOPIC.JPG is there
    writeImage(dir.filePath(QStringLiteral("NOPIC.JPG")), QSize(40, 30));
    folder.forgetListing();
    frame.showKey(folder, QStringLiteral("none"));
    // A photo that cannot be shown leaves the frame as it was.
    QVERIFY(!frame.showKeyIfAny(folder, QStringLiteral("none")));
    QVERIFY(!frame.showFile(dir.filePath(QStringLiteral("missing.jpg"))));
    QCOMPARE(frame.accessibleDescription(), QStringLiteral("NOPIC.JPG"));

    // A large photo stored turned is decoded at the box's size, upright, in proportion.
    {
        QImageWriter turned(dir.filePath(QStringLiteral("big.jpg")), "jpeg");
        turned.setTransformation(QImageIOHandler::TransformationRotate90);
        QVERIFY(turned.write(QImage(QSize(4000, 3000), QImage::Format_RGB32)));
    }
    QVERIFY(frame.showFile(dir.filePath(QStringLiteral("big.jpg"))));
    const QSize shown = frame.pixmap().size();
    QVERIFY2(shown.height() <= 150 && shown.height() >= 140 && shown.width() < shown.height(),
             qPrintable(QStringLiteral("%1x%2").arg(shown.width()).arg(shown.height())));
}

void PictureWidgetsTest::pickerWalksAFolderTree()
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("drive"));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/notebook")));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/写真/2026")));
    writeImage(root + QStringLiteral("/写真/b.png"), QSize(8, 8), "PNG");
    QFile(root + QStringLiteral("/写真/a.txt")).open(QIODevice::WriteOnly);
    const QList<Volume> volumes{{root, QStringLiteral("drive"), true},
                                {dir.filePath(QStringLiteral("gone")), QStringLiteral("gone"), false}};
    ScriptedDialogs dialogs;
    QWidget panel;
    PicturePicker picker(dialogs, QStringLiteral("2"), QStringLiteral("画像取り込み先指定"),
                         root + QStringLiteral("/notebook"), &panel);
    picker.setVolumeSource([volumes] { return volumes; });
    auto *drives = picker.findChild<QComboBox *>(QStringLiteral("drvZukei_Moto2"));
    auto *folders = picker.findChild<QTreeWidget *>(QStringLiteral("dirZukei_Moto2"));
    auto *files = picker.findChild<QListWidget *>(QStringLiteral("filZukei_Moto2"));
    QCOMPARE(picker.currentFolder(), root + QStringLiteral("/notebook"));
    QCOMPARE(folders->currentItem()->text(0), QStringLiteral("notebook"));
    QCOMPARE(folders->topLevelItem(0)->childCount(), 2); // the drive's folders, current one open
    QCOMPARE(QStringList({drives->accessibleName(), folders->accessibleName(), files->accessibleName()}),
             QStringList({"ドライブ", "フォルダー", "ファイル"}));

    // Another folder lists every file of it; a click on one previews it.
    folders->setCurrentItem(folders->topLevelItem(0)->child(1));
    QCOMPARE(files->count(), 2); // a.txt and b.png
    QSignalSpy preview(&picker, &PicturePicker::previewRequested);
    dialogs.expect(QStringLiteral("ファイル未選択"),
                   QStringLiteral("コピー元ファイルが指定されていません \n\n先にファイルを選択して下さい "),
                   Dialogs::Icon::Warning, Dialogs::Buttons::Ok, Dialogs::Answer::Ok);
    picker.findChild<QPushButton *>(QStringLiteral("cmdFileCopy2"))->click();
    files->setCurrentRow(1);
    QCOMPARE(preview.takeFirst().first().toString(), root + QStringLiteral("/写真/b.png"));

    // A drive that cannot be read: its box, and the lists stay where they were.
    dialogs.expect(QStringLiteral("ﾃﾞﾊﾞｲｽ未準備"), QStringLiteral("ﾃﾞﾊﾞｲｽが準備されていません"),
                   Dialogs::Icon::Critical, Dialogs::Buttons::Ok, Dialogs::Answer::Ok);
    drives->setCurrentIndex(1);
    emit drives->activated(1);
    QCOMPARE(drives->currentIndex(), 0);
    QCOMPARE(picker.currentFolder(), root + QStringLiteral("/写真"));
    QCOMPARE(files->item(1)->text(), QStringLiteral("b.png"));
    VERIFY_DIALOGS(dialogs);
}

QTEST_MAIN(PictureWidgetsTest)
#include "picture_widgets_test.moc"
