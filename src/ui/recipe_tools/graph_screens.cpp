#include "ui/recipe_tools/graph_screens.h"

#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "ui/recipe_tools/tool_widgets.h"
#include "ui/widgets/level_bar.h"
#include "ui/widgets/ui_util.h"
#include "ui/widgets/window_print.h"

#include <QAccessible>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

// The stems of a panel's control names (Label4_lblJ, lblJ_ken_1, lblJ_p_1) and its chart's name,
// by which the tests and the window's users know them.
QString controlStem(GraphKind kind)
{
    static const char16_t *const stems[] = {u"lblJ", u"lblS", u"lblC", u"lblJiseki", u"lblHyo1", u"lblHyo2"};
    return QString::fromUtf16(stems[int(kind)]);
}

QString chartName(GraphKind kind)
{
    static const char16_t *const names[] = {u"chrJ", u"chrS", u"chrC", u"chrJitu", u"chrJiko", u"chrSansya"};
    return QString::fromUtf16(names[int(kind)]);
}

template <std::size_t N> QList<int> countsOf(const std::array<qint16, N> &a)
{
    return QList<int>(a.begin(), a.end());
}
template <std::size_t N> QList<float> sharesOf(const std::array<float, N> &a)
{
    return QList<float>(a.begin(), a.end());
}

QLabel *headerLabel(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("font-weight: bold; background: rgb(225, 235, 245); padding: 2px;"));
    return l;
}

} // namespace

GraphPanel::GraphPanel(const GraphPanelRows &rows, const QList<QPixmap> &icons, QWidget *parent)
    : QFrame(parent), m_rows(rows)
{
    setFrameShape(QFrame::StyledPanel);
    auto *table = new QGridLayout;
    table->setHorizontalSpacing(6);
    table->setVerticalSpacing(2);
    auto *label4 = headerLabel(rows.heading, this);
    nameControl(label4, QStringLiteral("Label4_") + controlStem(rows.kind), rows.heading);
    table->addWidget(headerLabel(QStringLiteral("色"), this), 0, 0);
    table->addWidget(label4, 0, 1, 1, icons.isEmpty() ? 1 : 2);
    const int countColumn = icons.isEmpty() ? 2 : 3;
    table->addWidget(headerLabel(QStringLiteral("件"), this), 0, countColumn);
    table->addWidget(headerLabel(QStringLiteral("割合"), this), 0, countColumn + 1);
    for (int i = 0; i < rows.rows.size(); ++i) {
        const GraphRow &row = rows.rows[i];
        const QString index = QString::number(i);
        table->addWidget(colourSwatch(row.swatch, row.caption + QStringLiteral("の色"), this), i + 1, 0,
                         Qt::AlignCenter);
        if (!icons.isEmpty()) {
            auto *icon = new QLabel(this);
            icon->setPixmap(icons[i]);
            icon->setAccessibleName(row.caption);
            table->addWidget(icon, i + 1, 1);
        }
        auto *caption = new QLabel(row.caption, this);
        nameControl(caption,
                    controlStem(rows.kind) + (icons.isEmpty() ? QStringLiteral("_name_") : QStringLiteral("_")) + index,
                    row.caption);
        table->addWidget(caption, i + 1, countColumn - 1);
        auto *count = new QLabel(this);
        nameControl(count, controlStem(rows.kind) + QStringLiteral("_ken_") + index, QString());
        count->setAccessibleDescription(row.caption + QStringLiteral("の件数"));
        count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto *share = new QLabel(this);
        nameControl(share, controlStem(rows.kind) + QStringLiteral("_p_") + index, QString());
        share->setAccessibleDescription(row.caption + QStringLiteral("の割合"));
        share->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->addWidget(count, i + 1, countColumn);
        table->addWidget(share, i + 1, countColumn + 1);
        m_counts.append(count);
        m_shares.append(share);
    }
    table->setColumnStretch(countColumn - 1, 1);

    auto *label1 = new QLabel(rows.chartTitle, this);
    nameControl(label1, QStringLiteral("Label1_") + controlStem(rows.kind), rows.chartTitle);
    label1->setAlignment(Qt::AlignCenter);
    label1->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 14px;"));
    m_chart = new QChartView(this);
    setAccessibleRole(m_chart, QAccessible::Chart);
    nameControl(m_chart, chartName(rows.kind), rows.chartTitle);
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumSize(260, 240);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(table);
    layout->addSpacing(6);
    layout->addWidget(label1);
    layout->addWidget(m_chart, 1);
}

void GraphPanel::fill(const QList<int> &counts, const QList<float> &shares)
{
    for (int i = 0; i < m_counts.size(); ++i) {
        showValue(m_counts[i], QString());
        showValue(m_shares[i], QString());
    }
    for (int i = 0; i < m_counts.size(); ++i) {
        showValue(m_counts[i], countText(counts[i]));
        showValue(m_shares[i], shareText(shares[i]));
    }
    m_values = counts;
}

void GraphPanel::showPie(bool pie)
{
    m_pie = pie;
    drawChart();
}

