#pragma once

#include "core/sheets/lattice.h"

#include <array>
#include <compare>

// One straight line between two lattice points. All four indices 0 marks an
// empty slot; a stored stroke always has all four in 1..5.
struct Stroke {
    int StartCol = 0;
    int StartRow = 0;
    int EndCol = 0;
    int EndRow = 0;

    Stroke() = default;
    Stroke(int startCol, int startRow, int endCol, int endRow)
        : StartCol(startCol), StartRow(startRow), EndCol(endCol), EndRow(endRow) {}
    Stroke(LatticePoint start, LatticePoint end) : Stroke(start.col, start.row, end.col, end.row) {}

    LatticePoint Start() const { return {StartCol, StartRow}; }
    LatticePoint End() const { return {EndCol, EndRow}; }
    bool IsEmpty() const { return StartCol == 0 && StartRow == 0 && EndCol == 0 && EndRow == 0; }
    // True when all four indices lie on the lattice; anything else is ignored by
    // sampling, so a damaged slot can never turn into points off the sheet.
    bool IsOnLattice() const;
    // The same line drawn either way round.
    bool SameLine(const Stroke &other) const;

    friend auto operator<=>(const Stroke &, const Stroke &) = default;
};

// Slots 1..100 of lattice segments (index 0 unused): the player's strokes on a
// sheet, or the figure's walk as seen on a sheet.
constexpr int SlotCount = 100;
using SegmentList = std::array<Stroke, SlotCount + 1>;
