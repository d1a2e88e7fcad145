// The recipe book at capacity: 1000 recipes with long texts, each figure beside its floor
// (reading or writing the same bytes without any recipe work).
#include "book/notebook.h"
#include "common/cp932.h"
#include "generators.h"
#include "recipes/recipe_files.h"
#include "recipes/recipe_store.h"
#include "test_notebook.h"

#include <benchmark/benchmark.h>

namespace {

TestNotebook &fullBook()
{
    static TestNotebook t = [] {
        TestNotebook n;
        n.writeBytes(recipeFileName(), generators::recipeFile(RecipeCapacity));
        return n;
    }();
    return t;
}

} // namespace

// Floor: read レシピ.txt and decode it.
static void BM_ReadAndDecodeFloor(benchmark::State &state)
{
    Notebook &nb = fullBook().notebook();
    for (auto _ : state) {
        QString text = cp932::decode(nb.folder().readAll(recipeFileName()));
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * nb.folder().readAll(recipeFileName()).size());
}
BENCHMARK(BM_ReadAndDecodeFloor)->Unit(benchmark::kMillisecond);

// LoadRecipes + ComputeRecipeStats (with the points).
static void BM_LoadRecipes(benchmark::State &state)
{
    Notebook &nb = fullBook().notebook();
    for (auto _ : state) {
        nb.LoadRecipes();
        nb.ComputeRecipeStats();
        benchmark::DoNotOptimize(nb.recipes.totalPoint);
    }
    state.SetBytesProcessed(state.iterations() * nb.folder().readAll(recipeFileName()).size());
}
BENCHMARK(BM_LoadRecipes)->Unit(benchmark::kMillisecond);

// Floor: encode the file's text, save it atomically, read and decode it again.
static void BM_RewriteFloor(benchmark::State &state)
{
    Notebook &nb = fullBook().notebook();
    const QString text = cp932::decode(nb.folder().readAll(recipeFileName()));
    for (auto _ : state) {
        nb.folder().save(recipeFileName(), cp932::encode(text).bytes);
        QString back = cp932::decode(nb.folder().readAll(recipeFileName()));
        benchmark::DoNotOptimize(back);
    }
}
BENCHMARK(BM_RewriteFloor)->Unit(benchmark::kMillisecond);

// What registering a change does once confirmed: change one recipe, SaveRecipeFile,
// LoadRecipes, ComputeRecipeStats, on a full book.
static void BM_RegisterChange(benchmark::State &state)
{
    Notebook &nb = fullBook().notebook();
    nb.LoadRecipes();
    int n = 0;
    for (auto _ : state) {
        Recipe &r = nb.recipes.recipe(500);
        r.memo = QStringLiteral("よく食べました。（%1）").arg(++n);
        nb.SaveRecipeFile();
        nb.LoadRecipes();
        nb.ComputeRecipeStats();
        benchmark::DoNotOptimize(nb.recipes.totalPoint);
    }
}
BENCHMARK(BM_RegisterChange)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
