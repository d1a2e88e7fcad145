#include "ui/registers/photo_panel.h"

#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/text/one_line.h"
#include "core/pictures/picture_import.h"
#include "core/pictures/picture_names.h"
#include "ui/widgets/panel_host.h"
#include "ui/widgets/picture_frame.h"
#include "ui/widgets/picture_picker.h"
#include "ui/widgets/register_icons.h"
#include "ui/widgets/ui_util.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

using namespace picture_names;

namespace {

// The scroll bar's maximum, whatever the count.
constexpr int LastPosition = std::numeric_limits<int>::max();

void showText(QLabel *label, const QString &text)
{
    label->setText(text);
    label->setAccessibleName(text);
}

} // namespace

PhotoPanel::PhotoPanel(PanelHost &host, QWidget *parent) : QFrame(parent), m_host(host)
{
    setObjectName(QStringLiteral("fraPhoto"));
    auto *layout = new QHBoxLayout(this);
    for (int g = 1; g <= 4; ++g)
        layout->addWidget(buildGroup(g), 1);

    m_picker = new PicturePicker(host.dialogs(), QStringLiteral("3"), QStringLiteral("画像取り込み先指定"),
                                 host.notebook().files.dir(), this);
    m_targetNote = m_picker->addNote(QStringLiteral("lblTouroku"), QStringLiteral("登録先"));
    connect(m_picker, &PicturePicker::previewRequested, this,
            [this](const QString &path) { m_groups[m_albumGroup - 1].picture->showFile(path); });
    connect(m_picker, &PicturePicker::copyRequested, this,
            [this](const QString &path) { importInto(m_albumGroup, path); });
    connect(&host.notebook(), &Notebook::changed, this, &PhotoPanel::showChange);
}

