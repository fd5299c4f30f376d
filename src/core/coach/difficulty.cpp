#include "core/coach/difficulty.h"

#include "core/build/builtfigure.h"
#include "core/figure/randomgenerator.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {

struct Step {
    LatticePoint3 from;
    LatticePoint3 to;
    int axis = 0;
    int sign = 0;
};

std::vector<Step> WalkOf(const Figure &figure)
{
    std::vector<Step> steps;
    for (int i = Figure::FirstShown + 1; i <= figure.LastShown(); ++i) {
        const std::optional<LatticePoint3> a = LatticeOf(figure.entry[static_cast<std::size_t>(i)].start);
        const std::optional<LatticePoint3> b = LatticeOf(figure.entry[static_cast<std::size_t>(i)].end);
        if (!a || !b)
            continue;
        const std::optional<int> axis = AxisBetween(*a, *b);
        if (!axis)
            continue;
        steps.push_back({*a, *b, *axis, (*b)[*axis] > (*a)[*axis] ? 1 : -1});
    }
    return steps;
}

// The sheet that sees an axis end-on, and the two axes it shows: X looks
// along z, Y along y, Z along x.
constexpr std::array<std::array<int, 2>, 3> ShownAxes{{{0, 1}, {0, 2}, {1, 2}}};

} // namespace

FigureFeatures ComputeFeatures(const Figure &figure)
{
    const std::vector<Step> walk = WalkOf(figure);
    FigureFeatures f;
    f.shown = static_cast<int>(walk.size());
    for (std::size_t i = 0; i < walk.size(); ++i) {
        if (i > 0 && (walk[i].axis != walk[i - 1].axis || walk[i].sign != walk[i - 1].sign))
            ++f.turns;
        if (i > 0 && i + 1 < walk.size() && walk[i - 1].axis == walk[i + 1].axis && walk[i - 1].axis != walk[i].axis)
            ++f.endOn;
    }
    // Unit pieces per sheet: 2 directions x 5 x 4 on a 5x5 lattice.
    for (const auto &axes : ShownAxes) {
        std::array<int, 2 * 5 * 5> cover{};
        for (const Step &s : walk) {
            const int along = s.axis == axes[0] ? 0 : s.axis == axes[1] ? 1 : -1;
            if (along < 0)
                continue;  // end-on here: a point draws no piece
            const int across = s.from[axes[1 - along]];
            const int lo = std::min(s.from[s.axis], s.to[s.axis]);
            const int hi = std::max(s.from[s.axis], s.to[s.axis]);
            for (int u = lo; u < hi; ++u)
                ++cover[static_cast<std::size_t>((along * 5 + across) * 5 + u)];
        }
        for (int c : cover)
            f.overlaps += std::max(0, c - 1);
    }
    return f;
}

FigureFeatures FeaturesOf(int level, std::uint32_t seed)
{
    Figure figure;
    RandomGenerator random(seed);
    InitObjects(figure, SegmentCountForLevel(level), random);
    return ComputeFeatures(figure);
}

double Difficulty(const FigureFeatures &f, const DifficultyWeights &w)
{
    return w.bias + w.w[0] * f.shown + w.w[1] * f.endOn + w.w[2] * f.overlaps + w.w[3] * f.turns;
}

double Logistic(double x)
{
    return 1.0 / (1.0 + std::exp(-x));
}
