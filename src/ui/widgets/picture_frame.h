#pragma once

#include "core/pictures/pictures.h"

#include <QLabel>

class NotebookFolder;

// Every place that shows a picture: the file is decoded at the size of the box (and again
// when the box changes size), turned as its EXIF orientation says and fitted into the box
// keeping its proportions; the last few pictures decoded are kept for paging back. The
// accessible description names the file shown ("20261206_3.gif", "NOPIC.JPG", empty when
// none). A click, a double-click and a picture file dropped on it are told to the owner.
class PictureFrame : public QLabel
{
    Q_OBJECT
public:
    explicit PictureFrame(QWidget *parent = nullptr);

    // The picture of key by the lookup rule (.jpg, .gif, .bmp: the last that loads wins), or
    // NOPIC.JPG; empty when even that cannot be read.
    void showKey(const NotebookFolder &folder, const QString &key);
    // The picture of key when one of its files loads; otherwise the frame stays as it is.
    bool showKeyIfAny(const NotebookFolder &folder, const QString &key);
    // One file; false, with the frame as it was, when it cannot be read as a picture.
    bool showFile(const QString &path);
    void showNothing();
    // The bare name of the file shown, "" when none.
    QString shownName() const { return accessibleDescription(); }
    // Drops the decoded pictures kept for paging back: the next showing of each decodes it.
    void forgetPictures() { m_cache.clear(); }

    // The size the frame asks the layout for.
    void setPreferredSize(QSize size);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void clicked();
    void doubleClicked();
    void fileDropped(const QString &path);
    // A picture claimed a size too large to decode (the sentence says which); NOPIC shows.
    void pictureRefused(const QString &message);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool render(const QString &path);

    pictures::PictureCache m_cache;
    QString m_path;
    QSize m_preferred{160, 120};
    QSize m_decodedFor;
    bool m_pendingRender = false;
};
