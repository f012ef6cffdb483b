#pragma once
// The reminder shown at start-up: choose the right COM port; a change of speed takes effect after
// a restart. Its check box suppresses it on later starts.

#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

namespace alvetra {

class Dialogs;

class PortReminderDialog : public QDialog {
    Q_OBJECT
public:
    explicit PortReminderDialog(QWidget *parent = nullptr);

    bool doNotShowAgain() const;

    // Shows the reminder modally through `dialogs`; returns whether to show it on the next start
    // (however the dialog was closed: OK, Enter or the close box).
    static bool showComInformation(Dialogs &dialogs, const QWidget *over = nullptr);

private:
    void placeOver(const QWidget *window);

    QFrame *Bevel1 = nullptr;
    QLabel *Label1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QPushButton *OKBtn = nullptr;
};

} // namespace alvetra
