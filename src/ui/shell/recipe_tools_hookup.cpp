#include "ui/shell/recipe_tools_hookup.h"

#include "core/recipes/recipe_store.h"
#include "ui/recipe_tools/recipe_tools.h"
#include "ui/recipes/recipe_screen.h"

RecipeTools *attachRecipeTools(RecipeScreen *screen, Notebook &notebook, Dialogs &dialogs, Printer &printer)
{
    ShownRecipePage shown;
    shown.page = [screen] {
        const Recipe r = screen->shownRecipe();
        return PrintedRecipe{r.name, r.stage,       r.kind,  r.method, screen->shownTimeText(),
                             r.ref,  r.ingredients, r.steps, r.memo};
    };
    shown.picture = [screen] { return screen->shownPicture(); };
    shown.window = [screen]() -> QWidget * { return screen; };
    auto *tools = new RecipeTools(
        notebook, dialogs, printer, [screen](int p) { screen->setPosition(p); }, shown, screen);
    QObject::connect(screen, &RecipeScreen::searchRequested, tools, &RecipeTools::openSearch);
    QObject::connect(screen, &RecipeScreen::classificationGraphRequested, tools,
                     &RecipeTools::openClassificationGraph);
    QObject::connect(screen, &RecipeScreen::evaluationGraphRequested, tools,
                     &RecipeTools::openEvaluationGraph);
    QObject::connect(screen, &RecipeScreen::printRequested, tools, &RecipeTools::openPrint);
    screen->setPrinter(&printer);
    QObject::connect(tools, &RecipeTools::firstFoodsRequested, screen, &RecipeScreen::openFirstFoods);
    return tools;
}
