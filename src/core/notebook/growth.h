#pragma once

#include "core/files/file_names.h"

#include "core/notebook/diary_store.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The growth series: one entry per calendar day from diary day 1 to the last day with a
// weight, missing days filled in by straight lines between measured days.
struct GrowthSeries {
    QList<QString> date;  // from index 1; index 0 unused
    QList<double> height; // in cm to 0.1 cm, index 0 holds 0
    QList<qint16> weight; // index 0 holds 0
    int count = 0;
};

// The growth series built from the day table. The series holds at most DiaryCapacity days from diary day 1; days of a
// diary that reach further are left out. An empty diary gives an empty series.
void buildGrowth(const DiaryTable &diary, GrowthSeries &series);

// 身長体重.txt: one quoted line per series day, "1995/02/15",50.5,3000 with CR LF.
QString growthExportText(const GrowthSeries &series);

// The lines of the two growth lists: "1995/02/15 _ 3000g" and "1995/02/15 _ 50.5cm".
QStringList weightListLines(const GrowthSeries &series);
QStringList heightListLines(const GrowthSeries &series);

// A labelled mark on the chart's day axis: series day `day` (0 for the first day).
struct AgeTick {
    int day = 0;
    QString label;
};
// Marks for a series of `days` days starting on `first` (the birth day): whole months of
// age ("3か月", "1歳", "1歳6か月") spaced so that about ten fit, or weeks ("2週") for a
// series shorter than two months.
QList<AgeTick> ageTicks(QDate first, int days);

// The growth chart's axis limits, グラフ.txt.
struct GraphLimits {
    qint16 heightMin = 0;
    qint16 heightMax = 0;
    qint16 weightMin = 0;
    qint16 weightMax = 0;
};

GraphLimits parseGraphLimits(const QString &text);
// Four lines, each the value as a printed integer (" 40 ").
QString graphLimitsText(const GraphLimits &limits);
// What a notebook without グラフ.txt starts with: limits that suit a baby's first three years.
GraphLimits defaultGraphLimits();
