#include "ui/notebook/growth_panel.h"

#include "core/book/notebook.h"
#include "core/files/dialogs.h"
#include "core/notebook/diary_files.h"
#include "core/text/dates.h"
#include "core/text/numbers.h"
#include "ui/notebook/growth_bands.h"
#include "ui/widgets/panel_host.h"
#include "ui/widgets/ui_util.h"

#include <QAccessible>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>
#include <functional>

namespace {

const QColor WeightColor(222, 98, 52);
const QColor HeightColor(41, 121, 201);

// Runs an action for a double-click of the mouse or Enter, the chart's two ways to its limits.
class ChartGestures : public QObject
{
public:
    ChartGestures(QObject *parent, std::function<void()> action)
        : QObject(parent), m_action(std::move(action))
    {
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::MouseButtonDblClick ||
            (e->type() == QEvent::KeyPress && (static_cast<QKeyEvent *>(e)->key() == Qt::Key_Return ||
                                               static_cast<QKeyEvent *>(e)->key() == Qt::Key_Enter))) {
            m_action();
            return true;
        }
        return false;
    }

private:
    std::function<void()> m_action;
};

// A round step between value labels: about six steps over the range.
double tickInterval(double span)
{
    const double raw = std::max(span / 6.0, 1.0);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double f : {1.0, 2.0, 5.0})
        if (f * magnitude >= raw)
            return f * magnitude;
    return 10.0 * magnitude;
}

// The chart draws from the smaller to the larger value whichever way round the limits were
// entered; two equal limits still leave a range to draw in.
void setAxisLimits(QValueAxis *axis, int a, int b)
{
    int low = std::min(a, b), high = std::max(a, b);
    if (low == high)
        ++high;
    axis->setRange(low, high);
    axis->setTickInterval(tickInterval(high - low));
}

QValueAxis *valueAxis(const QString &title, const QColor &color)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setLabelsColor(color);
    axis->setLinePenColor(color);
    QBrush brush(color);
    axis->setTitleBrush(brush);
    return axis;
}

QLineSeries *lineSeries(const QString &name, const QColor &color)
{
    auto *series = new QLineSeries;
    series->setName(name);
    QPen pen(color);
    pen.setWidthF(2.2);
    series->setPen(pen);
    return series;
}

} // namespace

GrowthPanel::GrowthPanel(PanelHost &host, QWidget *parent) : QFrame(parent), m_host(host)
{
    setObjectName(QStringLiteral("fraGraph"));
    buildChart();
    QLayout *lists = buildLists();
    auto *chartColumn = new QVBoxLayout;
    chartColumn->addLayout(buildReferenceRow());
    chartColumn->addWidget(m_growthChart, 1);
    // The credit stays under the chart, so the screen's print carries it too.
    m_sourceLabel = new QLabel(referenceSourceText(m_reference.reference), this);
    m_sourceLabel->setObjectName(QStringLiteral("lblSource"));
    m_sourceLabel->setStyleSheet(QStringLiteral("color: rgb(110, 110, 110);"));
    chartColumn->addWidget(m_sourceLabel, 0, Qt::AlignRight);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(chartColumn, 1);
    layout->addLayout(lists);
}

