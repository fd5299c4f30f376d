#pragma once

#include "core/figure/figure.h"
#include "core/sheets/segmentlist.h"

#include <compare>
#include <vector>

// A point on a sheet in exact units: sixtieths of a lattice step. Lines between
// lattice points have slopes with denominators of at most 4, so every sample
// taken every fifth of a step is a whole number of sixtieths.
struct SamplePoint {
    static constexpr int Unit = 60;
    int col = 0;  // column * 60
    int row = 0;  // row * 60
    friend auto operator<=>(const SamplePoint &, const SamplePoint &) = default;
};

// Sorted, without duplicates.
using SampleSet = std::vector<SamplePoint>;

// Samples every segment every 1/5 lattice step. A column pass takes the
// segments whose columns differ, at columns min, min+1/5, ..., max with the row
// on the segment's line; a row pass likewise takes the segments whose rows
// differ. A segment of length L along a lattice axis gives 5L+1 samples; a
// diagonal is sampled by both passes; empty and zero-length slots give none.
// The set depends only on the lines drawn, not on their direction or on how
// they are split into strokes.
SampleSet SampleSegments(const SegmentList &segments);

// The figure's walk (entries 11..SegmentCount-1) as seen on a sheet, in slot k
// for entry k; every other slot is empty.
SegmentList TrueSegments(const Figure &figure, Sheet sheet);

// The true projection of a sheet: the samples of its TrueSegments.
SampleSet BuildTrueProjection(const Figure &figure, Sheet sheet);

// The comparison of one drawing with the truth.
struct CheckCounts {
    int RightCount = 0;  // drawn samples that lie on the true projection
    int WrongCount = 0;  // true samples missed plus drawn samples off the projection
    int Score() const { return RightCount - WrongCount; }
    CheckCounts &operator+=(const CheckCounts &o)
    {
        RightCount += o.RightCount;
        WrongCount += o.WrongCount;
        return *this;
    }
    friend bool operator==(const CheckCounts &, const CheckCounts &) = default;
};

CheckCounts CompareSamples(const SampleSet &truth, const SampleSet &drawn);
