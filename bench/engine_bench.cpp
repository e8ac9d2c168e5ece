// Cost of critical F values: one value with and without the memo, single tail evaluations
// on both sides of the switch from the finite series to the incomplete beta fraction, and a
// whole one-way ANOVA sample-size table (20 groups, 100 Ns up to 1,000,000, 100 powers).

#include "engine/Distributions.h"
#include "engine/detail/FTailDetail.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kAlpha = 0.05;
constexpr double kGroups = 20;

void CriticalFUncached(benchmark::State& state)
{
    const double df2 = static_cast<double>(state.range(0));
    for (auto _ : state) {
        engine_detail::ClearCriticalFCache();
        benchmark::DoNotOptimize(CriticalF(kAlpha, kGroups - 1, df2));
    }
}
BENCHMARK(CriticalFUncached)->Arg(1000)->Arg(100000)->Arg(10000000)->Unit(benchmark::kMicrosecond);

void CriticalFCached(benchmark::State& state)
{
    const double df2 = static_cast<double>(state.range(0));
    engine_detail::ClearCriticalFCache();
    CriticalF(kAlpha, kGroups - 1, df2);
    for (auto _ : state)
        benchmark::DoNotOptimize(CriticalF(kAlpha, kGroups - 1, df2));
}
BENCHMARK(CriticalFCached)->Arg(1000)->Arg(100000)->Arg(10000000);

// One tail evaluation near the critical value, df1 = 19 (odd, so the series runs over df2).
template <engine_detail::TailFunction tail> void TailEvaluation(benchmark::State& state)
{
    const double df2 = static_cast<double>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(tail(1.6, kGroups - 1, df2));
}
BENCHMARK_TEMPLATE(TailEvaluation, engine_detail::FUpperTailSeries)
    ->Arg(100)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000);
BENCHMARK_TEMPLATE(TailEvaluation, engine_detail::FUpperTailBeta)
    ->Arg(100)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(10000000);

// A 100 x 100 table: each cell asks for the critical value of its column's N, as the ANOVA
// calculator does; the memo starts empty.
void AnovaTable(benchmark::State& state)
{
    std::vector<double> ns;
    for (int i = 0; i < 100; ++i)
        ns.push_back(std::round(2 * std::pow(5e5, i / 99.0)));
    for (auto _ : state) {
        engine_detail::ClearCriticalFCache();
        double sum = 0;
        for (double n : ns)
            for (int power = 0; power < 100; ++power)
                sum += CriticalF(kAlpha, kGroups - 1, kGroups * (n - 1));
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(AnovaTable)->Unit(benchmark::kMillisecond);

} // namespace
