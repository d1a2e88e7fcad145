#pragma once

#include "core/registers/album_captions.h"

#include <QFrame>
#include <QStringList>

#include <array>

class PanelHost;
struct NotebookChange;
class PicturePicker;
class PictureFrame;
class QLabel;
class QScrollBar;
class QToolButton;

// The photo album panel fraPhoto: four album groups side by side, each with its caption, the
// photo at its position, a scroll bar through the group, the position and a delete button.
// A group's photos are the folder's files named "Photo" + group…; the album picker
// (fraPicget3) adds to them.
class PhotoPanel : public QFrame
{
    Q_OBJECT
public:
    PhotoPanel(PanelHost &host, QWidget *parent = nullptr);

    // The panel's button on the notebook screen's bar.
    void open();
    // setUpAlbums: every group anew from the folder, at its first photo.
    void setUpAlbums();
    // The Notebook's captions read anew from 写真見出し.txt; the panel shows them.
    void readCaptions();

    PicturePicker *picker() const { return m_picker; }
    // The group the picker adds to.
    int albumGroup() const { return m_albumGroup; }
    // The group's photos, in name order.
    QStringList groupFiles(int g) const { return m_files[g - 1]; }

    // lblPhoto(g) double-click, cmdPhotoDel(g) click, imgPhoto(g) double-click.
    void changeCaption(int g);
    void deletePhoto(int g);
    void openPicker(int g);

private:
    struct Group {
        QLabel *caption = nullptr;       // lblPhoto(g)
        PictureFrame *picture = nullptr; // imgPhoto(g)
        QScrollBar *scroll = nullptr;    // vsbPhoto(g)
        QLabel *position = nullptr;      // lblKensu(g)
        QToolButton *remove = nullptr;   // cmdPhotoDel(g)
    };
    QWidget *buildGroup(int g);
    // The captions follow the Notebook's.
    void showChange(const NotebookChange &change);
    const AlbumCaptions &captions() const;
    // Re-reads the group's files; the scroll bar goes to position p (clamped), which shows it.
    void rereadGroup(int g, int p);
    void showPosition(int g);
    void importInto(int g, const QString &path);

    PanelHost &m_host;
    std::array<Group, 4> m_groups;
    std::array<QStringList, 4> m_files;
    PicturePicker *m_picker = nullptr;
    QLabel *m_targetNote = nullptr;
    int m_albumGroup = 1;
};
