#include "ui/recipe_tools/tool_widgets.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int IconSize = 32;

QPixmap blankIcon()
{
    QPixmap pm(IconSize, IconSize);
    pm.fill(Qt::transparent);
    return pm;
}

void drawFace(QPainter &p)
{
    p.setPen(QPen(QColor(120, 90, 0), 1.5));
    p.setBrush(QColor::fromRgb(0xFFE040));
    p.drawEllipse(QRectF(2, 2, 28, 28));
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(10, 10, 3.5, 4.5));
    p.drawEllipse(QRectF(18.5, 10, 3.5, 4.5));
}

} // namespace

void showValue(QLabel *label, const QString &text)
{
    label->setText(text);
    label->setAccessibleName(text);
}

QIcon narrowSearchIcon()
{
    QPixmap pm = blankIcon();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath funnel;
    funnel.moveTo(4, 6);
    funnel.lineTo(28, 6);
    funnel.lineTo(19, 17);
    funnel.lineTo(19, 27);
    funnel.lineTo(13, 24);
    funnel.lineTo(13, 17);
    funnel.closeSubpath();
    p.setPen(QPen(QColor(20, 80, 40), 1.5));
    p.setBrush(QColor(90, 190, 110));
    p.drawPath(funnel);
    return QIcon(pm);
}

QIcon wholeSearchIcon()
{
    QPixmap pm = blankIcon();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 3, 17, 21));
    for (int y = 8; y <= 19; y += 4)
        p.drawLine(QPointF(6, y), QPointF(17, y));
    p.setPen(QPen(QColor(30, 70, 160), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(22, 22), QPointF(29, 29));
    p.setPen(QPen(QColor(30, 70, 160), 2.5));
    p.setBrush(QColor(200, 225, 255, 200));
    p.drawEllipse(QRectF(12, 12, 12, 12));
    return QIcon(pm);
}

QPixmap rowIcon(RowIcon icon)
{
    QPixmap pm = blankIcon();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (icon == RowIcon::NoEntry) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor::fromRgb(0xE00000));
        p.drawEllipse(QRectF(2, 2, 28, 28));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 13.5, 18, 5));
        return pm;
    }
    drawFace(p);
    if (icon == RowIcon::Laughing) {
        QPainterPath mouth;
        mouth.moveTo(9, 18);
        mouth.quadTo(16, 30, 23, 18);
        mouth.closeSubpath();
        p.setPen(QPen(QColor(120, 0, 0), 1));
        p.setBrush(QColor::fromRgb(0xE02020));
        p.drawPath(mouth);
    } else if (icon == RowIcon::Smiling) {
        p.setPen(QPen(Qt::black, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(9, 12, 14, 11), 200 * 16, 140 * 16);
    } else {
        p.setPen(QPen(Qt::black, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10, 21), QPointF(22, 21));
    }
    return pm;
}

QLabel *colourSwatch(const QColor &colour, const QString &accessibleName, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setFixedSize(22, 16);
    l->setAutoFillBackground(true);
    l->setFrameShape(QFrame::Box);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, colour);
    l->setPalette(pal);
    l->setAccessibleName(accessibleName);
    return l;
}
