#pragma once

#include "core/pictures/slide_show.h"

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

// The diary page's controls that the photos drive, handed over by the page.
struct DayPhotoControls {
    QWidget *page = nullptr;                 // fraDiary: the enlarged picture covers it
    QFrame *frame = nullptr;                 // fraGazou
    PictureFrame *picture = nullptr;         // imgGazou
    QComboBox *day = nullptr;                // cboDay
    QLabel *slideDate = nullptr;             // lblSDate
    QLabel *caption = nullptr;               // lblDiaryM: its double-click opens the picker
    std::array<QPushButton *, 6> slotButtons{}; // cmdPic0 … cmdPic5
    QToolButton *play = nullptr;             // cmdSaisei
    QToolButton *stop = nullptr;             // cmdStop
};

// The photos of the diary panel beyond showing a day's main photo: importing a photo of the
// day shown (the picker fraPicget, opened by a double-click on lblDiaryM, or a picture
// dropped on imgGazou), the enlarged layout, and the slide show over all days.
class DayPhotos : public QObject
{
    Q_OBJECT
public:
    // photoSlot tells the page's PhotoSlot; showDay shows day k.
    DayPhotos(PanelHost &host, const DayPhotoControls &controls, std::function<int()> photoSlot,
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
    bool pictureEnlarged() const { return m_pictureEnlarged; }

private:
    void openPicker();
    void importFrom(const QString &path);
    bool hasDays();
    bool hasPhoto(int day, int photo) const;
    void markButton(int n);

    PanelHost &m_host;
    QWidget *m_page;
    std::function<int()> m_photoSlot;
    bool m_pictureEnlarged = false;
    std::function<void(int)> m_showDay;
    QFrame *m_frame = nullptr;
    PictureFrame *m_picture = nullptr;
    QComboBox *m_dateBox = nullptr;
    QLabel *m_slideDateLabel = nullptr;
    std::array<QPushButton *, 6> m_buttons{};
    PicturePicker *m_picker = nullptr;
    QTimer *m_playTimer = nullptr;
    PhotoSlideShow m_show;
    QBoxLayout *m_home = nullptr; // the layout the frame sits in while not enlarged
    int m_homeIndex = -1;
};
