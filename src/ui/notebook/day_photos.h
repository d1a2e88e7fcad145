#pragma once

#include "core/common/slide_show.h"

#include <QObject>

#include <array>
#include <functional>

class PanelHost;
class PicturePicker;
class PictureFrame;
class QBoxLayout;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class QToolButton;

// The photos of the diary panel beyond showing a day's main photo: importing a photo of the
// day shown (the picker fraPicget, opened by a double-click on lblDiaryM, or a picture
// dropped on imgGazou), the enlarged layout, and the slide show over all days.
class DayPhotos : public QObject
{
    Q_OBJECT
public:
    // page: the diary panel holding the picture frame and its controls; photoSlot and
    // pictureEnlarged: the panel's PhotoSlot and PictureEnlarged; showDay shows day k.
    DayPhotos(PanelHost &host, QWidget *page, const int &photoSlot, bool &pictureEnlarged,
              std::function<void(int)> showDay);

    PicturePicker *picker() const { return m_picker; }
    // imgGazou click: the enlarged layout, or back to the normal one.
    void toggleLayout();
    void enlargedLayout();
    void normalLayout();
    // cmdSaisei, cmdStop.
    void startShow();
    void stopShow();
    // One step of tmrPlay (every 1500 ms while a show has something to do).
    void slideStep();
    const PhotoSlideShow &show() const { return m_show; }

private:
    void openPicker();
    void importFrom(const QString &path);
    bool hasDays();
    bool hasPhoto(int day, int photo) const;
    void markButton(int n);

    PanelHost &m_host;
    QWidget *m_page;
    const int &m_photoSlot;
    bool &m_pictureEnlarged;
    std::function<void(int)> m_showDay;
    QFrame *m_frame = nullptr;
    PictureFrame *m_picture = nullptr;
    QComboBox *m_cboDay = nullptr;
    QLabel *m_lblSDate = nullptr;
    std::array<QPushButton *, 6> m_buttons{};
    PicturePicker *m_picker = nullptr;
    QTimer *m_tmrPlay = nullptr;
    PhotoSlideShow m_show;
    QBoxLayout *m_home = nullptr; // the layout the frame sits in while not enlarged
    int m_homeIndex = -1;
};
