#include "recipes/recipe_files.h"

#include "notebook/notebook.h"
#include "recipes/points.h"
#include "recipes/recipe_store.h"

RecipeLoad LoadRecipes(Notebook &nb)
{
    RecipeLoad load;
    RecipeParse parsed = parseRecipes(nb.folder.readAll(recipeFileName()));
    RecipeBook &book = nb.recipes;
    book.recipes() = std::move(parsed.recipes);
    book.stats.clearCounts();
    book.totalPoint = 0;
    if (!parsed.whole)
        load.firstNotWhole = nb.guard.markNotWhole(recipeFileName());
    return load;
}

void ComputeRecipeStats(Notebook &nb)
{
    RecipeBook &book = nb.recipes;
    computeRecipeStats(book.recipes(), book.stats);
    if (book.count() != 0)
        ComputeTotalPoint(book, nb.profile.targetPoint);
}

WriteResult AppendRecipeRecord(Notebook &nb, const Recipe &recipe)
{
    if (nb.guard.isNotWhole(recipeFileName())) {
        WriteResult r = nb.saveFile(recipeFileName(), recipeFileText(nb.recipes.recipes()));
        if (!r.ok)
            return r;
        WriteResult a = nb.appendFile(recipeFileName(), recipeRecordText(recipe));
        a.backupName = r.backupName;
        return a;
    }
    return nb.appendFile(recipeFileName(), recipeRecordText(recipe));
}

WriteResult SaveRecipeFile(Notebook &nb, int skip)
{
    return nb.saveFile(recipeFileName(), recipeFileText(nb.recipes.recipes(), skip));
}

void LoadReferenceList(Notebook &nb)
{
    nb.recipes.references = parseReferences(nb.folder.readAll(referenceFileName()));
}

WriteResult AppendReference(Notebook &nb, const QString &text)
{
    // A file whose last line has no line end (edited by hand) must not run into the new one.
    const QByteArray before = nb.folder.readAll(referenceFileName());
    const bool needsBreak = !before.isEmpty() && !before.endsWith('\n') && !before.endsWith('\r');
    WriteResult r = nb.appendFile(referenceFileName(), (needsBreak ? QStringLiteral("\r\n") : QString()) +
                                                           text + QStringLiteral("\r\n"));
    if (r.ok)
        nb.recipes.references.append(text);
    return r;
}
