#include "report/CHtmlWriter.h"

#include "report/CFooterClock.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

using Emit = std::function<void(CHtmlWriter&)>;

class CFixedClock : public CFooterClock
{
public:
    std::string now() const override { return "07.12.2026 23:51:19"; }
};

std::string render(int mode, const Emit& emit, const CFooterClock* clock = nullptr)
{
    char* data = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&data, &size);
    if (stream == nullptr) {
        ADD_FAILURE() << "open_memstream failed";
        return std::string();
    }
    CHtmlWriter writer(stream, mode, clock);
    emit(writer);
    fclose(stream);
    std::string text(data, size);
    free(data);
    return text;
}

// One emitter call and what it must write in each mode.
struct SRow
{
    const char* name;
    Emit emit;
    std::string html;  // mode 0
    std::string text;  // mode 1
    std::string links; // mode 3
};

void expectRows(const std::vector<SRow>& rows, const CFooterClock* clock = nullptr)
{
    for (const SRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(render(CHtmlWriter::ModeHtml, row.emit, clock), row.html);
        EXPECT_EQ(render(CHtmlWriter::ModeText, row.emit, clock), row.text);
        EXPECT_EQ(render(CHtmlWriter::ModeHtmlLinks, row.emit, clock), row.links);
    }
}

// The same output in both HTML modes.
SRow sameHtml(const char* name, Emit emit, const std::string& html, const std::string& text)
{
    return SRow{name, std::move(emit), html, text, html};
}

// The same output in every mode.
SRow everyMode(const char* name, Emit emit, const std::string& all)
{
    return SRow{name, std::move(emit), all, all, all};
}

TEST(CHtmlWriterTest, TableRowAndCellMarkup)
{
    const unsigned int none = CHtmlWriter::NoColor;
    expectRows({
        sameHtml(
            "table, padding only", [](CHtmlWriter& w) { w.OpenTable(0, 0, false, 4); },
            "<TABLE  BORDER=\"0\"CELLSPACING = \"0\" CELLPADDING = \"4\">\n", ""),
        sameHtml(
            "table, width, align, border, no padding",
            [](CHtmlWriter& w) { w.OpenTable(600, 2, true, -1); },
            "<TABLE  WIDTH=\"600\" ALIGN=\"CENTER\" BORDER=\"2\">\n", ""),
        sameHtml(
            "table, zero padding", [](CHtmlWriter& w) { w.OpenTable(100, 9, false, 0); },
            "<TABLE  WIDTH=\"100\" ALIGN=\"BASELINE\" BORDER=\"0\"CELLSPACING = \"0\" "
            "CELLPADDING = \"0\">\n",
            ""),
        sameHtml(
            "close table", [](CHtmlWriter& w) { w.CloseTable(); }, "</TABLE>\n", "\n"),
        sameHtml(
            "plain row", [=](CHtmlWriter& w) { w.OpenRow(none, 0, 0); }, "<TR>\n", ""),
        sameHtml(
            "shaded row", [](CHtmlWriter& w) { w.OpenRow(0xEEEEFF, 7, 2); },
            "<TR BGCOLOR=\"#EEEEFF\" VALIGN=\"MIDDLE\" ALIGN=\"CENTER\">\n", ""),
        sameHtml(
            "colour padded, upper case", [](CHtmlWriter& w) { w.OpenRow(0xab, 0, 3); },
            "<TR BGCOLOR=\"#0000AB\" ALIGN=\"RIGHT\">\n", ""),
        sameHtml(
            "black is a colour", [](CHtmlWriter& w) { w.OpenRow(0, 8, 0); },
            "<TR BGCOLOR=\"#000000\" VALIGN=\"BOTTOM\">\n", ""),
        sameHtml(
            "close row", [](CHtmlWriter& w) { w.CloseRow(); }, "</TR>\n", "\n"),
        sameHtml(
            "plain cell", [](CHtmlWriter& w) { w.OpenCell(0, 0, 0, 0); }, "<TD>\n", ""),
        sameHtml(
            "cell, every attribute", [](CHtmlWriter& w) { w.OpenCell(3, 40, 2, 5); },
            "<TD ALIGN=\"RIGHT\" COLSPAN=\"2\" ROWSPAN=\"5\" WIDTH=\"40%\">\n", ""),
        sameHtml(
            "cell, width only", [](CHtmlWriter& w) { w.OpenCell(0, 12, 0, 0); },
            "<TD WIDTH=\"12%\">\n", ""),
        sameHtml(
            "close cell", [](CHtmlWriter& w) { w.CloseCell(); }, "</TD>\n", "\t"),
        sameHtml(
            "unknown alignment codes are left out",
            [=](CHtmlWriter& w) {
                w.OpenRow(none, -1, 10);
                w.OpenCell(12, 0, 0, 0);
            },
            "<TR>\n<TD>\n", ""),
        sameHtml(
            "three-cell row",
            [=](CHtmlWriter& w) {
                w.OpenRow(none, 0, 0);
                for (const char* field : {"a", "b", "c"}) {
                    w.OpenCell(2, 0, 0, 0);
                    w.Write("%s", field);
                    w.CloseCell();
                }
                w.CloseRow();
            },
            "<TR>\n<TD ALIGN=\"CENTER\">\na</TD>\n<TD ALIGN=\"CENTER\">\nb</TD>\n"
            "<TD ALIGN=\"CENTER\">\nc</TD>\n</TR>\n",
            "a\tb\tc\t\n"),
    });
}

