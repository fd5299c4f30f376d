#include "core/window/layout.h"

#include "core/sheets/lattice.h"

#include <algorithm>

int ViewSizeForScreen(int screenHeight, int screenWidth)
{
    return std::max(std::min(screenHeight, screenWidth), 0) / 2;
}

namespace {

bool Inside(const LayoutRect &r, int w, int h)
{
    return r.left >= 0 && r.top >= 0 && r.Right() <= w && r.Bottom() <= h && r.width > 0 && r.height > 0;
}

// The control panel's usual arrangement: the buttons in a column at the
// middle, the level box above them, the picture at the lower right corner
// and the turn's result beside the buttons.
void PlaceAroundCentre(Layout &l)
{
    const int h = l.ControlPanelHeight;
    const int w = l.ControlPanelWidth;
    const int top = (h - 100) / 2;
    const int left = w / 2 - 100;
    l.EndButton = {left, top + 150, ButtonWidth, ButtonHeight};
    // The level box stands where the edit box and its spinner stood together.
    l.LevelBox = {left, top - 50, LevelBoxWidth, LevelBoxHeight};
    l.LevelLabel = {w / 2 - 40, top - 47, LevelLabelWidth, 22};
    l.NewButton = {left, top, ButtonWidth, ButtonHeight};
    l.CheckButton = {left, top + 50, ButtonWidth, ButtonHeight};
    l.AboutButton = {l.CheckButton.left, l.CheckButton.top + 50, ButtonWidth, ButtonHeight};
    l.Picture = {w - 192, h - 170, PictureWidth, PictureHeight};

    const int statusLeft = left + ButtonWidth + 12;
    const int statusTop = top - 50;
    const int statusWidth = std::max(w - statusLeft - 8, 0);
    l.MenuButton = {statusLeft, l.Picture.top - 4 - MenuButtonHeight, std::min(MenuButtonWidth, statusWidth),
                    MenuButtonHeight};
    l.Status = {statusLeft, statusTop, statusWidth, std::max(l.MenuButton.top - 4 - statusTop, 0)};
    l.SuggestButton = {l.MenuButton.Right() + 6, l.MenuButton.top, std::max(statusWidth - l.MenuButton.width - 6, 0),
                       MenuButtonHeight};
}

// For panels too small for the usual arrangement: the level box, then the
// buttons in two columns, then the result, all shrunk to fit; the picture
// only where it fits beside them whole.
void PlaceCompact(Layout &l)
{
    const int w = l.ControlPanelWidth;
    const int h = l.ControlPanelHeight;
    constexpr int margin = 6;
    constexpr int gap = 4;
    const int columnWidth = std::clamp((w - 2 * margin - gap) / 2, 1, ButtonWidth);
    const int unit = std::max((h - 2 * margin - 3 * gap) / 5, 1);
    const int levelHeight = std::min(unit, LevelBoxHeight);
    const int buttonHeight = std::min(unit, ButtonHeight);
    const int blockWidth = 2 * columnWidth + gap;
    const bool pictureFits = w - blockWidth - 3 * margin >= PictureWidth && h - 2 * margin >= PictureHeight;
    const int left = pictureFits ? margin : std::max((w - blockWidth) / 2, 0);

    int y = margin;
    l.LevelBox = {left, y, std::min(LevelBoxWidth, columnWidth), levelHeight};
    const int menuWidth = std::clamp(blockWidth / 3, 1, MenuButtonWidth);
    l.LevelLabel = {l.LevelBox.Right() + gap, y,
                    std::max(std::min(LevelLabelWidth, blockWidth - l.LevelBox.width - 2 * gap - menuWidth), 1),
                    levelHeight};
    l.MenuButton = {l.LevelLabel.Right() + gap, y, std::max(left + blockWidth - l.LevelLabel.Right() - gap, 1),
                    levelHeight};
    y += levelHeight + gap;
    l.NewButton = {left, y, columnWidth, buttonHeight};
    l.CheckButton = {left + columnWidth + gap, y, columnWidth, buttonHeight};
    y += buttonHeight + gap;
    l.AboutButton = {left, y, columnWidth, buttonHeight};
    l.EndButton = {left + columnWidth + gap, y, columnWidth, buttonHeight};
    y += buttonHeight + gap;
    l.Status = {left, y, blockWidth, std::max(h - margin - y, 0)};
    // No room of its own here: an offered level covers the status's last
    // line (the puzzle code, which the menu can still copy).
    const int lineHeight = l.Status.height / 4;
    l.SuggestButton = {left, l.Status.Bottom() - lineHeight, blockWidth, lineHeight};
    l.SuggestOverStatus = true;
    l.Picture = pictureFits ? LayoutRect{w - margin - PictureWidth, h - margin - PictureHeight, PictureWidth, PictureHeight}
                        : LayoutRect{};
}

// The usual arrangement is kept wherever it fits: every control inside the
// panel, the picture clear of the controls and room for the result lines.
bool UsualArrangementFits(const Layout &l)
{
    const int w = l.ControlPanelWidth;
    const int h = l.ControlPanelHeight;
    for (const LayoutRect *r :
         {&l.NewButton, &l.CheckButton, &l.AboutButton, &l.EndButton, &l.LevelBox, &l.LevelLabel, &l.MenuButton})
        if (!Inside(*r, w, h) || Overlap(*r, l.Picture))
            return false;
    return l.Status.width >= MinStatusWidth && l.Status.height >= MinStatusHeight;
}

// In a roomy window the status column gets the height of its lines at the
// panel's text size, reaching above the level box where it must, so that no
// line's text has to shrink.
void MakeRoomForStatus(Layout &l)
{
    constexpr int wanted = StatusLineCount * StatusLineHeight;
    if (l.Status.height >= wanted)
        return;
    const int bottom = l.Status.Bottom();
    const int top = std::max(bottom - wanted, 8);
    l.Status.top = top;
    l.Status.height = bottom - top;
}

void PlaceControls(Layout &l, bool roomy)
{
    PlaceAroundCentre(l);
    if (!UsualArrangementFits(l)) {
        PlaceCompact(l);
        return;
    }
    if (roomy)
        MakeRoomForStatus(l);
}

} // namespace

