#pragma once
// The list of backups ("Kopie zapasowe"): unit and date of each, newest first. The fitter picks
// one to open like a settings file; the window opens it.

#include "files/Backups.h"

#include <QDialog>
#include <vector>

class QTreeWidget;

namespace alvetra {

class BackupsDialog : public QDialog {
    Q_OBJECT
public:
    BackupsDialog(const QString &folder, const std::vector<BackupEntry> &backups, QWidget *parent = nullptr);

    // The backup chosen; empty when none is selected.
    QString selectedPath() const;
    QTreeWidget &list() { return *list_; }

private:
    QTreeWidget *list_ = nullptr;
};

} // namespace alvetra
