#include "ui/widgets/LedIndicator.h"

#include <QSignalSpy>
#include <QTest>
#include <QImage>
#include <gtest/gtest.h>

using alvetra::LedIndicator;

namespace {

const QRgb kLime = qRgb(0, 255, 0) & RGB_MASK;
const QRgb kSilver = qRgb(192, 192, 192) & RGB_MASK;
const QRgb kRed = qRgb(255, 0, 0) & RGB_MASK;
const QRgb kGray = qRgb(128, 128, 128) & RGB_MASK;
const QRgb kBlue = qRgb(0, 0, 255) & RGB_MASK;

int countColour(const QImage &image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & RGB_MASK) == (colour & RGB_MASK);
    return n;
}

QRgb centre(const QImage &image)
{
    return image.pixel(image.width() / 2, image.height() / 2) & RGB_MASK;
}

QRgb rgb(QRgb pixel)
{
    return pixel & RGB_MASK;
}

const LedIndicator::LedStyle kAllStyles[] = {LedIndicator::LEDSmall,    LedIndicator::LEDLarge,
                                         LedIndicator::LEDSqSmall,  LedIndicator::LEDSqLarge,
                                         LedIndicator::LEDVertical, LedIndicator::LEDHorizontal};

} // namespace

TEST(LedIndicator, StartsUnlitWithTheDefaultsAndSmallSize)
{
    LedIndicator led;
    EXPECT_EQ(led.size(), QSize(16, 16));
    EXPECT_FALSE(led.value());
    EXPECT_TRUE(led.blink());
    EXPECT_TRUE(led.bordered());
    EXPECT_EQ(led.interval(), 1000);
    EXPECT_EQ(led.ledStyle(), LedIndicator::LEDSmall);
    EXPECT_EQ(led.trueColor(), QColor(0, 255, 0));
    EXPECT_EQ(led.falseColor(), QColor(192, 192, 192));
    EXPECT_FALSE(led.isShownLit());
}

// For every shape and both frame variants: the face takes the colour completely, the frame and
// the picture around it do not, and the control takes the style's size.
TEST(LedIndicator, FaceTakesTheColoursAndTheFrameDoesNot)
{
    for (auto style : kAllStyles) {
        for (bool bordered : {true, false}) {
            SCOPED_TRACE(testing::Message() << "style " << style << " bordered " << bordered);
            LedIndicator led;
            led.resize(50, 40);
            led.setLedStyle(style);
            led.setBordered(bordered);
            led.setTrueColor(QColor(kRed));
            led.setFalseColor(QColor(kBlue));
            const QImage &lit = led.litImage();
            const QImage &unlit = led.unlitImage();
            ASSERT_FALSE(lit.isNull());
            EXPECT_EQ(lit.size(), LedIndicator::styleSize(style));
            EXPECT_EQ(led.size(), LedIndicator::styleSize(style));
            EXPECT_EQ(centre(lit), kRed);
            EXPECT_EQ(centre(unlit), kBlue);
            // No lime is left anywhere: the face was one area and all of it was filled.
            EXPECT_EQ(countColour(lit, kLime), 0);
            EXPECT_EQ(countColour(unlit, kLime), 0);
            // Lit and unlit differ only on the face.
            EXPECT_EQ(countColour(lit, kRed), countColour(unlit, kBlue));
            EXPECT_GT(countColour(lit, kRed), 20);
            // The black outline stays.
            EXPECT_GT(countColour(lit, qRgb(0, 0, 0) & RGB_MASK), 0);
            if (bordered) {
                EXPECT_EQ(rgb(lit.pixel(0, 0)), qRgb(255, 255, 255) & RGB_MASK);
                EXPECT_EQ(rgb(lit.pixel(lit.width() - 1, lit.height() - 1)), kGray);
            }
        }
    }
}

TEST(LedIndicator, StyleSizes)
{
    EXPECT_EQ(LedIndicator::styleSize(LedIndicator::LEDSmall), QSize(16, 16));
    EXPECT_EQ(LedIndicator::styleSize(LedIndicator::LEDLarge), QSize(22, 22));
    EXPECT_EQ(LedIndicator::styleSize(LedIndicator::LEDSqSmall), QSize(16, 16));
    EXPECT_EQ(LedIndicator::styleSize(LedIndicator::LEDSqLarge), QSize(22, 22));
    EXPECT_EQ(LedIndicator::styleSize(LedIndicator::LEDVertical), QSize(16, 22));
    EXPECT_EQ(LedIndicator::styleSize(LedIndicator::LEDHorizontal), QSize(22, 16));

    LedIndicator led;
    led.setLedStyle(LedIndicator::LEDLarge);
    led.setLedStyle(LedIndicator::LEDVertical);
    EXPECT_EQ(led.width(), 16);
    EXPECT_EQ(led.height(), 22);
}

