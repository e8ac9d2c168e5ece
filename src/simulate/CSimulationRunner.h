#pragma once

#include "simulate/StudyGenerator.h"

#include <atomic>
#include <cstdint>
#include <functional>

/// One simulated study: draws the data of one experiment from the generator, analyses it
/// and returns true when the test is statistically significant.
using SimulatedStudy = std::function<bool(StudyGenerator&)>;

/// What a run found: how many of its studies were significant.
struct SimulationResult
{
    long studies = 0;
    long significant = 0;
    std::uint64_t seed = 0;
    /// False when the run was cancelled before its last study; the counts are then partial
    /// and not to be reported.
    bool completed = false;

    /// The share of significant studies, a fraction.
    double Power() const;
    /// The binomial standard error of Power(), a fraction.
    double StandardError() const;
};

/// Shared with whoever watches a run from another thread: the studies done so far and a
/// request to stop.
struct SimulationProgress
{
    std::atomic<long> done{0};
    std::atomic<bool> cancel{false};
};

/// Runs a number of simulated studies on several threads. Study i always uses
/// MakeStudyGenerator(seed, i), so the count of significant studies is the same for every
/// number of threads.
class CSimulationRunner
{
public:
    /// The studies a run has unless told otherwise.
    static constexpr long DefaultStudies = 10000;
    /// The seed a run has unless told otherwise.
    static constexpr std::uint64_t DefaultSeed = 1;

    /// A runner on threads threads; 0 means one per processor.
    explicit CSimulationRunner(int threads = 0);

    /// Runs studies studies (at least 1) of study with seed. Progress, when not null, counts
    /// the finished studies while the run goes on, and a cancel set there stops it early
    /// with completed false. The study is called from several threads at once, so it must
    /// not change shared state.
    SimulationResult Run(const SimulatedStudy& study, long studies, std::uint64_t seed,
                         SimulationProgress* progress = nullptr) const;

    /// The threads a run uses.
    int Threads() const;

private:
    int m_threads;
};
