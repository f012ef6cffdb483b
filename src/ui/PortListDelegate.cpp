#include "ui/PortListDelegate.h"

namespace alvetra {

QString PortListDelegate::lineText(const QModelIndex &index)
{
    const QString name = index.data(Qt::DisplayRole).toString();
    const QString description = index.data(kPortDescriptionRole).toString();
    return description.isEmpty() ? name : name + QStringLiteral("  ") + description;
}

void PortListDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = lineText(index);
}

} // namespace alvetra
