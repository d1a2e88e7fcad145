#pragma once

class Dialogs;
class Notebook;
class Printer;
class RecipeScreen;
class RecipeTools;

// Gives the recipe screen its search, graph and print screens: its four buttons open them,
// a listed name is shown on it, and printing reads its page. The tools live as long as the
// recipe screen.
RecipeTools *attachRecipeTools(RecipeScreen *screen, Notebook &notebook, Dialogs &dialogs, Printer &printer);
