#pragma once

#include "core/files/notebook_files.h"
#include "core/notebook/diary_files.h"
#include "core/notebook/diary_store.h"
#include "core/notebook/growth.h"
#include "core/recipes/recipe_files.h"
#include "core/recipes/recipe_store.h"

// What the start-up reads and decodes on a worker thread while the splash waits: plain tables
// and a NotebookFiles of its own that remembers what it read. Nothing in it belongs to a
// Notebook until Notebook::takePreload hands it over on the notebook's thread.
struct NotebookPreload {
    NotebookPreload(const QString &dir, Clock &clock) : files(dir, clock) {}

    NotebookFiles files;
    RecipeBook recipes; // with the reference list
    RecipeLoad recipeLoad;
    DiaryTable diary;
    GraphLimits limits;
    GrowthSeries growth;
    DiaryLoad diaryLoad;
    bool referencesTaken = false;
    bool recipesTaken = false;
    bool diaryTaken = false;
};
