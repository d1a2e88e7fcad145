#pragma once

#include "core/files/notebook_files.h"

struct Recipe;
class RecipeBook;

// The recipe book's files for the rest of the program: レシピ.txt and 参考資料.txt. Only
// this module opens them.

struct RecipeLoad {
    bool firstNotWhole = false; // the file turned out not to be readable whole, for the first time
    ReadDamage damage;          // what could not be shown, for the warning
};

// The file half of loadRecipes: the tables from レシピ.txt; statistics counts and points set to 0.
RecipeLoad readRecipeFile(NotebookFiles &files, RecipeBook &book);
// One record at the end of レシピ.txt (the tables, for a file not read whole).
WriteResult appendRecipeToFile(NotebookFiles &files, const RecipeBook &book, const Recipe &recipe);
// レシピ.txt anew from the tables, leaving out position skip when it is not 0.
WriteResult writeRecipeFile(NotebookFiles &files, const RecipeBook &book, int skip = 0);

// The sources of 参考資料.txt into the book's reference list.
void readReferenceFile(const NotebookFiles &files, RecipeBook &book);
// One line at the end of 参考資料.txt and of the list.
WriteResult appendReferenceLine(NotebookFiles &files, RecipeBook &book, const QString &text);
