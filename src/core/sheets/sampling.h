#pragma once

#include "core/figure/figure.h"
#include "core/sheets/segmentlist.h"

#include <array>
#include <compare>
#include <cstdint>
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

// A stroke has at most one sample per fifth of a step along each axis.
constexpr int MaxStrokeSamples = 2 * ((LatticeMax - LatticeMin) * (GridSteps + 1) + 1);
using StrokeSampleRun = std::array<SamplePoint, MaxStrokeSamples>;

// The one sampling rule that scoring, classification and hints share: the
// samples of a stroke in order from its start to its end, those at every fifth
// of a column and those at every fifth of a row, merged by how far along the
// stroke they lie. Returns the count; 0 for a zero-length stroke or one off
// the lattice.
int StrokeSamples(const Stroke &s, StrokeSampleRun &out);

// Which samples of the lattice's square are set: a bit test instead of a
// search keeps scoring and classifying a full sheet within microseconds.
class SampleBitmap {
public:
    // Returns true when the sample was not set yet, so callers count each
    // sample once as they go (a popcount is a library call on the baseline CPU).
    bool Mark(SamplePoint p)
    {
        const std::size_t i = Index(p);
        const std::uint64_t bit = std::uint64_t{1} << (i % 64);
        const bool fresh = (m_bits[i / 64] & bit) == 0;
        m_bits[i / 64] |= bit;
        return fresh;
    }
    // Clears the sample; returns whether it was set.
    bool Take(SamplePoint p)
    {
        const std::size_t i = Index(p);
        const std::uint64_t bit = std::uint64_t{1} << (i % 64);
        const bool was = (m_bits[i / 64] & bit) != 0;
        m_bits[i / 64] &= ~bit;
        return was;
    }
    bool Has(SamplePoint p) const
    {
        const std::size_t i = Index(p);
        return (m_bits[i / 64] >> (i % 64) & 1) != 0;
    }
    // The samples set, sorted and without duplicates.
    std::vector<SamplePoint> Samples(std::size_t count) const;

private:
    static constexpr int Low = LatticeMin * SamplePoint::Unit;
    static constexpr int Side = (LatticeMax - LatticeMin) * SamplePoint::Unit + 1;
    static constexpr std::size_t Words = (static_cast<std::size_t>(Side) * Side + 63) / 64;
    static std::size_t Index(SamplePoint p) { return static_cast<std::size_t>((p.col - Low) * Side + (p.row - Low)); }

    std::array<std::uint64_t, Words> m_bits{};
};

// Samples every segment every 1/5 lattice step (StrokeSamples). A column pass takes the
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
