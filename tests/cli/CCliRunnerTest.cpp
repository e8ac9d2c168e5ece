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
const std::string GroupsMessage = "Number of groups must be a positive number between 3 and 20.\n"
                                  "Enter correct value in the field and try again.\n";
const std::string DfTreatmentMessage =
    "DF treatment must be a positive integer.\nEnter correct value in the field and try again.\n";
const std::string MsGroupsMessage = "Groups mean square must be a positive number.\n"
                                    "Enter correct value in the field and try again.\n";
const std::string DfResidualMessage =
    "DF residual must be a positive integer.\nEnter correct value in the field and try again.\n";
const std::string MsResidualMessage = "Residual mean square must be a positive number.\n"
                                      "Enter correct value in the field and try again.\n";
const std::string ProportionMessage =
    "Proportion must be between 0 and 1.\nEnter correct value in the field and try again.\n";
const std::string P1Message = "Proportion for group 1 must be between 0 and 1.\n"
                              "Enter correct value in the field and try again.\n";
const std::string P2Message = "Proportion for group 2 must be between 0 and 1.\n"
                              "Enter correct value in the field and try again.\n";

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
    {"pairsZero", {"power", "paired", "--pairs", "0", "--sd", "1"}, SizeAboveOneMessage},
    // One pair leaves no degrees of freedom, as one value does in the one-sample test.
    {"pairsOne", {"power", "paired", "--pairs", "1", "--sd", "1"}, SizeAboveOneMessage},
    {"pairsSdFirst", {"power", "paired", "--pairs", "0", "--sd", "0"}, SdMessage},
    {"pairsMissingAfterBadSd", {"power", "paired", "--sd", "-2"}, SdMessage},
    {"oneSampleN1", {"power", "one-sample", "--n", "1", "--sd", "1"}, SizeAboveOneMessage},
};
INSTANTIATE_TEST_SUITE_P(Inputs, RefusedCommandLine, ::testing::ValuesIn(InputCases),
                         [](const auto& info) { return std::string(info.param.name); });

