#include "ui/result/CPagePrinter.h"

#include "ui/common/CommandIds.h"
#include "ui/result/ExportFixture.h"

#include <QColor>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextTable>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

class PagePrinterTest : public ::testing::Test, public ExportFixture
{
protected:
    // Prints document into a PDF file and returns its bytes.
    QByteArray printToPdf(QTextDocument* document, const QString& name, bool* ok = nullptr)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = folder.filePath(name);
        printer.setOutputFileName(path);
        const bool printed = CPagePrinter::printTo(document, printer);
        if (ok)
            *ok = printed;
        return readAll(path);
    }

    QTemporaryDir folder;
};

// One word of a printed page as pdftotext (poppler-utils) places it, in points from the
// page's top-left corner.
struct PrintedWord
{
    QString text;
    double left, top, right, bottom;
    int page;
};

struct PrintedPages
{
    double width = 0;
    double height = 0;
    std::vector<PrintedWord> words;

    // The height of a line of the body text: the most common word height.
    double bodyWordHeight() const
    {
        std::vector<double> heights;
        for (const PrintedWord& w : words)
            heights.push_back(std::round((w.bottom - w.top) * 10) / 10);
        std::sort(heights.begin(), heights.end());
        double best = 0;
        size_t bestCount = 0;
        for (size_t i = 0; i < heights.size();) {
            size_t j = i;
            while (j < heights.size() && heights[j] == heights[i])
                ++j;
            if (j - i > bestCount) {
                bestCount = j - i;
                best = heights[i];
            }
            i = j;
        }
        return best;
    }
    const PrintedWord* find(const QString& text, int skip = 0) const
    {
        for (const PrintedWord& w : words)
            if (w.text == text && skip-- == 0)
                return &w;
        return nullptr;
    }
};

PrintedPages readPrintedWords(const QString& pdf)
{
    PrintedPages pages;
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext (poppler-utils, installed by scripts/deps.sh) did not run";
        return pages;
    }
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    const QRegularExpression page(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    int pageIndex = -1;
    for (const QString& line : html.split(QLatin1Char('\n'))) {
        const auto p = page.match(line);
        if (p.hasMatch()) {
            ++pageIndex;
            pages.width = p.captured(1).toDouble();
            pages.height = p.captured(2).toDouble();
            continue;
        }
        const auto w = word.match(line);
        if (w.hasMatch())
            pages.words.push_back({w.captured(5), w.captured(1).toDouble(),
                                   w.captured(2).toDouble(), w.captured(3).toDouble(),
                                   w.captured(4).toDouble(), pageIndex});
    }
    return pages;
}

int pageCount(const QByteArray& pdf)
{
    return pdf.count("/Type /Page\n") + pdf.count("/Type /Page ") + pdf.count("/Type /Page/") +
           pdf.count("/Type /Page>");
}

TEST_F(PagePrinterTest, PrintsTheDisplayedPage)
{
    view.loadData(3);
    bool ok = false;
    const QByteArray table = printToPdf(view.browser()->document(), "table.pdf", &ok);
    EXPECT_TRUE(ok);
    ASSERT_TRUE(table.startsWith("%PDF-"));
    EXPECT_TRUE(table.contains("/BaseFont")) << "no text was drawn";
    EXPECT_GE(pageCount(table), 1);

    // The same printer path with one word only: the table's page holds far more drawing.
    QTextDocument word;
    word.setHtml(QStringLiteral("<p>x</p>"));
    const QByteArray small = printToPdf(&word, "word.pdf");
    ASSERT_TRUE(small.startsWith("%PDF-"));
    EXPECT_GT(table.size(), small.size() + 2000) << table.size() << " vs " << small.size();
    // The screen keeps its page.
    EXPECT_TRUE(view.browser()->toPlainText().contains(QStringLiteral("Sample size for paired")));
}

