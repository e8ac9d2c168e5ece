// --simulate and --seed: the simulated check of every design against the power the exact
// method states (where that power is exact), the same digits for the same seed, the cells
// page's column and the refused command lines.
#include "cli/CliProcess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct SimulatedReportCase
{
    const char* name;
    QStringList arguments;
    // How far the simulated power may be from the stated one beyond four standard errors,
    // in percentage points: 0 where the stated power is exact (noncentral t and F, exact
    // binomial sums), a few points for Freedman's large-sample formula of survival.
    double allowance;
};

std::ostream& operator<<(std::ostream& out, const SimulatedReportCase& c)
{
    return out << c.name;
}

struct Paragraph
{
    bool found = false;
    double simulated = 0;
    double standardError = 0;
    double stated = 0;
};

Paragraph FindParagraph(const std::string& page, const std::string& studies,
                        const std::string& seed)
{
    const std::regex pattern("Simulated check: in " + studies +
                             " simulated experiments of [^\\n]*, each analysed by the [^\\n]* "
                             "at a significance level of [^\\n]*, ([0-9.]+)% \\(standard error "
                             "([0-9.]+)%\\) were statistically significant, where the power "
                             "stated is ([0-9.]+)%\\. Seed " +
                             seed + "\\.");
    std::smatch match;
    Paragraph p;
    if (!std::regex_search(page, match, pattern))
        return p;
    p.found = true;
    p.simulated = std::stod(match[1]);
    p.standardError = std::stod(match[2]);
    p.stated = std::stod(match[3]);
    return p;
}

class SimulatedReport : public ::testing::TestWithParam<SimulatedReportCase>
{
};

TEST_P(SimulatedReport, SimulatedPowerAgreesWithTheStatedPower)
{
    QStringList arguments = GetParam().arguments;
    arguments << "--no-settings"
              << "--method"
              << "exact"
              << "--page"
              << "report"
              << "--simulate"
              << "4000"
              << "--seed"
              << "3";
    const CliProcess::Result result = CliProcess().run(arguments);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Paragraph p = FindParagraph(result.out, "4,000", "3");
    ASSERT_TRUE(p.found) << result.out;
    const double se = std::sqrt(p.stated * (100 - p.stated) / 4000);
    // The paragraph rounds to 0.1 point.
    EXPECT_NEAR(p.standardError, se, 0.051);
    EXPECT_NEAR(p.simulated, p.stated, 4 * se + 0.05 + GetParam().allowance);
}

const SimulatedReportCase ReportCases[] = {
    {"sampleUnpaired",
     {"sample", "unpaired", "--sd", "2", "--ns", "12", "--powers", "80", "--select", "n=0&pow=0"},
     0},
    {"samplePairedOneTailed",
     {"sample", "paired", "--sd", "1", "--r", "0.5", "--ns", "10", "--powers", "80", "--tails", "1",
      "--select", "n=0&pow=0"},
     0},
    {"sampleOneSample",
     {"sample", "one-sample", "--sd", "2.5", "--ns", "15", "--powers", "90", "--select",
      "n=0&pow=0"},
     0},
    {"sampleAnova",
     {"sample", "anova", "--sd", "1", "--groups", "4", "--ns", "8", "--powers", "80", "--select",
      "n=0&pow=0"},
     0},
    {"sampleProportionsHigher",
     {"sample", "proportions", "--proportion", "0.3", "--higher", "--ns", "60", "--powers", "80",
      "--select", "n=0&pow=0"},
     0},
    {"sampleProportionsLowerRatioOneTailed",
     {"sample", "proportions", "--proportion", "0.6", "--lower", "--tabulate", "ratio", "--ns",
      "40", "--powers", "70", "--tails", "1", "--select", "n=0&pow=0"},
     0},
    {"sampleSurvival",
     {"sample", "survival", "--proportion", "0.3", "--ns", "60", "--powers", "80", "--select",
      "n=0&pow=0"},
     4},
    {"powerUnpaired",
     {"power", "unpaired", "--n1", "10", "--n2", "14", "--sd1", "1", "--sd2", "1", "--powers", "80",
      "--select", "pow=0"},
     0},
    {"powerPaired",
     {"power", "paired", "--pairs", "10", "--sd", "1", "--powers", "80", "--select", "pow=0"},
     0},
    {"powerOneSampleOneTailed",
     {"power", "one-sample", "--n", "20", "--sd", "3", "--powers", "60", "--tails", "1", "--select",
      "pow=0"},
     0},
    {"powerAnova",
     {"power", "anova", "--df-treatment", "2", "--ms-groups", "1", "--df-residual", "27",
      "--ms-residual", "2", "--powers", "80", "--select", "pow=0"},
     0},
    {"powerProportions",
     {"power", "proportions", "--n1", "50", "--n2", "40", "--p1", "0.4", "--p2", "0.2", "--powers",
      "80", "--select", "pow=0"},
     0},
    {"powerSurvival",
     {"power", "survival", "--proportion", "0.6", "--n", "200", "--powers", "80", "--select",
      "pow=0"},
     4},
};

