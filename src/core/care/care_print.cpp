#include "core/care/care_print.h"

#include "core/care/care_chart.h"
#include "core/pictures/printer.h"
#include "core/text/fonts.h"

#include <QFontMetricsF>

namespace care {

namespace {

constexpr double MmPerPoint = 25.4 / 72;
// The charts go onto paper as pictures of 8 pixels a millimetre (about 200 dots an inch).
constexpr double PixelsPerMm = 8;

QFont printFont(double points, bool bold = false)
{
    QFont font(QString::fromLatin1(japaneseGothicFamily()));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

double lineMm(const QFont &font) { return font.pointSizeF() * MmPerPoint * 1.4; }

// A chart drawn at the size it takes on paper, its type 3.2 mm high.
QImage paperChart(QSizeF mm, const std::function<void(QPainter &, const QRectF &, const QFont &)> &draw)
{
    const QFont font = chartFont(int(3.2 * PixelsPerMm));
    return chartImage((mm * PixelsPerMm).toSize(),
                      [&](QPainter &painter, const QRectF &target) { draw(painter, target, font); });
}

// The pieces of the parts joined by a full-width space that fit across widthMm, broken between
// parts where it can, inside a part too long for a line of its own.
QStringList wrapParts(const QStringList &parts, const QFont &font, double widthMm)
{
    const QFontMetricsF metrics(font);
    const double width = widthMm * metrics.fontDpi() / 25.4;
    QStringList lines;
    QString current;
    for (const QString &part : parts) {
        const QString joined = current.isEmpty() ? part : current + QStringLiteral("　") + part;
        if (metrics.horizontalAdvance(joined) <= width) {
            current = joined;
            continue;
        }
        if (!current.isEmpty())
            lines.append(current);
        current = part;
        while (metrics.horizontalAdvance(current) > width && current.size() > 1) {
            qsizetype n = 1;
            while (n < current.size() && metrics.horizontalAdvance(current.left(n + 1)) <= width)
                ++n;
            if (n < current.size() && current[n].isLowSurrogate())
                --n;
            lines.append(current.left(n));
            current = current.mid(n);
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    return lines;
}

struct PrintLine {
    QFont font;
    QString text;
    bool keepWithNext = false; // a day's date stays on the page of its first line
};

// Lines under each other from top, on as many pages as they need; with no printer, counts the
// pages only.
int flow(Printer *printer, const QList<PrintLine> &lines, double top, double pageHeight)
{
    int pages = 1;
    double y = top;
    for (int i = 0; i < lines.size(); ++i) {
        double need = lineMm(lines[i].font);
        if (lines[i].keepWithNext && i + 1 < lines.size())
            need += lineMm(lines[i + 1].font);
        if (y + need > pageHeight && y > 0) {
            ++pages;
            y = 0;
            if (printer)
                printer->newPage();
        }
        if (printer && !lines[i].text.isEmpty()) {
            printer->setFont(lines[i].font);
            printer->drawText(QPointF(0, y), lines[i].text);
        }
        y += lineMm(lines[i].font);
    }
    return pages;
}

QList<PrintLine> visitLines(const VisitPrint &visit, double listPoints, double widthMm)
{
    QList<PrintLine> lines;
    const QDate first = visit.last.addDays(1 - VisitDays);
    for (QDate day = first; day <= visit.last; day = day.addDays(1)) {
        lines.append({printFont(listPoints), QString(), false}); // a space between the days
        lines.append({printFont(10.5, true), rhythmDayLabel(day), true});
        const QString totals = totalsLine(totalsOf(visit.entries, day, visit.dayStartHour, visit.now));
        if (totals.isEmpty()) {
            lines.append({printFont(listPoints), QStringLiteral("記録なし"), false});
            continue;
        }
        for (const QString &l : wrapParts({totals}, printFont(9), widthMm))
            lines.append({printFont(9), l, false});
        QStringList parts;
        for (const Entry &e : entriesOfDay(visit.entries, day, visit.dayStartHour))
            parts.append(entryText(e));
        for (const QString &l : wrapParts(parts, printFont(listPoints), widthMm))
            lines.append({printFont(listPoints), l, false});
    }
    return lines;
}

} // namespace

QString periodLabel(QDate first, QDate last)
{
    return first.toString(QStringLiteral("yyyy/M/d")) + QStringLiteral("〜") +
           last.toString(QStringLiteral("yyyy/M/d"));
}

QString csvFileName(QDate from, QDate to)
{
    return QStringLiteral("お世話記録_%1-%2.csv")
        .arg(from.toString(QStringLiteral("yyyyMMdd")), to.toString(QStringLiteral("yyyyMMdd")));
}

QString entryText(const Entry &entry)
{
    QString text = entry.time.toString(QStringLiteral("HH:mm")) + u' ' + kindName(entry.kind);
    if (!entry.amount.isEmpty()) {
        const QString unit = entry.kind == Kind::Formula || entry.kind == Kind::Pumped ? QStringLiteral("ml")
                             : entry.kind == Kind::Temperature                         ? QStringLiteral("℃")
                                                                                       : QString();
        text += u' ' + entry.amount + unit;
    }
    if (entry.end)
        text += QStringLiteral(" 〜") + entry.end->toString(QStringLiteral("HH:mm"));
    else if (entry.running)
        text += QStringLiteral(" 〜（計測中）");
    if (!entry.note.isEmpty())
        text += QStringLiteral(" ") + entry.note;
    return text;
}

QString printCharts(Printer &printer, const QList<RhythmRow> &rows, int dayStartHour, const QString &nickname)
{
    if (rows.isEmpty())
        return {};
    if (!printer.begin(QStringLiteral("生活リズム")))
        return QStringLiteral("印刷を始められませんでした。");
    const QSizeF page = printer.pageSizeMm();
    printer.setColor(Qt::black);
    printer.setFont(printFont(16, true));
    printer.drawText({0, 0}, QStringLiteral("生活リズム（%1）").arg(nickname));
    printer.setFont(printFont(11));
    printer.drawText({0, 9}, periodLabel(rows.first().day, rows.last().day));
    const double top = 17, gap = 5;
    const double temperatureHeight = std::min(70.0, (page.height() - top) * 0.28);
    const QSizeF rhythmSize(page.width(), page.height() - top - gap - temperatureHeight);
    printer.drawImage(QRectF(QPointF(0, top), rhythmSize),
                      paperChart(rhythmSize, [&](QPainter &p, const QRectF &r, const QFont &f) {
                          drawRhythm(p, r, rows, dayStartHour, f);
                      }));
    const QSizeF temperatureSize(page.width(), temperatureHeight);
    printer.drawImage(QRectF(QPointF(0, top + rhythmSize.height() + gap), temperatureSize),
                      paperChart(temperatureSize, [&](QPainter &p, const QRectF &r, const QFont &f) {
                          drawTemperatures(p, r, rows, f);
                      }));
    return printer.end();
}

QString printVisit(Printer &printer, const VisitPrint &visit)
{
    if (!printer.begin(QStringLiteral("受診用の記録")))
        return QStringLiteral("印刷を始められませんでした。");
    const QSizeF page = printer.pageSizeMm();
    const QDate first = visit.last.addDays(1 - VisitDays);
    printer.setColor(Qt::black);
    printer.setFont(printFont(16, true));
    printer.drawText({0, 0}, QStringLiteral("受診用の記録"));
    printer.setFont(printFont(11));
    printer.drawText({0, 9}, QStringLiteral("%1　%2").arg(visit.nickname, periodLabel(first, visit.last)));
    const QSizeF chartSize(page.width(), 55);
    const QList<RhythmRow> rows = rhythmOf(visit.entries, first, VisitDays, visit.dayStartHour, visit.now);
    printer.drawImage(QRectF(QPointF(0, 17), chartSize),
                      paperChart(chartSize, [&](QPainter &p, const QRectF &r, const QFont &f) {
                          drawTemperatures(p, r, rows, f);
                      }));
    const double top = 17 + chartSize.height() + 2;
    // The largest type for the list that keeps the week on two pages.
    QList<PrintLine> lines;
    for (double points : {9.0, 8.0, 7.0, 6.0, 5.0}) {
        lines = visitLines(visit, points, page.width());
        if (flow(nullptr, lines, top, page.height()) <= 2)
            break;
    }
    flow(&printer, lines, top, page.height());
    return printer.end();
}

} // namespace care
