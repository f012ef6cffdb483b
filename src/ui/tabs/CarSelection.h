#pragma once
// The car selection of the "CAN" tab: switching CAN analysis on and off, choosing the make and the
// model, and showing the CAN group that the chosen car gives.

#include "files/CarRecord.h"

#include <QObject>
#include <QStringList>

namespace alvetra {

class CanTab;

class CarSelection : public QObject {
    Q_OBJECT
public:
    CarSelection(CanTab &can, QObject *parent);

    // The make list as the car database gives it (a make listed twice appears twice).
    void setMakes(const QStringList &makes);
    int makeCount() const;
    // The car records in file order; models are listed from them.
    void setCarTable(const CarTable &cars);
    const CarTable &carTable() const { return cars_; }

    void onAlarmCanClicked();
    void onMakeChanged();
    void onModelChanged();

private:
    CanTab &can_;
    CarTable cars_;
};

} // namespace alvetra
