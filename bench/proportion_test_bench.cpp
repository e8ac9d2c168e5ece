// Cost of an exact two-proportion table of 100 powers by 100 sample sizes (2 to 200 per
// group) under each test the scientist may run (0 uncorrected chi-square, 1 Yates, 2 Fisher):
// every cell of a fresh calculator, so that each table pays for its rejection regions.
#include "calc/CSampleChiSquareCalc.h"
#include "calc/ExactProportions.h"
#include "calc/Formatting.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void ExactProportionTable(benchmark::State& state)
{
    ProportionTest test = ProportionTest::ChiSquare;
    ProportionTestFromCode(static_cast<int>(state.range(0)), test);
    std::string powers;
    std::string sizes;
    for (int i = 0; i < 100; ++i) {
        powers += formatInCLocale("%s%.2f", i ? "," : "", 99.5 - 0.99 * i);
        sizes += formatInCLocale("%s%d", i ? "," : "", 2 + 2 * i);
    }
    for (auto _ : state) {
        CSampleChiSquareCalc calc;
        calc.SetMethod(CalcMethod::Exact);
        calc.SetProportion(0.3);
        calc.SetTest(test);
        calc.ParsePowers(powers);
        calc.ParseNs(sizes);
        double sum = 0;
        for (int r = 0; r < calc.m_nNs; ++r)
            for (int p = 0; p < calc.m_nPowers; ++p) {
                double value = 0;
                calc.ComputeCell(p, r, &value);
                sum += value;
            }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(ExactProportionTable)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// One exact cell of 2000 per group: the rejection region and the search.
void ExactProportionCellAtTheLimit(benchmark::State& state)
{
    ProportionTest test = ProportionTest::ChiSquare;
    ProportionTestFromCode(static_cast<int>(state.range(0)), test);
    for (auto _ : state) {
        CSampleChiSquareCalc calc;
        calc.SetMethod(CalcMethod::Exact);
        calc.SetProportion(0.3);
        calc.SetTest(test);
        calc.ParsePowers("80");
        calc.ParseNs("2000");
        double value = 0;
        benchmark::DoNotOptimize(calc.ComputeCell(0, 0, &value));
    }
}
BENCHMARK(ExactProportionCellAtTheLimit)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace
