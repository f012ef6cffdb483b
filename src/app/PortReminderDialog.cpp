#include "app/PortReminderDialog.h"
#include "ui/ScreenPlacement.h"

#include "app/AppTexts.h"
#include "ui/Dialogs.h"
#include "ui/UiTexts.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace alvetra {

PortReminderDialog::PortReminderDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ComInformation"));
    setWindowTitle(apptexts::kComInformationCaption);
    setFixedSize(313, 214);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 297, 161);

    Label1 = new QLabel(uitexts::labelText(apptexts::kComInformationText), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setGeometry(17, 17, 279, 115);
    Label1->setTextFormat(Qt::PlainText);

    CheckBox1 = new QCheckBox(apptexts::kDoNotShowAgain, this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(32, 144, 241, 17);

    OKBtn = new QPushButton(apptexts::kOk, this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(125, 180, 75, 25);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    placeOver(parent);
}

// Over `over` (the main window, shown behind it) inside that window's screen; centred on the
// primary screen without one.
void PortReminderDialog::placeOver(const QWidget *over)
{
    const QRect area = placement::availableAreaFor(over ? over->frameGeometry() : QRect());
    QRect frame(QPoint(), placement::frameSize(*this));
    frame.moveCenter(over ? over->frameGeometry().center() : area.center());
    placement::moveFrameTo(*this, placement::keptInside(frame, area));
}

bool PortReminderDialog::doNotShowAgain() const
{
    return CheckBox1->isChecked();
}

bool PortReminderDialog::showComInformation(Dialogs &dialogs, const QWidget *over)
{
    PortReminderDialog dialog;
    dialog.placeOver(over);
    dialogs.execDialog(dialog);
    return !dialog.doNotShowAgain();
}

} // namespace alvetra
