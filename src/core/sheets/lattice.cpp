#include "core/sheets/lattice.h"

#include <algorithm>
#include <cmath>

int SheetLattice::SnapIndex(long long pos, int cell)
{
    const long long c = std::max(cell, 1);
    // Anything more than a cell beyond the lattice snaps to its border, so the
    // position is clamped first: pos + c / 2 must not overflow for the largest.
    pos = std::clamp<long long>(pos, 0, (LatticeMax + 1) * c);
    const long long index = (pos + c / 2) / c;
    return static_cast<int>(std::clamp<long long>(index, LatticeMin, LatticeMax));
}

SheetAxes ProjectOnSheet(Sheet sheet, const Point3 &p)
{
    switch (sheet) {
    case Sheet::X: return {p.x, p.y};
    case Sheet::Y: return {p.x, p.z};
    case Sheet::Z: return {p.y, p.z};
    }
    return {p.x, p.y};
}

LatticePoint FigureToLattice(Sheet sheet, const Point3 &p)
{
    const SheetAxes a = ProjectOnSheet(sheet, p);
    const int col = static_cast<int>(std::trunc(a.h + 10.0f)) / 5 + 1;
    const int row = static_cast<int>(std::trunc(10.0f - a.v)) / 5 + 1;
    return {col, row};
}
