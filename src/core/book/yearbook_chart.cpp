#include "core/book/yearbook.h"

#include "core/book/notebook.h"
#include "core/text/dates.h"
#include "core/text/fonts.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace yearbook {

namespace {

// The values as the day table holds them; 0 is a day without that measure.
double weightOf(const DiaryDay &day) { return double(day.weight); }
double heightOf(const DiaryDay &day) { return double(day.height); }

const QColor WeightColour(200, 70, 70);
const QColor HeightColour(50, 100, 200);

void sortByDate(QList<ChartPoint> &points)
{
    std::stable_sort(points.begin(), points.end(),
                     [](const ChartPoint &a, const ChartPoint &b) { return a.date < b.date; });
}

QString numberText(double value) { return QString::number(value, 'f', value == std::floor(value) ? 0 : 1); }

// Where the day axis has its marks: month starts over a longer span, else every few days.
QList<std::pair<QDate, QString>> dayTicks(QDate from, QDate to)
{
    QList<std::pair<QDate, QString>> ticks;
    const qint64 span = from.daysTo(to);
    if (span < 45) {
        const int step = int(std::max<qint64>(1, (span + 6) / 7));
        for (QDate d = from; d <= to; d = d.addDays(step))
            ticks.append({d, QStringLiteral("%1/%2").arg(d.month()).arg(d.day())});
        return ticks;
    }
    QDate first(from.year(), from.month(), 1);
    if (first < from)
        first = first.addMonths(1);
    const int months = (to.year() - first.year()) * 12 + to.month() - first.month() + 1;
    int step = 1;
    for (int s : {1, 2, 3, 4, 6, 12}) {
        step = s;
        if (months / s <= 8)
            break;
    }
    for (QDate d = first; d <= to; d = d.addMonths(step))
        ticks.append({d, ticks.isEmpty() || d.month() <= step
                             ? QStringLiteral("%1/%2").arg(d.year()).arg(d.month())
                             : QStringLiteral("%1月").arg(d.month())});
    return ticks;
}

} // namespace

Chart chartOf(const Notebook &notebook, QDate from, QDate to)
{
    Chart chart;
    chart.from = from;
    chart.to = to;
    if (!from.isValid() || !to.isValid() || from > to)
        return chart;
    // Across the period where the diary has days; a period beyond the diary keeps its own span.
    const Period whole = wholeDiary(notebook);
    if (whole.from.isValid() && whole.to.isValid() && std::max(from, whole.from) <= std::min(to, whole.to)) {
        chart.from = std::max(from, whole.from);
        chart.to = std::min(to, whole.to);
    }
    for (const DiaryDay &day : notebook.diary.days()) {
        const auto date = parseStoredDate(day.date);
        if (!date || *date < from || *date > to)
            continue;
        if (weightOf(day) > 0)
            chart.weights.append({*date, weightOf(day)});
        if (heightOf(day) > 0)
            chart.heights.append({*date, heightOf(day)});
    }
    // An old diary out of date order still draws its line forward.
    sortByDate(chart.weights);
    sortByDate(chart.heights);
    return chart;
}

AxisRange axisRange(double lo, double hi, int ticks)
{
    if (hi < lo)
        std::swap(lo, hi);
    if (hi == lo) {
        const double widen = std::max(1.0, std::abs(lo) * 0.05);
        lo -= widen;
        hi += widen;
    }
    const double raw = (hi - lo) / std::max(1, ticks);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double norm = raw / magnitude;
    const double step = (norm <= 1 ? 1 : norm <= 2 ? 2 : norm <= 5 ? 5 : 10) * magnitude;
    return {std::floor(lo / step) * step, std::ceil(hi / step) * step, step};
}

