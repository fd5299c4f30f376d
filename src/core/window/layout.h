#pragma once

#include <array>
#include <limits>

struct LayoutRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    friend bool operator==(const LayoutRect &, const LayoutRect &) = default;
};

// The main window's layout for a client area: the sheets' panel across the
// top, the square 3D view at the lower left, the control panel at the lower
// right with a 10-pixel strip between it and the view. Control positions are
// relative to the control panel; sheet positions to the sheets' panel.
struct Layout {
    int ViewSize = 0;
    int SheetsPanelHeight = 0;
    int ControlPanelWidth = 0;
    int ControlPanelHeight = 0;
    int SheetSide = 0;
    int SheetGap = 0;
    std::array<LayoutRect, 3> Sheets{};
    int CellWidth = 1;
    int CellHeight = 1;

    LayoutRect View;  // in window coordinates
    LayoutRect NewButton, CheckButton, EndButton, AboutButton;
    LayoutRect LevelBox, LevelLabel, Picture;
    // Where the turn's time and result are shown: right of the buttons, above
    // the picture, clear of every other control.
    LayoutRect Status;
    // The button that opens the menu of every command: below the result
    // lines, or at the end of the level row in the packed arrangement.
    LayoutRect MenuButton;
    // Where a suggested level is offered: beside the menu button, or below
    // the result lines in the packed arrangement.
    LayoutRect SuggestButton;
    bool SuggestOverStatus = false;
    // At least RoomyWidth x RoomyHeight: the panel's text keeps its size.
    bool Roomy = false;
};

// Sizes of the control panel's fixed controls.
constexpr int ButtonWidth = 153;
constexpr int ButtonHeight = 33;
constexpr int LevelBoxWidth = 46;
constexpr int LevelBoxHeight = 28;
constexpr int LevelLabelWidth = 80;
constexpr int PictureWidth = 225;
constexpr int PictureHeight = 185;
constexpr int SheetTop = 16;
// The least room the turn's result needs: three short lines.
constexpr int MinStatusWidth = 150;
constexpr int MinStatusHeight = 54;
constexpr int MenuButtonWidth = 90;
// Windows from this size on are roomy: the panel's text keeps its size
// there, each of the four status lines StatusLineHeight high at least.
constexpr int RoomyWidth = 1024;
constexpr int RoomyHeight = 640;
constexpr int StatusLineCount = 4;
constexpr int StatusLineHeight = 18;
constexpr int MenuButtonHeight = 28;

bool Overlap(const LayoutRect &a, const LayoutRect &b);

// ViewSize is the screen height div 2; the window's client area is the screen.
// On a portrait screen the width decides, so the view never outgrows it.
int ViewSizeForScreen(int screenHeight, int screenWidth = std::numeric_limits<int>::max());

// The layout pass's arithmetic (integer division throughout). Cells never come
// out below 1 pixel, however small the client area. Where the control panel is
// too small for its usual arrangement (screens below about 1024x768), the
// controls are packed so that none overlaps another or leaves the panel.
Layout ComputeLayout(int clientWidth, int clientHeight, int viewSize);
