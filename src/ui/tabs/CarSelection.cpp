#include "CarSelection.h"

#include "Colors.h"
#include "ListsTabs.h"
#include "TabBuild.h"
#include "TabTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

namespace alvetra {

CarSelection::CarSelection(CanTab &can, QObject *parent) : QObject(parent), can_(can)
{
    connect(can_.alarmCan, &QCheckBox::toggled, this, &CarSelection::CKB_AlarmCanClick);
    // Only the user's choice counts as a change; clearing a selection by the program does not.
    connect(can_.marka, &QComboBox::activated, this, &CarSelection::CMB_MarkaChange);
    connect(can_.model, &QComboBox::activated, this, &CarSelection::CMB_ModelChange);
}

void CarSelection::setMakes(const QStringList &makes)
{
    can_.marka->clear();
    can_.marka->addItems(makes);
    can_.marka->setCurrentIndex(-1);
}

int CarSelection::makeCount() const
{
    return can_.marka->count();
}

void CarSelection::setCarTable(const CarTable &cars)
{
    cars_ = cars;
}

void CarSelection::CKB_AlarmCanClick()
{
    if (can_.alarmCan->isChecked()) {
        can_.wyborSamochodu->setEnabled(true);
        setComboUsable(can_.marka, true, colors::clMedGray);
        if (can_.marka->currentIndex() < 0 || can_.model->currentIndex() < 0)
            can_.nrGrupyWybrany->setText(tabtexts::kSevenBlanks);
        return;
    }
    // Without CAN analysis the unit gets group 0.
    can_.nrGrupyWybrany->setText(QStringLiteral("0"));
    can_.model->setCurrentIndex(-1);
    can_.marka->setCurrentIndex(-1);
    can_.wyborSamochodu->setEnabled(false);
    setComboUsable(can_.marka, false, colors::clMedGray);
    setComboUsable(can_.model, false, colors::clMedGray);
}

void CarSelection::CMB_MarkaChange()
{
    can_.nrGrupyWybrany->setText(tabtexts::kEightBlanks);
    const int make = can_.marka->currentIndex();
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

void CarSelection::CMB_ModelChange()
{
    const int make = can_.marka->currentIndex();
    const int model = can_.model->currentIndex();
    if (make < 0 || model < 0) {
        can_.nrGrupyWybrany->setText(tabtexts::kEightBlanks);
        return;
    }
    const int key = make * 256 + model;
    // With duplicate keys the last record wins; with none the text stays.
    for (const CarRecord &car : cars_)
        if (car.key == key)
            can_.nrGrupyWybrany->setText(QString::number(car.group));
}

} // namespace alvetra
