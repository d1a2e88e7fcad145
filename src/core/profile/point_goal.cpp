#include "core/profile/point_goal.h"

#include "core/text/delimited.h"
#include "core/text/numbers.h"

#include <cmath>

PointGoal pointGoal(const QString &typed)
{
    PointGoal g;
    if (!withoutGrouping(typed))
        return g;
    const std::optional<qint16> value = toInt16(typedNumericValue(typed));
    if (!value || *value < 1)
        return g;
    g.targetPoint = value;
    DelimitedReader reader(typed + QStringLiteral("\r\n"));
    const bool readsBack = !typed.contains(u'\r') && !typed.contains(u'\n') && reader.readInt16() == *value &&
                           reader.lastEndedLine();
    g.lineText = readsBack ? typed : QString::number(*value);
    return g;
}

QString pointGoalRefusalTitle() { return QStringLiteral("入力確認"); }

QString pointGoalRefusalText()
{
    return QStringLiteral("目標ポイントは１から３２７６７までの数で入力してください。\r\n\r\n"
                          "レベルは現在ポイントを目標ポイントで割って求めるため、０にはできません。");
}

QString currentPointText(qint16 totalPoint) { return QString::number(totalPoint) + QStringLiteral(" P"); }

QString currentLevelText(float levelPercent)
{
    // Halves round away from zero, as the format pattern "0.0" does.
    return QString::number(std::round(double(levelPercent) * 10.0) / 10.0, 'f', 1) + QStringLiteral(" %");
}
