#include "sampling.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int Unit = SamplePoint::Unit;
constexpr int SamplesPerStep = GridSteps + 1;  // a sample every fifth of a step
constexpr int SampleStep = Unit / SamplesPerStep;

// Walks `along` from the smaller to the larger end in fifths of a step and
// puts the point of the line on `across` at each; `emit` gets (along, across)
// in sixtieths. The division is exact because |dAlong| <= 4 divides 12 * k * d.
template <typename Emit>
void SamplePass(int along1, int across1, int along2, int across2, Emit emit)
{
    const int dAlong = along2 - along1;
    const int dAcross = across2 - across1;
    const int from = std::min(along1, along2) * Unit;
    const int to = std::max(along1, along2) * Unit;
    for (int t = from; t <= to; t += SampleStep) {
        const int across = across1 * Unit + (t - along1 * Unit) * dAcross / dAlong;
        emit(t, across);
    }
}

} // namespace

SampleSet SampleSegments(const SegmentList &segments)
{
    SampleSet samples;
    for (std::size_t i = 1; i < segments.size(); ++i) {
        const Stroke &s = segments[i];
        if (!s.IsOnLattice())
            continue;
        if (s.StartCol != s.EndCol)
            SamplePass(s.StartCol, s.StartRow, s.EndCol, s.EndRow,
                       [&](int col, int row) { samples.push_back({col, row}); });
        if (s.StartRow != s.EndRow)
            SamplePass(s.StartRow, s.StartCol, s.EndRow, s.EndCol,
                       [&](int row, int col) { samples.push_back({col, row}); });
    }
    std::sort(samples.begin(), samples.end());
    samples.erase(std::unique(samples.begin(), samples.end()), samples.end());
    return samples;
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
