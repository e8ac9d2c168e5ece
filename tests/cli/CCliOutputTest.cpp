// What zentrima-cli writes. Expected values are worked out by hand from the closed forms
// of the t-test calculators (zα = 1.959964 for 0.05 two-tailed, 1.644854 one-tailed):
// sample size, k = ((zα − 1.06)·1.21 + 2(N − 1)) / ((N − 1)·√(2N)), d = k(zα + zβ)·SD
// (one-sample and paired with r = 0.5 or an SD of differences of 1: d / √2); power,
// one-sample Δ = (zβ + zα)·SD/√N; unpaired with the harmonic N and the pooled SD.
#include "CliProcess.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

#include <cstdlib>
#include <locale.h>
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
    EXPECT_TRUE(hasLine(result.out, "10\t2.03\t1.71\t1.54\t1.33\t0.93\t")) << result.out;
    EXPECT_TRUE(hasLine(result.out, "N per group\t99%\t95%\t90%\t80%\t50%\t")) << result.out;
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
    for (const Cell& cell : cells)
        EXPECT_EQ(cell.ok, 1);
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
};
INSTANTIATE_TEST_SUITE_P(Designs, CliCells, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

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

TEST(CliSettings, AStoredListThatDoesNotParseIsDroppedFromTheFile)
{
    CliProcess cli;
    {
        QSettings file(cli.settingsFile(), QSettings::IniFormat);
        file.setValue("2.00/Application/Powers Determination", "80 ,x");
        file.setValue("2.00/ShowStyle/Zoom", 3);
    }
    const CliProcess::Result result =
        cli.run({"power", "one-sample", "--n", "5", "--sd", "1", "--page", "cells"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    std::string header;
    EXPECT_EQ(parseCells(result.out, header).size(), 13u);
    QSettings file(cli.settingsFile(), QSettings::IniFormat);
    EXPECT_FALSE(file.contains("2.00/Application/Powers Determination"));
    EXPECT_EQ(file.value("2.00/ShowStyle/Zoom").toInt(), 3);
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
    EXPECT_TRUE(hasLine(data.out, "10\t2.03\t1.71\t1.54\t1.33\t0.93\t")) << data.out;
}

TEST(CliOutputFile, IsWrittenWholeAndNamedErrorsExitWith1)
{
    CliProcess cli;
    const QStringList base = {"power", "paired", "--pairs", "1", "--sd", "1"};
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
    EXPECT_EQ(missing.err, "zentrima-cli: cannot write " + missingFolder.toStdString() +
                               ": No such file or directory\n");

    const QString folder = cli.homePath("");
    const CliProcess::Result onFolder = cli.run(QStringList(base) << "--output" << folder);
    EXPECT_EQ(onFolder.exitCode, 1);
    EXPECT_NE(onFolder.err.find(folder.toStdString()), std::string::npos) << onFolder.err;
}

TEST(CliOutputFile, FullStandardOutputIsAFailure)
{
    if (!QFileInfo::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    CliProcess cli;
    cli.setOutputFile("/dev/full");
    const CliProcess::Result result = cli.run({"sample", "unpaired", "--sd", "1"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "zentrima-cli: cannot write standard output: No space left on device\n");
}

TEST(CliHelp, NamesEveryOptionWithAnExamplePerDesign)
{
    CliProcess cli;
    const CliProcess::Result help = cli.run({"--help"});
    ASSERT_EQ(help.exitCode, 0);
    for (const char* option :
         {"--sd <X>", "--r <R>", "--sd-diff", "--n1", "--n2", "--sd1", "--sd2", "--pairs",
          "--n <N>", "--alpha", "--tails", "--powers", "--ns", "--no-settings", "--page",
          "--format", "--select", "-o, --output", "--version"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    for (const char* example :
         {"zentrima-cli sample unpaired --sd", "zentrima-cli sample paired --sd",
          "zentrima-cli sample one-sample --sd", "zentrima-cli power unpaired --n1",
          "zentrima-cli power paired --pairs", "zentrima-cli power one-sample --n"})
        EXPECT_NE(help.out.find(example), std::string::npos) << example;
    const CliProcess::Result version = cli.run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "zentrima-cli 2.00\n");
}

} // namespace
