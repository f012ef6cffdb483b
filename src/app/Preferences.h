#pragma once
// The preferences file "Serkano.ini": the port and speed choice, the dialogs' folders, the window
// position and the COM information switch, read at start-up and written at shutdown.
//
//   [COMMSETTINGS] CMBPORTINDEX, CMBPORTSPEEDINDEX   [SAVEDIALOG] PATH   [OPENDIALOG1] PATH
//   [FORM1] TOP, LEFT                                [COMINFORMATION] VALUE ("1"/"0")
//
// Missing keys take their defaults. A key that is present but empty is an empty string for the
// folders; for the numbers, text that is not a number counts as missing. Values are plain text
// (PrivateProfile): nothing in the file is ever interpreted beyond a number.

#include "ui/WindowPreferences.h"

#include <QString>

namespace alvetra {

class PreferencesFile {
public:
    // `programFolder` is the default folder of both dialogs.
    PreferencesFile(const QString &path, const QString &programFolder);

    const QString &path() const { return path_; }

    WindowPreferences read() const;
    // Replaces the file in one step; returns false when it could not be written.
    bool write(const WindowPreferences &preferences) const;

    // Where the file lives: beside the executable when it is already there or that folder is
    // writable, otherwise in the user's configuration folder.
    static QString locate(const QString &programFolder);

private:
    QString path_;
    QString programFolder_;
};

} // namespace alvetra
