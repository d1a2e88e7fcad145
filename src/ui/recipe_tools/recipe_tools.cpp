#include "ui/recipe_tools/recipe_tools.h"

#include "core/book/notebook.h"
#include "core/files/help_tour.h"
#include "core/recipe_tools/recipe_graphs.h"
#include "ui/recipe_tools/graph_screens.h"
#include "ui/recipe_tools/search_screen.h"
#include "ui/widgets/ui_util.h"

namespace {

// Shows a loaded screen again as it was (a hidden search keeps its keys and list), or makes
// and loads it.
template <class Screen, class Make> void openScreen(QPointer<Screen> &screen, Make make)
{
    if (!screen) {
        screen = make();
        screen->setProperty(helpPageProperty(), QStringLiteral("recipes.html"));
        screen->load();
    }
    screen->show();
    screen->raise();
    screen->activateWindow();
}

} // namespace

RecipeTools::RecipeTools(Notebook &notebook, Dialogs &dialogs, Printer &printer,
                         std::function<void(int)> showRecipe, ShownRecipePage shown, QObject *parent)
    : QObject(parent), m_notebook(notebook), m_dialogs(dialogs), m_printer(printer),
      m_showRecipe(std::move(showRecipe)), m_shown(std::move(shown)), m_printerFace(recipeGothicFace())
{
    connect(&notebook, &Notebook::recipesChanged, this, &RecipeTools::unloadTableScreens);
}

RecipeTools::~RecipeTools()
{
    unloadTableScreens();
    delete m_print.data();
}

void RecipeTools::helpTour(const QString &text) { showHelpTour(m_notebook.tour, m_dialogs, text); }

void RecipeTools::unloadTableScreens()
{
    delete m_search.data();
    delete m_graph1.data();
    delete m_graph2.data();
}

void RecipeTools::openSearch()
{
    openScreen(m_search, [this] {
        auto *screen = new SearchScreen(m_notebook, m_dialogs, m_showRecipe);
        connect(screen, &SearchScreen::firstFoodsRequested, this, &RecipeTools::firstFoodsRequested);
        return screen;
    });
    helpTour(searchHelpText());
}

void RecipeTools::openClassificationGraph()
{
    openScreen(m_graph1, [this] { return new ClassificationGraphScreen(m_notebook, m_dialogs, m_printer); });
    helpTour(classificationHelpText());
}

void RecipeTools::openEvaluationGraph()
{
    openScreen(m_graph2, [this] { return new EvaluationGraphScreen(m_notebook, m_dialogs, m_printer); });
    helpTour(evaluationHelpText());
}

void RecipeTools::openPrint()
{
    openScreen(m_print,
               [this] { return new PrintScreen(m_notebook, m_dialogs, m_printer, m_shown, m_printerFace); });
    helpTour(printHelpText());
}
