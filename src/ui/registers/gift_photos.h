#pragma once

#include <QObject>
#include <QString>

class GiftPanel;
struct GiftRegisterKind;
class PanelHost;
class PicturePicker;
class PictureFrame;

// The photo of a gift item: the gift picker fraPicget2, opened by a double-click on a
// register's title for the item last clicked there, and a picture dropped on imgItadaki for
// the item it shows. The copy is named by the item.
class GiftPhotos : public QObject
{
    Q_OBJECT
public:
    GiftPhotos(PanelHost &host, GiftPanel *panel, PictureFrame *imgItadaki);

    PicturePicker *picker() const { return m_picker; }
    // The item the picker copies for.
    QString giftTarget() const { return m_giftTarget; }

    // A double-click on lblAgeruM or lblItadakiM; item is that register's last clicked item.
    void openPicker(const GiftRegisterKind &kind, const QString &item);

private:
    bool itemChosen(const QString &item);
    void importFor(const QString &item, const QString &path);

    PanelHost &m_host;
    PictureFrame *m_picture;
    PicturePicker *m_picker = nullptr;
    QString m_giftTarget;
    QString m_shownItem; // the item whose photo imgItadaki shows
};
