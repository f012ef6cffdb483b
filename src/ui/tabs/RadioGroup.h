#pragma once
// A captioned group of mutually exclusive radio buttons laid out in columns, with an item index
// that may also be "none" (-1), as the settings tabs need before any settings were applied.

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace alvetra {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString &title, const QStringList &items, int columns, QWidget *parent = nullptr);

    int itemIndex() const;                  // -1 when no item is selected
    void setItemIndex(int index);           // -1 (or out of range) clears the selection
    int count() const { return static_cast<int>(buttons_.size()); }
    int columns() const { return columns_; }
    QStringList items() const;
    QRadioButton *button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

signals:
    // Any change of the selected item, by the user or by the program.
    void itemIndexChanged(int index);
    // The user clicked an item.
    void itemClicked(int index);

private:
    QButtonGroup *group_;
    std::vector<QRadioButton *> buttons_;
    int columns_;
    int lastIndex_ = -1;
};

} // namespace alvetra
