#include "core/view3d/camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The drag's eye: on the elliptic cylinder around the Y axis.
std::array<float, 3> EyeOnCylinder(float angle, float height)
{
    return {static_cast<float>(10 * std::cos(angle)), height, static_cast<float>(20 * std::sin(angle))};
}

} // namespace

void Camera::Reset()
{
    CameraAngle = StartAngle;
    CameraHeight = StartHeight;
    eye = {-5.0f, -5.0f, 20.0f};
    up = {0.0f, 1.0f, 0.0f};
    Mode = ViewMode::Start;
    Zoom = 1.0f;
}

void Camera::Show(ViewMode mode)
{
    // The sheet eyes stand as far out as the start eye, well inside Near..Far
    // for the whole cube.
    switch (mode) {
    case ViewMode::Start:
        Reset();
        return;
    case ViewMode::Dragged:
        eye = EyeOnCylinder(CameraAngle, CameraHeight);
        up = {0.0f, 1.0f, 0.0f};
        break;
    case ViewMode::SheetX:
        eye = {0.0f, 0.0f, 20.0f};
        up = {0.0f, 1.0f, 0.0f};
        break;
    case ViewMode::SheetY:
        eye = {0.0f, -20.0f, 0.0f};
        up = {0.0f, 0.0f, 1.0f};
        break;
    case ViewMode::SheetZ:
        eye = {20.0f, 0.0f, 0.0f};
        up = {0.0f, 0.0f, 1.0f};
        break;
    }
    Mode = mode;
}

bool Camera::ZoomBy(int steps)
{
    const float before = Zoom;
    Zoom = std::clamp(Zoom * std::pow(ZoomStep, static_cast<float>(steps)), MinZoom, MaxZoom);
    return Zoom != before;
}

float Camera::FieldOfViewAt(float zoom)
{
    // Scaling the picture means scaling the tangent of the half angle; at
    // zoom 1 this gives FieldOfView back to the last bit.
    const double half = static_cast<double>(FieldOfView) / 2 * std::numbers::pi / 180;
    return static_cast<float>(std::atan(std::tan(half) / static_cast<double>(zoom)) * 2 * 180 / std::numbers::pi);
}

void Camera::Press(int x, int y)
{
    Dragging = true;
    LastMouseX = x;
    LastMouseY = y;
}

bool Camera::Move(int x, int y)
{
    if (!Dragging)
        return false;
    const long double pi = std::numbers::pi_v<long double>;
    CameraAngle = static_cast<float>(CameraAngle + static_cast<long double>(x - LastMouseX) / 512 * pi);
    CameraHeight = static_cast<float>(CameraHeight + static_cast<long double>(y - LastMouseY) / 512 * 10);
    Show(ViewMode::Dragged);
    LastMouseX = x;
    LastMouseY = y;
    return true;
}
