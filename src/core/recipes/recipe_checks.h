#pragma once

#include <QString>

#include <optional>

class RecipeBook;
struct Recipe;

// The field of the recipe page a refusal sends the cursor back to.
enum class RecipeField { None, Name, Reference, Time };

// A command refused before anything is written: the warning box, and the field the cursor
// goes back to.
struct Refusal {
    QString title;
    QString text;
    RecipeField focus = RecipeField::None;
};

// 登録: refused, or, once the confirmation box is answered OK, the page appended as a new
// recipe (position 0) or stored over the recipe at position.
struct RegisterDecision {
    std::optional<Refusal> refusal;
    int position = 0;
    QString confirmTitle;
    QString confirmText;
};

// The checks in the order the user meets them: the capacity, the dish name, characters the
// file cannot hold, the time; then new or change: the recipe shown at shownPosition when it
// has the dish name, else the first with that name. A new name must be able to name its
// picture's file.
RegisterDecision checkRegistration(const RecipeBook &book, const Recipe &page, int shownPosition = 0);

// 削除: refused, or, once the confirmation box is answered OK, the recipe at position deleted.
struct DeleteDecision {
    std::optional<Refusal> refusal;
    int position = 0;
    QString confirmTitle;
    QString confirmText;
};

// The recipe deleted is always the one the confirmation names: the one shown when the name box
// still holds its name, otherwise the first with the name typed (after 新規).
DeleteDecision checkDeletion(const RecipeBook &book, const QString &nameBoxText, int shownPosition);
