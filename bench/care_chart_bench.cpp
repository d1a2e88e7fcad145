// A month's rhythm chart of a busy care log (30 entries a day) drawn into an image, beside the
// floor of painting the same bars and marks straight onto it without the chart's layout,
// labels and legend.
#include "care_month.h"
#include "core/care/care_chart.h"
#include "floor_report.h"

#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

const QSize ImageSize(1400, 988);

const QList<care::RhythmRow> &monthRows()
{
    static const QList<care::RhythmRow> rows = [] {
        const QDate first(2026, 12, 1);
        return care::rhythmOf(careMonth(first, 31), first, 31, 0, QDateTime(QDate(2027, 1, 1), QTime(9, 0)));
    }();
    return rows;
}

void CareRhythmChart(benchmark::State &state)
{
    QImage image(ImageSize, QImage::Format_RGB32);
    const QFont font = care::chartFont(16);
    care::ChartMarks drawn;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        drawn = care::drawRhythm(painter, QRectF(image.rect()), monthRows(), 0, font);
    }
    state.counters["marks"] = drawn.bars + drawn.feedMarks + drawn.nappyMarks + drawn.medicineMarks;
    state.counters["aim"] = 4;
}

// The same bars as rectangles and every mark as a circle, at the same places, in one colour.
void CareRhythmChartFloor(benchmark::State &state)
{
    QImage image(ImageSize, QImage::Format_RGB32);
    const QList<care::RhythmRow> &rows = monthRows();
    const QRectF grid(110, 60, 1270, 920);
    const qreal rowHeight = grid.height() / rows.size();
    const auto xOf = [&](int minute) { return grid.left() + grid.width() * minute / 1440; };
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::black);
        painter.setBrush(Qt::gray);
        for (int i = 0; i < rows.size(); ++i) {
            const qreal top = grid.top() + i * rowHeight;
            for (const auto &[from, to] : rows[i].sleeps)
                painter.drawRect(
                    QRectF(xOf(from), top + rowHeight * 0.36, xOf(to) - xOf(from), rowHeight * 0.28));
            for (const QList<int> *marks : {&rows[i].feeds, &rows[i].nappies, &rows[i].medicines})
                for (int minute : *marks)
                    painter.drawEllipse(QPointF(xOf(minute), top + rowHeight / 2), 5.0, 5.0);
        }
    }
}

} // namespace

BENCHMARK(CareRhythmChartFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(CareRhythmChart)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
