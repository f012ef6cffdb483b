#pragma once
// Qt's own dialogs (file dialogs, standard buttons) speak Polish like the rest of the window,
// whatever the system's locale: Qt's Polish translations (Debian's qt6-translations-l10n) are
// installed at start.

class QCoreApplication;
class QTranslator;

namespace alvetra {

// Loads "qtbase_pl" from Qt's translations folder and installs it on `app`, which owns it.
// Returns it, or nullptr (with a warning on the standard error) when it cannot be loaded; the
// program then runs with Qt's English texts.
QTranslator *installQtPolish(QCoreApplication &app);

} // namespace alvetra
