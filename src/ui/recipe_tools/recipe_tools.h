#pragma once

#include "ui/recipe_tools/graph_screens.h"
#include "ui/recipe_tools/print_screen.h"
#include "ui/recipe_tools/search_screen.h"

#include <QObject>
#include <QPointer>

#include <functional>

class Dialogs;
class Notebook;
class Printer;

// The search, graph and print screens of the recipe book, opened modeless from the recipe
// screen, each followed by its help tour. Whenever the recipe tables are read again the search
// and graph screens are unloaded, so that they are built from fresh tables when opened again.
class RecipeTools : public QObject
{
    Q_OBJECT
public:
    // showRecipe(p) makes the recipe screen show position p; shown reads what it shows.
    RecipeTools(Notebook &notebook, Dialogs &dialogs, Printer &printer, std::function<void(int)> showRecipe,
                ShownRecipePage shown, QObject *parent = nullptr);
    ~RecipeTools() override;

    void openSearch();
    void openClassificationGraph();
    void openEvaluationGraph();
    void openPrint();

    SearchScreen *searchScreen() const { return m_search; }
    ClassificationGraphScreen *classificationGraph() const { return m_graph1; }
    EvaluationGraphScreen *evaluationGraph() const { return m_graph2; }
    PrintScreen *printScreen() const { return m_print; }

signals:
    // The search screen's はじめての食材: the register, narrowed to the food typed.
    void firstFoodsRequested(const QString &search);

private:
    void unloadTableScreens();
    void helpTour(const QString &text);

    Notebook &m_notebook;
    Dialogs &m_dialogs;
    Printer &m_printer;
    std::function<void(int)> m_showRecipe;
    ShownRecipePage m_shown;
    QString m_printerFace; // the printer's font face for the whole run
    QPointer<SearchScreen> m_search;
    QPointer<ClassificationGraphScreen> m_graph1;
    QPointer<EvaluationGraphScreen> m_graph2;
    QPointer<PrintScreen> m_print;
};
