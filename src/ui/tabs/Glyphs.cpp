#include "ui/tabs/Glyphs.h"

#include <QPainter>
#include <QPixmap>

namespace alvetra::glyphs {

namespace {

QPixmap blank()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QIcon redDot()
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shade(QPointF(6, 6), 8);
    shade.setColorAt(0, QColor(255, 150, 150));
    shade.setColorAt(1, QColor(190, 0, 0));
    p.setPen(QPen(QColor(90, 0, 0), 1));
    p.setBrush(shade);
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    return QIcon(pixmap);
}

QIcon clearCode()
{
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
    return QIcon(pixmap);
}

} // namespace alvetra::glyphs
