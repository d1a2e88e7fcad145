#pragma once

#include "core/pictures/slide_show.h"

#include <QObject>

#include <functional>

class Dialogs;
class Notebook;
class PicturePicker;
class PictureFrame;
class QComboBox;
class QFrame;
class QLabel;
class QTimer;
class QToolButton;

// The dish pictures of the recipe screen beyond showing one: importing a picture under the
// dish name (the picker fraPicget, opened by a double-click on lblRyoriNm, or a picture
// dropped on imgGazou) and the slide show through all recipes with its enlarged picture.
// The recipe screen's controls that the pictures drive, handed over by the screen.
struct RecipePictureControls {
    QWidget *screen = nullptr;       // where the picker and the play buttons live
    QFrame *frame = nullptr;         // fraGazou
    PictureFrame *picture = nullptr; // imgGazou
    QComboBox *name = nullptr;       // cboNamae: the dish whose picture it is
    QLabel *caption = nullptr;       // lblRyoriNm: its double-click opens the picker
};

class RecipePictures : public QObject
{
    Q_OBJECT
public:
    // setPosition shows recipe p.
    RecipePictures(Notebook &notebook, Dialogs &dialogs, const RecipePictureControls &controls,
                   std::function<void(int)> setPosition);

    // The play and stop buttons, for the screen to place.
    QToolButton *cmdSaisei() const { return m_playButton; }
    QToolButton *cmdStop() const { return m_stopButton; }
    PicturePicker *picker() const { return m_picker; }
    const SlideCursor &slides() const { return m_slides; }

    void startShow();
    void stopShow();
    // One tick of tmrPlay (every 1000 ms while the show plays).
    void slideTick();

private:
    void openPicker();
    void importFrom(const QString &path);
    bool hasRecipes();

    Notebook &m_notebook;
    Dialogs &m_dialogs;
    std::function<void(int)> m_setPosition;
    QFrame *m_frame = nullptr;
    PictureFrame *m_picture = nullptr;
    QComboBox *m_dishNameBox = nullptr;
    QToolButton *m_playButton = nullptr;
    QToolButton *m_stopButton = nullptr;
    PicturePicker *m_picker = nullptr;
    QTimer *m_playTimer = nullptr;
    SlideCursor m_slides;
};
