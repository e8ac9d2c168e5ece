#include "ui/result/CPagePrinter.h"

#include "ui/result/CPageDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

CPagePrinter::DialogRunner g_printRunner;
CPagePrinter::DialogRunner g_pageSetupRunner;

// A table wider than the page (many powers, long values), whose cells do not wrap, gets
// smaller text until it fits across the page; the body text keeps its size.
void fitTablesToWidth(QTextDocument& document)
{
    const qreal pageWidth = document.pageSize().width();
    const double smallest = 5;
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        double size = CPagePrinter::BodyPointSize;
        const qreal padding = table->format().cellPadding();
        // The text and the cells' padding shrink together; a few rounds settle it.
        for (int round = 0; round < 4; ++round) {
            layout->documentSize();
            // A table whose cells need more than the page is laid out at the page's width
            // with its text running over; the document's ideal width is what it needs.
            const qreal width =
                std::max(layout->frameBoundingRect(table).width(), document.idealWidth());
            if (width <= pageWidth || size <= smallest)
                break;
            size = std::max(smallest, std::floor(size * pageWidth / width * 2) / 2);
            QTextCursor cells(&document);
            cells.setPosition(table->firstPosition());
            cells.setPosition(table->lastPosition(), QTextCursor::KeepAnchor);
            QTextCharFormat format;
            format.setFontPointSize(size);
            cells.mergeCharFormat(format);
            QTextTableFormat tableFormat = table->format();
            tableFormat.setCellPadding(padding * size / CPagePrinter::BodyPointSize);
            table->setFormat(tableFormat);
        }
    }
}

// The first of the paragraphs right before table that go to a new page with it: its title
// or caption (short paragraphs) or, withParagraph, a heading with the one paragraph under
// it; an invalid block when there is none. Empty paragraphs between them go along.
QTextBlock captionStart(QTextDocument& document, QTextTable* table, bool withParagraph)
{
    const int captionLength = 160;
    // Longer than this, a paragraph is no introduction to a table but text of its own.
    const int paragraphLength = 1200;
    const int captionBlocks = 3;
    QTextBlock first;
    int taken = 0;
    bool paragraphTaken = false;
    QTextBlock block = document.findBlock(table->firstPosition()).previous();
    for (; block.isValid() && taken < captionBlocks; block = block.previous()) {
        if (QTextCursor(block).currentFrame() != document.rootFrame())
            break;
        const bool isParagraph = block.length() > captionLength;
        if (isParagraph && (!withParagraph || paragraphTaken || block.length() > paragraphLength))
            break;
        paragraphTaken = paragraphTaken || isParagraph;
        // With the paragraph, the empty paragraphs around it do not count.
        if (!withParagraph || !block.text().trimmed().isEmpty())
            ++taken;
        first = block;
    }
    return first;
}

int pageOf(qreal y, qreal pageHeight)
{
    return static_cast<int>(std::floor(y / pageHeight));
}

// Starts a new page before caption (before table where caption is invalid). False, with
// the break taken back, where the table still crosses the end of a page afterwards.
bool breakBefore(QTextDocument& document, QTextTable* table, const QTextBlock& caption)
{
    const qreal pageHeight = document.pageSize().height();
    QTextCursor cursor(caption.isValid() ? caption : document.findBlock(table->firstPosition()));
    const QTextBlockFormat blockBefore = caption.blockFormat();
    const QTextTableFormat tableBefore = table->format();
    if (caption.isValid()) {
        QTextBlockFormat format = blockBefore;
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.setBlockFormat(format);
    } else {
        QTextTableFormat format = tableBefore;
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        table->setFormat(format);
    }
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    layout->documentSize();
    const QRectF box = layout->frameBoundingRect(table);
    if (pageOf(box.top(), pageHeight) == pageOf(box.bottom() - 1, pageHeight))
        return true;
    if (caption.isValid())
        cursor.setBlockFormat(blockBefore);
    else
        table->setFormat(tableBefore);
    return false;
}

