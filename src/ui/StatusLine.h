#pragma once
// StatusBar1: the window's status line of four sunken panels (70, 100, 180 and 100 pixels; the
// first three centred, the fourth left-aligned).

#include <QFrame>
#include <array>

class QLabel;

namespace alvetra {

// What the panels show.
constexpr int kPortPanel = 0;             // "Port otwarty" / "Port zamknięty"
constexpr int kChecksumPanel = 1;         // the checksum-error count
constexpr int kIdentificationPanel = 2;   // the unit's identification line

class StatusLine : public QFrame {
    Q_OBJECT
public:
    static constexpr int kPanelCount = 4;
    static constexpr std::array<int, kPanelCount> kPanelWidths{70, 100, 180, 100};

    explicit StatusLine(QWidget *parent = nullptr);

    void setPanelText(int panel, const QString &text);
    QString panelText(int panel) const;

private:
    static constexpr int kSmallestPixelSize = 8;
    void fitText(QLabel *label);

    std::array<QLabel *, kPanelCount> panels_{};
};

} // namespace alvetra
