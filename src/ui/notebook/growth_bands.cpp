#include "ui/notebook/growth_bands.h"

#include "core/book/notebook.h"
#include "core/notebook/growth.h"
#include "core/text/dates.h"

#include <QAreaSeries>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

namespace {

const QColor MeasureColors[2] = {QColor(222, 98, 52), QColor(41, 121, 201)}; // the lines' colours

void hideFromLegend(QChart *chart, QAbstractSeries *series)
{
    for (QLegendMarker *m : chart->legend()->markers(series))
        m->setVisible(false);
}

// Birth as the profile has it, else the diary's first day.
QDate birthDay(const Notebook &nb)
{
    if (const std::optional<QDate> b = parseStoredDate(nb.profile.birthDate))
        return *b;
    return nb.diary.count() > 0 ? parseStoredDate(nb.diary.day(1).date).value_or(QDate()) : QDate();
}

} // namespace

GrowthBands::GrowthBands(QChart *chart, QAbstractAxis *dayAxis, QValueAxis *weightAxis,
                         QValueAxis *heightAxis)
{
    for (int k = 0; k < 2; ++k) {
        Measure &m = m_measures[k];
        const QColor c = MeasureColors[k];
        m.p3 = new QLineSeries(chart);
        m.p97 = new QLineSeries(chart);
        m.band = new QAreaSeries(m.p97, m.p3);
        m.band->setBrush(QColor(c.red(), c.green(), c.blue(), 38));
        m.band->setPen(QPen(QColor(c.red(), c.green(), c.blue(), 70), 0.8));
        m.p50 = new QLineSeries;
        m.measured = new QScatterSeries;
        m.measured->setMarkerSize(6.5);
        m.measured->setColor(c);
        m.measured->setBorderColor(Qt::white);
        m.checkups = new QScatterSeries;
        m.checkups->setName(k == 0 ? QStringLiteral("健診の体重") : QStringLiteral("健診の身長"));
        m.checkups->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        m.checkups->setMarkerSize(10);
        m.checkups->setColor(c.darker(130));
        m.checkups->setBorderColor(Qt::black);
        QValueAxis *valueAxis = k == 0 ? weightAxis : heightAxis;
        for (QAbstractSeries *s :
             {static_cast<QAbstractSeries *>(m.band), static_cast<QAbstractSeries *>(m.p50)}) {
            chart->addSeries(s);
            s->attachAxis(dayAxis);
            s->attachAxis(valueAxis);
        }
        hideFromLegend(chart, m.p50);
    }
}

void GrowthBands::addPoints(QChart *chart, QAbstractAxis *dayAxis, QValueAxis *weightAxis,
                            QValueAxis *heightAxis)
{
    for (int k = 0; k < 2; ++k) {
        QScatterSeries *points = m_measures[k].measured;
        chart->addSeries(points);
        points->attachAxis(dayAxis);
        points->attachAxis(k == 0 ? weightAxis : heightAxis);
        hideFromLegend(chart, points);
    }
    // Over the diary's points: a check-up's measure is the one a doctor took.
    for (int k = 0; k < 2; ++k) {
        QScatterSeries *marks = m_measures[k].checkups;
        chart->addSeries(marks);
        marks->attachAxis(dayAxis);
        marks->attachAxis(k == 0 ? weightAxis : heightAxis);
        marks->setVisible(false);
    }
}

void GrowthBands::showCheckups(const Notebook &nb, const GrowthSeries &shown)
{
    const QDate first = shown.count > 0 ? parseStoredDate(shown.date[1]).value_or(QDate()) : QDate();
    for (int k = 0; k < 2; ++k) {
        QList<QPointF> points;
        const auto quantity = k == 0 ? checkups::Quantity::Weight : checkups::Quantity::Height;
        for (const checkups::Measure &m : checkups::measures(nb.checkups, quantity)) {
            const qint64 x = first.isValid() ? first.daysTo(m.day) : -1;
            if (x >= 0 && x < shown.count)
                points.append(QPointF(double(x), m.value));
        }
        m_measures[k].checkups->replace(points);
        m_measures[k].checkups->setVisible(!points.isEmpty());
    }
}

