#include "core/sheets/classify.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>

namespace {

using SampleRun = StrokeSampleRun;
constexpr int MaxSamples = MaxStrokeSamples;

// Splits samples in order into runs of equal status: a run of `true` reaches
// from its first sample to its last, a run of `false` from the sample before it
// to the sample after it (or the ends), so the runs join up without gaps.
template <typename Emit>
void SplitRuns(const SampleRun &at, const std::array<bool, MaxSamples> &status, int n, Emit emit)
{
    for (int i = 0; i < n;) {
        const bool on = status[static_cast<std::size_t>(i)];
        int last = i;
        while (last + 1 < n && status[static_cast<std::size_t>(last + 1)] == on)
            ++last;
        const int from = on || i == 0 ? i : i - 1;
        const int to = on || last + 1 == n ? last : last + 1;
        emit(on, at[static_cast<std::size_t>(from)], at[static_cast<std::size_t>(to)]);
        i = last + 1;
    }
}

LatticePoint Offset(LatticePoint p, int dc, int dr) { return {p.col + dc, p.row + dr}; }

// Calls step(Stroke) for each piece of the segment between neighbouring lattice
// points on its line, from its start to its end; stops early when step returns
// true. Does nothing for a zero-length segment or one off the lattice.
template <typename Step>
void ForEachStep(const Stroke &s, Step step)
{
    if (!s.IsOnLattice() || s.Start() == s.End())
        return;
    const int dc = s.EndCol - s.StartCol;
    const int dr = s.EndRow - s.StartRow;
    const int g = std::gcd(dc, dr);
    LatticePoint at = s.Start();
    for (int i = 0; i < g; ++i) {
        const LatticePoint next = Offset(at, dc / g, dr / g);
        if (step(Stroke(at, next)))
            return;
        at = next;
    }
}

// The truth as maximal straight lines, each from its lower lattice point
// (column, then row) to its higher one, sorted. Segments on one line that
// overlap or touch share their steps, so joining the distinct steps joins
// them all.
std::vector<Stroke> TruthLines(const SegmentList &truth)
{
    std::vector<Stroke> steps;
    steps.reserve(4 * SlotCount);
    for (std::size_t i = 1; i < truth.size(); ++i) {
        ForEachStep(truth[i], [&](Stroke step) {
            steps.push_back(step.End() < step.Start() ? Stroke(step.End(), step.Start()) : step);
            return false;
        });
    }
    std::sort(steps.begin(), steps.end());
    steps.erase(std::unique(steps.begin(), steps.end()), steps.end());
    auto has = [&](const Stroke &step) { return std::binary_search(steps.begin(), steps.end(), step); };

    std::vector<Stroke> lines;
    for (const Stroke &step : steps) {
        const int dc = step.EndCol - step.StartCol;
        const int dr = step.EndRow - step.StartRow;
        if (has(Stroke(Offset(step.Start(), -dc, -dr), step.Start())))
            continue;  // not the first step of its line
        LatticePoint end = step.End();
        while (has(Stroke(end, Offset(end, dc, dr))))
            end = Offset(end, dc, dr);
        lines.emplace_back(step.Start(), end);
    }
    return lines;
}

// Marks the segment's samples; returns how many were new.
int MarkSamples(const Stroke &s, SampleBitmap &bitmap)
{
    SampleRun at;
    const int n = StrokeSamples(s, at);
    int fresh = 0;
    for (int i = 0; i < n; ++i)
        fresh += bitmap.Mark(at[static_cast<std::size_t>(i)]);
    return fresh;
}

SampleBitmap SamplesOf(const SegmentList &segments, int *count = nullptr)
{
    SampleBitmap bitmap;
    int n = 0;
    for (std::size_t i = 1; i < segments.size(); ++i)
        n += MarkSamples(segments[i], bitmap);
    if (count)
        *count = n;
    return bitmap;
}

bool FullyDrawn(const Stroke &step, const SampleBitmap &drawn)
{
    SampleRun at;
    const int n = StrokeSamples(step, at);
    return std::all_of(at.begin(), at.begin() + n, [&](SamplePoint p) { return drawn.Has(p); });
}

} // namespace

