#pragma once
// The pages the program prints on: A4 (the manual, the installation sheet) or smaller (the code
// card) with the manual's margins, the text laid out in screen pixels (1/96 inch) above a footer
// with a title and the page number, painted into a PDF at kPdfResolution.

#include <QPageLayout>
#include <QSizeF>
#include <QString>

class QPdfWriter;
class QTextDocument;

namespace alvetra::manual {

inline constexpr int kPdfResolution = 1200;   // dots per inch of the PDF painter
inline constexpr qreal kDocumentDpi = 96;     // the unit of the text layout: one screen pixel
inline constexpr qreal kFooterHeight = 28;    // below the text of every page, in layout units

struct ManualLayout {
    QPageLayout page;
    QSizeF body;   // the text area of a page in layout units (1/96 inch), the footer below it
    static ManualLayout a4();
    // A page of another size with the manual's margins (the owner's papers).
    static ManualLayout ofSize(QPageSize::PageSizeId size);
};

// Paints the pages, each with its footer (`footerTitle`, the page number); the writer's page
// layout must be the ManualLayout's page and its resolution kPdfResolution.
void paintPages(QTextDocument &pages, QPdfWriter &pdf, const QString &footerTitle);

} // namespace alvetra::manual
