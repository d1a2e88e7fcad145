#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>

// Every printed page goes through this interface. The real one prints on the default printer
// (or, without one, writes a PDF into the user's documents folder, never into the notebook
// folder, which is synced and backed up); the test one records what was drawn. Positions are
// in millimetres from the top left corner of the printable area; a text's position is the top
// left corner of its line.
class Printer
{
public:
    virtual ~Printer() = default;

    // Landscape pages for the next document only (call before begin); every other document
    // is portrait.
    virtual void setLandscape(bool landscape) { Q_UNUSED(landscape); }
    // Colour output for the next document only (call before begin); every other document
    // prints as the printer is set up.
    virtual void setColorOutput(bool color) { Q_UNUSED(color); }
    virtual bool begin(const QString &documentName) = 0;
    virtual QSizeF pageSizeMm() const = 0;
    virtual void setFont(const QFont &font) = 0;
    virtual void setColor(const QColor &color) = 0;
    virtual void drawText(const QPointF &positionMm, const QString &text) = 0;
    virtual void drawImage(const QRectF &targetMm, const QImage &image) = 0;
    virtual void newPage() = 0;
    // Ends the document; returns a sentence for the user when the pages went somewhere
    // other than a printer (a PDF file), else "".
    virtual QString end() = 0;
};
