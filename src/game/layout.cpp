#include "layout.h"

#include "sheets/lattice.h"

#include <algorithm>

int ViewSizeForScreen(int screenHeight)
{
    return std::max(screenHeight, 0) / 2;
}

Layout ComputeLayout(int clientWidth, int clientHeight, int viewSize)
{
    Layout l;
    l.ViewSize = viewSize;
    l.Panel1Height = clientHeight - viewSize;
    l.Panel2Width = clientWidth - viewSize - 10;
    l.Panel2Height = clientHeight - l.Panel1Height;
    l.View = {0, l.Panel1Height, viewSize, viewSize};

    // The smallest side that still gives every lattice cell one pixel.
    constexpr int minSide = GridSteps + 2;
    int side = (clientWidth - 50) / 3 - 5;
    if (side > l.Panel1Height - 25)
        side = l.Panel1Height - 25;
    side = std::max(side, minSide);
    l.SheetSide = side;
    l.SheetGap = std::max((clientWidth - 3 * side) / 4, 0);
    for (int i = 0; i < 3; ++i)
        l.Sheets[static_cast<std::size_t>(i)] = {(i + 1) * l.SheetGap + i * side, SheetTop, side, side};
    l.CellWidth = std::max(side / (GridSteps + 2), 1);
    l.CellHeight = std::max(side / (GridSteps + 2), 1);

    const int h = l.Panel2Height;
    const int w = l.Panel2Width;
    const int top = (h - 100) / 2;
    const int left = w / 2 - 100;
    l.ButtonEnd = {left, top + 150, ButtonWidth, ButtonHeight};
    // The level box stands where the edit box and its spinner stood together.
    l.Edit1 = {left, top - 50, LevelBoxWidth, LevelBoxHeight};
    l.Label2 = {w / 2 - 40, top - 47, LevelLabelWidth, 22};
    l.ButtonNew = {left, top, ButtonWidth, ButtonHeight};
    l.ButtonCheck = {left, top + 50, ButtonWidth, ButtonHeight};
    l.ButtonAutor = {l.ButtonCheck.left, l.ButtonCheck.top + 50, ButtonWidth, ButtonHeight};
    l.Im1 = {w - 192, h - 170, PictureWidth, PictureHeight};

    const int statusLeft = left + ButtonWidth + 12;
    const int statusTop = top - 50;
    l.Status = {statusLeft, statusTop, std::max(w - statusLeft - 8, 0), std::max(l.Im1.top - 4 - statusTop, 0)};
    return l;
}
