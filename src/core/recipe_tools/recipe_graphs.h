#pragma once

#include <QColor>
#include <QList>
#include <QString>

// What the classification and evaluation graph screens show of the recipe statistics: the
// rows of their tables and charts, and the texts of counts, shares and the level.

// One row of a graph panel: its caption, the colour of its swatch and the colour in which the
// chart draws its value.
struct GraphRow {
    QString caption;
    QColor swatch;
    QColor chart;
};

// Which of the six graphs a panel draws.
enum class GraphKind { Stage, Kind, Method, Record, SelfEvaluation, ChildEvaluation };

// One panel: the class heading over its table, the title over its chart, its rows.
struct GraphPanelRows {
    QString heading;
    QString chartTitle;
    GraphKind kind;
    QList<GraphRow> rows;
};

// The classification graphs: by stage, kind and method.
QList<GraphPanelRows> classificationPanels();
// The evaluation graphs: cooking record, self evaluation, child evaluation.
QList<GraphPanelRows> evaluationPanels();

// The value axis of a bar chart of counts: labels at whole numbers a round step apart (1, 2,
// 5, 10, …), no more than five steps, from 0 to the first label at or above the largest count.
struct CountAxis {
    int top = 1;
    int step = 1;
    int tickCount() const { return top / step + 1; }
};
CountAxis countAxis(int largest);

// A count as a decimal integer without grouping ("0", "1234").
QString countText(int count);
// A share (a fraction) as a percentage with one decimal: 0.25 gives "25.0%", 0 gives "0.0%";
// halves round away from zero, as the format pattern "0.0%" does.
QString shareText(float share);
// "Level  " and the level rounded to a whole number: "Level  45".
QString levelText(float levelPercent);

// The help-tour texts of the four screens, shown by the recipe book after it opens them.
QString searchHelpText();
QString classificationHelpText();
QString evaluationHelpText();
QString printHelpText();
