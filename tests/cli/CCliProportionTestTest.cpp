// --test: the proportions tables of the exact method under the test that will be run, and
// the cells page's exact column. Reference values computed by hand in Python 3 (standard
// library) by full enumeration of every 2x2 table, as described in
// tests/calc/ProportionTestCalcTest.cpp.
#include "cli/CliProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The fields of the first line of a cells page after its header, and the header.
std::vector<std::string> firstCell(const std::string& text, std::string& header)
{
    std::istringstream lines(text);
    std::getline(lines, header);
    std::string line;
    std::getline(lines, line);
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string field; std::getline(cells, field, '\t');)
        fields.push_back(field);
    return fields;
}

TEST(CliProportionTest, CellsOfTheChosenTest)
{
    const QStringList twenty = {"power", "proportions", "--n1", "20",  "--n2",          "20",
                                "--p1",  "0.3",         "--p2", "0.7", "--no-settings", "--page",
                                "cells", "--powers",    "80"};
    const struct
    {
        QStringList arguments;
        double value;
        const char* ok;
        const char* exact;
    } cases[] = {
        // The change that Fisher's test and Yates's detect with 80% power.
        {QStringList(twenty) << "--test"
                             << "fisher"
                             << "--method"
                             << "exact",
         0.4826010531456752, "1", "1"},
        {QStringList(twenty) << "--test"
                             << "yates"
                             << "--method"
                             << "exact",
         0.4881233775006511, "1", "1"},
        // 4.03% of the tables reject with no difference: 3.8% power needs no change.
        {{"power", "proportions", "--n1", "6", "--n2", "35", "--p1", "0.771", "--p2", "0.241",
          "--alpha", "0.037", "--powers", "3.8", "--method", "exact", "--no-settings", "--page",
          "cells"},
         0,
         "1",
         "1"},
        // Beyond 2000 per group: the arcsine formula with exact normal quantiles.
        {{"power",    "proportions", "--n1",     "5",          "--n2",          "76559",   "--p1",
          "0.3",      "--p2",        "0.2",      "--tabulate", "relative-risk", "--alpha", "0.001",
          "--powers", "90",          "--method", "exact",      "--no-settings", "--page",  "cells"},
         4801.253367670643,
         "1",
         "0"},
    };
    CliProcess cli;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliProcess::Result result = cli.run(c.arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        std::string header;
        const std::vector<std::string> fields = firstCell(result.out, header);
        EXPECT_EQ(header, "n\tpower\tvalue\tok\texact");
        ASSERT_EQ(fields.size(), 5u);
        EXPECT_NEAR(std::strtod(fields[2].c_str(), nullptr), c.value, 1e-6);
        EXPECT_EQ(fields[3], c.ok);
        EXPECT_EQ(fields[4], c.exact);
    }
}

TEST(CliProportionTest, RefusesAnUnknownTestAndOtherDesigns)
{
    const QStringList refused[] = {
        {"sample", "proportions", "--test", "mcnemar", "--no-settings"},
        {"sample", "unpaired", "--sd", "1", "--test", "fisher", "--no-settings"},
        {"power", "survival", "--proportion", "0.3", "--n", "200", "--test", "yates"},
    };
    CliProcess cli;
    for (const QStringList& arguments : refused) {
        const CliProcess::Result result = cli.run(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_NE(result.err.find("--test"), std::string::npos) << result.err;
    }
}

TEST(CliProportionTest, PagesNameTheTestAndItsLevel)
{
    CliProcess cli;
    const QStringList sample = {"sample", "proportions", "--proportion", "0.3",
                                "--ns",   "20",          "--no-settings"};
    const CliProcess::Result exact = cli.run(QStringList(sample) << "--test"
                                                                 << "fisher"
                                                                 << "--method"
                                                                 << "exact");
    ASSERT_EQ(exact.exitCode, 0) << exact.err;
    // Python: the full enumeration at 0.3 and 0.3 gives 0.024804614814240924.
    EXPECT_NE(exact.out.find("2.5% at N = 20"), std::string::npos) << exact.out;
    EXPECT_NE(exact.out.find("Fisher's exact test"), std::string::npos);
    const CliProcess::Result written = cli.run(QStringList(sample) << "--test"
                                                                   << "yates");
    EXPECT_NE(written.out.find("approximates the uncorrected chi-square test"), std::string::npos)
        << written.out;
    // The uncorrected test, chosen or by default, leaves the written page as it was.
    EXPECT_EQ(cli.run(QStringList(sample) << "--test"
                                          << "chi-square")
                  .out,
              cli.run(sample).out);
}

} // namespace
