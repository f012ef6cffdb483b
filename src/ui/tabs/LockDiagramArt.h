#pragma once
// The pictures of the central-lock pulse diagrams: the pulse train on opening (A, pause B1,
// pulse C1) and on closing (A, B2, C2, D2, E2), with one quantity highlighted in red. The build
// writes them as the "Otworz0.bmp" ... "Zamknij5.bmp" files the lock tab reads.
//
// Variants: 0 highlights A, 1 is the plain overview, 2 and up highlight the quantities in pulse
// order (opening: 2 = B1, 3 = C1; closing: 2 = B2, 3 = C2, 4 = D2, 5 = E2).

#include <QImage>
#include <QString>

namespace alvetra::lockdiagram {

constexpr int kOpeningVariants = 4;
constexpr int kClosingVariants = 6;
constexpr int kOpeningWidth = 146;
constexpr int kClosingWidth = 241;
constexpr int kHeight = 28;
constexpr int kNoHighlight = -1;

QImage opening(int variant);
QImage closing(int variant);
QString openingFile(int variant);   // "Otworz<variant>.bmp"
QString closingFile(int variant);   // "Zamknij<variant>.bmp"

// Index of the highlighted quantity in pulse order (A = 0), or kNoHighlight for the overview.
int highlightedSegment(int variant);

// Where a quantity's segment lies in its picture (x range), for checking the pictures.
struct SegmentSpan {
    int left;
    int right;
};
SegmentSpan openingSpan(int segment);
SegmentSpan closingSpan(int segment);

// The colour of a highlighted quantity.
QRgb highlightColor();

// Writes all ten files into `folder`; false with `error` set when a file cannot be written.
bool writeAll(const QString &folder, QString *error);

} // namespace alvetra::lockdiagram