TEST(CHtmlWriterTest, EveryAlignmentCode)
{
    const char* const names[] = {"LEFT", "CENTER", "RIGHT",  "JUSTIFY", "CHAR",
                                 "TOP",  "MIDDLE", "BOTTOM", "BASELINE"};
    for (int code = 1; code <= 9; ++code) {
        const std::string value = std::string("\"") + names[code - 1] + "\"";
        SCOPED_TRACE(value);
        EXPECT_EQ(render(0, [=](CHtmlWriter& w) { w.OpenCell(code, 0, 0, 0); }),
                  "<TD ALIGN=" + value + ">\n");
        EXPECT_EQ(render(3, [=](CHtmlWriter& w) { w.OpenRow(CHtmlWriter::NoColor, code, 0); }),
                  "<TR VALIGN=" + value + ">\n");
    }
}

TEST(CHtmlWriterTest, TextStyles)
{
    expectRows({
        sameHtml(
            "bold",
            [](CHtmlWriter& w) {
                w.BeginBold();
                w.Write("x");
                w.EndBold();
            },
            "<B>x</B>", "x"),
        sameHtml(
            "italic",
            [](CHtmlWriter& w) {
                w.BeginItalic();
                w.Write("x");
                w.EndItalic();
            },
            "<I>\nx</I>\n", "x"),
        sameHtml(
            "line break", [](CHtmlWriter& w) { w.LineBreak(); }, "<BR>", "\n"),
        sameHtml(
            "paragraph",
            [](CHtmlWriter& w) {
                w.OpenParagraph();
                w.Write("p");
                w.CloseParagraph();
            },
            "<P>\np</P>\n", "\np\n"),
        sameHtml(
            "heading",
            [](CHtmlWriter& w) {
                w.OpenHeading(2);
                w.Write("h");
                w.CloseHeading(2);
            },
            "<H2>h</H2>", "h\n"),
        sameHtml(
            "whole heading", [](CHtmlWriter& w) { w.WriteHeading("Detailed report"); },
            "<H4>Detailed report</H4>", "\nDetailed report\n"),
        sameHtml(
            "heading text is not a format", [](CHtmlWriter& w) { w.WriteHeading("100% of %s"); },
            "<H4>100% of %s</H4>", "\n100% of %s\n"),
    });
}

TEST(CHtmlWriterTest, LinksOnlyInLinkMode)
{
    expectRows({
        {"link", [](CHtmlWriter& w) { w.OpenLink("?n=1&pow=2"); }, "", "",
         "<A HREF=\"?n=1&pow=2\">\n"},
        {"link with target",
         [](CHtmlWriter& w) { w.OpenLinkTarget("http://help.example/", "_blank"); }, "", "",
         "<A HREF=\"http://help.example/\" TARGET=\"_blank\">\n"},
        {"anchor", [](CHtmlWriter& w) { w.OpenAnchor("RESULT"); }, "", "", "<A id=\"RESULT\">\n"},
        {"close link", [](CHtmlWriter& w) { w.CloseLink(); }, "", "", "</A>\n"},
        {"linked cell keeps only its text without links",
         [](CHtmlWriter& w) {
             w.OpenCell(3, 0, 0, 0);
             w.OpenLink("?n=0&pow=1");
             w.Write("%.2f", 1.25);
             w.CloseLink();
             w.CloseCell();
         },
         "<TD ALIGN=\"RIGHT\">\n1.25</TD>\n", "1.25\t",
         "<TD ALIGN=\"RIGHT\">\n<A HREF=\"?n=0&pow=1\">\n1.25</A>\n</TD>\n"},
        {"missing href", [](CHtmlWriter& w) { w.OpenLink(nullptr); }, "", "", "<A HREF=\"\">\n"},
    });
}

