#pragma once
// The settings that differ between the window and the unit's memory or a file, as a table: tab,
// setting, value here, value there, the groups that write it. Shown by "Porównaj..." and, with
// "Zapisz" and "Anuluj", before a write that changes settings beyond the tab in front.

#include "alarm/SettingsDiff.h"

#include <QDialog>
#include <vector>

class QTableWidget;

namespace alvetra {

class ChangesDialog : public QDialog {
public:
    enum class Kind { Compare, ConfirmWrite };
    ChangesDialog(QWidget *parent, Kind kind, const QString &intro, const QString &thereColumn,
                  const std::vector<SettingDifference> &changes);

    QTableWidget *table() const { return table_; }

private:
    QTableWidget *table_ = nullptr;
};

} // namespace alvetra
