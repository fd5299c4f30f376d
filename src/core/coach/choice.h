#pragma once

#include "core/coach/difficulty.h"
#include "core/codes/suggestion.h"

#include <cstdint>
#include <functional>

// "Choose figures for me": New draws candidate figures at and around the
// player's level and takes the one whose expected accuracy is nearest the
// target. Candidates come in rounds of CandidatesPerRound, first at the level
// itself, then over levels ever further around it (1, 2, 4 ... levels either
// side, at last all of them), until one lies within ChoiceTolerance of the
// target; after MaxCandidates the nearest one drawn is taken. Within a round
// candidates are drawn at the levels whose typical figure (the median of a
// fixed sample) is expected within 0.15 of the target, or at the nearest such
// level when none is.
constexpr int CandidatesPerRound = 8;
constexpr int MaxCandidates = 64;
constexpr double ChoiceTolerance = 0.1;
// The target in percent, as the settings keep it.
constexpr int MinTargetPercent = 60;
constexpr int MaxTargetPercent = 90;
constexpr int DefaultTargetPercent = 75;
int ClampTargetPercent(int percent);

struct FigureChoice {
    int level = 0;
    std::uint32_t seed = 0;
    double predicted = 0;  // E of the chosen figure
    int candidates = 0;    // how many were drawn
};

// `draw(n)` gives a random number in 0..n−1 (n up to 2^32 − 1 for seeds).
using RandomDraw = std::function<std::uint32_t(std::uint32_t n)>;
FigureChoice ChooseFigure(int level, double rating, const DifficultyWeights &weights, double target,
                          const RandomDraw &draw, int maxCandidates = MaxCandidates);

// The level suggestion once the player is rated: the level whose figures'
// median expected accuracy is nearest the target (the higher level on a tie),
// judged on a fixed sample of figures per level, and the change from the
// current level it means.
int LevelForTarget(double rating, const DifficultyWeights &weights, double target);
LevelSuggestion SuggestLevelByRating(double rating, const DifficultyWeights &weights, double target, int currentLevel);
// Rated first plays before the rating, not the staircase, suggests levels.
constexpr int RatedTurnsToSuggest = 10;
