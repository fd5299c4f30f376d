#include "core/build/buildinput.h"

BuildInput::PressResult BuildInput::PressAt(LatticePoint3 p)
{
    if (!AcceptsInput() || !p.OnLattice())
        return {};
    m_cursor = p;
    if (!m_begun) {
        m_begun = p;
        return {Press::Began, {}};
    }
    if (p == *m_begun) {
        m_begun.reset();
        return {Press::Dropped, {}};
    }
    if (!AxisBetween(*m_begun, p))
        return {Press::NotOnLine, {}};
    const BuiltSegment segment{*m_begun, p, false};
    m_begun.reset();
    return {Press::Ended, segment};
}

bool BuildInput::Drop()
{
    const bool had = m_begun.has_value();
    m_begun.reset();
    return had;
}

bool BuildInput::MoveCursor(int axis, int step)
{
    if (!AcceptsInput() || axis < 0 || axis > 2)
        return false;
    LatticePoint3 to = m_cursor;
    to[axis] += step < 0 ? -1 : 1;
    if (!to.OnLattice())
        return false;
    m_cursor = to;
    return true;
}

void BuildInput::SetLocked(bool locked)
{
    m_locked = locked;
    if (locked)
        m_begun.reset();
}

void BuildInput::NewTurn()
{
    m_cursor = WalkStartPoint;
    m_begun.reset();
}
