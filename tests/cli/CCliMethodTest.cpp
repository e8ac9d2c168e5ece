// --method: the same pages and cells columns from the exact distributions, and the
// accuracy check of the written method's report.
#include "cli/CliProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The value column of every line of a cells page after its header.
std::vector<double> cellValues(const std::string& text, std::string& header)
{
    std::istringstream lines(text);
    std::getline(lines, header);
    std::vector<double> values;
    for (std::string line; std::getline(lines, line);) {
        const size_t first = line.find('\t');
        const size_t second = line.find('\t', first + 1);
        values.push_back(std::strtod(line.c_str() + second + 1, nullptr));
    }
    return values;
}

TEST(CliMethod, EveryDesignAnswersExactlyWithTheSameCellsColumns)
{
    const QStringList designs[] = {
        {"sample", "unpaired", "--sd", "1"},
        {"sample", "paired", "--sd-diff", "1"},
        {"sample", "one-sample", "--sd", "1"},
        {"sample", "anova", "--sd", "1"},
        {"sample", "survival"},
        {"sample", "proportions"},
        {"power", "unpaired", "--n1", "10", "--n2", "12", "--sd1", "1", "--sd2", "1.2"},
        {"power", "paired", "--pairs", "10", "--sd", "1"},
        {"power", "one-sample", "--n", "10", "--sd", "1"},
        {"power", "anova", "--df-treatment", "2", "--ms-groups", "12.5", "--df-residual", "27",
         "--ms-residual", "4"},
        {"power", "survival", "--proportion", "0.3", "--n", "200"},
        {"power", "proportions", "--n1", "50", "--n2", "60", "--p1", "0.3", "--p2", "0.45"},
    };
    CliProcess cli;
    for (const QStringList& design : designs) {
        SCOPED_TRACE(design.join(' ').toStdString());
        const QStringList base = QStringList(design) << "--no-settings";
        const CliProcess::Result written = cli.run(QStringList(base) << "--page"
                                                                     << "cells");
        const CliProcess::Result exact = cli.run(QStringList(base) << "--page"
                                                                   << "cells"
                                                                   << "--method"
                                                                   << "exact");
        ASSERT_EQ(exact.exitCode, 0) << exact.err;
        std::string writtenHeader;
        std::string exactHeader;
        const std::vector<double> writtenValues = cellValues(written.out, writtenHeader);
        const std::vector<double> exactValues = cellValues(exact.out, exactHeader);
        // The proportions tables add whether each row was summed exactly.
        const bool proportions = design.contains("proportions");
        EXPECT_EQ(exactHeader, proportions ? writtenHeader + "\texact" : writtenHeader);
        ASSERT_EQ(exactValues.size(), writtenValues.size());
        EXPECT_NE(exactValues, writtenValues);

        const CliProcess::Result page = cli.run(QStringList(base) << "--method"
                                                                  << "exact");
        EXPECT_NE(page.out.find("\nMethod: "), std::string::npos) << page.out;
        const CliProcess::Result defaultPage = cli.run(base);
        EXPECT_NE(defaultPage.out.find("\nMethod: written approximation"), std::string::npos);
        EXPECT_EQ(defaultPage.out, cli.run(QStringList(base) << "--method"
                                                             << "approximate")
                                       .out);
    }
}

TEST(CliMethod, TenPairsWorkedExample)
{
    // R 4: the written cell is (qnorm(0.975) + qnorm(0.8)) / sqrt(10) = 0.88594; its power
    // is pt(c, 9, 0.88594 sqrt(10), lower.tail = FALSE) + pt(-c, 9, 0.88594 sqrt(10)) with
    // c = qt(0.975, 9): 0.70378; 80% needs the noncentrality 3.14963288644955 (uniroot, tol
    // 1e-12), that is a difference of 3.14963288644955 / sqrt(10) = 0.99600137145544.
    CliProcess cli;
    const QStringList base = {"power",         "paired", "--pairs", "10",       "--sd", "1",
                              "--no-settings", "--page", "report",  "--select", "pow=4"};
    const CliProcess::Result written = cli.run(base);
    ASSERT_EQ(written.exitCode, 0) << written.err;
    EXPECT_NE(written.out.find("Exact check: with the exact noncentral t distribution, 10 pairs "
                               "give 70% power (not 80%) to detect a difference of 0.89. 80% "
                               "power needs a difference of 1.00."),
              std::string::npos)
        << written.out;
    const CliProcess::Result exact = cli.run(QStringList(base) << "--method"
                                                               << "exact");
    ASSERT_EQ(exact.exitCode, 0) << exact.err;
    EXPECT_EQ(exact.out.find("Exact check"), std::string::npos);
    EXPECT_NE(exact.out.find("Method: exact noncentral t distribution"), std::string::npos);
    EXPECT_NE(exact.out.find("power to detect a smallest average difference between pairs of 1.00"),
              std::string::npos)
        << exact.out;

    const CliProcess::Result cells =
        cli.run({"power", "paired", "--pairs", "10", "--sd", "1", "--no-settings", "--powers", "80",
                 "--page", "cells", "--method", "exact"});
    std::string header;
    const std::vector<double> values = cellValues(cells.out, header);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_NEAR(values[0], 0.99600137145544, 1e-9);
}

TEST(CliMethod, RefusesAnUnknownOrRepeatedMethod)
{
    CliProcess cli;
    const CliProcess::Result unknown =
        cli.run({"sample", "unpaired", "--sd", "1", "--method", "fast"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err, "zentrima-cli: --method: 'fast' is not approximate or exact\n");
    const CliProcess::Result twice = cli.run(
        {"sample", "unpaired", "--sd", "1", "--method", "exact", "--method", "approximate"});
    EXPECT_EQ(twice.exitCode, 2);
    EXPECT_EQ(twice.err, "zentrima-cli: --method: given more than once\n");
    const CliProcess::Result help = cli.run({"--help"});
    EXPECT_NE(help.out.find("--method <METHOD>"), std::string::npos);
}

} // namespace
