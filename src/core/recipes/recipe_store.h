#pragma once

#include "core/files/file_names.h"

#include "core/files/read_damage.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// One recipe: the thirteen columns of the recipe tables at one position.
struct Recipe {
    QString name;        // the key that tells a new recipe from a change, and the picture's name
    QString stage;       // one of stageList(), or anything an older file holds
    QString kind;
    QString method;
    float time = 0;      // in minutes
    QString selfEval;    // "優", "良", "不" or "未"
    QString childEval;
    QString cookCount;   // the text of a number ("0", "3")
    QString ref;
    QString ingredients; // lines joined by CR LF, none after the last
    QString steps;
    QString memo;
    QString history;     // "yyyy/mm/dd" dates joined by CR LF, in the order added
};

bool operator==(const Recipe &a, const Recipe &b);
inline bool operator!=(const Recipe &a, const Recipe &b) { return !(a == b); }

constexpr int RecipeCapacity = 1000;


// The fixed lists of the editor's drop-down boxes, in the order the statistics count them.
const QStringList &stageList();
const QStringList &kindList();
const QStringList &methodList();

// Evaluation letters. A recipe never cooked carries "未" in both evaluations.
inline QString evalExcellent() { return QStringLiteral("優"); }
inline QString evalGood() { return QStringLiteral("良"); }
inline QString evalPoor() { return QStringLiteral("不"); }
inline QString evalNone() { return QStringLiteral("未"); }
// "優", "良", "不", "未": the face index of each letter.
const QStringList &evalLetters();

// The classification statistics read by the graph screens. Counts are recomputed after every
// load; a ratio with nothing to divide by keeps the value it had.
struct RecipeStats {
    std::array<qint16, 4> stageCount{};
    std::array<qint16, 10> kindCount{};
    std::array<qint16, 9> methodCount{};
    std::array<qint16, 3> selfEvalCount{};  // 優, 良, 不
    qint16 unevaluatedCount = 0;            // self evaluation "未"
    std::array<qint16, 3> childEvalCount{}; // 優, 良, 不
    qint16 evaluatedCount = 0;              // self 優 + 良 + 不

    std::array<float, 4> stageRatio{};     // of the number of recipes
    std::array<float, 10> kindRatio{};
    std::array<float, 9> methodRatio{};
    float evaluatedRatio = 0;
    float unevaluatedRatio = 0;
    std::array<float, 3> selfEvalRatio{};  // of the evaluated ones
    std::array<float, 3> childEvalRatio{}; // of the evaluated ones as well

    void clearCounts();
};

// The recipe tables with their statistics and points, for the whole run once the recipe
// screen has been loaded. Memory is a copy of レシピ.txt outside a handler.
class RecipeBook
{
public:
    int count() const { return int(m_recipes.size()); }
    // The recipe at position p, counted from 1.
    const Recipe &recipe(int p) const { return m_recipes[p - 1]; }
    Recipe &recipe(int p) { return m_recipes[p - 1]; }
    const QList<Recipe> &recipes() const { return m_recipes; }
    QList<Recipe> &recipes() { return m_recipes; }
    // The first position whose dish name equals name exactly, or 0.
    int find(const QString &name) const;
    // The dish names in position order (the name box's list).
    QStringList names() const;

    RecipeStats stats;
    qint16 totalPoint = 0;
    float levelPercent = 0;
    QStringList references; // 参考資料.txt, in the order added
    // The recipes a file held past the capacity, as the file held them: not shown, written
    // back after the table's recipes by every rewrite.
    QString beyondText;

private:
    QList<Recipe> m_recipes;
};

struct RecipeParse {
    QList<Recipe> recipes;
    bool whole = true; // false when lines were skipped or the file held more than the capacity
    bool tidy = true;  // the bytes end exactly where the last record ends (safe to append to)
    ReadDamage damage; // what could not be shown, and the recipes past the capacity
};

// レシピ.txt's bytes to recipes, read by line counts and the two terminator lines as the
// format has always been read; never fails. Lines that do not form a record (fixed lines out
// of place, a record the file ends inside) are passed over up to the next record that can be
// read. The first RecipeCapacity recipes are the table; the rest stay in damage.beyondText.
RecipeParse parseRecipes(const QByteArray &bytes);

// One record. An empty ingredients, steps, memo or history section is written as nothing
// between its header and its terminator, or, with emptyAsLine, as one empty line (the form a
// deletion writes). Both read back as empty.
QString recipeRecordText(const Recipe &recipe, bool emptyAsLine = false);
// The whole file from the tables: without skip the form a change writes; with a position to
// leave out, the form a deletion writes.
QString recipeFileText(const QList<Recipe> &recipes, int skip = 0);

// The time as the file holds it: the shortest decimal text of the single-precision number.
QString recipeTimeText(float time);
// The cook count as the tables hold it: "03" gives "3", "" gives "0".
QString cookCountText(const QString &text);

// 参考資料.txt: one source a line.
QStringList parseReferences(const QByteArray &bytes);

// computeRecipeStats without the points: counts and ratios of the tables into stats.
void countRecipeStats(const QList<Recipe> &recipes, RecipeStats &stats);

// The entries of a cooking history as the recipe screen lists them. Every entry is a
// ten-character date followed by CR LF, so the text is cut into fixed-width pieces; a history
// that is not in that shape (written by hand) is split at its line ends instead, so that no
// entry is cut apart.
QStringList historyEntries(const QString &history);
