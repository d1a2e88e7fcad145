#pragma once

#include <QString>

class Notebook;
struct Recipe;
struct WriteResult;

// The recipe book's files in the notebook folder: レシピ.txt and 参考資料.txt. Every write is
// followed by LoadRecipes and ComputeRecipeStats, so that the tables stay a copy of the file.

struct RecipeLoad {
    bool firstNotWhole = false; // the file turned out not to be readable whole, for the first time
};

// LoadRecipes: the tables from レシピ.txt; statistics counts and points set to 0.
RecipeLoad LoadRecipes(Notebook &notebook);
// ComputeRecipeStats: counts and ratios, and for a book that is not empty the points total.
void ComputeRecipeStats(Notebook &notebook);

// AppendRecipeRecord: one record at the end of レシピ.txt. A file that ends inside a record
// would swallow the new one, so such a file is first rewritten from the tables.
WriteResult AppendRecipeRecord(Notebook &notebook, const Recipe &recipe);
// SaveRecipeFile: レシピ.txt anew from the tables, leaving out position skip when it is not 0.
WriteResult SaveRecipeFile(Notebook &notebook, int skip = 0);

// LoadReferenceList: the sources of 参考資料.txt into the book's reference list.
void LoadReferenceList(Notebook &notebook);
// AppendReference: one line at the end of 参考資料.txt and of the list.
WriteResult AppendReference(Notebook &notebook, const QString &text);