// The chart with its three axes, the reference bands behind the child's lines, and its view.
void GrowthPanel::buildChart()
{
    m_chart = new QChart;
    m_chart->setTitle(QStringLiteral("身長・体重グラフ"));
    QFont titleFont = m_chart->titleFont();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    titleFont.setBold(true);
    m_chart->setTitleFont(titleFont);
    m_chart->setBackgroundRoundness(0);
    m_chart->setMargins(QMargins(6, 4, 6, 4));
    m_chart->setPlotAreaBackgroundBrush(QColor(253, 251, 246));
    m_chart->setPlotAreaBackgroundVisible(true);
    m_chart->legend()->setAlignment(Qt::AlignTop);

    m_weight = lineSeries(QStringLiteral("体重 (g)"), WeightColor);
    m_height = lineSeries(QStringLiteral("身長 (cm)"), HeightColor);
    m_dayAxis = new QCategoryAxis;
    m_dayAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_weightAxis = valueAxis(QStringLiteral("体重 (g)"), WeightColor);
    m_heightAxis = valueAxis(QStringLiteral("身長 (cm)"), HeightColor);
    // One grid is enough; the weight axis draws it.
    m_heightAxis->setGridLineVisible(false);
    m_chart->addAxis(m_dayAxis, Qt::AlignBottom);
    m_chart->addAxis(m_weightAxis, Qt::AlignLeft);
    m_chart->addAxis(m_heightAxis, Qt::AlignRight);
    // Drawn in this order: the reference bands, the child's lines, the measured days' points.
    m_bands = std::make_unique<GrowthBands>(m_chart, m_dayAxis, m_weightAxis, m_heightAxis);
    m_chart->addSeries(m_weight);
    m_chart->addSeries(m_height);
    m_weight->attachAxis(m_dayAxis);
    m_weight->attachAxis(m_weightAxis);
    m_height->attachAxis(m_dayAxis);
    m_height->attachAxis(m_heightAxis);
    m_bands->addPoints(m_chart, m_dayAxis, m_weightAxis, m_heightAxis);

    m_growthChart = new QChartView(m_chart, this);
    setAccessibleRole(m_growthChart, QAccessible::Chart); // before its name makes its interface
    nameControl(m_growthChart, QStringLiteral("chrTaijyu"), QStringLiteral("身長・体重グラフ"));
    m_growthChart->setAccessibleDescription(
        QStringLiteral("ダブルクリックすると縦軸の上限と下限を変更できます"));
    m_growthChart->setToolTip(QStringLiteral("ダブルクリックで縦軸の上限・下限を変更します"));
    m_growthChart->setRenderHint(QPainter::Antialiasing);
    m_growthChart->setFocusPolicy(Qt::StrongFocus);
    m_growthChart->setMinimumSize(420, 300);
    auto *gestures = new ChartGestures(m_growthChart, [this] { changeLimits(); });
    m_growthChart->viewport()->installEventFilter(gestures);
    m_growthChart->installEventFilter(gestures);
    connect(m_weight, &QLineSeries::hovered, this, &GrowthPanel::showPointTip);
    // Another computer's choices show at once; the chart's series stay as drawn.
    connect(&m_host.notebook(), &Notebook::changed, this, [this](const NotebookChange &change) {
        if (change.table == NotebookTable::GrowthChart && change.fromOutside && isVisible()) {
            showChartSettings();
            showReference();
        }
        if (change.table == NotebookTable::Checkups)
            m_bands->showCheckups(m_host.notebook(), m_shown);
    });
    connect(m_height, &QLineSeries::hovered, this, &GrowthPanel::showPointTip);
}

// The two lists of the series and the export button under them.
QLayout *GrowthPanel::buildLists()
{
    m_weightList = new QListWidget(this);
    nameControl(m_weightList, QStringLiteral("lstTaijyu"), QStringLiteral("体重の推移"));
    m_heightList = new QListWidget(this);
    nameControl(m_heightList, QStringLiteral("lstShin"), QStringLiteral("身長の推移"));
    for (QListWidget *list : {m_weightList, m_heightList}) {
        list->setUniformItemSizes(true);
        // Wide enough for "1997/01/12 _ 11400g"; the chart takes the rest.
        list->setFixedWidth(list->fontMetrics().horizontalAdvance(QStringLiteral("8888/88/88 _ 88888g")) +
                            34);
    }
    m_saveChartSettingsButton =
        makeButton(QStringLiteral("cmdSTHozon"), QStringLiteral("身長・体重リスト　データ保存"),
                   QStringLiteral("毎日の身長と体重を 身長体重.txt に保存します"), this);
    m_saveChartSettingsButton->setMinimumHeight(30);
    connect(m_saveChartSettingsButton, &QPushButton::clicked, this, &GrowthPanel::exportSeries);

    auto *lists = new QGridLayout;
    lists->addWidget(makeLabel(QStringLiteral("体重の推移"), m_weightList, this), 0, 0);
    lists->addWidget(makeLabel(QStringLiteral("身長の推移"), m_heightList, this), 0, 1);
    lists->addWidget(m_weightList, 1, 0);
    lists->addWidget(m_heightList, 1, 1);
    lists->addWidget(m_saveChartSettingsButton, 2, 0, 1, 2);
    m_saveChartSettingsButton->setMaximumWidth(2 * m_weightList->width() + lists->horizontalSpacing());
    lists->setRowStretch(1, 1);
    return lists;
}

