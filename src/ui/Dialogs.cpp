#include "ui/Dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace alvetra {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QMessageBox::StandardButton WidgetDialogs::showMessage(QWidget *owner, const UserMessage &message,
                                                       QMessageBox::StandardButtons buttons)
{
    QMessageBox box(boxIcon(message.icon), message.caption, message.text, buttons, owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<QString> WidgetDialogs::chooseFile(QWidget *owner, FileDialogSettings &settings)
{
    QFileDialog dialog(owner, settings.title, settings.initialFolder);
    const bool saving = settings.mode == FileDialogSettings::Mode::Save;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(settings.filters);
    if (settings.filterIndex >= 1 && settings.filterIndex <= settings.filters.size())
        dialog.selectNameFilter(settings.filters.at(settings.filterIndex - 1));
    dialog.setDefaultSuffix(settings.defaultExtension);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.promptOverwrite);
    dialog.setSizeGripEnabled(settings.resizable);
    if (!settings.fileName.isEmpty())
        dialog.selectFile(settings.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    settings.fileName = QDir::toNativeSeparators(QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath());
    settings.filterIndex = static_cast<int>(settings.filters.indexOf(dialog.selectedNameFilter())) + 1;
    return settings.fileName;
}

int WidgetDialogs::execDialog(QDialog &dialog)
{
    return dialog.exec();
}

} // namespace alvetra
