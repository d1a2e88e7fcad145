#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// The recipe search: eleven key boxes in nine groups, each group with a button that searches
// the whole recipe table and one that narrows the names already listed.

enum class SearchKey { Name, Ingredients, Steps, Memo, Category, Time, Evaluation, CookCount, Reference };

// The texts of the key boxes as typed or chosen; an empty drop-down means no condition.
struct SearchKeys {
    QString name;                       // txtNamae
    std::array<QString, 5> ingredients; // txtZairyo(0..4)
    QString steps;                      // txtTukuri
    QString memo;                       // txtMemo
    QString stage, kind, method;        // cboJyanru, cboSyurui, cboCyouri
    QString timeLow, timeHigh;          // txtJikanL, txtJikanH
    QString selfEval, childEval;        // cboHyouka1, cboHyouka2
    QString countLow, countHigh;        // txtKaisuL, txtKaisuH
    QString ref;                        // cboSankou
    // かな・全角半角を区別しない: the text keys find their words whatever the width or the kana.
    bool folded = false;
};

// The field contains the key, code unit by code unit (folded: with widths and kana alike). An
// empty key is contained in every field but an empty one, so it passes exactly the recipes
// whose field is filled.
bool containsKey(const QString &field, const QString &key, bool folded = false);
// An empty box holds for every field; otherwise the field equals it exactly.
bool matchesChoice(const QString &field, const QString &choice);
// low <= time < high with both bounds read as numbers in single precision; an empty upper
// bound reads 0, so nothing passes.
bool timeInRange(float time, const QString &low, const QString &high);
// low <= count < high in double precision.
bool countInRange(const QString &count, const QString &low, const QString &high);
// The category and evaluation buttons do nothing at all while every box of their group is empty.
bool keyIsIdle(SearchKey key, const SearchKeys &keys);

// Whether a recipe passes one key. Any record with the recipe tables' column names fits, so
// that these tests need nothing of the recipe book's own headers.
template <class R> bool passesKey(SearchKey key, const SearchKeys &k, const R &r)
{
    switch (key) {
    case SearchKey::Name:
        return containsKey(r.name, k.name, k.folded);
    case SearchKey::Ingredients:
        for (const QString &word : k.ingredients)
            if (!containsKey(r.ingredients, word, k.folded))
                return false;
        return true;
    case SearchKey::Steps:
        return containsKey(r.steps, k.steps, k.folded);
    case SearchKey::Memo:
        return containsKey(r.memo, k.memo, k.folded);
    case SearchKey::Category:
        return matchesChoice(r.stage, k.stage) && matchesChoice(r.kind, k.kind) &&
               matchesChoice(r.method, k.method);
    case SearchKey::Time:
        return timeInRange(r.time, k.timeLow, k.timeHigh);
    case SearchKey::Evaluation:
        return matchesChoice(r.selfEval, k.selfEval) && matchesChoice(r.childEval, k.childEval);
    case SearchKey::CookCount:
        return countInRange(r.cookCount, k.countLow, k.countHigh);
    case SearchKey::Reference:
        return containsKey(r.ref, k.ref, k.folded);
    }
    return false;
}

// passes(i) tests the recipe at index i (from 0) of the table whose dish names are names.
using RecipeTest = std::function<bool(int)>;

// The whole table: the names of the passing recipes in table order.
QStringList searchWhole(const QStringList &names, const RecipeTest &passes);

// Narrowing: every listed name, in list order, stays when a recipe of that name passes (the
// first one that fails does not end the look-out for a later one of the same name). A name
// listed twice can stay twice.
QStringList searchNarrow(const QStringList &listed, const QStringList &names, const RecipeTest &passes);

// The zero-result warning of a narrowing search.
QString zeroResultTitle();
QString zeroResultText();
