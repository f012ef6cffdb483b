#pragma once
// The one seam through which the window shows message boxes, file dialogs and its other modal
// dialogs. The program uses WidgetDialogs; tests put in their own implementation, record what
// would have been shown and answer for the user.

#include "alarm/UserMessage.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QFileDialog;
class QWidget;

namespace alvetra {

// What a file dialog shows and what it remembers between showings (the settings of
// openDialog_ and saveDialog_).
struct FileDialogSettings {
    enum class Mode { Open, Save };

    Mode mode = Mode::Open;
    QString title;
    QStringList filters;            // "description (patterns)", in order
    int filterIndex = 1;            // 1-based, the first filter is 1
    QString defaultExtension;       // without the dot; empty: none
    QString initialFolder;          // empty: no initial folder
    QString fileName;               // put into the name field; after a confirmed choice, the full path
    bool promptOverwrite = false;
    bool hideReadOnly = true;
    bool resizable = true;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message box; returns the button the user chose.
    virtual QMessageBox::StandardButton showMessage(QWidget *owner, const UserMessage &message,
                                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok) = 0;
    // A file dialog. On a confirmed choice returns the full path and stores it (and the chosen
    // filter) into `settings`; on cancel returns nothing and leaves `settings` as it was.
    virtual std::optional<QString> chooseFile(QWidget *owner, FileDialogSettings &settings) = 0;
    // Any other modal dialog; returns its result code.
    virtual int execDialog(QDialog &dialog) = 0;
};

// Qt's file dialog set up as `settings` say, with its date column wide enough for a whole date.
void prepareFileDialog(QFileDialog &dialog, const FileDialogSettings &settings);

// The real dialogs on the screen.
class WidgetDialogs : public Dialogs {
public:
    QMessageBox::StandardButton showMessage(QWidget *owner, const UserMessage &message,
                                            QMessageBox::StandardButtons buttons) override;
    std::optional<QString> chooseFile(QWidget *owner, FileDialogSettings &settings) override;
    int execDialog(QDialog &dialog) override;
};

} // namespace alvetra
