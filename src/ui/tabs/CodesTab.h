#pragma once
// Tab 0 "Hasła i kody": the PC access password change and the four button codes.

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace alvetra {

struct CodeRowWidgets {
    QLineEdit *edit = nullptr;
    QPushButton *press = nullptr;
    QPushButton *clear = nullptr;
};

class CodesTab {
public:
    explicit CodesTab(QWidget *panel);

    QLineEdit *newPcPassword = nullptr;        // ED_KodProg1
    QLineEdit *newPcPasswordRepeat = nullptr;  // ED_KodProg2
    // ED_KodInst, ED_KodKidnaper, ED_KodAntykradziez, ED_KodIAwarja with their buttons.
    std::array<CodeRowWidgets, 4> codes;
    QLabel *codesNote = nullptr;    // LAB_UwagaHasla, text set by the window at start-up

    static constexpr int kPasswordLength = 4;
    static constexpr int kCodeEditWidth = 115;
    static constexpr int kSmallButtonSize = 23;
};

} // namespace alvetra
