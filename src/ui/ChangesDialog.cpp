#include "ui/ChangesDialog.h"

#include "ui/UiTexts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace alvetra {

ChangesDialog::ChangesDialog(QWidget *parent, Kind kind, const QString &intro, const QString &thereColumn,
                             const std::vector<SettingDifference> &changes)
    : QDialog(parent)
{
    using namespace uitexts;
    setObjectName(QStringLiteral("DLG_Zmiany"));
    setWindowTitle(kind == Kind::Compare ? kCompareTitle : kConfirmWriteTitle);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(intro, this);
    label->setObjectName(QStringLiteral("LAB_Zmiany"));
    layout->addWidget(label);

    QStringList columns = kChangesColumns;
    columns[3] = thereColumn;
    table_ = new QTableWidget(static_cast<int>(changes.size()), columns.size(), this);
    table_->setObjectName(QStringLiteral("TAB_Zmiany"));
    table_->setHorizontalHeaderLabels(columns);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    // A changed password or code is listed, its values masked: the table may be shown to anyone
    // standing by, and the edits hold the values for whoever needs them.
    std::vector<SettingDifference> shown = changes;
    maskSecrets(shown);
    for (int row = 0; row < static_cast<int>(shown.size()); ++row) {
        const SettingDifference &d = shown[static_cast<std::size_t>(row)];
        const QString cells[] = {d.tab, d.setting, d.here, d.there, groupsInWords(d.group, d.flagsWord)};
        for (int column = 0; column < static_cast<int>(std::size(cells)); ++column)
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table_->resizeColumnsToContents();
    table_->setMinimumWidth(700);
    layout->addWidget(table_);
    if (std::any_of(changes.begin(), changes.end(), [](const SettingDifference &d) { return d.flagsWord; })) {
        auto *legend = new QLabel(kFlagsWordLegend, this);
        legend->setWordWrap(true);
        layout->addWidget(legend);
    }

    auto *buttons = new QDialogButtonBox(this);
    if (kind == Kind::Compare) {
        connect(buttons->addButton(kCloseButton, QDialogButtonBox::RejectRole), &QPushButton::clicked, this, &QDialog::reject);
    } else {
        connect(buttons->addButton(kWriteButton, QDialogButtonBox::AcceptRole), &QPushButton::clicked, this, &QDialog::accept);
        connect(buttons->addButton(kCancelButton, QDialogButtonBox::RejectRole), &QPushButton::clicked, this, &QDialog::reject);
    }
    layout->addWidget(buttons);
    resize(780, 360);
}

} // namespace alvetra
