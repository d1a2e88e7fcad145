#include "core/recipes/cooking_history.h"

namespace {

Recipe withHistory(Recipe r, const QStringList &entries)
{
    r.history = entries.join(QStringLiteral("\r\n"));
    r.cookCount = QString::number(entries.size());
    return r;
}

} // namespace

Recipe withCookingDate(const Recipe &stored, const QString &date)
{
    QStringList entries = historyEntries(stored.history);
    entries.append(date);
    Recipe r = withHistory(stored, entries);
    if (entries.size() == 1) {
        r.selfEval = evalExcellent();
        r.childEval = evalExcellent();
    }
    return r;
}

std::optional<Recipe> withoutCookingDate(const Recipe &stored, int row, const QString &date)
{
    QStringList entries = historyEntries(stored.history);
    if (row < 0 || row >= entries.size() || entries[row] != date)
        row = int(entries.indexOf(date));
    if (row < 0)
        return std::nullopt;
    entries.removeAt(row);
    return withHistory(stored, entries);
}
