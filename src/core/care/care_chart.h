#pragma once

#include "core/care/care_log.h"

#include <QFont>
#include <QImage>
#include <QSize>

#include <functional>
#include <utility>

class QPainter;
class QRectF;

// The care log's charts, drawn with a painter into any rectangle: the window's widgets, the
// printed page and the yearbook draw them with the same code. Every kind has its own shape
// and colour, so that the chart reads on a black-and-white print too.
namespace care {

// What a drawing put on the page, for the tests to count.
struct ChartMarks {
    int bars = 0;          // sleep bars
    int feedMarks = 0;     // circles
    int nappyMarks = 0;    // triangles
    int medicineMarks = 0; // diamonds
    int temperaturePoints = 0;
    bool operator==(const ChartMarks &o) const
    {
        return bars == o.bars && feedMarks == o.feedMarks && nappyMarks == o.nappyMarks &&
               medicineMarks == o.medicineMarks && temperaturePoints == o.temperaturePoints;
    }
};

// A row's date as the rhythm chart labels it: "12/8(火)".
QString rhythmDayLabel(QDate day);

// 生活リズム: one row a day, 0–24 h from dayStartHour across with a tick every hour and a
// label every 3 hours, sleep as bars, feeds, nappies and medicine as marks, the legend above.
ChartMarks drawRhythm(QPainter &painter, const QRectF &target, const QList<RhythmRow> &rows, int dayStartHour,
                      const QFont &font);

// The temperature axis for these rows: around the measured values, within 34–42 ℃, always
// showing 37.5 ℃; 35.5–38.5 ℃ when nothing was measured.
std::pair<double, double> temperatureRange(const QList<RhythmRow> &rows);

// 体温: the measured temperatures across the rows' days joined by a line, the 37.5 ℃ line,
// the medicine doses as marks on the time axis.
ChartMarks drawTemperatures(QPainter &painter, const QRectF &target, const QList<RhythmRow> &rows,
                            const QFont &font);

// A chart drawn on white into an image of that size (for the print and the web page).
QImage chartImage(QSize size, const std::function<void(QPainter &, const QRectF &)> &draw);

// The charts' font: the Japanese gothic at a pixel size.
QFont chartFont(int pixelSize);

} // namespace care
