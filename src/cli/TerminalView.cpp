#include "cli/TerminalView.h"

#include "alarm/PcPassword.h"

namespace alvetra::cli {

void TerminalView::setProgrammingAccess(bool granted)
{
    if (!granted)
        state_.connected = false;
}

void TerminalView::showStatus(const QString &text, int, StatusColour colour)
{
    const bool red = colour == StatusColour::Red;
    statuses_.push_back({text, red});
    if (!red)
        return;
    if (!text.isEmpty())
        lastFailure_ = text;
    // A box has usually said the same already, at more length.
    if (!lastMessage_.startsWith(text))
        console_.message(text);
}

void TerminalView::showMessage(const UserMessage &message)
{
    lastMessage_ = message.text;
    lastFailure_ = message.text;
    console_.message(message.text);
}

void TerminalView::reopenPort()
{
    if (reopen)
        reopen();
}

void TerminalView::applyFill(const FillResult &fill)
{
    values = fill.values;
    history = fill.history;
    // The window's new-password edits start empty and a save refuses them; here they hold the
    // password the settings carry, so saving keeps it and writing all groups writes it.
    values.newPcPassword = values.newPcPasswordRepeat = pcPasswordText(state_.image, state_.layout);
}

void TerminalView::clearPcPasswordEdits()
{
    values.newPcPassword.clear();
    values.newPcPasswordRepeat.clear();
}

void TerminalLinkEvents::openFailed(Transport::OpenResult result, const QString &, const UserMessage &message)
{
    failure = result;
    console_.message(message.text);
}

void TerminalLinkEvents::deviceLost(const QString &, const UserMessage &message)
{
    opened = false;
    lost = true;
    console_.message(message.text);
}

} // namespace alvetra::cli
