#include "ui/StatusLine.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>

namespace alvetra {

StatusLine::StatusLine(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("StatusBar1"));
    setAutoFillBackground(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
    for (int i = 0; i < kPanelCount; ++i) {
        auto *panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setLineWidth(1);
        panel->setFixedWidth(kPanelWidths[i]);
        panel->setAlignment((i < 3 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        panel->setTextFormat(Qt::PlainText);
        layout->addWidget(panel);
        panels_[i] = panel;
    }
    layout->addStretch(1);
}

void StatusLine::setPanelText(int panel, const QString &text)
{
    if (panel < 0 || panel >= kPanelCount)
        return;
    QLabel *label = panels_[panel];
    label->setText(text);
    fitText(label);
}

// The panels keep their widths; a text that would be cut ("Port zamknięty" in the 70-pixel
// panel) is drawn a pixel or two smaller instead.
void StatusLine::fitText(QLabel *label)
{
    QFont font = this->font();
    font.setPixelSize(QFontInfo(font).pixelSize());
    const int room = label->width() - 2 * label->frameWidth();
    while (font.pixelSize() > kSmallestPixelSize && QFontMetrics(font).horizontalAdvance(label->text()) > room)
        font.setPixelSize(font.pixelSize() - 1);
    label->setFont(font);
}

QString StatusLine::panelText(int panel) const
{
    return panel >= 0 && panel < kPanelCount ? panels_[panel]->text() : QString();
}

} // namespace alvetra
