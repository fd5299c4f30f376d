#include "core/sheets/linking.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int Unit = SamplePoint::Unit;

// Whether p lies on the segment from a to b (all in sixtieths).
bool OnSegment(SamplePoint a, SamplePoint b, SamplePoint p)
{
    const long long cross = static_cast<long long>(b.col - a.col) * (p.row - a.row) -
                            static_cast<long long>(b.row - a.row) * (p.col - a.col);
    return cross == 0 &&  p.col >= std::min(a.col, b.col) && p.col <= std::max(a.col, b.col) &&
           p.row >= std::min(a.row, b.row) && p.row <= std::max(a.row, b.row);
}

SamplePoint AtNode(LatticePoint p) { return {p.col * Unit, p.row * Unit}; }

long long Cross(SamplePoint a, SamplePoint b, SamplePoint p)
{
    return static_cast<long long>(b.col - a.col) * (p.row - a.row) - static_cast<long long>(b.row - a.row) * (p.col - a.col);
}

// Whether the segment a-b runs along the piece for more than a point (or,
// for a piece of one sample, through it).
bool Overlaps(SamplePoint a, SamplePoint b, const Piece &piece)
{
    if (piece.from == piece.to)
        return OnSegment(a, b, piece.from);
    if (Cross(piece.from, piece.to, a) != 0 || Cross(piece.from, piece.to, b) != 0)
        return false;
    // Positions along the piece's direction.
    const long long dc = piece.to.col - piece.from.col;
    const long long dr = piece.to.row - piece.from.row;
    auto along = [&](SamplePoint p) { return (p.col - piece.from.col) * dc + (p.row - piece.from.row) * dr; };
    const long long lo = std::max(std::min(along(a), along(b)), 0LL);
    const long long hi = std::min(std::max(along(a), along(b)), dc * dc + dr * dr);
    return hi > lo;
}

LatticePoint NearestNode(SamplePoint p)
{
    auto snap = [](int v) { return std::clamp((v + Unit / 2) / Unit, LatticeMin, LatticeMax); };
    return {snap(p.col), snap(p.row)};
}

// The line along the sheet's hidden axis through a lattice point of the sheet.
FigureSegment DepthLine(Sheet sheet, LatticePoint node)
{
    const float h = static_cast<float>(-10 + 5 * (node.col - LatticeMin));
    const float v = static_cast<float>(10 - 5 * (node.row - LatticeMin));
    switch (sheet) {
    case Sheet::X: return {{h, v, -10}, {h, v, 10}};
    case Sheet::Y: return {{h, -10, v}, {h, 10, v}};
    case Sheet::Z: return {{-10, h, v}, {10, h, v}};
    }
    return {};
}

} // namespace

std::vector<FigureSegment> LinkedSegments(const Figure &figure, Sheet sheet, const Piece &piece)
{
    std::vector<FigureSegment> linked;
    if (piece.kind != PieceKind::Extra) {
        for (int i = Figure::FirstShown + 1; i <= figure.LastShown(); ++i) {
            const FigureSegment &e = figure.entry[static_cast<std::size_t>(i)];
            if (Overlaps(AtNode(FigureToLattice(sheet, e.start)), AtNode(FigureToLattice(sheet, e.end)), piece))
                linked.push_back(e);
        }
        return linked;
    }
    for (int col = LatticeMin; col <= LatticeMax; ++col)
        for (int row = LatticeMin; row <= LatticeMax; ++row)
            if (OnSegment(piece.from, piece.to, AtNode({col, row})))
                linked.push_back(DepthLine(sheet, {col, row}));
    if (linked.empty())
        for (const LatticePoint node : {NearestNode(piece.from), NearestNode(piece.to)})
            if (linked.empty() || !(linked.front() == DepthLine(sheet, node)))
                linked.push_back(DepthLine(sheet, node));
    return linked;
}

const Piece *PieceAt(const SheetClassification &c, LatticePoint p)
{
    for (const std::vector<Piece> *pieces : {&c.missing, &c.parts})
        for (const Piece &piece : *pieces)
            if (OnSegment(piece.from, piece.to, AtNode(p)))
                return &piece;
    return nullptr;
}
