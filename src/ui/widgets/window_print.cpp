#include "ui/widgets/window_print.h"

#include "core/files/dialogs.h"
#include "core/pictures/printer.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace {

// The window is drawn at up to twice its size on screen so that text and lines stay sharp on
// paper; a very large window is drawn smaller, to keep the picture within reason.
constexpr qreal PrintScale = 2.0;
constexpr int LargestSide = 4000;

QImage windowImage(QWidget *window)
{
    const qreal scale =
        std::min(PrintScale, qreal(LargestSide) / std::max(window->width(), window->height()));
    QImage image(window->size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(window->palette().color(QPalette::Window));
    window->render(&image);
    image.setDevicePixelRatio(1.0);
    return image;
}

// The largest rectangle of the image's shape on the page, centred across it, at its top.
QRectF fitOnPage(const QSize &image, const QSizeF &page)
{
    const qreal scale = std::min(page.width() / image.width(), page.height() / image.height());
    const QSizeF size(image.width() * scale, image.height() * scale);
    return QRectF(QPointF((page.width() - size.width()) / 2, 0), size);
}

} // namespace

bool beginPrint(Printer &printer, Dialogs &dialogs, const QString &documentName)
{
    if (printer.begin(documentName))
        return true;
    dialogs.warning(
        QStringLiteral("印刷"),
        QStringLiteral("印刷を始められませんでした。\r\n\r\n"
                       "プリンターの設定と、手帖のフォルダーに書き込めることを確かめてください。"));
    return false;
}

void endPrint(Printer &printer, Dialogs &dialogs)
{
    const QString where = printer.end();
    if (!where.isEmpty())
        dialogs.information(QStringLiteral("印刷"), where);
}

bool printWindowImage(QWidget *window, Printer &printer, Dialogs &dialogs)
{
    if (!window || window->width() <= 0 || window->height() <= 0)
        return false;
    const QImage image = windowImage(window);
    printer.setLandscape(image.width() > image.height());
    const QString name = window->windowTitle().isEmpty() ? programTitle() : window->windowTitle();
    if (!beginPrint(printer, dialogs, name))
        return false;
    printer.drawImage(fitOnPage(image.size(), printer.pageSizeMm()), image);
    endPrint(printer, dialogs);
    return true;
}

void askAndPrintWindow(QWidget *window, Printer &printer, Dialogs &dialogs, const QString &question)
{
    if (!dialogs.confirm(QStringLiteral("印刷確認"), question, Dialogs::Icon::Warning, Dialogs::Answer::Ok))
        return;
    printWindowImage(window, printer, dialogs);
}
