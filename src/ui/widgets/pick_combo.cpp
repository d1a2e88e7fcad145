#include "ui/widgets/pick_combo.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

PickComboBox::PickComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setFocusPolicy(Qt::StrongFocus);
    // The combo box's own reactions to Enter and to the end of editing look the text up in
    // the list and take the entry: they go, the line edit's other signals stay.
    QObject::disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    QObject::disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    // With Enter, the wheel and the arrow keys no longer stepping, activated comes only from
    // the open list.
    connect(this, qOverload<int>(&QComboBox::activated), this, &PickComboBox::picked);
}

void PickComboBox::wheelEvent(QWheelEvent *e) { e->ignore(); }

FixedComboBox::FixedComboBox(QWidget *parent) : QComboBox(parent) { setFocusPolicy(Qt::StrongFocus); }

void FixedComboBox::wheelEvent(QWheelEvent *e) { e->ignore(); }

void PickComboBox::keyPressEvent(QKeyEvent *e)
{
    const bool plain = !(e->modifiers() & (Qt::AltModifier | Qt::ControlModifier));
    switch (e->key()) {
    case Qt::Key_Down:
        if (plain) {
            showPopup();
            e->accept();
            return;
        }
        break;
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        e->accept();
        return;
    default:
        break;
    }
    QComboBox::keyPressEvent(e);
}
