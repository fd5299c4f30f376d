#pragma once
// Drawing helpers shared by the core's tests: strokes entered the way the
// keyboard's cursor enters them, and a sheet's truth drawn in full.

#include "core/turn/turnsession.h"

#include <algorithm>
#include <vector>

// Draws with the keyboard's cursor, the way Space begins and ends a stroke.
inline SheetInput::ReleaseResult Draw(SheetInput &input, const Stroke &s)
{
    input.PressAt(s.Start());
    input.ReleaseAt(s.Start());
    input.PressAt(s.End());
    return input.ReleaseAt(s.End());
}

inline SheetInput Drawn(const std::vector<Stroke> &strokes, SheetInput input = {})
{
    input.SetInputEnabled(true);
    for (const Stroke &s : strokes)
        Draw(input, s);
    return input;
}

// Draws a sheet's true lines, each once: a line drawn twice would erase itself.
inline void DrawTruth(Game &game, Sheet sheet)
{
    std::vector<Stroke> drawn;
    for (const Stroke &t : game.TrueSegments(sheet))
        if (!t.IsEmpty() && t.Start() != t.End() && std::ranges::none_of(drawn, [&](auto &d) { return d.SameLine(t); }))
            Draw(game.Input(sheet), drawn.emplace_back(t));
}


// A sheet drawn as the truth shows it, as one stroke edit of the turn.
inline void DrawSheet(TurnSession &session, Sheet s)
{
    Game &g = session.Board();
    g.Input(s).SetInputEnabled(true);
    const SheetStrokes before = g.Input(s).Strokes();
    DrawTruth(g, s);
    session.StrokeFinished(s, before);
}

// Every sheet drawn so: the best score the figure allows.
inline void DrawAll(TurnSession &session)
{
    for (Sheet s : AllSheets)
        DrawSheet(session, s);
}
