#include "camera.h"

#include <cmath>
#include <numbers>

void Camera::Reset()
{
    CameraAngle = StartAngle;
    CameraHeight = StartHeight;
    eye = {-5.0f, -5.0f, 20.0f};
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
    eye = {static_cast<float>(10 * std::cos(CameraAngle)), CameraHeight, static_cast<float>(20 * std::sin(CameraAngle))};
    LastMouseX = x;
    LastMouseY = y;
    return true;
}
