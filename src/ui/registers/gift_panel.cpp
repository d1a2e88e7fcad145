#include "ui/registers/gift_panel.h"

#include "core/book/notebook.h"
#include "core/pictures/pictures.h"
#include "core/registers/register_logic.h"
#include "ui/registers/gift_photos.h"
#include "ui/registers/gift_register.h"
#include "ui/registers/register_grid.h"
#include "ui/widgets/panel_host.h"
#include "ui/widgets/picture_frame.h"
#include "ui/widgets/picture_picker.h"
#include "ui/widgets/ui_util.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

const GiftRegisterKind &giftsGiven()
{
    static const GiftRegisterKind kind{
        NotebookTable::GiftsGiven,
        false,
        QStringLiteral("msgAgeru"),
        QStringLiteral("cboAHizuke"),
        QStringLiteral("txtANaiyo"),
        QStringLiteral("cmdAHozon"),
        QStringLiteral("cmdADel"),
        QStringLiteral("cmdAADel"),
        QStringLiteral("lblAgeruM"),
        QStringLiteral("お返し / 贈りもの一覧"),
        QStringLiteral("贈りもの"),
        QStringLiteral("贈った日"),
        QStringLiteral("贈りもの未入力"),
        QStringLiteral("贈りものを書き込んでから保存ボタンを押してください。"),
        QStringLiteral("選択した贈りものを削除します"),
        QStringLiteral("贈りものを全て削除します"),
    };
    return kind;
}

const GiftRegisterKind &giftsReceived()
{
    static const GiftRegisterKind kind{
        NotebookTable::GiftsReceived,
        true,
        QStringLiteral("msgItadaki"),
        QStringLiteral("cboIHizuke"),
        QStringLiteral("txtINaiyo"),
        QStringLiteral("cmdIHozon"),
        QStringLiteral("cmdIDel"),
        QStringLiteral("cmdIADel"),
        QStringLiteral("lblItadakiM"),
        QStringLiteral("頂きもの一覧"),
        QStringLiteral("頂きもの"),
        QStringLiteral("頂いた日"),
        QStringLiteral("頂きもの未入力"),
        QStringLiteral("頂きものを書き込んでから保存ボタンを押してください。"),
        QStringLiteral("選択した頂きものを削除します"),
        QStringLiteral("頂きものを全て削除します"),
    };
    return kind;
}

namespace {
const QSize PictureSize(300, 225);
}

GiftPanel::GiftPanel(PanelHost &host, QWidget *parent) : QFrame(parent), m_host(host)
{
    setObjectName(QStringLiteral("fraItadaki"));
    m_received = new GiftRegister(giftsReceived(), host, this);
    m_given = new GiftRegister(giftsGiven(), host, this);
    m_giftPicture = new PictureFrame(this);
    m_giftPicture->setObjectName(QStringLiteral("imgItadaki"));
    m_giftPicture->setAccessibleName(QStringLiteral("品物の写真"));
    m_giftPicture->setFixedSize(PictureSize);
    m_giftPicture->setAlignment(Qt::AlignCenter);
    m_giftPicture->setFrameShape(QFrame::StyledPanel);

    auto *photo = new QVBoxLayout;
    auto *photoTitle = new QLabel(QStringLiteral("品物の写真"), this);
    photo->addWidget(photoTitle);
    photo->addWidget(m_giftPicture);
    auto *hint =
        new QLabel(QStringLiteral("品物をクリックすると写真を表示します。\n"
                                  "頂きものをダブルクリックすると、お礼の「○」を付けたり外したりします。"),
                   this);
    hint->setWordWrap(true);
    hint->setFixedWidth(PictureSize.width());
    hint->setStyleSheet(QStringLiteral("color: rgb(90, 90, 90);"));
    photo->addWidget(hint);
    photo->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_received, 37);
    layout->addSpacing(8);
    layout->addWidget(m_given, 33);
    layout->addSpacing(8);
    layout->addLayout(photo);

    for (GiftRegister *reg : {m_received, m_given}) {
        connect(reg, &GiftRegister::itemClicked, this, &GiftPanel::showItemPicture);
        connect(reg, &GiftRegister::pictureRequested, this,
                [this, reg] { emit itemPictureRequested(reg->kind(), reg->lastItem()); });
    }
    m_photos = new GiftPhotos(host, this, m_giftPicture);
}

RegisterGrid *GiftPanel::msgItadaki() const { return m_received->grid(); }
RegisterGrid *GiftPanel::msgAgeru() const { return m_given->grid(); }
QString GiftPanel::ageruItem() const { return m_given->lastItem(); }
QString GiftPanel::itadakiItem() const { return m_received->lastItem(); }

void GiftPanel::open()
{
    const QDate today = m_host.notebook().clock.today();
    m_received->prepare(today);
    m_given->prepare(today);
    readReceived();
    readGiven();
    m_photos->picker()->hide();
    m_host.panelHide();
    show();
    m_host.helpTour(QStringLiteral(
        "頂きものやお返し、贈りものを管理することができます。\r\n\r\n"
        "日付と品物を入力して保存ボタンを押すと登録できます。\r\n"
        "品物の写真を登録することができます。品物をクリックすると表示されます。\r\n"
        "画像登録したい品物をクリックしてから「頂きもの一覧」などの見出しをダブルクリックします。\r\n\r\n"
        "頂きもの一覧についてはお返しの管理ができます。ダブルクリックで切り替えます。\r\n\r\n"
        "必要に応じて、マウスで選んだ範囲を削除したり、一括して全データを削除することができます。"));
}

void GiftPanel::readReceived() { m_received->read(); }
void GiftPanel::readGiven() { m_given->read(); }

void GiftPanel::showItemPicture(const QString &item)
{
    m_giftPicture->showKey(m_host.notebook().folder(), itemPictureKey(item));
}

void GiftPanel::setupGrids()
{
    msgItadaki()->setColumns({QStringLiteral("日付"), QStringLiteral("頂きもの"), QStringLiteral("お礼")},
                             {1350, 3480, 600});
    msgItadaki()->setColumnAlignment(2, Qt::AlignCenter);
    msgItadaki()->setToggleColumn(2, thanksMark());
    msgAgeru()->setColumns({QStringLiteral("日付"), QStringLiteral("贈りもの")}, {1350, 3380});
}
