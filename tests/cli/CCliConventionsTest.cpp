// What a user of other command-line tools expects of zentrima-cli: "-" for standard output,
// comma-separated values, cells chosen by their values, pages that end with a line break and
// a date that can be fixed, and the program's name in front of every message.
//
// The numbers are the unpaired t test's with SD 1 and N = 10 per group at 99, 95, 90, 80 and
// 50% power, worked out by hand from the closed form in CCliOutputTest.cpp (2.0329, 1.7097,
// 1.5374, 1.3287, 0.9296). The date of SOURCE_DATE_EPOCH=1700000000 is the one that
// "date -u -d @1700000000" prints: Tue Nov 14 22:13:20 UTC 2023.
#include "cli/CCliDelimited.h"
#include "cli/CliProcess.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const QStringList Unpaired = {"sample", "unpaired", "--sd", "1", "--no-settings"};
const QStringList Paired = {"power", "paired", "--pairs", "10", "--sd", "1", "--no-settings"};

struct ConventionCase
{
    const char* name;
    QStringList arguments;
    /// SOURCE_DATE_EPOCH; empty leaves it unset.
    QString sourceDateEpoch;
    int exitCode;
    /// Texts the output holds and texts it must not hold.
    std::vector<std::string> holds;
    std::vector<std::string> lacks;
    /// Standard error, exactly.
    std::string err;
};

std::ostream& operator<<(std::ostream& out, const ConventionCase& c)
{
    return out << c.name;
}

class CliConventions : public ::testing::TestWithParam<ConventionCase>
{
};

