#pragma once

#include "core/build/builtfigure.h"

// The player's hand in the build exercise: a cursor on one lattice point and
// a segment begun at some point. The keyboard moves the cursor a step at a
// time and presses at it; a click in the 3D view presses at the point it
// picked, which moves the cursor there too. The first press begins a segment;
// the next one ends it at a point of an axis line through its beginning, drops
// it when pressed at the beginning again, and is refused anywhere else, the
// beginning kept. Like a sheet, it ignores everything while its input guard is
// on or once the turn is checked.
class BuildInput {
public:
    enum class Press { Ignored, Began, Ended, Dropped, NotOnLine };
    struct PressResult {
        Press what = Press::Ignored;
        BuiltSegment segment;  // the segment ended
    };

    PressResult PressAt(LatticePoint3 p);
    PressResult PressAtCursor() { return PressAt(m_cursor); }
    // Drops a begun segment; false when none was begun.
    bool Drop();
    // One step along an axis (0 x, 1 y, 2 z) by +1 or -1; false at the cube's
    // edge or while input is ignored.
    bool MoveCursor(int axis, int step);

    LatticePoint3 Cursor() const { return m_cursor; }
    bool Begun() const { return m_begun.has_value(); }
    LatticePoint3 BegunAt() const { return m_begun.value_or(m_cursor); }

    bool AcceptsInput() const { return m_inputEnabled && !m_locked; }
    void SetInputEnabled(bool enabled) { m_inputEnabled = enabled; }
    // Locked in the views exercise and after a Check; a lock drops a begun segment.
    void SetLocked(bool locked);
    bool Locked() const { return m_locked; }
    // A new turn: the cursor at the walk's start, nothing begun.
    void NewTurn();

private:
    LatticePoint3 m_cursor = WalkStartPoint;
    std::optional<LatticePoint3> m_begun;
    bool m_inputEnabled = true;
    bool m_locked = true;
};
