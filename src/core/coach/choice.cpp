#include "core/coach/choice.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr std::array<int, 8> RoundWidths{0, 1, 2, 4, 8, 16, 32, MaxLevel};

// The figures that stand for each level when levels are compared: the same
// for every player and every run, made once.
constexpr int SamplesPerLevel = 15;
using LevelSample = std::array<FigureFeatures, SamplesPerLevel>;

const std::array<LevelSample, MaxLevel + 1> &LevelSamples()
{
    static const auto samples = [] {
        std::array<LevelSample, MaxLevel + 1> all{};
        for (int level = 0; level <= MaxLevel; ++level)
            for (int k = 0; k < SamplesPerLevel; ++k)
                all[static_cast<std::size_t>(level)][static_cast<std::size_t>(k)] =
                    FeaturesOf(level, 2654435761u * static_cast<std::uint32_t>(level * SamplesPerLevel + k + 1));
        return all;
    }();
    return samples;
}

// The median expected accuracy of each level's sample figures.
std::array<double, MaxLevel + 1> MedianExpected(double rating, const DifficultyWeights &weights)
{
    const auto &samples = LevelSamples();
    std::array<double, MaxLevel + 1> medians{};
    for (std::size_t level = 0; level < medians.size(); ++level) {
        std::array<double, SamplesPerLevel> d{};
        for (std::size_t k = 0; k < d.size(); ++k)
            d[k] = Difficulty(samples[level][k], weights);
        std::nth_element(d.begin(), d.begin() + SamplesPerLevel / 2, d.end());
        // E falls as d rises, so the median d gives the median E.
        medians[level] = ExpectedAccuracy(rating, d[SamplesPerLevel / 2]);
    }
    return medians;
}

// A level whose median lies this near the target is worth drawing from.
constexpr double LevelTolerance = 0.15;

} // namespace

int ClampTargetPercent(int percent)
{
    return std::clamp(percent, MinTargetPercent, MaxTargetPercent);
}

FigureChoice ChooseFigure(int level, double rating, const DifficultyWeights &weights, double target,
                          const RandomDraw &draw, int maxCandidates)
{
    level = std::clamp(level, 0, MaxLevel);
    const std::array<double, MaxLevel + 1> medians = MedianExpected(rating, weights);
    FigureChoice best;
    double bestGap = 2.0;
    int drawn = 0;
    for (int width : RoundWidths) {
        // Within the round's levels, those whose typical figure is near the
        // target, or else the nearest one: drawing at a level that cannot
        // come near would waste the candidate.
        const int lo = std::max(0, level - width);
        const int hi = std::min(MaxLevel, level + width);
        std::vector<int> levels;
        int nearest = lo;
        for (int l = lo; l <= hi; ++l) {
            const double gap = std::abs(medians[static_cast<std::size_t>(l)] - target);
            if (gap <= LevelTolerance)
                levels.push_back(l);
            if (gap < std::abs(medians[static_cast<std::size_t>(nearest)] - target))
                nearest = l;
        }
        if (levels.empty())
            levels.push_back(nearest);
        for (int k = 0; k < CandidatesPerRound && drawn < maxCandidates; ++k, ++drawn) {
            FigureChoice c;
            c.level = levels[draw(static_cast<std::uint32_t>(levels.size()))];
            c.seed = draw(0xffffffffu);
            c.predicted = ExpectedAccuracy(rating, Difficulty(FeaturesOf(c.level, c.seed), weights));
            const double gap = std::abs(c.predicted - target);
            if (gap < bestGap) {
                bestGap = gap;
                best = c;
            }
        }
        if (bestGap <= ChoiceTolerance || drawn >= maxCandidates)
            break;
    }
    best.candidates = drawn;
    return best;
}

int LevelForTarget(double rating, const DifficultyWeights &weights, double target)
{
    const std::array<double, MaxLevel + 1> medians = MedianExpected(rating, weights);
    int bestLevel = 0;
    for (int level = 1; level <= MaxLevel; ++level)
        if (std::abs(medians[static_cast<std::size_t>(level)] - target) <=
            std::abs(medians[static_cast<std::size_t>(bestLevel)] - target))
            bestLevel = level;
    return bestLevel;
}

LevelSuggestion SuggestLevelByRating(double rating, const DifficultyWeights &weights, double target, int currentLevel)
{
    currentLevel = std::clamp(currentLevel, 0, MaxLevel);
    const int level = LevelForTarget(rating, weights, target);
    if (level == currentLevel)
        return {LevelChange::None, currentLevel};
    return {level > currentLevel ? LevelChange::Up : LevelChange::Down, level, true};
}
