#include "ui/ScreenPlacement.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace alvetra::placement {

namespace {

int keptInside(int start, int length, int areaStart, int areaLength)
{
    if (length >= areaLength)
        return areaStart;
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

int overlap(const QRect &a, const QRect &b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : common.width() * common.height();
}

} // namespace

QRect keptInside(QRect frame, const QRect &area)
{
    if (area.isEmpty())
        return frame;
    frame.moveTo(keptInside(frame.x(), frame.width(), area.x(), area.width()),
                 keptInside(frame.y(), frame.height(), area.y(), area.height()));
    return frame;
}

QRect centredIn(QSize frame, const QRect &area)
{
    QRect placed(QPoint(), frame);
    placed.moveCenter(area.center());
    return keptInside(placed, area);
}

std::optional<QRect> storedPlacement(QPoint topLeft, QSize frame, const QList<QRect> &areas)
{
    const QRect wanted(topLeft, frame);
    if (std::any_of(areas.begin(), areas.end(), [&](const QRect &area) { return area.contains(wanted); }))
        return wanted;
    return std::nullopt;
}

QRect beside(const QRect &main, QSize companion, const QRect &area)
{
    constexpr int kGap = 8;
    QRect right(QPoint(main.right() + 1 + kGap, main.top()), companion);
    if (keptInside(right, area) == right)
        return right;
    QRect left(QPoint(main.left() - kGap - companion.width(), main.top()), companion);
    if (keptInside(left, area) == left)
        return left;
    QRect over(QPoint(main.right() + 1 - companion.width(), main.top()), companion);
    return keptInside(over, area);
}

QSize frameSize(const QWidget &window)
{
    if (window.isVisible())
        return window.frameGeometry().size();
    // Windows knows a window's frame as soon as the window exists; an X11 window manager tells it
    // only once it has framed the window, and then the style's frame stands in.
    if (const QWindow *handle = window.windowHandle(); handle && !handle->frameMargins().isNull())
        return window.size().grownBy(handle->frameMargins());
    const QStyle *style = window.style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
    const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return window.size().grownBy(QMargins(border, title + border, border, border));
}

QList<QRect> availableAreas()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    return areas;
}

QRect availableAreaFor(const QRect &frame)
{
    QRect best;
    int bestOverlap = 0;
    for (const QRect &area : availableAreas()) {
        if (overlap(area, frame) > bestOverlap) {
            best = area;
            bestOverlap = overlap(area, frame);
        }
    }
    if (bestOverlap > 0)
        return best;
    const QScreen *primary = QGuiApplication::primaryScreen();
    return primary ? primary->availableGeometry() : QRect();
}

void moveFrameTo(QWidget &window, const QRect &frame)
{
    window.move(frame.topLeft());   // a window's position is its frame's, framed yet or not
}

} // namespace alvetra::placement
