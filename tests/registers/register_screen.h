#pragma once

// The notebook screen on a copy of the sample notebook, for the register tests: loaded with
// its greetings answered, then every box scripted.
#include "common/qt_printer.h"
#include "notebook/diary_screen.h"
#include "scripted_dialogs.h"
#include "test_notebook.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <memory>

struct RegisterScreen {
    explicit RegisterScreen(QDate today = QDate(2026, 12, 6)) : notebook(QString(), today), printer(notebook.dir())
    {
    }

    // Writes register files before the screen loads, then loads it.
    void load()
    {
        screen = std::make_unique<DiaryScreen>(notebook.notebook(), dialogs, printer, QString());
        dialogs.setLenient(true);
        screen->load();
        loadBoxes = dialogs.shown();
        dialogs.clear();
        // The sample has the help tour on; the tests that check its texts turn it on again.
        notebook.notebook().tour.helpTourOn = 0;
        dialogs.setLenient(false);
        QApplication::processEvents();
    }

    template <typename T> T *find(const QString &name) const
    {
        T *w = screen->findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    void click(const QString &button) { QTest::mouseClick(find<QAbstractButton>(button), Qt::LeftButton); }

    TestNotebook notebook;
    ScriptedDialogs dialogs;
    QtPrinter printer;
    std::unique_ptr<DiaryScreen> screen;
    QList<Dialogs::Box> loadBoxes; // what the load showed
};

// The middle of grid row r (1-based, as the registers count).
inline QPoint rowPoint(QTableWidget *grid, int gridRow)
{
    return grid->visualRect(grid->model()->index(gridRow - 1, 0)).center();
}

// A mouse button down on one row, moved to another and up there, as a hand drags.
inline void dragRows(QTableWidget *grid, int fromRow, int toRow, Qt::MouseButton button = Qt::LeftButton)
{
    QWidget *vp = grid->viewport();
    QTest::mousePress(vp, button, {}, rowPoint(grid, fromRow));
    const int step = fromRow <= toRow ? 1 : -1;
    for (int r = fromRow; r != toRow + step; r += step) {
        const QPoint p = rowPoint(grid, r);
        QMouseEvent move(QEvent::MouseMove, p, vp->mapToGlobal(p), Qt::NoButton, button, Qt::NoModifier);
        QApplication::sendEvent(vp, &move);
    }
    QTest::mouseRelease(vp, button, {}, rowPoint(grid, toRow));
}

inline QStringList column(QTableWidget *grid, int c)
{
    QStringList texts;
    for (int r = 0; r < grid->rowCount(); ++r)
        texts.append(grid->item(r, c) ? grid->item(r, c)->text() : QString());
    return texts;
}
