#include "core/build/builtfigure.h"

#include <algorithm>
#include <cmath>

namespace {

int StepOf(float v)
{
    const float step = (v + 10.0f) / 5.0f;
    return std::round(step) == step ? static_cast<int>(step) : -1;
}

// The unit step from `low` one lattice step along `axis`.
std::size_t StepIndex(LatticePoint3 low, int axis)
{
    // Along the axis 4 positions, across it 5 x 5.
    const int along = low[axis];
    const int a = low[(axis + 1) % 3];
    const int b = low[(axis + 2) % 3];
    return static_cast<std::size_t>(axis * 100 + (along * 5 + a) * 5 + b);
}

// Calls f(low, axis) for every unit step between two points of one axis line.
template <typename F>
void ForEachUnitStep(LatticePoint3 a, LatticePoint3 b, F f)
{
    const std::optional<int> axis = AxisBetween(a, b);
    if (!axis || !a.OnLattice() || !b.OnLattice())
        return;
    LatticePoint3 low = a[*axis] < b[*axis] ? a : b;
    const int high = std::max(a[*axis], b[*axis]);
    for (; low[*axis] < high; ++low[*axis])
        f(low, *axis);
}

} // namespace

Point3 WorldPoint(LatticePoint3 p)
{
    auto world = [](int step) { return static_cast<float>(-10 + 5 * step); };
    return {world(p.x), world(p.y), world(p.z)};
}

std::optional<LatticePoint3> LatticeOf(const Point3 &p)
{
    const LatticePoint3 l{StepOf(p.x), StepOf(p.y), StepOf(p.z)};
    return l.OnLattice() ? std::optional<LatticePoint3>(l) : std::nullopt;
}

std::optional<int> AxisBetween(LatticePoint3 a, LatticePoint3 b)
{
    std::optional<int> axis;
    for (int i = 0; i < 3; ++i) {
        if (a[i] == b[i])
            continue;
        if (axis)
            return std::nullopt;
        axis = i;
    }
    return axis;
}

BuiltFigure::AddOutcome BuiltFigure::Add(const BuiltSegment &segment)
{
    if (!AxisBetween(segment.from, segment.to) || !segment.from.OnLattice() || !segment.to.OnLattice())
        return AddOutcome::NotOnLine;
    const auto same = std::find_if(m_segments.begin(), m_segments.end(),
                                   [&segment](const BuiltSegment &s) { return s.SameLine(segment); });
    if (same != m_segments.end()) {
        m_segments.erase(same);
        return AddOutcome::Erased;
    }
    if (static_cast<int>(m_segments.size()) >= MaxSegments)
        return AddOutcome::Full;
    m_segments.push_back(segment);
    return AddOutcome::Added;
}

SegmentList BuiltFigure::Projection(Sheet sheet) const
{
    SegmentList slots{};
    std::size_t slot = 1;
    for (const BuiltSegment &s : m_segments)
        slots[slot++] = Stroke(FigureToLattice(sheet, WorldPoint(s.from)), FigureToLattice(sheet, WorldPoint(s.to)));
    return slots;
}

UnitSteps BuiltFigure::Steps() const
{
    UnitSteps steps;
    for (const BuiltSegment &s : m_segments)
        ForEachUnitStep(s.from, s.to, [&steps](LatticePoint3 low, int axis) { steps.set(StepIndex(low, axis)); });
    return steps;
}

namespace {

// Calls f(from, to) for each walk entry the view shows, as lattice points.
template <typename F>
void ForEachWalkEntry(const Figure &figure, F f)
{
    for (int i = Figure::FirstShown; i <= figure.LastShown(); ++i) {
        const FigureSegment &e = figure.entry[static_cast<std::size_t>(i)];
        const auto from = LatticeOf(e.start);
        const auto to = LatticeOf(e.end);
        if (from && to)
            f(*from, *to);
    }
}

} // namespace

UnitSteps WalkSteps(const Figure &figure)
{
    UnitSteps steps;
    ForEachWalkEntry(figure, [&steps](LatticePoint3 from, LatticePoint3 to) {
        ForEachUnitStep(from, to, [&steps](LatticePoint3 low, int axis) { steps.set(StepIndex(low, axis)); });
    });
    return steps;
}

std::optional<BuiltSegment> ChooseBuildHint(const Figure &figure, const BuiltFigure &built)
{
    const UnitSteps have = built.Steps();
    std::optional<BuiltSegment> hint;
    ForEachWalkEntry(figure, [&](LatticePoint3 from, LatticePoint3 to) {
        const std::optional<int> axis = AxisBetween(from, to);
        if (hint || !axis)
            return;
        // Walked from its start, so the hints follow the walk.
        const int dir = to[*axis] > from[*axis] ? 1 : -1;
        for (LatticePoint3 p = from; p != to; p[*axis] += dir) {
            LatticePoint3 next = p;
            next[*axis] += dir;
            if (!have.test(StepIndex(dir > 0 ? p : next, *axis))) {
                hint = BuiltSegment{p, next, true};
                return;
            }
        }
    });
    return hint;
}
