// Pictures on the screens: every picker's copy with its boxes (one table), the albums, the day
// photos with their layouts and slide show, the recipe slide show.
#include "core/text/cp932.h"
#include "core/text/one_line.h"
#include "core/pictures/picture_names.h"
#include "core/pictures/pictures.h"
#include "core/notebook/diary_store.h"
#include "generators.h"
#include "loaded_screen.h"
#include "register_screen.h"
#include "ui/notebook/day_photos.h"
#include "ui/notebook/diary_page.h"
#include "ui/recipes/recipe_pictures.h"
#include "ui/recipes/recipe_screen.h"
#include "ui/registers/register_grid.h"
#include "ui/widgets/picture_frame.h"
#include "ui/widgets/picture_picker.h"
#include "user_actions.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>

namespace {

// A folder outside the notebook to pick from.
struct Source {
    Source()
    {
        QImage image(QSize(64, 48), QImage::Format_RGB32);
        image.fill(Qt::red);
        image.save(path(QStringLiteral("IMG_0001.JPG")), "JPG");
        image.save(path(QStringLiteral("x.png")), "PNG");
        QFile(path(QStringLiteral("note.txt"))).open(QIODevice::WriteOnly);
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

// "title|text|cancel": the next box. Copies and a title ending in "?" ask with OK and Cancel;
// "コピー終了" and "削除確認" inform; everything else warns.
void expectBox(ScriptedDialogs &d, const QString &box)
{
    const QStringList p = box.split(u'|');
    QString title = p[0];
    const QString text = p.value(1).isEmpty() ? QString() : p[1];
    const bool cancel = p.value(2) == QStringLiteral("cancel");
    if (title.endsWith(u'?') || title == QStringLiteral("コピー確認") ||
        title == QStringLiteral("上書き確認"))
        d.expect(title.remove(u'?'), text, Dialogs::Icon::Warning, Dialogs::Buttons::OkCancel,
                 Dialogs::Answer::Ok, cancel ? Dialogs::Answer::Cancel : Dialogs::Answer::Ok);
    else if (title == QStringLiteral("コピー終了") || title == QStringLiteral("削除確認"))
        d.expectInformation(title, text);
    else
        d.expectWarning(title, text);
}

void choose(PicturePicker *picker, const QString &folder, const QString &file)
{
    picker->setCurrentFolder(folder);
    auto *files = picker->findChild<QListWidget *>();
    files->setCurrentItem(files->findItems(file, Qt::MatchExactly).value(0));
}

QString shownName(QObject *screen, const QString &frame)
{
    return screen->findChild<PictureFrame *>(frame)->shownName();
}

void writeColour(const QString &path, QColor colour)
{
    QImage image(QSize(64, 48), QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(path, "JPG"));
}

// Whether the middle of the picture shown is red rather than blue.
bool shownRed(QObject *screen, const QString &frame)
{
    const QImage image = screen->findChild<PictureFrame *>(frame)->pixmap().toImage();
    return qRed(image.pixel(image.rect().center())) > qBlue(image.pixel(image.rect().center()));
}

// 日記.txt with the three days 2026/12/04 to 06.
QByteArray photoDays()
{
    QList<DiaryDay> days;
    for (int d = 4; d <= 6; ++d)
        days.append({QStringLiteral("2026/12/0%1").arg(d), 0, 0, QStringLiteral("公園でお散歩")});
    return cp932::encode(diaryFileText(days)).bytes;
}

// With TECHO_SCREENSHOTS set to a folder, the screen as it stands is saved there.
void shot(QWidget *w, const QString &name)
{
    if (qEnvironmentVariableIsEmpty("TECHO_SCREENSHOTS"))
        return;
    QApplication::processEvents(); // pictures decode again at their laid-out size
    w->grab().save(QString::fromLocal8Bit(qgetenv("TECHO_SCREENSHOTS")) + u'/' + name +
                   QStringLiteral(".png"));
}

} // namespace

class PhotoScreensTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { qputenv("XDG_DATA_HOME", m_trash.path().toUtf8()); }
    void imports_data();
    void imports();
    void albums();
    void dayPhotos();
    void slideShowsNeedData();
    void recipeSlideShow();
    void dragShowsThePictureWhereTheBarStops();
    void replacedPicturesAreShownAnew();

private:
    QTemporaryDir m_trash;
};

void PhotoScreensTest::imports_data()
{
    QTest::addColumn<QString>("use"); // day:k:slot, gift, gift-none, recipe:name
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("copied"); // "" = nothing, and the picker stays open
    const QString done = QStringLiteral("コピー終了|");
    const QString overwrite = QStringLiteral("上書き確認|同じ名前の画像が既に存在します。上書きしますか？");
    const QString jpg = QStringLiteral("IMG_0001.JPG");
    QTest::newRow("day main") << "day:2:0" << jpg
                              << QStringList{"コピー確認|1995/02/16のメインはこの画像でＯＫですか？",
                                             done + "日付けをファイル名としてコピー終了しました。"}
                              << "19950216.JPG";
    QTest::newRow("day photo over its file")
        << "day:1:1" << jpg
        << QStringList{"コピー確認|1995/02/15の1はこの画像でＯＫですか？", overwrite, done}
        << "19950215_1.jpg";
    QTest::newRow("gift") << "gift" << jpg
                          << QStringList{"コピー確認|内祝いのタオルはこの画像でＯＫですか？",
                                         done + "品名をファイル名としてコピー終了しました。"}
                          << "内祝いのタオル.JPG";
    QTest::newRow("gift before an item")
        << "gift-none" << jpg << QStringList{"品物選択チェック|先に品物をクリックしてください"} << "";
    QTest::newRow("recipe") << "recipe:にんじんスープ" << jpg
                            << QStringList{"コピー確認|にんじんスープはこの画像でＯＫですか？",
                                           done + "料理名をファイル名としてコピー終了しました。"}
                            << "にんじんスープ.JPG";
    QTest::newRow("unsafe name") << "recipe:../../x" << jpg << QStringList{"ファイル名確認"} << "";
    QTest::newRow("not a picture") << "recipe:りんご"
                                   << "note.txt" << QStringList{"画像確認"} << "";
    QTest::newRow("confirm cancelled") << "recipe:りんご" << jpg << QStringList{"コピー確認||cancel"} << "";
    QTest::newRow("failed copy") << "recipe:blocked" << jpg
                                 << QStringList{"コピー確認", overwrite, "書き込みエラー"} << "";
}

void PhotoScreensTest::imports()
{
    QFETCH(QString, use);
    QFETCH(QString, source);
    QFETCH(QStringList, boxes);
    QFETCH(QString, copied);
    LoadedScreen s;
    s.setHelpTour(false);
    Source from;
    QDir(s.files.dir()).mkdir(QStringLiteral("blocked.JPG"));
    const QStringList before = QDir(s.files.dir()).entryList(QDir::Files);
    for (const QString &box : boxes)
        expectBox(s.dialogs, box);
    const QStringList parts = use.split(u':');
    QWidget *opener = nullptr;
    QWidget *screen = &s.screen;
    if (parts[0] == QStringLiteral("day")) {
        s.screen.diaryPage()->showDay(parts[1].toInt());
        s.click(QStringLiteral("cmdPic") + parts[2]);
        opener = s.find<QLabel>(QStringLiteral("lblDiaryM"));
    } else if (parts[0].startsWith(QStringLiteral("gift"))) {
        s.click(QStringLiteral("cmdItadaki"));
        auto *grid = s.find<RegisterGrid>(QStringLiteral("msgAgeru"));
        QApplication::processEvents();
        if (parts[0] == QStringLiteral("gift"))
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rowPoint(grid, 1));
        opener = s.find<QLabel>(QStringLiteral("lblAgeruM"));
    } else {
        screen = s.screen.recipeScreen();
        screen->findChild<QComboBox *>(QStringLiteral("cboNamae"))->setEditText(parts[1]);
        opener = screen->findChild<QLabel *>(QStringLiteral("lblRyoriNm"));
    }
    QTest::mouseDClick(opener, Qt::LeftButton);
    auto *picker = screen->findChild<PicturePicker *>(
        QLatin1String(parts[0] == QStringLiteral("gift") ? "fraPicget2" : "fraPicget"));
    if (use != QStringLiteral("gift-none")) {
        QVERIFY(picker->isVisibleTo(screen));
        choose(picker, from.dir.path(), source);
        shot(screen->window(), QStringLiteral("picker_") + QLatin1String(QTest::currentDataTag()));
        picker->findChildren<QPushButton *>(QRegularExpression(QStringLiteral("^cmdFileCopy")))
            .first()
            ->click();
        QCOMPARE(picker->isVisibleTo(screen), copied.isEmpty());
    }
    VERIFY_DIALOGS(s.dialogs);
    QStringList after = QDir(s.files.dir()).entryList(QDir::Files);
    if (!before.contains(copied))
        after.removeOne(copied);
    QCOMPARE(after, before);
}

