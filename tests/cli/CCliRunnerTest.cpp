// Refused command lines: the exit status and the exact text on standard error. The
// calculators' own messages come through unchanged, in the order their input forms save.
#include "CliProcess.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

const std::string SdMessage =
    "SD must be a positive number.\nEnter correct value in the field and try again.\n";
const std::string RMessage =
    "r must be between 0 and 1.\nEnter correct value in the field and try again.\n";
const std::string Group1Message = "Sample size for group 1 must be integer greater than 1.\n"
                                  "Enter correct value in the field and try again.\n";
const std::string Group2Message = "Sample size for group 2 must be integer greater than 1.\n"
                                  "Enter correct value in the field and try again.\n";
const std::string Sd2Message =
    "SD for group 2 must be positive number.\nEnter correct value in the field and try again.\n";
const std::string SizeAboveOneMessage = "Sample size must be positive integer greater than 1.\n"
                                        "Enter correct value in the field and try again.\n";
const std::string PairsMessage =
    "Sample size must be positive integer.\nEnter correct value in the field and try again.\n";

struct RefusedCase
{
    const char* name;
    QStringList arguments;
    std::string message;
};

std::ostream& operator<<(std::ostream& out, const RefusedCase& c)
{
    return out << c.name;
}

std::string cli(const std::string& text)
{
    return "zentrima-cli: " + text + "\n";
}

class RefusedCommandLine : public ::testing::TestWithParam<RefusedCase>
{
};

TEST_P(RefusedCommandLine, ExitsWithStatus2AndTheExactMessage)
{
    CliProcess cli;
    const CliProcess::Result result = cli.run(GetParam().arguments);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, GetParam().message);
    EXPECT_EQ(result.out, "");
}

const RefusedCase InputCases[] = {
    {"missing", {"sample", "unpaired"}, cli("missing --sd")},
    {"letters", {"sample", "unpaired", "--sd", "abc"}, cli("--sd: 'abc' is not a finite number")},
    {"trailing",
     {"sample", "unpaired", "--sd", "1.5x"},
     cli("--sd: '1.5x' is not a finite number")},
    {"comma", {"sample", "unpaired", "--sd", "1,5"}, cli("--sd: '1,5' is not a finite number")},
    {"leadingSpace",
     {"sample", "unpaired", "--sd", " 1"},
     cli("--sd: ' 1' is not a finite number")},
    {"empty", {"sample", "unpaired", "--sd", ""}, cli("--sd: '' is not a finite number")},
    {"nan", {"sample", "unpaired", "--sd", "nan"}, cli("--sd: 'nan' is not a finite number")},
    {"inf", {"sample", "unpaired", "--sd", "inf"}, cli("--sd: 'inf' is not a finite number")},
    {"overflow",
     {"sample", "unpaired", "--sd", "1e400"},
     cli("--sd: '1e400' is not a finite number")},
    {"huge",
     {"sample", "unpaired", "--sd", "1e308"},
     cli("--sd: '1e308' is too large; the largest value accepted is 9999999999")},
    {"negative", {"sample", "unpaired", "--sd", "-1"}, SdMessage},
    {"zero", {"sample", "one-sample", "--sd", "0"}, SdMessage},
    {"pairedRZero", {"sample", "paired", "--sd", "1", "--r", "0"}, RMessage},
    {"pairedROne", {"sample", "paired", "--sd", "1", "--r", "1"}, RMessage},
    {"pairedSdBeforeR", {"sample", "paired", "--sd", "0", "--r", "5"}, SdMessage},
    {"pairedNoR", {"sample", "paired", "--sd", "1"}, cli("missing --r")},
    {"pairedNothing", {"sample", "paired"}, cli("missing --sd and --r, or --sd-diff")},
    {"pairedBoth",
     {"sample", "paired", "--sd", "1", "--r", "0.5", "--sd-diff", "1"},
     cli("give either --sd and --r, or --sd-diff, not both")},
    {"pairedDiffZero", {"sample", "paired", "--sd-diff", "0"}, SdMessage},
    {"unpairedGroup1First",
     {"power", "unpaired", "--n1", "1", "--n2", "1", "--sd1", "0", "--sd2", "0"},
     Group1Message},
    {"unpairedGroup2",
     {"power", "unpaired", "--n1", "10", "--n2", "1", "--sd1", "1", "--sd2", "1"},
     Group2Message},
    {"unpairedSd2",
     {"power", "unpaired", "--n1", "10", "--n2", "10", "--sd1", "1", "--sd2", "0"},
     Sd2Message},
    {"unpairedFraction",
     {"power", "unpaired", "--n1", "2.5", "--n2", "10", "--sd1", "1", "--sd2", "1"},
     cli("--n1: '2.5' is not a whole number")},
    {"unpairedHugeN",
     {"power", "unpaired", "--n1", "1e308", "--n2", "1e308", "--sd1", "1", "--sd2", "1"},
     cli("--n1: '1e308' is too large; the largest value accepted is 9999999999")},
    {"unpairedMissing",
     {"power", "unpaired", "--n1", "5", "--n2", "5", "--sd1", "1"},
     cli("missing --sd2")},
    {"pairsZero", {"power", "paired", "--pairs", "0", "--sd", "1"}, PairsMessage},
    {"pairsSdFirst", {"power", "paired", "--pairs", "0", "--sd", "0"}, SdMessage},
    {"pairsMissingAfterBadSd", {"power", "paired", "--sd", "-2"}, SdMessage},
    {"oneSampleN1", {"power", "one-sample", "--n", "1", "--sd", "1"}, SizeAboveOneMessage},
};
INSTANTIATE_TEST_SUITE_P(Inputs, RefusedCommandLine, ::testing::ValuesIn(InputCases),
                         [](const auto& info) { return std::string(info.param.name); });