std::span<const Piece> SheetClassification::PartsOf(int slot) const
{
    // Plain iterators: clang 14's ranges cannot read libstdc++ 12's subrange,
    // and the fuzz build uses clang.
    const auto first = std::lower_bound(parts.begin(), parts.end(), slot,
                                        [](const Piece &p, int s) { return p.slot < s; });
    const auto last = std::upper_bound(first, parts.end(), slot, [](int s, const Piece &p) { return s < p.slot; });
    return {first, last};
}

SheetClassification Classify(const SegmentList &truth, const SegmentList &strokes)
{
    SheetClassification result;
    const std::vector<Stroke> lines = TruthLines(truth);
    SampleBitmap onTruth;
    int truthCount = 0;
    for (const Stroke &line : lines)
        truthCount += MarkSamples(line, onTruth);

    SampleBitmap drawn;
    SampleRun at;
    std::array<bool, MaxSamples> status{};
    result.parts.reserve(2 * SlotCount);
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const int n = StrokeSamples(strokes[static_cast<std::size_t>(slot)], at);
        for (int i = 0; i < n; ++i) {
            const SamplePoint p = at[static_cast<std::size_t>(i)];
            const bool right = onTruth.Has(p);
            status[static_cast<std::size_t>(i)] = right;
            if (drawn.Mark(p))
                ++(right ? result.RightCount : result.ExtraCount);
        }
        SplitRuns(at, status, n, [&](bool right, SamplePoint from, SamplePoint to) {
            result.parts.push_back({slot, right ? PieceKind::Right : PieceKind::Extra, from, to});
        });
    }
    for (const Stroke &line : lines) {
        const int n = StrokeSamples(line, at);
        for (int i = 0; i < n; ++i)
            status[static_cast<std::size_t>(i)] = drawn.Has(at[static_cast<std::size_t>(i)]);
        SplitRuns(at, status, n, [&](bool covered, SamplePoint from, SamplePoint to) {
            if (!covered)
                result.missing.push_back({0, PieceKind::Missing, from, to});
        });
    }
    result.MissingCount = truthCount - result.RightCount;
    return result;
}

int MissingSampleCount(const SegmentList &truth, const SegmentList &strokes)
{
    int missing = 0;
    SampleBitmap notDrawn = SamplesOf(truth, &missing);
    SampleRun at;
    for (std::size_t i = 1; i < strokes.size(); ++i) {
        const int n = StrokeSamples(strokes[i], at);
        for (int k = 0; k < n; ++k)
            missing -= notDrawn.Take(at[static_cast<std::size_t>(k)]);
    }
    return missing;
}

std::optional<Stroke> ChooseHint(const SegmentList &truth, const SegmentList &strokes, std::span<const Stroke> alreadyHinted)
{
    const SampleBitmap drawn = SamplesOf(strokes);
    std::optional<Stroke> hint;
    for (std::size_t i = 1; i < truth.size() && !hint; ++i) {
        ForEachStep(truth[i], [&](Stroke step) {
            const bool hinted = std::any_of(alreadyHinted.begin(), alreadyHinted.end(),
                                            [&](const Stroke &h) { return h.SameLine(step); });
            if (!hinted && !FullyDrawn(step, drawn))
                hint = step;
            return hint.has_value();
        });
    }
    return hint;
}

std::optional<SheetHint> ChooseSheetHint(const std::array<SegmentList, 3> &truth, const std::array<SegmentList, 3> &strokes,
                                         const std::array<std::vector<Stroke>, 3> &alreadyHinted)
{
    std::optional<SheetHint> best;
    int bestMissing = 0;
    for (Sheet sheet : AllSheets) {
        const auto i = static_cast<std::size_t>(SheetIndex(sheet));
        const std::optional<Stroke> unit = ChooseHint(truth[i], strokes[i], alreadyHinted[i]);
        if (!unit)
            continue;
        const int missing = MissingSampleCount(truth[i], strokes[i]);
        if (!best || missing > bestMissing) {
            best = SheetHint{sheet, *unit};
            bestMissing = missing;
        }
    }
    return best;
}
