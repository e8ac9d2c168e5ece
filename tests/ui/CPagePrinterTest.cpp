#include "CPagePrinter.h"

#include "ExportFixture.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

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