GrowthPanel::~GrowthPanel() = default;

// The child's sex, the bands' switch, and where the child stands.
QLayout *GrowthPanel::buildReferenceRow()
{
    m_boyOption = new QRadioButton(QStringLiteral("男の子"), this);
    nameControl(m_boyOption, QStringLiteral("optBoy"), QStringLiteral("男の子"));
    m_girlOption = new QRadioButton(QStringLiteral("女の子"), this);
    nameControl(m_girlOption, QStringLiteral("optGirl"), QStringLiteral("女の子"));
    m_bandsCheck = new QCheckBox(QStringLiteral("標準曲線"), this);
    nameControl(m_bandsCheck, QStringLiteral("chkBands"), QStringLiteral("標準曲線"));
    m_bandsCheck->setToolTip(QStringLiteral("標準曲線（3〜97パーセンタイル）を表示します"));
    m_referenceChoice = new QComboBox(this);
    // In the order of GrowthReference.
    m_referenceChoice->addItems(
        {referenceName(GrowthReference::Japan2023), referenceName(GrowthReference::Who2006)});
    nameControl(m_referenceChoice, QStringLiteral("cboReference"), QStringLiteral("標準曲線の種類"));
    m_referenceChoice->setToolTip(
        QStringLiteral("母子健康手帳の発育曲線（令和5年調査）か WHO の標準曲線かを選びます"));
    connect(m_referenceChoice, &QComboBox::currentIndexChanged, this, [this](int) { referenceChosen(); });
    m_sexHintLabel = new QLabel(QStringLiteral("← 男の子か女の子を選ぶと、標準曲線を表示します"), this);
    m_sexHintLabel->setObjectName(QStringLiteral("lblHint"));
    m_standingLabel =
        nameValueLabel(new QLabel(this), QStringLiteral("lblStanding"), QStringLiteral("成長の目安"));
    // toggled, not clicked: the keyboard and the accessibility toggle action count as a click.
    for (QAbstractButton *b :
         std::initializer_list<QAbstractButton *>{m_boyOption, m_girlOption, m_bandsCheck})
        connect(b, &QAbstractButton::toggled, this, [this](bool) { referenceChosen(); });
    auto *row = new QHBoxLayout;
    row->addWidget(m_boyOption);
    row->addWidget(m_girlOption);
    row->addWidget(m_bandsCheck);
    row->addWidget(m_referenceChoice);
    row->addWidget(m_sexHintLabel);
    row->addStretch();
    row->addWidget(m_standingLabel);
    return row;
}

void GrowthPanel::referenceChosen()
{
    GrowthChartSettings chosen = m_reference;
    chosen.sex = m_boyOption->isChecked() ? Sex::Boy : m_girlOption->isChecked() ? Sex::Girl : Sex::None;
    chosen.bands = m_bandsCheck->isChecked();
    chosen.reference = GrowthReference(m_referenceChoice->currentIndex());
    if (chosen.sameChoices(m_reference))
        return;
    m_reference = chosen;
    if (!m_host.loading())
        reportWrite(m_host.dialogs(), m_host.notebook().setGrowthChart(m_reference));
    showReference();
}

