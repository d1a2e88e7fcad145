#include "recipes/recipe_screen.h"

#include "common/dialogs.h"
#include "notebook/notebook.h"

RecipeScreen::RecipeScreen(Notebook &notebook, Dialogs &dialogs, Printer &printer, QWidget *parent)
    : QWidget(parent, Qt::Window), m_notebook(notebook), m_dialogs(dialogs), m_printer(printer)
{
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(800, 600);
}

void RecipeScreen::load() {}
