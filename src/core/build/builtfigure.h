#pragma once

#include "core/figure/figure.h"
#include "core/sheets/lattice.h"
#include "core/sheets/segmentlist.h"

#include <bitset>
#include <compare>
#include <optional>
#include <vector>

// A point of the cube's 5x5x5 lattice by its steps along x, y and z, 0..4:
// step i lies at -10 + 5i, as the figure's walk points do.
struct LatticePoint3 {
    int x = 0;
    int y = 0;
    int z = 0;
    friend auto operator<=>(const LatticePoint3 &, const LatticePoint3 &) = default;

    int &operator[](int axis) { return axis == 0 ? x : axis == 1 ? y : z; }
    int operator[](int axis) const { return axis == 0 ? x : axis == 1 ? y : z; }
    bool OnLattice() const { return x >= 0 && x <= 4 && y >= 0 && y <= 4 && z >= 0 && z <= 4; }
    // 0..124, for sets of points.
    int Index() const { return (x * 5 + y) * 5 + z; }
};
constexpr int LatticeSteps = 4;
constexpr int LatticePointCount = 125;

// The walk's start (10, -10, -10), where each build turn puts its cursor.
constexpr LatticePoint3 WalkStartPoint{4, 0, 0};

Point3 WorldPoint(LatticePoint3 p);
// The lattice point of a walk point; none for a point off the lattice.
std::optional<LatticePoint3> LatticeOf(const Point3 &p);
// The axis (0 x, 1 y, 2 z) of the line through both points, when they differ
// in exactly one coordinate; none otherwise (the same point included).
std::optional<int> AxisBetween(LatticePoint3 a, LatticePoint3 b);

// One segment the player built: two lattice points on one axis line. A hint's
// segment is built by the game and marked so.
struct BuiltSegment {
    LatticePoint3 from;
    LatticePoint3 to;
    bool hint = false;
    // The same two ends, in either order.
    bool SameLine(const BuiltSegment &o) const
    {
        return (from == o.from && to == o.to) || (from == o.to && to == o.from);
    }
    friend bool operator==(const BuiltSegment &, const BuiltSegment &) = default;
};

// The unit steps of the lattice that a set of segments covers: 3 axes x 100
// steps. Two figures made of the same steps are the same figure, however the
// segments split them.
using UnitSteps = std::bitset<3 * 100>;

// The figure a player builds, segments kept in the order built, as strokes are
// on a sheet: building a segment that is already there (either way round)
// erases both, and the figure holds at most MaxSegments.
class BuiltFigure {
public:
    static constexpr int MaxSegments = SlotCount;
    enum class AddOutcome { Added, Erased, Full, NotOnLine };

    AddOutcome Add(const BuiltSegment &segment);
    void Clear() { m_segments.clear(); }
    const std::vector<BuiltSegment> &Segments() const { return m_segments; }
    bool Empty() const { return m_segments.empty(); }

    // The segments as seen on a sheet, in slots 1..count in the order built;
    // one along the sheet's hidden axis is a point.
    SegmentList Projection(Sheet sheet) const;
    UnitSteps Steps() const;

    friend bool operator==(const BuiltFigure &, const BuiltFigure &) = default;

private:
    std::vector<BuiltSegment> m_segments;
};

// One undoable change of the built figure: the whole figure before and after.
struct BuildEdit {
    BuiltFigure before;
    BuiltFigure after;
};

// The unit steps of the figure's walk (the entries the view and the sheets show).
UnitSteps WalkSteps(const Figure &figure);

// A hint: the first unit step of the walk, in the walk's order from its
// start, that the built figure does not cover; none when it covers them all.
std::optional<BuiltSegment> ChooseBuildHint(const Figure &figure, const BuiltFigure &built);
