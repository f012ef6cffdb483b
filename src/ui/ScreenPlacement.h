#pragma once
// Where a top-level window goes so that the fitter sees the whole of it, whatever the screen and
// its scaling (a 1366x768 laptop at 100 %, 1920x1080 at 125 or 150 %, a 4K screen at 200 %).
// Rectangles are in Qt's device-independent pixels and are frames: the title bar and the borders
// included. Before a window is first shown the system has not framed it yet; frameSize()
// estimates its frame until it has.

#include <QList>
#include <QMargins>
#include <QRect>
#include <optional>
class QWidget;

namespace alvetra::placement {

// `frame` moved as little as needed to lie inside `area`. A frame larger than the area keeps its
// top-left corner inside, so the title bar (and with it the way to move the window) stays reachable.
QRect keptInside(QRect frame, const QRect &area);

// `frame` centred in `area`, then kept inside it.
QRect centredIn(QSize frame, const QRect &area);

// A stored position is taken only when the whole frame lies inside one of the screens' areas
// (a monitor may have gone since, or the scaling changed).
std::optional<QRect> storedPlacement(QPoint topLeft, QSize frame, const QList<QRect> &areas);

// A companion window (the traffic console) beside `main`: on its right when it fits in `area`,
// else on its left, else over main's right part; always inside `area`.
QRect beside(const QRect &main, QSize companion, const QRect &area);

// The size of the frame `window` has, or will have once the system frames it: the real one when
// shown, else its size with the title bar and borders of the style's framed windows.
QSize frameSize(const QWidget &window);

// The available areas of every screen (the desktop less the task bar and docks).
QList<QRect> availableAreas();

// The available area of the screen that holds most of `frame` (the primary one when none does).
QRect availableAreaFor(const QRect &frame);

// Moves `window` (a top-level one) so that its frame is `frame`.
void moveFrameTo(QWidget &window, const QRect &frame);

} // namespace alvetra::placement
