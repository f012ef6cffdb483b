#include "ui/Dialogs.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QTreeView>

#include <algorithm>

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

// The list's date column is narrower than a date in most locales ("28 gru 2026 23:58:58"):
// widened to the widest date of the year as the list writes it, with the cell's margins.
void widenDateColumn(QFileDialog &dialog)
{
    constexpr int kDateColumn = 3;
    constexpr int kCellMargins = 16;
    auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!view)
        return;   // the system's own dialog
    const QDateTime widest(QDate(2028, 12, 28), QTime(23, 58, 58));
    const int needed = std::max(view->fontMetrics().horizontalAdvance(QLocale::system().toString(widest, QLocale::ShortFormat)),
                                view->fontMetrics().horizontalAdvance(QLocale::system().toString(widest, QLocale::LongFormat)));
    QHeaderView *header = view->header();
    header->resizeSection(kDateColumn, std::max(header->sectionSize(kDateColumn), needed + kCellMargins));
}

// Widens the column as the dialog shows: where the platform offers its own dialog, Qt makes its
// list only then, when that dialog declines (Windows' declines a dialog shown without modality).
class DateColumnWidener : public QObject {
public:
    explicit DateColumnWidener(QFileDialog &dialog) : QObject(&dialog), dialog_(dialog) { dialog.installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &dialog_ && event->type() == QEvent::Show)
            widenDateColumn(dialog_);
        return false;
    }

private:
    QFileDialog &dialog_;
};

} // namespace

QMessageBox::StandardButton WidgetDialogs::showMessage(QWidget *owner, const UserMessage &message,
                                                       QMessageBox::StandardButtons buttons)
{
    QMessageBox box(boxIcon(message.icon), message.caption, message.text, buttons, owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void prepareFileDialog(QFileDialog &dialog, const FileDialogSettings &settings)
{
    dialog.setWindowTitle(settings.title);
    dialog.setDirectory(settings.initialFolder);
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
    new DateColumnWidener(dialog);
}

std::optional<QString> WidgetDialogs::chooseFile(QWidget *owner, FileDialogSettings &settings)
{
    QFileDialog dialog(owner);
    prepareFileDialog(dialog, settings);
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
