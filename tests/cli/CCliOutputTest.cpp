// What zentrima-cli writes. Expected values are worked out by hand from the closed forms
// of the t-test calculators (zα = 1.959964 for 0.05 two-tailed, 1.644854 one-tailed):
// sample size, k = ((zα − 1.06)·1.21 + 2(N − 1)) / ((N − 1)·√(2N)), d = k(zα + zβ)·SD
// (one-sample and paired with r = 0.5 or an SD of differences of 1: d / √2); power,
// one-sample Δ = (zβ + zα)·SD/√N; unpaired with the harmonic N and the pooled SD.
//
// The other designs were worked out by a separate program of a few lines per formula, with
// the deviates of the same truncated tail series (Abramowitz and Stegun 26.2.19) and the
// exact F tail series (26.6.4 to 26.6.8):
// - two proportions, sample size: φ = arcsin √P ± (zα + zβ)·√2 / (2√n), Pt = sin²φ (Cohen's
//   h of 0.40 at 80% and n = 98 gives the increase 0.1947 over 0.5, as in Cohen 1988,
//   table 6.4.1); power: centred on arcsin √((P1 + P2)/2) ± (zα + zβ)·√(2/n)/4 with the
//   harmonic n;
// - survival: the hazard ratio h of Freedman (1982), ((1 + h)(zα + zβ)/(1 − h))² events
//   among n·(2 − S − S^h), by 11 halvings of (0, 0.999); the power calculator weighs the
//   events against N/2 per group;
// - one-way ANOVA: the 16 halvings of f over (0, 20) on the normal approximation to the
//   noncentral F with λ = N·f², range = 2f·SD/√((k + 1)/(3(k − 1))); the power calculator
//   takes SD = √(residual MS) and N = df residual + k.
#include "cli/CliProcess.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Cell
{
    int n;
    std::string power;
    double value;
    int ok;
};

std::vector<Cell> parseCells(const std::string& text, std::string& header)
{
    std::istringstream in(text);
    std::getline(in, header);
    std::vector<Cell> cells;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Cell cell;
        std::string value;
        fields >> cell.n >> cell.power >> value >> cell.ok;
        cell.value = std::strtod(value.c_str(), nullptr);
        cells.push_back(cell);
    }
    return cells;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        result.push_back(line);
    return result;
}

bool hasLine(const std::string& text, const std::string& wanted)
{
    for (const std::string& line : lines(text))
        if (line == wanted)
            return true;
    return false;
}

