// Writing the step-3 page of each t-test calculator, with the default lists and with 100
// powers by 100 sample sizes, to /dev/null.
#include "platform/CMemorySettingsStore.h"
#include "calc/CPowerOneCalc.h"
#include "calc/CPowerPairedCalc.h"
#include "calc/CPowerUnpairedCalc.h"
#include "platform/CRecordingMessageSink.h"
#include "calc/CSampleOneCalc.h"
#include "calc/CSamplePairedCalc.h"
#include "calc/CSampleUnpairedCalc.h"
#include "PageBench.h"
#include "platform/Platform.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

CCalculator* makeCalculator(int which)
{
    switch (which) {
    case 0: {
        auto* c = new CSampleUnpairedCalc;
        c->SetSD(1.3);
        return c;
    }
    case 1: {
        auto* c = new CSamplePairedCalc;
        c->SetSD(2);
        c->SetR(0.4);
        return c;
    }
    case 2: {
        auto* c = new CSampleOneCalc;
        c->SetSD(0.05);
        return c;
    }
    case 3: {
        auto* c = new CPowerUnpairedCalc;
        c->SetGroups(10, 14, 1.5, 2);
        return c;
    }
    case 4: {
        auto* c = new CPowerPairedCalc;
        c->SetPairs(12);
        c->SetSD(0.8);
        return c;
    }
    default: {
        auto* c = new CPowerOneCalc;
        c->SetSampleSize(20);
        c->SetSD(3);
        return c;
    }
    }
}

const char* const kNames[] = {"SampleUnpaired", "SamplePaired", "SampleOne",
                              "PowerUnpaired",  "PowerPaired",  "PowerOne"};

void BM_TradeoffPage(benchmark::State& state)
{
    CMemorySettingsStore store;
    CRecordingMessageSink sink;
    CScopedPlatform platform(&store, &sink);
    std::unique_ptr<CCalculator> calc(makeCalculator(static_cast<int>(state.range(0))));
    const bool large = state.range(1) != 0;
    if (large)
        SetLargeLists(*calc);
    WriteTradeoffPages(state, *calc);
    state.SetLabel(std::string(kNames[state.range(0)]) + (large ? " 100x100" : " default"));
    const bool sample = dynamic_cast<CSampleCalc*>(calc.get()) != nullptr;
    state.counters["cells"] = calc->m_nPowers * (sample ? calc->m_nNs : 1);
}

BENCHMARK(BM_TradeoffPage)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1}})
    ->ArgNames({"calc", "large"})
    ->Unit(benchmark::kMicrosecond);

} // namespace
