// Cost of the step-3 page of the two-proportion and survival calculators with the default
// lists (29 sample sizes x 5 powers, or 13 powers): every cell of a survival table runs the
// 11-step hazard-ratio bisection with one pow() per step, a proportion cell one arcsine and
// one sine. The page goes to /dev/null, so the writer's formatting is measured as well.

#include "CHtmlWriter.h"
#include "CPowerChiSquareCalc.h"
#include "CPowerLogrankCalc.h"
#include "CSampleChiSquareCalc.h"
#include "CSampleLogrankCalc.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

void WritePage(benchmark::State& state, CCalculator& calc)
{
    FILE* sink = std::fopen("/dev/null", "w");
    if (sink == nullptr) {
        state.SkipWithError("cannot open /dev/null");
        return;
    }
    CHtmlWriter writer(sink, CHtmlWriter::ModeHtmlLinks);
    for (auto _ : state)
        benchmark::DoNotOptimize(calc.WriteTradeoffPage(writer));
    std::fclose(sink);
}

void SampleChiSquarePage(benchmark::State& state)
{
    CSampleChiSquareCalc calc;
    WritePage(state, calc);
}
BENCHMARK(SampleChiSquarePage)->Unit(benchmark::kMicrosecond);

void PowerChiSquarePage(benchmark::State& state)
{
    CPowerChiSquareCalc calc;
    calc.SetGroups(50, 60, 0.3, 0.45);
    WritePage(state, calc);
}
BENCHMARK(PowerChiSquarePage)->Unit(benchmark::kMicrosecond);

void SampleLogrankPage(benchmark::State& state)
{
    CSampleLogrankCalc calc;
    WritePage(state, calc);
}
BENCHMARK(SampleLogrankPage)->Unit(benchmark::kMicrosecond);

void PowerLogrankPage(benchmark::State& state)
{
    CPowerLogrankCalc calc;
    calc.SetProportion(0.6);
    calc.SetSampleSize(200);
    WritePage(state, calc);
}
BENCHMARK(PowerLogrankPage)->Unit(benchmark::kMicrosecond);

} // namespace
