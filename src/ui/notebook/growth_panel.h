#pragma once

#include "core/notebook/growth.h"
#include "core/notebook/growth_chart_store.h"

#include <QFrame>

#include <memory>

class GrowthBands;
class PanelHost;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QCategoryAxis;
class QChart;
class QChartView;
class QLineSeries;
class QListWidget;
class QPainter;
class QPushButton;
class QRectF;
class QValueAxis;

// The growth panel fraGraph: the day-by-day weight and height lists, the two-axis chart and
// the export to 身長体重.txt. Lists and chart show the series as of the last "グラフ" click.
class GrowthPanel : public QFrame
{
    Q_OBJECT
public:
    GrowthPanel(PanelHost &host, QWidget *parent = nullptr);
    ~GrowthPanel() override;

    // The panel's button on the notebook screen's bar ("グラフ").
    void open();
    // drawGrowthChart: the series into chrTaijyu with the axis limits.
    void drawGrowthChart();
    // fillGrowthLists: lstTaijyu and lstShin refilled.
    void fillGrowthLists();
    // cmdSTHozon: the series to 身長体重.txt.
    void exportSeries();
    // chrTaijyu double-click: the four axis limits asked one after the other.
    void changeLimits();

    // The chart as drawGrowthChart shows it, drawn into target (a page, a picture): a panel
    // that is never shown is made for it, so the screen's chart keeps its size.
    static void paintChart(PanelHost &host, QPainter &painter, const QRectF &target);

    QChart *chart() const { return m_chart; }
    QChartView *chartView() const { return m_growthChart; }

    GrowthBands *bands() const { return m_bands.get(); }

private:
    void buildChart();
    QLayout *buildLists();
    QLayout *buildReferenceRow();
    void referenceChosen();
    void showReference();
    void applyLimits();
    void showChartSettings();
    void showPointTip(const QPointF &point, bool entered);

    PanelHost &m_host;
    QListWidget *m_weightList = nullptr;
    QListWidget *m_heightList = nullptr;
    QChartView *m_growthChart = nullptr;
    QChart *m_chart = nullptr;
    QLineSeries *m_weight = nullptr;
    QLineSeries *m_height = nullptr;
    QValueAxis *m_weightAxis = nullptr;
    QValueAxis *m_heightAxis = nullptr;
    QCategoryAxis *m_dayAxis = nullptr;
    QPushButton *m_saveChartSettingsButton = nullptr;
    GrowthSeries m_shown; // what the chart shows, for the point tips
    std::unique_ptr<GrowthBands> m_bands;
    GrowthChartSettings m_reference; // as read from 成長曲線.txt, and as chosen since
    QRadioButton *m_boyOption = nullptr;
    QRadioButton *m_girlOption = nullptr;
    QCheckBox *m_bandsCheck = nullptr;
    QComboBox *m_referenceChoice = nullptr; // the handbook's curves, then the WHO's
    QLabel *m_sourceLabel = nullptr;
    QLabel *m_standingLabel = nullptr;
    QLabel *m_sexHintLabel = nullptr;
};
