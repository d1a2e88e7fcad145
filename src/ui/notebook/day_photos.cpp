#include "ui/notebook/day_photos.h"

#include "core/book/notebook.h"
#include "core/text/dates.h"
#include "core/files/dialogs.h"
#include "core/pictures/picture_import.h"
#include "core/pictures/picture_names.h"
#include "ui/widgets/panel_host.h"
#include "ui/widgets/picture_frame.h"
#include "ui/widgets/picture_picker.h"
#include "ui/widgets/ui_util.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace picture_names;

namespace {

// The picture's sizes, in twips.
constexpr int NormalWidth = 5085, NormalHeight = 3825;
constexpr int EnlargedWidth = 9200, EnlargedHeight = 6900;
constexpr int SlideStepMs = 1500;

// The layout among root and the layouts inside it that holds w.
QBoxLayout *layoutHolding(QLayout *root, QWidget *w)
{
    if (!root)
        return nullptr;
    if (root->indexOf(w) >= 0)
        return qobject_cast<QBoxLayout *>(root);
    for (int i = 0; i < root->count(); ++i)
        if (QBoxLayout *found = layoutHolding(root->itemAt(i)->layout(), w))
            return found;
    return nullptr;
}

} // namespace

DayPhotos::DayPhotos(PanelHost &host, const DayPhotoControls &controls, std::function<int()> photoSlot,
                     std::function<void(int)> showDay)
    : QObject(controls.page), m_host(host), m_page(controls.page), m_photoSlot(std::move(photoSlot)),
      m_showDay(std::move(showDay)), m_frame(controls.frame), m_picture(controls.picture), m_dateBox(controls.day),
      m_slideDateLabel(controls.slideDate), m_buttons(controls.slotButtons)
{
    QWidget *page = controls.page;
    m_picker = new PicturePicker(host.dialogs(), QString(), QStringLiteral("日記画像取り込み先指定"),
                                 host.notebook().files.dir(), page);
    m_picker->move(8, 36);
    m_frame->setAutoFillBackground(true); // the enlarged frame hides what lies under it
    m_playTimer = new QTimer(this);
    m_playTimer->setObjectName(QStringLiteral("tmrPlay"));
    m_playTimer->setInterval(SlideStepMs);

    addKeyboardWay(controls.caption, QStringLiteral("日記の写真を取り込む"), [this] { openPicker(); });
    hookEvents(page, [this](QEvent *e) {
        if (e->type() == QEvent::Resize && m_pictureEnlarged)
            m_frame->setGeometry(m_page->rect());
        return false;
    });
    connect(m_picker, &PicturePicker::previewRequested, m_picture, &PictureFrame::showFile);
    connect(m_picker, &PicturePicker::copyRequested, this, &DayPhotos::importFrom);
    connect(m_picture, &PictureFrame::fileDropped, this, &DayPhotos::importFrom);
    connect(m_picture, &PictureFrame::clicked, this, &DayPhotos::toggleLayout);
    connect(controls.play, &QToolButton::clicked, this, &DayPhotos::startShow);
    connect(controls.stop, &QToolButton::clicked, this, &DayPhotos::stopShow);
    connect(m_playTimer, &QTimer::timeout, this, &DayPhotos::slideStep);
}

void DayPhotos::openPicker()
{
    m_picker->open();
    m_host.helpTour(pickerHelpText(QStringLiteral("この日記の画像を") + slotButtonName(m_photoSlot()) +
                                   QStringLiteral("に指定します。（jpg/gif/bmpを読み込めます）")));
}

void DayPhotos::importFrom(const QString &path)
{
    const QString date = m_dateBox->currentText();
    if (!parseStoredDate(date)) {
        m_host.dialogs().warning(
            QStringLiteral("日付確認"),
            QStringLiteral("日付が yyyy/mm/dd の形ではないため、画像を取り込めません。"));
        return;
    }
    const PictureTarget target{dayPhotoKey(date, m_photoSlot()), dayConfirmText(date, m_photoSlot()), true,
                               QStringLiteral("日付けをファイル名としてコピー終了しました。")};
    if (importPicture(m_host.dialogs(), m_host.notebook().files, path, target).isEmpty())
        return;
    m_picker->hide();
    // A dropped picture shows at once, as a pick's preview does.
    m_picture->showKey(m_host.notebook().folder(), target.name);
}

void DayPhotos::toggleLayout()
{
    if (m_pictureEnlarged)
        normalLayout();
    else
        enlargedLayout();
}

void DayPhotos::enlargedLayout()
{
    if (!m_pictureEnlarged) {
        // The frame leaves its place in the page's layout and covers the whole panel.
        m_home = layoutHolding(m_page->layout(), m_frame);
        if (m_home) {
            m_homeIndex = m_home->indexOf(m_frame);
            m_home->removeWidget(m_frame);
        }
    }
    m_picture->setMinimumSize(twipsToPixels(EnlargedWidth), twipsToPixels(EnlargedHeight));
    m_frame->setGeometry(m_page->rect());
    m_frame->raise();
    m_frame->show();
    m_pictureEnlarged = true;
}

void DayPhotos::normalLayout()
{
    if (m_pictureEnlarged && m_home)
        m_home->insertWidget(m_homeIndex, m_frame);
    m_home = nullptr;
    m_picture->setMinimumSize(twipsToPixels(NormalWidth), twipsToPixels(NormalHeight));
    m_pictureEnlarged = false;
    if (m_page->layout())
        m_page->layout()->activate();
}

bool DayPhotos::hasDays()
{
    if (m_dateBox->count() > 0)
        return true;
    m_host.dialogs().warning(QStringLiteral("データ無し"), QStringLiteral("日記が１件も登録されていません"));
    return false;
}

void DayPhotos::startShow()
{
    if (!hasDays())
        return;
    enlargedLayout();
    m_show.cursor().playing = true;
    if (!m_playTimer->isActive())
        m_playTimer->start();
}

void DayPhotos::stopShow()
{
    if (hasDays())
        m_show.cursor().playing = false;
}

bool DayPhotos::hasPhoto(int day, int photo) const
{
    const NotebookFolder &folder = m_host.notebook().folder();
    const QString key = dayPhotoKey(m_host.notebook().diary.day(day).date, photo);
    for (const char *ext : {".jpg", ".gif", ".bmp"})
        if (folder.exists(key + QLatin1String(ext)))
            return true;
    return false;
}

void DayPhotos::markButton(int n)
{
    for (QPushButton *b : m_buttons) {
        b->setPalette(QPalette());
        b->setStyleSheet(QString());
    }
    m_buttons[n]->setStyleSheet(QStringLiteral("background-color: rgb(255, 192, 255);"));
}

void DayPhotos::slideStep()
{
    const int days = qMin(m_dateBox->count(), m_host.notebook().diary.count());
    const PhotoSlideShow::Step step =
        m_show.step(days, [this](int day, int photo) { return hasPhoto(day, photo); });
    if (step.day > 0 && step.photo == 0) {
        m_showDay(step.day);
        m_slideDateLabel->setText(m_dateBox->currentText());
        m_slideDateLabel->setAccessibleName(m_slideDateLabel->text());
        markButton(0);
    } else if (step.day > 0) {
        markButton(step.photo);
        m_picture->showKeyIfAny(m_host.notebook().folder(),
                                dayPhotoKey(m_host.notebook().diary.day(step.day).date, step.photo));
    }
    if (!m_show.active())
        m_playTimer->stop();
}
