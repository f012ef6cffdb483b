#include "ui/ToolGlyphs.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace alvetra::toolglyphs {

namespace {

using Drawing = std::function<void(QPainter &)>;

QImage drawGlyph(const Drawing &draw)
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    draw(painter);
    return image;
}

// The disabled form: grey, lighter, keeping the shape.
QImage greyed(const QImage &image)
{
    QImage grey = image;
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            const QColor c = QColor::fromRgba(image.pixel(x, y));
            const int level = 128 + qGray(c.rgb()) / 2;
            grey.setPixelColor(x, y, QColor(level, level, level, c.alpha()));
        }
    }
    return grey;
}

QIcon makeIcon(const Drawing &draw)
{
    const QImage image = drawGlyph(draw);
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(image), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(greyed(image)), QIcon::Disabled);
    return icon;
}

void folder(QPainter &p)
{
    p.setPen(QColor(120, 90, 0));
    p.setBrush(QColor(240, 200, 60));
    p.drawRect(QRectF(1.5, 4.5, 12, 9));
    p.drawRect(QRectF(1.5, 3.0, 5, 2));
    p.setBrush(QColor(255, 225, 110));
    QPolygonF front{{3.5, 7.5}, {15.0, 7.5}, {13.0, 13.5}, {1.5, 13.5}};
    p.drawPolygon(front);
}

void floppy(QPainter &p)
{
    p.setPen(QColor(20, 30, 90));
    p.setBrush(QColor(50, 80, 190));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(3.5, 9.5, 9, 5));
    p.fillRect(QRectF(9, 2.5, 1.5, 3), QColor(50, 80, 190));
}

void exitDoor(QPainter &p)
{
    p.setPen(QColor(90, 50, 10));
    p.setBrush(QColor(170, 110, 50));
    p.drawRect(QRectF(1.5, 1.5, 8, 13));
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(QPointF(6, 8), QPointF(14, 8));
    p.drawLine(QPointF(11, 5), QPointF(14, 8));
    p.drawLine(QPointF(11, 11), QPointF(14, 8));
}

void portReset(QPainter &p)
{
    // A serial plug with a circular arrow around it.
    p.setPen(QPen(QColor(0, 110, 0), 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(1.5, 1.5, 13, 13), 60 * 16, 300 * 16);
    p.setBrush(QColor(0, 110, 0));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF{{9.0, 0.0}, {13.5, 2.0}, {9.5, 5.0}});
    p.setPen(QColor(40, 40, 40));
    p.setBrush(QColor(120, 120, 140));
    p.drawRect(QRectF(5.5, 5.5, 5, 5));
}

void writeArrow(QPainter &p)
{
    // Into the unit: a red arrow down onto a chip.
    p.setPen(QColor(30, 30, 30));
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(2.5, 11.5, 11, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 0, 0));
    p.drawPolygon(QPolygonF{{6, 1}, {10, 1}, {10, 6}, {13, 6}, {8, 11}, {3, 6}, {6, 6}});
}

void readArrow(QPainter &p)
{
    // Out of the unit: a blue arrow up from a chip.
    p.setPen(QColor(30, 30, 30));
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(2.5, 11.5, 11, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 70, 200));
    p.drawPolygon(QPolygonF{{8, 0}, {13, 5}, {10, 5}, {10, 10}, {6, 10}, {6, 5}, {3, 5}});
}

void manual(QPainter &p)
{
    p.setPen(QColor(40, 40, 80));
    p.setBrush(QColor(250, 250, 240));
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    p.setPen(QColor(0, 0, 160));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(2, 1, 12, 14), Qt::AlignCenter, QStringLiteral("?"));
}

void unusedGlyph(QPainter &p)
{
    p.setPen(QColor(90, 90, 90));
    p.drawRect(QRectF(3.5, 3.5, 9, 9));
}

