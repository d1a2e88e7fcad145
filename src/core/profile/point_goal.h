#pragma once

#include <QString>

#include <optional>

// The point goal typed in txtPoint (目標ポイント).
struct PointGoal {
    // The goal: the numeric value rounded halves to even; empty when the goal is refused
    // (no leading number, 0, or outside 1..32767: the level divides by it).
    std::optional<qint16> targetPoint;
    // Line 9 of ﾌﾟﾗｲﾍﾞｰﾄ.txt: the text as typed when every reader of the file gets the same goal
    // back from it, else the goal as a plain number (full-width digits; a comma, which ends
    // the value for the old program's reader and shifts the later values).
    QString lineText;
};

PointGoal pointGoal(const QString &typed);

// The box that refuses a goal.
QString pointGoalRefusalTitle();
QString pointGoalRefusalText();

// "120 P" and "37.5 %" as lblPoint and lblLevel show them.
QString currentPointText(qint16 totalPoint);
QString currentLevelText(float levelPercent);
