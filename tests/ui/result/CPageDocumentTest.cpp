#include "ui/result/CPageDocument.h"

#include <QMimeData>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A page in the shape the calculators write: the outer one-cell frame with the "ALL" id,
// then a titled results table whose heading spans the spacer column.
const char kPage[] =
    "<TABLE><TR><TD ID=\"ALL\">Intro <A HREF=\"https://example.org/\">book</A>"
    "<P><A id=\"RESULT\">Table</A></P>"
    "<TABLE><TR><TD>N</TD><TD></TD><TD COLSPAN=2>Power</TD></TR>"
    "<TR><TD>10</TD><TD></TD><TD><A HREF=\"?n=0&amp;pow=0\">1.25</A></TD><TD>0.9</TD></TR>"
    "</TABLE>After</TD></TR></TABLE>";

} // namespace

TEST(PageDocumentTest, RendererReadsTheIdsThePagesUse)
{
    EXPECT_TRUE(CPageDocument::rendererAvailable());
}

TEST(PageDocumentTest, ElementRangesFollowTheirAnchors)
{
    QTextDocument document;
    document.setHtml(QString::fromLatin1(kPage));
    const struct
    {
        const char* id;
        bool found;
        const char* starts;
        const char* ends;
    } cases[] = {
        {"ALL", true, "Intro", "After"},
        // The results run from their title to the end of the first table after it.
        {"RESULT", true, "Table", "0.9"},
        {"MISSING", false, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const QTextCursor range = CPageDocument::elementRange(&document, QString::fromLatin1(c.id));
        ASSERT_EQ(c.found, !range.isNull());
        if (!c.found)
            continue;
        const QString text = range.selection().toPlainText().trimmed();
        EXPECT_TRUE(text.startsWith(QString::fromLatin1(c.starts))) << text.toStdString();
        EXPECT_TRUE(text.endsWith(QString::fromLatin1(c.ends))) << text.toStdString();
    }
}

TEST(PageDocumentTest, ClipboardDataHasNoLinksAndTablesAsTabSeparatedRows)
{
    QTextDocument document;
    document.setHtml(QString::fromLatin1(kPage));
    const QTextCursor all = CPageDocument::elementRange(&document, QStringLiteral("ALL"));
    ASSERT_FALSE(all.isNull());
    const std::unique_ptr<QMimeData> data(CPageDocument::mimeDataWithoutLinks(all.selection()));
    EXPECT_FALSE(data->html().contains(QStringLiteral("href"), Qt::CaseInsensitive));
    const QString text = data->text();
    // The empty spacer column is left out; the spanned heading stands over its first column.
    EXPECT_TRUE(text.contains(QStringLiteral("N\tPower\t\n10\t1.25\t0.9"))) << text.toStdString();
    // The source document keeps its links.
    EXPECT_TRUE(document.toHtml().contains(QStringLiteral("href"), Qt::CaseInsensitive));
}
