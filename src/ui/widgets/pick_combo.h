#pragma once

#include <QComboBox>

// An editable drop-down whose typed text only a pick from its list replaces. Qt's editable
// combo box completes inline, ignoring letter case, and takes a matching entry when Enter is
// pressed, when the focus leaves, on the arrow keys and on the mouse wheel: each of those
// would put a stored text over what the user typed. Here there is no completer, Enter and
// the focus leave the text alone, the wheel scrolls what is behind the box, Down opens the
// list, and picked() tells only of an entry chosen from the open list.
class PickComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit PickComboBox(QWidget *parent = nullptr);

signals:
    // An entry was chosen from the list (by mouse or by keys in the open list).
    void picked(int index);

protected:
    void wheelEvent(QWheelEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
};

// A drop-down with a fixed list (月齢, 種類, a search key) that the mouse wheel does not step:
// a page scrolled with the wheel passing over it would change a recipe unseen. The wheel
// scrolls what is behind it; the keys and the open list still choose.
class FixedComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit FixedComboBox(QWidget *parent = nullptr);

protected:
    void wheelEvent(QWheelEvent *e) override;
};
