#pragma once

#include <boost/random/mersenne_twister.hpp>

#include <cstdint>

/// The random generator of one simulated study.
using StudyGenerator = boost::random::mt19937_64;

/// The generator of study number study of a run seeded with seed. Each study has its own
/// stream, mixed from both numbers by Boost's seed sequence, so a run's outcome depends on
/// the seed and the number of studies only: not on the threads, their number or their order.
StudyGenerator MakeStudyGenerator(std::uint64_t seed, std::uint64_t study);
