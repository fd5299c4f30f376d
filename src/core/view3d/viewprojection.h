#pragma once

#include "core/build/builtfigure.h"
#include "core/view3d/camera.h"

#include <array>
#include <optional>

// Where a point of the figure lands in the 3D view, computed as OpenGL draws
// it (the camera's perspective or sheet projection, its eye, the viewport on
// the view's top square), so that a click picks the point the player sees.
// Positions are in the view's own pixels, x to the right and y down, at any
// device pixel ratio.
struct ScreenPoint {
    float x = 0;
    float y = 0;
    float depth = 0;  // distance in front of the eye along its line of sight
};

class ViewProjection {
public:
    // The camera at the zoom drawn now (a wheel zoom glides), in a view of
    // this width and height.
    ViewProjection(const Camera &camera, float shownZoom, float width, float height);

    ScreenPoint Project(const Point3 &p) const;
    ScreenPoint Project(LatticePoint3 p) const { return m_lattice[static_cast<std::size_t>(p.Index())]; }
    // Whether a point lies in front of the eye, where the view can show it.
    bool Visible(const ScreenPoint &p) const { return p.depth >= Camera::Near; }

private:
    std::array<float, 3> m_side{}, m_up{}, m_back{}, m_eye{};
    bool m_orthographic = false;
    float m_scaleX = 1, m_scaleY = 1;  // eye coordinates to normalized ones
    float m_width = 1, m_height = 1;
    std::array<ScreenPoint, LatticePointCount> m_lattice{};
};

// How near the pointer a lattice point must be, in pixels, to be picked.
constexpr float PickRadius = 12.0f;

// The lattice point a click at (x, y) picks: among those within PickRadius of
// the pointer, the one nearest the eye. With `onLinesThrough`, only points of
// the three axis lines through that point count (a segment's second click).
std::optional<LatticePoint3> PickLatticePoint(const ViewProjection &view, float x, float y,
                                              std::optional<LatticePoint3> onLinesThrough = std::nullopt);

// Where the rubber band of a segment begun at `start` ends for a pointer at
// (x, y): along the axis whose direction on screen best follows the pointer,
// at that line's lattice point nearest the pointer.
LatticePoint3 BandEnd(const ViewProjection &view, LatticePoint3 start, float x, float y);
