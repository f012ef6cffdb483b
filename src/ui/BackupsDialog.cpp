#include "ui/BackupsDialog.h"

#include "ui/UiTexts.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace alvetra {

BackupsDialog::BackupsDialog(const QString &folder, const std::vector<BackupEntry> &backups, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("BackupsDialog"));
    setWindowTitle(uitexts::kBackupsTitle);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("LV_KopieZapasowe"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({uitexts::kBackupsUnitColumn, uitexts::kBackupsDateColumn});
    for (const BackupEntry &backup : backups) {
        auto *item = new QTreeWidgetItem(list_, {backup.unit, backup.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))});
        item->setData(0, Qt::UserRole, backup.path);
        item->setToolTip(0, backup.path);
    }
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Open)->setText(uitexts::kBackupsOpen);
    buttons->button(QDialogButtonBox::Open)->setEnabled(list_->topLevelItemCount() > 0);
    buttons->button(QDialogButtonBox::Cancel)->setText(uitexts::kBackupsCancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemActivated, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    auto *where = new QLabel(backups.empty() ? uitexts::kBackupsNone : uitexts::kBackupsFolder.arg(QDir::toNativeSeparators(folder)), this);
    where->setObjectName(QStringLiteral("LAB_FolderKopii"));
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(where);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(480, 360);
}

QString BackupsDialog::selectedPath() const
{
    const QTreeWidgetItem *item = list_->currentItem();
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

} // namespace alvetra
