#include "core/figure/figure.h"

#include "core/figure/randomgenerator.h"

#include <algorithm>
#include <bitset>

const std::array<FigureSegment, Figure::FrameEntries + 1> &FrameEntries()
{
    static const std::array<FigureSegment, Figure::FrameEntries + 1> frame{{
        {},
        {{-10, -10, -10}, {10, -10, -10}},
        {{10, -10, -10}, {10, 10, -10}},
        {{10, 10, -10}, {10, 10, 10}},
        {{-10, -10, -10}, {-10, 10, -10}},
        {{-10, 10, -10}, {10, 10, -10}},
        {{-10, 10, -10}, {-10, 10, 10}},
        {{-10, 10, 10}, {10, 10, 10}},
        {{-10, -10, -10}, {-10, -10, 10}},
        {{-10, 10, -10}, {-10, 10, 10}},
        {{-10, -10, 10}, {-10, 10, 10}},
        {{10, -10, -10}, {10, -10, -10}},
    }};
    return frame;
}

namespace {

bool InsideCube(const Point3 &p)
{
    auto inside = [](float v) { return v >= -10.0f && v <= 10.0f; };
    return inside(p.x) && inside(p.y) && inside(p.z);
}

// Refusals of revisits per entry; the candidate after them is taken anyway, so
// a walk boxed in by its own points still finishes.
constexpr int MaxRefusedRevisits = 50;

// Index of a walk point in the 5x5x5 lattice of the cube (coordinates are
// -10..10 in steps of 5).
int LatticeIndex(const Point3 &p)
{
    auto step = [](float v) { return static_cast<int>(v + 10.0f) / 5; };
    return (step(p.x) * 5 + step(p.y)) * 5 + step(p.z);
}

} // namespace

void InitObjects(Figure &figure, int segmentCount, RandomGenerator &random)
{
    const auto &frame = FrameEntries();
    std::copy(frame.begin() + 1, frame.end(), figure.entry.begin() + 1);
    segmentCount = std::min(segmentCount, Figure::EntryCount);
    figure.SegmentCount = segmentCount;

    // The walk's points so far (the ends of entries FirstShown..i-1).
    std::bitset<125> visited;
    visited.set(static_cast<std::size_t>(LatticeIndex(figure.entry[Figure::FirstShown].end)));
    for (std::size_t i = Figure::FrameEntries + 1; i <= static_cast<std::size_t>(std::max(segmentCount, 0)); ++i) {
        const Point3 from = figure.entry[i - 1].end;
        int attempts = 0;
        for (;;) {
            const auto axis = random.Draw(3);
            const float step = (static_cast<float>(random.Draw(8)) - 4.0f) * 5.0f;
            Point3 to = from;
            (axis == 0 ? to.x : axis == 1 ? to.y : to.z) += step;
            if (!InsideCube(to) || step == 0.0f)
                continue;
            ++attempts;
            const auto at = static_cast<std::size_t>(LatticeIndex(to));
            if (visited.test(at) && attempts <= MaxRefusedRevisits)
                continue;
            figure.entry[i] = {from, to};
            visited.set(at);
            break;
        }
    }
}
