// The recipe book at capacity: 1000 recipes with long texts, each figure beside its floor
// (reading or writing the same bytes without any recipe work).
#include "core/book/notebook.h"
#include "core/text/cp932.h"
#include "core/recipes/recipe_files.h"
#include "core/recipes/recipe_store.h"
#include "floor_report.h"
#include "generators.h"
#include "scripted_dialogs.h"
#include "test_notebook.h"
#include "ui/recipes/recipe_screen.h"
#include "ui/widgets/qt_printer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
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
static void BM_LoadRecipesFloor(benchmark::State &state)
{
    Notebook &nb = fullBook().notebook();
    for (auto _ : state) {
        QString text = cp932::decode(nb.folder().readAll(recipeFileName()));
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * nb.folder().readAll(recipeFileName()).size());
}
BENCHMARK(BM_LoadRecipesFloor)->Unit(benchmark::kMillisecond);

// loadRecipes + computeRecipeStats (with the points).
static void BM_LoadRecipes(benchmark::State &state)
{
    Notebook &nb = fullBook().notebook();
    for (auto _ : state) {
        nb.loadRecipes();
        nb.computeRecipeStats();
        benchmark::DoNotOptimize(nb.recipes.totalPoint);
    }
    state.SetBytesProcessed(state.iterations() * nb.folder().readAll(recipeFileName()).size());
}
BENCHMARK(BM_LoadRecipes)->Unit(benchmark::kMillisecond);

// Floor: encode the file's text, save it atomically, read and decode it again.
static void BM_RegisterChangeFloor(benchmark::State &state)
{
    Notebook &nb = fullBook().notebook();
    const QString text = cp932::decode(nb.folder().readAll(recipeFileName()));
    for (auto _ : state) {
        nb.folder().save(recipeFileName(), cp932::encode(text).bytes);
        QString back = cp932::decode(nb.folder().readAll(recipeFileName()));
        benchmark::DoNotOptimize(back);
    }
}
BENCHMARK(BM_RegisterChangeFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// What registering a change does once confirmed: change one recipe, saveRecipeFile,
// loadRecipes, computeRecipeStats, on a full book.
static void BM_RegisterChange(benchmark::State &state)
{
    Notebook &nb = fullBook().notebook();
    nb.loadRecipes();
    int n = 0;
    for (auto _ : state) {
        Recipe &r = nb.recipes.recipe(500);
        r.memo = QStringLiteral("よく食べました。（%1）").arg(++n);
        nb.saveRecipeFile();
        nb.loadRecipes();
        nb.computeRecipeStats();
        benchmark::DoNotOptimize(nb.recipes.totalPoint);
    }
}
BENCHMARK(BM_RegisterChange)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

namespace {

// A book one recipe short of full, open on the recipe screen with every box answered.
struct ScreenBook {
    ScreenBook() : printer(t.dir())
    {
        t.writeBytes(recipeFileName(), generators::recipeFile(RecipeCapacity - 1));
        t.notebook().readProfile();
        dialogs.setLenient(true);
        screen = std::make_unique<RecipeScreen>(t.notebook(), dialogs);
        screen->load();
        screen->findChild<QScrollBar *>(QStringLiteral("hsbData"))->setValue(500);
    }
    TestNotebook t;
    ScriptedDialogs dialogs;
    QtPrinter printer;
    std::unique_ptr<RecipeScreen> screen;
};

// Kept until the runs end and closed before the application.
std::unique_ptr<ScreenBook> &sharedBook()
{
    static std::unique_ptr<ScreenBook> book;
    return book;
}

ScreenBook &screenBook()
{
    if (!sharedBook())
        sharedBook() = std::make_unique<ScreenBook>();
    return *sharedBook();
}

} // namespace

// 登録 of a changed recipe through the screen: the checks, the rewrite, the read back, the
// points and the page shown again.
static void BM_ScreenRegisterRecipe(benchmark::State &state)
{
    ScreenBook &b = screenBook();
    auto *memo = b.screen->findChild<QPlainTextEdit *>(QStringLiteral("txtMemo"));
    auto *button = b.screen->findChild<QAbstractButton *>(QStringLiteral("cmdTouroku"));
    int n = 0;
    for (auto _ : state) {
        memo->setPlainText(QStringLiteral("よく食べました。（%1）").arg(++n));
        button->click();
    }
    state.counters["recipes"] = b.t.notebook().recipes.count();
}
BENCHMARK(BM_ScreenRegisterRecipe)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// The same file's bytes saved, read and decoded again.
static void BM_ScreenRegisterRecipeFloor(benchmark::State &state)
{
    const NotebookFolder &folder = screenBook().t.notebook().folder();
    const QString text = cp932::decode(folder.readAll(recipeFileName()));
    for (auto _ : state) {
        folder.save(recipeFileName(), cp932::encode(text).bytes);
        benchmark::DoNotOptimize(cp932::decode(folder.readAll(recipeFileName())).size());
    }
}
BENCHMARK(BM_ScreenRegisterRecipeFloor)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int status = runBenchmarks(argc, argv);
    sharedBook().reset();
    return status;
}