const RefusedCase ListCases[] = {
    {"spaceInsideItem",
     {"sample", "unpaired", "--sd", "1", "--powers", "80 ,90"},
     "Bad symbol encountered in power list.\nEnter correct value in the field, and try again.\n"},
    {"power100",
     {"sample", "unpaired", "--sd", "1", "--powers", "90,100"},
     "Power must be less than 100.\nEnter correct value in the field, and try again.\n"},
    {"powersEmpty",
     {"power", "paired", "--pairs", "5", "--sd", "1", "--powers", ""},
     "Power must be greater than zero.\nEnter correct value in the field, and try again.\n"},
    {"nsThousandsComma", {"sample", "unpaired", "--sd", "1", "--ns", "1,000"}, SizeAboveOneMessage},
    {"nsFraction",
     {"sample", "unpaired", "--sd", "1", "--ns", "3.5"},
     "Bad symbol encountered in sample size list.\nEnter correct value in the field, and try "
     "again.\n"},
    {"nsTooLarge",
     {"sample", "one-sample", "--sd", "1", "--ns", "1000001"},
     "Zentrima cannot do calculations for sample sizes greater than 1,000,000.\nReenter the list "
     "of Ns.\n"},
    {"nsForPower",
     {"power", "one-sample", "--n", "5", "--sd", "1", "--ns", "5"},
     cli("--ns does not apply to power one-sample: a power calculation has no list of sample "
         "sizes")},
};
INSTANTIATE_TEST_SUITE_P(Lists, RefusedCommandLine, ::testing::ValuesIn(ListCases),
                         [](const auto& info) { return std::string(info.param.name); });

