#include "simulate/StudyGenerator.h"

#include <boost/random/seed_seq.hpp>

StudyGenerator MakeStudyGenerator(std::uint64_t seed, std::uint64_t study)
{
    const auto low = [](std::uint64_t v) { return static_cast<std::uint32_t>(v & 0xffffffffu); };
    const auto high = [](std::uint64_t v) { return static_cast<std::uint32_t>(v >> 32); };
    boost::random::seed_seq sequence{low(seed), high(seed), low(study), high(study)};
    return StudyGenerator(sequence);
}
