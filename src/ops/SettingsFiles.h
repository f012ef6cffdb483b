#pragma once
// Saving the settings to a file and opening a file, also as the way into offline editing
// without a unit. The front end chooses the file (the window through its dialogs).

#include "ops/OperationState.h"

#include <QString>
#include <optional>

namespace alvetra {

class SettingsFiles {
public:
    explicit SettingsFiles(const OperationContext &context) : context_(context) {}

    // Every group from the tabs into the image (each refusing builder shows its message and
    // keeps its bytes), then the 256 masked bytes. Before any family is known the image is saved
    // as it is: the tabs then hold nothing of a unit's and there is no layout to build into.
    // Throws FileError when the file cannot be written (the previous file stays as it was).
    OperationOutcome save(const QString &fileName);

    // With no family known the file's extension fixes it (".v14" family 14, ".alm" family 15)
    // and the first car database is loaded; the file into the image; its time counter; the fill.
    // A file whose extension names the other layout than the family's has its settings carried
    // into the family's layout field by field (the counter and the history stay the window's),
    // and the status line says so, also while connected. Not connected: the file's PC password
    // must match the access password to edit offline with only the file actions, the exit and
    // the manual enabled (Failed otherwise, with the file's settings shown all the same). Throws
    // FileError when the name fixes no family, the car database is missing, or the file cannot be
    // read or is too large.
    OperationOutcome open(const QString &fileName);

private:
    void fixFamilyFromName(const QString &fileName);
    // Reads the file into the image; for a file of the other layout returns the status text that
    // tells the settings were carried over.
    std::optional<QString> readFile(const QString &fileName);
    void showFile();
    void enterOfflineEditing(const QString &status);

    OperationContext context_;
};

} // namespace alvetra
