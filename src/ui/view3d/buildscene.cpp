#include "ui/view3d/buildscene.h"

#include "core/figure/figure.h"
#include "core/turn/game.h"
#include "core/view3d/viewprojection.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace {

// White dots read on the blue and on every line colour; the far ones are a
// little see-through as well as smaller, so the lattice's depth reads at a
// glance. Sizes are pixels at 100 %.
constexpr float NearDotSize = 9.0f;
constexpr float FarDotSize = 3.0f;
constexpr float FarDotAlpha = 0.55f;

// Lines and marks of the build exercise get a dark edge (the view's ink), so
// the sheets' colours (the safe palette's blue above all) stand out on the blue.
constexpr float EdgeWidth = 1.0f;  // each side
// The walk's start: a disk around a dot.
constexpr float StartMarkSize = 17.0f;
constexpr float StartDotSize = 7.0f;
// A begun segment's start: a disk in the stroke colour.
constexpr float BegunMarkSize = 13.0f;
// The cursor: a bright ring, drawn last.
constexpr float CursorRadius = 11.0f;
constexpr float CursorWidth = 2.5f;

void Vertex(LatticePoint3 p)
{
    const Point3 w = WorldPoint(p);
    glVertex3f(w.x, w.y, w.z);
}

struct Line3 {
    LatticePoint3 from;
    LatticePoint3 to;
    Rgb colour;
};

// Lines with a dark edge and round ends (so two meeting at a corner join
// without a notch): every edge first, then every core, so no edge cuts
// through the core of a line it meets. On software OpenGL each change of
// width costs about as much as a hundred lines, so each pass is one batch of
// lines and one of points, each point once (in the colour of the last line
// that ends there).
void DrawEdged(const std::vector<Line3> &lines, GLfloat width, GLfloat edge, const Rgb &ink)
{
    std::array<const Rgb *, LatticePointCount> ends{};
    for (const Line3 &l : lines)
        ends[static_cast<std::size_t>(l.from.Index())] = ends[static_cast<std::size_t>(l.to.Index())] = &l.colour;
    for (const bool core : {false, true}) {
        const GLfloat w = core ? width : width + 2 * edge;
        glLineWidth(w);
        glBegin(GL_LINES);
        for (const Line3 &l : lines) {
            const Rgb &c = core ? l.colour : ink;
            glColor3f(c.r, c.g, c.b);
            Vertex(l.from);
            Vertex(l.to);
        }
        glEnd();
        glPointSize(w);
        glBegin(GL_POINTS);
        for (int i = 0; i < LatticePointCount; ++i) {
            const Rgb *colour = ends[static_cast<std::size_t>(i)];
            if (!colour)
                continue;
            const Rgb &c = core ? *colour : ink;
            glColor3f(c.r, c.g, c.b);
            Vertex(LatticePoint3{i / 25, i / 5 % 5, i % 5});
        }
        glEnd();
    }
}

// Draws in the view's own pixels (x right, y down, as ViewProjection gives
// them) over the whole framebuffer, then goes back to the 3D projection.
class PixelPass {
public:
    PixelPass(QSize framebuffer, QSizeF widget, int side) : m_side(side)
    {
        glViewport(0, 0, framebuffer.width(), framebuffer.height());
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0, widget.width(), widget.height(), 0, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
    }
    ~PixelPass()
    {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glViewport(0, 0, m_side, m_side);
    }
    PixelPass(const PixelPass &) = delete;
    PixelPass &operator=(const PixelPass &) = delete;

private:
    int m_side;
};

void Disk(const ScreenPoint &at, GLfloat size, const Rgb &c)
{
    glPointSize(size);
    glBegin(GL_POINTS);
    glColor3f(c.r, c.g, c.b);
    glVertex2f(at.x, at.y);
    glEnd();
}

void Ring(const ScreenPoint &at, float radius, GLfloat width, const Rgb &c)
{
    constexpr int Steps = 32;
    glLineWidth(width);
    glBegin(GL_LINE_LOOP);
    glColor3f(c.r, c.g, c.b);
    for (int i = 0; i < Steps; ++i) {
        const double a = 2 * std::numbers::pi * i / Steps;
        glVertex2f(at.x + radius * static_cast<float>(std::cos(a)), at.y + radius * static_cast<float>(std::sin(a)));
    }
    glEnd();
}

