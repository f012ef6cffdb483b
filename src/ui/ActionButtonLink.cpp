#include "ui/ActionButtonLink.h"

#include <QAbstractButton>
#include <QAction>

namespace alvetra {

ActionButtonLink *ActionButtonLink::bind(QAbstractButton *button, QAction *action, Follow follow)
{
    return new ActionButtonLink(button, action, follow);
}

ActionButtonLink::ActionButtonLink(QAbstractButton *button, QAction *action, Follow follow)
    : QObject(button), button_(button), action_(action), follow_(follow)
{
    connect(action, &QAction::changed, this, &ActionButtonLink::sync);
    connect(action, &QAction::enabledChanged, this, &ActionButtonLink::sync);
    // The action's own enabled state is checked again at the click: a click queued while an
    // operation disabled the actions must not start a second one.
    connect(button, &QAbstractButton::clicked, this, [this] {
        if (action_ && action_->isEnabled() && gateOpen_)
            action_->trigger();
    });
    sync();
}

void ActionButtonLink::setGateOpen(bool open)
{
    gateOpen_ = open;
    sync();
}

void ActionButtonLink::sync()
{
    if (!button_ || !action_)
        return;
    if (follow_ == CaptionAndImage) {
        button_->setText(action_->text());
        button_->setIcon(action_->icon());
    }
    button_->setEnabled(action_->isEnabled() && gateOpen_);
}

} // namespace alvetra