// The reference line height: a line of 10.5-point Arial printed by the same path.
double referenceWordHeight(QTemporaryDir& folder)
{
    QTextDocument reference;
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10.5);
    reference.setDefaultFont(font);
    reference.setPlainText(QStringLiteral("Reference line of body text"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("reference.pdf")));
    reference.print(&printer);
    return readPrintedWords(folder.filePath(QStringLiteral("reference.pdf"))).bodyWordHeight();
}

TEST_F(PagePrinterTest, BodyTextIsReadableAndFillsThePrintableWidth)
{
    // The step-4 report: long paragraphs and a table.
    paired->SelectFromQuery("n=3&pow=2");
    view.loadData(4);
    const double reference = referenceWordHeight(folder);
    ASSERT_GT(reference, 0);
    // Liberation Sans words are about 1.15 times their point size high.
    EXPECT_NEAR(10.5 * 1.15, reference, 1.0);

    struct Paper
    {
        const char* what;
        QPageSize::PageSizeId size;
        QMarginsF margins; // millimetres
    } papers[] = {
        {"A4, default margins", QPageSize::A4, {10, 10, 10, 10}},
        {"Letter, wide margins", QPageSize::Letter, {30, 20, 40, 25}},
    };
    for (const Paper& paper : papers) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = folder.filePath(QString::fromLatin1(paper.what) + ".pdf");
        printer.setOutputFileName(path);
        printer.setPageLayout(QPageLayout(QPageSize(paper.size), QPageLayout::Portrait,
                                          paper.margins, QPageLayout::Millimeter));
        ASSERT_TRUE(CPagePrinter::printTo(view.browser()->document(), printer)) << paper.what;
        const PrintedPages pages = readPrintedWords(path);
        ASSERT_FALSE(pages.words.empty()) << paper.what;
        const QSizeF expected = QPageSize(paper.size).size(QPageSize::Point);
        EXPECT_NEAR(expected.width(), pages.width, 1) << paper.what;
        EXPECT_NEAR(expected.height(), pages.height, 1) << paper.what;

        // Body text at 10-11 points: the same line height as the reference.
        EXPECT_NEAR(reference, pages.bodyWordHeight(), 0.3) << paper.what;

        // Every word inside the printable area; the long lines reach close to its right.
        const double mm = 72 / 25.4;
        const double left = paper.margins.left() * mm;
        const double right = pages.width - paper.margins.right() * mm;
        double widest = 0;
        for (const PrintedWord& w : pages.words) {
            EXPECT_GE(w.left, left - 1) << paper.what << " " << w.text.toStdString();
            EXPECT_LE(w.right, right + 1) << paper.what << " " << w.text.toStdString();
            EXPECT_GE(w.top, paper.margins.top() * mm - 1) << paper.what;
            widest = std::max(widest, w.right);
        }
        EXPECT_GT(widest, right - 60) << paper.what << ": the text does not fill the width";
    }
}

TEST_F(PagePrinterTest, ATableWiderThanThePageFitsInSmallerText)
{
    // Thirteen powers and values of five digits before the point, on A4 upright.
    ASSERT_TRUE(paired->ParsePowers("99,98,97,96,95,94,93,92,91,90,85,80,50"));
    paired->SetSD(12345.678);
    view.loadData(3);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = folder.filePath(QStringLiteral("wide.pdf"));
    printer.setOutputFileName(path);
    const QMarginsF margins(15, 15, 15, 15);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins,
                                      QPageLayout::Millimeter));
    ASSERT_TRUE(CPagePrinter::printTo(view.browser()->document(), printer));
    const PrintedPages pages = readPrintedWords(path);
    ASSERT_FALSE(pages.words.empty());
    const double mm = 72 / 25.4;
    for (const PrintedWord& w : pages.words) {
        EXPECT_GE(w.left, margins.left() * mm - 1) << w.text.toStdString();
        EXPECT_LE(w.right, pages.width - margins.right() * mm + 1) << w.text.toStdString();
    }
    // Every value of the screen's table is printed whole, as one word.
    int values = 0;
    for (QTextBlock block = view.browser()->document()->begin(); block.isValid();
         block = block.next()) {
        QTextTable* table = QTextCursor(block).currentTable();
        const QString text = block.text().trimmed();
        if (!table || table->columns() < 13 || text.isEmpty() || !text.at(0).isDigit())
            continue;
        ++values;
        EXPECT_NE(nullptr, pages.find(text)) << text.toStdString();
    }
    EXPECT_GT(values, 13 * 20);
    // The text around the table keeps its size.
    const PrintedWord* title = pages.find(QStringLiteral("Significance"));
    ASSERT_NE(nullptr, title);
    EXPECT_NEAR(referenceWordHeight(folder), title->bottom - title->top, 0.3);
}

