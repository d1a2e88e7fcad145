#pragma once

#include "notebook/diary_store.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The growth series: one entry per calendar day from diary day 1 to the last day with a
// weight, missing days filled in by straight lines between measured days.
struct GrowthSeries {
    QList<QString> date;  // GrowthDate, from index 1; index 0 unused
    QList<qint16> height; // GrowthHeight, index 0 holds 0
    QList<qint16> weight; // GrowthWeight, index 0 holds 0
    int count = 0;        // GrowthCount
};

// GROWTH_BUILD
void buildGrowth(const DiaryTable &diary, GrowthSeries &series);

// The growth chart's axis limits, グラフ.txt.
struct GraphLimits {
    qint16 heightMin = 0; // HeightMin
    qint16 heightMax = 0; // HeightMax
    qint16 weightMin = 0; // WeightMin
    qint16 weightMax = 0; // WeightMax
};

inline QString graphFileName() { return QStringLiteral("グラフ.txt"); }

GraphLimits parseGraphLimits(const QString &text);
// Four lines, each the value as a printed integer (" 40 ").
QString graphLimitsText(const GraphLimits &limits);
// What a notebook without グラフ.txt starts with: limits that suit a baby's first three years.
GraphLimits defaultGraphLimits();
