#include "figure.h"

#include "randomgenerator.h"

#include <algorithm>

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

} // namespace

void InitObjects(Figure &figure, int segmentCount, RandomGenerator &random)
{
    const auto &frame = FrameEntries();
    std::copy(frame.begin() + 1, frame.end(), figure.entry.begin() + 1);
    segmentCount = std::min(segmentCount, Figure::EntryCount);
    figure.SegmentCount = segmentCount;

    for (int i = Figure::FrameEntries + 1; i <= segmentCount; ++i) {
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
            const bool revisit = std::any_of(figure.entry.begin() + Figure::FirstShown, figure.entry.begin() + i,
                                             [&](const FigureSegment &s) { return s.end == to; });
            if (revisit && attempts <= MaxRefusedRevisits)
                continue;
            figure.entry[i] = {from, to};
            break;
        }
    }
}
