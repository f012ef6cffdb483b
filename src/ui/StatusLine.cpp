#include "StatusLine.h"

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
    if (panel >= 0 && panel < kPanelCount)
        panels_[panel]->setText(text);
}

QString StatusLine::panelText(int panel) const
{
    return panel >= 0 && panel < kPanelCount ? panels_[panel]->text() : QString();
}

} // namespace alvetra
