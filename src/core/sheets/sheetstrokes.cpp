#include "core/sheets/sheetstrokes.h"

void SheetStrokes::Clear()
{
    m_slots.fill(Stroke{});
    m_nextSlot = 1;
}

void SheetStrokes::Assign(const SegmentList &slots, int count)
{
    m_slots = slots;
    m_slots[0] = Stroke{};
    m_nextSlot = (count < 0 ? 0 : count > SlotCount ? SlotCount : count) + 1;
}

bool SheetStrokes::Any() const
{
    for (int slot = 1; slot <= LastUsedSlot(); ++slot)
        if (!m_slots[static_cast<std::size_t>(slot)].IsEmpty())
            return true;
    return false;
}

int SheetStrokes::Add(const Stroke &stroke)
{
    if (m_nextSlot > SlotCount)
        m_nextSlot = SlotCount;
    m_slots[static_cast<std::size_t>(m_nextSlot)] = stroke;
    ++m_nextSlot;
    return ErasePairs();
}

int SheetStrokes::ErasePairs()
{
    int erased = 0;
    for (std::size_t i = 1; i < SlotCount; ++i) {
        for (std::size_t j = i + 1; j <= SlotCount; ++j) {
            Stroke &a = m_slots[i];
            Stroke &b = m_slots[j];
            if (a.IsEmpty() || b.IsEmpty() || !a.SameLine(b))
                continue;
            a = Stroke{};
            b = Stroke{};
            ++erased;
        }
    }
    return erased;
}