INSTANTIATE_TEST_SUITE_P(Designs, SimulatedReport, ::testing::ValuesIn(ReportCases),
                         [](const auto& param) { return std::string(param.param.name); });

// The page without its footer line, which tells the time of writing.
std::string WithoutFooter(const std::string& page)
{
    const std::size_t footer = page.rfind("\n\n  ");
    return footer == std::string::npos ? page : page.substr(0, footer);
}

TEST(CliSimulation, SameSeedGivesTheSameOutputAndAnotherSeedItsOwn)
{
    const QStringList pages[] = {
        {"sample", "survival", "--proportion", "0.3", "--ns", "20,40", "--powers", "80", "--page",
         "report", "--select", "n=1&pow=0", "--simulate", "1000"},
        {"power", "unpaired", "--n1", "5", "--n2", "6", "--sd1", "1", "--sd2", "2", "--powers",
         "90,50", "--page", "cells", "--simulate", "1000"},
    };
    for (const QStringList& page : pages) {
        SCOPED_TRACE(page.join(' ').toStdString());
        const CliProcess::Result first = CliProcess().run(QStringList(page) << "--seed"
                                                                            << "11");
        const CliProcess::Result again = CliProcess().run(QStringList(page) << "--seed"
                                                                            << "11");
        const CliProcess::Result other = CliProcess().run(QStringList(page) << "--seed"
                                                                            << "12");
        ASSERT_EQ(first.exitCode, 0) << first.err;
        EXPECT_EQ(WithoutFooter(first.out), WithoutFooter(again.out));
        EXPECT_NE(WithoutFooter(first.out), WithoutFooter(other.out));
        EXPECT_EQ(first.err, "");
    }
}

std::vector<std::vector<std::string>> Rows(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::size_t from = 0;
        for (std::size_t tab = line.find('\t'); tab != std::string::npos;
             from = tab + 1, tab = line.find('\t', from))
            fields.push_back(line.substr(from, tab - from));
        fields.push_back(line.substr(from));
        rows.push_back(fields);
    }
    return rows;
}

TEST(CliSimulation, CellsPageHasASimulatedColumnEmptyForFailedCells)
{
    // N = 10 has no increase in survival with 80% power (a failed cell); N = 200 has one.
    const CliProcess::Result result =
        CliProcess().run({"sample", "survival", "--proportion", "0.3", "--ns", "10,200", "--powers",
                          "80", "--page", "cells", "--simulate", "2000", "--no-settings"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto rows = Rows(result.out);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"n", "power", "value", "ok", "simulated"}));
    struct Expected
    {
        const char* n;
        const char* ok;
        bool hasSimulated;
    };
    const Expected expected[] = {{"10", "0", false}, {"200", "1", true}};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(expected[i].n);
        ASSERT_EQ(rows[i + 1].size(), 5u);
        EXPECT_EQ(rows[i + 1][0], expected[i].n);
        EXPECT_EQ(rows[i + 1][3], expected[i].ok);
        EXPECT_EQ(!rows[i + 1][4].empty(), expected[i].hasSimulated);
        if (expected[i].hasSimulated) {
            EXPECT_NEAR(std::stod(rows[i + 1][4]), 80, 5);
        }
    }
}

struct RefusedSimulationCase
{
    const char* name;
    QStringList arguments;
    std::string message;
};

std::ostream& operator<<(std::ostream& out, const RefusedSimulationCase& c)
{
    return out << c.name;
}

class RefusedSimulation : public ::testing::TestWithParam<RefusedSimulationCase>
{
};

TEST_P(RefusedSimulation, ExitsWithStatus2AndTheMessage)
{
    QStringList arguments{"sample", "unpaired", "--sd", "1"};
    const CliProcess::Result result = CliProcess().run(arguments << GetParam().arguments);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "zentrima-cli: " + GetParam().message + "\n");
    EXPECT_EQ(result.out, "");
}

const RefusedSimulationCase RefusedCases[] = {
    {"zero",
     {"--page", "cells", "--simulate", "0"},
     "--simulate: '0' is not a whole number from 1 to 10000000"},
    {"tooMany",
     {"--page", "cells", "--simulate", "10000001"},
     "--simulate: '10000001' is not a whole number from 1 to 10000000"},
    {"letters",
     {"--page", "cells", "--simulate", "many"},
     "--simulate: 'many' is not a whole number from 1 to 10000000"},
    {"tradeoffPage",
     {"--simulate", "100"},
     "--simulate: applies only to --page report and --page cells"},
    {"dataPage",
     {"--page", "data", "--simulate", "100"},
     "--simulate: applies only to --page report and --page cells"},
    {"seedAlone", {"--page", "cells", "--seed", "5"}, "--seed: applies only with --simulate"},
    {"negativeSeed",
     {"--page", "cells", "--simulate", "10", "--seed", "-5"},
     "--seed: '-5' is not a whole number from 0 to 18446744073709551615"},
    {"twice",
     {"--page", "cells", "--simulate", "10", "--simulate", "20"},
     "--simulate: given more than once"},
};

INSTANTIATE_TEST_SUITE_P(Options, RefusedSimulation, ::testing::ValuesIn(RefusedCases),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
