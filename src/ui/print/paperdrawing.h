#pragma once

#include "core/figure/figure.h"
#include "core/sheets/lattice.h"
#include "core/sheets/segmentlist.h"

#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

// The pieces of a printed worksheet, drawn as vector lines and text in the
// painter's device coordinates, so a PDF or a printer gets them sharp at any
// size. Every length is given in millimetres and turned into device units with
// the paper's scale; everything stays inside the box it is given. Only black
// and greys: a worksheet is printed on whatever printer the school has.
struct Paper {
    double mm = 1.0;  // device units per millimetre

    double operator()(double millimetres) const { return millimetres * mm; }
    // A font of this size in points, whatever the device's resolution.
    static QFont Font(double points, bool bold = false);
};

// Text in a box, in a font shrunk (down to a third of its size) until it fits
// on one line, and elided if even that is too wide.
void DrawFittedText(QPainter &p, const QRectF &box, const QString &text, QFont font, int flags);

// The figure as the 3D view shows it at the start of a turn, with the same
// camera and perspective: the frame's three cube faces in grey, its axis
// edges a little darker, and the walk in black with its start as a dot. Left
// of the cube, three small arrows named x, y and z show which way the axes run
// in the picture. The cube fills the rest of the box at the same scale for
// every figure.
void DrawFigurePicture(QPainter &p, const Paper &paper, const QRectF &box, const Figure &figure);

// A drawing sheet as the game shows it: its name above it ("Sheet X: from the
// front"), the 5x5 lattice of dots one cell in from the sheet's edge, and its
// two axes named along the left and bottom. With a truth, the sheet's true
// projection is drawn on it in black (the walk's start as a dot).
void DrawPaperSheet(QPainter &p, const Paper &paper, const QRectF &box, Sheet sheet,
                    const SegmentList *truth = nullptr);

// An isometric grid of small dots to sketch a figure in 3D on, in a thin frame.
void DrawIsometricDots(QPainter &p, const Paper &paper, const QRectF &box);
