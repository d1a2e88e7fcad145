#include "core/recipe_tools/recipe_search.h"

#include <QSet>

#include "core/text/numbers.h"
#include "core/text/text_folding.h"


namespace {

double boxValue(const QString &text) { return numericValue(asciiDigits(text)); }

} // namespace

bool containsKey(const QString &field, const QString &key, bool folded)
{
    if (key.isEmpty())
        return !field.isEmpty();
    return containsText(field, key, folded);
}

bool matchesChoice(const QString &field, const QString &choice)
{
    return choice.isEmpty() || field == choice;
}

namespace {

// A search tests the same two boxes against every recipe: their values are read once, not a
// thousand times (the last few texts read are remembered).
double boxValueOnce(const QString &text)
{
    struct Read {
        bool used = false;
        QString text;
        double value = 0;
    };
    static thread_local Read recent[4];
    static thread_local int next = 0;
    for (const Read &r : recent)
        if (r.used && r.text == text)
            return r.value;
    Read &slot = recent[next++ % 4];
    slot = {true, text, boxValue(text)};
    return slot.value;
}

} // namespace

bool timeInRange(float time, const QString &low, const QString &high)
{
    const float l = float(boxValueOnce(low));
    const float h = float(boxValueOnce(high));
    return l <= time && time < h;
}

bool countInRange(const QString &count, const QString &low, const QString &high)
{
    const double c = numericValue(count);
    return boxValueOnce(low) <= c && c < boxValueOnce(high);
}

bool keyIsIdle(SearchKey key, const SearchKeys &keys)
{
    if (key == SearchKey::Category)
        return keys.stage.isEmpty() && keys.kind.isEmpty() && keys.method.isEmpty();
    if (key == SearchKey::Evaluation)
        return keys.selfEval.isEmpty() && keys.childEval.isEmpty();
    return false;
}

QStringList searchWhole(const QStringList &names, const RecipeTest &passes)
{
    QStringList found;
    for (int i = 0; i < names.size(); ++i)
        if (passes(i))
            found.append(names[i]);
    return found;
}

QStringList searchNarrow(const QStringList &listed, const QStringList &names, const RecipeTest &passes)
{
    // Each recipe is tested once; only the names of the passing ones are kept for the look-up,
    // so a long list is neither matched row by row nor hashed whole.
    QSet<QString> passing;
    for (int i = 0; i < names.size(); ++i)
        if (passes(i))
            passing.insert(names[i]);
    QStringList kept;
    if (passing.isEmpty())
        return kept;
    for (const QString &row : listed)
        if (passing.contains(row))
            kept.append(row);
    return kept;
}

QString zeroResultTitle() { return QStringLiteral("対象ゼロ件"); }

QString zeroResultText()
{
    return QStringLiteral("指定の検索条件では対象がありません\n\n条件を変えて検索してください");
}
