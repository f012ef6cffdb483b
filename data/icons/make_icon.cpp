// Draws the application icon once, from one set of shapes, as an SVG file and as PNG files of the
// sizes desktops ask for.
//
//   alvetra_make_icon OUTPUT_FOLDER
// writes OUTPUT_FOLDER/alvetra.svg, OUTPUT_FOLDER/alvetra-<size>.png for every size below, and
// OUTPUT_FOLDER/alvetra.ico, Windows' icon of the executable, with the sizes Windows shows.

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr int kCanvas = 256;   // the drawing's own units
constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

struct Shape {
    QPainterPath path;
    QColor fill;
    std::optional<QColor> fillBottom;   // a top-to-bottom gradient when set
};

QPainterPath roundedSquare()
{
    QPainterPath p;
    p.addRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    return p;
}

// The alarm's shield.
QPainterPath shield()
{
    QPainterPath p(QPointF(128, 34));
    p.lineTo(206, 62);
    p.lineTo(206, 122);
    p.cubicTo(206, 172, 174, 206, 128, 226);
    p.cubicTo(82, 206, 50, 172, 50, 122);
    p.lineTo(50, 62);
    p.closeSubpath();
    return p;
}

// A car seen from the side, on the shield.
QPainterPath carBody()
{
    QPainterPath p(QPointF(72, 160));
    p.lineTo(72, 140);
    p.cubicTo(72, 134, 76, 131, 82, 130);
    p.lineTo(98, 128);
    p.lineTo(112, 106);
    p.lineTo(150, 106);
    p.lineTo(166, 128);
    p.lineTo(176, 130);
    p.cubicTo(182, 131, 184, 135, 184, 140);
    p.lineTo(184, 160);
    p.closeSubpath();
    return p;
}

QPainterPath windows()
{
    QPainterPath p(QPointF(106, 127));
    p.lineTo(116, 112);
    p.lineTo(126, 112);
    p.lineTo(126, 127);
    p.closeSubpath();
    p.moveTo(132, 127);
    p.lineTo(132, 112);
    p.lineTo(146, 112);
    p.lineTo(156, 127);
    p.closeSubpath();
    return p;
}

QPainterPath circle(double x, double y, double r)
{
    QPainterPath p;
    p.addEllipse(QPointF(x, y), r, r);
    return p;
}

std::vector<Shape> shapes()
{
    const QColor navy(0x14, 0x3a, 0x6e);
    return {
        {roundedSquare(), QColor(0x2a, 0x62, 0xa8), QColor(0x10, 0x2c, 0x54)},
        {shield(), QColor(0xf3, 0xf6, 0xfb), std::nullopt},
        {carBody(), navy, std::nullopt},
        {windows(), QColor(0xbf, 0xd4, 0xee), std::nullopt},
        {circle(98, 162, 14), QColor(0x1c, 0x1c, 0x1c), std::nullopt},
        {circle(158, 162, 14), QColor(0x1c, 0x1c, 0x1c), std::nullopt},
        {circle(98, 162, 6), QColor(0xb0, 0xb0, 0xb0), std::nullopt},
        {circle(158, 162, 6), QColor(0xb0, 0xb0, 0xb0), std::nullopt},
        // The red LED of an armed alarm.
        {circle(184, 70, 22), QColor(0xff, 0xff, 0xff), std::nullopt},
        {circle(184, 70, 16), QColor(0xe5, 0x39, 0x35), std::nullopt},
    };
}

QString svgPathData(const QPainterPath &path)
{
    QString d;
    QTextStream out(&d);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            out << (d.isEmpty() ? "" : " ") << "M" << e.x << " " << e.y;
            break;
        case QPainterPath::LineToElement:
            out << " L" << e.x << " " << e.y;
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            out << " C" << e.x << " " << e.y << " " << c2.x << " " << c2.y << " " << end.x << " " << end.y;
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    out << " Z";
    return d;
}

bool writeSvg(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kCanvas << "\" height=\"" << kCanvas
        << "\" viewBox=\"0 0 " << kCanvas << " " << kCanvas << "\">\n"
        << "  <title>Alvetra</title>\n";
    int gradients = 0;
    for (const Shape &shape : shapes()) {
        QString fill = shape.fill.name();
        if (shape.fillBottom) {
            const QString id = QStringLiteral("g%1").arg(++gradients);
            const QRectF box = shape.path.boundingRect();
            out << "  <linearGradient id=\"" << id << "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"" << box.top()
                << "\" x2=\"0\" y2=\"" << box.bottom() << "\">\n"
                << "    <stop offset=\"0\" stop-color=\"" << shape.fill.name() << "\"/>\n"
                << "    <stop offset=\"1\" stop-color=\"" << shape.fillBottom->name() << "\"/>\n"
                << "  </linearGradient>\n";
            fill = QStringLiteral("url(#%1)").arg(id);
        }
        out << "  <path fill=\"" << fill << "\" d=\"" << svgPathData(shape.path) << "\"/>\n";
    }
    out << "</svg>\n";
    out.flush();
    return file.error() == QFileDevice::NoError;
}

QImage render(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(double(size) / kCanvas, double(size) / kCanvas);
    painter.setPen(Qt::NoPen);
    for (const Shape &shape : shapes()) {
        if (shape.fillBottom) {
            const QRectF box = shape.path.boundingRect();
            QLinearGradient gradient(box.topLeft(), box.bottomLeft());
            gradient.setColorAt(0, shape.fill);
            gradient.setColorAt(1, *shape.fillBottom);
            painter.setBrush(gradient);
        } else {
            painter.setBrush(shape.fill);
        }
        painter.drawPath(shape.path);
    }
    return image;
}

void appendLittleEndian(QByteArray &out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xff));
}

// An ICO file whose pictures are PNG files, as Windows reads them since Vista: a 6-byte header,
// a 16-byte entry per picture (a size of 256 is written 0), then the pictures.
bool writeIco(const QString &path)
{
    const int sizes[] = {16, 24, 32, 48, 256};
    std::vector<QByteArray> pictures;
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!render(size).save(&buffer, "PNG"))
            return false;
        pictures.push_back(png);
    }
    QByteArray ico;
    appendLittleEndian(ico, 0, 2);
    appendLittleEndian(ico, 1, 2);   // an icon, not a cursor
    appendLittleEndian(ico, quint32(pictures.size()), 2);
    quint32 offset = quint32(6 + 16 * pictures.size());
    for (size_t i = 0; i < pictures.size(); ++i) {
        appendLittleEndian(ico, quint32(sizes[i] % 256), 1);
        appendLittleEndian(ico, quint32(sizes[i] % 256), 1);
        appendLittleEndian(ico, 0, 2);    // no palette, reserved
        appendLittleEndian(ico, 1, 2);    // planes
        appendLittleEndian(ico, 32, 2);   // bits per pixel
        appendLittleEndian(ico, quint32(pictures[i].size()), 4);
        appendLittleEndian(ico, offset, 4);
        offset += quint32(pictures[i].size());
    }
    for (const QByteArray &picture : pictures)
        ico += picture;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(ico) == ico.size() && file.flush();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    if (!writeSvg(folder.filePath(QStringLiteral("alvetra.svg")))) {
        std::fprintf(stderr, "cannot write the SVG icon\n");
        return 1;
    }
    if (!writeIco(folder.filePath(QStringLiteral("alvetra.ico")))) {
        std::fprintf(stderr, "cannot write the Windows icon\n");
        return 1;
    }
    for (int size : kSizes) {
        const QString name = folder.filePath(QStringLiteral("alvetra-%1.png").arg(size));
        if (!render(size).save(name)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}
