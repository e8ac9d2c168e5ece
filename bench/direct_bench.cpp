// The direct answers of a table: 100 powers searched over every whole N (the equivalent of
// a 100 x 100 table and more), and the step-3 page with and without an effect asked.
#include "PageBench.h"
#include "calc/CSampleChiSquareCalc.h"
#include "calc/CSampleUnpairedCalc.h"
#include "calc/DirectAnswerSearch.h"
#include "platform/CMemorySettingsStore.h"
#include "platform/CRecordingMessageSink.h"
#include "platform/Platform.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<CCalculator> makeCalculator(bool proportions, bool exact)
{
    std::unique_ptr<CCalculator> calc;
    if (proportions) {
        auto c = std::make_unique<CSampleChiSquareCalc>();
        c->SetProportion(0.2);
        calc = std::move(c);
    } else {
        auto c = std::make_unique<CSampleUnpairedCalc>();
        c->SetSD(1);
        calc = std::move(c);
    }
    SetLargeLists(*calc);
    calc->SetMethod(exact ? CalcMethod::Exact : CalcMethod::Approximate);
    return calc;
}

// Find for 100 powers: unpaired t (difference 0.3, about 20 to 400 per group) or two
// proportions from 0.2 (increase 0.1, about 30 to 700 per group, the exact sums below 201).
void BM_FindHundredPowers(benchmark::State& state)
{
    CMemorySettingsStore store;
    CRecordingMessageSink sink;
    CScopedPlatform platform(&store, &sink);
    const bool proportions = state.range(0) != 0;
    const bool exact = state.range(1) != 0;
    std::unique_ptr<CCalculator> calc = makeCalculator(proportions, exact);
    for (auto _ : state)
        benchmark::DoNotOptimize(FindDirectAnswers(*calc, proportions ? 0.1 : 0.3));
    state.SetLabel(std::string(proportions ? "proportions" : "unpaired") +
                   (exact ? " exact" : " approximate"));
}

BENCHMARK(BM_FindHundredPowers)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"proportions", "exact"})
    ->Unit(benchmark::kMillisecond);

// The unpaired 100 x 100 step-3 page, without and with the answers above it.
void BM_HundredByHundredPage(benchmark::State& state)
{
    CMemorySettingsStore store;
    CRecordingMessageSink sink;
    CScopedPlatform platform(&store, &sink);
    const bool exact = state.range(1) != 0;
    std::unique_ptr<CCalculator> calc = makeCalculator(false, exact);
    if (state.range(0) != 0)
        FindDirectAnswers(*calc, 0.3);
    WriteTradeoffPages(state, *calc);
    state.SetLabel(std::string(state.range(0) != 0 ? "with answers" : "plain") +
                   (exact ? " exact" : " approximate"));
}

BENCHMARK(BM_HundredByHundredPage)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"answers", "exact"})
    ->Unit(benchmark::kMillisecond);

} // namespace
