// The two goal bases: tables of tradeoffs, power tables, data rows, selection, graph
// templates, the unequal-N advice and the generic explanations.
#include "calc/CPowerCalc.h"
#include "calc/CSampleCalc.h"
#include "calc/CTableLabels.h"
#include "calc/CalcTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

/// A sample-size calculator whose cell (p, r) is 10 p + r + 0.5, except two marked cells:
/// one that fails (after writing 7 into out) and one that is negative.
class CStubSampleCalc : public CSampleCalc
{
public:
    CStubSampleCalc() : CSampleCalc(CalculatorKind{Goal::SampleSize, Design::Unpaired, 500}) {}
    bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) override
    {
        WriteSampleDataRows(w, labels);
        return true;
    }
    bool WriteTradeoffPage(CHtmlWriter&) override { return true; }
    CCalculator* Clone() const override { return nullptr; }
    void WriteExplanationPage(CHtmlWriter&) override {}
    bool ComputeCell(int p, int r, double* out) const override
    {
        if (p == failP && r == failR) {
            *out = 7;
            return false;
        }
        *out = p == negativeP && r == negativeR ? -1.5 : 10 * p + r + 0.5;
        return true;
    }

    int failP = 1, failR = 1;
    int negativeP = -1, negativeR = -1;
};

/// A power calculator whose cell p is p + 0.25, except one that fails.
class CStubPowerCalc : public CPowerCalc
{
public:
    CStubPowerCalc() : CPowerCalc(CalculatorKind{Goal::Power, Design::Unpaired, 504}) {}
    bool WriteDataTable(CHtmlWriter& w, CTableLabels& labels) override
    {
        WritePowerDataRows(w, labels);
        return true;
    }
    bool WriteTradeoffPage(CHtmlWriter&) override { return true; }
    CCalculator* Clone() const override { return nullptr; }
    void WriteExplanationPage(CHtmlWriter&) override {}
    bool ComputeCell(int p, double* out) const override
    {
        *out = p + 0.25;
        return p != failP;
    }

    int failP = 1;
};

using GoalBaseTest = CalcPageTest;

CTableLabels stubLabels(bool linkCells)
{
    CTableLabels labels;
    labels.rowLabel = "N per group";
    labels.valueFormat = "%.2f";
    labels.plainFormat = "[%.0f]";
    labels.linkCells = linkCells;
    return labels;
}

TEST_F(GoalBaseTest, FailedCellIsWrittenPlainWithoutLinkOrHighlight)
{
    CStubSampleCalc calc;
    ASSERT_TRUE(calc.ParsePowers("90,80"));
    ASSERT_TRUE(calc.ParseNs("5,6"));
    ASSERT_TRUE(calc.SelectFromQuery("n=1&pow=1")); // the failed cell
    const std::string linked = render(CHtmlWriter::ModeHtmlLinks, [&](CHtmlWriter& w) {
        calc.WriteTradeoffTable(w, stubLabels(true));
    });
    EXPECT_EQ(countOf(linked, "<A HREF="), 3);
    EXPECT_EQ(linked.find("?n=1&pow=1"), std::string::npos);
    EXPECT_NE(linked.find("<TD ALIGN=\"RIGHT\">\n[7]</TD>"), std::string::npos);
    EXPECT_NE(linked.find("<A HREF=\"?n=1&pow=0\">\n1.50</A>\n"), std::string::npos);
    EXPECT_NE(linked.find("<A HREF=\"?n=0&pow=1\">\n10.50</A>\n"), std::string::npos);

    const std::string saved = render(CHtmlWriter::ModeHtml, [&](CHtmlWriter& w) {
        calc.WriteTradeoffTable(w, stubLabels(false));
    });
    EXPECT_EQ(saved.find("FONT"), std::string::npos);
    EXPECT_NE(saved.find("[7]"), std::string::npos);
}

