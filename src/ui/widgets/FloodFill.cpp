#include "ui/widgets/FloodFill.h"

#include <vector>

namespace alvetra {

namespace {

bool sameColour(QRgb a, QRgb b)
{
    return (a & RGB_MASK) == (b & RGB_MASK);
}

} // namespace

// Scan-line fill: each span of the target colour is filled in one go and the rows above and
// below it are searched for further spans, so the work list stays short even for large areas.
int floodFill(QImage &image, QPoint seed, QRgb target, QRgb replacement)
{
    Q_ASSERT(image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32);
    if (!image.rect().contains(seed) || sameColour(target, replacement))
        return 0;
    if (!sameColour(image.pixel(seed), target))
        return 0;

    const int width = image.width();
    const int height = image.height();
    int changed = 0;
    std::vector<QPoint> todo{seed};
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(p.y()));
        if (!sameColour(row[p.x()], target))
            continue;
        int left = p.x();
        while (left > 0 && sameColour(row[left - 1], target))
            --left;
        int right = p.x();
        while (right + 1 < width && sameColour(row[right + 1], target))
            ++right;
        for (int x = left; x <= right; ++x)
            row[x] = replacement;
        changed += right - left + 1;
        for (int ny : {p.y() - 1, p.y() + 1}) {
            if (ny < 0 || ny >= height)
                continue;
            const auto *other = reinterpret_cast<const QRgb *>(image.constScanLine(ny));
            bool inSpan = false;
            for (int x = left; x <= right; ++x) {
                const bool match = sameColour(other[x], target);
                if (match && !inSpan)
                    todo.emplace_back(x, ny);
                inSpan = match;
            }
        }
    }
    return changed;
}

} // namespace alvetra
