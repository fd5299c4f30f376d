#include "core/view3d/viewprojection.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

using Vec = std::array<float, 3>;

Vec Minus(const Vec &a, const Vec &b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
float Dot(const Vec &a, const Vec &b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Vec Cross(const Vec &a, const Vec &b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
Vec Normalized(const Vec &v)
{
    const float length = std::sqrt(Dot(v, v));
    return length > 0 ? Vec{v[0] / length, v[1] / length, v[2] / length} : v;
}

float Distance2(const ScreenPoint &p, float x, float y)
{
    return (p.x - x) * (p.x - x) + (p.y - y) * (p.y - y);
}

} // namespace

ViewProjection::ViewProjection(const Camera &camera, float shownZoom, float width, float height)
    : m_eye(camera.eye), m_orthographic(camera.Orthographic()), m_width(width), m_height(height)
{
    // As gluLookAt builds the eye's frame: towards the centre, side, true up.
    const Vec forward = Normalized(Minus({0, 0, 0}, m_eye));
    m_side = Normalized(Cross(forward, camera.up));
    m_up = Cross(m_side, forward);
    m_back = {-forward[0], -forward[1], -forward[2]};
    if (m_orthographic) {
        m_scaleX = m_scaleY = 1.0f / Camera::HalfSideAt(shownZoom);
    } else {
        const double halfAngle = Camera::FieldOfViewAt(shownZoom) * std::numbers::pi / 360.0;
        const auto f = static_cast<float>(1.0 / std::tan(halfAngle));
        m_scaleX = f / Camera::Aspect;
        m_scaleY = f;
    }
    for (int x = 0; x <= LatticeSteps; ++x)
        for (int y = 0; y <= LatticeSteps; ++y)
            for (int z = 0; z <= LatticeSteps; ++z) {
                const LatticePoint3 p{x, y, z};
                m_lattice[static_cast<std::size_t>(p.Index())] = Project(WorldPoint(p));
            }
}

ScreenPoint ViewProjection::Project(const Point3 &p) const
{
    const Vec d = Minus({p.x, p.y, p.z}, m_eye);
    const float ex = Dot(d, m_side);
    const float ey = Dot(d, m_up);
    const float depth = -Dot(d, m_back);
    float nx = ex * m_scaleX;
    float ny = ey * m_scaleY;
    if (!m_orthographic) {
        const float w = depth > 1e-6f ? depth : 1e-6f;
        nx /= w;
        ny /= w;
    }
    // The viewport is the view's width square at the bottom of its picture.
    const float x = (nx + 1.0f) * 0.5f * m_width;
    const float y = m_height - (ny + 1.0f) * 0.5f * m_width;
    return {x, y, depth};
}

std::optional<LatticePoint3> PickLatticePoint(const ViewProjection &view, float x, float y,
                                              std::optional<LatticePoint3> onLinesThrough)
{
    std::optional<LatticePoint3> best;
    float bestDepth = std::numeric_limits<float>::max();
    for (int i = 0; i < LatticePointCount; ++i) {
        const LatticePoint3 p{i / 25, i / 5 % 5, i % 5};
        if (onLinesThrough && p != *onLinesThrough && !AxisBetween(p, *onLinesThrough))
            continue;
        const ScreenPoint s = view.Project(p);
        if (!view.Visible(s) || Distance2(s, x, y) > PickRadius * PickRadius || s.depth >= bestDepth)
            continue;
        best = p;
        bestDepth = s.depth;
    }
    return best;
}

LatticePoint3 BandEnd(const ViewProjection &view, LatticePoint3 start, float x, float y)
{
    const ScreenPoint from = view.Project(start);
    const float px = x - from.x;
    const float py = y - from.y;
    const float pointer = std::sqrt(px * px + py * py);
    if (pointer < 1.0f)
        return start;
    int bestAxis = -1;
    float bestCos = -1.0f;
    for (int axis = 0; axis < 3; ++axis) {
        LatticePoint3 next = start;
        next[axis] += start[axis] < LatticeSteps ? 1 : -1;
        const ScreenPoint to = view.Project(next);
        const float dx = to.x - from.x;
        const float dy = to.y - from.y;
        const float length = std::sqrt(dx * dx + dy * dy);
        if (length < 1.0f)
            continue;  // seen end on: the pointer cannot follow it
        const float cosine = std::fabs(dx * px + dy * py) / (length * pointer);
        if (cosine > bestCos) {
            bestCos = cosine;
            bestAxis = axis;
        }
    }
    if (bestAxis < 0)
        return start;
    LatticePoint3 best = start;
    float bestDistance = std::numeric_limits<float>::max();
    for (int step = 0; step <= LatticeSteps; ++step) {
        LatticePoint3 p = start;
        p[bestAxis] = step;
        const ScreenPoint s = view.Project(p);
        const float d = Distance2(s, x, y);
        if (view.Visible(s) && d < bestDistance) {
            best = p;
            bestDistance = d;
        }
    }
    return best;
}
