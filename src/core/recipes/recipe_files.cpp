#include "core/recipes/recipe_files.h"

#include "core/recipes/recipe_store.h"

RecipeLoad readRecipeFile(NotebookFiles &files, RecipeBook &book)
{
    RecipeLoad load;
    RecipeParse parsed = parseRecipes(files.read(recipeFileName()));
    book.recipes() = std::move(parsed.recipes);
    book.beyondText = beyondTextForWrite(parsed.damage);
    book.stats.clearCounts();
    book.totalPoint = 0;
    files.setTidy(recipeFileName(), parsed.tidy);
    if (!parsed.whole)
        load.firstNotWhole = files.markNotWhole(recipeFileName());
    load.damage = std::move(parsed.damage);
    return load;
}

WriteResult appendRecipeToFile(NotebookFiles &files, const RecipeBook &book, const Recipe &recipe)
{
    return files.appendRecord(recipeFileName(), recipeRecordText(recipe),
                              [&book] { return recipeFileText(book.recipes()) + book.beyondText; });
}

WriteResult writeRecipeFile(NotebookFiles &files, const RecipeBook &book, int skip)
{
    return files.rewrite(recipeFileName(), recipeFileText(book.recipes(), skip) + book.beyondText);
}

void readReferenceFile(const NotebookFiles &files, RecipeBook &book)
{
    book.references = parseReferences(files.read(referenceFileName()));
}

WriteResult appendReferenceLine(NotebookFiles &files, RecipeBook &book, const QString &text)
{
    WriteResult r = files.appendRecord(referenceFileName(), text + QStringLiteral("\r\n"));
    if (r.ok)
        book.references.append(text);
    return r;
}
