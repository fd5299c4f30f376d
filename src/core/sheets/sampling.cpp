#include "core/sheets/sampling.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstdint>
#include <iterator>

namespace {

constexpr int Unit = SamplePoint::Unit;
constexpr int SampleStep = Unit / (GridSteps + 1);  // a sample every fifth of a step

int Sign(int v) { return (v > 0) - (v < 0); }

} // namespace

int StrokeSamples(const Stroke &s, StrokeSampleRun &out)
{
    if (!s.IsOnLattice())
        return 0;
    const int dc = s.EndCol - s.StartCol;
    const int dr = s.EndRow - s.StartRow;
    const int nc = std::abs(dc) * (GridSteps + 1);  // fifths along the columns
    const int nr = std::abs(dr) * (GridSteps + 1);
    if (nc == 0 && nr == 0)
        return 0;
    // Exact: |dc| and |dr| are at most 4, and each divides 12.
    const int col = s.StartCol * Unit;
    const int row = s.StartRow * Unit;
    auto columnSample = [&](int k) {
        return SamplePoint{col + Sign(dc) * SampleStep * k, row + SampleStep * k * dr / std::abs(dc)};
    };
    auto rowSample = [&](int j) {
        return SamplePoint{col + SampleStep * j * dc / std::abs(dr), row + Sign(dr) * SampleStep * j};
    };
    int n = 0;
    auto put = [&](SamplePoint p) { out[static_cast<std::size_t>(n++)] = p; };
    // Along a row or a column (every line of a figure's projection) the
    // other coordinate stays put: no division per sample.
    if (nr == 0) {
        for (int k = 0, step = Sign(dc) * SampleStep; k <= nc; ++k)
            put({col + step * k, row});
        return n;
    }
    if (nc == 0) {
        for (int j = 0, step = Sign(dr) * SampleStep; j <= nr; ++j)
            put({col, row + step * j});
        return n;
    }
    // Column sample k lies k/nc along the segment, row sample j at j/nr; both
    // passes start and end at the segment's ends.
    for (int k = 0, j = 0; k <= nc || j <= nr;) {
        const int kAt = k * nr;
        const int jAt = j * nc;
        if (j > nr || (k <= nc && kAt < jAt)) {
            put(columnSample(k++));
        } else if (k > nc || jAt < kAt) {
            put(rowSample(j++));
        } else {  // one point on both passes
            put(columnSample(k++));
            ++j;
        }
    }
    return n;
}


std::vector<SamplePoint> SampleBitmap::Samples(std::size_t count) const
{
    // Read out column by column, the bits give the samples sorted, with no sort.
    std::vector<SamplePoint> samples;
    samples.reserve(count);
    for (std::size_t w = 0; w < Words; ++w) {
        for (std::uint64_t word = m_bits[w]; word != 0; word &= word - 1) {
            const auto i = static_cast<int>(w * 64) + std::countr_zero(word);
            samples.push_back({Low + i / Side, Low + i % Side});
        }
    }
    return samples;
}

SampleSet SampleSegments(const SegmentList &segments)
{
    SampleBitmap bits;
    std::size_t marked = 0;
    StrokeSampleRun run;
    for (std::size_t i = 1; i < segments.size(); ++i) {
        const int n = StrokeSamples(segments[i], run);
        for (int k = 0; k < n; ++k)
            marked += bits.Mark(run[static_cast<std::size_t>(k)]);
    }
    return bits.Samples(marked);
}

SegmentList TrueSegments(const Figure &figure, Sheet sheet)
{
    SegmentList segments{};
    const int last = std::min(figure.LastShown(), SlotCount);
    for (int k = Figure::FirstShown; k <= last; ++k) {
        const FigureSegment &e = figure.entry[static_cast<std::size_t>(k)];
        segments[static_cast<std::size_t>(k)] = Stroke(FigureToLattice(sheet, e.start), FigureToLattice(sheet, e.end));
    }
    return segments;
}

SampleSet BuildTrueProjection(const Figure &figure, Sheet sheet)
{
    return SampleSegments(TrueSegments(figure, sheet));
}

CheckCounts CompareSamples(const SampleSet &truth, const SampleSet &drawn)
{
    SampleSet common;
    std::set_intersection(truth.begin(), truth.end(), drawn.begin(), drawn.end(), std::back_inserter(common));
    const int right = static_cast<int>(common.size());
    const int missed = static_cast<int>(truth.size()) - right;
    const int extra = static_cast<int>(drawn.size()) - right;
    return {right, missed + extra};
}