void PhotoScreensTest::albums()
{
    // The sample's groups, with group 3 grown to twelve photos and group 4 down to one.
    LoadedScreen s;
    for (const char *name :
         {"Photo3_001.jpg", "Photo3_002.jpg", "Photo3_003.jpg", "Photo4_002.jpg", "Photo4_003.jpg"})
        QFile::remove(s.files.path(QLatin1String(name)));
    for (int k = 1; k <= 12; ++k)
        QFile::copy(sampleNotebookDir() + QStringLiteral("/Photo3_00%1.jpg").arg(k % 3 + 1),
                    s.files.path(picture_names::albumPhotoKey(3, k) + ".jpg"));
    s.files.writeText(QStringLiteral("写真見出し.txt"),
                      QStringLiteral("ベビー服\r\nおもちゃ\r\nおでかけ\r\n記念の品\r\n"));
    s.setHelpTour(true);
    expectHelpTour(s.dialogs,
                   QStringLiteral("４種類のグループで画像を登録しておくことができます。\r\n\r\n"
                                  "サンプルはご覧の４種を用意しました。\r\n"
                                  "パソコン上でコーディネートを楽しんだり、\r\n"
                                  "思い出の品を保存して懐かしむことができると思います。\r\n\r\n"
                                  "見出しは自由に変更できますので用途に合わせてご利用できます。\r\n\r\n"
                                  "写真枠をダブルクリックすると画像を登録できます。"));
    s.click(QStringLiteral("cmdPhoto"));
    s.setHelpTour(false);
    auto at = [&](int g) {
        auto *kensu = s.find<QLabel>(QStringLiteral("lblKensu%1").arg(g));
        return shownName(&s.screen, QStringLiteral("imgPhoto%1").arg(g)) + u' ' + kensu->accessibleName();
    };
    shot(&s.screen, QStringLiteral("albums"));
    QCOMPARE(at(2), QStringLiteral("Photo2_001.jpg 1 / 3"));
    s.find<QScrollBar>(QStringLiteral("vsbPhoto2"))->setValue(3);
    QCOMPARE(at(2), QStringLiteral("Photo2_003.gif 3 / 3"));

    // Deleting the photo shown: the group shows its last photo; an empty group says nothing.
    s.find<QScrollBar>(QStringLiteral("vsbPhoto2"))->setValue(1);
    expectBox(s.dialogs,
              QStringLiteral(
                  "削除確認?|"
                  "おもちゃに表示中の画像を削除していいですか？\r\n良かったらＯＫボタンを押してください"));
    expectBox(s.dialogs, QStringLiteral("削除確認|削除しました"));
    s.click(QStringLiteral("cmdPhotoDel2"));
    QCOMPARE(at(2), QStringLiteral("Photo2_003.gif 2 / 2"));
    QVERIFY(!QFile::exists(s.files.path(QStringLiteral("Photo2_001.jpg"))));
    expectBox(s.dialogs, QStringLiteral("削除確認?"));
    expectBox(s.dialogs, QStringLiteral("削除確認"));
    s.click(QStringLiteral("cmdPhotoDel4"));
    QCOMPARE(at(4), QStringLiteral(" 0 / 0"));
    s.click(QStringLiteral("cmdPhotoDel4"));

    // A caption is stored as typed and comes back so.
    s.dialogs.expectInput(QStringLiteral("見出し変更"), QStringLiteral("a, \"b\""));
    QTest::mouseDClick(s.find<QLabel>(QStringLiteral("lblPhoto4")), Qt::LeftButton);
    QCOMPARE(s.dialogs.inputs().last().prompt, QStringLiteral("記念の品を何に変更しますか"));
    QCOMPARE(s.files.text(QStringLiteral("写真見出し.txt")),
             QStringLiteral("ベビー服\r\nおもちゃ\r\nおでかけ\r\na, \"b\"\r\n"));

    // A pasted line break would move the captions after it: refused, the file as it was.
    s.dialogs.expectInput(QStringLiteral("見出し変更"), QStringLiteral("x\ny"));
    s.dialogs.expectWarning(QStringLiteral("入力確認"), controlCharacterMessage(QStringLiteral("見出し")));
    QTest::mouseDClick(s.find<QLabel>(QStringLiteral("lblPhoto3")), Qt::LeftButton);
    QCOMPARE(s.files.text(QStringLiteral("写真見出し.txt")),
             QStringLiteral("ベビー服\r\nおもちゃ\r\nおでかけ\r\na, \"b\"\r\n"));

    // An import takes the next number and shows it last; a dropped PNG is stored as a JPEG.
    QTest::mouseDClick(s.find<QWidget>(QStringLiteral("imgPhoto3")), Qt::LeftButton);
    QCOMPARE(s.find<QLabel>(QStringLiteral("lblTouroku"))->text(), QStringLiteral("おでかけに画像を追加"));
    Source from;
    choose(s.find<PicturePicker>(QStringLiteral("fraPicget3")), from.dir.path(),
           QStringLiteral("IMG_0001.JPG"));
    expectBox(s.dialogs, QStringLiteral("コピー終了|登録しました。"));
    s.click(QStringLiteral("cmdFileCopy3"));
    QCOMPARE(at(3), QStringLiteral("Photo3_013.JPG 13 / 13"));
    expectBox(s.dialogs, QStringLiteral("コピー終了|登録しました。"));
    drop(s.find<QWidget>(QStringLiteral("imgPhoto1")), from.path(QStringLiteral("x.png")));
    QCOMPARE(at(1), QStringLiteral("Photo1_004.jpg 4 / 4"));
    s.click(QStringLiteral("cmdPhoto"));
    // The caption is what its command shows; the command keeps its name.
    QAccessibleInterface *caption =
        QAccessible::queryAccessibleInterface(s.find<QLabel>(QStringLiteral("lblPhoto4")));
    QCOMPARE(caption->text(QAccessible::Value), QStringLiteral("a, \"b\""));
    QCOMPARE(caption->text(QAccessible::Name), QStringLiteral("アルバム4の見出しを変更"));
    VERIFY_DIALOGS(s.dialogs);
    for (int g = 1; g <= 4; ++g)
        for (const char *name :
             {"imgPhoto%1 アルバム%1に写真を取り込む", "vsbPhoto%1 写真送り%1", "cmdPhotoDel%1 画像削除%1"}) {
            const QStringList pair = QString::fromUtf8(name).arg(g).split(u' ');
            QCOMPARE(s.find<QWidget>(pair[0])->accessibleName(), pair[1]);
        }
}

