#pragma once

#include "core/figure/figure.h"

#include <compare>

constexpr int GridSteps = 4;
constexpr int LatticeMin = 1;
constexpr int LatticeMax = GridSteps + 1;

// The three drawing sheets, always handled in this order.
enum class Sheet { X, Y, Z };
constexpr std::array<Sheet, 3> AllSheets{Sheet::X, Sheet::Y, Sheet::Z};
constexpr int SheetIndex(Sheet s) { return static_cast<int>(s); }

struct LatticePoint {
    int col = 0;
    int row = 0;
    friend auto operator<=>(const LatticePoint &, const LatticePoint &) = default;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint &, const PixelPoint &) = default;
};

// A sheet's 5x5 lattice: column 1..5 left to right, row 1..5 top to bottom,
// point (c, r) at pixel (c * CellWidth, r * CellHeight), so the lattice starts
// one cell in from the top-left corner. One pair of cell sizes serves all three
// sheets; both are at least 1.
struct SheetLattice {
    int CellWidth = 1;
    int CellHeight = 1;

    // Nearest lattice column/row of a pixel: half-way goes to the higher index,
    // anything outside the lattice to the nearest border point.
    int SnapColumn(long long x) const { return SnapIndex(x, CellWidth); }
    int SnapRow(long long y) const { return SnapIndex(y, CellHeight); }
    LatticePoint Snap(long long x, long long y) const { return {SnapColumn(x), SnapRow(y)}; }

    PixelPoint Pixel(LatticePoint p) const { return {p.col * CellWidth, p.row * CellHeight}; }

private:
    static int SnapIndex(long long pos, int cell);
};

// Which two figure axes a sheet shows: X shows (x, y), Y shows (x, z), Z shows
// (y, z); h runs left to right, v bottom to top.
struct SheetAxes {
    float h;
    float v;
};
SheetAxes ProjectOnSheet(Sheet sheet, const Point3 &p);

// Lattice point of a figure point on a sheet: -10..10 in steps of 5 map to
// columns 1..5 and, with the vertical axis pointing up, rows 5..1.
LatticePoint FigureToLattice(Sheet sheet, const Point3 &p);
