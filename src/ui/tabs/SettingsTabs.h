#pragma once
// The controls inside the ten tab sheets of the page control.

#include <QObject>
#include <QWidget>
#include <array>

namespace alvetra {

// Page indexes of the page control; the monitor must stay the last page.
enum TabPage {
    kPageHasla = 0, kPageKierunkiPotw, kPageZamki, kPageAntykradziez, kPageAntynapad,
    kPageOgolne, kPageHistoria, kPageSamochodCan, kPagePiloty, kPageMonitor, kPageCount
};

class SettingsTabs : public QObject {
    Q_OBJECT
public:
    // `panels` are the panels that fill the tab sheets, in page order. Each already has a
    // QVBoxLayout whose first item is the tab's title label; the tab's controls are appended.
    SettingsTabs(const std::array<QWidget *, kPageCount> &panels, QObject *parent);
};

} // namespace alvetra
