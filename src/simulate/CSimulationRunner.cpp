#include "simulate/CSimulationRunner.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

namespace {

// Studies a thread takes at a time: large enough to keep the shared counter quiet, small
// enough that progress and cancel answer quickly.
constexpr long ChunkSize = 64;

} // namespace

double SimulationResult::Power() const
{
    return studies > 0 ? static_cast<double>(significant) / static_cast<double>(studies) : 0;
}

double SimulationResult::StandardError() const
{
    if (studies <= 0)
        return 0;
    const double p = Power();
    return std::sqrt(p * (1 - p) / static_cast<double>(studies));
}

CSimulationRunner::CSimulationRunner(int threads)
    : m_threads(threads > 0 ? threads
                            : std::max(1, static_cast<int>(std::thread::hardware_concurrency())))
{
}

int CSimulationRunner::Threads() const
{
    return m_threads;
}

SimulationResult CSimulationRunner::Run(const SimulatedStudy& study, long studies,
                                        std::uint64_t seed, SimulationProgress* progress) const
{
    studies = std::max(1L, studies);
    std::atomic<long> nextChunk{0};
    std::atomic<bool> stopped{false};
    const long chunks = (studies + ChunkSize - 1) / ChunkSize;
    const int threads = static_cast<int>(std::min<long>(m_threads, chunks));
    std::vector<long> significant(static_cast<std::size_t>(threads), 0);

    const auto work = [&](std::size_t slot) {
        for (long chunk = nextChunk++; chunk < chunks; chunk = nextChunk++) {
            if (progress && progress->cancel.load()) {
                stopped = true;
                return;
            }
            const long first = chunk * ChunkSize;
            const long last = std::min(studies, first + ChunkSize);
            for (long i = first; i < last; ++i) {
                StudyGenerator generator = MakeStudyGenerator(seed, static_cast<std::uint64_t>(i));
                if (study(generator))
                    ++significant[slot];
            }
            if (progress)
                progress->done += last - first;
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work, static_cast<std::size_t>(t));
    work(0);
    for (std::thread& thread : pool)
        thread.join();

    SimulationResult result;
    result.studies = studies;
    result.seed = seed;
    for (long count : significant)
        result.significant += count;
    result.completed = !stopped;
    return result;
}
