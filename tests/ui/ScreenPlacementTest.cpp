// Placement of the main window, the traffic console and the dialogs on the screens of the
// laptops fitters use, in Qt's device-independent pixels (the physical size over the scaling)
// with a task bar of 40 physical pixels at the bottom.

#include "ui/ScreenPlacement.h"

#include <gtest/gtest.h>

using namespace alvetra;

namespace {

struct Laptop {
    const char *name;
    int width, height, percent;
    QRect area() const
    {
        const int bar = 40 * 100 / percent;
        return QRect(0, 0, width * 100 / percent, height * 100 / percent - bar);
    }
};

const Laptop kLaptops[] = {{"1366x768 at 100 %", 1366, 768, 100},
                           {"1920x1080 at 125 %", 1920, 1080, 125},
                           {"1920x1080 at 150 %", 1920, 1080, 150},
                           {"3840x2160 at 200 %", 3840, 2160, 200}};

const QSize kMainFrame(741 + 16, 508 + 39);   // the client area with a Windows 10 frame
const QSize kConsoleFrame(760 + 16, 420 + 39);

} // namespace

TEST(ScreenPlacement, MainWindowOpensCentredAndWholeOnEveryLaptop)
{
    for (const Laptop &laptop : kLaptops) {
        SCOPED_TRACE(laptop.name);
        const QRect placed = placement::centredIn(kMainFrame, laptop.area());
        EXPECT_TRUE(laptop.area().contains(placed));
        EXPECT_LE(std::abs(placed.center().y() - laptop.area().center().y()), 1);
        EXPECT_LE(std::abs(placed.center().x() - laptop.area().center().x()), 1);

        // The console opened from there stays on the same screen, beside the window or over it.
        const QRect console = placement::beside(placed, kConsoleFrame, laptop.area());
        EXPECT_TRUE(laptop.area().contains(console)) << console.x() << "," << console.y();
    }
}

TEST(ScreenPlacement, StoredPositionOnlyWhenTheWholeWindowIsOnOneScreen)
{
    const QList<QRect> screens = {QRect(0, 0, 1280, 680), QRect(1280, 0, 1920, 1040)};
    EXPECT_EQ(placement::storedPlacement({1500, 100}, kMainFrame, screens), QRect(QPoint(1500, 100), kMainFrame));
    // Stored at 100 % on a bigger screen: its bottom would now be below the edge.
    EXPECT_FALSE(placement::storedPlacement({200, 300}, kMainFrame, screens));
    // Across the two screens, or on a screen that has gone.
    EXPECT_FALSE(placement::storedPlacement({1000, 100}, kMainFrame, screens));
    EXPECT_FALSE(placement::storedPlacement({3300, 100}, kMainFrame, screens));
}

TEST(ScreenPlacement, ConsoleGoesRightThenLeftThenOverAndAWindowTooBigKeepsItsTitleBar)
{
    const QRect wide(0, 0, 2560, 1400);
    const QRect main(QPoint(100, 100), kMainFrame);
    EXPECT_EQ(placement::beside(main, kConsoleFrame, wide).left(), main.right() + 1 + 8);
    const QRect onTheRight(QPoint(1700, 100), kMainFrame);
    EXPECT_EQ(placement::beside(onTheRight, kConsoleFrame, wide).right(), onTheRight.left() - 1 - 8);
    const QRect narrow(0, 0, 1600, 860);
    const QRect centred = placement::centredIn(kMainFrame, narrow);
    const QRect over = placement::beside(centred, kConsoleFrame, narrow);
    EXPECT_TRUE(narrow.contains(over));
    EXPECT_TRUE(over.intersects(centred));

    const QRect tiny(0, 0, 640, 460);
    EXPECT_EQ(placement::keptInside(QRect(QPoint(-50, 300), kMainFrame), tiny).topLeft(), QPoint(0, 0));
    EXPECT_EQ(placement::keptInside(QRect(QPoint(900, 900), QSize(100, 50)), tiny), QRect(540, 410, 100, 50));
}
