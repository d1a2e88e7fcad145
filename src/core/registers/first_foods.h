#pragma once

#include "core/registers/register_file.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

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
    QString name;  // as registered: 卵, 卵黄, 米（おかゆ）
    bool allergen = false; // one of the eight foods Japan requires to be labelled
    QString base; // for a step of a food the guide introduces in steps (卵黄, 卵白): that food (卵)
};
// The starting list, after the weaning guide's common first foods.
const QList<Food> &startingList();
// ★ for a name as registered: its food's (any form: "たまご" is 卵), or for a name of the
// user's own, whether it names an allergen ("卵ボーロ").
bool isAllergen(const QString &food);
// The food's group (any form of its name), "その他" for a name of the user's own.
QString groupOf(const QString &food);
// The reaction marks.
QStringList reactions();

// A food named in a text: where it stands, the registered name, the food and the step.
struct Mention {
    qsizetype start = 0, length = 0; // in the folded text
    QString name;                    // as registered (卵黄)
    QString food;                    // 卵 for 卵黄 and 卵白, else the name
    bool allergen = false;
    QString step; // 卵黄 or 卵白, empty for the food itself
    // On the starting list: 豆乳 is; ココナッツミルク is named only so that its ミルク is not 乳.
    bool offered = false;
};
// Every food a text names, by the table of names (kanji, kana, common forms, widths and kana
// alike), the longest names first so that 豆乳 is not 乳 and 卵黄 not 卵; in text order.
QList<Mention> mentionsIn(const QString &text);

struct Entry {
    QString food;
    QString date; // yyyy/mm/dd
    QString reaction;
    QString note;
    bool operator==(const Entry &o) const
    {
        return food == o.food && date == o.date && reaction == o.reaction && note == o.note;
    }
};
// In order of date (then as read).
QList<Entry> read(const NotebookFiles &files);
// The entries of records in the file's order, in order of date as read gives them.
QList<Entry> entriesInOrder(const QList<QStringList> &records);
WriteResult append(NotebookFiles &files, const Entry &entry);
// The line of the entry was replaced by now, or left out when now is empty; the other lines
// stay as they are, in their order. An entry no longer in the file (another computer changed
// it) is not written and says so. written, when given, gets the records written.
WriteResult change(NotebookFiles &files, const Entry &was, const std::optional<Entry> &now,
                   QList<QStringList> *written = nullptr);
// The entry of the food, whatever form of its name either was written in ("たまご" is 卵), or
// null. A name is kept as the user wrote it; the table only tells which food it is.
const Entry *find(const QList<Entry> &entries, const QString &food);

// A food's name as names are compared: widths and kana alike, what stands in brackets left
// out ("米（おかゆ）" is 米).
QString matchForm(const QString &text);
// The foods of the starting list that the ingredients name and that have not been eaten yet,
// in the list's order.
QStringList untriedIn(const QString &ingredients, const QList<Entry> &eaten);

// Every food, eaten ones first by date, then the starting list's others, on one A4 page: a
// reaction "あり" in red. Returns what Printer::end says ("" after a printer), or the error.
QString print(Printer &printer, const QList<Entry> &eaten, const QString &nickname);

} // namespace first_foods
