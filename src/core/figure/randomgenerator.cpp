#include "core/figure/randomgenerator.h"

#include <chrono>

std::uint32_t RandomGenerator::Draw(std::uint32_t n)
{
    m_seed = m_seed * 134775813u + 1u;
    return static_cast<std::uint32_t>((std::uint64_t{m_seed} * n) >> 32);
}

std::uint32_t RandomGenerator::ClockSeed()
{
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    constexpr long long msPerDay = 24LL * 60 * 60 * 1000;
    return static_cast<std::uint32_t>(sinceEpoch % msPerDay);
}
