#include "ui/CompactTabStyle.h"

namespace alvetra {

CompactTabStyle::CompactTabStyle(int margins, QObject *parent) : QProxyStyle(), margins_(margins)
{
    setParent(parent);
}

int CompactTabStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (metric == PM_TabBarTabHSpace)
        return margins_;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace alvetra
