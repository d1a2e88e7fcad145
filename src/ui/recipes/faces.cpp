#include "ui/recipes/faces.h"

#include "core/recipes/recipe_store.h"

#include <QPainter>
#include <QPainterPath>

QString faceName(FaceRow row, int index)
{
    return (row == FaceRow::Self ? QStringLiteral("自己評価 ") : QStringLiteral("子供評価 ")) +
           evalLetters().value(index);
}

QPixmap facePicture(FaceRow row, int index, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    const bool notYet = index == 3;
    const bool child = row == FaceRow::Child;
    // The cook is a round yellow face with a cap; the child a pink baby face with a curl.
    const QColor skin = notYet  ? QColor(225, 225, 225)
                        : child ? QColor(255, 214, 204)
                                : QColor(255, 224, 110);
    const QColor line = notYet ? QColor(150, 150, 150) : QColor(110, 70, 40);
    p.setPen(QPen(line, 2.5));
    p.setBrush(skin);
    p.drawEllipse(QRectF(6, 8, 52, 52));

    if (child) {
        QPainterPath curl;
        curl.moveTo(32, 9);
        curl.cubicTo(28, 1, 40, 0, 38, 7);
        p.setBrush(Qt::NoBrush);
        p.drawPath(curl);
    } else {
        p.setBrush(notYet ? QColor(240, 240, 240) : Qt::white);
        p.drawChord(QRectF(14, 0, 36, 22), 0, 180 * 16);
    }

    // Cheeks for a happy face.
    if (index <= 1) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 130, 130, 150));
        p.drawEllipse(QRectF(11, 38, 10, 7));
        p.drawEllipse(QRectF(43, 38, 10, 7));
    }

    p.setPen(QPen(line, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(line);
    switch (index) {
    case 0: // laughing: closed happy eyes, wide open mouth
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(17, 27, 10, 8), 0, 180 * 16);
        p.drawArc(QRectF(37, 27, 10, 8), 0, 180 * 16);
        p.setBrush(QColor(220, 50, 60));
        p.drawChord(QRectF(20, 32, 24, 20), 180 * 16, 180 * 16);
        break;
    case 1: // smiling
        p.drawEllipse(QRectF(20, 28, 5, 6));
        p.drawEllipse(QRectF(39, 28, 5, 6));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(22, 34, 20, 13), 200 * 16, 140 * 16);
        break;
    case 2: // not pleased: a straight mouth turned down at its ends
        p.drawEllipse(QRectF(20, 29, 5, 5));
        p.drawEllipse(QRectF(39, 29, 5, 5));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(24, 46), QPointF(40, 46));
        p.drawLine(QPointF(24, 46), QPointF(21, 49));
        p.drawLine(QPointF(40, 46), QPointF(43, 49));
        break;
    default: { // not evaluated yet: a blank face with a question mark
        QFont f = p.font();
        f.setPixelSize(28);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(6, 12, 52, 48), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    }
    return pm;
}