TEST(CliTradeoff, DefaultTableHoldsTheHandComputedRowForTenPerGroup)
{
    CliProcess cli;
    const CliProcess::Result result = cli.run({"sample", "unpaired", "--sd", "1", "--no-settings"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    // Powers 99, 95, 90, 80, 50: 2.0329, 1.7097, 1.5374, 1.3287, 0.9296.
    EXPECT_TRUE(hasLine(result.out, "10\t2.03\t1.71\t1.54\t1.33\t0.93")) << result.out;
    EXPECT_TRUE(hasLine(result.out, "N per group\t99%\t95%\t90%\t80%\t50%")) << result.out;
    EXPECT_NE(result.out.find("Sample size for unpaired t test"), std::string::npos);
}

struct CellsCase
{
    const char* name;
    QStringList inputs;
    int n;
    double at90, at80, at50;
};

std::ostream& operator<<(std::ostream& out, const CellsCase& c)
{
    return out << c.name;
}

class CliCells : public ::testing::TestWithParam<CellsCase>
{
};

TEST_P(CliCells, MatchTheClosedFormForEveryDesign)
{
    const CellsCase& c = GetParam();
    CliProcess cli;
    QStringList arguments = c.inputs;
    arguments << "--powers"
              << "50,90,80"
              << "--page"
              << "cells"
              << "--no-settings";
    if (c.n != 0)
        arguments << "--ns"
                  << "100,3,10";
    const CliProcess::Result result = cli.run(arguments);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::string header;
    const std::vector<Cell> cells = parseCells(result.out, header);
    EXPECT_EQ(header, "n\tpower\tvalue\tok");
    // Rows ascending, powers descending within a row; power calculations have no rows.
    const int rows = c.n != 0 ? 3 : 1;
    ASSERT_EQ(cells.size(), static_cast<size_t>(3 * rows));
    const int row = c.n == 3 ? 0 : c.n == 10 ? 1 : c.n == 100 ? 2 : 0;
    const Cell* r = &cells[3 * row];
    EXPECT_EQ(r[0].n, c.n);
    EXPECT_EQ(r[0].power, "90");
    EXPECT_EQ(r[1].power, "80");
    EXPECT_EQ(r[2].power, "50");
    EXPECT_NEAR(r[0].value, c.at90, 2e-5);
    EXPECT_NEAR(r[1].value, c.at80, 2e-5);
    EXPECT_NEAR(r[2].value, c.at50, 2e-5);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(r[i].ok, 1);
    if (c.n != 0) {
        EXPECT_EQ(cells[0].n, 3);
        EXPECT_EQ(cells[8].n, 100);
    }
}

const CellsCase Cases[] = {
    {"unpairedN10", {"sample", "unpaired", "--sd", "1"}, 10, 1.537350, 1.328705, 0.929550},
    {"unpairedN3", {"sample", "unpaired", "--sd", "1"}, 3, 3.367218, 2.910228, 2.035969},
    {"unpairedN100", {"sample", "unpaired", "--sd", "1"}, 100, 0.460941, 0.398383, 0.278705},
    {"oneSampleN10", {"sample", "one-sample", "--sd", "1"}, 10, 1.087071, 0.939536, 0.657291},
    {"pairedWithR",
     {"sample", "paired", "--sd", "1", "--r", "0.5"},
     10,
     1.087071,
     0.939536,
     0.657291},
    {"pairedSdDiff", {"sample", "paired", "--sd-diff", "1"}, 3, 2.380983, 2.057842, 1.439648},
    {"scaledBySd", {"sample", "unpaired", "--sd", "2.5"}, 10, 3.843375, 3.321762, 2.323875},
    {"oneTailed",
     {"sample", "unpaired", "--sd", "1", "--tails", "1"},
     10,
     1.360181,
     1.155703,
     0.764521},
    {"powerOneSample",
     {"power", "one-sample", "--n", "12", "--sd", "3"},
     0,
     2.807235,
     2.426244,
     1.697379},
    {"powerPaired",
     {"power", "paired", "--pairs", "12", "--sd", "3"},
     0,
     2.807235,
     2.426244,
     1.697379},
    {"powerUnpaired",
     {"power", "unpaired", "--n1", "10", "--n2", "12", "--sd1", "1", "--sd2", "1.2"},
     0,
     1.631775,
     1.410315,
     0.986644},
    // The smallest level accepted, either way round (zα = 3.290543 from the tail series).
    {"unpairedAt0001",
     {"sample", "unpaired", "--sd", "1", "--alpha", "0.001"},
     10,
     2.351289,
     2.125047,
     1.692227},
    {"unpairedAt00005OneTailed",
     {"sample", "unpaired", "--sd", "1", "--alpha", "0.0005", "--tails", "1"},
     10,
     2.351289,
     2.125047,
     1.692227},
    // One-way ANOVA; three groups unless --groups says otherwise.
    {"anovaN10", {"sample", "anova", "--sd", "1"}, 10, 1.654273, 1.456926, 1.062233},
    {"anovaN3", {"sample", "anova", "--sd", "1"}, 3, 3.808640, 3.309293, 2.358441},
    {"anovaN100", {"sample", "anova", "--sd", "1"}, 100, 0.495609, 0.437302, 0.320688},
    {"anovaFiveGroups",
     {"sample", "anova", "--sd", "2.5", "--groups", "5"},
     10,
     4.089256,
     3.623145,
     2.686609},
    {"anovaTwentyGroupsAt001",
     {"sample", "anova", "--sd", "1", "--groups", "20", "--alpha", "0.01"},
     100,
     0.425352,
     0.389152,
     0.314740},
    {"anovaAt010",
     {"sample", "anova", "--sd", "1", "--groups", "4", "--alpha", "0.10"},
     10,
     1.496080,
     1.302826,
     0.913043},
    // Three groups of ten with SD 2, entered as its ANOVA table: twice the first row above.
    {"powerAnova",
     {"power", "anova", "--df-treatment", "2", "--ms-groups", "12.5", "--df-residual", "27",
      "--ms-residual", "4"},
     0,
     3.308545,
     2.913852,
     2.124466},
    {"powerAnovaAt001",
     {"power", "anova", "--df-treatment", "3", "--ms-groups", "1", "--df-residual", "36",
      "--ms-residual", "2.25", "--alpha", "0.01"},
     0,
     2.998302,
     2.701051,
     2.116376},
    // Survival, each --tabulate choice; S = 0.5 by default.
    {"survivalIncrease", {"sample", "survival"}, 100, 0.226500, 0.195259, 0.136749},
    {"survivalIncreaseNamed",
     {"sample", "survival", "--proportion", "0.3", "--tabulate", "increase"},
     100,
     0.221978,
     0.188749,
     0.128503},
    {"survivalHazardRatio",
     {"sample", "survival", "--tabulate", "hazard-ratio"},
     100,
     0.460964,
     0.524377,
     0.651204},
    {"survivalHazardRatioWorse",
     {"sample", "survival", "--proportion", "0.3", "--tabulate", "hazard-ratio-worse"},
     100,
     1.851897,
     1.681747,
     1.420686},
    {"survivalOneTailed",
     {"sample", "survival", "--tails", "1"},
     100,
     0.204250,
     0.173509,
     0.114748},
    {"powerSurvivalDifference",
     {"power", "survival", "--proportion", "0.3", "--n", "120"},
     0,
     0.237817,
     0.209219,
     0.151348},
    {"powerSurvivalHazardRatio",
     {"power", "survival", "--proportion", "0.6", "--n", "500", "--tabulate", "hazard-ratio"},
     0,
     0.667789,
     0.708763,
     0.789737},
    {"powerSurvivalDifferenceNamed",
     {"power", "survival", "--proportion", "0.6", "--n", "500", "--tabulate", "difference"},
     0,
     0.142326,
     0.122342,
     0.084989},
    // Two proportions, each direction and --tabulate choice; P = 0.5 and higher by default.
    {"proportionsIncrease", {"sample", "proportions"}, 100, 0.221266, 0.192960, 0.136823},
    {"proportionsIncreaseNamed",
     {"sample", "proportions", "--proportion", "0.2", "--higher", "--tabulate", "difference"},
     100,
     0.207987,
     0.177608,
     0.120909},
    {"proportionsDecrease",
     {"sample", "proportions", "--proportion", "0.2", "--lower"},
     100,
     0.146039,
     0.131128,
     0.098007},
    {"proportionsRelativeRisk",
     {"sample", "proportions", "--proportion", "0.2", "--tabulate", "ratio"},
     100,
     2.039934,
     1.888041,
     1.604545},
    {"proportionsRiskReduction",
     {"sample", "proportions", "--proportion", "0.2", "--lower", "--tabulate", "ratio"},
     100,
     0.730193,
     0.655638,
     0.490037},
    {"proportionsN10",
     {"sample", "proportions", "--tabulate", "ratio"},
     10,
     1.992671,
     1.949898,
     1.768519},
    {"proportionsOneTailed",
     {"sample", "proportions", "--alpha", "0.05", "--tails", "1"},
     100,
     0.201071,
     0.172219,
     0.115263},
    {"powerProportionsChange",
     {"power", "proportions", "--n1", "50", "--n2", "60", "--p1", "0.3", "--p2", "0.45"},
     0,
     0.295696,
     0.256611,
     0.180629},
    {"powerProportionsRelativeRisk",
     {"power", "proportions", "--n1", "20", "--n2", "30", "--p1", "0.1", "--p2", "0.2",
      "--tabulate", "relative-risk"},
     0,
     13.117273,
     8.444935,
     4.103134},
    {"powerProportionsRiskReduction",
     {"power", "proportions", "--n1", "50", "--n2", "60", "--p1", "0.3", "--p2", "0.45",
      "--tabulate", "risk-reduction"},
     0,
     -1.268408,
     -1.021686,
     -0.629634},
    {"powerProportionsEqual",
     {"power", "proportions", "--n1", "100", "--n2", "100", "--p1", "0.5", "--p2", "0.5",
      "--tabulate", "change"},
     0,
     0.227208,
     0.196809,
     0.138147},
};
INSTANTIATE_TEST_SUITE_P(Designs, CliCells, ::testing::ValuesIn(Cases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Cells without a result: ok 0 on the cells page, and the design's own stand-in on the text
// page, where such a cell carries no link. Sample sizes 2 and 10 with powers 90 and 50, or
// powers 90 and 10 for a power calculation.
struct FailedCellsCase
{
    const char* name;
    QStringList inputs;
    std::vector<int> ok;
    double failedValue;
    std::vector<std::string> tableLines;
};

std::ostream& operator<<(std::ostream& out, const FailedCellsCase& c)
{
    return out << c.name;
}

class CliFailedCells : public ::testing::TestWithParam<FailedCellsCase>
{
};

TEST_P(CliFailedCells, AreFlaggedOnTheCellsPageAndShownAsSuchOnTheTable)
{
    const FailedCellsCase& c = GetParam();
    CliProcess cli;
    const bool sample = c.inputs.front() == "sample";
    QStringList arguments = c.inputs;
    arguments << "--no-settings"
              << "--powers" << (sample ? "90,50" : "90,10");
    if (sample)
        arguments << "--ns"
                  << "2,10";
    const CliProcess::Result cellsPage = cli.run(QStringList(arguments) << "--page"
                                                                        << "cells");
    ASSERT_EQ(cellsPage.exitCode, 0) << cellsPage.err;
    std::string header;
    const std::vector<Cell> cells = parseCells(cellsPage.out, header);
    ASSERT_EQ(cells.size(), c.ok.size()) << cellsPage.out;
    for (size_t i = 0; i < cells.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(cells[i].ok, c.ok[i]);
        if (c.ok[i] == 0) {
            EXPECT_NEAR(cells[i].value, c.failedValue, 1e-9 * (1 + c.failedValue));
        }
    }

    const CliProcess::Result table = cli.run(arguments);
    ASSERT_EQ(table.exitCode, 0) << table.err;
    for (const std::string& line : c.tableLines)
        EXPECT_TRUE(hasLine(table.out, line)) << line << "\n" << table.out;
}

// 0.5^0.001 − 0.5 = 0.4993071, 0.3^0.001 − 0.3 = 0.6987968: the increase at the smallest
// hazard ratio searched (the power calculator's 70% deaths leave S = 0.3 surviving).
const FailedCellsCase FailedCases[] = {
    {"survivalIncrease",
     {"sample", "survival"},
     {0, 0, 0, 1},
     0.499307093,
     {"2\t~0.50\t~0.50", "10\t~0.50\t0.436"}},
    {"survivalHazardRatio",
     {"sample", "survival", "--tabulate", "hazard-ratio"},
     {0, 0, 0, 1},
     0,
     {"2\t<0.001\t<0.001", "10\t<0.001\t0.096"}},
    {"survivalHazardRatioWorse",
     {"sample", "survival", "--tabulate", "hazard-ratio-worse"},
     {0, 0, 0, 1},
     1.7e38,
     {"2\t\t", "10\t\t10.406"}},
    {"proportionsHigher",
     {"sample", "proportions"},
     {0, 0, 1, 1},
     1.7e38,
     {"2\tImpossible\tImpossible", "10\t0.50\t0.38"}},
    {"proportionsLowerRatio",
     {"sample", "proportions", "--lower", "--tabulate", "ratio"},
     {0, 0, 1, 1},
     1.7e38,
     {"2\tImpossible\tImpossible", "10\t0.99\t0.77"}},
    {"powerSurvivalDifference",
     {"power", "survival", "--proportion", "0.7", "--n", "2"},
     {0, 1},
     0.698796752,
     {"Impossible\t90", "0.525\t10"}},
    {"powerSurvivalHazardRatio",
     {"power", "survival", "--proportion", "0.7", "--n", "2", "--tabulate", "hazard-ratio"},
     {0, 1},
     0,
     {"Impossible\t90", "0.160\t10"}},
    {"powerProportions",
     {"power", "proportions", "--n1", "2", "--n2", "2", "--p1", "0.01", "--p2", "0.01"},
     {0, 0},
     1.7e38,
     {"Impossible\t90", "Impossible\t10"}},
};
INSTANTIATE_TEST_SUITE_P(Designs, CliFailedCells, ::testing::ValuesIn(FailedCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(CliCells, NumbersIgnoreADecimalCommaLocale)
{
    const locale_t german = newlocale(LC_ALL_MASK, "de_DE.UTF-8", static_cast<locale_t>(0));
    if (german == static_cast<locale_t>(0))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    freelocale(german);
    CliProcess cli;
    const QStringList arguments = {"sample",   "unpaired", "--sd",   "1.5",   "--ns",         "10",
                                   "--powers", "80.5",     "--page", "cells", "--no-settings"};
    const CliProcess::Result inC = cli.run(arguments);
    cli.setEnv("LC_ALL", "de_DE.UTF-8");
    const CliProcess::Result inGerman = cli.run(arguments);
    ASSERT_EQ(inC.exitCode, 0) << inC.err;
    EXPECT_EQ(inGerman.exitCode, 0) << inGerman.err;
    EXPECT_EQ(inGerman.out, inC.out);
    EXPECT_NE(inC.out.find("\t80.5\t"), std::string::npos) << inC.out;
}

TEST(CliSettings, StoredSampleSizePowersApplyUnlessNoSettings)
{
    CliProcess cli;
    {
        QSettings file(cli.settingsFile(), QSettings::IniFormat);
        file.setValue("2.00/Application/Sample Size Powers", "95,60");
        file.setValue("2.00/Application/Sample Size Series", "4,8");
    }
    const QStringList arguments = {"sample", "one-sample", "--sd", "1", "--page", "cells"};
    std::string header;
    const CliProcess::Result stored = cli.run(arguments);
    ASSERT_EQ(stored.exitCode, 0) << stored.err;
    const std::vector<Cell> cells = parseCells(stored.out, header);
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[0].n, 4);
    EXPECT_EQ(cells[0].power, "95");
    EXPECT_EQ(cells[3].n, 8);
    EXPECT_EQ(cells[3].power, "60");

    const CliProcess::Result builtIn = cli.run(QStringList(arguments) << "--no-settings");
    ASSERT_EQ(builtIn.exitCode, 0) << builtIn.err;
    EXPECT_EQ(parseCells(builtIn.out, header).size(), 29u * 5u);
}

// A query only reads the settings file it shares with the desktop program: a stored list
// it cannot use (hand-edited, damaged, or an encoded value claiming 0x7fffffff entries) is
// replaced by the built-in one with a word on standard error, and the file, comments and
// all, stays as it was.
TEST(CliSettings, ABadStoredListIsReportedAndTheFileLeftAlone)
{
    const char* const storedValues[] = {
        "80 ,x",
        "80 ,50",
        "@Variant(\\0\\0\\0\\v\\0\\x7f\\xff\\xff\\xff)",
        "\"@Variant(\\0\\0\\0\\v\\0\\x7f\\xff\\xff\\xff)\"",
    };
    for (const char* stored : storedValues) {
        SCOPED_TRACE(stored);
        CliProcess cli;
        QDir().mkpath(QFileInfo(cli.settingsFile()).path());
        const QByteArray text =
            QByteArray("; kept by hand\n[2.00]\nApplication\\Powers%20Determination=") + stored +
            "\nShowStyle\\ZoomFactor=3\n";
        {
            QFile file(cli.settingsFile());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(text);
        }
        const QStringList arguments = {"power", "one-sample", "--n",    "5",
                                       "--sd",  "1",          "--page", "cells"};
        const CliProcess::Result result = cli.run(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "zentrima-cli: settings: the stored \"Powers Determination\" is "
                              "not a valid list; the built-in list is used\n");
        std::string header;
        EXPECT_EQ(parseCells(result.out, header).size(), 13u);
        // A list given on the command line replaces the stored one without a word.
        const CliProcess::Result given = cli.run(QStringList(arguments) << "--powers"
                                                                        << "90,80");
        ASSERT_EQ(given.exitCode, 0) << given.err;
        EXPECT_EQ(given.err, "");
        EXPECT_EQ(parseCells(given.out, header).size(), 2u);
        EXPECT_EQ(CliProcess::readFile(cli.settingsFile()), text.toStdString());
    }
}

TEST(CliSettings, ARunWithoutStoredValuesCreatesNoSettingsFile)
{
    CliProcess cli;
    ASSERT_EQ(cli.run({"sample", "unpaired", "--sd", "1"}).exitCode, 0);
    EXPECT_FALSE(QFileInfo::exists(cli.settingsFile()));
}

TEST(CliPages, ReportDataAndHtmlFormats)
{
    CliProcess cli;
    const QStringList base = {"sample", "unpaired", "--sd", "1", "--no-settings"};
    // Row 7 of the default sizes is N = 10, power column 3 is 80%.
    const CliProcess::Result report = cli.run(QStringList(base) << "--page"
                                                                << "report"
                                                                << "--select"
                                                                << "n=7&pow=3");
    ASSERT_EQ(report.exitCode, 0) << report.err;
    EXPECT_NE(report.out.find("You requested a detailed explanation for N = 10 and power = 80%."),
              std::string::npos)
        << report.out;
    EXPECT_EQ(report.out.find("<"), std::string::npos);

    const CliProcess::Result html = cli.run(QStringList(base) << "--format"
                                                              << "html");
    ASSERT_EQ(html.exitCode, 0) << html.err;
    EXPECT_EQ(html.out.rfind("<HTML>", 0), 0u);
    EXPECT_EQ(html.out.find("?n=7&pow=3"), std::string::npos);
    const CliProcess::Result links = cli.run(QStringList(base) << "--format"
                                                               << "html-links");
    EXPECT_NE(links.out.find("?n=7&pow=3"), std::string::npos);

    const CliProcess::Result data = cli.run(QStringList(base) << "--page"
                                                              << "data");
    ASSERT_EQ(data.exitCode, 0) << data.err;
    EXPECT_EQ(data.out.find("<"), std::string::npos);
    EXPECT_TRUE(hasLine(data.out, "10\t2.03\t1.71\t1.54\t1.33\t0.93")) << data.out;
}

TEST(CliPages, StateTheChosenLevelWithoutRounding)
{
    struct Case
    {
        QStringList arguments;
        std::string line;
    };
    const Case cases[] = {
        {{"sample", "unpaired", "--sd", "1", "--alpha", "0.005"},
         "Significance level (alpha) = 0.005 (two-tailed)"},
        {{"sample", "unpaired", "--sd", "1", "--alpha", "0.025", "--tails", "1"},
         "Significance level (alpha) = 0.025 (one-tailed)"},
        {{"sample", "unpaired", "--sd", "1", "--alpha", "0.1", "--tails", "1"},
         "Significance level (alpha) = 0.10 (one-tailed)"},
        {{"power", "survival", "--proportion", "0.3", "--n", "50", "--alpha", "0.001"},
         "Significance level (alpha) = 0.001 (two-tailed)"},
        {{"sample", "proportions", "--alpha", "0.0005", "--tails", "1"},
         "Significance level (alpha) = 0.0005 (one-tailed)"},
        {{"power", "proportions", "--n1", "5", "--n2", "5", "--p1", "0.5", "--p2", "0.4", "--alpha",
          "0.05"},
         "Significance level (alpha) = 0.05 (two-tailed)"},
        {{"sample", "anova", "--sd", "1", "--alpha", "0.1"}, "Significance level (alpha) = 0.10"},
        // ANOVA takes every level the other designs take, and states it unrounded.
        {{"sample", "anova", "--sd", "1", "--alpha", "0.001"},
         "Significance level (alpha) = 0.001"},
        {{"power", "anova", "--df-treatment", "2", "--ms-groups", "1", "--df-residual", "27",
          "--ms-residual", "1", "--alpha", "0.037"},
         "Significance level (alpha) = 0.037"},
    };
    CliProcess cli;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const CliProcess::Result result = cli.run(QStringList(c.arguments) << "--no-settings");
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_TRUE(hasLine(result.out, c.line)) << result.out;
    }
}

TEST(CliPages, ReportOnACellOfEachNewDesign)
{
    struct Case
    {
        QStringList arguments;
        std::string sentence;
    };
    // Row 7 of the default sizes is N = 10, power column 3 is 80%; power row 4 is 80%.
    const Case cases[] = {
        {{"sample", "anova", "--sd", "1", "--select", "n=7&pow=3"},
         "You requested a detailed explanation for N = 10 and power = 80%."},
        {{"sample", "survival", "--tabulate", "hazard-ratio", "--select", "n=28&pow=0"},
         "Summary: A sample size of 1000 in each group has a 99% power to detect a hazard ratio "
         "of"},
        {{"sample", "proportions", "--lower", "--select", "n=7&pow=3"},
         "You requested a detailed explanation for N = 10 and power = 80%."},
        {{"power", "anova", "--df-treatment", "2", "--ms-groups", "12.5", "--df-residual", "27",
          "--ms-residual", "4", "--select", "pow=4"},
         "Test chosen: Power of one-way ANOVA"},
        {{"power", "survival", "--proportion", "0.3", "--n", "120", "--select", "pow=4"},
         "Test chosen: Power of survival analysis"},
        {{"power", "proportions", "--n1", "50", "--n2", "60", "--p1", "0.3", "--p2", "0.45",
          "--select", "pow=4"},
         "Test chosen: Power of a \"not significant\" chi-square test comparing two proportions"},
    };
    CliProcess cli;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sentence);
        const CliProcess::Result result = cli.run(QStringList(c.arguments) << "--no-settings"
                                                                           << "--page"
                                                                           << "report");
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.out.find(c.sentence), std::string::npos) << result.out;
    }
}

TEST(CliOutputFile, IsWrittenWholeAndNamedErrorsExitWith1)
{
    CliProcess cli;
    const QStringList base = {"power", "paired", "--pairs", "2", "--sd", "1"};
    const CliProcess::Result toStdout = cli.run(base);
    ASSERT_EQ(toStdout.exitCode, 0) << toStdout.err;

    const QString path = cli.homePath("out.txt");
    const CliProcess::Result toFile = cli.run(QStringList(base) << "-o" << path);
    EXPECT_EQ(toFile.exitCode, 0) << toFile.err;
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(CliProcess::readFile(path), toStdout.out);
    EXPECT_EQ(QDir(cli.homePath("")).entryList(QDir::Files | QDir::Hidden), QStringList{"out.txt"});

    const QString missingFolder = cli.homePath("no-such-folder/out.txt");
    const CliProcess::Result missing = cli.run(QStringList(base) << "-o" << missingFolder);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "zentrima-cli: -o: cannot write " + missingFolder.toStdString() +
                               ": No such file or directory\n");

    const QString folder = cli.homePath("");
    const CliProcess::Result onFolder = cli.run(QStringList(base) << "--output" << folder);
    EXPECT_EQ(onFolder.exitCode, 1);
    EXPECT_NE(onFolder.err.find(folder.toStdString()), std::string::npos) << onFolder.err;
}

