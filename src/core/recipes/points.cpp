#include "core/recipes/points.h"

#include "core/text/numbers.h"

#include <algorithm>
#include <cmath>

int childScore(const QString &letter)
{
    if (letter == evalExcellent())
        return 3;
    if (letter == evalGood())
        return 2;
    if (letter == evalPoor())
        return 1;
    return 0;
}

int recipePoints(const Recipe &recipe)
{
    return 2 + childScore(recipe.childEval) + toInt16Clamped(numericValue(recipe.cookCount));
}

int pagePoints(const QString &childEval, int historyEntries)
{
    return 2 + childScore(childEval) + historyEntries;
}

qint16 totalPointOf(const QList<Recipe> &recipes)
{
    qint64 sum = 0;
    for (const Recipe &r : recipes)
        sum += recipePoints(r);
    return qint16(std::clamp<qint64>(sum, -32768, 32767));
}

float levelPercentOf(qint16 totalPoint, qint16 targetPoint)
{
    if (targetPoint == 0)
        return 0;
    return float(double(totalPoint) / double(targetPoint) * 100.0);
}

int levelBoxesReached(float levelPercent)
{
    int boxes = 0;
    while (boxes < LevelBoxes && levelPercent >= 10.0f * float(boxes + 1))
        ++boxes;
    return boxes;
}

QColor levelBoxColor(int box, float levelPercent)
{
    if (box > levelBoxesReached(levelPercent))
        return QColor(255, 255, 255);
    static const QColor pairs[] = {QColor(0, 255, 255), QColor(0, 255, 0), QColor(255, 255, 0),
                                   QColor(255, 0, 255), QColor(255, 0, 0)};
    return pairs[(qBound(1, box, LevelBoxes) - 1) / 2];
}

void computePointsAndLevel(RecipeBook &book, qint16 targetPoint)
{
    book.totalPoint = totalPointOf(book.recipes());
    book.levelPercent = levelPercentOf(book.totalPoint, targetPoint);
}

bool goalReached(float levelPercent) { return levelPercent >= 100.0f; }

QString goalReachedTitle() { return QStringLiteral("目標レベル達成"); }

QString goalReachedText(qint16 targetPoint)
{
    return QStringLiteral("目標ポイント ") + QString::number(targetPoint) +
           QStringLiteral("p に対するレベルが１００％をこえました！") + u'\n' +
           QStringLiteral("おめでとうございます。 ＼(^o^)／ﾔｯﾀｧ ") + QStringLiteral("\n\n") +
           QStringLiteral("さらなるレベルアップを目指して、次の目標ポイントを指定しましょう。");
}
