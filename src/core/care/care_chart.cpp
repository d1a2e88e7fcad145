#include "core/care/care_chart.h"

#include "core/text/fonts.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace care {

namespace {

constexpr int DayMinutes = 24 * 60;

// Kinds told apart by shape first; the colours help on screen and on a colour print.
const QColor SleepColour(86, 119, 196);
const QColor FeedColour(232, 135, 30);
const QColor NappyColour(46, 150, 90);
const QColor MedicineColour(204, 40, 60);
const QColor TemperatureColour(200, 70, 40);
const QColor GridColour(215, 215, 215);
const QColor TextColour(60, 60, 60);

// The three marks, centred on c with half-size r.
void feedMark(QPainter &p, QPointF c, qreal r) { p.drawEllipse(c, r, r); }

void nappyMark(QPainter &p, QPointF c, qreal r)
{
    const QPointF triangle[3] = {
        {c.x(), c.y() - r}, {c.x() + r, c.y() + r * 0.8}, {c.x() - r, c.y() + r * 0.8}};
    p.drawConvexPolygon(triangle, 3);
}

void medicineMark(QPainter &p, QPointF c, qreal r)
{
    const QPointF diamond[4] = {
        {c.x(), c.y() - r}, {c.x() + r, c.y()}, {c.x(), c.y() + r}, {c.x() - r, c.y()}};
    p.drawConvexPolygon(diamond, 4);
}

void useMarkStyle(QPainter &p, const QColor &fill, qreal penWidth)
{
    p.setPen(QPen(fill.darker(160), penWidth));
    p.setBrush(fill);
}

// The legend along the top of a chart: each kind's mark and its word, left to right.
struct LegendItem {
    QString word;
    QColor colour;
    void (*mark)(QPainter &, QPointF, qreal); // none: a bar
};

void drawLegend(QPainter &p, const QRectF &row, const QList<LegendItem> &items, const QFontMetricsF &fm)
{
    const qreal r = fm.height() * 0.3;
    qreal x = row.left();
    const qreal y = row.center().y();
    for (const LegendItem &item : items) {
        useMarkStyle(p, item.colour, 1);
        if (item.mark) {
            item.mark(p, QPointF(x + r, y), r);
            x += 2 * r;
        } else {
            p.drawRect(QRectF(x, y - r * 0.7, 4 * r, 1.4 * r));
            x += 4 * r;
        }
        p.setPen(TextColour);
        x += r;
        p.drawText(QPointF(x, y + (fm.ascent() - fm.descent()) / 2), item.word);
        x += fm.horizontalAdvance(item.word) + 3 * r;
    }
}

QColor weekdayColour(QDate day)
{
    return day.dayOfWeek() == 7   ? QColor(190, 40, 40)
           : day.dayOfWeek() == 6 ? QColor(40, 80, 180)
                                  : TextColour;
}

// The hour lines and their labels (every 3 hours) over the rhythm grid.
void drawHours(QPainter &p, const QRectF &grid, qreal labelBaseline, int dayStartHour,
               const QFontMetricsF &fm)
{
    for (int h = 0; h <= 24; ++h) {
        const qreal x = grid.left() + grid.width() * h / 24;
        p.setPen(QPen(h % 3 == 0 ? GridColour.darker(125) : GridColour, 0));
        p.drawLine(QPointF(x, grid.top() - (h % 3 == 0 ? fm.height() * 0.25 : 0)), QPointF(x, grid.bottom()));
        if (h % 3 == 0) {
            int clock = dayStartHour + h;
            if (clock > 24)
                clock -= 24;
            const QString label = QString::number(clock);
            p.setPen(TextColour);
            p.drawText(QPointF(x - fm.horizontalAdvance(label) / 2, labelBaseline), label);
        }
    }
}

} // namespace

QString rhythmDayLabel(QDate day)
{
    static const char16_t *const weekdays[] = {u"月", u"火", u"水", u"木", u"金", u"土", u"日"};
    if (!day.isValid())
        return {};
    return QStringLiteral("%1/%2(%3)")
        .arg(day.month())
        .arg(day.day())
        .arg(QString::fromUtf16(weekdays[day.dayOfWeek() - 1]));
}

QFont chartFont(int pixelSize)
{
    QFont font(QString::fromLatin1(japaneseGothicFamily()));
    font.setPixelSize(pixelSize);
    return font;
}

QImage chartImage(QSize size, const std::function<void(QPainter &, const QRectF &)> &draw)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, QRectF(image.rect()));
    return image;
}

