// Simulated checks: 10,000 studies of one cell, as the report's "Check by simulation" runs
// them, on one thread and on two. The logrank case is the slowest design: 2 x 200 subjects a
// study, exponential times, a sort and the logrank sums.
#include "exact/ExactLevel.h"
#include "simulate/CAnovaStudy.h"
#include "simulate/CLogrankStudy.h"
#include "simulate/CSimulationRunner.h"
#include "simulate/CTwoProportionStudy.h"
#include "simulate/CTwoSampleTStudy.h"

#include <benchmark/benchmark.h>

namespace {

const ExactLevel Level{0.05, true};
constexpr long Studies = 10000;

void RunStudies(benchmark::State& state, const SimulatedStudy& study)
{
    const CSimulationRunner runner(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const SimulationResult result = runner.Run(study, Studies, 1);
        benchmark::DoNotOptimize(result.significant);
    }
    state.SetItemsProcessed(state.iterations() * Studies);
}

void BM_Logrank200PerGroup(benchmark::State& state)
{
    RunStudies(state, CLogrankStudy(200, 200, 0.3, 0.7, Level));
}
BENCHMARK(BM_Logrank200PerGroup)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PooledT20PerGroup(benchmark::State& state)
{
    RunStudies(state, CTwoSampleTStudy(20, 20, 0.9, 1, 1, Level));
}
BENCHMARK(BM_PooledT20PerGroup)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Anova4GroupsOf10(benchmark::State& state)
{
    RunStudies(state, CAnovaStudy::EquallySpaced(4, 40, 1.5, 1, 0.05));
}
BENCHMARK(BM_Anova4GroupsOf10)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ChiSquare100PerGroup(benchmark::State& state)
{
    RunStudies(state, CTwoProportionStudy(100, 100, 0.3, 0.5,
                                          CTwoProportionStudy::PooledChiSquare(Level)));
}
BENCHMARK(BM_ChiSquare100PerGroup)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
