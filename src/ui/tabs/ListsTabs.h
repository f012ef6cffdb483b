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

class HistoriaTab {
public:
    explicit HistoriaTab(QWidget *panel);

    QTableWidget *historia = nullptr;   // LV_Historia

    static constexpr int kListWidth = 695;
    static constexpr int kListHeight = 323;
};

class CanTab {
public:
    explicit CanTab(QWidget *panel);

    QWidget *panel = nullptr;                  // PNL_Can
    QCheckBox *alarmCan = nullptr;             // CKB_AlarmCan
    QGroupBox *wyborSamochodu = nullptr;       // GB_WyborSamochoduCan
    QComboBox *marka = nullptr;                // CMB_Marka
    QComboBox *model = nullptr;                // CMB_Model
    QLabel *nrGrupyWybrany = nullptr;          // ST_NrGrupyWybrany
    QLabel *nrGrupy = nullptr;                 // ST_NrGrupy
    QGroupBox *pomijanieLinii = nullptr;       // GB_PomijanieLiniiNaCan
    QCheckBox *wylaczKrancowke = nullptr;      // CKB_AlarmCanWylaczKrancowke
    QCheckBox *wylaczStacyjke = nullptr;       // CKB_AlarmCanWylaczStacyjke
    QCheckBox *wylaczPilot = nullptr;          // CKB_AlarmCanWylaczPilot
    QPushButton *zapisCanSyg = nullptr;        // BITBTN_ZapisCanSyg

    static constexpr int kMarkaWidth = 220;
    static constexpr int kModelWidth = 365;
};

class PilotyTab {
public:
    explicit PilotyTab(QWidget *panel);

    std::array<QLabel *, 4> piloty{};          // Pilot1 to Pilot4
    std::array<QLabel *, 4> tokeny{};          // Token1 to Token4

    static constexpr int kButtonWidth = 105;
};

} // namespace alvetra