TEST(LedIndicator, UnborderedCornersTakeTheBorderColourBorderedStaySilver)
{
    LedIndicator led;
    led.setBorderColor(QColor(kGray));
    // Bordered: the border colour is not used; inside the raised edge the background is silver.
    EXPECT_EQ(rgb(led.litImage().pixel(1, 1)), kSilver);
    EXPECT_EQ(rgb(led.litImage().pixel(0, 0)), qRgb(255, 255, 255) & RGB_MASK);

    led.setBordered(false);
    for (const QImage *image : {&led.litImage(), &led.unlitImage()}) {
        const int w = image->width(), h = image->height();
        EXPECT_EQ(rgb(image->pixel(0, 0)), kGray);
        EXPECT_EQ(rgb(image->pixel(w - 1, 0)), kGray);
        EXPECT_EQ(rgb(image->pixel(0, h - 1)), kGray);
        EXPECT_EQ(rgb(image->pixel(w - 1, h - 1)), kGray);
        EXPECT_EQ(countColour(*image, kSilver) > 0, image == &led.unlitImage());
    }
    // The unlit face is silver too (the default FalseColor) but lies inside the outline, so the
    // background fill must not reach it.
    EXPECT_EQ(centre(led.unlitImage()), kSilver);
}

TEST(LedIndicator, ShowOnAndShowOffChangeOnlyTheDisplayedImage)
{
    LedIndicator led;
    led.showOn();
    EXPECT_TRUE(led.isShownLit());
    EXPECT_FALSE(led.value());
    // A repaint draws the phase last set.
    const QImage shot = led.grab().toImage();
    EXPECT_EQ(rgb(shot.pixel(8, 8)), kLime);
    led.showOff();
    EXPECT_FALSE(led.isShownLit());
    EXPECT_EQ(rgb(led.grab().toImage().pixel(8, 8)), kSilver);
}

TEST(LedIndicator, ValueTwiceDoesNothingAfterShowOff)
{
    LedIndicator led;
    led.setBlink(false);
    led.setValue(true);
    EXPECT_TRUE(led.isShownLit());
    led.showOff();
    led.setValue(true);
    EXPECT_FALSE(led.isShownLit());
    led.setValue(false);
    led.setValue(true);
    EXPECT_TRUE(led.isShownLit());
    led.setValue(false);
    EXPECT_FALSE(led.isShownLit());
}

TEST(LedIndicator, BlinksWhileValueAndBlinkAndStopsWhenEitherEnds)
{
    LedIndicator led;
    led.setInterval(15);
    QSignalSpy ticks(&led, &LedIndicator::timerTicked);
    led.setValue(true);
    EXPECT_TRUE(led.isShownLit());
    ASSERT_TRUE(ticks.wait(1000));
    EXPECT_EQ(ticks.first().first().value<QObject *>(), &led);
    EXPECT_FALSE(led.isShownLit());   // first step goes dark
    ASSERT_TRUE(ticks.wait(1000));
    EXPECT_TRUE(led.isShownLit());

    led.setBlink(false);
    EXPECT_TRUE(led.isShownLit());    // the Value image
    ticks.clear();
    QTest::qWait(60);
    EXPECT_EQ(ticks.count(), 0);

    led.setBlink(true);
    ASSERT_TRUE(ticks.wait(1000));
    led.setValue(false);
    EXPECT_FALSE(led.isShownLit());
    ticks.clear();
    QTest::qWait(60);
    EXPECT_EQ(ticks.count(), 0);
}

TEST(LedIndicator, NoBlinkingWhenBlinkIsOff)
{
    LedIndicator led;
    led.setBlink(false);
    led.setInterval(10);
    QSignalSpy ticks(&led, &LedIndicator::timerTicked);
    led.setValue(true);
    QTest::qWait(60);
    EXPECT_EQ(ticks.count(), 0);
    EXPECT_TRUE(led.isShownLit());
}

TEST(LedIndicator, ChangingTrueColorOfABlinkingLedRestartsFromLit)
{
    LedIndicator led;
    led.setInterval(15);
    QSignalSpy ticks(&led, &LedIndicator::timerTicked);
    led.setValue(true);
    ASSERT_TRUE(ticks.wait(1000));
    ASSERT_FALSE(led.isShownLit());
    led.setTrueColor(QColor(kRed));
    EXPECT_TRUE(led.isShownLit());
    EXPECT_TRUE(led.blink());
    EXPECT_EQ(centre(led.litImage()), kRed);
    ticks.clear();
    ASSERT_TRUE(ticks.wait(1000));   // still blinking
    // The same colour again changes nothing.
    const bool shown = led.isShownLit();
    led.setTrueColor(QColor(kRed));
    EXPECT_EQ(led.isShownLit(), shown);
}

TEST(LedIndicator, IntervalChangesARunningBlinkAtOnce)
{
    LedIndicator led;
    led.setInterval(100000);
    QSignalSpy ticks(&led, &LedIndicator::timerTicked);
    led.setValue(true);
    led.setInterval(10);
    EXPECT_TRUE(ticks.wait(1000));
    EXPECT_EQ(led.interval(), 10);
}

TEST(LedIndicator, MouseEnterLeaveAndClickAreReported)
{
    LedIndicator led;
    QSignalSpy enter(&led, &LedIndicator::mouseEntered);
    QSignalSpy leave(&led, &LedIndicator::mouseLeft);
    QSignalSpy click(&led, &LedIndicator::clicked);
    QEnterEvent enterEvent(QPointF(4, 4), QPointF(4, 4), QPointF(4, 4));
    QCoreApplication::sendEvent(&led, &enterEvent);
    QEvent leaveEvent(QEvent::Leave);
    QCoreApplication::sendEvent(&led, &leaveEvent);
    QTest::mouseClick(&led, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(enter.count(), 1);
    EXPECT_EQ(leave.count(), 1);
    EXPECT_EQ(click.count(), 1);
}
