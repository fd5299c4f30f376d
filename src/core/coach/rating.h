#pragma once

#include "core/coach/difficulty.h"

#include <span>

// The player's rating, one per exercise, on the same logit scale as a
// figure's difficulty: a rating equal to a figure's difficulty expects half of
// its points right, one more expects 73%, two more 88%. It starts at 0 and
// moves after each first play of a figure by K times the surprise:
// rating += K·(A − E), with A the share of points right before help and E the
// share expected.
constexpr double StartRating = 0.0;
constexpr double RatingK = 0.8;

// Right / (Right + Wrong), 0 when there were no points at all.
double Accuracy(int right, int wrong);
inline double RatedAfter(double rating, double expected, double accuracy)
{
    return rating + RatingK * (accuracy - expected);
}

// One first play as the fitting sees it.
struct RatedTurn {
    FigureFeatures features;
    double ratingBefore = StartRating;
    double accuracy = 0;
};

// The weights are fitted once a history holds this many rated first plays of
// an exercise, on the latest MaxTurnsFitted of them.
constexpr std::size_t MinTurnsToFit = 30;
constexpr std::size_t MaxTurnsFitted = 2000;

// Logistic regression of each turn's accuracy on its figure's features, the
// player's rating before the turn as a fixed offset: the weights that make
// logistic(ratingBefore − difficulty) fit the accuracies best (Newton's
// method on the log-likelihood of fractional outcomes). A gentle pull toward
// `prior` keeps a short or one-sided history from running wild; with fewer
// than MinTurnsToFit turns, or no convergence, `prior` comes back unchanged.
DifficultyWeights FitWeights(std::span<const RatedTurn> turns, const DifficultyWeights &prior = DefaultWeights);
