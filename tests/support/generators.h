#pragma once

#include <QByteArray>
#include <QString>

// Notebook files at full capacity, shared by the tests and the benchmarks.
namespace generators {

// 日記.txt with `days` consecutive days from 2024/01/01, weights on every third day and
// heights on every seventh, each text a few lines of Japanese.
QByteArray diaryFile(int days = 1095);

// レシピ.txt with `recipes` recipes over the four stages, every kind and method, with long
// ingredients, steps and memo texts and a cooking history on two recipes of three.
QByteArray recipeFile(int recipes = 1000);

} // namespace generators