TEST_F(GoalBaseTest, SelectedCellIsHighlightedInSavedHtmlButNotInText)
{
    CStubSampleCalc calc;
    ASSERT_TRUE(calc.ParsePowers("90,80"));
    ASSERT_TRUE(calc.ParseNs("5,6,7"));
    ASSERT_TRUE(calc.SelectFromQuery("n=2&pow=0"));
    const struct
    {
        int mode;
        bool linkCells;
        int highlights;
    } cases[] = {{CHtmlWriter::ModeHtml, false, 1},
                 {CHtmlWriter::ModeHtmlLinks, false, 1},
                 {CHtmlWriter::ModeText, false, 0},
                 {CHtmlWriter::ModeHtmlLinks, true, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        const std::string text = render(
            c.mode, [&](CHtmlWriter& w) { calc.WriteTradeoffTable(w, stubLabels(c.linkCells)); });
        EXPECT_EQ(countOf(text, "<FONT COLOR=\"BLUE\"><B>"), c.highlights);
        if (c.highlights == 1) {
            EXPECT_NE(text.find("<FONT COLOR=\"BLUE\"><B>2.50</B></FONT>"), std::string::npos);
        }
    }
}

TEST_F(GoalBaseTest, NegativeValueKeepsItsMinusSignOnTheLineOfItsDigits)
{
    CStubSampleCalc calc;
    calc.negativeP = 0;
    calc.negativeR = 0;
    ASSERT_TRUE(calc.ParsePowers("90"));
    ASSERT_TRUE(calc.ParseNs("5"));
    const std::string html = render(CHtmlWriter::ModeHtmlLinks, [&](CHtmlWriter& w) {
        calc.WriteTradeoffTable(w, stubLabels(true));
    });
    EXPECT_NE(html.find("<A HREF=\"?n=0&pow=0\">\n<nobr>-1.50</nobr></A>"), std::string::npos);
    const std::string text = render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) {
        calc.WriteTradeoffTable(w, stubLabels(true));
    });
    EXPECT_EQ(text, "\tPower\t\nN per group\t90%\t\n5\t-1.50\t\n\n\nClick on any result for a "
                    "detailed report.\n");
}

TEST_F(GoalBaseTest, TablesShowTheBusyIndicatorOnceForTheWholeCall)
{
    CStubSampleCalc sample;
    CStubPowerCalc power;
    render(CHtmlWriter::ModeHtml, [&](CHtmlWriter& w) {
        sample.WriteTradeoffTable(w, stubLabels(true));
        EXPECT_EQ(m_busy.m_depth, 0);
        EXPECT_EQ(m_busy.m_begins, 1);
        power.WritePowerTable(w, stubLabels(true));
    });
    EXPECT_EQ(m_busy.m_begins, 2);
    EXPECT_EQ(m_busy.m_depth, 0);
}

TEST_F(GoalBaseTest, SampleDataRowsLeaveFailedCellsEmpty)
{
    CStubSampleCalc calc;
    ASSERT_TRUE(calc.ParsePowers("90,80.5"));
    ASSERT_TRUE(calc.ParseNs("5,6"));
    CTableLabels labels = stubLabels(true);
    const std::string text =
        render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc.WriteDataTable(w, labels); });
    EXPECT_EQ(text, "N per group\t90%\t80.5%\t\n"
                    "5\t0.50\t10.50\t\n"
                    "6\t1.50\t\t\n");
}

TEST_F(GoalBaseTest, PowerDataRowsLeaveFailedCellsEmpty)
{
    CStubPowerCalc calc;
    ASSERT_TRUE(calc.ParsePowers("90,80.5,10"));
    CTableLabels labels = stubLabels(true);
    labels.rowLabel = "Delta";
    const std::string text =
        render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc.WriteDataTable(w, labels); });
    EXPECT_EQ(text, "Delta\tPower(%)\n0.25\t90\n\t80.5\n2.25\t10\n");
}

TEST_F(GoalBaseTest, PowerTableLinksThePowerOfValidRowsOnly)
{
    CStubPowerCalc calc;
    ASSERT_TRUE(calc.ParsePowers("90,80,70"));
    const std::string html = render(CHtmlWriter::ModeHtmlLinks, [&](CHtmlWriter& w) {
        calc.WritePowerTable(w, stubLabels(true));
    });
    EXPECT_EQ(countOf(html, "<A HREF="), 2);
    EXPECT_NE(html.find("<TD ALIGN=\"RIGHT\">\n[1]</TD>\n<TD>\n&nbsp;</TD>\n<TD "
                        "ALIGN=\"CENTER\">\n80</TD>"),
              std::string::npos);
    EXPECT_NE(html.find("<A HREF=\"?pow=2\">\n70</A>"), std::string::npos);
    EXPECT_EQ(countOf(html, "BGCOLOR=\"#EEEEFF\""), 2); // rows 0 and 2

    ASSERT_TRUE(calc.SelectFromQuery("pow=2"));
    const std::string text = render(
        CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc.WritePowerTable(w, stubLabels(false)); });
    EXPECT_EQ(text, "N per group\tPower (%)\t\n0.25\t90\t\n[1]\t80\t\n2.25\t70\t\n\n");
    const std::string saved = render(
        CHtmlWriter::ModeHtml, [&](CHtmlWriter& w) { calc.WritePowerTable(w, stubLabels(false)); });
    EXPECT_NE(saved.find("<FONT COLOR=\"BLUE\"><B>70</B></FONT>"), std::string::npos);
    EXPECT_EQ(countOf(saved, "FONT COLOR"), 1);
}

