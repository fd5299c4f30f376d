#include "core/sheets/segmentlist.h"

namespace {
bool OnLattice(int v) { return v >= LatticeMin && v <= LatticeMax; }
} // namespace

bool Stroke::IsOnLattice() const
{
    return OnLattice(StartCol) && OnLattice(StartRow) && OnLattice(EndCol) && OnLattice(EndRow);
}

bool Stroke::SameLine(const Stroke &other) const
{
    return (Start() == other.Start() && End() == other.End()) || (Start() == other.End() && End() == other.Start());
}