void PhotoScreensTest::dayPhotos()
{
    LoadedScreen s(photoDays());
    // 20261206_3.gif is a JPEG inside: still shown, as the lookup reads what is there.
    for (const char *name : {"20261206.jpg", "20261206_1.jpg", "20261206_3.gif"})
        QFile::copy(sampleNotebookDir() + QStringLiteral("/19960330.jpg"), s.files.path(QLatin1String(name)));
    s.notebook().files.folder().forgetListing();
    s.screen.diaryPage()->showDay(3);
    QStringList shown;
    for (int n = 0; n <= 3; ++n) {
        s.click(QStringLiteral("cmdPic%1").arg(n));
        shown.append(shownName(&s.screen, QStringLiteral("imgGazou")));
    }
    QCOMPARE(shown, (QStringList{"20261206.jpg", "20261206_1.jpg", "NOPIC.JPG", "20261206_3.gif"}));
    // A screen reader's toggle and press choose a slot as a click does.
    shown.clear();
    for (const auto &[n, action] : {std::pair{1, QAccessibleActionInterface::toggleAction()},
                                    {0, QAccessibleActionInterface::pressAction()},
                                    {3, QAccessibleActionInterface::toggleAction()}}) {
        QAccessibleInterface *slot =
            QAccessible::queryAccessibleInterface(s.find<QWidget>(QStringLiteral("cmdPic%1").arg(n)));
        slot->actionInterface()->doAction(action);
        QVERIFY(slot->state().checked);
        shown.append(shownName(&s.screen, QStringLiteral("imgGazou")));
    }
    QCOMPARE(shown, (QStringList{"20261206_1.jpg", "20261206.jpg", "20261206_3.gif"}));
    // A picture claiming 30000 x 30000 is not decoded: NOPIC, and a box once.
    QFile bomb(s.files.path(QStringLiteral("20261206_2.jpg")));
    QVERIFY(bomb.open(QIODevice::WriteOnly) && bomb.write(generators::pictureBomb(30000)) > 0);
    bomb.close();
    s.notebook().files.folder().forgetListing();
    s.dialogs.expectWarning(QStringLiteral("画像の表示"), pictures::sizeProblem(bomb.fileName()));
    for (int twice = 0; twice < 2; ++twice) {
        s.click(QStringLiteral("cmdPic2"));
        QCOMPARE(shownName(&s.screen, QStringLiteral("imgGazou")), QStringLiteral("NOPIC.JPG"));
        s.click(QStringLiteral("cmdPic3"));
    }
    VERIFY_DIALOGS(s.dialogs);
    QVERIFY(bomb.remove());
    s.notebook().files.folder().forgetListing();
    shot(&s.screen, QStringLiteral("diary"));
    QVERIFY(s.find<QPushButton>(QStringLiteral("cmdPic3"))
                ->styleSheet()
                .contains(QStringLiteral("255, 192, 255")));
    s.setHelpTour(true);
    expectHelpTour(s.dialogs, picture_names::pickerHelpText(QStringLiteral(
                                  "この日記の画像を3ボタンに指定します。（jpg/gif/bmpを読み込めます）")));
    QTest::mouseDClick(s.find<QLabel>(QStringLiteral("lblDiaryM")), Qt::LeftButton);
    s.setHelpTour(false);
    shot(&s.screen, QStringLiteral("diary_picker"));
    s.click(QStringLiteral("cmdYame"));

    // The picture's click enlarges the frame over the whole panel and back.
    auto *page = s.screen.diaryPage();
    auto *frame = s.find<QFrame>(QStringLiteral("fraGazou"));
    QTest::mouseClick(s.find<QWidget>(QStringLiteral("imgGazou")), Qt::LeftButton);
    QCOMPARE(frame->geometry(), page->rect());
    shot(&s.screen, QStringLiteral("enlarged"));
    QTest::mouseClick(s.find<QWidget>(QStringLiteral("imgGazou")), Qt::LeftButton);
    QVERIFY(frame->geometry() != page->rect());

    // Three days, the last with photos 1 and 3: main, …, photo 1, then day 1 again and the end.
    s.click(QStringLiteral("cmdSaisei"));
    QCOMPARE(frame->geometry(), page->rect());
    auto *timer = page->findChild<QTimer *>(QStringLiteral("tmrPlay"));
    QVERIFY(timer->isActive() && timer->interval() == 1500);
    QStringList steps;
    auto step = [&] {
        page->dayPhotos()->slideStep();
        steps.append(s.find<QLabel>(QStringLiteral("lblSDate"))->accessibleName() + u' ' +
                     shownName(&s.screen, QStringLiteral("imgGazou")));
    };
    for (int i = 0; i < 6; ++i)
        step();
    QCOMPARE(steps,
             (QStringList{"2026/12/04 NOPIC.JPG", "2026/12/05 NOPIC.JPG", "2026/12/06 20261206.jpg",
                          "2026/12/06 20261206_1.jpg", "2026/12/04 NOPIC.JPG", "2026/12/04 NOPIC.JPG"}));
    QVERIFY(!timer->isActive());
    // A new start goes on with day 2; Stop takes effect once the day's photos are through.
    s.click(QStringLiteral("cmdSaisei"));
    step();
    step();
    s.click(QStringLiteral("cmdStop"));
    step();
    step();
    QCOMPARE(steps.mid(6), (QStringList{"2026/12/05 NOPIC.JPG", "2026/12/06 20261206.jpg",
                                        "2026/12/06 20261206_1.jpg", "2026/12/06 20261206_1.jpg"}));
    QVERIFY(!timer->isActive());
    VERIFY_DIALOGS(s.dialogs);
}