TEST_F(PagePrinterTest, LinksPrintAsPlainBlackText)
{
    view.loadData(3);
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(folder.filePath(QStringLiteral("links.pdf")));
    const auto copy = CPagePrinter::paperCopy(*view.browser()->document(), *printer);
    int links = 0;
    for (QTextBlock block = copy->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            EXPECT_TRUE(format.anchorHref().isEmpty());
            EXPECT_FALSE(format.fontUnderline()) << it.fragment().text().toStdString();
            if (format.hasProperty(QTextFormat::ForegroundBrush)) {
                EXPECT_EQ(QColor(Qt::black), format.foreground().color())
                    << it.fragment().text().toStdString();
            }
        }
    // The screen's table still links its cells.
    for (QTextBlock block = view.browser()->document()->begin(); block.isValid();
         block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            links += !it.fragment().charFormat().anchorHref().isEmpty();
    EXPECT_GT(links, 10);
}

TEST_F(PagePrinterTest, TablesThatFitOnAPageAreNotSplit)
{
    // The table of tradeoffs with its thirty rows, alone and after the long report.
    for (int step : {3, 4}) {
        paired->SelectFromQuery("n=3&pow=2");
        view.loadData(step);
        for (QPageSize::PageSizeId size :
             {QPageSize::A4, QPageSize::Letter, QPageSize::A5, QPageSize::A6}) {
            for (QPageLayout::Orientation orientation :
                 {QPageLayout::Portrait, QPageLayout::Landscape}) {
                QPrinter printer(QPrinter::HighResolution);
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setPageLayout(QPageLayout(QPageSize(size), orientation,
                                                  QMarginsF(15, 15, 15, 15),
                                                  QPageLayout::Millimeter));
                const auto copy = CPagePrinter::paperCopy(*view.browser()->document(), printer);
                const qreal page = copy->pageSize().height();
                int tables = 0;
                for (QTextFrame* frame : copy->rootFrame()->childFrames()) {
                    auto* table = qobject_cast<QTextTable*>(frame);
                    if (!table)
                        continue;
                    ++tables;
                    const QRectF box = copy->documentLayout()->frameBoundingRect(table);
                    if (box.height() > page)
                        continue;
                    EXPECT_EQ(std::floor(box.top() / page), std::floor((box.bottom() - 1) / page))
                        << "step " << step << ", paper " << size << ", orientation " << orientation
                        << ": table from " << box.top() << " to " << box.bottom() << " on pages of "
                        << page;
                    // The report's caption of the table stays on the table's page.
                    const QTextCursor caption = copy->find(QStringLiteral("Table of tradeoffs:"));
                    if (step == 4 && !caption.isNull()) {
                        const QRectF line =
                            copy->documentLayout()->blockBoundingRect(caption.block());
                        EXPECT_EQ(std::floor(box.top() / page), std::floor(line.top() / page))
                            << "paper " << size << ", orientation " << orientation;
                    }
                }
                EXPECT_GE(tables, 1);
            }
        }
    }
}

TEST_F(PagePrinterTest, HeadingAndParagraphStayWithTheirTable)
{
    // Lines before them push a heading, its paragraph and the table they introduce down
    // the page a line at a time, so that on some count the heading and paragraph would end
    // one page and the table start the next.
    const QString paragraph =
        QStringLiteral("Instead of using 10 subjects in each group, you can use unequal N. ")
            .repeated(5);
    QString table = QStringLiteral("<TABLE>");
    for (int row = 0; row < 8; ++row)
        table += QStringLiteral("<TR><TD>%1</TD><TD>%2</TD></TR>").arg(10 + row).arg(20 - row);
    table += QStringLiteral("</TABLE>");
    for (QPageSize::PageSizeId size : {QPageSize::A6, QPageSize::A5}) {
        for (int lines = 0; lines < 48; ++lines) {
            QString html;
            for (int i = 0; i < lines; ++i)
                html += QStringLiteral("<P>Line %1</P>").arg(i);
            html += QStringLiteral("<P><B>If you want to use unequal N:</B></P><P>") + paragraph +
                    QStringLiteral("</P><P>") + table;
            QTextDocument document;
            document.setHtml(html);
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setPageLayout(QPageLayout(QPageSize(size), QPageLayout::Portrait,
                                              QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
            const auto copy = CPagePrinter::paperCopy(document, printer);
            const qreal page = copy->pageSize().height();
            QAbstractTextDocumentLayout* layout = copy->documentLayout();
            QTextTable* printed = nullptr;
            for (QTextFrame* frame : copy->rootFrame()->childFrames())
                printed = printed ? printed : qobject_cast<QTextTable*>(frame);
            ASSERT_NE(nullptr, printed);
            const qreal tableTop = layout->frameBoundingRect(printed).top();
            for (const QString& text :
                 {QStringLiteral("If you want to use unequal N:"), QStringLiteral("Instead of")}) {
                const qreal top = layout->blockBoundingRect(copy->find(text).block()).top();
                EXPECT_EQ(std::floor(tableTop / page), std::floor(top / page))
                    << text.toStdString() << ", paper " << size << ", " << lines << " lines";
            }
        }
    }
}

TEST_F(PagePrinterTest, PrintCommandUsesThePageSetUp)
{
    view.loadData(3);
    const QString path = folder.filePath(QStringLiteral("setup.pdf"));
    int dialogs = 0;
    CPagePrinter::setDialogRunners(
        [&](QPrinter& printer, QWidget*) {
            ++dialogs;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return true;
        },
        [&](QPrinter& printer, QWidget*) {
            ++dialogs;
            printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                              QMarginsF(50, 40, 50, 40), QPageLayout::Millimeter));
            return true;
        });
    ASSERT_TRUE(view.handleCommand(ID_PAGE_SETUP));
    ASSERT_TRUE(view.handleCommand(ID_FILE_PRINT));
    CPagePrinter::setDialogRunners(nullptr, nullptr);
    EXPECT_EQ(2, dialogs);
    const PrintedPages pages = readPrintedWords(path);
    ASSERT_FALSE(pages.words.empty());
    // Letter across, and nothing inside the 50 mm side margins.
    EXPECT_NEAR(792, pages.width, 1);
    EXPECT_NEAR(612, pages.height, 1);
    const double margin = 50 * 72 / 25.4;
    for (const PrintedWord& w : pages.words) {
        EXPECT_GE(w.left, margin - 1) << w.text.toStdString();
        EXPECT_LE(w.right, pages.width - margin + 1) << w.text.toStdString();
    }
}

TEST_F(PagePrinterTest, NothingIsPrintedWithoutAPage)
{
    QTextDocument empty;
    bool ok = true;
    const QByteArray pdf = printToPdf(&empty, "empty.pdf", &ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(pdf.isEmpty());
    EXPECT_FALSE(CPagePrinter::printTo(nullptr, CPagePrinter::printer()));
}

} // namespace
