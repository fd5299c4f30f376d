#include "sheetinput.h"

SheetInput::Press SheetInput::MousePress(long long x, long long y, const SheetLattice &lattice)
{
    if (!AcceptsInput())
        return Press::Ignored;
    m_strokeIdle = !m_strokeIdle;
    if (m_strokeIdle) {
        m_closing = true;
        return Press::Closed;
    }
    m_closing = false;
    m_pendingStart = lattice.Snap(x, y);
    m_mode = SheetMode::Drawing;
    return Press::Began;
}

SheetInput::ReleaseResult SheetInput::MouseRelease(long long x, long long y, const SheetLattice &lattice)
{
    ReleaseResult result;
    if (!AcceptsInput())
        return result;
    result.what = Release::Nothing;
    if (!m_strokeIdle || !m_closing)
        return result;
    m_closing = false;
    result.what = Release::Finished;
    result.stroke = Stroke(m_pendingStart, lattice.Snap(x, y));
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