void PhotoScreensTest::slideShowsNeedData()
{
    LoadedScreen s{QByteArray("")};
    for (const char *button : {"cmdSaisei", "cmdStop"}) {
        expectBox(s.dialogs, QStringLiteral("データ無し|日記が１件も登録されていません"));
        s.click(QString::fromLatin1(button));
    }
    delete s.screen.recipeScreen();
    s.files.writeText(QStringLiteral("レシピ.txt"), QString());
    RecipeScreen *recipes = s.screen.recipeScreen();
    for (const char *button : {"cmdSaisei", "cmdStop"}) {
        expectBox(s.dialogs, QStringLiteral("データ無し|レシピが１件も登録されていません"));
        recipes->findChild<QAbstractButton *>(QString::fromLatin1(button))->click();
    }
    VERIFY_DIALOGS(s.dialogs);
}

void PhotoScreensTest::recipeSlideShow()
{
    LoadedScreen s;
    s.setHelpTour(false);
    RecipeScreen *screen = s.screen.recipeScreen();
    auto *pictures = screen->findChild<RecipePictures *>();
    const int n = s.notebook().recipes.count();
    screen->findChild<QAbstractButton *>(QStringLiteral("cmdSaisei"))->click();
    QCOMPARE(screen->findChild<QWidget *>(QStringLiteral("imgGazou"))->size(), QSize(553, 415));
    screen->show();
    QList<int> positions;
    while (pictures->slides().playing) {
        pictures->slideTick();
        positions.append(screen->position());
    }
    shot(screen, QStringLiteral("recipe_show"));
    QCOMPARE(positions.size(), n + 1);
    QCOMPARE(positions.mid(n - 2), (QList<int>{n - 1, n, 1}));
    screen->findChild<QAbstractButton *>(QStringLiteral("cmdSaisei"))->click();
    pictures->slideTick();
    screen->findChild<QAbstractButton *>(QStringLiteral("cmdStop"))->click();
    pictures->slideTick();
    QCOMPARE(screen->position(), 2);
    QCOMPARE(pictures->slides().next, 3);
}

