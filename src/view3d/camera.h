#pragma once

#include <array>

// The 3D view's camera. It always looks at the centre of the frame with Y up.
// A reset puts the eye at a fixed start (-5, -5, 20); each drag step then moves
// it on an elliptic cylinder around the Y axis (10 along X, 20 along Z): 512
// pixels to the right add half a turn, 512 pixels down raise the eye 10 units.
// Angle and height are not limited, so the eye never lands on the Y axis.
struct Camera {
    static constexpr float FieldOfView = 110.0f;
    static constexpr float Aspect = 1.2f;  // a square viewport narrowed by 1/1.2
    static constexpr float Near = 1.0f;
    static constexpr float Far = 50.0f;
    static constexpr float StartAngle = 1.5707964f;
    static constexpr float StartHeight = -1.953125f;

    float CameraAngle = StartAngle;
    float CameraHeight = StartHeight;
    std::array<float, 3> eye{-5.0f, -5.0f, 20.0f};
    bool Dragging = false;
    int LastMouseX = 0;
    int LastMouseY = 0;
    int LineWidth = 1;

    void Reset();
    void Press(int x, int y);
    // Returns true when the eye moved (only while dragging).
    bool Move(int x, int y);
    void Release() { Dragging = false; }
    void Thinner() { LineWidth = LineWidth > 1 ? LineWidth - 1 : 1; }
    void Thicker() { ++LineWidth; }
};
