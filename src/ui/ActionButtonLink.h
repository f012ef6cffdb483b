#pragma once
// Ties a button to an action the way the window's buttons follow their actions: the button takes
// the action's caption, image and enabled state whenever the action changes, and a click runs
// the action. A gate can keep the button disabled although its action is enabled.

#include <QObject>
#include <QPointer>

class QAbstractButton;
class QAction;

namespace alvetra {

class ActionButtonLink : public QObject {
    Q_OBJECT
public:
    enum Follow { CaptionAndImage, EnabledOnly };

    // The link is owned by the button and ends with it.
    static ActionButtonLink *bind(QAbstractButton *button, QAction *action, Follow follow = CaptionAndImage);

    // While the gate is closed the button stays disabled whatever its action says.
    void setGateOpen(bool open);
    bool gateOpen() const { return gateOpen_; }

private:
    ActionButtonLink(QAbstractButton *button, QAction *action, Follow follow);
    void sync();

    QPointer<QAbstractButton> button_;
    QPointer<QAction> action_;
    Follow follow_;
    bool gateOpen_ = true;
};

} // namespace alvetra
