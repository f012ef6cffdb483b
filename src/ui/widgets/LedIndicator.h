#pragma once
// A light-emitting diode drawn from a bitmap: lit in TrueColor, unlit in FalseColor, in one of
// six shapes, optionally blinking.
//
// The bitmaps come from the application's resources (":/leds/BSM.bmp" ... ":/leds/NHZ.bmp");
// their face is one area of pure RGB 0,255,0 around the centre and, in the unbordered "N"
// variants, the background is one area of RGB 192,192,192 reaching the top-left corner.
// Colouring is a flood fill of those areas.

#include <QColor>
#include <QImage>
#include <QWidget>

class QTimer;

namespace alvetra {

class LedIndicator : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor TrueColor READ trueColor WRITE setTrueColor)
    Q_PROPERTY(QColor FalseColor READ falseColor WRITE setFalseColor)
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(bool Blink READ blink WRITE setBlink)
    Q_PROPERTY(bool Bordered READ bordered WRITE setBordered)
    Q_PROPERTY(bool Value READ value WRITE setValue)
    Q_PROPERTY(int Interval READ interval WRITE setInterval)
    Q_PROPERTY(LedStyle LEDStyle READ ledStyle WRITE setLedStyle)

public:
    enum LedStyle { LEDSmall, LEDLarge, LEDSqSmall, LEDSqLarge, LEDVertical, LEDHorizontal };
    Q_ENUM(LedStyle)

    explicit LedIndicator(QWidget *parent = nullptr);
    ~LedIndicator() override;

    QColor trueColor() const { return trueColor_; }
    QColor falseColor() const { return falseColor_; }
    QColor borderColor() const { return borderColor_; }
    bool blink() const { return blink_; }
    bool bordered() const { return bordered_; }
    bool value() const { return value_; }
    int interval() const { return interval_; }
    LedStyle ledStyle() const { return style_; }

    void setTrueColor(const QColor &color);
    void setFalseColor(const QColor &color);
    void setBorderColor(const QColor &color);
    void setBlink(bool blink);
    void setBordered(bool bordered);
    void setValue(bool value);
    void setInterval(int ms);
    void setLedStyle(LedStyle style);

    // Draw lit / unlit now without touching Value or blinking.
    void showOn();
    void showOff();

    // True while the lit image is the one on screen (the displayed phase is 0).
    bool isShownLit() const { return phase_ == 0; }
    // The two images as built for the current style and colours.
    const QImage &litImage() const { return lit_; }
    const QImage &unlitImage() const { return unlit_; }

    static QSize styleSize(LedStyle style);

signals:
    void timerTicked(QObject *sender);
    void mouseEntered(QObject *sender);
    void mouseLeft(QObject *sender);
    void clicked(QObject *sender);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void buildImages();
    void changeColor(QColor &slot, const QColor &color);
    void startBlinking();
    void stopBlinking();
    void blinkStep();
    void showPhase(int phase);

    QImage lit_;
    QImage unlit_;
    QTimer *blinkTimer_ = nullptr;
    QColor trueColor_;
    QColor falseColor_;
    QColor borderColor_;
    bool bordered_ = true;
    bool blink_ = true;
    LedStyle style_ = LEDSmall;
    int interval_ = 1000;
    bool value_ = false;
    int phase_ = 1;   // 0: lit image shown, 1: unlit image shown
};

} // namespace alvetra
