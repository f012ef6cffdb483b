#include "ui/tabs/CarSelection.h"

#include "ui/widgets/Colors.h"
#include "ui/tabs/ListsTabs.h"
#include "ui/tabs/TabBuild.h"
#include "ui/tabs/TabTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

namespace alvetra {

CarSelection::CarSelection(CanTab &can, QObject *parent) : QObject(parent), can_(can)
{
    connect(can_.alarmCan, &QCheckBox::toggled, this, &CarSelection::onAlarmCanClicked);
    // Only the user's choice counts as a change; clearing a selection by the program does not.
    connect(can_.make, &QComboBox::activated, this, &CarSelection::onMakeChanged);
    connect(can_.model, &QComboBox::activated, this, &CarSelection::onModelChanged);
}

void CarSelection::setMakes(const QStringList &makes)
{
    can_.make->clear();
    can_.make->addItems(makes);
    can_.make->setCurrentIndex(-1);
}

int CarSelection::makeCount() const
{
    return can_.make->count();
}

void CarSelection::setCarTable(const CarTable &cars)
{
    cars_ = cars;
}

void CarSelection::onAlarmCanClicked()
{
    if (can_.alarmCan->isChecked()) {
        can_.carChoice->setEnabled(true);
        setComboUsable(can_.make, true, colors::clMedGray);
        if (can_.make->currentIndex() < 0 || can_.model->currentIndex() < 0)
            can_.chosenCanGroup->setText(tabtexts::kSevenBlanks);
        return;
    }
    // Without CAN analysis the unit gets group 0.
    can_.chosenCanGroup->setText(QStringLiteral("0"));
    can_.model->setCurrentIndex(-1);
    can_.make->setCurrentIndex(-1);
    can_.carChoice->setEnabled(false);
    setComboUsable(can_.make, false, colors::clMedGray);
    setComboUsable(can_.model, false, colors::clMedGray);
}

void CarSelection::onMakeChanged()
{
    can_.chosenCanGroup->setText(tabtexts::kEightBlanks);
    const int make = can_.make->currentIndex();
    if (make < 0) {
        can_.model->setCurrentIndex(-1);
        setComboUsable(can_.model, false, colors::clMedGray);
        return;
    }
    can_.model->clear();
    for (const CarRecord &car : cars_)
        if (car.makeNumber() == make)
            can_.model->addItem(car.model);
    can_.model->setCurrentIndex(-1);
    setComboUsable(can_.model, true, colors::clMedGray);
}

void CarSelection::onModelChanged()
{
    const int make = can_.make->currentIndex();
    const int model = can_.model->currentIndex();
    if (make < 0 || model < 0) {
        can_.chosenCanGroup->setText(tabtexts::kEightBlanks);
        return;
    }
    const int key = make * 256 + model;
    // With duplicate keys the last record wins; with none the text stays.
    for (const CarRecord &car : cars_)
        if (car.key == key)
            can_.chosenCanGroup->setText(QString::number(car.group));
}

} // namespace alvetra
