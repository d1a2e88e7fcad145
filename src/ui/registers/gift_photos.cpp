#include "ui/registers/gift_photos.h"

#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/pictures/picture_import.h"
#include "core/pictures/picture_names.h"
#include "core/registers/register_logic.h"
#include "ui/registers/gift_panel.h"
#include "ui/registers/gift_register.h"
#include "ui/widgets/panel_host.h"
#include "ui/widgets/picture_frame.h"
#include "ui/widgets/picture_picker.h"

using namespace picture_names;

GiftPhotos::GiftPhotos(PanelHost &host, GiftPanel *panel, PictureFrame *imgItadaki)
    : QObject(panel), m_host(host), m_picture(imgItadaki)
{
    m_picker = new PicturePicker(host.dialogs(), QStringLiteral("2"), QStringLiteral("画像取り込み先指定"),
                                 host.notebook().files.dir(), panel);
    m_picker->move(12, 40);
    connect(m_picker, &PicturePicker::previewRequested, m_picture, &PictureFrame::showFile);
    connect(m_picker, &PicturePicker::copyRequested, this,
            [this](const QString &path) { importFor(m_giftTarget, path); });
    connect(panel, &GiftPanel::itemPictureRequested, this, &GiftPhotos::openPicker);
    for (GiftRegister *reg : panel->findChildren<GiftRegister *>())
        connect(reg, &GiftRegister::itemClicked, this, [this](const QString &item) { m_shownItem = item; });
    connect(m_picture, &PictureFrame::fileDropped, this, [this](const QString &path) {
        if (itemChosen(m_shownItem))
            importFor(m_shownItem, path);
    });
}

bool GiftPhotos::itemChosen(const QString &item)
{
    if (!item.isEmpty())
        return true;
    m_host.dialogs().warning(QStringLiteral("品物選択チェック"),
                             QStringLiteral("先に品物をクリックしてください"));
    return false;
}

void GiftPhotos::openPicker(const GiftRegisterKind &kind, const QString &item)
{
    if (!itemChosen(item))
        return;
    m_giftTarget = item;
    m_picker->open();
    const bool given = &kind == &giftsGiven();
    m_host.helpTour(pickerHelpText(
        given ? QStringLiteral("この贈りものの画像を指定します。（jpg/gif/bmpを読み込めます）")
              : QStringLiteral("この頂きものの画像を指定します。（jpg/gif/bmpを読み込めます）")));
}

void GiftPhotos::importFor(const QString &item, const QString &path)
{
    const PictureTarget target{item, namedConfirmText(item), true,
                               QStringLiteral("品名をファイル名としてコピー終了しました。")};
    if (importPicture(m_host.dialogs(), m_host.notebook().files, path, target).isEmpty())
        return;
    m_picker->hide();
    // A dropped picture shows at once, as a pick's preview does.
    m_picture->showKey(m_host.notebook().folder(), itemPictureKey(item));
}