// A table that fits on one page starts a new page, with its caption, rather than being
// split over two; a caption (a heading and its paragraph) that would end one page while
// its table starts the next goes to the table's page too.
void keepTablesWhole(QTextDocument& document)
{
    const qreal pageHeight = document.pageSize().height();
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        layout->documentSize(); // the whole layout, before its boxes are read
        const QRectF box = layout->frameBoundingRect(table);
        if (box.height() > pageHeight)
            continue;
        const bool split = pageOf(box.top(), pageHeight) != pageOf(box.bottom() - 1, pageHeight);
        const QTextBlock heading = captionStart(document, table, true);
        const bool headingApart =
            heading.isValid() && pageOf(layout->blockBoundingRect(heading).top(), pageHeight) !=
                                     pageOf(box.top(), pageHeight);
        if (!split && !headingApart)
            continue;
        // The heading and its paragraph go along where the table still fits on their page,
        // else the short caption, else (a table that would be split) the table goes alone.
        const QTextBlock candidates[] = {heading, captionStart(document, table, false)};
        bool moved = false;
        for (const QTextBlock& caption : candidates)
            moved = moved || (caption.isValid() && breakBefore(document, table, caption));
        if (!moved && split)
            breakBefore(document, table, QTextBlock());
    }
}

} // namespace

const QMarginsF CPagePrinter::DefaultMargins(15, 15, 15, 15);

QPrinter& CPagePrinter::printer()
{
    static std::unique_ptr<QPrinter> shared;
    if (!shared) {
        shared = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Margins for paper in hand until Page Setup or the printer's dialog says otherwise.
        shared->setPageMargins(DefaultMargins, QPageLayout::Millimeter);
    }
    return *shared;
}

void CPagePrinter::setDialogRunners(DialogRunner print, DialogRunner pageSetup)
{
    g_printRunner = std::move(print);
    g_pageSetupRunner = std::move(pageSetup);
}

void CPagePrinter::print(QTextDocument* document, QWidget* parent)
{
    if (!document || document->isEmpty())
        return;
    bool accepted = false;
    if (g_printRunner) {
        accepted = g_printRunner(printer(), parent);
    } else {
        QPrintDialog dialog(&printer(), parent);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (accepted)
        printTo(document, printer());
}

void CPagePrinter::pageSetup(QWidget* parent)
{
    if (g_pageSetupRunner) {
        g_pageSetupRunner(printer(), parent);
        return;
    }
    QPageSetupDialog dialog(&printer(), parent);
    dialog.exec();
}

std::unique_ptr<QTextDocument> CPagePrinter::paperCopy(const QTextDocument& document,
                                                       QPrinter& target)
{
    auto copy = std::make_unique<QTextDocument>();
    QFont body(QStringLiteral("Arial"));
    body.setPointSizeF(BodyPointSize);
    copy->setDefaultFont(body);
    copy->setMetaInformation(QTextDocument::DocumentTitle,
                             document.metaInformation(QTextDocument::DocumentTitle));
    // The screen's page lies in one fixed-width table cell; on paper its contents take the
    // printable width of the page instead.
    const QTextCursor report =
        CPageDocument::elementRange(const_cast<QTextDocument*>(&document), QStringLiteral("ALL"));
    QTextCursor(copy.get())
        .insertFragment(report.isNull() || !report.hasSelection() ? QTextDocumentFragment(&document)
                                                                  : report.selection());
    // Links print as the text around them (black on paper).
    CPageDocument::removeLinks(*copy);
    CPageDocument::keepCellsOnOneLine(*copy);
    // Laid out at the printer's own resolution, on the paper and margins set up.
    copy->documentLayout()->setPaintDevice(&target);
    copy->setDocumentMargin(0);
    copy->setPageSize(target.pageRect(QPrinter::DevicePixel).size());
    fitTablesToWidth(*copy);
    keepTablesWhole(*copy);
    return copy;
}

bool CPagePrinter::printTo(QTextDocument* document, QPrinter& target)
{
    if (!document || document->isEmpty() || !target.isValid())
        return false;
    paperCopy(*document, target)->print(&target);
    return target.printerState() != QPrinter::Error;
}
