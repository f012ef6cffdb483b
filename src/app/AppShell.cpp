#include "app/AppShell.h"

#include "app/PortReminderDialog.h"

#include <cstdio>

namespace alvetra {

AppShell::AppShell(PreferencesFile preferences, Dialogs &dialogs)
    : preferences_(std::move(preferences)), dialogs_(dialogs)
{
}

WindowPreferences AppShell::readPreferences()
{
    return preferences_.read();
}

bool AppShell::showComInformation(QWidget *window)
{
    return PortReminderDialog::showComInformation(dialogs_, window);
}

void AppShell::writePreferences(const WindowPreferences &preferences)
{
    if (!preferences_.write(preferences))
        std::fprintf(stderr, "alvetra: nie można zapisać pliku %s / cannot write %s\n",
                     qPrintable(preferences_.path()), qPrintable(preferences_.path()));
}

} // namespace alvetra
