#include "paper/ManualTypesetter.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <functional>
#include <vector>

namespace alvetra::manual {

namespace {

const QString kContentsMarker = QStringLiteral("<!-- spis treści -->");
const QString kContentsPlaceholder = QStringLiteral("@@spis-tresci@@");

struct Chapter {
    int heading;        // block numbers
    int contentsLine;   // its line in the table of contents
};

int headingLevel(const QTextBlock &block)
{
    return block.blockFormat().headingLevel();
}

void changeBlockFormat(const QTextBlock &block, const std::function<void(QTextBlockFormat &)> &change)
{
    QTextBlockFormat format = block.blockFormat();
    change(format);
    QTextCursor(block).setBlockFormat(format);
}

// ---- the document

// Pictures wider than the text shrink to its width, keeping their proportions. Pictures that
// cannot be read are listed in `missing`.
void fitPictures(QTextDocument &document, qreal textWidth, QStringList *missing)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QImage image = document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
            if (image.isNull()) {
                if (missing)
                    missing->append(format.name());
                continue;
            }
            const qreal width = std::min<qreal>(image.width(), textWidth);
            format.setWidth(width);
            format.setHeight(image.height() * width / image.width());
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

// Every chapter starts on a new page, so the title, the introduction and the table of contents
// make the first page; a document that starts with a chapter gets no empty page in front. Sections
// get some room above them.
void arrangeHeadings(QTextDocument &document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (headingLevel(block) == 2 && block != document.begin())   // a break there is an empty page
            changeBlockFormat(block, [](QTextBlockFormat &f) { f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore); });
        else if (headingLevel(block) == 3)
            changeBlockFormat(block, [](QTextBlockFormat &f) { f.setTopMargin(12); });
    }
}

// Tables span the text width; pictures stand centred in their own paragraphs.
void arrangeTablesAndPictures(QTextDocument &document)
{
    for (QTextFrame *frame : document.rootFrame()->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(frame)) {
            QTextTableFormat format = table->format();
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            format.setCellPadding(3);
            format.setBorderCollapse(true);
            table->setFormat(format);
        }
    }
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!isPicture(block))
            continue;
        changeBlockFormat(block, [](QTextBlockFormat &f) {
            f.setAlignment(Qt::AlignHCenter);
            f.setTopMargin(6);
            f.setBottomMargin(6);
        });
    }
}

QTextBlock findBlock(const QTextDocument &document, const QString &text)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.text().trimmed() == text)
            return block;
    return {};
}

// Replaces the placeholder paragraph with a title and one line per chapter; the page numbers
// are filled in once the pages are known.
std::vector<Chapter> insertContents(QTextDocument &document, qreal textWidth)
{
    std::vector<Chapter> chapters;
    const QTextBlock placeholder = findBlock(document, kContentsPlaceholder);
    if (!placeholder.isValid())
        return chapters;
    std::vector<QTextBlock> headings;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (headingLevel(block) == 2)
            headings.push_back(block);

    QTextCursor cursor(placeholder);
    cursor.select(QTextCursor::BlockUnderCursor);
    cursor.removeSelectedText();

    QTextBlockFormat titleLine;
    titleLine.setTopMargin(12);
    titleLine.setBottomMargin(4);
    QTextCharFormat title;
    title.setFontWeight(QFont::Bold);
    title.setFontPointSize(12);
    cursor.insertBlock(titleLine, title);
    cursor.insertText(kContentsTitle);

    QTextBlockFormat line;
    line.setTabPositions({QTextOption::Tab(textWidth, QTextOption::RightTab)});
    line.setTopMargin(2);
    std::vector<int> lines;
    for (const QTextBlock &heading : headings) {
        cursor.insertBlock(line, QTextCharFormat());
        cursor.insertText(heading.text() + QStringLiteral("\t00"));
        lines.push_back(cursor.block().blockNumber());
    }
    // The inserted lines moved the headings' block numbers; take them now.
    for (std::size_t i = 0; i < headings.size(); ++i)
        chapters.push_back({headings[i].blockNumber(), lines[i]});
    return chapters;
}

// ---- pages