bool Overlap(const LayoutRect &a, const LayoutRect &b)
{
    return a.width > 0 && a.height > 0 && b.width > 0 && b.height > 0 && a.left < b.Right() && b.left < a.Right() &&
           a.top < b.Bottom() && b.top < a.Bottom();
}

Layout ComputeLayout(int clientWidth, int clientHeight, int viewSize)
{
    Layout l;
    l.ViewSize = viewSize;
    l.SheetsPanelHeight = clientHeight - viewSize;
    l.ControlPanelWidth = std::max(clientWidth - viewSize - 10, 0);
    l.ControlPanelHeight = std::max(clientHeight - l.SheetsPanelHeight, 0);
    l.View = {0, l.SheetsPanelHeight, viewSize, viewSize};

    // The smallest side that still gives every lattice cell one pixel.
    constexpr int minSide = GridSteps + 2;
    int side = (clientWidth - 50) / 3 - 5;
    if (side > l.SheetsPanelHeight - 25)
        side = l.SheetsPanelHeight - 25;
    side = std::max(side, minSide);
    l.SheetSide = side;
    l.SheetGap = std::max((clientWidth - 3 * side) / 4, 0);
    for (int i = 0; i < 3; ++i)
        l.Sheets[static_cast<std::size_t>(i)] = {(i + 1) * l.SheetGap + i * side, SheetTop, side, side};
    l.CellWidth = std::max(side / (GridSteps + 2), 1);
    l.CellHeight = std::max(side / (GridSteps + 2), 1);

    l.Roomy = clientWidth >= RoomyWidth && clientHeight >= RoomyHeight;
    PlaceControls(l, l.Roomy);
    return l;
}
