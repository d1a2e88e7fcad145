#pragma once

#include "recording_printer.h"
#include "scripted_dialogs.h"
#include "test_notebook.h"
#include "ui/shell/diary_screen.h"

#include <QAbstractButton>
#include <QtTest>

// The notebook screen loaded on a copy of the sample notebook (with its own 日記.txt when one
// is given), the greetings of the load answered, the script empty again.
struct LoadedScreen {
    explicit LoadedScreen(const QByteArray &diaryFile = QByteArray())
        : screen(files.notebook(), dialogs, printer, QString())
    {
        if (!diaryFile.isNull())
            files.writeBytes(QStringLiteral("日記.txt"), diaryFile);
        dialogs.setLenient(true);
        screen.load();
        atLoad = dialogs.shown();
        dialogs.clear();
        dialogs.setLenient(false);
    }

    template <class T> T *find(const QString &name) const
    {
        T *w = screen.findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    void click(const QString &button) { find<QAbstractButton>(button)->click(); }
    // The window shown and active with the help tour off, then 設定 clicked: its profile screen,
    // nullptr when the window never became active.
    ProfileScreen *showWithProfileScreen()
    {
        setHelpTour(false);
        screen.show();
        if (!QTest::qWaitForWindowActive(&screen))
            return nullptr;
        click(QStringLiteral("cmdPrivate"));
        return screen.profileScreen();
    }
    Notebook &notebook() { return files.notebook(); }
    void setHelpTour(bool on) { files.notebook().tour.helpTourOn = on ? 1 : 0; }

    TestNotebook files;
    ScriptedDialogs dialogs;
    RecordingPrinter printer;
    DiaryScreen screen;
    QList<Dialogs::Box> atLoad; // the boxes the load showed
};

// The help tour's box with this text.
inline void expectHelpTour(ScriptedDialogs &dialogs, const QString &text)
{
    dialogs.expectInformation(QStringLiteral("ヘルプツアー"), text);
}
