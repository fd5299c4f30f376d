// Turn histories for the benchmarks, the same in every run: a player's year
// of turns, small or large. Plain C++ (the rules benchmark has no Qt).
#pragma once

#include "core/codes/assessment.h"
#include "core/storage/history.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace benchhistory {

constexpr std::int64_t SecondsPerDay = 86400;
// Both histories span the last 365 UTC days, today included: the statistics
// aggregate per day, so a long history differs from a short one in turns a
// day, not in days.
constexpr int Days = 365;
// The few levels a player moves through in a year.
constexpr int Levels[] = {2, 5, 9, 14, 20};

// A fixed sequence of numbers (xorshift), so every run seeds the same turns.
class Numbers {
public:
    explicit Numbers(std::uint32_t seed) : m_state(seed ? seed : 1) {}
    int Below(int n)
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return static_cast<int>(m_state % static_cast<std::uint32_t>(n));
    }

private:
    std::uint32_t m_state;
};

inline std::int64_t Today() { return static_cast<std::int64_t>(std::time(nullptr)) / SecondsPerDay; }

// One turn of the given level at a time, with counts of a plausible drawing.
inline TurnRecord TurnAt(std::int64_t utc, int level, Numbers &n)
{
    TurnRecord t;
    t.utcSeconds = utc;
    t.level = level;
    t.puzzleCode = std::string("B").append(std::to_string(level)).append("-").append(std::to_string(n.Below(1'000'000)));
    t.seconds = 30 + 6 * level + n.Below(90);
    const int points = 6 * (level + 3);
    for (std::size_t s = 0; s < 3; ++s) {
        const int wrong = n.Below(points / 2 + 1);
        const int right = points - n.Below(points / 3 + 1);
        t.sheets[s] = {right, wrong, right - wrong};
        t.total.right += right;
        t.total.wrong += wrong;
    }
    t.total.score = t.total.right - t.total.wrong;
    t.hintsUsed = n.Below(4) == 0 ? 1 : 0;
    t.peeksUsed = n.Below(8) == 0 ? 1 : 0;
    t.helpCost = 5 * t.hintsUsed + 3 * t.peeksUsed;
    t.finalScore = t.total.score - t.helpCost;
    t.restart = n.Below(10) == 0;
    // As the coach records it: accuracy, prediction and rating, and the tries
    // before help when help was used.
    t.accuracy = static_cast<double>(t.total.right) / (t.total.right + t.total.wrong);
    t.predicted = 0.4 + n.Below(50) / 100.0;
    t.rating = level / 10.0 + n.Below(100) / 100.0;
    if (t.helpCost > 0)
        t.helpSeconds = t.seconds / 2, t.helpStrokes = n.Below(12);
    return t;
}

// `count` turns over the last 365 days ending today, oldest first. Up to 365
// turns fall on as many different days; more are spread evenly over every
// day, at the few levels above, and the large history also holds a weekly
// assessment sitting (its 12 figures in one evening).
inline std::vector<TurnRecord> YearOfTurns(int count, std::uint32_t seed = 20240917)
{
    Numbers n(seed);
    const std::int64_t first = Today() - (Days - 1);
    std::vector<TurnRecord> turns;
    turns.reserve(static_cast<std::size_t>(count));
    const bool sittings = count > 10 * Days;
    const int sittingTurns = sittings ? static_cast<int>((Days / 7) * AssessmentSize) : 0;
    const int plain = count - sittingTurns;
    for (int i = 0; i < plain; ++i) {
        // Turn i on day i * 365 / plain: distinct days while plain <= 365.
        const std::int64_t day = first + static_cast<std::int64_t>(i) * Days / plain;
        const std::int64_t utc = day * SecondsPerDay + 8 * 3600 + n.Below(14 * 3600);
        turns.push_back(TurnAt(utc, Levels[static_cast<std::size_t>(n.Below(5))], n));
    }
    for (int week = 0; sittings && week < Days / 7; ++week) {
        const std::int64_t evening = (first + 7 * week + 3) * SecondsPerDay + 22 * 3600;
        const auto &set = AssessmentSet();
        for (std::size_t f = 0; f < set.size(); ++f) {
            TurnRecord t = TurnAt(evening + static_cast<std::int64_t>(f) * 90, set[f].level, n);
            t.fromCode = true;
            t.assessment = evening;
            turns.push_back(t);
        }
    }
    return turns;
}

// Writes a history of `count` turns into folder/history.sqlite (made anew),
// in one transaction. Exits on failure: a benchmark without its data is void.
inline void WriteHistory(const std::filesystem::path &folder, int count)
{
    std::error_code ec;
    for (const char *suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(folder / (std::string(History::FileName) + suffix), ec);
    History h;
    HistoryStatus s = h.Open(folder.string());
    const std::vector<TurnRecord> turns = YearOfTurns(count);
    if (s.ok)
        s = h.AppendAll(turns);
    // A sitting is recorded with its last figure, as the game does; its
    // twelve turns follow each other.
    for (std::size_t i = 0; s.ok && i < turns.size(); ++i) {
        const TurnRecord &t = turns[i];
        if (t.assessment == 0 || (i + 1 < turns.size() && turns[i + 1].assessment == t.assessment))
            continue;
        std::int64_t total = 0, seconds = 0;
        for (std::size_t f = i + 1 - AssessmentSize; f <= i; ++f)
            total += turns[f].finalScore, seconds += turns[f].seconds;
        s = h.AppendSitting({t.assessment, t.utcSeconds, total, seconds});
    }
    std::int64_t stored = 0;
    if (s.ok)
        s = h.TurnCount({}, stored);
    if (!s.ok || stored != count) {
        std::fprintf(stderr, "bench: could not write a history of %d turns in %s: %s\n", count, folder.c_str(),
                     DescribeHistoryStatus(s).c_str());
        std::exit(1);
    }
}

} // namespace benchhistory