TEST(CHtmlWriterTest, FormattedText)
{
    const std::string longText(5000, 'x');
    expectRows({
        everyMode(
            "printf", [](CHtmlWriter& w) { w.Write("%d%% of %s", 80, "N"); }, "80% of N"),
        everyMode(
            "markup passes unescaped", [](CHtmlWriter& w) { w.Write("<B>&nbsp;"); }, "<B>&nbsp;"),
        everyMode(
            "long text", [&](CHtmlWriter& w) { w.Write("%s", longText.c_str()); }, longText),
        sameHtml(
            "quoted", [](CHtmlWriter& w) { w.WriteQuoted("cost"); }, "&quot;cost&quot;",
            "\"cost\""),
        sameHtml(
            "quoted printf", [](CHtmlWriter& w) { w.WriteQuoted("%s %d", "a", 2); },
            "&quot;a 2&quot;", "\"a 2\""),
        sameHtml(
            "no break", [](CHtmlWriter& w) { w.WriteNoBreak("Group %c", 'A'); },
            "<nobr>Group A</nobr>", "Group A"),
        sameHtml(
            "no break keeps the minus", [](CHtmlWriter& w) { w.WriteNoBreak("%.3f", -0.5); },
            "<nobr>-0.500</nobr>", "-0.500"),
    });
}

TEST(CHtmlWriterTest, Numbers)
{
    auto number = [](double value, int precision) {
        return [=](CHtmlWriter& w) { w.WriteNumber(value, precision); };
    };
    const double inf = std::numeric_limits<double>::infinity();
    expectRows({
        everyMode("whole", number(50, 0), "50"),
        everyMode("tiny", number(0.00005, 0), "0.00005"),
        everyMode("negative tiny", number(-0.00005, 0), "-0.00005"),
        everyMode("zero", number(0, 0), "0"),
        everyMode("negative", number(-2.5, 0), "-2.5"),
        everyMode("negative, many digits", number(-1234.5678, 0), "-1234.5678"),
        everyMode("threshold takes the fixed form", number(0.0001, 0), "0.0001"),
        everyMode("just above the threshold", number(0.00010000001, 0), "0.00010000001"),
        everyMode("above the threshold keeps fourteen digits", number(0.00012345678901234, 0),
                  "0.00012345678901234"),
        everyMode("below twelve decimals", number(1e-13, 0), "0"),
        everyMode("fourteen significant digits", number(1.0 / 3.0, 0), "0.33333333333333"),
        everyMode("large", number(123456789012345678.0, 0), "1.2345678901235e+17"),
        everyMode("fraction", number(99.5, 0), "99.5"),
        everyMode("fixed decimals", number(2, 3), "2.000"),
        everyMode("fixed decimals, negative", number(-2.5, 2), "-2.50"),
        everyMode("very many decimals", number(0.5, 400), "0.5" + std::string(399, '0')),
        // Either side of the 128-character formatting buffer: 127 characters fit with the
        // terminating null, 128 do not.
        everyMode("127 characters", number(0.5, 125), "0.5" + std::string(124, '0')),
        everyMode("128 characters", number(0.5, 126), "0.5" + std::string(125, '0')),
        everyMode("infinity", number(inf, 0), "inf"),
        everyMode("minus infinity has no padding", number(-inf, 0), "-inf"),
        everyMode("nan has no padding", number(std::nan(""), 0), "nan"),
    });
}

