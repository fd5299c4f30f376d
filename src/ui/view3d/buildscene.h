#pragma once

#include "core/build/builtfigure.h"
#include "core/look/look.h"

#include <QSize>
#include <QtGlobal>

#include <optional>

class Game;
class ViewProjection;

// The build exercise's picture in the 3D view: the cube's lattice points
// (nearer ones larger), the walk's start, the segments built so far with dark
// edges, a begun segment's rubber band, the cursor and, once checked, the
// generated walk. It draws with fixed-function OpenGL into the current
// context, over the frame and the axis edges the view drew already and in the
// view's 3D projection, and leaves the matrices and the viewport as it found
// them. The view decides what is shown; the scene only draws it.
struct BuildScene {
    const Game &game;
    const ViewProjection &view;
    float scale = 1;      // device pixels per pixel at 100 %
    float lineWidth = 1;  // the segments' width, in device pixels
    const LookColours &colours;  // built segments take the sheets' stroke colours
    bool safePalette = false;
    bool showGenerated = false;  // the generated walk, under the player's figure
    bool showBuilt = true;       // the player's segments
    // Where a begun segment's rubber band ends; none when no band is drawn.
    std::optional<LatticePoint3> bandEnd;
    // The marks are drawn in the view's own pixels over the whole
    // framebuffer, then the 3D viewport (a square of this side) comes back.
    QSize framebuffer{1, 1};
    QSizeF widget{1, 1};
    int viewportSide = 1;
    // glPointParameterfv, for dots sized by their depth (OpenGL 1.4); without
    // it every dot takes the middle size.
    QFunctionPointer pointParameters = nullptr;

    void Draw() const;
};
