#pragma once

#include <QLockFile>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class DiaryScreen;
class Dialogs;
class Notebook;
class Printer;

// The start-up: the splash with its nickname, a wait of two seconds of elapsed time, the
// notebook screen's load (profile, titles, recipe screen hidden, diary, greetings), then the
// splash closes. Returns the notebook screen, shown.
enum class FirstStart;
DiaryScreen *runStartup(Notebook &notebook, Dialogs &dialogs, Printer &printer, const QString &helpDir,
                        int splashWaitMs = 2000, FirstStart first = FirstStart(0));

class QApplication;

// The program's names, icon, Japanese locale, fonts and Qt's Japanese translations.
void setUpApplication(QApplication &app);

// The notebook folder to open (the one given, else the current folder when it holds a
// notebook, else the per-user folder made from the sample), with any missing data file
// created. A folder given that holds no notebook is filled only when the user agrees. Empty,
// with the reason in error, when there is none to open; empty without a reason when the user
// declined.
// The folder is locked for this run (lock holds it) before anything in it is written, and
// what killed saves left behind is removed.
//
// On the first start (no folder given, none here, no per-user folder yet) the user chooses:
// the child's own notebook (the per-user folder, first is set to OwnNotebook: open the profile
// screen for the new notebook), or a look at the sample from a copy at the path sampleCopy()
// gives, asked for only then (first is Sample: the title says 見本), which leaves no per-user
// folder behind.
enum class FirstStart { No = 0, OwnNotebook, Sample };
QString prepareNotebookFolder(const QString &given, Dialogs &dialogs, std::unique_ptr<QLockFile> &lock,
                              QString *error, FirstStart *first = nullptr,
                              const std::function<QString()> &sampleCopy = {});

// The notebook folder this run opens and holds, in one object: its path, the lock that keeps
// a second copy of the program out, the first start's choice, and for a look at the sample
// the temporary copy it lives in (gone with this object).
struct OpenedFolder {
    QString dir;
    std::unique_ptr<QLockFile> lock;
    FirstStart first = FirstStart::No;
    std::unique_ptr<QTemporaryDir> sampleCopy;
    QString error; // why there is none; "" when the user declined
};
// prepareNotebookFolder for main(): dir is empty when there is no notebook to open.
OpenedFolder openNotebookFolder(const QString &given, Dialogs &dialogs);
