#pragma once

#include "core/notebook/growth_chart_store.h"

#include <QList>
#include <QString>

class Notebook;
class QAbstractAxis;
class QAreaSeries;
class QChart;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
struct GrowthSeries;

// What the growth chart shows besides the child's two lines: the chosen reference's (the
// handbook's or the WHO's) 3rd–97th percentile band and 50th percentile line of each measure, drawn pale
// behind the lines, and a point on every day that holds a measured value (the rest of each line is
// interpolated), and the check-ups' measures as marks of their own, not joined to the lines.
class GrowthBands
{
public:
    // Series are drawn in the order they were added: the bands go in before the child's lines,
    // the points after them.
    GrowthBands(QChart *chart, QAbstractAxis *dayAxis, QValueAxis *weightAxis, QValueAxis *heightAxis);
    void addPoints(QChart *chart, QAbstractAxis *dayAxis, QValueAxis *weightAxis, QValueAxis *heightAxis);

    // Fills the bands (when a sex is chosen and they are wanted) and the measured points for
    // the series the chart shows.
    void show(const Notebook &notebook, const GrowthChartSettings &settings, const GrowthSeries &shown);
    // The check-ups' heights and weights over the days the chart shows.
    void showCheckups(const Notebook &notebook, const GrowthSeries &shown);
    // What the chart's bands are, in words, for its accessible description.
    QString description() const { return m_description; }

    struct Measure {
        QAreaSeries *band = nullptr;
        QLineSeries *p3 = nullptr;
        QLineSeries *p97 = nullptr;
        QLineSeries *p50 = nullptr;
        QScatterSeries *measured = nullptr;
        QScatterSeries *checkups = nullptr; // 健診の体重, 健診の身長
    };
    const Measure &weight() const { return m_measures[0]; }
    const Measure &height() const { return m_measures[1]; }

private:
    Measure m_measures[2]; // weight, height
    QString m_description;
};

// Beside the chart: the latest measured weight and height with the age and where they stand,
// one a line, against the chosen reference; "" when no sex is chosen or nothing was measured
// within the tables' ages.
QString growthStanding(const Notebook &notebook, Sex sex, GrowthReference reference);
