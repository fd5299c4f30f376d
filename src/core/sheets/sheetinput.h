#pragma once

#include "core/sheets/sheetstrokes.h"

#include <array>

// A sheet's mode: drawing, or revealed (scored and locked) after a Check.
enum class SheetMode { Drawing = 0, Finished = -1, Revealed = 2 };

// One sheet's stroke entry: click, move, click. The first press begins a stroke
// at the nearest lattice point; the second press closes it and the release that
// follows fixes its end. A press-drag-release only begins a stroke. The mouse
// and the keyboard's lattice cursor (PressAt/ReleaseAt) drive the same entry.
// The sheet ignores both while its input guard is on or once it is revealed.
// Only finished strokes enter the store: a begun stroke keeps its start aside,
// so an abandoned one leaves nothing behind, and a release with no stroke
// closing ends nothing. Undo and clearing replace the whole store and are
// refused once the sheet is revealed, so a scored drawing cannot change.
class SheetInput {
public:
    enum class Press { Ignored, Began, Closed };
    enum class Release { Ignored, Nothing, Finished };

    struct ReleaseResult {
        Release what = Release::Ignored;
        Stroke stroke;        // the finished stroke
        int erasedPairs = 0;  // pairs removed by drawing a stroke again
    };

    Press MousePress(long long x, long long y, const SheetLattice &lattice);
    ReleaseResult MouseRelease(long long x, long long y, const SheetLattice &lattice);
    // The same at a lattice point; a point off the lattice is moved to its
    // nearest border point, as a pointer outside the sheet would be.
    Press PressAt(LatticePoint p);
    ReleaseResult ReleaseAt(LatticePoint p);

    // Both drop a half-drawn stroke first and return false, changing nothing,
    // on a revealed sheet. Restoring puts back a copy exactly, NextSlot and
    // all; clearing empties the store and starts again at slot 1.
    bool RestoreStrokes(const SheetStrokes &strokes);
    bool ClearStrokes();

    bool AcceptsInput() const { return m_inputEnabled && m_takesStrokes && m_mode != SheetMode::Revealed; }
    // The rubber band follows the pointer only while this is true.
    bool StrokeBegun() const { return !m_strokeIdle && AcceptsInput(); }
    LatticePoint PendingStart() const { return m_pendingStart; }

    // Drops a half-drawn stroke (activation of the window, new turn).
    void AbandonStroke();
    // A new turn: empty store, drawing mode, no stroke begun.
    void NewTurn();
    void Reveal() { m_mode = SheetMode::Revealed; }

    void SetInputEnabled(bool enabled) { m_inputEnabled = enabled; }
    // Off in the build exercise: the sheet shows the views and the game
    // writes the built figure's projection into it.
    void SetTakesStrokes(bool takes)
    {
        m_takesStrokes = takes;
        if (!takes)
            AbandonStroke();
    }
    bool InputEnabled() const { return m_inputEnabled; }
    bool TakesStrokes() const { return m_takesStrokes; }
    SheetMode Mode() const { return m_mode; }
    bool IsRevealed() const { return m_mode == SheetMode::Revealed; }
    const SheetStrokes &Strokes() const { return m_strokes; }

private:
    SheetStrokes m_strokes;
    SheetMode m_mode = SheetMode::Drawing;
    bool m_strokeIdle = true;
    bool m_closing = false;  // second press seen; its release ends the stroke
    bool m_inputEnabled = false;
    bool m_takesStrokes = true;
    LatticePoint m_pendingStart;
};

// One undoable change to a sheet's strokes: the whole store before and after
// it, so undoing leaves the sheet as if the change had never been made (later
// strokes take the same slots and erase the same pairs).
struct SheetEdit {
    Sheet sheet = Sheet::X;
    SheetStrokes before;
    SheetStrokes after;
};

// Redo and undo on the edit's own sheet; false, with nothing changed, when
// that sheet is revealed.
bool ApplyEdit(std::array<SheetInput, 3> &sheets, const SheetEdit &edit);
bool RevertEdit(std::array<SheetInput, 3> &sheets, const SheetEdit &edit);
