#pragma once

// The notebook screen on a copy of the sample notebook, loaded with its greetings answered
// (and the help tour off), then every box scripted.
#include "scripted_dialogs.h"
#include "test_notebook.h"
#include "ui/registers/register_grid.h"
#include "ui/shell/diary_screen.h"
#include "ui/widgets/qt_printer.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <memory>

struct RegisterScreen {
    explicit RegisterScreen(QDate today = QDate(2026, 12, 6))
        : notebook(QString(), today), printer(notebook.dir())
    {
    }

    void load()
    {
        screen = std::make_unique<DiaryScreen>(notebook.notebook(), dialogs, printer, QString());
        dialogs.setLenient(true);
        screen->load();
        loadBoxes = dialogs.shown();
        dialogs.clear();
        dialogs.setLenient(false);
        notebook.notebook().tour.helpTourOn = 0;
    }
    template <typename T = QWidget> T *find(const QString &name) const
    {
        T *w = screen->findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    void click(const QString &button) { QTest::mouseClick(find<QAbstractButton>(button), Qt::LeftButton); }
    void expectDelete(const QString &question, Dialogs::Answer answer = Dialogs::Answer::Ok)
    {
        dialogs.expect(QStringLiteral("削除確認"), question, Dialogs::Icon::Warning,
                       Dialogs::Buttons::OkCancel, Dialogs::Answer::Cancel, answer);
    }

    TestNotebook notebook;
    ScriptedDialogs dialogs;
    QtPrinter printer;
    std::unique_ptr<DiaryScreen> screen;
    QList<Dialogs::Box> loadBoxes;
};

// The middle of grid row r (1-based, as the registers count).
inline QPoint rowPoint(RegisterGrid *grid, int gridRow)
{
    return grid->visualRect(grid->model()->index(gridRow - 1, 0)).center();
}

// A button down on one row, moved over the rows between, up on the last, as a hand drags.
inline void dragRows(RegisterGrid *grid, int fromRow, int toRow, Qt::MouseButton button = Qt::LeftButton)
{
    QWidget *vp = grid->viewport();
    QTest::mousePress(vp, button, {}, rowPoint(grid, fromRow));
    for (int r = fromRow; r != toRow;) {
        r += fromRow < toRow ? 1 : -1;
        const QPoint p = rowPoint(grid, r);
        QMouseEvent move(QEvent::MouseMove, p, vp->mapToGlobal(p), Qt::NoButton, button, Qt::NoModifier);
        QApplication::sendEvent(vp, &move);
    }
    QTest::mouseRelease(vp, button, {}, rowPoint(grid, toRow));
}

inline QStringList column(RegisterGrid *grid, int c)
{
    QStringList texts;
    for (int r = 1; r <= grid->rowCount(); ++r)
        texts.append(grid->text(r, c));
    return texts;
}
