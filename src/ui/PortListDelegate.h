#pragma once
// The drop-down of CMB_port: each port's name followed by its description ("ttyUSB0  FT232R USB
// UART"); the box itself keeps showing the name alone.

#include <QStyledItemDelegate>

namespace alvetra {

// Item data role of a port's description.
constexpr int kPortDescriptionRole = Qt::UserRole + 1;

class PortListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The text a port's line shows in the drop-down.
    static QString lineText(const QModelIndex &index);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

} // namespace alvetra