void drawChart(QPainter &painter, const QRectF &target, const Chart &chart)
{
    painter.save();
    const qreal unit = std::max<qreal>(8, target.height() / 38);
    QFont font(QString::fromLatin1(japaneseGothicFamily()));
    font.setPixelSize(int(unit));
    painter.setFont(font);
    const QRectF plot = target.adjusted(unit * 5.5, unit * 3, -unit * 4.5, -unit * 2.5);
    painter.setPen(QPen(Qt::darkGray, unit / 10));
    painter.drawRect(plot);

    // The legend above the plot.
    qreal x = plot.left();
    for (const auto &[colour, text] : {std::pair(WeightColour, QStringLiteral("体重（g・左の目盛り）")),
                                       std::pair(HeightColour, QStringLiteral("身長（cm・右の目盛り）"))}) {
        painter.fillRect(QRectF(x, target.top() + unit * 0.9, unit * 1.5, unit * 0.4), colour);
        painter.setPen(Qt::black);
        const QRectF label(x + unit * 2, target.top() + unit * 0.4, unit * 16, unit * 1.4);
        painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter, text);
        x += unit * 2 + painter.fontMetrics().horizontalAdvance(text) + unit * 2;
    }

    if (chart.weights.isEmpty() && chart.heights.isEmpty()) {
        painter.setPen(Qt::darkGray);
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("この期間の身長・体重の記録はありません"));
        painter.restore();
        return;
    }

    const QDate from = chart.from, to = chart.to;
    const qreal days = std::max<qint64>(1, from.daysTo(to));
    auto xOf = [&](QDate d) { return plot.left() + plot.width() * qreal(from.daysTo(d)) / days; };
    painter.setPen(Qt::black);
    for (const auto &[date, label] : dayTicks(from, to)) {
        const qreal tx = xOf(date);
        painter.setPen(QPen(QColor(225, 225, 225), unit / 12));
        painter.drawLine(QPointF(tx, plot.top()), QPointF(tx, plot.bottom()));
        painter.setPen(Qt::black);
        // Under its line, or from the plot's edge on, clear of the numbers of the two axes.
        const qreal left = std::clamp(tx - unit * 4, plot.left(), plot.right() - unit * 8);
        const Qt::Alignment across = left > tx - unit * 4   ? Qt::AlignLeft
                                     : left < tx - unit * 4 ? Qt::AlignRight
                                                            : Qt::AlignHCenter;
        painter.drawText(QRectF(left, plot.bottom() + unit * 0.3, unit * 8, unit * 1.6),
                         across | Qt::AlignTop, label);
    }

    // One measure: its axis on one side, its dots, one straight line through them.
    auto drawSeries = [&](const QList<ChartPoint> &points, const QColor &colour, bool left) {
        if (points.isEmpty())
            return;
        double lo = points.first().value, hi = lo;
        for (const ChartPoint &p : points) {
            lo = std::min(lo, p.value);
            hi = std::max(hi, p.value);
        }
        const AxisRange range = axisRange(lo, hi);
        auto yOf = [&](double v) {
            return plot.bottom() - plot.height() * (v - range.min) / (range.max - range.min);
        };
        painter.setPen(colour);
        for (double v = range.min; v <= range.max + range.step / 2; v += range.step) {
            const QRectF label = left ? QRectF(target.left(), yOf(v) - unit,
                                               plot.left() - target.left() - unit * 0.4, unit * 2)
                                      : QRectF(plot.right() + unit * 0.4, yOf(v) - unit, unit * 4, unit * 2);
            painter.drawText(label, (left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                             numberText(v));
        }
        QPolygonF line;
        for (const ChartPoint &p : points)
            line.append(QPointF(xOf(p.date), yOf(p.value)));
        painter.setPen(QPen(colour, unit / 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        if (line.size() > 1)
            painter.drawPolyline(line);
        painter.setBrush(colour);
        painter.setPen(Qt::NoPen);
        for (const QPointF &p : line)
            painter.drawEllipse(p, unit / 3, unit / 3);
    };
    drawSeries(chart.weights, WeightColour, true);
    drawSeries(chart.heights, HeightColour, false);
    painter.restore();
}

ChartPainter chartPainter(const Chart &chart)
{
    return [chart](QPainter &painter, const QRectF &target) { drawChart(painter, target, chart); };
}

} // namespace yearbook
