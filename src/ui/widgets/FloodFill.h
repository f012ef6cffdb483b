#pragma once
// Flood fill of one colour area in an image (Qt has none): every pixel of exactly `target`
// colour that is 4-connected to `seed` becomes `replacement`. A seed outside the image or of
// another colour changes nothing.

#include <QImage>
#include <QPoint>

namespace alvetra {

// Returns the number of pixels changed. The image must be in Format_RGB32 or Format_ARGB32.
int floodFill(QImage &image, QPoint seed, QRgb target, QRgb replacement);

} // namespace alvetra
