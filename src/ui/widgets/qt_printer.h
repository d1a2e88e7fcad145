#pragma once

#include "core/pictures/printer.h"
#include "core/files/user_folders.h"

#include <memory>

class QPainter;
class QPrinter;

class Clock;

// The folder for a PDF of a notebook's print: documentsFolder(), unless that is the notebook
// folder or lies inside it (a synced, backed-up folder), then the folder the notebook is in.
QString pdfFolderFor(const QString &notebookDir);

// The real printer: the default printer when one is configured (through CUPS), else a PDF
// file in pdfFolderFor(the notebook folder), named after the document and the time.

class QtPrinter : public Printer
{
public:
    enum class Target {
        DefaultPrinter, // a PDF file only when no printer is configured
        PdfFile,        // always a PDF file
    };
    // A PDF is named by the clock's time (the system's when none is given); pdfDir, when
    // given, is where it goes instead of pdfFolderFor(notebookDir).
    explicit QtPrinter(const QString &notebookDir, Target target = Target::DefaultPrinter,
                       const Clock *clock = nullptr, const QString &pdfDir = QString());
    ~QtPrinter() override;

    void setLandscape(bool landscape) override;
    void setColorOutput(bool color) override { m_colorOutput = color; }
    bool begin(const QString &documentName) override;
    QSizeF pageSizeMm() const override;
    void setFont(const QFont &font) override;
    void setColor(const QColor &color) override;
    void drawText(const QPointF &positionMm, const QString &text) override;
    void drawImage(const QRectF &targetMm, const QImage &image) override;
    void newPage() override;
    QString end() override;

    // The PDF file of the last document that went to a file, "" when it went to a printer.
    QString pdfPath() const { return m_pdfPath; }

private:
    QPointF toDevice(const QPointF &mm) const;
    QString freePdfPath(const QString &documentName) const;

    QString m_notebookDir;
    QString m_pdfDir;
    const Clock *m_clock = nullptr;
    Target m_target;
    bool m_landscape = false;
    bool m_colorOutput = false;
    QFont m_font;
    QColor m_color = Qt::black;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    QString m_pdfPath;
};
