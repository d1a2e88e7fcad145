#pragma once

#include <QDialog>
#include <QList>
#include <QPointF>

class Notebook;
class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QScatterSeries;
struct NotebookChange;

// 頭囲のグラフ: the check-ups' head measures as dots by age in months, against the WHO
// 3rd–97th percentile band and 50th percentile line of the child's sex (from the growth chart's
// choice); without a sex, the dots alone and a line saying where to choose it.
class HeadChartWindow : public QDialog
{
    Q_OBJECT
public:
    HeadChartWindow(Notebook &notebook, QWidget *parent = nullptr);

    QChart *chart() const { return m_chart; }

private:
    void draw();

    Notebook &m_notebook;
    QChart *m_chart = nullptr;
    QChartView *m_view = nullptr;
    QLineSeries *m_p3 = nullptr;
    QLineSeries *m_p50 = nullptr;
    QLineSeries *m_p97 = nullptr;
    QScatterSeries *m_heads = nullptr;
    QLabel *m_hintLabel = nullptr;
};

// The band's points, month by month from birth to `months` (at most 60): P3, P50 and P97 in cm
// against the age in months; empty without a sex.
struct HeadBand {
    QList<QPointF> p3, p50, p97;
};
enum class Sex;
HeadBand headBand(Sex sex, int months);
