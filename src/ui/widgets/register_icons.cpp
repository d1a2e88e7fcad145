#include "ui/widgets/register_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace {

void drawAdd(QPainter &p)
{
    // A page with a pencil.
    p.setPen(QPen(QColor(90, 110, 140), 1.5));
    p.setBrush(QColor(250, 250, 240));
    p.drawRoundedRect(QRectF(4, 3, 17, 22), 2, 2);
    p.setPen(QPen(QColor(170, 180, 200), 1));
    for (int y = 9; y <= 19; y += 5)
        p.drawLine(QPointF(7, y), QPointF(17, y));
    p.save();
    p.translate(19, 17);
    p.rotate(45);
    p.setPen(QPen(QColor(120, 70, 10), 1));
    p.setBrush(QColor(255, 190, 60));
    p.drawRect(QRectF(-3, -11, 6, 15));
    p.setBrush(QColor(240, 210, 170));
    QPainterPath tip;
    tip.moveTo(-3, 4);
    tip.lineTo(3, 4);
    tip.lineTo(0, 9);
    tip.closeSubpath();
    p.drawPath(tip);
    p.restore();
}

void drawDeleteChosen(QPainter &p)
{
    // Rows with the chosen one crossed out.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 210, 225));
    p.drawRect(QRectF(3, 4, 18, 4));
    p.drawRect(QRectF(3, 20, 18, 4));
    p.setBrush(QColor(120, 160, 230));
    p.drawRect(QRectF(3, 12, 18, 4));
    p.setPen(QPen(QColor(210, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 9), QPointF(26, 19));
    p.drawLine(QPointF(26, 9), QPointF(17, 19));
}

void drawDeleteAll(QPainter &p)
{
    // A waste basket.
    p.setPen(QPen(QColor(80, 80, 90), 1.5));
    p.setBrush(QColor(190, 195, 205));
    p.drawRect(QRectF(5, 6, 18, 3));
    p.drawRect(QRectF(11, 3, 6, 3));
    QPainterPath body;
    body.moveTo(7, 10);
    body.lineTo(21, 10);
    body.lineTo(19.5, 26);
    body.lineTo(8.5, 26);
    body.closeSubpath();
    p.setBrush(QColor(225, 228, 235));
    p.drawPath(body);
    for (qreal x : {11.0, 14.0, 17.0})
        p.drawLine(QPointF(x, 13), QPointF(x, 23));
}

void drawAnniversary(QPainter &p)
{
    // A star over a calendar leaf.
    p.setPen(QPen(QColor(150, 60, 80), 1.2));
    p.setBrush(QColor(255, 245, 245));
    p.drawRoundedRect(QRectF(3, 5, 22, 20), 2, 2);
    p.setBrush(QColor(230, 90, 110));
    p.drawRect(QRectF(3, 5, 22, 5));
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 == 0 ? 7.5 : 3.2;
        const qreal a = qDegreesToRadians(-90.0 + i * 36.0);
        const QPointF pt(14 + r * qCos(a), 18 + r * qSin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(190, 130, 0), 1));
    p.setBrush(QColor(255, 205, 40));
    p.drawPath(star);
}

} // namespace

QIcon registerIcon(RegisterIcon kind)
{
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pm(28 * scale, 28 * scale);
        pm.setDevicePixelRatio(scale);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        switch (kind) {
        case RegisterIcon::Add:
            drawAdd(p);
            break;
        case RegisterIcon::DeleteChosen:
            drawDeleteChosen(p);
            break;
        case RegisterIcon::DeleteAll:
            drawDeleteAll(p);
            break;
        case RegisterIcon::Anniversary:
            drawAnniversary(p);
            break;
        }
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}
