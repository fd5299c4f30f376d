#pragma once

#include "core/codes/puzzlecode.h"

#include <array>
#include <cstddef>

// The assessment: the same 12 figures for every player and every version, so
// sittings can be compared over time and between players. Their levels climb
// by a step that grows by one each figure (0, 1, 3, 6, ... 66), from a warm-up
// to figures few players finish. The constants must never change.
constexpr std::size_t AssessmentSize = 12;

const std::array<PuzzleCode, AssessmentSize> &AssessmentSet();

// A sitting's result. Scoring: each figure scores Right - Wrong as in a normal
// turn, the total score is their sum, and the total seconds (their sum) is
// shown beside it without changing it. Recording a figure again replaces it.
struct AssessmentResult {
    std::array<int, AssessmentSize> scores{};
    std::array<int, AssessmentSize> seconds{};
    std::array<bool, AssessmentSize> done{};

    // Ignores a figure number outside 0..11; negative seconds count as 0.
    void Record(std::size_t figure, int score, int figureSeconds);

    int FiguresDone() const;
    bool Complete() const { return FiguresDone() == static_cast<int>(AssessmentSize); }
    long long TotalScore() const;
    long long TotalSeconds() const;
};
