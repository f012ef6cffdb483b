#pragma once
// The owner's papers (alarm/OwnerPapers.h) typeset as the manual is (paper/ManualTypesetter.h):
// Liberation Sans embedded, the text searchable, the paper's title in the footer. The
// installation sheet on A4, the code card on a small A5 page.

#include "alarm/OwnerPapers.h"
#include "paper/Pages.h"

#include <QString>
#include <memory>

class QTextDocument;

namespace alvetra {

enum class PaperKind { InstallationSheet, CodeCard };

manual::ManualLayout paperLayout(PaperKind kind);

// The paper laid out on pages of `body` (for a preview, or for writePaperPdf).
std::unique_ptr<QTextDocument> typesetPaper(const Paper &paper, QSizeF body);

// Writes the PDF through a temporary file that replaces `path` only when whole; the reason when
// it could not be written, nothing when it was.
std::optional<QString> writePaperPdf(const Paper &paper, PaperKind kind, const QString &path);

} // namespace alvetra
