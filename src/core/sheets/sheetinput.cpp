#include "core/sheets/sheetinput.h"

#include <algorithm>

namespace {
LatticePoint OntoLattice(LatticePoint p)
{
    return {std::clamp(p.col, LatticeMin, LatticeMax), std::clamp(p.row, LatticeMin, LatticeMax)};
}
} // namespace

SheetInput::Press SheetInput::MousePress(long long x, long long y, const SheetLattice &lattice)
{
    return PressAt(lattice.Snap(x, y));
}

SheetInput::ReleaseResult SheetInput::MouseRelease(long long x, long long y, const SheetLattice &lattice)
{
    return ReleaseAt(lattice.Snap(x, y));
}

SheetInput::Press SheetInput::PressAt(LatticePoint p)
{
    if (!AcceptsInput())
        return Press::Ignored;
    m_strokeIdle = !m_strokeIdle;
    if (m_strokeIdle) {
        m_closing = true;
        return Press::Closed;
    }
    m_closing = false;
    m_pendingStart = OntoLattice(p);
    m_mode = SheetMode::Drawing;
    return Press::Began;
}

SheetInput::ReleaseResult SheetInput::ReleaseAt(LatticePoint p)
{
    ReleaseResult result;
    if (!AcceptsInput())
        return result;
    result.what = Release::Nothing;
    if (!m_strokeIdle || !m_closing)
        return result;
    m_closing = false;
    result.what = Release::Finished;
    result.stroke = Stroke(m_pendingStart, OntoLattice(p));
    m_mode = SheetMode::Finished;
    result.erasedPairs = m_strokes.Add(result.stroke);
    return result;
}

void SheetInput::AbandonStroke()
{
    m_strokeIdle = true;
    m_closing = false;
}

void SheetInput::NewTurn()
{
    m_strokes.Clear();
    m_mode = SheetMode::Drawing;
    AbandonStroke();
}

bool SheetInput::RestoreStrokes(const SheetStrokes &strokes)
{
    AbandonStroke();
    if (IsRevealed())
        return false;
    m_strokes = strokes;
    return true;
}

bool SheetInput::ClearStrokes()
{
    AbandonStroke();
    if (IsRevealed())
        return false;
    m_strokes.Clear();
    return true;
}

bool ApplyEdit(std::array<SheetInput, 3> &sheets, const SheetEdit &edit)
{
    return sheets[static_cast<std::size_t>(SheetIndex(edit.sheet))].RestoreStrokes(edit.after);
}

bool RevertEdit(std::array<SheetInput, 3> &sheets, const SheetEdit &edit)
{
    return sheets[static_cast<std::size_t>(SheetIndex(edit.sheet))].RestoreStrokes(edit.before);
}