TEST_F(GoalBaseTest, SampleSelectionNeedsBothIndicesInsideTheirLists)
{
    CStubSampleCalc calc; // 5 default powers, 29 default sizes
    const struct
    {
        const char* query;
        int power, n;
    } cases[] = {
        {"n=0&pow=0", 0, 0},   {"n=28&pow=4", 4, 28},
        {"n=29&pow=0", 0, -1}, {"n=0&pow=5", -1, 0},
        {"n=-1&pow=2", 2, -1}, {"pow=2", 2, -1},
        {"n=3", -1, 3},        {"", -1, -1},
        {nullptr, -1, -1},     {"n=99999999999&pow=1", 1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query != nullptr ? c.query : "null");
        calc.SelectFromQuery("n=1&pow=1");
        EXPECT_EQ(calc.SelectFromQuery(c.query), c.power != -1 && c.n != -1);
        EXPECT_EQ(calc.m_selPower, c.power);
        EXPECT_EQ(calc.m_selN, c.n);
    }
}

TEST_F(GoalBaseTest, PowerSelectionOutsideTheListSelectsNothingAndWritesNoReport)
{
    CStubPowerCalc calc; // 13 default powers
    ASSERT_EQ(calc.m_nPowers, 13);
    EXPECT_TRUE(calc.SelectFromQuery("pow=12"));
    EXPECT_FALSE(calc.SelectFromQuery("pow=13"));
    EXPECT_EQ(calc.m_selPower, -1);
    EXPECT_FALSE(calc.SelectFromQuery("pow=-1"));
    bool written = true;
    const std::string page = render(CHtmlWriter::ModeHtmlLinks, [&](CHtmlWriter& w) {
        written = calc.WriteReportForQuery(w, "pow=13");
    });
    EXPECT_FALSE(written);
    EXPECT_EQ(page, "");
}

TEST_F(GoalBaseTest, GraphTemplateDependsOnTheNumberOfPowers)
{
    m_files.setProgramPath("/opt/zentrima/bin/zentrima");
    CStubSampleCalc sample;
    CStubPowerCalc power;
    const struct
    {
        CCalculator* calc;
        const char* powers;
        unsigned int id;
        const char* path;
    } cases[] = {
        {&sample, "99,98,97,96,95,94,93,92,91,90", 200, "/opt/zentrima/bin/Templates/sample10.qxt"},
        {&sample, "99,98,97,96,95,94,93,92,91,90,89", 190,
         "/opt/zentrima/bin/Templates/sample.qxt"},
        {&sample, "50", 200, "/opt/zentrima/bin/Templates/sample10.qxt"},
        {&power, "99,98,97,96,95,94,93,92,91,90,89", 189, "/opt/zentrima/bin/Templates/power.qxt"},
        {&power, "50", 189, "/opt/zentrima/bin/Templates/power.qxt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.powers);
        ASSERT_TRUE(c.calc->ParsePowers(c.powers));
        EXPECT_EQ(c.calc->GetGraphTemplateId(), c.id);
        std::string path;
        EXPECT_FALSE(c.calc->GetGraphTemplatePath(path)); // not installed yet
        EXPECT_EQ(path, c.path);
    }
    m_files.addFile("/opt/zentrima/bin/Templates/sample.qxt");
    std::string path;
    EXPECT_FALSE(sample.GetGraphTemplatePath(path)); // 11 powers above, now 1: sample10
    ASSERT_TRUE(sample.ParsePowers("99,98,97,96,95,94,93,92,91,90,89"));
    EXPECT_TRUE(sample.GetGraphTemplatePath(path));

    m_files.setProgramPath("");
    EXPECT_FALSE(sample.GetGraphTemplatePath(path));
    EXPECT_FALSE(power.GetGraphTemplatePath(path));
}

// Rows of the advice table for N = 10 from its text rendering: ratio, group A, group B,
// total and the cost ratio of its sentence.
TEST_F(GoalBaseTest, UnequalNAdviceForTenPerGroup)
{
    CStubSampleCalc calc;
    ASSERT_TRUE(calc.ParseNs("10"));
    ASSERT_TRUE(calc.SelectFromQuery("n=0&pow=0"));
    const std::string text =
        render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc.WriteUnequalNAdvice(w); });
    const char* const expected[] = {
        "10\t10\t1.000\t20\tIf the \"cost\" of treatment A is 1.0 times",
        "9\t12\t1.250\t21\tIf the \"cost\" of treatment A is 1.6 times",
        "9\t14\t1.500\t23\tIf the \"cost\" of treatment A is 2.3 times",
        "8\t16\t2.000\t24\tIf the \"cost\" of treatment A is 4.0 times",
        "7\t21\t3.000\t28\tIf the \"cost\" of treatment A is 9.0 times",
        "7\t28\t4.000\t35\tIf the \"cost\" of treatment A is 16.0 times",
        "6\t30\t5.000\t36\tIf the \"cost\" of treatment A is 25.0 times",
    };
    size_t at = 0;
    for (const char* row : expected) {
        const size_t found = text.find(std::string("\n") + row, at);
        ASSERT_NE(found, std::string::npos) << row;
        at = found + 1;
    }
    EXPECT_NE(text.find("Instead of using 10 subjects in each group"), std::string::npos);
}

