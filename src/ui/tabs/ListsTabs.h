#pragma once
// Tabs 6 "Historia zdarzeń", 7 "CAN" and 8 "Piloty".

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QWidget;

namespace alvetra {

class HistoryTab {
public:
    explicit HistoryTab(QWidget *panel);

    QTableWidget *historyList = nullptr;   // LV_Historia

    static constexpr int kListWidth = 695;
    static constexpr int kListHeight = 323;
};

class CanTab {
public:
    explicit CanTab(QWidget *panel);

    QWidget *panel = nullptr;                      // PNL_Can
    QCheckBox *alarmCan = nullptr;                 // CKB_AlarmCan
    QGroupBox *carChoice = nullptr;                // GB_WyborSamochoduCan
    QComboBox *make = nullptr;                     // CMB_Marka
    QComboBox *model = nullptr;                    // CMB_Model
    QLabel *chosenCanGroup = nullptr;              // ST_NrGrupyWybrany
    QLabel *storedCanGroup = nullptr;              // ST_NrGrupy
    QGroupBox *canAnalysisGroup = nullptr;         // GB_PomijanieLiniiNaCan
    QCheckBox *canIgnoreDoorSwitches = nullptr;    // CKB_AlarmCanWylaczKrancowke
    QCheckBox *canIgnoreIgnition = nullptr;        // CKB_AlarmCanWylaczStacyjke
    QCheckBox *canIgnoreFactoryRemote = nullptr;   // CKB_AlarmCanWylaczPilot
    QPushButton *writeCanOptionsButton = nullptr;  // BITBTN_ZapisCanSyg

    static constexpr int kMakeWidth = 220;
    static constexpr int kModelWidth = 365;
};

class RemotesTab {
public:
    explicit RemotesTab(QWidget *panel);

    std::array<QLabel *, 4> remoteLines{};     // Pilot1 to Pilot4
    std::array<QLabel *, 4> tokenLines{};      // Token1 to Token4

    static constexpr int kButtonWidth = 105;
};

} // namespace alvetra