TEST_P(CliConventions, HoldForEveryPageAndMessage)
{
    const ConventionCase& c = GetParam();
    CliProcess cli;
    cli.setEnv("SOURCE_DATE_EPOCH", c.sourceDateEpoch);
    const QString folder = cli.homePath("work");
    ASSERT_TRUE(QDir().mkpath(folder));
    cli.setWorkingDirectory(folder);
    const CliProcess::Result result = cli.run(c.arguments);

    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.err, c.err);
    for (const std::string& text : c.holds)
        EXPECT_NE(result.out.find(text), std::string::npos) << text << "\n" << result.out;
    for (const std::string& text : c.lacks)
        EXPECT_EQ(result.out.find(text), std::string::npos) << text << "\n" << result.out;
    // Every page ends with a complete line, none with a tab; nothing lands in the folder.
    if (!result.out.empty()) {
        EXPECT_EQ(result.out.back(), '\n');
    }
    EXPECT_EQ(result.out.find("\t\n"), std::string::npos) << result.out;
    EXPECT_TRUE(QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

const std::string Row10 = "\n10\t2.03\t1.71\t1.54\t1.33\t0.93\n";
const std::string Report10At80 = "You requested a detailed explanation for N = 10 and power = 80%.";

const ConventionCase ConventionCases[] = {
    {"dashIsStandardOutput",
     QStringList(Unpaired) << "-o"
                           << "-",
     "",
     0,
     {Row10},
     {},
     ""},
    {"tradeoffWithoutClickHint",
     Unpaired,
     "",
     0,
     {"\nN per group\t99%\t95%\t90%\t80%\t50%\n", Row10},
     {"Click on", "click"},
     ""},
    {"dataWithoutTrailingTabs",
     QStringList(Unpaired) << "--page"
                           << "data",
     "",
     0,
     {Row10},
     {},
     ""},
    {"csvTradeoffIsTheTableOnly",
     QStringList(Unpaired) << "--format"
                           << "csv",
     "",
     0,
     {",Power\nN per group,99%,95%,90%,80%,50%\n", "\n10,2.03,1.71,1.54,1.33,0.93\n"},
     {"\t", "Sample size for unpaired t test"},
     ""},
    {"csvPowerTableLeavesOutTheChoices",
     {"power", "unpaired", "--n1", "10", "--n2", "12", "--sd1", "1", "--sd2", "1", "--format",
      "csv"},
     "",
     0,
     {"Delta,Power (%)\n"},
     {"Group 1", "\t"},
     ""},
    {"csvData",
     QStringList(Unpaired) << "--page"
                           << "data"
                           << "--format"
                           << "csv",
     "",
     0,
     {"N per group,99%,95%,90%,80%,50%\n", "\n10,2.03,1.71,1.54,1.33,0.93\n"},
     {"\t"},
     ""},
    {"csvCells",
     QStringList(Unpaired) << "--page"
                           << "cells"
                           << "--format"
                           << "csv"
                           << "--powers"
                           << "80"
                           << "--ns"
                           << "10",
     "",
     0,
     {"n,power,value,ok\n10,80,1.328"},
     {"\t"},
     ""},
    {"selectByValues",
     QStringList(Unpaired) << "--page"
                           << "report"
                           << "--select"
                           << "n=10,power=80",
     "",
     0,
     {Report10At80},
     {},
     ""},
    {"selectByPositionsStill",
     QStringList(Unpaired) << "--page"
                           << "report"
                           << "--select"
                           << "n=7&pow=3",
     "",
     0,
     {Report10At80},
     {},
     ""},
    {"selectPowerByValue",
     QStringList(Paired) << "--page"
                         << "report"
                         << "--select"
                         << "power=80%",
     "",
     0,
     {"\nExplanation for 80% power:\n"},
     {},
     ""},
    {"sourceDateEpochInUtc",
     QStringList(Unpaired) << "--page"
                           << "report"
                           << "--select"
                           << "n=10,power=80",
     "1700000000",
     0,
     {"\n  Tue Nov 14 22:13:20 2023 UTC\n"},
     {},
     ""},
    {"noDate",
     QStringList(Unpaired) << "--page"
                           << "report"
                           << "--select"
                           << "n=10,power=80"
                           << "--no-date",
     "1700000000",
     0,
     {Report10At80},
     {"2023"},
     ""},
    {"powerNotInTheList",
     QStringList(Unpaired) << "--page"
                           << "report"
                           << "--select"
                           << "n=10,power=85",
     "",
     2,
     {},
     {},
     "zentrima-cli: --select: power '85' is not in the list of powers; choose one of 99, 95, 90, "
     "80, 50\n"},
    {"nNotInTheList",
     QStringList(Unpaired) << "--page"
                           << "report"
                           << "--select"
                           << "n=11,power=80"
                           << "--ns"
                           << "5,10,20",
     "",
     2,
     {},
     {},
     "zentrima-cli: --select: n '11' is not in the list of sample sizes; choose one of 5, 10, "
     "20\n"},
    {"sampleNeedsN",
     QStringList(Unpaired) << "--page"
                           << "report"
                           << "--select"
                           << "power=80",
     "",
     2,
     {},
     {},
     "zentrima-cli: --select: a sample size table needs n and power, for example "
     "n=10,power=80\n"},
    {"powerTakesNoN",
     QStringList(Paired) << "--page"
                         << "report"
                         << "--select"
                         << "n=10,power=80",
     "",
     2,
     {},
     {},
     "zentrima-cli: --select: n does not apply to a power calculation; give power=P only\n"},
    {"csvReportRefused",
     QStringList(Unpaired) << "--page"
                           << "report"
                           << "--select"
                           << "n=10,power=80"
                           << "--format"
                           << "csv",
     "",
     2,
     {},
     {},
     "zentrima-cli: --format: csv applies only to the tradeoff, data and cells pages\n"},
    {"badSourceDateEpoch",
     Unpaired,
     "yesterday",
     2,
     {},
     {},
     "zentrima-cli: SOURCE_DATE_EPOCH: 'yesterday' is not a whole number of seconds since "
     "1970-01-01 00:00 UTC up to 253402300799\n"},
    {"unknownOption",
     QStringList(Unpaired) << "--bogus",
     "",
     2,
     {},
     {},
     "zentrima-cli: Unknown option 'bogus'.\n"},
    {"unknownDesign",
     {"sample", "t"},
     "",
     2,
     {},
     {},
     "zentrima-cli: unknown design 't'; choose unpaired, paired, one-sample, anova, survival, "
     "proportions\n"},
};
INSTANTIATE_TEST_SUITE_P(Cases, CliConventions, ::testing::ValuesIn(ConventionCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(CliSourceDateEpoch, TwoRunsInDifferentTimeZonesWriteTheSameBytes)
{
    // Local time would differ by nine hours between the two zones.
    for (const char* format : {"text", "html"}) {
        SCOPED_TRACE(format);
        const QStringList arguments = QStringList(Unpaired) << "--page"
                                                            << "report"
                                                            << "--select"
                                                            << "n=10,power=80"
                                                            << "--format" << format;
        std::string pages[2];
        const char* zones[2] = {"UTC", "Asia/Tokyo"};
        for (int run = 0; run < 2; ++run) {
            CliProcess cli;
            cli.setEnv("SOURCE_DATE_EPOCH", "1700000000");
            cli.setEnv("TZ", zones[run]);
            const CliProcess::Result result = cli.run(arguments);
            ASSERT_EQ(result.exitCode, 0) << result.err;
            pages[run] = result.out;
        }
        EXPECT_EQ(pages[0], pages[1]);
        EXPECT_NE(pages[0].find("2023"), std::string::npos);
    }
}

std::string rewritten(CCliDelimited::Separator separator, bool tabEndsField,
                      const std::string& text)
{
    char* data = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&data, &size);
    if (stream == nullptr)
        return "<no stream>";
    CCliDelimited(separator, tabEndsField).write(text, stream);
    std::fclose(stream);
    std::string result(data, size);
    std::free(data);
    return result;
}

TEST(CliDelimited, QuotesAsRfc4180AndDropsLineEndTabs)
{
    using S = CCliDelimited::Separator;
    const struct
    {
        const char* name;
        S separator;
        bool tabEndsField;
        std::string in;
        std::string out;
    } rows[] = {
        {"plainCsv", S::Comma, false, "a\tb\n1\t2\n", "a,b\n1,2\n"},
        {"commaQuoteAndEmpty", S::Comma, false, "x,y\t\"q\"\t\n", "\"x,y\",\"\"\"q\"\"\",\n"},
        {"carriageReturn", S::Comma, false, "a\rb\tc\n", "\"a\rb\",c\n"},
        {"tabEndsField", S::Comma, true, "N\t99%\t\n3\t\t\n", "N,99%\n3,\n"},
        {"blankLinesLeftOut", S::Tab, true, "\nN\t99%\t\n\n3\t1.5\t", "N\t99%\n3\t1.5\n"},
        {"tabsKeepCommas", S::Tab, false, "x,y\t\"q\"\n", "x,y\t\"q\"\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(rewritten(row.separator, row.tabEndsField, row.in), row.out);
    }
}

} // namespace
