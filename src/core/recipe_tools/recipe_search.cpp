#include "core/recipe_tools/recipe_search.h"

#include "core/common/numbers.h"

#include <QHash>

namespace {

double boxValue(const QString &text) { return numericValue(asciiDigits(text)); }

} // namespace

bool containsKey(const QString &field, const QString &key)
{
    if (key.isEmpty())
        return !field.isEmpty();
    return field.contains(key, Qt::CaseSensitive);
}

bool matchesChoice(const QString &field, const QString &choice)
{
    return choice.isEmpty() || field == choice;
}

bool timeInRange(float time, const QString &low, const QString &high)
{
    const float l = float(boxValue(low));
    const float h = float(boxValue(high));
    return l <= time && time < h;
}

bool countInRange(const QString &count, const QString &low, const QString &high)
{
    const double c = numericValue(count);
    return boxValue(low) <= c && c < boxValue(high);
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
    // Where each name stands in the table, so that a long list is not matched against the
    // whole table row by row.
    QHash<QString, QList<int>> positions;
    positions.reserve(names.size());
    for (int i = 0; i < names.size(); ++i)
        positions[names[i]].append(i);
    QStringList kept;
    for (const QString &row : listed) {
        const auto it = positions.constFind(row);
        if (it == positions.cend())
            continue;
        for (int i : *it)
            if (passes(i)) {
                kept.append(row);
                break;
            }
    }
    return kept;
}

QString zeroResultTitle() { return QStringLiteral("対象ゼロ件"); }

QString zeroResultText()
{
    return QStringLiteral("指定の検索条件では対象がありません\n\n条件を変えて検索してください");
}