void plug(QPainter &p)
{
    p.setPen(QColor(30, 30, 30));
    p.setBrush(QColor(90, 90, 110));
    p.drawRoundedRect(QRectF(1.5, 5.5, 8, 6), 1.5, 1.5);
    p.setPen(QPen(QColor(200, 160, 0), 1.5));
    p.drawLine(QPointF(9.5, 7), QPointF(14, 7));
    p.drawLine(QPointF(9.5, 10), QPointF(14, 10));
    p.setPen(QPen(QColor(0, 150, 0), 1.5));
    p.drawLine(QPointF(1, 8.5), QPointF(0, 8.5));
}

void writeAllGlyph(QPainter &p)
{
    writeArrow(p);
    p.setPen(QPen(QColor(210, 0, 0), 1.2));
    p.drawLine(QPointF(1, 3), QPointF(4, 3));
    p.drawLine(QPointF(12, 3), QPointF(15, 3));
}

void backupPages(QPainter &p)
{
    // The copies kept of every read: a page behind a page.
    p.setPen(QColor(60, 60, 90));
    p.setBrush(QColor(205, 210, 225));
    p.drawRect(QRectF(5.5, 1.5, 9, 11));
    p.setBrush(QColor(250, 250, 240));
    p.drawRect(QRectF(1.5, 4.5, 9, 11));
    p.setPen(QColor(110, 110, 150));
    for (const qreal y : {7.5, 9.5, 11.5, 13.5})
        p.drawLine(QPointF(3.5, y), QPointF(8.5, y));
}

void sheetWithSeal(QPainter &p)
{
    // The installation sheet: a written page with the workshop's red seal.
    p.setPen(QColor(40, 40, 80));
    p.setBrush(QColor(250, 250, 240));
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    p.setPen(QColor(110, 110, 150));
    for (const qreal y : {4.5, 6.5, 8.5})
        p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30));
    p.drawEllipse(QPointF(10.5, 11.5), 2.8, 2.8);
}

} // namespace

QIcon icon(Glyph glyph)
{
    switch (glyph) {
    case OpenSettings:
        return makeIcon(folder);
    case SaveSettings:
        return makeIcon(floppy);
    case Exit:
        return makeIcon(exitDoor);
    case PortReset:
        return makeIcon(portReset);
    case Unused:
        return makeIcon(unusedGlyph);
    case Write:
        return makeIcon(writeArrow);
    case Read:
        return makeIcon(readArrow);
    case Manual:
        return makeIcon(manual);
    }
    return {};
}

QIcon connect()
{
    return makeIcon(plug);
}

QIcon writeAll()
{
    return makeIcon(writeAllGlyph);
}

QIcon backups()
{
    return makeIcon(backupPages);
}

QIcon installationSheet()
{
    return makeIcon(sheetWithSeal);
}

QImage logo(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.scale(size.width() / 758.0, size.height() / 213.0);
    QLinearGradient sky(0, 0, 0, 213);
    sky.setColorAt(0, QColor(20, 40, 90));
    sky.setColorAt(1, QColor(70, 110, 180));
    p.fillRect(QRect(0, 0, 758, 213), sky);
    // A shield with a key hole: the alarm that guards the car.
    QPainterPath shield;
    shield.moveTo(60, 25);
    shield.lineTo(160, 25);
    shield.lineTo(160, 110);
    shield.quadTo(160, 170, 110, 195);
    shield.quadTo(60, 170, 60, 110);
    shield.closeSubpath();
    p.setPen(QPen(QColor(240, 240, 240), 8));
    p.setBrush(QColor(200, 30, 30));
    p.drawPath(shield);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 240, 240));
    p.drawEllipse(QPointF(110, 90), 18, 18);
    p.drawPolygon(QPolygonF{{100, 100}, {120, 100}, {126, 150}, {94, 150}});
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(120);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(250, 250, 250));
    p.drawText(QRectF(190, 10, 560, 150), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ALVETRA"));
    font.setPixelSize(34);
    font.setBold(false);
    p.setFont(font);
    p.setPen(QColor(200, 220, 255));
    p.drawText(QRectF(196, 150, 560, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("programator centrali alarmowej"));
    return image;
}

} // namespace alvetra::toolglyphs
