#pragma once

#include "core/registers/register_file.h"

#include <QList>
#include <QString>
#include <QStringList>

class NotebookFiles;
class Printer;
struct WriteResult;

// はじめての食材: the foods a child has eaten, each once, with the date first eaten, a reaction
// mark and a note, in its own CP932 register file (one line a food: "food","date","reaction","note").
namespace first_foods {

inline QString fileName() { return QStringLiteral("はじめての食材.txt"); }
constexpr int Fields = 4;

struct Food {
    QString group; // 穀類, 野菜・果物, たんぱく質
    QString name;
    bool allergen = false; // one of the eight foods Japan requires to be labelled
};
// The starting list, after the weaning guide's common first foods.
const QList<Food> &startingList();
bool isAllergen(const QString &food);
QString groupOf(const QString &food);
// The reaction marks.
QStringList reactions();

struct Entry {
    QString food;
    QString date; // yyyy/mm/dd
    QString reaction;
    QString note;
};
// In order of date (then as read).
QList<Entry> read(const NotebookFiles &files);
WriteResult append(NotebookFiles &files, const Entry &entry);
const Entry *find(const QList<Entry> &entries, const QString &food);

// A food's name as ingredients are matched: half- and full-width alike, katakana as hiragana,
// what stands in brackets left out ("米（おかゆ）" is 米).
QString matchForm(const QString &text);
// The foods of the starting list that the ingredients name and that have not been eaten yet.
QStringList untriedIn(const QString &ingredients, const QList<Entry> &eaten);

// Every food, eaten ones first by date, then the starting list's others, on one A4 page: a
// reaction "あり" in red. Returns what Printer::end says ("" after a printer), or the error.
QString print(Printer &printer, const QList<Entry> &eaten, const QString &nickname);

} // namespace first_foods