QWidget *PhotoPanel::buildGroup(int g)
{
    auto *box = new QWidget(this);
    Group &group = m_groups[g - 1];
    group.caption = new QLabel(this);
    group.caption->setObjectName(QStringLiteral("lblPhoto%1").arg(g));
    group.caption->setToolTip(QStringLiteral("ダブルクリックで見出し変更"));
    group.caption->setAlignment(Qt::AlignCenter);
    QFont bold = group.caption->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    group.caption->setFont(bold);
    group.picture = new PictureFrame(this);
    nameControl(group.picture, QStringLiteral("imgPhoto%1").arg(g), QStringLiteral("写真枠%1").arg(g));
    group.picture->setToolTip(QStringLiteral("ダブルクリックで画像登録"));
    group.picture->setFrameShape(QFrame::StyledPanel);
    group.picture->setPreferredSize(QSize(230, 300));
    group.scroll = new QScrollBar(Qt::Vertical, this);
    nameControl(group.scroll, QStringLiteral("vsbPhoto%1").arg(g), QStringLiteral("写真送り%1").arg(g));
    group.scroll->setPageStep(1);
    group.position = new QLabel(this);
    group.position->setObjectName(QStringLiteral("lblKensu%1").arg(g));
    group.remove = new QToolButton(this);
    nameControl(group.remove, QStringLiteral("cmdPhotoDel%1").arg(g), QStringLiteral("画像削除%1").arg(g));
    group.remove->setToolTip(QStringLiteral("表示中の画像を削除します"));
    group.remove->setIcon(registerIcon(RegisterIcon::DeleteChosen));
    group.remove->setIconSize(QSize(24, 24));

    auto *grid = new QGridLayout(box);
    grid->addWidget(group.caption, 0, 0, 1, 2);
    grid->addWidget(group.picture, 1, 0);
    grid->addWidget(group.scroll, 1, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(group.position);
    bottom->addStretch();
    bottom->addWidget(group.remove);
    grid->addLayout(bottom, 2, 0, 1, 2);
    grid->setRowStretch(1, 1);

    addKeyboardWay(group.caption, QStringLiteral("アルバム%1の見出しを変更").arg(g), [this, g] { changeCaption(g); });
    addKeyboardWay(group.picture, QStringLiteral("アルバム%1に写真を取り込む").arg(g), [this, g] { openPicker(g); });
    group.scroll->setFocusPolicy(Qt::StrongFocus); // the arrows page the album
    connect(group.picture, &PictureFrame::fileDropped, this,
            [this, g](const QString &path) { importInto(g, path); });
    connect(group.scroll, &QScrollBar::valueChanged, this, [this, g] { showPosition(g); });
    connect(group.remove, &QToolButton::clicked, this, [this, g] { deletePhoto(g); });
    return box;
}

void PhotoPanel::open()
{
    readCaptions();
    m_picker->hide();
    // Shown and laid out before the groups are set up, so that each photo is decoded once, at
    // the size of its frame.
    m_host.panelHide();
    show();
    if (parentWidget() && parentWidget()->layout())
        parentWidget()->layout()->activate();
    setUpAlbums();
    m_host.helpTour(QStringLiteral("４種類のグループで画像を登録しておくことができます。\r\n\r\n"
                                   "サンプルはご覧の４種を用意しました。\r\n"
                                   "パソコン上でコーディネートを楽しんだり、\r\n"
                                   "思い出の品を保存して懐かしむことができると思います。\r\n\r\n"
                                   "見出しは自由に変更できますので用途に合わせてご利用できます。\r\n\r\n"
                                   "写真枠をダブルクリックすると画像を登録できます。"));
}

void PhotoPanel::readCaptions() { m_host.notebook().readTable(NotebookTable::Captions); }

const AlbumCaptions &PhotoPanel::captions() const { return m_host.notebook().captions; }

void PhotoPanel::showChange(const NotebookChange &change)
{
    if (change.table != NotebookTable::Captions)
        return;
    // Read when the panel opens, after the start-up's boxes: its own are shown here.
    if (change.fromOutside)
        tellReadProblems(m_host.notebook().files, m_host.dialogs());
    for (int g = 1; g <= 4; ++g)
        m_groups[g - 1].caption->setText(captions()[g - 1]); // its name stays the command
}

void PhotoPanel::setUpAlbums()
{
    for (int g = 1; g <= 4; ++g)
        rereadGroup(g, 1);
}

void PhotoPanel::rereadGroup(int g, int p)
{
    m_files[g - 1] = albumGroupFiles(m_host.notebook().files.fileNames(), g);
    const int n = int(m_files[g - 1].size());
    QScrollBar *scroll = m_groups[g - 1].scroll;
    {
        const QSignalBlocker block(scroll);
        scroll->setRange(n > 0 ? 1 : 0, n);
        scroll->setValue(n > 0 ? qBound(1, p, n) : 0);
    }
    showPosition(g);
}

void PhotoPanel::showPosition(int g)
{
    Group &group = m_groups[g - 1];
    const QStringList &files = m_files[g - 1];
    const int p = group.scroll->value();
    group.picture->showNothing();
    // A link leading out of the folder is not shown, as no picture is read through one.
    const NotebookFolder &folder = m_host.notebook().folder();
    if (p >= 1 && p <= files.size() && folder.refusal(files[p - 1]).isEmpty())
        group.picture->showFile(folder.pathOf(files[p - 1]));
    showText(group.position, QStringLiteral("%1 / %2").arg(p).arg(files.size()));
}

void PhotoPanel::deletePhoto(int g)
{
    const QStringList &files = m_files[g - 1];
    const int p = m_groups[g - 1].scroll->value();
    if (p < 1 || p > files.size())
        return; // nothing shown, nothing to delete
    Dialogs &dialogs = m_host.dialogs();
    if (!dialogs.confirm(QStringLiteral("削除確認"),
                         captions()[g - 1] + QStringLiteral("に表示中の画像を削除していいですか？\r\n"
                                                            "良かったらＯＫボタンを押してください"),
                         Dialogs::Icon::Warning, Dialogs::Answer::Ok))
        return;
    const bool removed = reportWrite(dialogs, m_host.notebook().files.removePicture(files[p - 1]));
    if (!removed) {
        rereadGroup(g, p);
        return;
    }
    m_groups[g - 1].picture->showNothing();
    dialogs.information(QStringLiteral("削除確認"), QStringLiteral("削除しました"));
    rereadGroup(g, LastPosition);
}

void PhotoPanel::changeCaption(int g)
{
    const QString answer = m_host.dialogs().input(captions()[g - 1] + QStringLiteral("を何に変更しますか"),
                                                  QStringLiteral("見出し変更"), QString());
    if (answer.isEmpty())
        return;
    // One caption a line: a pasted line break would move every later caption.
    if (hasControlCharacter(answer)) {
        m_host.dialogs().warning(QStringLiteral("入力確認"), controlCharacterMessage(QStringLiteral("見出し")));
        return;
    }
    // The caption changes only when the file holds it.
    reportWrite(m_host.dialogs(), m_host.notebook().setAlbumCaption(g, answer));
}

void PhotoPanel::openPicker(int g)
{
    m_albumGroup = g;
    // Beside the group's frame, not over it.
    m_picker->move(g <= 2 ? width() / 2 : 12, 40);
    showText(m_targetNote, captions()[g - 1] + QStringLiteral("に画像を追加"));
    m_picker->open();
}

void PhotoPanel::importInto(int g, const QString &path)
{
    const int k = nextAlbumNumber(albumGroupFiles(m_host.notebook().files.fileNames(), g), g);
    const PictureTarget target{albumPhotoKey(g, k), QString(), false, QStringLiteral("登録しました。")};
    if (importPicture(m_host.dialogs(), m_host.notebook().files, path, target).isEmpty())
        return;
    rereadGroup(g, LastPosition);
    m_picker->hide();
}
