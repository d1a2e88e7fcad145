#include "common/qt_printer.h"

// Printing comes with the screen-printing command.
bool QtPrinter::begin(const QString &) { return false; }
QSizeF QtPrinter::pageSizeMm() const { return QSizeF(210, 297); }
void QtPrinter::setFont(const QFont &) {}
void QtPrinter::setColor(const QColor &) {}
void QtPrinter::drawText(const QPointF &, const QString &) {}
void QtPrinter::drawImage(const QRectF &, const QImage &) {}
void QtPrinter::newPage() {}
QString QtPrinter::end() { return {}; }
