#pragma once

#include "ui/registers/gift_register.h"

#include <QFrame>
#include <QString>

class GiftPhotos;
class GiftRegister;
class PanelHost;
class PictureFrame;
class QLabel;
class RegisterGrid;

// The gift panel fraItadaki: the registers of gifts received and given, and the photo of the
// item last clicked.
class GiftPanel : public QFrame
{
    Q_OBJECT
public:
    GiftPanel(PanelHost &host, QWidget *parent = nullptr);

    // The panel's button on the notebook screen's bar.
    void open();
    RegisterGrid *msgItadaki() const;
    RegisterGrid *msgAgeru() const;
    // The grids' headers and widths, no rows.
    void setupGrids();

    // readReceived, readGiven: a register of the Notebook read from its file; the grid shows it.
    void readReceived();
    void readGiven();

    // The item last clicked in each register, the name an imported
    // photo takes. Empty until the first click; kept across panel changes.
    QString ageruItem() const;
    QString itadakiItem() const;

    // imgItadaki shows the item's photo by the picture rule, or NOPIC.JPG.
    void showItemPicture(const QString &item);
    GiftPhotos *photos() const { return m_photos; }

signals:
    // A double-click on a register's title (lblAgeruM, lblItadakiM): a photo for its last item.
    void itemPictureRequested(const GiftRegisterKind &kind, const QString &item);

private:
    PanelHost &m_host;
    GiftRegister *m_received = nullptr;
    GiftRegister *m_given = nullptr;
    PictureFrame *m_giftPicture = nullptr;
    GiftPhotos *m_photos = nullptr; // the gift picker
};
