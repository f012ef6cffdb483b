#include "ui/tabs/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace alvetra {

RadioGroup::RadioGroup(const QString &title, const QStringList &items, int columns, QWidget *parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this)), columns_(columns < 1 ? 1 : columns)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 1, 6, 3);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(1);
    // Items run down the first column, then the next, as the classic radio group fills them.
    const int rows = (static_cast<int>(items.size()) + columns_ - 1) / columns_;
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), this);
        group_->addButton(button, i);
        buttons_.push_back(button);
        grid->addWidget(button, rows ? i % rows : 0, rows ? i / rows : 0);
    }
    for (int c = 0; c < columns_; ++c)
        grid->setColumnStretch(c, 1);
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked || id == lastIndex_)
            return;
        lastIndex_ = id;
        emit itemIndexChanged(id);
    });
    connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

int RadioGroup::itemIndex() const
{
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < count()) {
        buttons_[static_cast<std::size_t>(index)]->setChecked(true);
        return;
    }
    if (group_->checkedButton() == nullptr)
        return;
    // An exclusive group refuses to uncheck its last button; lift the rule for the moment.
    group_->setExclusive(false);
    group_->checkedButton()->setChecked(false);
    group_->setExclusive(true);
    lastIndex_ = -1;
    emit itemIndexChanged(-1);
}

QStringList RadioGroup::items() const
{
    QStringList texts;
    for (const auto *button : buttons_)
        texts << button->text();
    return texts;
}

} // namespace alvetra
