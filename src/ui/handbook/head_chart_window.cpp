#include "ui/handbook/head_chart_window.h"

#include "core/book/notebook.h"
#include "core/notebook/growth_reference.h"
#include "core/text/dates.h"
#include "ui/widgets/ui_util.h"

#include <QAccessible>
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

const QColor HeadColor(46, 139, 87);

} // namespace

HeadBand headBand(Sex sex, int months)
{
    HeadBand band;
    // Four points a month keep the curve smooth in the first months, where it bends most.
    for (int quarter = 0; quarter <= 4 * std::min(months, 60); ++quarter) {
        const double month = quarter / 4.0;
        const std::optional<Lms> lms = referenceLms(GrowthMeasure::Head, sex, month * DaysPerMonth);
        if (!lms)
            continue;
        band.p3.append({month, lmsValue(*lms, ZP3)});
        band.p50.append({month, lms->m});
        band.p97.append({month, lmsValue(*lms, ZP97)});
    }
    return band;
}

HeadChartWindow::HeadChartWindow(Notebook &notebook, QWidget *parent) : QDialog(parent), m_notebook(notebook)
{
    setObjectName(QStringLiteral("frmToui"));
    setWindowTitle(QStringLiteral("頭囲のグラフ"));
    m_chart = new QChart;
    m_chart->setTitle(QStringLiteral("頭囲のグラフ"));
    m_chart->legend()->setAlignment(Qt::AlignTop);
    m_p3 = new QLineSeries(m_chart);
    m_p97 = new QLineSeries(m_chart);
    auto *band = new QAreaSeries(m_p97, m_p3);
    band->setName(QStringLiteral("頭囲 WHO 3〜97%"));
    band->setBrush(QColor(HeadColor.red(), HeadColor.green(), HeadColor.blue(), 38));
    band->setPen(QPen(QColor(HeadColor.red(), HeadColor.green(), HeadColor.blue(), 70), 0.8));
    m_p50 = new QLineSeries;
    m_p50->setName(QStringLiteral("50%"));
    m_p50->setPen(QPen(QColor(HeadColor.red(), HeadColor.green(), HeadColor.blue(), 120), 1.2, Qt::DashLine));
    m_heads = new QScatterSeries;
    m_heads->setName(QStringLiteral("健診の頭囲"));
    m_heads->setMarkerSize(9);
    m_heads->setColor(HeadColor.darker(140));
    auto *ageAxis = new QValueAxis;
    ageAxis->setTitleText(QStringLiteral("月齢（か月）"));
    ageAxis->setLabelFormat(QStringLiteral("%d"));
    auto *cmAxis = new QValueAxis;
    cmAxis->setTitleText(QStringLiteral("頭囲 (cm)"));
    cmAxis->setLabelFormat(QStringLiteral("%d"));
    m_chart->addAxis(ageAxis, Qt::AlignBottom);
    m_chart->addAxis(cmAxis, Qt::AlignLeft);
    for (QAbstractSeries *s : {static_cast<QAbstractSeries *>(band), static_cast<QAbstractSeries *>(m_p50),
                               static_cast<QAbstractSeries *>(m_heads)}) {
        m_chart->addSeries(s);
        s->attachAxis(ageAxis);
        s->attachAxis(cmAxis);
    }
    m_view = new QChartView(m_chart, this);
    setAccessibleRole(m_view, QAccessible::Chart);
    nameControl(m_view, QStringLiteral("chrToui"), QStringLiteral("頭囲のグラフ"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(560, 380);
    m_hintLabel = new QLabel(QStringLiteral("男の子・女の子を成長曲線で選ぶと、基準の帯が出ます。"), this);
    m_hintLabel->setObjectName(QStringLiteral("lblTouiHint"));
    auto *source = new QLabel(QStringLiteral("「WHO Child Growth Standards (2006)」をもとに作成"), this);
    source->setObjectName(QStringLiteral("lblTouiSource"));
    source->setStyleSheet(QStringLiteral("color: rgb(110, 110, 110);"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("閉じる"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_hintLabel);
    layout->addWidget(source, 0, Qt::AlignRight);
    layout->addWidget(buttons);
    connect(&notebook, &Notebook::changed, this, [this](const NotebookChange &change) {
        if (change.table == NotebookTable::Checkups || change.table == NotebookTable::GrowthChart ||
            change.table == NotebookTable::Profile)
            draw();
    });
    m_notebook.readTable(NotebookTable::GrowthChart);
    draw();
}

void HeadChartWindow::draw()
{
    const QDate birth = parseStoredDate(m_notebook.profile.birthDate).value_or(QDate());
    QList<QPointF> heads;
    double lastMonth = 0, low = 60, high = 0;
    for (const checkups::Measure &m : checkups::measures(m_notebook.checkups, checkups::Quantity::Head)) {
        if (!birth.isValid() || m.day < birth)
            continue;
        const double month = birth.daysTo(m.day) / DaysPerMonth;
        heads.append({month, m.value});
        lastMonth = std::max(lastMonth, month);
        low = std::min(low, m.value);
        high = std::max(high, m.value);
    }
    const Sex sex = m_notebook.growthChart.sex;
    // The axis reaches the last measure and a little beyond, at least the first two years.
    const int months = std::max(24, int(std::ceil(lastMonth)) + 3);
    const HeadBand band = headBand(sex, months);
    m_p3->replace(band.p3);
    m_p50->replace(band.p50);
    m_p97->replace(band.p97);
    m_heads->replace(heads);
    for (const QPointF &p : band.p3)
        low = std::min(low, p.y());
    for (const QPointF &p : band.p97)
        high = std::max(high, p.y());
    if (high < low) { // nothing to draw: a baby's usual range
        low = 30;
        high = 50;
    }
    const QList<QAbstractSeries *> series = m_chart->series();
    for (QAbstractSeries *s : series)
        if (s != m_heads)
            s->setVisible(sex != Sex::None);
    m_hintLabel->setVisible(sex == Sex::None);
    m_chart->axes(Qt::Horizontal).first()->setRange(0, months);
    m_chart->axes(Qt::Vertical).first()->setRange(std::floor(low) - 1, std::ceil(high) + 1);
    m_view->setAccessibleDescription(
        QStringLiteral("健診の頭囲 %1 点").arg(heads.size()) +
        (sex == Sex::None ? QString()
                          : QStringLiteral("と WHO の 3〜97パーセンタイルの帯、50パーセンタイルの線")));
}