// A private copy of the full device in the test's home, so that the run can never write to
// (or a faulty program replace) a real device; empty when this user cannot make one.
QString privateFullDevice(const CliProcess& cli)
{
    const QString path = cli.homePath("full");
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0
               ? path
               : QString();
}

TEST(CliOutputFile, FullStandardOutputIsAFailure)
{
    CliProcess cli;
    const QString full = privateFullDevice(cli);
    if (full.isEmpty())
        GTEST_SKIP() << "making a device node needs root";
    cli.setOutputFile(full);
    const CliProcess::Result result = cli.run({"sample", "unpaired", "--sd", "1"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "zentrima-cli: cannot write standard output: No space left on device\n");
}

// Help and version that cannot be written are failures, with the reason.
TEST(CliOutputFile, HelpAndVersionThatCannotBeWrittenExitWith1)
{
    CliProcess cli;
    const QString full = privateFullDevice(cli);
    if (full.isEmpty())
        GTEST_SKIP() << "making a device node needs root";
    cli.setOutputFile(full);
    for (const char* option : {"--help", "--version"}) {
        const CliProcess::Result result = cli.run({option});
        EXPECT_EQ(result.exitCode, 1) << option;
        EXPECT_EQ(result.err,
                  "zentrima-cli: cannot write standard output: No space left on device\n");
    }
}

// -o writes through a link to its target, into a FIFO for its reader, into the process's own
// standard output, and to a name at the length limit.
TEST(CliOutputFile, LinksFifosDescriptorsAndLongNames)
{
    CliProcess cli;
    const QStringList base = {"sample", "one-sample", "--sd", "1", "--page", "cells"};
    const std::string expected = cli.run(base).out;
    ASSERT_FALSE(expected.empty());

    QDir(cli.homePath("")).mkdir("real");
    ASSERT_TRUE(QFile::link("real/table.txt", cli.homePath("link")));
    const CliProcess::Result viaLink = cli.run(QStringList(base) << "-o" << cli.homePath("link"));
    EXPECT_EQ(viaLink.exitCode, 0) << viaLink.err;
    EXPECT_TRUE(QFileInfo(cli.homePath("link")).isSymLink());
    EXPECT_EQ(CliProcess::readFile(cli.homePath("real/table.txt")), expected);

    // The program's standard output by the name /dev/stdout leads to: a link of the test's
    // own to /proc/self/fd/1, so that a program that replaced what it names (as an old one
    // did, as root even /dev/stdout itself) harms nothing outside the test's folder.
    ASSERT_TRUE(QFile::link("/proc/self/fd/1", cli.homePath("stdout")));
    const CliProcess::Result toStdout =
        cli.run(QStringList(base) << "-o" << cli.homePath("stdout"));
    EXPECT_EQ(toStdout.exitCode, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out, expected);

    // The read end is open before the run (so the run's open does not wait) and is read
    // after it: a run that replaced the FIFO instead leaves it empty, and nothing hangs.
    const QString fifo = cli.homePath("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const int readEnd = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(readEnd, 0);
    const CliProcess::Result toFifo = cli.run(QStringList(base) << "-o" << fifo);
    std::string received;
    char block[4096];
    ssize_t got = 0;
    while ((got = ::read(readEnd, block, sizeof block)) > 0)
        received.append(block, static_cast<size_t>(got));
    ::close(readEnd);
    EXPECT_EQ(toFifo.exitCode, 0) << toFifo.err;
    EXPECT_EQ(received, expected);
    EXPECT_FALSE(QFileInfo(fifo).isFile());

    const QString longName = cli.homePath(QString(250, QLatin1Char('n')));
    const CliProcess::Result toLongName = cli.run(QStringList(base) << "-o" << longName);
    EXPECT_EQ(toLongName.exitCode, 0) << toLongName.err;
    EXPECT_EQ(CliProcess::readFile(longName), expected);
}

TEST(CliHelp, NamesEveryOptionWithAnExamplePerDesign)
{
    CliProcess cli;
    const CliProcess::Result help = cli.run({"--help"});
    ASSERT_EQ(help.exitCode, 0);
    for (const char* option : {"--sd <X>",
                               "--r <R>",
                               "--sd-diff",
                               "--n1",
                               "--n2",
                               "--sd1",
                               "--sd2",
                               "--pairs",
                               "--n <N>",
                               "--groups <K>",
                               "--df-treatment <N>",
                               "--ms-groups <X>",
                               "--df-residual <N>",
                               "--ms-residual <X>",
                               "--proportion <P>",
                               "--higher",
                               "--lower",
                               "--p1 <X>",
                               "--p2 <X>",
                               "--tabulate <EFFECT>",
                               "--alpha",
                               "--tails",
                               "--powers",
                               "--ns",
                               "--no-settings",
                               "--page",
                               "--format",
                               "--select",
                               "-o, --output",
                               "--version"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    for (const char* choice : {"hazard-ratio-worse", "relative-risk", "risk-reduction"})
        EXPECT_NE(help.out.find(choice), std::string::npos) << choice;
    // Every design has an example, and each example runs.
    const char* const designs[] = {"sample unpaired", "sample paired",   "sample one-sample",
                                   "sample anova",    "sample survival", "sample proportions",
                                   "power unpaired",  "power paired",    "power one-sample",
                                   "power anova",     "power survival",  "power proportions"};
    for (const char* design : designs) {
        SCOPED_TRACE(design);
        const std::string prefix = std::string("  zentrima-cli ") + design + " ";
        const size_t at = help.out.find(prefix);
        ASSERT_NE(at, std::string::npos);
        const std::string example = help.out.substr(at + 15, help.out.find('\n', at) - at - 15);
        const QStringList arguments =
            QString::fromStdString(example).split(' ', Qt::SkipEmptyParts);
        const CliProcess::Result run = cli.run(QStringList(arguments) << "--no-settings");
        EXPECT_EQ(run.exitCode, 0) << example << "\n" << run.err;
    }
    const CliProcess::Result version = cli.run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "zentrima-cli 2.00\n");
}

} // namespace
