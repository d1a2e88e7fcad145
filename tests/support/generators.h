#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

// Notebook files at full capacity, shared by the tests and the benchmarks.
namespace generators {

// 日記.txt with `days` consecutive days from 2024/01/01, weights on every third day and
// heights on every seventh, each text a few lines of Japanese.
QByteArray diaryFile(int days = 1095);

// レシピ.txt with `recipes` recipes over the four stages, every kind and method, with long
// ingredients, steps and memo texts and a cooking history on two recipes of three.
QByteArray recipeFile(int recipes = 1000);

// A register file (予定.txt with fields = 2, 頂きもの.txt with 3) of `records` lines, dates
// scattered over a year around `around` in no order, descriptions with commas, every other
// received gift marked.
QByteArray registerFile(int records, int fields, QDate around = QDate(2026, 12, 6));

// 記念日.txt with `entries` lines, one a day from 1995/02/15, in date order.
QByteArray anniversaryFile(int entries = 730);

// お世話記録.txt of `days` days from 2024/01/01 with `perDay` entries a day in time order: feeds
// of both breasts and bottles, nappies, sleeps (the night's across midnight), temperatures and
// medicines, every entry with its own id.
QByteArray careLogFile(int days = 1095, int perDay = 30);

// A progressive JPEG of a few hundred bytes whose frame header claims side x side pixels.
QByteArray pictureBomb(int side);

} // namespace generators
