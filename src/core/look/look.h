#pragma once

#include "core/look/colour.h"

#include <array>
#include <optional>
#include <string_view>

// The player's choice of look: the light colours the game has always had,
// dark ones, or whichever of the two the desktop uses. The names are what the
// settings hold.
enum class Look { Light, Dark, Desktop };
constexpr std::array<Look, 3> AllLooks{Look::Light, Look::Dark, Look::Desktop};

constexpr std::string_view LookName(Look look)
{
    return look == Look::Dark ? "dark" : look == Look::Desktop ? "desktop" : "light";
}

constexpr std::optional<Look> ParseLook(std::string_view name)
{
    for (Look l : AllLooks)
        if (LookName(l) == name)
            return l;
    return std::nullopt;
}

// The colours a look shows, once the desktop has had its say.
enum class Scheme { Light, Dark };

// A desktop is dark when its windows are darker than their text.
bool DesktopIsDark(Rgb window, Rgb windowText);
Scheme SchemeOf(Look look, bool desktopDark);

// A sheet's drawing and the marks of its Check in one palette. Right and
// extra pieces are both in the stroke colour and differ by shape (a thick
// line in an edge against a dashed one with crosses); the truth and the
// missing pieces are in the truth colour.
struct MarkColours {
    Rgb stroke;
    Rgb edge;     // a right piece's edge and an extra piece's crosses
    Rgb truth;
    Rgb mistake;  // the named mistake, in words in the margin
};

// A hint's wash is painted this opaque over the sheet.
inline constexpr double HintOpacity = 120.0 / 255;

struct SheetColours {
    Rgb background;
    Rgb dot;       // the lattice
    Rgb ink;       // the margins' texts: the counts, the sheet's name
    Rgb snap;      // the ring on the dot a click would go to
    Rgb ringFill;  // inside a missing piece's rings
    Rgb hint;      // a hint's wash, and a hinted segment in the 3D view
    Rgb hintCore;  // the dotted line along a hint's wash
    std::array<Rgb, 3> axes;  // the axis lines, for the figure's x, y and z
    MarkColours usual;
    MarkColours safe;  // the colour-blind-safe palette

    const MarkColours &Marks(bool safePalette) const { return safePalette ? safe : usual; }
};

struct ViewColours {
    Rgb background;
    Rgb frame;      // the cube's edges
    Rgb walk;       // the figure, in the views exercise
    Rgb highlight;  // what a pointed-at piece of a sheet stands for
    std::array<Rgb, 3> axes;  // the cube's axis edges, for x, y and z
    // The build exercise's lattice points, the edges of what is built, the
    // disk round the walk's start and the cursor's ring.
    Rgb dot;
    Rgb ink;
    Rgb start;
    Rgb cursor;
};

// The application's own palette, for the dialogs and the control panel.
struct PanelColours {
    Rgb window;
    Rgb windowText;
    Rgb base;  // text boxes and lists
    Rgb alternateBase;
    Rgb text;
    Rgb button;  // also the control panel's and the sheets' frame's background
    Rgb buttonText;
    Rgb highlight;  // a selection, and the focus frame on the sheets and the view
    Rgb highlightedText;
    Rgb toolTipBase;
    Rgb toolTipText;
    Rgb link;
    Rgb linkVisited;
    Rgb brightText;
    Rgb disabledText;
    // The bevels the style draws.
    Rgb light;
    Rgb midlight;
    Rgb mid;
    Rgb dark;
    Rgb shadow;
};

struct LookColours {
    SheetColours sheet;
    ViewColours view;
    // None: the desktop's own palette, as the game has always used it.
    std::optional<PanelColours> panel;
    Rgb manualLink;  // the About window's link to the manual
};

const LookColours &ColoursOf(Scheme scheme);
