#pragma once

#include "core/sheets/segmentlist.h"

// The player's strokes on one sheet. NextSlot is the slot the next finished
// stroke goes into; it only grows within a turn (erased slots are not reused),
// and once past 100 every further stroke replaces the one in slot 100.
// Drawing a stroke that is already there, in either direction, erases both.
// A plain value: a copy holds the whole store (slots and NextSlot, hence also
// whether it is full), so putting a copy back restores it exactly.
class SheetStrokes {
public:
    const SegmentList &Slots() const { return m_slots; }
    const Stroke &operator[](int slot) const { return m_slots.at(static_cast<std::size_t>(slot)); }
    int NextSlot() const { return m_nextSlot; }
    // Slots that may hold strokes: 1..LastUsedSlot().
    int LastUsedSlot() const { return m_nextSlot - 1 > SlotCount ? SlotCount : m_nextSlot - 1; }
    // Whether any slot holds a stroke.
    bool Any() const;

    // Empties every slot and starts numbering at slot 1 again.
    void Clear();
    // Holds these slots as they are, nothing erased: the sheet's view of a
    // figure built in 3D, where two segments may well look the same.
    void Assign(const SegmentList &slots, int count);

    // Stores a finished stroke in NextSlot, then erases every pair of equal
    // strokes. Returns the number of pairs erased.
    int Add(const Stroke &stroke);

    friend bool operator==(const SheetStrokes &, const SheetStrokes &) = default;

private:
    int ErasePairs();

    SegmentList m_slots{};
    int m_nextSlot = 1;
};
