#pragma once

#include "CCalculator.h"
#include "CHtmlWriter.h"
#include "FTailDetail.h"

#include <benchmark/benchmark.h>

#include <cstdio>

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