// One data row, column n the count of row n, in that row's chart colour.
void GraphPanel::drawChart()
{
    auto *chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    if (m_pie) {
        auto *series = new QPieSeries(chart);
        for (int i = 0; i < m_values.size(); ++i) {
            QPieSlice *slice = series->append(m_rows.rows[i].caption, m_values[i]);
            slice->setColor(m_rows.rows[i].chart);
            slice->setBorderColor(Qt::darkGray);
        }
        series->setPieSize(0.9);
        chart->addSeries(series);
    } else {
        auto *series = new QBarSeries(chart);
        for (int i = 0; i < m_values.size(); ++i) {
            auto *set = new QBarSet(m_rows.rows[i].caption, series);
            set->append(m_values[i]);
            set->setColor(m_rows.rows[i].chart);
            set->setBorderColor(Qt::darkGray);
            series->append(set);
        }
        chart->addSeries(series);
        auto *axis = new QValueAxis(chart);
        const CountAxis counts = countAxis(*std::max_element(m_values.cbegin(), m_values.cend()));
        axis->setRange(0, counts.top);
        axis->setLabelFormat(QStringLiteral("%d"));
        axis->setTickCount(counts.tickCount());
        chart->addAxis(axis, Qt::AlignLeft);
        series->attachAxis(axis);
    }
    QChart *old = m_chart->chart();
    m_chart->setChart(chart);
    delete old;
}

GraphScreen::GraphScreen(Notebook &notebook, Dialogs &dialogs, Printer &printer, QWidget *parent)
    : QDialog(parent), m_notebook(notebook), m_dialogs(dialogs), m_printer(printer)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
}

void GraphScreen::build(const QList<GraphPanelRows> &panels, const QList<QList<QPixmap>> &icons,
                        bool pieFirst, QWidget *extra)
{
    auto *row = new QHBoxLayout;
    for (int i = 0; i < panels.size(); ++i) {
        m_panels.append(new GraphPanel(panels[i], icons.value(i), this));
        row->addWidget(m_panels.last(), 1);
    }
    QPushButton *pie = makeButton(QStringLiteral("cmdPai"), QStringLiteral("円グラフ"), QString(), this);
    QPushButton *bar = makeButton(QStringLiteral("cmdBar"), QStringLiteral("棒グラフ"), QString(), this);
    QPushButton *print = makeButton(QStringLiteral("cmdPrint"), QStringLiteral("印刷"), QString(), this);
    QPushButton *back = makeButton(QStringLiteral("cmdModori"), QStringLiteral("戻り"), QString(), this);
    connect(pie, &QPushButton::clicked, this, [this] { showPies(true); });
    connect(bar, &QPushButton::clicked, this, [this] { showPies(false); });
    connect(print, &QPushButton::clicked, this, [this] {
        askAndPrintWindow(
            this, m_printer, m_dialogs,
            QStringLiteral("表示中の情報で印刷しますか？\r\n\r\n良かったらＯＫボタンを押してください"));
    });
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    if (extra)
        buttons->addWidget(extra);
    buttons->addStretch();
    const QList<QPushButton *> order =
        pieFirst ? QList<QPushButton *>{pie, bar, print, back} : QList<QPushButton *>{bar, pie, print, back};
    for (QPushButton *b : order) {
        b->setMinimumSize(84, 32);
        buttons->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addLayout(buttons);
    resize(1060, 640);
}

void GraphScreen::showPies(bool pie)
{
    for (GraphPanel *panel : m_panels)
        panel->showPie(pie);
}

ClassificationGraphScreen::ClassificationGraphScreen(Notebook &notebook, Dialogs &dialogs, Printer &printer,
                                                     QWidget *parent)
    : GraphScreen(notebook, dialogs, printer, parent)
{
    setObjectName(QStringLiteral("frmGraph1"));
    setWindowTitle(QStringLiteral("分類分析"));
    build(classificationPanels(), {}, true);
}

void ClassificationGraphScreen::load()
{
    const RecipeStats &s = m_notebook.recipes.stats;
    m_panels[0]->fill(countsOf(s.stageCount), sharesOf(s.stageRatio));
    m_panels[1]->fill(countsOf(s.kindCount), sharesOf(s.kindRatio));
    m_panels[2]->fill(countsOf(s.methodCount), sharesOf(s.methodRatio));
    showPies(true);
}

EvaluationGraphScreen::EvaluationGraphScreen(Notebook &notebook, Dialogs &dialogs, Printer &printer,
                                             QWidget *parent)
    : GraphScreen(notebook, dialogs, printer, parent)
{
    setObjectName(QStringLiteral("frmGraph2"));
    setWindowTitle(QStringLiteral("評価分析"));
    auto *level = new QWidget(this);
    m_levelLabel = new QLabel(level);
    m_levelLabel->setObjectName(QStringLiteral("lblLevel"));
    m_levelLabel->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 18px; color: rgb(200, 90, 40);"));
    auto *levelRow = new QHBoxLayout(level);
    levelRow->setContentsMargins(0, 0, 0, 0);
    levelRow->addWidget(m_levelLabel, 0, Qt::AlignBottom);
    levelRow->addSpacing(10);
    levelRow->addWidget(new LevelBar(notebook, level), 0, Qt::AlignBottom);
    const QList<QPixmap> faces = {rowIcon(RowIcon::Laughing), rowIcon(RowIcon::Smiling),
                                  rowIcon(RowIcon::Straight)};
    build(evaluationPanels(), {{rowIcon(RowIcon::Laughing), rowIcon(RowIcon::NoEntry)}, faces, faces}, false,
          level);
    connect(&notebook, &Notebook::levelShown, this, &EvaluationGraphScreen::showLevel);
}

void EvaluationGraphScreen::load()
{
    const RecipeStats &s = m_notebook.recipes.stats;
    m_panels[0]->fill({s.evaluatedCount, s.unevaluatedCount}, {s.evaluatedRatio, s.unevaluatedRatio});
    m_panels[1]->fill(countsOf(s.selfEvalCount), sharesOf(s.selfEvalRatio));
    m_panels[2]->fill(countsOf(s.childEvalCount), sharesOf(s.childEvalRatio));
    showLevel();
    showPies(false);
}

void EvaluationGraphScreen::showLevel() { showValue(m_levelLabel, levelText(m_notebook.recipes.levelPercent)); }
