#pragma once

#include "core/recipes/recipe_store.h"

#include <optional>

// A cooking date is saved the moment it is added or taken away, like the diary note and the
// first foods it brings: these give the stored recipe with its history changed, the cook count
// following the number of dates.

// The date added last; the first cooking makes both evaluations "優", as on the page.
Recipe withCookingDate(const Recipe &stored, const QString &date);
// The date at row taken out (when the row no longer holds it, the first entry that does);
// none when the history does not hold the date. The evaluations stay as they are.
std::optional<Recipe> withoutCookingDate(const Recipe &stored, int row, const QString &date);
