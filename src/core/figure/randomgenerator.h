#pragma once

#include <cstdint>

// The game's one random sequence. A draw of 0..n-1 advances the seed linearly
// (seed * 134775813 + 1, modulo 2^32) and takes the upper 32 bits of seed * n,
// so a fixed seed always produces the same figures.
class RandomGenerator {
public:
    explicit RandomGenerator(std::uint32_t seed = 0) : m_seed(seed) {}

    void Seed(std::uint32_t seed) { m_seed = seed; }
    void SeedFromClock() { m_seed = ClockSeed(); }
    std::uint32_t State() const { return m_seed; }

    // A value in 0..n-1 (0 when n is 0).
    std::uint32_t Draw(std::uint32_t n);

    // Milliseconds since midnight UTC.
    static std::uint32_t ClockSeed();

private:
    std::uint32_t m_seed;
};
