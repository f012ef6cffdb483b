#include "paper/PaperPdf.h"

#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace alvetra {

namespace {

QString escaped(const QString &text) { return text.toHtmlEscaped(); }

// A table of the lines, a dotted blank where a value is missing (to be filled in by hand), then
// the section's paragraphs.
QString sectionHtml(const PaperSection &section)
{
    QString html;
    if (!section.title.isEmpty())
        html += QStringLiteral("<h3>%1</h3>").arg(escaped(section.title));
    QString rows;
    for (const PaperLine &line : section.lines) {
        const QString value = line.value.isEmpty() ? QString(30, u'.') : escaped(line.value);
        rows += QStringLiteral("<tr><td width=\"45%\">%1</td><td><b>%2</b></td></tr>").arg(escaped(line.label), value);
    }
    if (!rows.isEmpty())
        html += QStringLiteral("<table width=\"100%\" cellpadding=\"2\" cellspacing=\"0\">%1</table>").arg(rows);
    for (const QString &text : section.texts)
        html += QStringLiteral("<p>%1</p>").arg(escaped(text));
    return html;
}

QString signaturesHtml(const std::vector<QString> &captions)
{
    if (captions.empty())
        return {};
    const QString line(36, u'.');
    QString cells;
    for (const QString &caption : captions)
        cells += QStringLiteral("<td align=\"center\">%1<br/>%2</td>").arg(line, escaped(caption));
    return QStringLiteral("<p>&nbsp;</p><p>&nbsp;</p><table width=\"100%\"><tr>%1</tr></table>").arg(cells);
}

QString paperHtml(const Paper &paper)
{
    QString html = QStringLiteral("<h1>%1</h1><p><i>%2</i></p>").arg(escaped(paper.title), escaped(paper.subtitle));
    for (const PaperSection &section : paper.sections)
        html += sectionHtml(section);
    return html + signaturesHtml(paper.signatures);
}

} // namespace

manual::ManualLayout paperLayout(PaperKind kind)
{
    return manual::ManualLayout::ofSize(kind == PaperKind::CodeCard ? QPageSize::A5 : QPageSize::A4);
}

std::unique_ptr<QTextDocument> typesetPaper(const Paper &paper, QSizeF body)
{
    auto document = std::make_unique<QTextDocument>();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(10);
    document->setDefaultFont(font);
    document->setDocumentMargin(0);
    document->setHtml(paperHtml(paper));
    document->setPageSize(body);
    return document;
}

std::optional<QString> writePaperPdf(const Paper &paper, PaperKind kind, const QString &path)
{
    const manual::ManualLayout layout = paperLayout(kind);
    const std::unique_ptr<QTextDocument> pages = typesetPaper(paper, layout.body);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(paper.title);
        pdf.setCreator(QStringLiteral("Alvetra"));
        pdf.setResolution(manual::kPdfResolution);
        pdf.setPageLayout(layout.page);
        manual::paintPages(*pages, pdf, paper.title);
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace alvetra
