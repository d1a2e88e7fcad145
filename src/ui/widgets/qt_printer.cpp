#include "ui/widgets/qt_printer.h"

#include "core/files/clock.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
constexpr double MmPerInch = 25.4;
}

QString pdfFolderFor(const QString &notebookDir)
{
    const QString documents = QFileInfo(documentsFolder()).canonicalFilePath();
    const QString notebook = QFileInfo(notebookDir).canonicalFilePath();
    if (notebook.isEmpty() || (documents != notebook && !documents.startsWith(notebook + u'/')))
        return documentsFolder();
    return QFileInfo(notebook).absolutePath();
}

QtPrinter::QtPrinter(const QString &notebookDir, Target target, const Clock *clock, const QString &pdfDir)
    : m_notebookDir(notebookDir), m_pdfDir(pdfDir), m_clock(clock), m_target(target)
{
}

QtPrinter::~QtPrinter()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

void QtPrinter::setLandscape(bool landscape) { m_landscape = landscape; }

bool QtPrinter::begin(const QString &documentName)
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
    m_pdfPath.clear();
    const bool landscape = m_landscape;
    m_landscape = false;

    const QPrinterInfo info =
        m_target == Target::DefaultPrinter ? QPrinterInfo::defaultPrinter() : QPrinterInfo();
    m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    m_printer->setDocName(documentName);
    if (info.isNull()) {
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setPageSize(QPageSize(QPageSize::A4));
        m_printer->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        m_pdfPath = freePdfPath(documentName);
        m_printer->setOutputFileName(m_pdfPath);
    }
    m_printer->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (m_colorOutput)
        m_printer->setColorMode(QPrinter::Color);
    m_colorOutput = false;

    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_printer.get())) {
        m_painter.reset();
        m_printer.reset();
        m_pdfPath.clear();
        return false;
    }
    m_painter->setRenderHint(QPainter::Antialiasing);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter->setFont(m_font);
    m_painter->setPen(m_color);
    return true;
}

QSizeF QtPrinter::pageSizeMm() const
{
    if (m_printer)
        return m_printer->pageLayout().paintRect(QPageLayout::Millimeter).size();
    // Before a document: A4 within 10 mm margins.
    return m_landscape ? QSizeF(277, 190) : QSizeF(190, 277);
}

void QtPrinter::setFont(const QFont &font)
{
    m_font = font;
    if (m_painter)
        m_painter->setFont(font);
}

void QtPrinter::setColor(const QColor &color)
{
    m_color = color;
    if (m_painter)
        m_painter->setPen(color);
}

QPointF QtPrinter::toDevice(const QPointF &mm) const
{
    const double k = m_printer->resolution() / MmPerInch;
    return {mm.x() * k, mm.y() * k};
}

void QtPrinter::drawText(const QPointF &positionMm, const QString &text)
{
    if (!m_painter)
        return;
    const QFontMetricsF metrics(m_painter->font(), m_printer.get());
    m_painter->drawText(toDevice(positionMm) + QPointF(0, metrics.ascent()), text);
}

void QtPrinter::drawImage(const QRectF &targetMm, const QImage &image)
{
    if (!m_painter)
        return;
    m_painter->drawImage(QRectF(toDevice(targetMm.topLeft()), toDevice(targetMm.bottomRight())), image);
}

void QtPrinter::newPage()
{
    if (m_printer && m_painter)
        m_printer->newPage();
}

QString QtPrinter::end()
{
    if (!m_painter)
        return {};
    m_painter->end();
    m_painter.reset();
    m_printer.reset();
    if (m_pdfPath.isEmpty())
        return {};
    return QStringLiteral(
               "プリンターが設定されていないため、印刷の内容を PDF ファイルに保存しました。\r\n\r\n%1")
        .arg(QDir::toNativeSeparators(m_pdfPath));
}

QString QtPrinter::freePdfPath(const QString &documentName) const
{
    QString base = documentName;
    for (QChar c : QStringLiteral("\\/:*?\"<>|"))
        base.remove(c);
    base = base.trimmed();
    // A file name holds at most 255 bytes: the date, a number and ".pdf" need about 30 of them.
    while (base.toUtf8().size() > 220)
        base.chop(base.size() >= 2 && base.back().isLowSurrogate() ? 2 : 1);
    if (base.isEmpty())
        base = QStringLiteral("印刷");
    const QString stem = QDir(m_pdfDir.isEmpty() ? pdfFolderFor(m_notebookDir) : m_pdfDir)
                             .filePath(base + u'_' +
                                       (m_clock ? m_clock->now() : QDateTime::currentDateTime())
                                           .toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString path = stem + QStringLiteral(".pdf");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QStringLiteral("-%1.pdf").arg(n);
    return path;
}
