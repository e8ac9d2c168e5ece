// Refused command lines: the exit status and the exact text on standard error. Every refusal
// names its option; the calculators' own messages come through in the order their input
// forms save, on one line and without the advice meant for a form's field.
#include "cli/CliProcess.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

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
    {"missing", {"sample", "unpaired"}, cli("--sd: missing")},
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
    {"negative", {"sample", "unpaired", "--sd", "-1"}, cli("--sd: SD must be a positive number.")},
    {"zero", {"sample", "one-sample", "--sd", "0"}, cli("--sd: SD must be a positive number.")},
    {"pairedRZero",
     {"sample", "paired", "--sd", "1", "--r", "0"},
     cli("--r: r must be between 0 and 1.")},
    {"pairedROne",
     {"sample", "paired", "--sd", "1", "--r", "1"},
     cli("--r: r must be between 0 and 1.")},
    {"pairedSdBeforeR",
     {"sample", "paired", "--sd", "0", "--r", "5"},
     cli("--sd: SD must be a positive number.")},
    {"pairedNoR", {"sample", "paired", "--sd", "1"}, cli("--r: missing")},
    {"pairedNothing", {"sample", "paired"}, cli("--sd: missing; give --sd and --r, or --sd-diff")},
    {"pairedBoth",
     {"sample", "paired", "--sd", "1", "--r", "0.5", "--sd-diff", "1"},
     cli("--sd-diff: give either --sd and --r, or --sd-diff, not both")},
    {"pairedDiffZero",
     {"sample", "paired", "--sd-diff", "0"},
     cli("--sd-diff: SD must be a positive number.")},
    {"unpairedGroup1First",
     {"power", "unpaired", "--n1", "1", "--n2", "1", "--sd1", "0", "--sd2", "0"},
     cli("--n1: Sample size for group 1 must be integer greater than 1.")},
    {"unpairedGroup2",
     {"power", "unpaired", "--n1", "10", "--n2", "1", "--sd1", "1", "--sd2", "1"},
     cli("--n2: Sample size for group 2 must be integer greater than 1.")},
    {"unpairedSd2",
     {"power", "unpaired", "--n1", "10", "--n2", "10", "--sd1", "1", "--sd2", "0"},
     cli("--sd2: SD for group 2 must be positive number.")},
    {"unpairedFraction",
     {"power", "unpaired", "--n1", "2.5", "--n2", "10", "--sd1", "1", "--sd2", "1"},
     cli("--n1: '2.5' is not a whole number")},
    {"unpairedHugeN",
     {"power", "unpaired", "--n1", "1e308", "--n2", "1e308", "--sd1", "1", "--sd2", "1"},
     cli("--n1: '1e308' is too large; the largest value accepted is 9999999999")},
    {"unpairedMissing",
     {"power", "unpaired", "--n1", "5", "--n2", "5", "--sd1", "1"},
     cli("--sd2: missing")},
    {"pairsZero",
     {"power", "paired", "--pairs", "0", "--sd", "1"},
     cli("--pairs: Sample size must be positive integer greater than 1.")},
    // One pair leaves no degrees of freedom, as one value does in the one-sample test.
    {"pairsOne",
     {"power", "paired", "--pairs", "1", "--sd", "1"},
     cli("--pairs: Sample size must be positive integer greater than 1.")},
    {"pairsSdFirst",
     {"power", "paired", "--pairs", "0", "--sd", "0"},
     cli("--sd: SD must be a positive number.")},
    {"pairsMissingAfterBadSd",
     {"power", "paired", "--sd", "-2"},
     cli("--sd: SD must be a positive number.")},
    {"oneSampleN1",
     {"power", "one-sample", "--n", "1", "--sd", "1"},
     cli("--n: Sample size must be positive integer greater than 1.")},
};
INSTANTIATE_TEST_SUITE_P(Inputs, RefusedCommandLine, ::testing::ValuesIn(InputCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// One-way ANOVA: the SD before the number of groups, then the four ANOVA-table entries in the
// order of the table's rows.
const RefusedCase AnovaCases[] = {
    {"sampleMissingSd", {"sample", "anova", "--groups", "4"}, cli("--sd: missing")},
    {"sampleSdText", {"sample", "anova", "--sd", "two"}, cli("--sd: 'two' is not a finite number")},
    {"sampleSdZero", {"sample", "anova", "--sd", "0"}, cli("--sd: SD must be a positive number.")},
    {"sampleSdBeforeGroups",
     {"sample", "anova", "--sd", "-1", "--groups", "2"},
     cli("--sd: SD must be a positive number.")},
    {"sampleGroups2",
     {"sample", "anova", "--sd", "1", "--groups", "2"},
     cli("--groups: Number of groups must be a positive number between 3 and 20.")},
    {"sampleGroups21",
     {"sample", "anova", "--sd", "1", "--groups", "21"},
     cli("--groups: Number of groups must be a positive number between 3 and 20.")},
    {"sampleGroupsNegative",
     {"sample", "anova", "--sd", "1", "--groups", "-5e9"},
     cli("--groups: Number of groups must be a positive number between 3 and 20.")},
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
     cli("--tails: 1 does not apply to sample anova: one-way ANOVA takes two-tailed significance "
         "levels only")},
    {"powerOneTailed",
     {"power", "anova", "--df-treatment", "2", "--ms-groups", "1", "--df-residual", "27",
      "--ms-residual", "1", "--tails", "1"},
     cli("--tails: 1 does not apply to power anova: one-way ANOVA takes two-tailed significance "
         "levels only")},
    {"sampleBelowSmallestLevel",
     {"sample", "anova", "--sd", "1", "--alpha", "0.0009"},
     cli("--alpha: '0.0009' is not accepted; a two-tailed significance level must be at least "
         "0.001 and less than 1")},
    {"sampleForeignInput",
     {"sample", "anova", "--sd", "1", "--ms-groups", "1"},
     cli("--ms-groups: does not apply to sample anova")},
    {"powerDfTreatmentFirst",
     {"power", "anova", "--df-treatment", "0", "--ms-groups", "0", "--df-residual", "0",
      "--ms-residual", "0"},
     cli("--df-treatment: DF treatment must be a positive integer.")},
    {"powerDfTreatmentFraction",
     {"power", "anova", "--df-treatment", "1.5", "--ms-groups", "1", "--df-residual", "27",
      "--ms-residual", "1"},
     cli("--df-treatment: '1.5' is not a whole number")},
    {"powerMissingMsGroups",
     {"power", "anova", "--df-treatment", "2", "--df-residual", "27", "--ms-residual", "1"},
     cli("--ms-groups: missing")},
    {"powerMsGroupsBeforeDfResidual",
     {"power", "anova", "--df-treatment", "2", "--ms-groups", "0", "--df-residual", "0",
      "--ms-residual", "0"},
     cli("--ms-groups: Groups mean square must be a positive number.")},
    {"powerDfResidual",
     {"power", "anova", "--df-treatment", "2", "--ms-groups", "1", "--df-residual", "-3",
      "--ms-residual", "0"},
     cli("--df-residual: DF residual must be a positive integer.")},
    {"powerDfResidualBeyondInt",
     {"power", "anova", "--df-treatment", "2", "--ms-groups", "1", "--df-residual", "9999999999",
      "--ms-residual", "1"},
     cli("--df-residual: '9999999999' is too large; the largest value accepted is 2147483647")},
    {"powerMsResidual",
     {"power", "anova", "--df-treatment", "2", "--ms-groups", "1", "--df-residual", "27",
      "--ms-residual", "0"},
     cli("--ms-residual: Residual mean square must be a positive number.")},
    {"powerMsResidualNan",
     {"power", "anova", "--df-treatment", "2", "--ms-groups", "1", "--df-residual", "27",
      "--ms-residual", "nan"},
     cli("--ms-residual: 'nan' is not a finite number")},
};
INSTANTIATE_TEST_SUITE_P(Anova, RefusedCommandLine, ::testing::ValuesIn(AnovaCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Survival: the proportion, then (power) the total size, then the effect to tabulate.
const RefusedCase SurvivalCases[] = {
    {"sampleProportionOne",
     {"sample", "survival", "--proportion", "1"},
     cli("--proportion: Proportion must be between 0 and 1.")},
    {"sampleProportionZero",
     {"sample", "survival", "--proportion", "0", "--tabulate", "hazard-ratio"},
     cli("--proportion: Proportion must be between 0 and 1.")},
    {"sampleProportionText",
     {"sample", "survival", "--proportion", "0.5.1"},
     cli("--proportion: '0.5.1' is not a finite number")},
    {"sampleProportionBeforeTabulate",
     {"sample", "survival", "--proportion", "-0.5", "--tabulate", "ratio"},
     cli("--proportion: Proportion must be between 0 and 1.")},
    {"sampleTabulate",
     {"sample", "survival", "--tabulate", "difference"},
     cli("--tabulate: 'difference' is not increase, hazard-ratio or hazard-ratio-worse")},
    {"sampleTabulateCase",
     {"sample", "survival", "--tabulate", "Hazard-ratio"},
     cli("--tabulate: 'Hazard-ratio' is not increase, hazard-ratio or hazard-ratio-worse")},
    {"sampleForeignN",
     {"sample", "survival", "--n", "10"},
     cli("--n: does not apply to sample survival")},
    {"powerMissingProportion", {"power", "survival", "--n", "100"}, cli("--proportion: missing")},
    {"powerMissingN", {"power", "survival", "--proportion", "0.3"}, cli("--n: missing")},
    {"powerProportionBeforeN",
     {"power", "survival", "--proportion", "1.2", "--n", "1"},
     cli("--proportion: Proportion must be between 0 and 1.")},
    {"powerN1",
     {"power", "survival", "--proportion", "0.3", "--n", "1"},
     cli("--n: Sample size must be positive integer greater than 1.")},
    {"powerNFraction",
     {"power", "survival", "--proportion", "0.3", "--n", "50.5"},
     cli("--n: '50.5' is not a whole number")},
    {"powerNBeforeTabulate",
     {"power", "survival", "--proportion", "0.3", "--n", "0", "--tabulate", "increase"},
     cli("--n: Sample size must be positive integer greater than 1.")},
    {"powerTabulate",
     {"power", "survival", "--proportion", "0.3", "--n", "100", "--tabulate", "increase"},
     cli("--tabulate: 'increase' is not difference or hazard-ratio")},
    {"powerTabulateTwice",
     {"power", "survival", "--proportion", "0.3", "--n", "100", "--tabulate", "difference",
      "--tabulate", "hazard-ratio"},
     cli("--tabulate: given more than once")},
};
INSTANTIATE_TEST_SUITE_P(Survival, RefusedCommandLine, ::testing::ValuesIn(SurvivalCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Two proportions: the control proportion, then direction and scale together; for power the
// sizes and proportions in one check, N1, N2, P1, P2, then the effect to tabulate.
const RefusedCase ProportionsCases[] = {
    {"sampleProportionZero",
     {"sample", "proportions", "--proportion", "0"},
     cli("--proportion: Proportion must be between 0 and 1.")},
    {"sampleProportionOne",
     {"sample", "proportions", "--proportion", "1", "--lower", "--tabulate", "ratio"},
     cli("--proportion: Proportion must be between 0 and 1.")},
    {"sampleBothDirections",
     {"sample", "proportions", "--higher", "--lower"},
     cli("--lower: give either --higher or --lower, not both")},
    {"sampleProportionBeforeDirections",
     {"sample", "proportions", "--proportion", "2", "--higher", "--lower"},
     cli("--proportion: Proportion must be between 0 and 1.")},
    {"sampleTabulate",
     {"sample", "proportions", "--tabulate", "relative-risk"},
     cli("--tabulate: 'relative-risk' is not difference or ratio")},
    {"sampleHigherValue",
     {"sample", "proportions", "--higher", "yes"},
     cli("unexpected argument 'yes'")},
    {"sampleForeignP1",
     {"sample", "proportions", "--p1", "0.5"},
     cli("--p1: does not apply to sample proportions")},
    {"powerN1First",
     {"power", "proportions", "--n1", "1", "--n2", "1", "--p1", "0", "--p2", "0"},
     cli("--n1: Sample size for group 1 must be integer greater than 1.")},
    {"powerN2",
     {"power", "proportions", "--n1", "10", "--n2", "1", "--p1", "0", "--p2", "0"},
     cli("--n2: Sample size for group 2 must be integer greater than 1.")},
    {"powerP1",
     {"power", "proportions", "--n1", "10", "--n2", "12", "--p1", "0", "--p2", "0"},
     cli("--p1: Proportion for group 1 must be between 0 and 1.")},
    {"powerP2",
     {"power", "proportions", "--n1", "10", "--n2", "12", "--p1", "0.5", "--p2", "1"},
     cli("--p2: Proportion for group 2 must be between 0 and 1.")},
    {"powerP2BeforeTabulate",
     {"power", "proportions", "--n1", "10", "--n2", "12", "--p1", "0.5", "--p2", "-1", "--tabulate",
      "ratio"},
     cli("--p2: Proportion for group 2 must be between 0 and 1.")},
    {"powerMissingP2",
     {"power", "proportions", "--n1", "10", "--n2", "12", "--p1", "0.5"},
     cli("--p2: missing")},
    {"powerN2Fraction",
     {"power", "proportions", "--n1", "10", "--n2", "12.5", "--p1", "0.5", "--p2", "0.5"},
     cli("--n2: '12.5' is not a whole number")},
    {"powerTabulate",
     {"power", "proportions", "--n1", "10", "--n2", "12", "--p1", "0.5", "--p2", "0.4",
      "--tabulate", "difference"},
     cli("--tabulate: 'difference' is not change, relative-risk or risk-reduction")},
    {"powerForeignLower",
     {"power", "proportions", "--n1", "10", "--n2", "12", "--p1", "0.5", "--p2", "0.4", "--lower"},
     cli("--lower: does not apply to power proportions")},
};
INSTANTIATE_TEST_SUITE_P(Proportions, RefusedCommandLine, ::testing::ValuesIn(ProportionsCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

const RefusedCase ListCases[] = {
    {"spaceInsideItem",
     {"sample", "unpaired", "--sd", "1", "--powers", "80 ,90"},
     cli("--powers: Bad symbol encountered in power list.")},
    {"power100",
     {"sample", "unpaired", "--sd", "1", "--powers", "90,100"},
     cli("--powers: Power must be less than 100.")},
    {"powersEmpty",
     {"power", "paired", "--pairs", "5", "--sd", "1", "--powers", ""},
     cli("--powers: Power must be greater than zero.")},
    {"nsThousandsComma",
     {"sample", "unpaired", "--sd", "1", "--ns", "1,000"},
     cli("--ns: Sample size must be positive integer greater than 1.")},
    {"nsFraction",
     {"sample", "unpaired", "--sd", "1", "--ns", "3.5"},
     cli("--ns: Bad symbol encountered in sample size list.")},
    {"nsTooLarge",
     {"sample", "one-sample", "--sd", "1", "--ns", "1000001"},
     cli("--ns: Zentrima cannot do calculations for sample sizes greater than 1,000,000.")},
    {"nsForPower",
     {"power", "one-sample", "--n", "5", "--sd", "1", "--ns", "5"},
     cli("--ns: does not apply to power one-sample: a power calculation has no list of sample "
         "sizes")},
};
INSTANTIATE_TEST_SUITE_P(Lists, RefusedCommandLine, ::testing::ValuesIn(ListCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

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
     cli("--n1: does not apply to sample unpaired")},
    {"foreignSdDiff",
     {"power", "paired", "--pairs", "5", "--sd", "1", "--sd-diff", "1"},
     cli("--sd-diff: does not apply to power paired")},
    {"twice", {"sample", "unpaired", "--sd", "1", "--sd", "2"}, cli("--sd: given more than once")},
    {"alphaZero",
     {"sample", "unpaired", "--sd", "1", "--alpha", "0"},
     cli("--alpha: '0' is not accepted; a two-tailed significance level must be at least 0.001 and "
         "less than 1")},
    {"alphaOne",
     {"sample", "unpaired", "--sd", "1", "--alpha", "1"},
     cli("--alpha: '1' is not accepted; a two-tailed significance level must be at least 0.001 and "
         "less than 1")},
    {"alphaNegative",
     {"power", "survival", "--proportion", "0.3", "--n", "100", "--alpha", "-0.05"},
     cli("--alpha: '-0.05' is not accepted; a two-tailed significance level must be at least 0.001 "
         "and less than 1")},
    {"alphaOneTailedHalf",
     {"sample", "unpaired", "--sd", "1", "--alpha", "0.5", "--tails", "1"},
     cli("--alpha: '0.5' is not accepted; a one-tailed significance level must be at least 0.0005 "
         "and less than 0.5")},
    // The normal deviates lose accuracy below 0.001: 1e-6 would be off by 0.007, 1e-300
    // wildly.
    {"alphaBelowSmallest",
     {"sample", "unpaired", "--sd", "1", "--alpha", "0.00099"},
     cli("--alpha: '0.00099' is not accepted; a two-tailed significance level must be at least "
         "0.001 and less than 1")},
    {"alphaTiny",
     {"sample", "proportions", "--alpha", "1e-300"},
     cli("--alpha: '1e-300' is not accepted; a two-tailed significance level must be at least "
         "0.001 and less than 1")},
    {"alphaSubnormal",
     {"power", "one-sample", "--n", "5", "--sd", "1", "--alpha", "4e-320"},
     cli("--alpha: '4e-320' is not accepted; a two-tailed significance level must be at least "
         "0.001 and less than 1")},
    {"alphaOneTailedBelowSmallest",
     {"sample", "survival", "--alpha", "0.00049", "--tails", "1"},
     cli("--alpha: '0.00049' is not accepted; a one-tailed significance level must be at least "
         "0.0005 and less than 0.5")},
    {"alphaAnovaBelowSmallest",
     {"sample", "anova", "--sd", "1", "--alpha", "0.0001"},
     cli("--alpha: '0.0001' is not accepted; a two-tailed significance level must be at least "
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
     cli("--format: 'pdf' is not text, html, html-links or csv")},
    {"htmlCells",
     {"sample", "unpaired", "--sd", "1", "--page", "cells", "--format", "html"},
     cli("--format: html and html-links apply only to the tradeoff and report pages")},
    {"reportWithoutSelect",
     {"sample", "unpaired", "--sd", "1", "--page", "report"},
     cli("--page: report needs --select QUERY, for example --select \"n=3&pow=2\"")},
    {"selectOnTradeoff",
     {"sample", "unpaired", "--sd", "1", "--select", "n=1&pow=1"},
     cli("--select: applies only to --page report")},
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
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// count different powers: 0.5, 1, 1.5, ...
QString distinctPowers(int count)
{
    QStringList powers;
    for (int i = 1; i <= count; ++i)
        powers << QString::number(i * 0.5);
    return powers.join(',');
}

// Numbers are decimal only; an option is named as it is typed; a huge value is echoed cut
// to its first 60 characters.
// (A single argument may hold at most 128 KiB.)
const std::string LongValue(100 * 1024, '7');
const std::string Cut60 = std::string(60, '7') + "...";
const RefusedCase MessageCases[] = {
    {"hexadecimal",
     {"power", "unpaired", "--n1", "0x10", "--n2", "10", "--sd1", "1", "--sd2", "1"},
     cli("--n1: '0x10' is not a finite number")},
    {"hexadecimalFloat",
     {"sample", "unpaired", "--sd", "0x1p3"},
     cli("--sd: '0x1p3' is not a finite number")},
    {"infinity",
     {"sample", "unpaired", "--sd", "infinity"},
     cli("--sd: 'infinity' is not a finite number")},
    {"nanAlpha",
     {"sample", "unpaired", "--sd", "1", "--alpha", "nan"},
     cli("--alpha: 'nan' is not a finite number")},
    {"hexadecimalNs",
     {"sample", "unpaired", "--sd", "1", "--ns", "0x10"},
     cli("--ns: Sample size must be positive integer greater than 1.")},
    {"tooManyPowers",
     {"sample", "unpaired", "--sd", "1", "--powers", distinctPowers(101)},
     cli("--powers: Too many powers in the list. Number of powers must be less than 100.")},
    {"outputTwice",
     {"sample", "unpaired", "--sd", "1", "-o", "a", "-o", "b"},
     cli("-o: given more than once")},
    {"hugeNumber",
     {"sample", "unpaired", "--sd", QString::fromStdString(LongValue)},
     cli("--sd: '" + Cut60 + "' is not a finite number")},
    {"hugeText",
     {"sample", "unpaired", "--sd", QString::fromStdString("x" + LongValue)},
     cli("--sd: 'x" + std::string(59, '7') + "...' is not a finite number")},
    {"hugeChoice",
     {"sample", "unpaired", "--sd", "1", "--page", QString::fromStdString(LongValue)},
     cli("--page: '" + Cut60 + "' is not tradeoff, report, data or cells")},
    {"hugeOption",
     {"sample", "unpaired", "--sd", "1", QString::fromStdString("--" + LongValue)},
     cli("Unknown option '" + Cut60 + "'.")},
};
INSTANTIATE_TEST_SUITE_P(Messages, RefusedCommandLine, ::testing::ValuesIn(MessageCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

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
