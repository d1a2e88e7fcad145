#pragma once

#include "common/printer.h"

// The real printer: the default printer when one is configured, else a PDF file in the
// notebook folder.
class QtPrinter : public Printer
{
public:
    explicit QtPrinter(const QString &notebookDir) : m_notebookDir(notebookDir) {}

    bool begin(const QString &documentName) override;
    QSizeF pageSizeMm() const override;
    void setFont(const QFont &font) override;
    void setColor(const QColor &color) override;
    void drawText(const QPointF &positionMm, const QString &text) override;
    void drawImage(const QRectF &targetMm, const QImage &image) override;
    void newPage() override;
    QString end() override;

private:
    QString m_notebookDir;
};
