#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPointF>

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

// Sizes of the marks: on the sheet they follow the cell, in the legend the font.
struct MarkSize {
    qreal ring = 4;   // radius of a missing line's rings
    qreal cross = 4;  // half the width of an extra stroke's cross
    qreal step = 25;  // spacing of rings and crosses along a line
};

QPen Pen(const QColor &colour, qreal width);
void DrawLine(QPainter &p, QPoint a, QPoint b);
std::vector<QPointF> Along(QPointF a, QPointF b, qreal step);
QColor EdgeOf(const QColor &stroke);
void PaintRight(QPainter &p, QPointF a, QPointF b, const QColor &stroke);
void PaintExtra(QPainter &p, QPointF a, QPointF b, const QColor &stroke, const MarkSize &size);
void PaintMissingRings(QPainter &p, QPointF a, QPointF b, const QColor &truth, const MarkSize &size);
void PaintHint(QPainter &p, QPointF a, QPointF b, qreal band);

} // namespace SheetMarksPaint
