#pragma once

#include "core/sheets/classify.h"

#include <vector>

// What a piece of a checked sheet stands for in 3D, to light it in the 3D
// view. A right or missing piece is made by walk entries: those whose view on
// the sheet runs along the piece. An extra piece lies where the
// figure is not: the player imagined depth there, so it lights the lines along
// the sheet's hidden axis through the lattice points the piece passes (its
// nearest lattice points when it passes none), every depth at which the
// drawing could have meant the figure to be.
std::vector<FigureSegment> LinkedSegments(const Figure &figure, Sheet sheet, const Piece &piece);

// The piece of a checked sheet that a lattice point of the sheet lies on, for
// the keyboard's cursor: missing pieces first, then the drawing's pieces.
const Piece *PieceAt(const SheetClassification &c, LatticePoint p);
