#include "ui/tabs/LockDiagramArt.h"

#include <QDir>
#include <QFont>
#include <QPainter>
#include <array>
#include <vector>

namespace alvetra::lockdiagram {

namespace {

struct Segment {
    const char *label;
    bool pulse;   // a pulse (high level) or a pause (low level) between pulses
    int width;
};

constexpr int kLead = 6;
constexpr int kHigh = 4;    // y of the high level
constexpr int kLow = 17;    // y of the low level
constexpr QRgb kRed = 0xFFD00000;
const QColor kInk(0, 0, 96);
const QColor kHighlightFill(255, 200, 200);
const QColor kPaper(255, 255, 250);

const std::vector<Segment> &openingSegments()
{
    static const std::vector<Segment> s = {{"A", true, 44}, {"B1", false, 38}, {"C1", true, 44}};
    return s;
}

const std::vector<Segment> &closingSegments()
{
    static const std::vector<Segment> s = {
        {"A", true, 44}, {"B2", false, 36}, {"C2", true, 44}, {"D2", false, 36}, {"E2", true, 44}};
    return s;
}

SegmentSpan spanOf(const std::vector<Segment> &segments, int index)
{
    int x = kLead;
    for (int i = 0; i < index; ++i)
        x += segments[static_cast<std::size_t>(i)].width;
    return {x, x + segments[static_cast<std::size_t>(index)].width};
}

QImage draw(int width, const std::vector<Segment> &segments, int highlight)
{
    QImage image(width, kHeight, QImage::Format_RGB32);
    image.fill(kPaper);
    QPainter p(&image);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(9);

    // Highlighted quantity: a tinted band behind its part of the train.
    if (highlight >= 0) {
        const SegmentSpan s = spanOf(segments, highlight);
        p.fillRect(QRect(s.left + 1, kHigh, s.right - s.left - 1, kLow - kHigh), kHighlightFill);
    }

    // The pulse train.
    int x = 0;
    int level = kLow;
    auto lineTo = [&](int nx, int nlevel, const QColor &color, int thickness) {
        p.setPen(QPen(color, thickness, Qt::SolidLine, Qt::FlatCap));
        if (nlevel != level)
            p.drawLine(x, level, x, nlevel);
        p.drawLine(x, nlevel, nx, nlevel);
        x = nx;
        level = nlevel;
    };
    lineTo(kLead, kLow, kInk, 1);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const bool lit = static_cast<int>(i) == highlight;
        const SegmentSpan s = spanOf(segments, static_cast<int>(i));
        lineTo(s.right, segments[i].pulse ? kHigh : kLow, lit ? QColor::fromRgb(kRed) : kInk, lit ? 2 : 1);
    }
    lineTo(width - 2, kLow, kInk, 1);

    // Labels under the train, and the span of each quantity.
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const bool lit = static_cast<int>(i) == highlight;
        const SegmentSpan s = spanOf(segments, static_cast<int>(i));
        const QColor color = lit ? QColor::fromRgb(kRed) : kInk;
        p.setPen(QPen(color, 1));
        p.drawLine(s.left + 1, kLow + 3, s.right - 1, kLow + 3);
        font.setBold(lit);
        p.setFont(font);
        p.fillRect(QRect(s.left + (s.right - s.left) / 2 - 8, kLow + 1, 16, 10), lit ? kHighlightFill : kPaper);
        p.drawText(QRect(s.left, kLow + 1, s.right - s.left, kHeight - kLow - 1), Qt::AlignCenter,
                   QString::fromLatin1(segments[i].label));
    }
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.drawRect(0, 0, width - 1, kHeight - 1);
    p.end();
    // Windows bitmaps of 256 colours, as the lock tab's pictures have always been.
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}

} // namespace

int highlightedSegment(int variant)
{
    if (variant == 0)
        return 0;
    if (variant == 1)
        return kNoHighlight;
    return variant - 1;
}

QImage opening(int variant)
{
    return draw(kOpeningWidth, openingSegments(), highlightedSegment(variant));
}

QImage closing(int variant)
{
    return draw(kClosingWidth, closingSegments(), highlightedSegment(variant));
}

QString openingFile(int variant)
{
    return QStringLiteral("Otworz%1.bmp").arg(variant);
}

QString closingFile(int variant)
{
    return QStringLiteral("Zamknij%1.bmp").arg(variant);
}

SegmentSpan openingSpan(int segment)
{
    return spanOf(openingSegments(), segment);
}

SegmentSpan closingSpan(int segment)
{
    return spanOf(closingSegments(), segment);
}

QRgb highlightColor()
{
    return kRed;
}

bool writeAll(const QString &folder, QString *error)
{
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    const QDir dir(folder);
    auto save = [&](const QImage &image, const QString &name) {
        if (image.save(dir.filePath(name), "BMP"))
            return true;
        if (error)
            *error = QStringLiteral("cannot write %1").arg(dir.filePath(name));
        return false;
    };
    for (int v = 0; v < kOpeningVariants; ++v)
        if (!save(opening(v), openingFile(v)))
            return false;
    for (int v = 0; v < kClosingVariants; ++v)
        if (!save(closing(v), closingFile(v)))
            return false;
    return true;
}

} // namespace alvetra::lockdiagram
