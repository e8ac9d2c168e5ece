#include "exact/ExactLevel.h"
#include "simulate/CLogrankStudy.h"
#include "simulate/CSimulationRunner.h"
#include "simulate/CTwoProportionStudy.h"
#include "simulate/CTwoSampleTStudy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const ExactLevel TwoTailed05{0.05, true};

struct NamedStudy
{
    std::string name;
    SimulatedStudy study;
};

std::vector<NamedStudy> Studies()
{
    return {
        {"coin from the generator", [](StudyGenerator& g) { return g() % 2 == 0; }},
        {"pooled t", CTwoSampleTStudy(5, 7, 1, 1, 1, TwoTailed05)},
        {"chi-square",
         CTwoProportionStudy(20, 20, 0.3, 0.6, CTwoProportionStudy::PooledChiSquare(TwoTailed05))},
        {"logrank", CLogrankStudy(30, 30, 0.4, 0.6, TwoTailed05)},
    };
}

TEST(SimulationRunnerTest, SameSeedGivesSameCountOnAnyNumberOfThreads)
{
    for (const NamedStudy& s : Studies()) {
        SCOPED_TRACE(s.name);
        // 1000 studies is not a whole number of the runner's chunks, so the last one is short.
        const SimulationResult one = CSimulationRunner(1).Run(s.study, 1000, 42);
        for (int threads : {2, 3, 8}) {
            const SimulationResult many = CSimulationRunner(threads).Run(s.study, 1000, 42);
            EXPECT_EQ(many.significant, one.significant) << threads << " threads";
            EXPECT_EQ(many.studies, 1000);
            EXPECT_EQ(many.seed, 42u);
        }
        EXPECT_EQ(CSimulationRunner(2).Run(s.study, 1000, 42).significant, one.significant);
    }
}

TEST(SimulationRunnerTest, SeedAndStudyNumberBothChangeTheDraws)
{
    const SimulatedStudy coin = [](StudyGenerator& g) { return g() % 2 == 0; };
    const CSimulationRunner runner(2);
    std::vector<long> counts;
    for (std::uint64_t seed : {1u, 2u, 3u, 4u})
        counts.push_back(runner.Run(coin, 4000, seed).significant);
    // Four fair coins of 4000 tosses agreeing exactly would mean the seed is ignored.
    EXPECT_FALSE(counts[0] == counts[1] && counts[1] == counts[2] && counts[2] == counts[3]);
    // Every study drawing the same value would give 0 or all.
    EXPECT_GT(counts[0], 1800);
    EXPECT_LT(counts[0], 2200);
    EXPECT_NE(MakeStudyGenerator(1, 2)(), MakeStudyGenerator(2, 1)());
}

TEST(SimulationRunnerTest, ProgressCountsStudiesAndCancelStopsTheRun)
{
    const SimulatedStudy coin = [](StudyGenerator& g) { return g() % 2 == 0; };
    struct Case
    {
        bool cancel;
        long studies;
    };
    for (const Case& c : {Case{false, 1}, Case{false, 777}, Case{true, 5000}}) {
        SCOPED_TRACE(c.studies);
        SimulationProgress progress;
        progress.cancel = c.cancel;
        const SimulationResult result = CSimulationRunner(2).Run(coin, c.studies, 9, &progress);
        EXPECT_EQ(result.completed, !c.cancel);
        EXPECT_EQ(progress.done.load(), c.cancel ? 0 : c.studies);
    }
}

TEST(SimulationRunnerTest, PowerAndStandardErrorOfCounts)
{
    struct Case
    {
        long studies;
        long significant;
        double power;
        double standardError;
    };
    for (const Case& c : {Case{10000, 8270, 0.827, 0.0037825}, Case{400, 400, 1, 0},
                          Case{400, 0, 0, 0}, Case{0, 0, 0, 0}}) {
        SimulationResult r;
        r.studies = c.studies;
        r.significant = c.significant;
        EXPECT_DOUBLE_EQ(r.Power(), c.power);
        EXPECT_NEAR(r.StandardError(), c.standardError, 1e-7);
    }
}

} // namespace
