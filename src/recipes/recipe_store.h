#pragma once

#include <QString>

// The recipe tables and their statistics; filled in with the recipe book.
struct RecipeBook {
    int recipeCount = 0; // RecipeCount
};

inline QString recipeFileName() { return QStringLiteral("レシピ.txt"); }
inline QString referenceFileName() { return QStringLiteral("参考資料.txt"); }
