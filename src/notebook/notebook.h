#pragma once

#include "common/clock.h"
#include "common/help_tour.h"
#include "common/notebook_folder.h"
#include "common/rewrite_guard.h"
#include "notebook/diary_store.h"
#include "notebook/growth.h"
#include "profile/profile_store.h"
#include "recipes/recipe_store.h"

// What a write of a notebook file came to, for the message the user sees.
struct WriteResult {
    bool ok = true;
    QString error;      // a sentence for the user when !ok
    QString backupName; // a copy kept before this first rewrite of a file not read whole
};

// The open notebook: its folder and everything the screens share for the whole run (the
// profile, the day table and growth series, the recipe tables, the help-tour values).
// Memory is a copy of the files outside a handler.
class Notebook
{
public:
    Notebook(const QString &dir, Clock &clock);

    NotebookFolder folder;
    Clock &clock;
    Profile profile;
    DiaryTable diary;
    GrowthSeries growth;
    GraphLimits limits;
    HelpTour tour;
    RecipeBook recipes;
    qint16 loadingFlag = 0; // LoadingFlag: -1 while the notebook screen loads
    RewriteGuard guard;

    // The file half of PROFILE_READ.
    void readProfile();
    // PROFILE_WRITE: ﾌﾟﾗｲﾍﾞｰﾄ.txt whole from memory.
    WriteResult writeProfile();
    // Sets a picture mode of the profile (DiaryPictureMode or PictureMode) and saves the
    // profile, but only for a real switch and never while the notebook screen loads: opening a
    // notebook rewrites none of its files.
    WriteResult setPictureMode(QString &mode, const QString &value);

    // The file half of DIARY_READ: the day table from 日記.txt, the axis limits from グラフ.txt.
    // firstNotWhole is true the first time the diary turns out not to be readable whole.
    struct DiaryLoad {
        bool firstNotWhole = false;
    };
    DiaryLoad readDiary();
    // DIARY_APPEND: one record at the end of 日記.txt.
    WriteResult appendDay(const QString &date, double height, double weight, const QString &text);
    // DIARY_WRITE: 日記.txt anew from the table.
    WriteResult writeDiary();

    // Rewrites a whole file, keeping a copy first when it was not read whole.
    WriteResult saveFile(const QString &bareName, const QString &text);
    // Appends text to a file (one write).
    WriteResult appendFile(const QString &bareName, const QString &text);

    // The message shown once when a file could not be read whole.
    static QString notWholeMessage(const QString &bareName, int recordsRead, const QString &unit);
};
