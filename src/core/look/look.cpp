#include "core/look/look.h"

namespace {

constexpr Rgb B(int r, int g, int b) { return Rgb::Bytes(r, g, b); }

// The colours the game has always had. The darker ones are what QColor's
// darker() made of their base colour: a right piece's edge darker(250), the
// named mistake darker(130) and a hint's core darker(220).
const LookColours Light{
    .sheet = {.background = B(238, 255, 238),
              .dot = B(0, 0, 0),
              .ink = B(25, 25, 25),
              .snap = B(70, 70, 70),
              .ringFill = B(255, 255, 255),
              .hint = B(255, 176, 0),
              .hintCore = B(116, 80, 0),
              .axes = {B(255, 0, 255), B(0, 255, 255), B(255, 255, 0)},
              .usual = {.stroke = B(0, 128, 0), .edge = B(0, 51, 0), .truth = B(255, 0, 0), .mistake = B(196, 0, 0)},
              // Okabe and Ito's blue and vermillion: apart for every common
              // kind of colour blindness.
              .safe = {.stroke = B(0, 114, 178), .edge = B(0, 46, 71), .truth = B(213, 94, 0),
                       .mistake = B(164, 72, 0)}},
    .view = {.background = {0.1f, 0.5f, 0.75f},
             .frame = {0.7f, 0.75f, 0.75f},
             .walk = {0.2f, 0.25f, 0.75f},
             .highlight = {1.0f, 1.0f, 1.0f},
             .axes = {{{0.9f, 0.5f, 0.9f}, {0.5f, 0.9f, 0.9f}, {0.9f, 0.9f, 0.5f}}},
             .dot = {1.0f, 1.0f, 1.0f},
             .ink = {0.1f, 0.1f, 0.12f},
             .start = {0.12f, 0.08f, 0.35f},
             .cursor = {1.0f, 0.95f, 0.2f}},
    .panel = std::nullopt,
    .manualLink = B(0, 0, 255),
};

// Dark: every line and mark at least 3:1 against what it is drawn on and every
// text 4.5:1 (WCAG 2), and the stroke and the truth at least 1.5:1 apart from
// each other so they stay apart in greyscale too (tests/core/tst_look.cpp
// measures them). A right piece's edge stays darker than its core, as the
// legend says, 3:1 from both the core and the sheet: it also draws an extra
// piece's crosses.
const LookColours Dark{
    .sheet = {.background = B(24, 28, 26),
              .dot = B(175, 190, 178),
              .ink = B(225, 232, 225),
              .snap = B(150, 165, 155),
              .ringFill = B(235, 235, 235),
              .hint = B(255, 190, 40),
              .hintCore = B(255, 230, 150),
              .axes = {B(255, 0, 255), B(0, 255, 255), B(255, 255, 0)},
              .usual = {.stroke = B(125, 230, 125), .edge = B(34, 121, 34), .truth = B(255, 95, 85),
                        .mistake = B(255, 140, 130)},
              // Okabe and Ito's vermillion, with a sky blue lighter than
              // theirs so that a right piece's core stands out of its edge.
              .safe = {.stroke = B(140, 205, 245), .edge = B(27, 107, 178), .truth = B(213, 94, 0),
                       .mistake = B(245, 150, 80)}},
    .view = {.background = {0.08f, 0.09f, 0.14f},
             .frame = {0.45f, 0.5f, 0.52f},
             .walk = {0.45f, 0.6f, 1.0f},
             .highlight = {1.0f, 1.0f, 1.0f},
             .axes = {{{0.9f, 0.5f, 0.9f}, {0.5f, 0.9f, 0.9f}, {0.9f, 0.9f, 0.5f}}},
             .dot = {1.0f, 1.0f, 1.0f},
             .ink = {0.1f, 0.1f, 0.12f},
             .start = {0.5f, 0.4f, 0.9f},
             .cursor = {1.0f, 0.95f, 0.2f}},
    .panel = PanelColours{.window = B(46, 48, 52),
                          .windowText = B(232, 232, 232),
                          .base = B(30, 32, 35),
                          .alternateBase = B(40, 42, 46),
                          .text = B(232, 232, 232),
                          .button = B(58, 60, 65),
                          .buttonText = B(232, 232, 232),
                          .highlight = B(100, 170, 250),
                          .highlightedText = B(0, 0, 0),
                          .toolTipBase = B(60, 62, 66),
                          .toolTipText = B(232, 232, 232),
                          .link = B(120, 180, 255),
                          .linkVisited = B(190, 160, 255),
                          .brightText = B(255, 120, 110),
                          .disabledText = B(160, 160, 160),
                          .light = B(90, 92, 98),
                          .midlight = B(70, 72, 78),
                          .mid = B(40, 42, 46),
                          .dark = B(25, 26, 28),
                          .shadow = B(0, 0, 0)},
    .manualLink = B(120, 180, 255),
};

} // namespace

bool DesktopIsDark(Rgb window, Rgb windowText)
{
    return RelativeLuminance(window) < RelativeLuminance(windowText);
}

Scheme SchemeOf(Look look, bool desktopDark)
{
    if (look == Look::Desktop)
        return desktopDark ? Scheme::Dark : Scheme::Light;
    return look == Look::Dark ? Scheme::Dark : Scheme::Light;
}

const LookColours &ColoursOf(Scheme scheme)
{
    return scheme == Scheme::Dark ? Dark : Light;
}