TEST(CHtmlWriterTest, PageSkeleton)
{
    const std::string head = "<HTML>\n<HEAD>\n<TITLE>Power</TITLE>\n</HEAD>\n<BODY "
                             "LEFTMARGIN=15><FONT face=\"Arial\"><TABLE WIDTH=600 BORDER=0 "
                             "COLS=1><TR><TD ID=\"ALL\">";
    const std::string end = "</TD></TR></TABLE></FONT></BODY>\n</HTML>";
    expectRows({
        sameHtml(
            "head", [](CHtmlWriter& w) { w.WritePageHead("Power"); }, head, ""),
        sameHtml(
            "end", [](CHtmlWriter& w) { w.WritePageEnd(); }, end, ""),
        sameHtml(
            "page",
            [](CHtmlWriter& w) {
                w.WritePageHead("Power");
                w.OpenParagraph();
                w.Write("Text");
                w.CloseParagraph();
                w.WritePageEnd();
            },
            head + "<P>\nText</P>\n" + end, "\nText\n"),
    });
}

TEST(CHtmlWriterTest, FooterShowsTheClock)
{
    const CFixedClock clock;
    expectRows(
        {sameHtml(
            "footer", [](CHtmlWriter& w) { w.WriteFooter(); },
            "<BR><hr><small> &nbsp;&nbsp;07.12.2026 23:51:19</small>", "\n  07.12.2026 23:51:19")},
        &clock);
}

TEST(CHtmlWriterTest, FooterWithoutAClockShowsTheLocalYear)
{
    // The year is read on both sides of the writing, so a run across New Year still passes.
    const auto localYear = [] {
        const std::time_t seconds = std::time(nullptr);
        std::tm local{};
        localtime_r(&seconds, &local);
        return std::to_string(local.tm_year + 1900);
    };
    const std::string yearBefore = localYear();
    const std::string prefix = "<BR><hr><small> &nbsp;&nbsp;";
    const std::string suffix = "</small>";

    // Once through a null clock, once through the two-argument constructor.
    const std::string nullClock =
        render(CHtmlWriter::ModeHtml, [](CHtmlWriter& w) { w.WriteFooter(); });
    const std::string twoArguments = render(CHtmlWriter::ModeHtmlLinks, [](CHtmlWriter& w) {
        CHtmlWriter(w.m_stream, w.m_mode).WriteFooter();
    });
    const std::string yearAfter = localYear();
    for (const std::string& footer : {nullClock, twoArguments}) {
        SCOPED_TRACE(footer);
        EXPECT_EQ(footer.compare(0, prefix.size(), prefix), 0);
        ASSERT_GT(footer.size(), prefix.size() + suffix.size());
        EXPECT_EQ(footer.substr(footer.size() - suffix.size()), suffix);
        EXPECT_TRUE(footer.find(yearBefore) != std::string::npos ||
                    footer.find(yearAfter) != std::string::npos);
    }
}

// Restores the process locale when a test ends, also after a failed assertion.
class CLocaleRestorer
{
public:
    CLocaleRestorer() : m_saved(setlocale(LC_ALL, nullptr)) {}
    ~CLocaleRestorer() { setlocale(LC_ALL, m_saved.c_str()); }

private:
    std::string m_saved;
};