ChartMarks drawRhythm(QPainter &p, const QRectF &target, const QList<RhythmRow> &rows, int dayStartHour,
                      const QFont &font)
{
    ChartMarks drawn;
    p.save();
    p.setClipRect(target);
    p.setFont(font);
    const QFontMetricsF fm(font, p.device());
    const qreal line = fm.height();
    drawLegend(p, QRectF(target.left(), target.top(), target.width(), line * 1.4),
               {{QStringLiteral("睡眠"), SleepColour, nullptr},
                {QStringLiteral("授乳"), FeedColour, feedMark},
                {QStringLiteral("おむつ"), NappyColour, nappyMark},
                {QStringLiteral("薬"), MedicineColour, medicineMark}},
               fm);
    const qreal labelWidth = fm.horizontalAdvance(QStringLiteral("12/30(水)")) + line * 0.5;
    const qreal hourTop = target.top() + line * 1.5;
    QRectF grid(target.left() + labelWidth, hourTop + line * 1.3, 0, 0);
    grid.setRight(target.right() - fm.horizontalAdvance(QStringLiteral("24")) / 2 - 1);
    grid.setBottom(target.bottom() - 1);
    if (rows.isEmpty() || grid.width() <= 0 || grid.height() <= 0) {
        p.restore();
        return drawn;
    }
    const qreal rowHeight = grid.height() / rows.size();
    // Alternate days shaded, the date on the left (Saturday blue, Sunday red).
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(246, 246, 250));
    for (int i = 1; i < rows.size(); i += 2)
        p.drawRect(QRectF(grid.left(), grid.top() + i * rowHeight, grid.width(), rowHeight));
    drawHours(p, grid, hourTop + fm.ascent(), dayStartHour, fm);
    // Labels only where they fit: every day in a week, fewer when the rows are thin.
    const int labelStep = std::max(1, int(std::ceil(line * 0.9 / rowHeight)));
    for (int i = 0; i < rows.size(); i += labelStep) {
        p.setPen(weekdayColour(rows[i].day));
        const qreal mid = grid.top() + (i + 0.5) * rowHeight;
        p.drawText(QPointF(target.left(), mid + (fm.ascent() - fm.descent()) / 2),
                   rhythmDayLabel(rows[i].day));
    }
    const auto xOf = [&grid](int minute) { return grid.left() + grid.width() * minute / DayMinutes; };
    const qreal markSize = std::clamp(rowHeight * 0.17, 1.5, line * 0.35);
    const qreal penWidth = std::max(0.5, markSize / 5);
    useMarkStyle(p, SleepColour, penWidth);
    for (int i = 0; i < rows.size(); ++i) {
        const qreal top = grid.top() + i * rowHeight + rowHeight * 0.36;
        for (const auto &[from, to] : rows[i].sleeps) {
            const qreal left = xOf(std::clamp(from, 0, DayMinutes));
            const qreal right = xOf(std::clamp(to, 0, DayMinutes));
            if (right < left)
                continue;
            p.drawRect(QRectF(left, top, std::max(right - left, 1.0), rowHeight * 0.28));
            ++drawn.bars;
        }
    }
    const auto drawMarks = [&](auto listOf, const QColor &colour, void (*mark)(QPainter &, QPointF, qreal),
                               qreal place, int &count) {
        useMarkStyle(p, colour, penWidth);
        for (int i = 0; i < rows.size(); ++i) {
            const qreal y = grid.top() + (i + place) * rowHeight;
            for (int minute : listOf(rows[i])) {
                if (minute < 0 || minute >= DayMinutes)
                    continue;
                mark(p, QPointF(xOf(minute), y), markSize);
                ++count;
            }
        }
    };
    // Feeds above the sleep bars, nappies below, medicine on them.
    drawMarks([](const RhythmRow &r) -> const QList<int> & { return r.feeds; }, FeedColour, feedMark, 0.2,
              drawn.feedMarks);
    drawMarks([](const RhythmRow &r) -> const QList<int> & { return r.nappies; }, NappyColour, nappyMark, 0.8,
              drawn.nappyMarks);
    drawMarks([](const RhythmRow &r) -> const QList<int> & { return r.medicines; }, MedicineColour,
              medicineMark, 0.5, drawn.medicineMarks);
    p.setPen(QPen(GridColour.darker(125), 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(grid);
    p.restore();
    return drawn;
}

std::pair<double, double> temperatureRange(const QList<RhythmRow> &rows)
{
    double lo = 37.5, hi = 37.5;
    bool any = false;
    for (const RhythmRow &row : rows)
        for (const auto &t : row.temperatures) {
            lo = std::min(lo, t.second);
            hi = std::max(hi, t.second);
            any = true;
        }
    if (!any)
        return {35.5, 38.5};
    // Whole half degrees with room around the values.
    lo = std::clamp(std::floor(lo * 2 - 1) / 2, 34.0, 37.0);
    hi = std::clamp(std::ceil(hi * 2 + 1) / 2, 38.0, 42.0);
    return {lo, hi};
}

namespace {

struct TemperatureAxes {
    QRectF plot;
    double lo = 35, hi = 38;
    qreal yOf(double t) const
    {
        return plot.bottom() - plot.height() * (std::clamp(t, lo, hi) - lo) / (hi - lo);
    }
};

void drawTemperatureGrid(QPainter &p, const TemperatureAxes &a, const QList<RhythmRow> &rows,
                         const QFontMetricsF &fm)
{
    const QRectF &plot = a.plot;
    const double step = a.hi - a.lo > 4 ? 1.0 : 0.5;
    QList<double> labelled;
    for (double t = a.lo; t <= a.hi + 1e-9; t += step)
        labelled.append(t);
    if (step > 0.5)
        labelled.append(37.5); // the line of a fever always says what it is
    for (double t : labelled) {
        const qreal y = a.yOf(t);
        p.setPen(QPen(GridColour, 0));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        const QString label = QString::number(t, 'f', 1);
        p.setPen(TextColour);
        p.drawText(QPointF(plot.left() - fm.horizontalAdvance(label) - fm.height() * 0.3,
                           y + (fm.ascent() - fm.descent()) / 2),
                   label);
    }
    const qreal dayWidth = plot.width() / rows.size();
    const int labelStep =
        std::max(1, int(std::ceil(fm.horizontalAdvance(QStringLiteral("12/30(水)")) * 1.15 / dayWidth)));
    for (int i = 0; i < rows.size(); ++i) {
        const qreal x = plot.left() + i * dayWidth;
        p.setPen(QPen(GridColour, 0));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        if (i % labelStep != 0)
            continue;
        const QString label = rhythmDayLabel(rows[i].day);
        p.setPen(weekdayColour(rows[i].day));
        const qreal width = fm.horizontalAdvance(label);
        const qreal left = x + (labelStep == 1 ? (dayWidth - width) / 2 : 0);
        if (left + width > plot.right() + fm.height() * 0.3)
            break; // the last days' label would run out of the chart
        p.drawText(QPointF(left, plot.bottom() + fm.ascent() + fm.height() * 0.2), label);
    }
    QPen reference(MedicineColour, std::max(1.0, fm.height() / 12), Qt::DashLine);
    p.setPen(reference);
    p.drawLine(QPointF(plot.left(), a.yOf(37.5)), QPointF(plot.right(), a.yOf(37.5)));
}

} // namespace

ChartMarks drawTemperatures(QPainter &p, const QRectF &target, const QList<RhythmRow> &rows,
                            const QFont &font)
{
    ChartMarks drawn;
    p.save();
    p.setClipRect(target);
    p.setFont(font);
    const QFontMetricsF fm(font, p.device());
    const qreal line = fm.height();
    drawLegend(p, QRectF(target.left(), target.top(), target.width(), line * 1.4),
               {{QStringLiteral("体温（℃）"), TemperatureColour, feedMark},
                {QStringLiteral("薬"), MedicineColour, medicineMark}},
               fm);
    TemperatureAxes a;
    std::tie(a.lo, a.hi) = temperatureRange(rows);
    a.plot = QRectF(target.left() + fm.horizontalAdvance(QStringLiteral("42.0")) + line * 0.6,
                    target.top() + line * 1.8, 0, 0);
    a.plot.setRight(target.right() - line * 0.3);
    a.plot.setBottom(target.bottom() - line * 1.4);
    if (rows.isEmpty() || a.plot.width() <= 0 || a.plot.height() <= 0) {
        p.restore();
        return drawn;
    }
    drawTemperatureGrid(p, a, rows, fm);
    const qreal dayWidth = a.plot.width() / rows.size();
    const auto xOf = [&](int day, int minute) {
        return a.plot.left() + dayWidth * (day + double(std::clamp(minute, 0, DayMinutes)) / DayMinutes);
    };
    QPolygonF curve;
    for (int i = 0; i < rows.size(); ++i)
        for (const auto &[minute, celsius] : rows[i].temperatures)
            curve.append(QPointF(xOf(i, minute), a.yOf(celsius)));
    const qreal r = std::clamp(dayWidth / 12, 2.0, line * 0.3);
    p.setPen(QPen(TemperatureColour, std::max(1.0, r / 2)));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(curve);
    useMarkStyle(p, TemperatureColour, std::max(0.5, r / 4));
    for (const QPointF &point : curve)
        feedMark(p, point, r);
    drawn.temperaturePoints = int(curve.size());
    // The doses sit on the time axis, where they read against the curve above them.
    useMarkStyle(p, MedicineColour, std::max(0.5, r / 4));
    for (int i = 0; i < rows.size(); ++i)
        for (int minute : rows[i].medicines) {
            medicineMark(p, QPointF(xOf(i, minute), a.plot.bottom() - r * 1.2), r * 1.1);
            ++drawn.medicineMarks;
        }
    p.setPen(QPen(GridColour.darker(140), 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(a.plot);
    p.restore();
    return drawn;
}

} // namespace care