// A fresh copy of the document laid out on pages of `body`. Laying out anew after every change
// keeps the pages right: the layout of a document changed after its layout is not reliable.
std::unique_ptr<QTextDocument> paginated(const QTextDocument &document, QSizeF body)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setBaseUrl(document.baseUrl());
    copy->setDocumentMargin(document.documentMargin());
    copy->setPageSize(body);
    copy->documentLayout()->documentSize();
    return copy;
}

// Pages are counted from 0. A block's bounding rectangle starts where the block would have
// started without a page break; its lines are where they are drawn.
int pageAt(const QTextDocument &pages, qreal y)
{
    return int(y / pages.pageSize().height());
}

int lastPageOf(const QTextDocument &pages, const QTextBlock &block)
{
    return pageAt(pages, pages.documentLayout()->blockBoundingRect(block).bottom() - 1);
}

// The page of a block's first line.
int firstLinePageOf(const QTextDocument &pages, const QTextBlock &block)
{
    const QRectF rect = pages.documentLayout()->blockBoundingRect(block);
    const QTextLayout *layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return pageAt(pages, rect.top());
    const QTextLine line = layout->lineAt(0);
    return pageAt(pages, rect.top() + line.y() - layout->boundingRect().top() + line.height() - 1);
}

}   // namespace

bool isPicture(const QTextBlock &block)
{
    return block.text() == QString(QChar::ObjectReplacementCharacter);
}

bool straddlesPages(const QTextDocument &pages, int blockNumber)
{
    const QRectF rect = pages.documentLayout()->blockBoundingRect(pages.findBlockByNumber(blockNumber));
    return pageAt(pages, rect.top()) != pageAt(pages, rect.bottom() - 1);
}

namespace {

// The first block that must move to the next page, or -1: a section heading left alone at the
// foot of a page, or a picture running over the foot of a page (the layout moves lines of text to
// the next page, not pictures), together with the heading right above it.
int blockToMove(const QTextDocument &pages)
{
    for (QTextBlock block = pages.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (headingLevel(block) == 3 && next.isValid() && lastPageOf(pages, block) != firstLinePageOf(pages, next))
            return block.blockNumber();
        if (isPicture(block) && straddlesPages(pages, block.blockNumber())) {
            const QTextBlock previous = block.previous();
            const bool headed = previous.isValid() && headingLevel(previous) == 3;
            return (headed ? previous : block).blockNumber();
        }
    }
    return -1;
}

// Moves such blocks to the next page, one at a time: each move shifts the pages after it.
void keepPagesWhole(QTextDocument &document, QSizeF body)
{
    for (int moves = 0; moves < 100; ++moves) {
        const int block = blockToMove(*paginated(document, body));
        if (block < 0)
            return;
        changeBlockFormat(document.findBlockByNumber(block),
                          [](QTextBlockFormat &f) { f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore); });
    }
}

void numberContents(QTextDocument &document, const std::vector<Chapter> &chapters, QSizeF body)
{
    const std::unique_ptr<QTextDocument> pages = paginated(document, body);
    for (const Chapter &chapter : chapters) {
        QTextCursor cursor(document.findBlockByNumber(chapter.contentsLine));
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor, 2);
        cursor.insertText(QString::number(lastPageOf(*pages, pages->findBlockByNumber(chapter.heading)) + 1));
    }
}

} // namespace

std::unique_ptr<QTextDocument> typesetManual(const QString &markdown, const QUrl &baseUrl, QSizeF body,
                                             QStringList *missingPictures)
{
    QTextDocument document;
    document.setBaseUrl(baseUrl);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(10);
    document.setDefaultFont(font);
    document.setDocumentMargin(0);
    QString source = markdown;
    source.replace(kContentsMarker, kContentsPlaceholder);
    document.setMarkdown(source, QTextDocument::MarkdownDialectGitHub);

    fitPictures(document, body.width(), missingPictures);
    arrangeHeadings(document);
    arrangeTablesAndPictures(document);
    const std::vector<Chapter> chapters = insertContents(document, body.width());
    keepPagesWhole(document, body);
    numberContents(document, chapters, body);
    return paginated(document, body);
}

int pageOfBlock(const QTextDocument &pages, int blockNumber)
{
    return firstLinePageOf(pages, pages.findBlockByNumber(blockNumber)) + 1;
}

void paintManual(QTextDocument &pages, QPdfWriter &pdf)
{
    paintPages(pages, pdf, kManualTitle);
}

} // namespace alvetra::manual