// The 125 lattice points in one batch, from far to near so that a near dot
// covers a far one behind it. OpenGL sizes each point by its depth (the point
// size's distance attenuation, size / sqrt(a + b depth)), fitted so that the
// nearest point in view is NearDotSize and the farthest FarDotSize; the far
// ones fade as well. One batch, because a change of point size per dot would
// cost more than all the lines of the figure. Without attenuation (OpenGL
// before 1.4) every dot takes the middle size.
void DrawLatticeDots(const ViewProjection &view, GLfloat scale, PFNGLPOINTPARAMETERFVPROC pointParameters,
                     const Rgb &dot)
{
    std::array<std::pair<float, int>, LatticePointCount> byDepth{};
    std::size_t count = 0;
    for (int i = 0; i < LatticePointCount; ++i) {
        const ScreenPoint s = view.Project(LatticePoint3{i / 25, i / 5 % 5, i % 5});
        if (view.Visible(s))
            byDepth[count++] = {s.depth, i};
    }
    if (count == 0)
        return;
    std::sort(byDepth.begin(), byDepth.begin() + static_cast<std::ptrdiff_t>(count), std::greater<>());
    const float farthest = byDepth[0].first;
    const float nearest = byDepth[count - 1].first;
    const float range = farthest - nearest;
    const float squaredRatio = (NearDotSize / FarDotSize) * (NearDotSize / FarDotSize);
    const float b = range > 1e-3f ? (squaredRatio - 1) / range : 0.0f;
    const std::array<GLfloat, 3> attenuation{1 - b * nearest, b, 0};
    if (pointParameters) {
        glPointSize(NearDotSize * scale);
        pointParameters(GL_POINT_DISTANCE_ATTENUATION, attenuation.data());
    } else {
        glPointSize((NearDotSize + FarDotSize) / 2 * scale);
    }
    glBegin(GL_POINTS);
    for (std::size_t k = 0; k < count; ++k) {
        const auto [depth, i] = byDepth[k];
        const float nearness = range > 1e-3f ? (farthest - depth) / range : 1.0f;
        glColor4f(dot.r, dot.g, dot.b, FarDotAlpha + (1 - FarDotAlpha) * nearness);
        Vertex(LatticePoint3{i / 25, i / 5 % 5, i % 5});
    }
    glEnd();
    if (pointParameters) {
        const std::array<GLfloat, 3> none{1, 0, 0};
        pointParameters(GL_POINT_DISTANCE_ATTENUATION, none.data());
    }
}

} // namespace

void BuildScene::Draw() const
{
    const BuildInput &in = game.Builder();
    const MarkColours &marks = colours.sheet.Marks(safePalette);
    const Rgb &stroke = marks.stroke;
    const Rgb &truth = marks.truth;
    const Rgb &hint = colours.sheet.hint;
    const ViewColours &own = colours.view;
    const GLfloat edge = EdgeWidth * scale;

    glEnable(GL_POINT_SMOOTH);
    DrawLatticeDots(view, scale, reinterpret_cast<PFNGLPOINTPARAMETERFVPROC>(pointParameters), own.dot);

    // The generated walk first, under the player's figure.
    if (showGenerated) {
        const Figure &figure = game.CurrentFigure();
        std::vector<Line3> walk;
        for (int i = Figure::FirstShown; i <= figure.LastShown(); ++i) {
            const FigureSegment &e = figure.entry[static_cast<std::size_t>(i)];
            const auto from = LatticeOf(e.start);
            const auto to = LatticeOf(e.end);
            if (from && to && from != to)
                walk.push_back({*from, *to, truth});
        }
        DrawEdged(walk, lineWidth, edge, own.ink);
    }
    if (showBuilt) {
        std::vector<Line3> built;
        for (const BuiltSegment &b : game.Built().Segments())
            built.push_back({b.from, b.to, b.hint ? hint : stroke});
        DrawEdged(built, lineWidth, edge, own.ink);
    }

    // The rubber band: dashed, to tell it from what is built.
    if (bandEnd && AxisBetween(in.BegunAt(), *bandEnd)) {
        glEnable(GL_LINE_STIPPLE);
        glLineStipple(std::max(1, static_cast<int>(std::lround(scale))), 0x0FFF);
        for (const bool core : {false, true}) {
            const Rgb &c = core ? stroke : own.ink;
            glLineWidth(core ? lineWidth : lineWidth + 2 * edge);
            glBegin(GL_LINES);
            glColor3f(c.r, c.g, c.b);
            Vertex(in.BegunAt());
            Vertex(*bandEnd);
            glEnd();
        }
        glDisable(GL_LINE_STIPPLE);
    }

    {
        const PixelPass pixels(framebuffer, widget, viewportSide);
        const ScreenPoint start = view.Project(WalkStartPoint);
        if (view.Visible(start)) {
            Disk(start, StartMarkSize * scale, own.start);
            Disk(start, StartDotSize * scale, own.dot);
        }
        const ScreenPoint begun = view.Project(in.BegunAt());
        if (bandEnd && view.Visible(begun)) {
            Disk(begun, (BegunMarkSize + 2 * EdgeWidth) * scale, own.ink);
            Disk(begun, BegunMarkSize * scale, stroke);
        }
        const ScreenPoint cursor = view.Project(in.Cursor());
        if (!in.Locked() && view.Visible(cursor)) {
            Ring(cursor, CursorRadius, (CursorWidth + 2 * EdgeWidth) * scale, own.ink);
            Ring(cursor, CursorRadius, CursorWidth * scale, own.cursor);
        }
    }
    glDisable(GL_POINT_SMOOTH);
}
