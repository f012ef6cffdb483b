#pragma once
// Test doubles for the window's seams: dialogs that record what would have been shown and answer
// for the user, and a shell with preferences held in memory.

#include "ui/Dialogs.h"
#include "ui/WindowPreferences.h"

#include <QDialog>
#include <functional>
#include <vector>

namespace alvetra::test {

class RecordingDialogs : public Dialogs {
public:
    QMessageBox::StandardButton showMessage(QWidget *, const UserMessage &message,
                                            QMessageBox::StandardButtons) override
    {
        messages.push_back(message);
        events.push_back(QStringLiteral("message"));
        if (whileShown)
            whileShown();
        return answer;
    }

    std::optional<QString> chooseFile(QWidget *, FileDialogSettings &settings) override
    {
        shownFileDialogs.push_back(settings);
        events.push_back(QStringLiteral("file"));
        if (whileChoosing)
            whileChoosing();
        if (fileAnswer)
            settings.fileName = *fileAnswer;
        return fileAnswer;
    }

    int execDialog(QDialog &dialog) override
    {
        events.push_back(QStringLiteral("dialog:") + dialog.objectName());
        return onDialog ? onDialog(dialog) : int(QDialog::Rejected);
    }

    std::vector<UserMessage> messages;
    std::vector<FileDialogSettings> shownFileDialogs;
    std::vector<QString> events;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    // Runs while a box is "open", e.g. an event loop for as long as the user would read it.
    std::function<void()> whileShown;
    std::optional<QString> fileAnswer;
    // Runs while a file dialog is "open".
    std::function<void()> whileChoosing;
    std::function<int(QDialog &)> onDialog;
};

class MemoryShell : public ShellHooks {
public:
    WindowPreferences readPreferences() override { return stored; }
    bool showComInformation(QWidget *) override
    {
        ++comInformationShown;
        return comInformationAnswer;
    }
    void writePreferences(const WindowPreferences &preferences) override
    {
        written.push_back(preferences);
    }

    WindowPreferences stored;
    std::vector<WindowPreferences> written;
    int comInformationShown = 0;
    bool comInformationAnswer = true;
};

} // namespace alvetra::test
