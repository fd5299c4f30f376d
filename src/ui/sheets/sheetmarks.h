#pragma once

#include "core/sheets/classify.h"
#include "core/sheets/lattice.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPointF>

#include <optional>
#include <vector>

// How the marks of a revealed sheet are drawn: right, extra and missing pieces
// in styles that tell apart in greyscale, and a hint's glow. Shared by the
// sheet and its legend.
namespace SheetMarksPaint {

// The width of lines on a sheet: strokes, the truth and the axes.
constexpr int LineWidth = 3;
// A right stroke: a wider core in the stroke colour inside a dark edge.
constexpr int RightCoreWidth = 5;
constexpr int RightEdgeWidth = 9;

// The colours of the marks, from the look's table (MarkColours and the
// sheet's ring fill).
struct MarkInk {
    QColor stroke;
    QColor edge;
    QColor truth;
    QColor ringFill;
};

// Sizes of the marks: on the sheet they follow the cell, in the legend the font.
struct MarkSize {
    qreal ring = 4;   // radius of a missing line's rings
    qreal cross = 4;  // half the width of an extra stroke's cross
    qreal step = 25;  // spacing of rings and crosses along a line
};

QPen Pen(const QColor &colour, qreal width);
void DrawLine(QPainter &p, QPoint a, QPoint b);
std::vector<QPointF> Along(QPointF a, QPointF b, qreal step);
void PaintRight(QPainter &p, QPointF a, QPointF b, const MarkInk &ink);
void PaintExtra(QPainter &p, QPointF a, QPointF b, const MarkInk &ink, const MarkSize &size);
void PaintMissingRings(QPainter &p, QPointF a, QPointF b, const MarkInk &ink, const MarkSize &size);
// A hint's wash (painted see-through) with a dotted core along it.
void PaintHint(QPainter &p, QPointF a, QPointF b, qreal band, const QColor &wash, const QColor &core);
// Text in a margin, at the font's size or smaller until it fits maxWidth;
// nothing when it would need less than smallest pixels.
void PaintMarginText(QPainter &p, const QRect &margin, QFont font, int pixels, int smallest, int maxWidth,
                     const QString &text, const QColor &colour, Qt::Alignment align);
// The piece of a checked sheet within `reach` pixels of a point (missing
// pieces first, then the drawing's), for lighting it in the 3D view.
std::optional<Piece> PieceNear(const SheetClassification &c, const SheetLattice &lattice, QPointF at, qreal reach);

} // namespace SheetMarksPaint