void PhotoScreensTest::dragShowsThePictureWhereTheBarStops()
{
    LoadedScreen s(photoDays());
    writeColour(s.files.path(QStringLiteral("20261204.jpg")), Qt::blue);
    s.notebook().files.folder().forgetListing();
    s.screen.diaryPage()->showDay(3);
    auto *bar = s.find<QScrollBar>(QStringLiteral("hsbDay"));
    auto shown = [&] {
        return s.screen.diaryPage()->dateText() + u' ' + shownName(&s.screen, QStringLiteral("imgGazou"));
    };
    // Dragged, the page follows the bar at once and the picture waits for the bar to stop:
    // released, or held still a moment.
    bar->setSliderDown(true);
    bar->setSliderPosition(1);
    QCOMPARE(shown(), QStringLiteral("2026/12/04 NOPIC.JPG"));
    bar->setSliderDown(false);
    QCOMPARE(shown(), QStringLiteral("2026/12/04 20261204.jpg"));
    bar->setSliderDown(true);
    bar->setSliderPosition(2);
    QCOMPARE(shown(), QStringLiteral("2026/12/05 20261204.jpg"));
    QTRY_COMPARE(shown(), QStringLiteral("2026/12/05 NOPIC.JPG"));
    bar->setSliderDown(false);
    // A step of the keys or the wheel shows the picture at once.
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(shown(), QStringLiteral("2026/12/04 20261204.jpg"));
}