void GrowthBands::show(const Notebook &nb, const GrowthChartSettings &settings, const GrowthSeries &shown)
{
    const QDate first = shown.count > 0 ? parseStoredDate(shown.date[1]).value_or(QDate()) : QDate();
    const bool bands = settings.bands && settings.sex != Sex::None && shown.count > 1;
    const bool japan = settings.reference == GrowthReference::Japan2023;
    for (int k = 0; k < 2; ++k) {
        Measure &m = m_measures[k];
        const GrowthMeasure kind = k == 0 ? GrowthMeasure::Weight : GrowthMeasure::Height;
        // The handbook draws its 50th line solid; the WHO's stays dashed, so a printed chart
        // tells the two apart even without its credit line.
        const QColor c = MeasureColors[k];
        m.band->setName((k == 0 ? QStringLiteral("体重 ") : QStringLiteral("身長 ")) +
                        (japan ? QStringLiteral("3〜97%（令和5年調査）") : QStringLiteral("WHO 3〜97%")));
        m.p50->setPen(japan ? QPen(QColor(c.red(), c.green(), c.blue(), 150), 1.2)
                            : QPen(QColor(c.red(), c.green(), c.blue(), 110), 1.2, Qt::DashLine));
        const ReferenceBand band =
            bands ? referenceBand(kind, settings.sex, first, shown.count, birthDay(nb), settings.reference)
                  : ReferenceBand();
        m.p3->replace(band.p3);
        m.p97->replace(band.p97);
        m.p50->replace(band.p50);
        m.band->setVisible(!band.p3.isEmpty());
        m.p50->setVisible(!band.p50.isEmpty());
        // Showing a series shows its legend marker again: the line and the points have no name.
        if (QChart *chart = m.p50->chart()) {
            hideFromLegend(chart, m.p50);
            hideFromLegend(chart, m.measured);
        }
        // A point on each day the diary holds a measured value.
        QList<QPointF> points;
        for (const DiaryDay &d : nb.diary.days()) {
            const double value = k == 0 ? d.weight : d.height;
            const std::optional<QDate> on = parseStoredDate(d.date);
            const qint64 x = on && first.isValid() ? first.daysTo(*on) : -1;
            if (value != 0 && x >= 0 && x < shown.count)
                points.append(QPointF(double(x), value));
        }
        m.measured->replace(points);
    }
    showCheckups(nb, shown);
    const QString sex = settings.sex == Sex::Girl ? QStringLiteral("女の子") : QStringLiteral("男の子");
    const QString reference = japan ? QStringLiteral("令和5年乳幼児身体発育調査の") : QStringLiteral("WHO ");
    m_description =
        bands ? reference +
                    QStringLiteral("3〜97パーセンタイルの帯と50パーセンタイルの線（%1）を表示しています。"
                                   "点は身長・体重を記入した日です。")
                        .arg(sex)
              : QStringLiteral("点は身長・体重を記入した日です。");
}

QString growthStanding(const Notebook &nb, Sex sex, GrowthReference reference)
{
    if (sex == Sex::None)
        return {};
    QStringList lines;
    for (GrowthMeasure kind : {GrowthMeasure::Weight, GrowthMeasure::Height}) {
        for (int k = nb.diary.count(); k >= 1; --k) {
            const DiaryDay &d = nb.diary.day(k);
            const double value = kind == GrowthMeasure::Weight ? d.weight : d.height;
            const std::optional<QDate> on = parseStoredDate(d.date);
            if (value <= 0 || !on)
                continue;
            const QString text = standingText(kind, value, birthDay(nb), *on, sex, reference);
            if (!text.isEmpty())
                lines.append(text);
            break;
        }
    }
    return lines.join(u'\n');
}
