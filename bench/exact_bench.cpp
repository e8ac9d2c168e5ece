// The step-3 page of every calculator, default lists, in the written and the exact method;
// and the 100 x 100 unpaired sample-size page in both.
#include "platform/CMemorySettingsStore.h"
#include "calc/CPowerAnovaCalc.h"
#include "calc/CPowerChiSquareCalc.h"
#include "calc/CPowerLogrankCalc.h"
#include "calc/CPowerOneCalc.h"
#include "calc/CPowerPairedCalc.h"
#include "calc/CPowerUnpairedCalc.h"
#include "platform/CRecordingMessageSink.h"
#include "calc/CSampleAnovaCalc.h"
#include "calc/CSampleChiSquareCalc.h"
#include "calc/CSampleLogrankCalc.h"
#include "calc/CSampleOneCalc.h"
#include "calc/CSamplePairedCalc.h"
#include "calc/CSampleUnpairedCalc.h"
#include "PageBench.h"
#include "platform/Platform.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

const char* const kNames[] = {"SampleUnpaired", "SamplePaired",   "SampleOne",
                              "SampleAnova",    "SampleSurvival", "SampleProportions",
                              "PowerUnpaired",  "PowerPaired",    "PowerOne",
                              "PowerAnova",     "PowerSurvival",  "PowerProportions"};

std::unique_ptr<CCalculator> makeCalculator(int which)
{
    switch (which) {
    case 0: {
        auto c = std::make_unique<CSampleUnpairedCalc>();
        c->SetSD(1.3);
        return c;
    }
    case 1: {
        auto c = std::make_unique<CSamplePairedCalc>();
        c->SetSD(2);
        c->SetR(0.4);
        return c;
    }
    case 2: {
        auto c = std::make_unique<CSampleOneCalc>();
        c->SetSD(0.05);
        return c;
    }
    case 3: {
        auto c = std::make_unique<CSampleAnovaCalc>();
        c->SetSD(1);
        c->SetGroupCount(4);
        return c;
    }
    case 4:
        return std::make_unique<CSampleLogrankCalc>();
    case 5:
        return std::make_unique<CSampleChiSquareCalc>();
    case 6: {
        auto c = std::make_unique<CPowerUnpairedCalc>();
        c->SetGroups(10, 14, 1.5, 2);
        return c;
    }
    case 7: {
        auto c = std::make_unique<CPowerPairedCalc>();
        c->SetPairs(12);
        c->SetSD(0.8);
        return c;
    }
    case 8: {
        auto c = std::make_unique<CPowerOneCalc>();
        c->SetSampleSize(20);
        c->SetSD(3);
        return c;
    }
    case 9: {
        auto c = std::make_unique<CPowerAnovaCalc>();
        c->SetDfTreatment(2);
        c->SetMsGroups(12.5);
        c->SetDfResidual(27);
        c->SetMsResidual(4);
        return c;
    }
    case 10: {
        auto c = std::make_unique<CPowerLogrankCalc>();
        c->SetProportion(0.3);
        c->SetSampleSize(200);
        return c;
    }
    default: {
        auto c = std::make_unique<CPowerChiSquareCalc>();
        c->SetGroups(50, 60, 0.3, 0.45);
        return c;
    }
    }
}

void BM_DefaultPage(benchmark::State& state)
{
    CMemorySettingsStore store;
    CRecordingMessageSink sink;
    CScopedPlatform platform(&store, &sink);
    std::unique_ptr<CCalculator> calc = makeCalculator(static_cast<int>(state.range(0)));
    const bool exact = state.range(1) != 0;
    calc->SetMethod(exact ? CalcMethod::Exact : CalcMethod::Approximate);
    WriteTradeoffPages(state, *calc);
    state.SetLabel(std::string(kNames[state.range(0)]) + (exact ? " exact" : " approximate"));
}

BENCHMARK(BM_DefaultPage)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {0, 1}})
    ->ArgNames({"calc", "exact"})
    ->Unit(benchmark::kMillisecond);

// 100 powers from 99.5 down by 0.99 and 100 sizes from 2 up by 37.
void BM_UnpairedHundredByHundred(benchmark::State& state)
{
    CMemorySettingsStore store;
    CRecordingMessageSink sink;
    CScopedPlatform platform(&store, &sink);
    CSampleUnpairedCalc calc;
    calc.SetSD(1);
    SetLargeLists(calc);
    const bool exact = state.range(0) != 0;
    calc.SetMethod(exact ? CalcMethod::Exact : CalcMethod::Approximate);
    WriteTradeoffPages(state, calc);
    state.SetLabel(exact ? "exact" : "approximate");
}

BENCHMARK(BM_UnpairedHundredByHundred)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