void PhotoScreensTest::replacedPicturesAreShownAnew()
{
    LoadedScreen s(photoDays());
    s.setHelpTour(false);
    writeColour(s.files.path(QStringLiteral("20261206.jpg")), Qt::blue);
    writeColour(s.files.path(QStringLiteral("Photo1_003.jpg")), Qt::blue);
    s.notebook().files.folder().forgetListing();
    Source from;
    writeColour(from.path(QStringLiteral("red.jpg")), Qt::red);
    DiaryPage *page = s.screen.diaryPage();
    page->showDay(3);
    QVERIFY(!shownRed(&s.screen, QStringLiteral("imgGazou")));

    // A day's photo imported over the one shown: the page shows the new one when it comes back.
    for (const char *box :
         {"コピー確認|2026/12/06のメインはこの画像でＯＫですか？", "上書き確認", "コピー終了"})
        expectBox(s.dialogs, QString::fromUtf8(box));
    drop(s.find<QWidget>(QStringLiteral("imgGazou")), from.path(QStringLiteral("red.jpg")));
    QVERIFY(shownRed(&s.screen, QStringLiteral("imgGazou"))); // at once, as a pick shows it
    page->showDay(2);
    page->showDay(3);
    QVERIFY(shownRed(&s.screen, QStringLiteral("imgGazou")));

    // An album photo deleted, and the next import taking its name: the new picture is shown.
    s.click(QStringLiteral("cmdPhoto"));
    s.find<QScrollBar>(QStringLiteral("vsbPhoto1"))->setValue(3);
    QVERIFY(!shownRed(&s.screen, QStringLiteral("imgPhoto1")));
    expectBox(s.dialogs, QStringLiteral("削除確認?"));
    expectBox(s.dialogs, QStringLiteral("削除確認"));
    s.click(QStringLiteral("cmdPhotoDel1"));
    expectBox(s.dialogs, QStringLiteral("コピー終了|登録しました。"));
    drop(s.find<QWidget>(QStringLiteral("imgPhoto1")), from.path(QStringLiteral("red.jpg")));
    QCOMPARE(shownName(&s.screen, QStringLiteral("imgPhoto1")), QStringLiteral("Photo1_003.jpg"));
    QVERIFY(shownRed(&s.screen, QStringLiteral("imgPhoto1")));
    VERIFY_DIALOGS(s.dialogs);
}

QTEST_MAIN(PhotoScreensTest)
#include "photo_screens_test.moc"
