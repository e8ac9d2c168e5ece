// Cost of the step-3 page of the two-proportion and survival calculators with the default
// lists (29 sample sizes x 5 powers, or 13 powers): every cell of a survival table runs the
// 11-step hazard-ratio bisection with one pow() per step, a proportion cell one arcsine and
// one sine. The page goes to /dev/null, so the writer's formatting is measured as well.

#include "calc/CPowerChiSquareCalc.h"
#include "calc/CPowerLogrankCalc.h"
#include "calc/CSampleChiSquareCalc.h"
#include "calc/CSampleLogrankCalc.h"
#include "PageBench.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void SampleChiSquarePage(benchmark::State& state)
{
    CSampleChiSquareCalc calc;
    WriteTradeoffPages(state, calc);
}
BENCHMARK(SampleChiSquarePage)->Unit(benchmark::kMicrosecond);

void PowerChiSquarePage(benchmark::State& state)
{
    CPowerChiSquareCalc calc;
    calc.SetGroups(50, 60, 0.3, 0.45);
    WriteTradeoffPages(state, calc);
}
BENCHMARK(PowerChiSquarePage)->Unit(benchmark::kMicrosecond);

void SampleLogrankPage(benchmark::State& state)
{
    CSampleLogrankCalc calc;
    WriteTradeoffPages(state, calc);
}
BENCHMARK(SampleLogrankPage)->Unit(benchmark::kMicrosecond);

void PowerLogrankPage(benchmark::State& state)
{
    CPowerLogrankCalc calc;
    calc.SetProportion(0.6);
    calc.SetSampleSize(200);
    WriteTradeoffPages(state, calc);
}
BENCHMARK(PowerLogrankPage)->Unit(benchmark::kMicrosecond);

} // namespace
