#include "ui/shell/splash_screen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

// Image1: a baby's face; Image2: a rattle. Drawn here, no files needed.
QPixmap babyFace()
{
    QPixmap pm(96, 96);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 150, 120), 2));
    p.setBrush(QColor(255, 226, 200));
    p.drawEllipse(QRectF(8, 10, 80, 78));
    p.setBrush(QColor(90, 60, 50));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(30, 40, 8, 10));
    p.drawEllipse(QRectF(58, 40, 8, 10));
    p.setBrush(QColor(255, 170, 170));
    p.drawEllipse(QRectF(20, 55, 14, 9));
    p.drawEllipse(QRectF(62, 55, 14, 9));
    p.setPen(QPen(QColor(180, 90, 90), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(38, 54, 20, 14), 200 * 16, 140 * 16);
    QPainterPath curl;
    curl.moveTo(48, 12);
    curl.cubicTo(40, 0, 60, 2, 52, 14);
    p.setPen(QPen(QColor(120, 80, 60), 2.5));
    p.drawPath(curl);
    return pm;
}

QPixmap rattle()
{
    QPixmap pm(96, 96);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(230, 150, 60), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(50, 50), QPointF(80, 84));
    p.setPen(QPen(QColor(200, 110, 160), 2));
    p.setBrush(QColor(255, 200, 230));
    p.drawEllipse(QRectF(14, 12, 46, 46));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QRectF(26, 24, 12, 12));
    p.setBrush(QColor(190, 230, 255));
    p.drawEllipse(QRectF(38, 36, 12, 12));
    return pm;
}

} // namespace

SplashScreen::SplashScreen(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 248, 236));
    setPalette(pal);

    auto *image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(babyFace());
    auto *image2 = new QLabel(this);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setPixmap(rattle());
    m_nicknameLabel = new QLabel(QStringLiteral("ちゃんの"), this);
    m_nicknameLabel->setObjectName(QStringLiteral("lblNamae"));
    QFont big = m_nicknameLabel->font();
    big.setPointSize(18);
    big.setBold(true);
    m_nicknameLabel->setFont(big);
    auto *title = new QLabel(QStringLiteral("育児手帖"), this);
    title->setFont(big);
    auto *label1 = new QLabel(QStringLiteral("☆  データ読み込み中です  ☆"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setAlignment(Qt::AlignCenter);

    auto *names = new QVBoxLayout;
    names->addStretch();
    names->addWidget(m_nicknameLabel, 0, Qt::AlignCenter);
    names->addWidget(title, 0, Qt::AlignCenter);
    names->addStretch();
    auto *row = new QHBoxLayout;
    row->addWidget(image1);
    row->addLayout(names, 1);
    row->addWidget(image2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addLayout(row);
    layout->addWidget(label1);
    setFixedSize(sizeHint().expandedTo(QSize(420, 200)));
}

void SplashScreen::setNickname(const QString &nickname)
{
    m_nicknameLabel->setText(nickname + QStringLiteral("の"));
}
