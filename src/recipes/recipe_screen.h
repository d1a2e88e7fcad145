#pragma once

#include <QWidget>

class Dialogs;
class Notebook;
class Printer;

// The recipe screen frmMain: loaded hidden at start, shown by the notebook's "離乳食" button.
class RecipeScreen : public QWidget
{
    Q_OBJECT
public:
    RecipeScreen(Notebook &notebook, Dialogs &dialogs, Printer &printer, QWidget *parent = nullptr);

    // The screen's load: the recipe tables, their statistics and points.
    void load();

private:
    Notebook &m_notebook;
    Dialogs &m_dialogs;
    Printer &m_printer;
};
