#pragma once
// Typesets the user manual from its Markdown source on A4 pages: pictures scaled to the text
// width and centred, tables across the text width, every chapter (level-2 heading) on a new page,
// no picture cut by the foot of a page nor a section heading left alone there, a table of contents
// with page numbers where the source has the line "<!-- spis treści -->", and on every page a
// footer with the title and the page number.
//
//   ManualLayout layout = ManualLayout::a4();
//   auto pages = typesetManual(markdown, QUrl::fromLocalFile(folder + "/"), layout.body, &missing);
//   paintManual(*pages, pdfWriter);

#include "paper/Pages.h"

#include <QSizeF>
#include <QStringList>
#include <QUrl>
#include <memory>

class QPdfWriter;
class QTextBlock;
class QTextDocument;

namespace alvetra::manual {

inline const QString kManualTitle = QStringLiteral("Alvetra 1.61 – instrukcja obsługi");
inline const QString kContentsTitle = QStringLiteral("Spis treści");

// The manual laid out on pages of `body`; relative picture paths are taken from `baseUrl`.
// Pictures that cannot be read are listed in `missingPictures` (the rest is typeset all the same).
std::unique_ptr<QTextDocument> typesetManual(const QString &markdown, const QUrl &baseUrl, QSizeF body,
                                             QStringList *missingPictures);

// The page (counted from 1) on which a block's first line stands.
int pageOfBlock(const QTextDocument &pages, int blockNumber);
// A block whose box runs over the foot of a page (a picture the layout did not move).
bool straddlesPages(const QTextDocument &pages, int blockNumber);
// A paragraph holding only a picture.
bool isPicture(const QTextBlock &block);

// Paints the pages with their footers; the writer's page layout must be ManualLayout::a4().page
// and its resolution kPdfResolution.
void paintManual(QTextDocument &pages, QPdfWriter &pdf);


} // namespace alvetra::manual
