#include "ui/widgets/FloodFill.h"

#include <gtest/gtest.h>

using alvetra::floodFill;

namespace {

QImage filled(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);

} // namespace

TEST(FloodFill, FillsOnlyTheConnectedAreaAcrossConcaveShapes)
{
    // A U-shaped wall: the fill must run around it into both arms, but not cross it.
    QImage image = filled(9, 9, kWhite);
    for (int y = 1; y <= 7; ++y) {
        image.setPixel(1, y, kBlack);
        image.setPixel(7, y, kBlack);
    }
    for (int x = 1; x <= 7; ++x)
        image.setPixel(x, 7, kBlack);
    // A closed box at the inside bottom keeps its own area.
    image.setPixel(3, 5, kBlack);
    image.setPixel(4, 4, kBlack);
    image.setPixel(5, 5, kBlack);
    image.setPixel(4, 6, kBlack);

    const int changed = floodFill(image, QPoint(0, 0), kWhite, kRed);
    EXPECT_EQ(image.pixel(4, 2), kRed);     // inside the U, reached over the top
    EXPECT_EQ(image.pixel(8, 8), kRed);
    EXPECT_EQ(image.pixel(4, 5), kWhite);   // enclosed pixel
    EXPECT_EQ(image.pixel(1, 3), kBlack);
    int red = 0;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            red += image.pixel(x, y) == kRed;
    EXPECT_EQ(changed, red);
    EXPECT_EQ(red, 81 - 19 - 4 - 1);
}

TEST(FloodFill, DiagonalNeighboursAreNotConnected)
{
    QImage image = filled(2, 2, kBlack);
    image.setPixel(0, 0, kWhite);
    image.setPixel(1, 1, kWhite);
    EXPECT_EQ(floodFill(image, QPoint(0, 0), kWhite, kRed), 1);
    EXPECT_EQ(image.pixel(1, 1), kWhite);
}

TEST(FloodFill, SeedOfAnotherColourOrOutsideChangesNothing)
{
    QImage image = filled(4, 4, kWhite);
    EXPECT_EQ(floodFill(image, QPoint(1, 1), kBlack, kRed), 0);
    EXPECT_EQ(floodFill(image, QPoint(4, 0), kWhite, kRed), 0);
    EXPECT_EQ(floodFill(image, QPoint(-1, 0), kWhite, kRed), 0);
    EXPECT_EQ(image.pixel(0, 0), kWhite);
    // Filling with the area's own colour must end (and change nothing).
    EXPECT_EQ(floodFill(image, QPoint(0, 0), kWhite, kWhite), 0);
}