const RefusedCase OptionCases[] = {
    {"noArguments",
     {},
     cli("expected GOAL and DESIGN, for example: zentrima-cli sample unpaired --sd 1 (see "
         "--help)")},
    {"unknownGoal",
     {"size", "unpaired", "--sd", "1"},
     cli("unknown goal 'size'; choose sample or power")},
    {"laterDesign",
     {"sample", "anova", "--sd", "1"},
     cli("unknown design 'anova'; choose unpaired, paired, one-sample")},
    {"extraArgument", {"sample", "unpaired", "1"}, cli("unexpected argument '1'")},
    {"unknownOption",
     {"sample", "unpaired", "--sd", "1", "--colour", "red"},
     cli("Unknown option 'colour'.")},
    {"foreignInput",
     {"sample", "unpaired", "--sd", "1", "--n1", "5"},
     cli("--n1 does not apply to sample unpaired")},
    {"foreignSdDiff",
     {"power", "paired", "--pairs", "5", "--sd", "1", "--sd-diff", "1"},
     cli("--sd-diff does not apply to power paired")},
    {"twice",
     {"sample", "unpaired", "--sd", "1", "--sd", "2"},
     cli("--sd is given more than once")},
    {"alphaZero",
     {"sample", "unpaired", "--sd", "1", "--alpha", "0"},
     cli("--alpha: 0 is not accepted; a two-tailed significance level must be greater than 0 and "
         "less than 1")},
    {"alphaOne",
     {"sample", "unpaired", "--sd", "1", "--alpha", "1"},
     cli("--alpha: 1 is not accepted; a two-tailed significance level must be greater than 0 and "
         "less than 1")},
    {"alphaOneTailedHalf",
     {"sample", "unpaired", "--sd", "1", "--alpha", "0.5", "--tails", "1"},
     cli("--alpha: 0.5 is not accepted; a one-tailed significance level must be greater than 0 and "
         "less than 0.5")},
    {"alphaText",
     {"sample", "unpaired", "--sd", "1", "--alpha", "5%"},
     cli("--alpha: '5%' is not a finite number")},
    {"tails",
     {"sample", "unpaired", "--sd", "1", "--tails", "3"},
     cli("--tails: '3' is not 1 or 2")},
    {"page",
     {"sample", "unpaired", "--sd", "1", "--page", "graph"},
     cli("--page: 'graph' is not tradeoff, report, data or cells")},
    {"format",
     {"sample", "unpaired", "--sd", "1", "--format", "pdf"},
     cli("--format: 'pdf' is not text, html or html-links")},
    {"htmlCells",
     {"sample", "unpaired", "--sd", "1", "--page", "cells", "--format", "html"},
     cli("--format html and html-links apply only to the tradeoff and report pages")},
    {"reportWithoutSelect",
     {"sample", "unpaired", "--sd", "1", "--page", "report"},
     cli("--page report needs --select QUERY, for example --select \"n=3&pow=2\"")},
    {"selectOnTradeoff",
     {"sample", "unpaired", "--sd", "1", "--select", "n=1&pow=1"},
     cli("--select applies only to --page report")},
    {"selectRowOutOfRange",
     {"sample", "unpaired", "--sd", "1", "--page", "report", "--select", "n=29&pow=0"},
     cli("--select: 'n=29&pow=0' selects no cell of the table")},
    {"selectWithoutRow",
     {"sample", "unpaired", "--sd", "1", "--page", "report", "--select", "pow=1"},
     cli("--select: 'pow=1' selects no cell of the table")},
    {"selectPowerOutOfRange",
     {"power", "one-sample", "--n", "5", "--sd", "1", "--page", "report", "--select", "pow=13"},
     cli("--select: 'pow=13' selects no cell of the table")},
};
INSTANTIATE_TEST_SUITE_P(Options, RefusedCommandLine, ::testing::ValuesIn(OptionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CliRefusal, LeavesAnExistingOutputFileUntouched)
{
    CliProcess cli;
    const QString path = cli.homePath("table.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("previous\n");
    file.close();
    const CliProcess::Result result = cli.run({"sample", "unpaired", "--sd", "-1", "-o", path});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(CliProcess::readFile(path), "previous\n");
}

} // namespace
