#pragma once

#include "core/recipe_tools/recipe_graphs.h"

#include <QDialog>
#include <QFrame>
#include <QPixmap>

class Dialogs;
class Notebook;
class Printer;
class QChartView;
class QLabel;

// One panel of a graph screen: a table of colour, caption, count and share per row, and a
// chart of the counts that shows as a pie or as bars.
class GraphPanel : public QFrame
{
    Q_OBJECT
public:
    GraphPanel(const GraphPanelRows &rows, const QList<QPixmap> &icons, QWidget *parent);

    // Counts and shares of the rows, in row order; the chart follows at the next showPie.
    void fill(const QList<int> &counts, const QList<float> &shares);
    void showPie(bool pie);
    bool showsPie() const { return m_pie; }
    QChartView *chart() const { return m_chart; }

private:
    void drawChart();

    GraphPanelRows m_rows;
    QList<QLabel *> m_counts;
    QList<QLabel *> m_shares;
    QList<int> m_values;
    QChartView *m_chart = nullptr;
    bool m_pie = true;
};

// What the two graph screens share: three panels side by side, the chart buttons, print and
// return. Unloaded whenever the recipe tables are read again.
class GraphScreen : public QDialog
{
    Q_OBJECT
protected:
    GraphScreen(Notebook &notebook, Dialogs &dialogs, Printer &printer, QWidget *parent);
    // pieFirst: the pie button comes first and the charts start as pies.
    void build(const QList<GraphPanelRows> &panels, const QList<QList<QPixmap>> &icons, bool pieFirst,
               QWidget *extra = nullptr);
    void showPies(bool pie);

    Notebook &m_notebook;
    Dialogs &m_dialogs;
    Printer &m_printer;
    QList<GraphPanel *> m_panels;
};

// frmGraph1 "分類分析": the recipes by stage, kind and method; pies at opening.
class ClassificationGraphScreen : public GraphScreen
{
    Q_OBJECT
public:
    ClassificationGraphScreen(Notebook &notebook, Dialogs &dialogs, Printer &printer,
                              QWidget *parent = nullptr);
    void load();
};

// frmGraph2 "評価分析": cooked or not, self and child evaluation, and the level; bars at opening.
class EvaluationGraphScreen : public GraphScreen
{
    Q_OBJECT
public:
    EvaluationGraphScreen(Notebook &notebook, Dialogs &dialogs, Printer &printer, QWidget *parent = nullptr);
    void load();

private:
    void showLevel();
    QLabel *m_levelLabel = nullptr;
};
