// --effect: the direct answers on the cells, tradeoff and report pages, as a script gets them.
#include "cli/CliProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct EffectCase
{
    const char* name;
    QStringList arguments;
    int exitCode;
    // The whole standard output (cells pages) or a part of it (other pages), and the whole
    // standard error.
    std::string out;
    bool wholeOut;
    std::string err;
};

const EffectCase Cases[] = {
    // Noncentral t, two-tailed 0.05, SD 1, difference 1: 16 per group give 78.1% power and
    // 17 give 80.7% (so the table's difference at 16 is above 1, at 17 below it).
    {"exact seventeen per group",
     {"sample", "unpaired", "--sd", "1", "--effect", "1", "--powers", "80", "--method", "exact",
      "--page", "cells"},
     0,
     "power\tn\tvalue\tok\n80\t17\t0.99100464937742583\t1\n",
     true,
     ""},
    // 0.001 SD would need tens of millions per group: a failed line, no made-up N.
    {"no N reaches",
     {"sample", "paired", "--sd-diff", "1", "--effect", "0.001", "--powers", "80", "--page",
      "cells"},
     0,
     "power\tn\tvalue\tok\n80\t\t\t0\n",
     true,
     "zentrima-cli: --effect: No sample size up to 1,000,000 detects an effect of 0.001 with 80% "
     "power.\n"},
    {"power goal",
     {"power", "unpaired", "--n1", "17", "--n2", "17", "--sd1", "1", "--sd2", "1", "--effect", "1",
      "--method", "exact", "--page", "cells"},
     0,
     "effect\tpower\tok\n1\t80.70367152\t1\n",
     true,
     ""},
    {"answer above the table",
     {"sample", "unpaired", "--sd", "1", "--effect", "1", "--powers", "90,80", "--ns", "5,100"},
     0,
     "Sample size for an effect of 1:\nPower\tN per group\tDetects\n90%\t23\t0.98\n80%\t17\t0.99\n",
     false,
     ""},
    {"report on the first answer",
     {"sample", "unpaired", "--sd", "1", "--effect", "1", "--powers", "90,80", "--page", "report"},
     0,
     "You requested a detailed explanation for N = 23 and power = 90%.",
     false,
     ""},
    {"letters",
     {"sample", "unpaired", "--sd", "1", "--effect", "five"},
     2,
     "",
     true,
     "zentrima-cli: --effect: 'five' is not a finite number\n"},
    {"data page",
     {"sample", "unpaired", "--sd", "1", "--effect", "1", "--page", "data"},
     2,
     "",
     true,
     "zentrima-cli: --effect: applies to the tradeoff, report and cells pages\n"},
    {"report without an answer",
     {"sample", "unpaired", "--sd", "1", "--effect", "1e-9", "--page", "report"},
     2,
     "",
     true,
     "zentrima-cli: --effect: no direct answer was found, so there is no cell to report on\n"},
};

TEST(CliEffect, AnswersOnEveryPageAndRefusals)
{
    CliProcess cli;
    for (const EffectCase& c : Cases) {
        SCOPED_TRACE(c.name);
        const CliProcess::Result result = cli.run(QStringList(c.arguments) << "--no-settings");
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_EQ(result.err, c.err);
        if (c.wholeOut)
            EXPECT_EQ(result.out, c.out);
        else
            EXPECT_NE(result.out.find(c.out), std::string::npos) << result.out;
    }
}

} // namespace