// The bands, the measured points, the standing text and the chart's description.
void GrowthPanel::showReference()
{
    const Notebook &nb = m_host.notebook();
    m_bands->show(nb, m_reference, m_shown);
    m_sexHintLabel->setVisible(m_reference.sex == Sex::None);
    m_standingLabel->setText(growthStanding(nb, m_reference.sex, m_reference.reference));
    m_sourceLabel->setText(referenceSourceText(m_reference.reference));
    m_growthChart->setAccessibleDescription(
        m_bands->description() + QStringLiteral("ダブルクリックすると縦軸の上限と下限を変更できます"));
}

void GrowthPanel::open()
{
    m_host.notebook().readTable(NotebookTable::GrowthChart);
    m_host.notebook().readTable(NotebookTable::Checkups);
    drawGrowthChart();
    fillGrowthLists();
    m_host.panelHide();
    show();
    m_host.helpTour(QStringLiteral(
        "育児日記で入力している身長、体重データを使ってリストとグラフを表示します。\r\n\r\n"
        "身長と体重については入力していない部分も前後のデータを自動的に結んで表示しています。\r\n\r\n"
        "身長・体重リスト　データ保存ボタンを押すとテキストデータに保存します。\r\n"
        "このデータはエクセルなどの表計算ソフトなどで読み込むことが可能です。\r\n\r\n"
        "Ｙ軸の上限下限を変更するときはグラフをダブルクリックしてください。"));
}

// The choices as the Notebook holds them, without writing them back.
void GrowthPanel::showChartSettings()
{
    m_reference = m_host.notebook().growthChart;
    const QSignalBlocker boy(m_boyOption), girl(m_girlOption), bands(m_bandsCheck), curves(m_referenceChoice);
    m_referenceChoice->setCurrentIndex(int(m_reference.reference));
    m_boyOption->setAutoExclusive(false);
    m_girlOption->setAutoExclusive(false);
    m_boyOption->setChecked(m_reference.sex == Sex::Boy);
    m_girlOption->setChecked(m_reference.sex == Sex::Girl);
    m_boyOption->setAutoExclusive(true);
    m_girlOption->setAutoExclusive(true);
    m_bandsCheck->setChecked(m_reference.bands);
}

void GrowthPanel::drawGrowthChart()
{
    const Notebook &nb = m_host.notebook();
    showChartSettings();
    m_weight->clear();
    m_height->clear();
    for (const QString &label : m_dayAxis->categoriesLabels())
        m_dayAxis->remove(label);
    m_shown = GrowthSeries();
    if (nb.diary.count() <= 1) {
        showReference();
        if (nb.diary.count() == 1)
            m_host.dialogs().message({programTitle(),
                                      QStringLiteral("身長・体重グラフは２日目から表示されます"),
                                      Dialogs::Icon::None, Dialogs::Buttons::Ok, Dialogs::Answer::Ok});
        return;
    }

    m_shown = nb.growth;
    const int count = m_shown.count;
    QList<QPointF> weights, heights;
    weights.reserve(count);
    heights.reserve(count);
    for (int p = 1; p <= count; ++p) {
        weights.append(QPointF(p - 1, m_shown.weight[p]));
        heights.append(QPointF(p - 1, m_shown.height[p]));
    }
    m_weight->replace(weights);
    m_height->replace(heights);

    const QDate first = count > 0 ? parseStoredDate(m_shown.date[1]).value_or(QDate()) : QDate();
    m_dayAxis->setStartValue(0);
    m_dayAxis->setRange(0, std::max(1, count - 1));
    for (const AgeTick &tick : ageTicks(first, count))
        m_dayAxis->append(tick.label, tick.day);
    m_dayAxis->setTitleText(count > 0 ? QStringLiteral("生後（%1 から）").arg(m_shown.date[1]) : QString());
    applyLimits();
    showReference();
}