// One-way ANOVA: the SD before the number of groups, then the four ANOVA-table entries in the
// order of the table's rows.
const RefusedCase AnovaCases[] = {
    {"sampleMissingSd", {"sample", "anova", "--groups", "4"}, cli("missing --sd")},
    {"sampleSdText", {"sample", "anova", "--sd", "two"}, cli("--sd: 'two' is not a finite number")},
    {"sampleSdZero", {"sample", "anova", "--sd", "0"}, SdMessage},
    {"sampleSdBeforeGroups", {"sample", "anova", "--sd", "-1", "--groups", "2"}, SdMessage},
    {"sampleGroups2", {"sample", "anova", "--sd", "1", "--groups", "2"}, GroupsMessage},
    {"sampleGroups21", {"sample", "anova", "--sd", "1", "--groups", "21"}, GroupsMessage},
    {"sampleGroupsNegative", {"sample", "anova", "--sd", "1", "--groups", "-5e9"}, GroupsMessage},
    {"sampleGroupsFraction",
     {"sample", "anova", "--sd", "1", "--groups", "3.5"},
     cli("--groups: '3.5' is not a whole number")},
    {"sampleGroupsBeyondInt",
     {"sample", "anova", "--sd", "1", "--groups", "2147483648"},
     cli("--groups: '2147483648' is too large; the largest value accepted is 2147483647")},
    {"sampleGroupsText",
     {"sample", "anova", "--sd", "1", "--groups", "three"},
     cli("--groups: 'three' is not a finite number")},
    {"sampleOneTailed",
     {"sample", "anova", "--sd", "1", "--tails", "1"},
     cli("--tails 1 does not apply to sample anova: one-way ANOVA takes two-tailed significance "
         "levels only")},
    {"powerOneTailed",
     {"power", "anova", "--df-treatment", "2", "--ms-groups", "1", "--df-residual", "27",
      "--ms-residual", "1", "--tails", "1"},
     cli("--tails 1 does not apply to power anova: one-way ANOVA takes two-tailed significance "
         "levels only")},
    {"sampleBelowSmallestLevel",
     {"sample", "anova", "--sd", "1", "--alpha", "0.0009"},
     cli("--alpha: 0.0009 is not accepted; a two-tailed significance level must be at least "
         "0.001 and less than 1")},
    {"sampleForeignInput",
     {"sample", "anova", "--sd", "1", "--ms-groups", "1"},
     cli("--ms-groups does not apply to sample anova")},
    {"powerDfTreatmentFirst",
     {"power", "anova", "--df-treatment", "0", "--ms-groups", "0", "--df-residual", "0",
      "--ms-residual", "0"},
     DfTreatmentMessage},
    {"powerDfTreatmentFraction",
     {"power", "anova", "--df-treatment", "1.5", "--ms-groups", "1", "--df-residual", "27",
      "--ms-residual", "1"},
     cli("--df-treatment: '1.5' is not a whole number")},
    {"powerMissingMsGroups",
     {"power", "anova", "--df-treatment", "2", "--df-residual", "27", "--ms-residual", "1"},
     cli("missing --ms-groups")},
    {"powerMsGroupsBeforeDfResidual",
     {"power", "anova", "--df-treatment", "2", "--ms-groups", "0", "--df-residual", "0",
      "--ms-residual", "0"},
     MsGroupsMessage},
    {"powerDfResidual",
     {"power", "anova", "--df-treatment", "2", "--ms-groups", "1", "--df-residual", "-3",
      "--ms-residual", "0"},
     DfResidualMessage},
    {"powerDfResidualBeyondInt",
     {"power", "anova", "--df-treatment", "2", "--ms-groups", "1", "--df-residual", "9999999999",
      "--ms-residual", "1"},
     cli("--df-residual: '9999999999' is too large; the largest value accepted is 2147483647")},
    {"powerMsResidual",
     {"power", "anova", "--df-treatment", "2", "--ms-groups", "1", "--df-residual", "27",
      "--ms-residual", "0"},
     MsResidualMessage},
    {"powerMsResidualNan",
     {"power", "anova", "--df-treatment", "2", "--ms-groups", "1", "--df-residual", "27",
      "--ms-residual", "nan"},
     cli("--ms-residual: 'nan' is not a finite number")},
};
INSTANTIATE_TEST_SUITE_P(Anova, RefusedCommandLine, ::testing::ValuesIn(AnovaCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Survival: the proportion, then (power) the total size, then the effect to tabulate.
const RefusedCase SurvivalCases[] = {
    {"sampleProportionOne", {"sample", "survival", "--proportion", "1"}, ProportionMessage},
    {"sampleProportionZero",
     {"sample", "survival", "--proportion", "0", "--tabulate", "hazard-ratio"},
     ProportionMessage},
    {"sampleProportionText",
     {"sample", "survival", "--proportion", "0.5.1"},
     cli("--proportion: '0.5.1' is not a finite number")},
    {"sampleProportionBeforeTabulate",
     {"sample", "survival", "--proportion", "-0.5", "--tabulate", "ratio"},
     ProportionMessage},
    {"sampleTabulate",
     {"sample", "survival", "--tabulate", "difference"},
     cli("--tabulate: 'difference' is not increase, hazard-ratio or hazard-ratio-worse")},
    {"sampleTabulateCase",
     {"sample", "survival", "--tabulate", "Hazard-ratio"},
     cli("--tabulate: 'Hazard-ratio' is not increase, hazard-ratio or hazard-ratio-worse")},
    {"sampleForeignN",
     {"sample", "survival", "--n", "10"},
     cli("--n does not apply to sample survival")},
    {"powerMissingProportion", {"power", "survival", "--n", "100"}, cli("missing --proportion")},
    {"powerMissingN", {"power", "survival", "--proportion", "0.3"}, cli("missing --n")},
    {"powerProportionBeforeN",
     {"power", "survival", "--proportion", "1.2", "--n", "1"},
     ProportionMessage},
    {"powerN1", {"power", "survival", "--proportion", "0.3", "--n", "1"}, SizeAboveOneMessage},
    {"powerNFraction",
     {"power", "survival", "--proportion", "0.3", "--n", "50.5"},
     cli("--n: '50.5' is not a whole number")},
    {"powerNBeforeTabulate",
     {"power", "survival", "--proportion", "0.3", "--n", "0", "--tabulate", "increase"},
     SizeAboveOneMessage},
    {"powerTabulate",
     {"power", "survival", "--proportion", "0.3", "--n", "100", "--tabulate", "increase"},
     cli("--tabulate: 'increase' is not difference or hazard-ratio")},
    {"powerTabulateTwice",
     {"power", "survival", "--proportion", "0.3", "--n", "100", "--tabulate", "difference",
      "--tabulate", "hazard-ratio"},
     cli("--tabulate is given more than once")},
};
INSTANTIATE_TEST_SUITE_P(Survival, RefusedCommandLine, ::testing::ValuesIn(SurvivalCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Two proportions: the control proportion, then direction and scale together; for power the
// sizes and proportions in one check, N1, N2, P1, P2, then the effect to tabulate.
const RefusedCase ProportionsCases[] = {
    {"sampleProportionZero", {"sample", "proportions", "--proportion", "0"}, ProportionMessage},
    {"sampleProportionOne",
     {"sample", "proportions", "--proportion", "1", "--lower", "--tabulate", "ratio"},
     ProportionMessage},
    {"sampleBothDirections",
     {"sample", "proportions", "--higher", "--lower"},
     cli("give either --higher or --lower, not both")},
    {"sampleProportionBeforeDirections",
     {"sample", "proportions", "--proportion", "2", "--higher", "--lower"},
     ProportionMessage},
    {"sampleTabulate",
     {"sample", "proportions", "--tabulate", "relative-risk"},
     cli("--tabulate: 'relative-risk' is not difference or ratio")},
    {"sampleHigherValue",
     {"sample", "proportions", "--higher", "yes"},
     cli("unexpected argument 'yes'")},
    {"sampleForeignP1",
     {"sample", "proportions", "--p1", "0.5"},
     cli("--p1 does not apply to sample proportions")},
    {"powerN1First",
     {"power", "proportions", "--n1", "1", "--n2", "1", "--p1", "0", "--p2", "0"},
     Group1Message},
    {"powerN2",
     {"power", "proportions", "--n1", "10", "--n2", "1", "--p1", "0", "--p2", "0"},
     Group2Message},
    {"powerP1",
     {"power", "proportions", "--n1", "10", "--n2", "12", "--p1", "0", "--p2", "0"},
     P1Message},
    {"powerP2",
     {"power", "proportions", "--n1", "10", "--n2", "12", "--p1", "0.5", "--p2", "1"},
     P2Message},
    {"powerP2BeforeTabulate",
     {"power", "proportions", "--n1", "10", "--n2", "12", "--p1", "0.5", "--p2", "-1", "--tabulate",
      "ratio"},
     P2Message},
    {"powerMissingP2",
     {"power", "proportions", "--n1", "10", "--n2", "12", "--p1", "0.5"},
     cli("missing --p2")},
    {"powerN2Fraction",
     {"power", "proportions", "--n1", "10", "--n2", "12.5", "--p1", "0.5", "--p2", "0.5"},
     cli("--n2: '12.5' is not a whole number")},
    {"powerTabulate",
     {"power", "proportions", "--n1", "10", "--n2", "12", "--p1", "0.5", "--p2", "0.4",
      "--tabulate", "difference"},
     cli("--tabulate: 'difference' is not change, relative-risk or risk-reduction")},
    {"powerForeignLower",
     {"power", "proportions", "--n1", "10", "--n2", "12", "--p1", "0.5", "--p2", "0.4", "--lower"},
     cli("--lower does not apply to power proportions")},
};
INSTANTIATE_TEST_SUITE_P(Proportions, RefusedCommandLine, ::testing::ValuesIn(ProportionsCases),
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
    {"unknownDesign",
     {"sample", "chi-square", "--sd", "1"},
     cli("unknown design 'chi-square'; choose unpaired, paired, one-sample, anova, survival, "
         "proportions")},
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
     cli("--alpha: 0 is not accepted; a two-tailed significance level must be at least 0.001 and "
         "less than 1")},
    {"alphaOne",
     {"sample", "unpaired", "--sd", "1", "--alpha", "1"},
     cli("--alpha: 1 is not accepted; a two-tailed significance level must be at least 0.001 and "
         "less than 1")},
    {"alphaNegative",
     {"power", "survival", "--proportion", "0.3", "--n", "100", "--alpha", "-0.05"},
     cli("--alpha: -0.05 is not accepted; a two-tailed significance level must be at least "
         "0.001 and less than 1")},
    {"alphaOneTailedHalf",
     {"sample", "unpaired", "--sd", "1", "--alpha", "0.5", "--tails", "1"},
     cli("--alpha: 0.5 is not accepted; a one-tailed significance level must be at least 0.0005 "
         "and less than 0.5")},
    // The normal deviates lose accuracy below 0.001: 1e-6 would be off by 0.007, 1e-300
    // wildly.
    {"alphaBelowSmallest",
     {"sample", "unpaired", "--sd", "1", "--alpha", "0.00099"},
     cli("--alpha: 0.00099 is not accepted; a two-tailed significance level must be at least "
         "0.001 and less than 1")},
    {"alphaTiny",
     {"sample", "proportions", "--alpha", "1e-300"},
     cli("--alpha: 1e-300 is not accepted; a two-tailed significance level must be at least "
         "0.001 and less than 1")},
    {"alphaSubnormal",
     {"power", "one-sample", "--n", "5", "--sd", "1", "--alpha", "4e-320"},
     cli("--alpha: 4e-320 is not accepted; a two-tailed significance level must be at least "
         "0.001 and less than 1")},
    {"alphaOneTailedBelowSmallest",
     {"sample", "survival", "--alpha", "0.00049", "--tails", "1"},
     cli("--alpha: 0.00049 is not accepted; a one-tailed significance level must be at least "
         "0.0005 and less than 0.5")},
    {"alphaAnovaBelowSmallest",
     {"sample", "anova", "--sd", "1", "--alpha", "0.0001"},
     cli("--alpha: 0.0001 is not accepted; a two-tailed significance level must be at least "
         "0.001 and less than 1")},
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
    {"selectImpossibleCell",
     {"sample", "proportions", "--ns", "2,10", "--page", "report", "--select", "n=0&pow=0"},
     cli("--select: 'n=0&pow=0' selects a cell without a result, which has no report")},
    {"selectFailedPowerCell",
     {"power", "survival", "--proportion", "0.3", "--n", "2", "--page", "report", "--select",
      "pow=0"},
     cli("--select: 'pow=0' selects a cell without a result, which has no report")},
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
