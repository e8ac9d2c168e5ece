// Cost of the one-way ANOVA step-3 pages. Every cell runs the 16-step effect-size search
// (two pow() calls a step) on the critical F value of its degrees of freedom; each sample size
// of the table has its own residual degrees of freedom, so a table of 100 sizes needs 100
// critical values, each a 26-step bisection over the F tail. The memo of critical values is
// emptied before every page so that each page pays for all of them. Pages go to /dev/null,
// so the writer's formatting is measured as well.

#include "calc/CPowerAnovaCalc.h"
#include "calc/CSampleAnovaCalc.h"
#include "PageBench.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

namespace {

void WritePage(benchmark::State& state, CCalculator& calc)
{
    WriteTradeoffPages(state, calc, true);
    state.counters["cells"] = calc.m_nPowers * calc.m_nNs;
}

// 99.9, then 99 down to 1: 100 powers.
std::string HundredPowers()
{
    std::string text = "99.9";
    for (int p = 99; p >= 1; --p)
        text += "," + std::to_string(p);
    return text;
}

// 100 distinct sample sizes: spread on a log scale from 2 to 1,000,000 (each at least one
// above the one before), or the 100 largest.
std::string HundredNs(bool largest)
{
    std::string text;
    int previous = 1;
    for (int i = 0; i < 100; ++i) {
        int n =
            largest ? 999901 + i : static_cast<int>(std::lround(2 * std::pow(500000.0, i / 99.0)));
        if (n <= previous)
            n = previous + 1;
        previous = n;
        text += (i == 0 ? "" : ",") + std::to_string(n);
    }
    return text;
}

void SampleAnovaHundredByHundred(benchmark::State& state)
{
    CSampleAnovaCalc calc;
    calc.SetSD(1.5);
    calc.SetGroupCount(20);
    if (!calc.ParsePowers(HundredPowers()) || !calc.ParseNs(HundredNs(state.range(0) != 0))) {
        state.SkipWithError("lists refused");
        return;
    }
    WritePage(state, calc);
}
// 0: sizes from 2 to 1,000,000; 1: the 100 largest sizes.
BENCHMARK(SampleAnovaHundredByHundred)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void SampleAnovaDefaultPage(benchmark::State& state)
{
    CSampleAnovaCalc calc;
    calc.SetSD(1.5);
    calc.SetGroupCount(static_cast<int>(state.range(0)));
    WritePage(state, calc);
}
BENCHMARK(SampleAnovaDefaultPage)->Arg(3)->Arg(20)->Unit(benchmark::kMillisecond);

void PowerAnovaDefaultPage(benchmark::State& state)
{
    CPowerAnovaCalc calc;
    calc.SetDfTreatment(static_cast<int>(state.range(0)));
    calc.SetMsGroups(12.5);
    calc.SetDfResidual(static_cast<int>(state.range(1)));
    calc.SetMsResidual(2.25);
    WritePage(state, calc);
}
BENCHMARK(PowerAnovaDefaultPage)
    ->Args({2, 27})
    ->Args({19, 19999980})
    ->Unit(benchmark::kMillisecond);

} // namespace
