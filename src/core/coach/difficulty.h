#pragma once

#include "core/figure/figure.h"

#include <array>
#include <cstdint>

// What makes a figure hard to see, counted over the walk's shown segments
// (the frame is the same in every figure):
// - shown: the walk segments drawn in the 3D view;
// - endOn: segments that vanish into a straight line. Every walk segment runs
//   along one axis, so one sheet sees it end-on as a point; it is counted when
//   the segments before and after it run along one other axis, so that sheet
//   shows no corner where the walk stepped in depth;
// - overlaps: unit pieces of a sheet drawn over again by another segment,
//   summed over the three sheets (a piece drawn three times counts two);
// - turns: places where the walk changes axis or doubles back.
struct FigureFeatures {
    int shown = 0;
    int endOn = 0;
    int overlaps = 0;
    int turns = 0;
    friend bool operator==(const FigureFeatures &, const FigureFeatures &) = default;
};
constexpr int FeatureCount = 4;

FigureFeatures ComputeFeatures(const Figure &figure);
// The figure of a level and generator seed, as a puzzle code names it.
FigureFeatures FeaturesOf(int level, std::uint32_t seed);

// difficulty = bias + shown·w[0] + endOn·w[1] + overlaps·w[2] + turns·w[3],
// on the rating's logit scale.
struct DifficultyWeights {
    double bias = 0;
    std::array<double, FeatureCount> w{};
    friend bool operator==(const DifficultyWeights &, const DifficultyWeights &) = default;
};

// Chosen by hand: a player at the start rating (0) is expected to get 86% of
// a level 0 figure right, 72% at level 20, half at level 40 and a tenth at
// level 84, and each feature adds about what one more segment would at equal
// count. The player's own history replaces them once it is long enough
// (FitWeights).
constexpr DifficultyWeights DefaultWeights{-1.9, {0.02, 0.04, 0.003, 0.01}};

double Difficulty(const FigureFeatures &f, const DifficultyWeights &w);
double Logistic(double x);
// E: the share of a figure's points a player of this rating is expected to
// get right.
inline double ExpectedAccuracy(double rating, double difficulty) { return Logistic(rating - difficulty); }
