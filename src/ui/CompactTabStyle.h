#pragma once
// The page control's tab row with narrower side margins, so that all ten tabs fit one row of the
// fixed-width window, as they do in the fitters' familiar program. Everything else is drawn by the
// application's style.

#include <QProxyStyle>

namespace alvetra {

class CompactTabStyle : public QProxyStyle {
    Q_OBJECT
public:
    // `margins`: the space beside a tab's caption, both sides together, in pixels. The style's
    // tab size and caption placement both follow it, so no caption is cut.
    explicit CompactTabStyle(int margins, QObject *parent = nullptr);

    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;

private:
    int margins_;
};

} // namespace alvetra
