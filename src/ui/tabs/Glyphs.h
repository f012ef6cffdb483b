#pragma once
// The 16 x 16 glyphs of the code buttons, drawn in code.

#include <QIcon>

namespace alvetra::glyphs {

QIcon redDot();      // press button: a red dot, the unit's push button
QIcon clearCode();   // clear button: a small eraser cross

} // namespace alvetra::glyphs
