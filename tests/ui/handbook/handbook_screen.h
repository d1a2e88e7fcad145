#pragma once

// The notebook screen (the sample notebook, もも, born 1995/02/15) with 手帳 opened by Ctrl+2, and
// the keys the handbook's tests type with.
#include "loaded_screen.h"
#include "user_actions.h"

#include <QtTest>

inline QWidget *focused() { return QApplication::focusWidget(); }
inline void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(focused(), Qt::Key(key), mods);
}
// Over what the focused field holds.
inline void typeOver(const QString &text)
{
    press(Qt::Key_A, Qt::ControlModifier);
    typeText(focused(), text);
}

struct HandbookScreen : LoadedScreen {
    HandbookScreen()
    {
        setHelpTour(false);
        screen.show();
        if (!QTest::qWaitForWindowActive(&screen))
            qFatal("the window did not become active");
        find<QWidget>(QStringLiteral("cmdNew"))->setFocus();
        press(Qt::Key_2, Qt::ControlModifier);
        // The key clicks the bar's button as a short press.
        if (!QTest::qWaitFor([this] { return find<QWidget>(QStringLiteral("fraTecho"))->isVisible(); }))
            qFatal("Ctrl+2 did not open the handbook");
    }
};
