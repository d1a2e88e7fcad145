#pragma once

#include "core/recipes/recipe_store.h"

#include <QColor>
#include <QString>

// Points and levels: every recipe is worth 2, more when the child liked it and one more for
// every time it was cooked; the total against the goal is the level in percent.

// "未" 0, "不" 1, "良" 2, "優" 3; anything else 0.
int childScore(const QString &letter);
// A recipe in the tables: its child evaluation and its stored cook count (halves to even).
int recipePoints(const Recipe &recipe);
// The page on screen: its child face and the entries of its history list.
int pagePoints(const QString &childEval, int historyEntries);

// The sum over the tables. It never wraps: beyond the 16-bit range it stays at the limit.
qint16 totalPointOf(const QList<Recipe> &recipes);
// The points ÷ the goal × 100 in single precision; a goal of 0 gives level 0.
float levelPercentOf(qint16 totalPoint, qint16 targetPoint);

constexpr int LevelBoxes = 10;
// How many boxes of the bar a level colours: box i needs i × 10 %.
int levelBoxesReached(float levelPercent);
// The colour of box i (1..10) at a level: light cyan, light green, yellow, light magenta and
// light red by pairs, white beyond the level.
QColor levelBoxColor(int box, float levelPercent);

// The points and the level of the book (the notebook's computeTotalPoint then shows them).
void computePointsAndLevel(RecipeBook &book, qint16 targetPoint);

// The goal check after a Register: reached at 100 % or more.
bool goalReached(float levelPercent);
QString goalReachedTitle();
QString goalReachedText(qint16 targetPoint);