TEST(CHtmlWriterLocaleTest, NumbersKeepThePointUnderACommaLocale)
{
    CLocaleRestorer restorer;
    if (setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    ASSERT_STREQ(localeconv()->decimal_point, ",");

    const std::string out = render(CHtmlWriter::ModeText, [](CHtmlWriter& w) {
        w.WriteNumber(2, 3);
        w.Write(" ");
        w.WriteNumber(1234.5, 0);
        w.Write(" ");
        w.WriteNumber(-2.5, 0);
        w.Write(" %.2f", 0.25);
        w.WriteNoBreak(" %.1f", 9.5);
    });
    EXPECT_EQ(out, "2.000 1234.5 -2.5 0.25 9.5");
    EXPECT_STREQ(setlocale(LC_NUMERIC, nullptr), "de_DE.UTF-8");
    EXPECT_STREQ(localeconv()->decimal_point, ",");
}

// A small text page: a table of choices, a paragraph, a table of results (its second and third
// rows with an empty cell in the middle and one at the end) and the footer.
void smallPage(CHtmlWriter& w)
{
    w.OpenTable(0, 0, false, 4);
    w.OpenRow(CHtmlWriter::NoColor, 0, 0);
    w.OpenCell(0, 0, 0, 0);
    w.Write("SD");
    w.CloseCell();
    w.CloseRow();
    w.CloseTable();
    w.OpenParagraph();
    w.Write("Intro");
    w.CloseParagraph();
    w.OpenTable(0, 0, false, 4);
    w.BeginResultTable();
    for (const std::vector<const char*>& row :
         {std::vector<const char*>{"N", "99%", "80%"}, std::vector<const char*>{"3", "", "2.5"},
          std::vector<const char*>{"4", "1.5", ""}}) {
        w.OpenRow(CHtmlWriter::NoColor, 0, 0);
        for (const char* cell : row) {
            w.OpenCell(0, 0, 0, 0);
            w.Write("%s", cell);
            w.CloseCell();
        }
        w.CloseRow();
    }
    w.EndResultTable();
    w.CloseTable();
    w.WriteFooter();
}

struct SPageOptionsRow
{
    const char* name;
    CHtmlWriter::PageOptions options;
    bool finishLastLine;
    std::string text;
};

TEST(CHtmlWriterTest, PageOptionsShapeTheTextPage)
{
    const CFixedClock clock;
    CHtmlWriter::PageOptions betweenCells;
    betweenCells.tabAfterLastCell = false;
    CHtmlWriter::PageOptions noFooter;
    noFooter.footer = false;
    CHtmlWriter::PageOptions tablesOnly;
    tablesOnly.resultTablesOnly = true;
    const std::string footer = "\n  07.12.2026 23:51:19";
    const std::vector<SPageOptionsRow> rows = {
        {"desktop",
         {},
         false,
         "SD\t\n\n\nIntro\nN\t99%\t80%\t\n3\t\t2.5\t\n4\t1.5\t\t\n\n" + footer},
        {"finishedLine",
         {},
         true,
         "SD\t\n\n\nIntro\nN\t99%\t80%\t\n3\t\t2.5\t\n4\t1.5\t\t\n\n" + footer + "\n"},
        {"tabsBetweenCells", betweenCells, false,
         "SD\n\n\nIntro\nN\t99%\t80%\n3\t\t2.5\n4\t1.5\t\n\n" + footer},
        {"noFooter", noFooter, true, "SD\t\n\n\nIntro\nN\t99%\t80%\t\n3\t\t2.5\t\n4\t1.5\t\t\n\n"},
        {"tablesOnly", tablesOnly, true, "N\t99%\t80%\t\n3\t\t2.5\t\n4\t1.5\t\t\n"},
    };
    for (const SPageOptionsRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(render(
                      CHtmlWriter::ModeText,
                      [&row](CHtmlWriter& w) {
                          w.SetPageOptions(row.options);
                          smallPage(w);
                          if (row.finishLastLine)
                              w.FinishLastLine();
                      },
                      &clock),
                  row.text);
    }
    // HTML pages keep their tags whatever the text options say.
    EXPECT_EQ(render(CHtmlWriter::ModeHtml, smallPage, &clock),
              render(
                  CHtmlWriter::ModeHtml,
                  [&](CHtmlWriter& w) {
                      w.SetPageOptions(betweenCells);
                      smallPage(w);
                  },
                  &clock));
}

TEST(CHtmlWriterTest, WithoutClickHintsTheirSentencesGo)
{
    CHtmlWriter::PageOptions noHints;
    noHints.clickHints = false;
    const struct
    {
        const char* in;
        const char* out;
    } rows[] = {
        {"Read the value. Click on that value for a report. If you wish, repeat.",
         "Read the value. If you wish, repeat."},
        {"With the power specified. Click on any value for an explanation.",
         "With the power specified."},
        {"Click on one. Click on two. Done.", "Done."},
        {"No hint here.", "No hint here."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.in);
        for (int mode : {CHtmlWriter::ModeText, CHtmlWriter::ModeHtml}) {
            EXPECT_EQ(render(mode,
                             [&](CHtmlWriter& w) {
                                 w.SetPageOptions(noHints);
                                 w.Write("%s", row.in);
                             }),
                      row.out);
            // The desktop's pages keep them.
            EXPECT_EQ(render(mode, [&](CHtmlWriter& w) { w.Write("%s", row.in); }), row.in);
        }
    }
}

} // namespace