void GrowthPanel::paintChart(PanelHost &host, QPainter &painter, const QRectF &target)
{
    GrowthPanel panel(host);
    panel.setAttribute(Qt::WA_DontShowOnScreen);
    // The one-day message belongs to the screen; a chart of one day is drawn empty.
    if (host.notebook().diary.count() > 1) {
        host.notebook().readTable(NotebookTable::GrowthChart);
        host.notebook().readTable(NotebookTable::Checkups);
        panel.drawGrowthChart();
    }
    panel.m_chart->resize(target.size());
    panel.m_chart->layout()->activate();
    panel.m_growthChart->scene()->setSceneRect(QRectF(QPointF(0, 0), target.size()));
    panel.m_growthChart->scene()->render(&painter, target, QRectF(QPointF(0, 0), target.size()));
}

void GrowthPanel::fillGrowthLists()
{
    const GrowthSeries &series = m_host.notebook().growth;
    m_weightList->clear();
    m_heightList->clear();
    m_weightList->addItems(weightListLines(series));
    m_heightList->addItems(heightListLines(series));
}

void GrowthPanel::applyLimits()
{
    const GraphLimits &limits = m_host.notebook().limits;
    setAxisLimits(m_weightAxis, limits.weightMin, limits.weightMax);
    setAxisLimits(m_heightAxis, limits.heightMin, limits.heightMax);
}

void GrowthPanel::exportSeries()
{
    Notebook &nb = m_host.notebook();
    if (!reportWrite(m_host.dialogs(), writeGrowthExport(nb.files, nb.growth)))
        return;
    m_host.dialogs().information(QStringLiteral("保存終了"), QStringLiteral("身長体重.txtに保存しました。"));
}

void GrowthPanel::changeLimits()
{
    Notebook &nb = m_host.notebook();
    Dialogs &dialogs = m_host.dialogs();
    struct LimitBox {
        QString title;
        QString prompt;
        qint16 GraphLimits::*value;
    };
    const LimitBox boxes[] = {
        {QStringLiteral("身長下限値"), QStringLiteral("身長の下限値を入力してください"),
         &GraphLimits::heightMin},
        {QStringLiteral("身長上限値"), QStringLiteral("身長の上限値を入力してください"),
         &GraphLimits::heightMax},
        {QStringLiteral("体重下限値"), QStringLiteral("体重の下限値を入力してください"),
         &GraphLimits::weightMin},
        {QStringLiteral("体重上限値"), QStringLiteral("体重の上限値を入力してください"),
         &GraphLimits::weightMax},
    };
    GraphLimits limits = nb.limits;
    for (const LimitBox &box : boxes) {
        qint16 &value = limits.*box.value;
        // Cancel and an empty answer keep the value.
        const QString answer = dialogs.input(box.prompt, box.title, QString::number(value));
        if (answer.isEmpty())
            continue;
        if (!withoutGrouping(answer)) {
            dialogs.warning(QStringLiteral("入力確認"), groupingMessage(box.title));
            continue;
        }
        const double number = typedNumericValue(answer);
        const std::optional<qint16> typed = toInt16(number);
        if (!typed) {
            dialogs.warning(QStringLiteral("入力確認"),
                            QStringLiteral("%1が%2。\r\n\r\n"
                                           "-32768 から 32767 までの数で入力してください。\r\n"
                                           "%1は %3 のままにします。")
                                .arg(box.title, number < 0 ? QStringLiteral("範囲外です")
                                                           : QStringLiteral("大きすぎます"))
                                .arg(value));
            continue;
        }
        value = *typed;
    }
    reportWrite(dialogs, nb.setGraphLimits(limits));
    applyLimits();
}

void GrowthPanel::showPointTip(const QPointF &point, bool entered)
{
    const int i = int(std::lround(point.x())) + 1;
    if (!entered || i < 1 || i > m_shown.count) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(QCursor::pos(),
                       QStringLiteral("%1\n体重 %2g\n身長 %3cm")
                           .arg(m_shown.date[i])
                           .arg(m_shown.weight[i])
                           .arg(measureText(m_shown.height[i])),
                       m_growthChart);
}
