#pragma once
// The 16 x 16 glyphs of the tool bar, the actions and the connection buttons, and the logo; all
// drawn in code. Every icon carries a greyed form for its disabled state.

#include <QIcon>
#include <QImage>
#include <QSize>

namespace alvetra::toolglyphs {

// By the image-list index the actions use.
enum Glyph { OpenSettings = 0, SaveSettings = 1, Exit = 2, PortReset = 3, Unused = 4, Write = 5, Read = 6, Manual = 7 };

QIcon icon(Glyph glyph);
QIcon connect();      // BITBTN_Polacz
QIcon writeAll();     // BITBTN_ZapisAll
QIcon backups();      // ActionKopieZapasowe
QIcon installationSheet();   // ActionKartaMontazu
// The logo of the connection panel, drawn for 758 x 213 and painted at the given size (the
// panel shows it at 195 x 47). Painted rather than scaled down from a large picture, which
// Qt would hand to its thread pool.
QImage logo(QSize size);

} // namespace alvetra::toolglyphs
