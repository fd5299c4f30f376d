#include "core/sheets/sampling.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
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
    // Every sample lies in the lattice's square, columns and rows 1..5 in
    // sixtieths. A bitmap of that square collects them; read out column by
    // column it gives them sorted and without duplicates, with no sort.
    constexpr int Low = LatticeMin * Unit;
    constexpr int Side = (LatticeMax - LatticeMin) * Unit + 1;
    constexpr std::size_t Words = (static_cast<std::size_t>(Side) * Side + 63) / 64;
    std::array<std::uint64_t, Words> bits{};
    std::size_t marked = 0;
    auto mark = [&](int col, int row) {
        const auto i = static_cast<std::size_t>((col - Low) * Side + (row - Low));
        const std::uint64_t bit = std::uint64_t{1} << (i % 64);
        marked += (bits[i / 64] & bit) == 0;
        bits[i / 64] |= bit;
    };
    for (std::size_t i = 1; i < segments.size(); ++i) {
        const Stroke &s = segments[i];
        if (!s.IsOnLattice())
            continue;
        if (s.StartCol != s.EndCol)
            SamplePass(s.StartCol, s.StartRow, s.EndCol, s.EndRow, [&](int col, int row) { mark(col, row); });
        if (s.StartRow != s.EndRow)
            SamplePass(s.StartRow, s.StartCol, s.EndRow, s.EndCol, [&](int row, int col) { mark(col, row); });
    }
    SampleSet samples;
    samples.reserve(marked);
    for (std::size_t w = 0; w < Words; ++w) {
        for (std::uint64_t word = bits[w]; word != 0; word &= word - 1) {
            const auto i = static_cast<int>(w * 64) + std::countr_zero(word);
            samples.push_back({Low + i / Side, Low + i % Side});
        }
    }
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
