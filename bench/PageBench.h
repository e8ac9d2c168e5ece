#pragma once

#include "calc/CCalculator.h"
#include "report/CHtmlWriter.h"
#include "calc/CSampleCalc.h"
#include "engine/detail/FTailDetail.h"
#include "calc/Formatting.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

/// Writes calc's step-3 page (with links) to /dev/null once per iteration, so the writer's
/// formatting is measured with the cells. With clearCriticalCache the memo of critical F
/// values is emptied before every page, so that each page pays for all of them.
inline void WriteTradeoffPages(benchmark::State& state, CCalculator& calc,
                               bool clearCriticalCache = false)
{
    FILE* sink = std::fopen("/dev/null", "w");
    if (sink == nullptr) {
        state.SkipWithError("cannot open /dev/null");
        return;
    }
    CHtmlWriter writer(sink, CHtmlWriter::ModeHtmlLinks);
    for (auto _ : state) {
        if (clearCriticalCache)
            engine_detail::ClearCriticalFCache();
        benchmark::DoNotOptimize(calc.WriteTradeoffPage(writer));
    }
    std::fclose(sink);
}

/// 100 powers from 99.5 down by 0.99 and, for a sample-size calculator, 100 sizes from 2 up
/// by 37. A power calculator keeps its single size entry.
inline void SetLargeLists(CCalculator& calc)
{
    std::string powers;
    std::string sizes;
    for (int i = 0; i < 100; ++i) {
        powers += formatInCLocale("%s%.2f", i ? "," : "", 99.5 - 0.99 * i);
        sizes += formatInCLocale("%s%d", i ? "," : "", 2 + 37 * i);
    }
    calc.ParsePowers(powers);
    if (dynamic_cast<CSampleCalc*>(&calc) != nullptr)
        calc.ParseNs(sizes);
}
