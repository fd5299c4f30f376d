#pragma once

#include <array>

// Where the 3D view looks from: the perspective start view, a view turned by
// dragging, or the flat picture of one drawing sheet.
enum class ViewMode { Start, Dragged, SheetX, SheetY, SheetZ };

// The 3D view's camera. It always looks at the centre of the frame.
// A reset puts the eye at a fixed start (-5, -5, 20) with Y up; each drag step
// then moves it on an elliptic cylinder around the Y axis (10 along X, 20
// along Z): 512 pixels to the right add half a turn, 512 pixels down raise the
// eye 10 units. Angle and height are not limited, so the eye never lands on
// the Y axis. The sheet views are orthographic and square and show the cube as
// its sheet does: X with x right and y up, Y with x right and z up, Z with y
// right and z up. They keep the drag's angle and height, so a drag from a
// sheet view goes on in perspective where the last drag ended. The zoom scales
// the picture by 0.5..3 in every mode; a reset brings it back to 1.
struct Camera {
    static constexpr float FieldOfView = 110.0f;
    static constexpr float Aspect = 1.2f;  // a square viewport narrowed by 1/1.2
    static constexpr float Near = 1.0f;
    static constexpr float Far = 50.0f;
    static constexpr float StartAngle = 1.5707964f;
    static constexpr float StartHeight = -1.953125f;
    // Half the side of a sheet view's square: the cube's -10..10 and a margin
    // that keeps the wide axis edges on its border whole.
    static constexpr float SheetHalfSide = 11.0f;
    static constexpr float MinZoom = 0.5f;
    static constexpr float MaxZoom = 3.0f;
    static constexpr float ZoomStep = 1.25f;  // one wheel notch
    // The line width in pixels at 100 % (W and Shift+W step through it), and
    // the range the settings keep.
    static constexpr int MinLineWidth = 1;
    static constexpr int MaxLineWidth = 20;

    float CameraAngle = StartAngle;
    float CameraHeight = StartHeight;
    std::array<float, 3> eye{-5.0f, -5.0f, 20.0f};
    std::array<float, 3> up{0.0f, 1.0f, 0.0f};
    ViewMode Mode = ViewMode::Start;
    float Zoom = 1.0f;
    bool Dragging = false;
    int LastMouseX = 0;
    int LastMouseY = 0;
    int LineWidth = 1;

    // The start view at zoom 1; the drag starts over from the start angle.
    void Reset();
    // Start is a reset; Dragged puts the eye back where the drag left it.
    void Show(ViewMode mode);
    // Returns true when the zoom changed (it stops at its limits).
    bool ZoomBy(int steps);
    bool Orthographic() const
    {
        return Mode == ViewMode::SheetX || Mode == ViewMode::SheetY || Mode == ViewMode::SheetZ;
    }
    // The projection at a zoom: the perspective's vertical angle in degrees,
    // the sheet views' half side.
    static float FieldOfViewAt(float zoom);
    static float HalfSideAt(float zoom) { return SheetHalfSide / zoom; }

    void Press(int x, int y);
    // Returns true when the eye moved (only while dragging).
    bool Move(int x, int y);
    void Release() { Dragging = false; }
    void Thinner() { LineWidth = LineWidth > MinLineWidth ? LineWidth - 1 : MinLineWidth; }
    void Thicker() { LineWidth = LineWidth < MaxLineWidth ? LineWidth + 1 : MaxLineWidth; }
};
