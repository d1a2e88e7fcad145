#pragma once

#include <QString>

class DiaryScreen;
class Dialogs;
class Notebook;
class Printer;

// The start-up: the splash with its nickname, a wait of two seconds of elapsed time, the
// notebook screen's load (profile, titles, recipe screen hidden, diary, greetings), then the
// splash closes. Returns the notebook screen, shown.
DiaryScreen *runStartup(Notebook &notebook, Dialogs &dialogs, Printer &printer, const QString &helpDir,
                        int splashWaitMs = 2000);
