#pragma once

#include <QAccessible>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QStringList>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>

// Types text key by key, as a keyboard or an input method would, also where QTest::keyClicks
// takes only ASCII.
inline void typeText(QWidget *w, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// One notch of the mouse wheel over the widget (up when up, else down).
inline void turnWheel(QWidget *w, bool up)
{
    QWheelEvent wheel(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, up ? 120 : -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &wheel);
}

// A file dragged from the file manager and dropped on the widget.
inline void drop(QWidget *target, const QString &path)
{
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// What a screen reader is told of a screen's labels: the labels whose accessible name is not
// the text they show (a caption fixed at creation, or a value since changed).
inline QStringList staleLabels(QWidget *screen)
{
    QStringList stale;
    for (QLabel *l : screen->findChildren<QLabel *>()) {
        const QString name = QAccessible::queryAccessibleInterface(l)->text(QAccessible::Name);
        // A label that runs a command is named by the command.
        if (!l->text().isEmpty() && name != l->text() && !l->property("keyboardCommand").toBool())
            stale.append(QStringLiteral("%1: '%2' for '%3'").arg(l->objectName(), name, l->text()));
    }
    return stale;
}