// Group A keeps at least half of N, ratio 1 repeats the equal design, and each unequal
// design has at least the total of the equal one.
TEST_F(GoalBaseTest, UnequalNAdviceNeverGoesBelowHalfOfN)
{
    CStubSampleCalc calc;
    for (int n : {2, 3, 7, 10, 11, 99, 1000, 12345, 1000000}) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(calc.ParseNs(std::to_string(n)));
        ASSERT_TRUE(calc.SelectFromQuery("n=0&pow=0"));
        const std::string text =
            render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) { calc.WriteUnequalNAdvice(w); });
        std::istringstream lines(text);
        std::string line;
        int rows = 0;
        while (std::getline(lines, line)) {
            long a = 0, b = 0, total = 0;
            double ratio = 0;
            if (std::sscanf(line.c_str(), "%ld\t%ld\t%lf\t%ld\t", &a, &b, &ratio, &total) != 4)
                continue;
            ++rows;
            EXPECT_GE(2 * a, n);
            EXPECT_EQ(total, a + b);
            EXPECT_GE(total, 2L * n);
            EXPECT_GE(b + 1e-9, ratio * a);
            if (ratio == 1.0) {
                EXPECT_EQ(a, n);
                EXPECT_EQ(b, n);
            }
        }
        EXPECT_EQ(rows, 7);
    }
}

TEST_F(GoalBaseTest, ArticleFollowsTheFirstLetterOfTheEffect)
{
    CStubSampleCalc sample;
    CStubPowerCalc power;
    ASSERT_TRUE(sample.SelectFromQuery("n=0&pow=0"));
    ASSERT_TRUE(power.SelectFromQuery("pow=0"));
    const struct
    {
        const char* effect;
        const char* article;
    } cases[] = {{"effect size", "an"}, {"odds ratio", "an"},  {"increase", "an"},
                 {"upper bound", "an"}, {"average", "an"},     {"difference between means", "a"},
                 {"Effect size", "a"},  {"hazard ratio", "a"}, {"", "a"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.effect);
        const std::string expected =
            std::string(" to detect ") + c.article + " " + c.effect + " of";
        const std::string s = render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) {
            sample.WriteSampleExplanation(w, c.effect, false, true);
        });
        EXPECT_NE(s.find(expected), std::string::npos) << s;
        const std::string p = render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) {
            power.WritePowerExplanation(w, c.effect, true);
        });
        EXPECT_NE(p.find(expected), std::string::npos) << p;
    }
}

TEST_F(GoalBaseTest, ExplanationsWriteNothingWithoutASelection)
{
    CStubSampleCalc sample;
    CStubPowerCalc power;
    const std::string text = render(CHtmlWriter::ModeText, [&](CHtmlWriter& w) {
        sample.WriteSampleExplanation(w, "effect", true, true);
        power.WritePowerExplanation(w, "effect", true);
    });
    EXPECT_EQ(text, "");
}

TEST_F(GoalBaseTest, ExplanationWithoutTailsWritesTheBareLevel)
{
    CStubPowerCalc power;
    ASSERT_TRUE(power.SetAlpha(0.10, false));
    ASSERT_TRUE(power.SelectFromQuery("pow=4")); // 80
    const std::string text = render(
        CHtmlWriter::ModeText, [&](CHtmlWriter& w) { power.WritePowerExplanation(w, "x", false); });
    EXPECT_NE(text.find("less than 0.05 so the results"), std::string::npos);
    EXPECT_NE(text.find("Explanation for 80% power:"), std::string::npos);
    EXPECT_NE(text.find("In the remaining 20% of the experiments"), std::string::npos);
    EXPECT_EQ(text.find("tailed"), std::string::npos);
}

} // namespace
