#include "ui/recipes/recipe_pictures.h"

#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/files/help_tour.h"
#include "core/pictures/picture_import.h"
#include "core/pictures/picture_names.h"
#include "ui/widgets/picture_frame.h"
#include "ui/widgets/picture_picker.h"
#include "ui/widgets/ui_util.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

using namespace picture_names;

namespace {

// The slide show's sizes, in twips.
constexpr int SlideFrameWidth = 8670, SlideFrameHeight = 6285;
constexpr int SlidePictureWidth = 8295, SlidePictureHeight = 6225;
constexpr int SlideStepMs = 1000;

QToolButton *playButton(const QString &name, const QString &tip, const QString &glyph, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    nameControl(b, name, tip);
    b->setToolTip(tip);
    b->setText(glyph);
    return b;
}

} // namespace

RecipePictures::RecipePictures(Notebook &notebook, Dialogs &dialogs, const RecipePictureControls &controls,
                               std::function<void(int)> setPosition)
    : QObject(controls.screen), m_notebook(notebook), m_dialogs(dialogs), m_setPosition(std::move(setPosition)),
      m_frame(controls.frame), m_picture(controls.picture), m_dishNameBox(controls.name)
{
    QWidget *screen = controls.screen;
    m_playButton = playButton(QStringLiteral("cmdSaisei"), QStringLiteral("スライドショー開始"),
                             QStringLiteral("▶"), screen);
    m_stopButton = playButton(QStringLiteral("cmdStop"), QStringLiteral("スライドショー停止"),
                           QStringLiteral("■"), screen);
    m_picker = new PicturePicker(dialogs, QString(), QStringLiteral("料理画像取り込み先指定"),
                                 notebook.files.dir(), screen);
    m_picker->move(12, 110);
    m_playTimer = new QTimer(this);
    m_playTimer->setObjectName(QStringLiteral("tmrPlay"));
    m_playTimer->setInterval(SlideStepMs);

    addKeyboardWay(controls.caption, QStringLiteral("料理の写真を取り込む"), [this] { openPicker(); });
    connect(m_picker, &PicturePicker::previewRequested, m_picture, &PictureFrame::showFile);
    connect(m_picker, &PicturePicker::copyRequested, this, &RecipePictures::importFrom);
    connect(m_picture, &PictureFrame::fileDropped, this, &RecipePictures::importFrom);
    connect(m_playButton, &QToolButton::clicked, this, &RecipePictures::startShow);
    connect(m_stopButton, &QToolButton::clicked, this, &RecipePictures::stopShow);
    connect(m_playTimer, &QTimer::timeout, this, &RecipePictures::slideTick);
}

void RecipePictures::openPicker()
{
    m_picker->open();
    showHelpTour(m_notebook.tour, m_dialogs,
              pickerHelpText(QStringLiteral("この料理の画像を指定します。（jpg/gif/bmpを読み込めます）")));
}

void RecipePictures::importFrom(const QString &path)
{
    const QString name = m_dishNameBox->currentText();
    const PictureTarget target{name, namedConfirmText(name), true,
                               QStringLiteral("料理名をファイル名としてコピー終了しました。")};
    if (!importPicture(m_dialogs, m_notebook.files, path, target).isEmpty())
        m_picker->hide();
}

bool RecipePictures::hasRecipes()
{
    if (m_dishNameBox->count() > 0)
        return true;
    m_dialogs.warning(QStringLiteral("データ無し"), QStringLiteral("レシピが１件も登録されていません"));
    return false;
}

void RecipePictures::startShow()
{
    if (!hasRecipes())
        return;
    showHelpTour(m_notebook.tour, m_dialogs,
              QStringLiteral("登録してあるレシピ画像をスライドショーのように見ることができます。\r\n\r\n"
                             "自分が登録してきた料理の数々を眺め、ウットリする、\r\n"
                             "別名、ナルシストモードと呼んでいます。\r\n\r\n"
                             "停止ボタンを押すとそこで表示はストップします。"));
    m_frame->setFixedSize(twipsToPixels(SlideFrameWidth), twipsToPixels(SlideFrameHeight));
    m_picture->setFixedSize(twipsToPixels(SlidePictureWidth), twipsToPixels(SlidePictureHeight));
    m_slides.playing = true;
    m_playTimer->start();
}

void RecipePictures::stopShow()
{
    if (!hasRecipes())
        return;
    m_slides.playing = false;
    m_playTimer->stop();
}

void RecipePictures::slideTick()
{
    if (!m_slides.playing)
        return;
    const int p = m_slides.take(m_dishNameBox->count());
    if (p > 0)
        m_setPosition(p);
    if (!m_slides.playing)
        m_playTimer->stop();
}
