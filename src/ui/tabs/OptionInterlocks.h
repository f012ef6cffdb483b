#pragma once
// The option interlocks: a function's check box makes the controls of its details usable or
// unusable. Each rule looks only at its own check box; it runs when the box changes state (by the
// user or the program) and when the settings are applied.

#include <QObject>

namespace alvetra {

class AntiTheftTab;
class AntiHijackTab;
class TurnSignalsTab;
class CentralLocksTab;

class OptionInterlocks : public QObject {
    Q_OBJECT
public:
    OptionInterlocks(TurnSignalsTab &turnSignals, CentralLocksTab &centralLocks, AntiTheftTab &antiTheft,
                     AntiHijackTab &antiHijack, QObject *parent);

    void onSequentialTurnSignalsClicked();
    void onCentralLockClicked();
    void onLockAfterIgnitionClicked();
    void onExtraOpenPulseClicked();
    void onExtraClosePulse1Clicked();
    void onExtraClosePulse2Clicked();
    void onAntiTheftClicked();
    void onAntiHijackClicked();

private:
    TurnSignalsTab &turnSignals_;
    CentralLocksTab &centralLocks_;
    AntiTheftTab &antiTheft_;
    AntiHijackTab &antiHijack_;
};

} // namespace alvetra
