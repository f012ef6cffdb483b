#include "ui/widgets/LedIndicator.h"

#include "ui/widgets/FloodFill.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QTimer>

// The LED bitmaps live in this static library; registering them here means every program that
// uses the control has them, whether or not the linker kept the resource's own initialiser.
static void initLedResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(leds);
        return true;
    }();
    Q_UNUSED(done);
}

namespace alvetra {

namespace {

const QRgb kFaceColour = qRgb(0, 255, 0);
const QRgb kBackgroundColour = qRgb(192, 192, 192);

QString resourceName(LedIndicator::LedStyle style, bool bordered)
{
    static const char *const names[] = {"SM", "LG", "SQSM", "SQLG", "VT", "HZ"};
    return QStringLiteral(":/leds/%1%2.bmp")
        .arg(bordered ? QLatin1Char('B') : QLatin1Char('N'))
        .arg(QLatin1String(names[style]));
}

} // namespace

LedIndicator::LedIndicator(QWidget *parent)
    : QWidget(parent),
      trueColor_(0, 255, 0),
      falseColor_(192, 192, 192),
      borderColor_(QApplication::palette().color(QPalette::Button))
{
    initLedResources();
    setFixedSize(16, 16);
    buildImages();
}

LedIndicator::~LedIndicator()
{
    stopBlinking();
}

QSize LedIndicator::styleSize(LedStyle style)
{
    switch (style) {
    case LEDSmall:
    case LEDSqSmall:
        return {16, 16};
    case LEDLarge:
    case LEDSqLarge:
        return {22, 22};
    case LEDVertical:
        return {16, 22};
    case LEDHorizontal:
        return {22, 16};
    }
    return {16, 16};
}

void LedIndicator::buildImages()
{
    const QSize size = styleSize(style_);
    setFixedSize(size);
    const QImage picture = QImage(resourceName(style_, bordered_)).convertToFormat(QImage::Format_RGB32);
    lit_ = picture;
    unlit_ = picture;
    const QPoint centre(size.width() / 2, size.height() / 2);
    floodFill(lit_, centre, kFaceColour, trueColor_.rgb());
    floodFill(unlit_, centre, kFaceColour, falseColor_.rgb());
    if (!bordered_) {
        floodFill(lit_, QPoint(0, 0), kBackgroundColour, borderColor_.rgb());
        floodFill(unlit_, QPoint(0, 0), kBackgroundColour, borderColor_.rgb());
    }
}

void LedIndicator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(rect(), phase_ == 0 ? lit_ : unlit_);
}

void LedIndicator::showPhase(int phase)
{
    phase_ = phase;
    update();
}

void LedIndicator::showOn()
{
    showPhase(0);
}

void LedIndicator::showOff()
{
    showPhase(1);
}

void LedIndicator::setValue(bool value)
{
    if (value == value_)
        return;
    value_ = value;
    if (value_) {
        showOn();
        if (blink_)
            startBlinking();
    } else {
        stopBlinking();
        showOff();
    }
}

void LedIndicator::setBlink(bool blink)
{
    if (blink == blink_)
        return;
    showPhase(value_ ? 0 : 1);
    blink_ = blink;
    if (blink_ && value_)
        startBlinking();
    else
        stopBlinking();
}

void LedIndicator::setTrueColor(const QColor &color)
{
    changeColor(trueColor_, color);
}

void LedIndicator::setFalseColor(const QColor &color)
{
    changeColor(falseColor_, color);
}

void LedIndicator::setBorderColor(const QColor &color)
{
    changeColor(borderColor_, color);
}

// A colour change rebuilds both images; a blinking LED is stopped around it so that it starts
// again from the lit phase in the new colour.
void LedIndicator::changeColor(QColor &slot, const QColor &color)
{
    if (slot == color)
        return;
    const bool wasBlinking = blink_;
    if (wasBlinking)
        setBlink(false);
    slot = color;
    buildImages();
    setBlink(wasBlinking);
    update();
}

void LedIndicator::setBordered(bool bordered)
{
    if (bordered == bordered_)
        return;
    bordered_ = bordered;
    buildImages();
    update();
}

void LedIndicator::setLedStyle(LedStyle style)
{
    if (style == style_)
        return;
    style_ = style;
    buildImages();
    update();
}

void LedIndicator::setInterval(int ms)
{
    interval_ = ms;
    if (blinkTimer_)
        blinkTimer_->setInterval(ms);
}

void LedIndicator::startBlinking()
{
    if (blinkTimer_)
        return;
    phase_ = 0;
    blinkTimer_ = new QTimer(this);
    blinkTimer_->setInterval(interval_);
    connect(blinkTimer_, &QTimer::timeout, this, &LedIndicator::blinkStep);
    blinkTimer_->start();
}

void LedIndicator::stopBlinking()
{
    delete blinkTimer_;
    blinkTimer_ = nullptr;
}

void LedIndicator::blinkStep()
{
    showPhase(phase_ == 0 ? 1 : 0);
    emit timerTicked(this);
}

void LedIndicator::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    emit mouseEntered(this);
}

void LedIndicator::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    emit mouseLeft(this);
}

void LedIndicator::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(this);
}

} // namespace alvetra
