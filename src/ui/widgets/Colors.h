#pragma once
// The named colours the window uses (the classic VCL palette the fitters know from the screens).

#include <QColor>

namespace alvetra::colors {

inline const QColor clLime{0, 255, 0};
inline const QColor clGreen{0, 128, 0};
inline const QColor clRed{255, 0, 0};
inline const QColor clYellow{255, 255, 0};
inline const QColor clSilver{192, 192, 192};
inline const QColor clGray{128, 128, 128};
inline const QColor clMedGray{160, 160, 164};
inline const QColor clBlue{0, 0, 255};
inline const QColor clWhite{255, 255, 255};
inline const QColor clBlack{0, 0, 0};

} // namespace alvetra::colors
