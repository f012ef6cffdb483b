#include "paper/Pages.h"

#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace alvetra::manual {

namespace {

void paintFooter(QPainter &painter, const QFont &font, const QString &title, qreal width, qreal bodyHeight, int page)
{
    painter.setFont(font);
    painter.setPen(QColor(90, 90, 90));
    painter.drawLine(QPointF(0, bodyHeight + 4), QPointF(width, bodyHeight + 4));
    const QRectF footer(0, bodyHeight + 8, width, kFooterHeight - 8);
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignTop, title);
    painter.drawText(footer, Qt::AlignRight | Qt::AlignTop, QString::number(page));
}

} // namespace

ManualLayout ManualLayout::a4()
{
    return ofSize(QPageSize::A4);
}

ManualLayout ManualLayout::ofSize(QPageSize::PageSizeId size)
{
    ManualLayout layout;
    layout.page = QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF(18, 16, 18, 14), QPageLayout::Millimeter);
    const QRectF paintArea = layout.page.paintRectPixels(kPdfResolution);
    const qreal scale = qreal(kPdfResolution) / kDocumentDpi;
    layout.body = QSizeF(paintArea.width() / scale, paintArea.height() / scale - kFooterHeight);
    return layout;
}

void paintPages(QTextDocument &pages, QPdfWriter &pdf, const QString &footerTitle)
{
    const qreal scale = qreal(kPdfResolution) / kDocumentDpi;
    const QSizeF body = pages.pageSize();
    QFont footerFont = pages.defaultFont();
    footerFont.setPointSizeF(footerFont.pointSizeF() * 0.8);
    QPainter painter(&pdf);
    painter.scale(scale, scale);
    for (int page = 0; page < pages.pageCount(); ++page) {
        if (page > 0)
            pdf.newPage();
        painter.save();
        const QRectF visible(0, page * body.height(), body.width(), body.height());
        painter.translate(0, -visible.top());
        pages.drawContents(&painter, visible);
        painter.restore();
        painter.save();
        paintFooter(painter, footerFont, footerTitle, body.width(), body.height(), page + 1);
        painter.restore();
    }
}

} // namespace alvetra::manual
