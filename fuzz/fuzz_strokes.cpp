// The stroke entry of one sheet under any sequence of mouse events and game
// events: presses and releases anywhere a window system can report (negative,
// far outside, up to the 64-bit limits) with any cell size the layout can
// produce, moves, abandoned strokes, new turns, reveals and the input guard.
// After every event the store must be one the sampler and the widgets can
// trust: every slot empty or on the lattice, no line stored twice, NextSlot
// within 1..101, and a click lands on the lattice point nearest to it.
//
// Input: a stream of events decoded by FuzzedDataProvider.

#include "fuzzsupport.h"
#include "core/sheets/sheetinput.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <bitset>
#include <cstdint>

namespace {

enum class Event : std::uint8_t { Press, Release, Move, Abandon, NewTurn, Reveal, Guard };

Event NextEvent(FuzzedDataProvider &in)
{
    // Mostly mouse events, as in play.
    static constexpr Event table[16] = {Event::Press,   Event::Press,   Event::Press,   Event::Press,
                                        Event::Press,   Event::Release, Event::Release, Event::Release,
                                        Event::Release, Event::Release, Event::Move,    Event::Move,
                                        Event::Abandon, Event::NewTurn, Event::Reveal,  Event::Guard};
    return table[in.ConsumeIntegral<std::uint8_t>() & 15];
}

long long Coordinate(FuzzedDataProvider &in)
{
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return in.ConsumeIntegralInRange<long long>(-100, 1000);  // on or near the sheet
    case 1: return in.ConsumeIntegral<int>();                         // what a window system reports
    default: return in.ConsumeIntegral<long long>();
    }
}

SheetLattice Lattice(FuzzedDataProvider &in)
{
    SheetLattice l;
    const bool small = in.ConsumeBool();
    l.CellWidth = small ? in.ConsumeIntegralInRange<int>(1, 120) : in.ConsumeIntegralInRange<int>(1, INT32_MAX);
    l.CellHeight = small ? in.ConsumeIntegralInRange<int>(1, 120) : in.ConsumeIntegralInRange<int>(1, INT32_MAX);
    return l;
}

// True when `index` is the lattice index nearest to `pos`, the higher one on a tie.
bool Nearest(long long pos, int cell, int index)
{
    if (index < LatticeMin || index > LatticeMax)
        return false;
    auto distance = [&](int i) {
        const __int128 d = static_cast<__int128>(pos) - static_cast<__int128>(i) * cell;
        return d < 0 ? -d : d;
    };
    for (int other = LatticeMin; other <= LatticeMax; ++other) {
        if (distance(other) < distance(index) || (distance(other) == distance(index) && other > index))
            return false;
    }
    return true;
}

bool NearestPoint(long long x, long long y, const SheetLattice &l, LatticePoint p)
{
    return Nearest(x, l.CellWidth, p.col) && Nearest(y, l.CellHeight, p.row);
}

std::string Describe(const Stroke &s)
{
    return "(" + std::to_string(s.StartCol) + "," + std::to_string(s.StartRow) + ")-(" + std::to_string(s.EndCol) +
           "," + std::to_string(s.EndRow) + ")";
}

std::string Where(int event, long long x, long long y, const SheetLattice &l)
{
    return "event " + std::to_string(event) + " at (" + std::to_string(x) + ", " + std::to_string(y) + ") cells " +
           std::to_string(l.CellWidth) + "x" + std::to_string(l.CellHeight);
}

// The unordered pair of lattice points a stroke joins, 0..624: equal for the
// same line drawn either way round.
int LineKey(const Stroke &s)
{
    const int a = (s.StartCol - LatticeMin) * 5 + (s.StartRow - LatticeMin);
    const int b = (s.EndCol - LatticeMin) * 5 + (s.EndRow - LatticeMin);
    return std::min(a, b) * 25 + std::max(a, b);
}

template <typename Where>
void CheckStore(const SheetInput &input, const Where &where)
{
    const SheetStrokes &store = input.Strokes();
    FUZZ_CHECK(store.NextSlot() >= 1 && store.NextSlot() <= SlotCount + 1,
               where() + ", NextSlot " + std::to_string(store.NextSlot()));
    FUZZ_CHECK(store.Slots()[0].IsEmpty(), where() + ", slot 0 " + Describe(store.Slots()[0]));
    std::bitset<25 * 25> lines;
    for (int i = 1; i <= SlotCount; ++i) {
        const Stroke &s = store[i];
        if (s.IsEmpty())
            continue;
        FUZZ_CHECK(s.IsOnLattice(), where() + ", slot " + std::to_string(i) + " " + Describe(s));
        FUZZ_CHECK(i <= store.LastUsedSlot(), where() + ", slot " + std::to_string(i) +
                                                  " used beyond LastUsedSlot " +
                                                  std::to_string(store.LastUsedSlot()));
        const auto key = static_cast<std::size_t>(LineKey(s));
        FUZZ_CHECK(!lines.test(key), where() + ", the line " + Describe(s) + " is stored twice");
        lines.set(key);
    }
    FUZZ_CHECK(!(input.IsRevealed() && input.AcceptsInput()), where() + ", a revealed sheet takes input");
    if (input.StrokeBegun()) {
        const LatticePoint p = input.PendingStart();
        FUZZ_CHECK(p.col >= LatticeMin && p.col <= LatticeMax && p.row >= LatticeMin && p.row <= LatticeMax,
                   where() + ", rubber band starts off the lattice");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    SheetInput input;
    input.SetInputEnabled(true);
    for (int event = 0; in.remaining_bytes() > 0; ++event) {
        const Event what = NextEvent(in);
        const SheetLattice lattice = Lattice(in);
        const long long x = Coordinate(in);
        const long long y = Coordinate(in);
        const auto where = [&] { return Where(event, x, y, lattice); };

        const SegmentList before = input.Strokes().Slots();
        const int nextBefore = input.Strokes().NextSlot();
        const bool accepted = input.AcceptsInput();
        const LatticePoint pendingBefore = input.PendingStart();
        bool storeMayChange = false;

        switch (what) {
        case Event::Press: {
            const SheetInput::Press r = input.MousePress(x, y, lattice);
            FUZZ_CHECK((r == SheetInput::Press::Ignored) == !accepted, where() + ", press ignored iff input is off");
            if (r == SheetInput::Press::Began)
                FUZZ_CHECK(NearestPoint(x, y, lattice, input.PendingStart()),
                           where() + ", stroke begins at (" + std::to_string(input.PendingStart().col) + "," +
                               std::to_string(input.PendingStart().row) + ")");
            break;
        }
        case Event::Release: {
            const SheetInput::ReleaseResult r = input.MouseRelease(x, y, lattice);
            FUZZ_CHECK((r.what == SheetInput::Release::Ignored) == !accepted,
                       where() + ", release ignored iff input is off");
            if (r.what != SheetInput::Release::Finished)
                break;
            storeMayChange = true;
            const auto got = [&] { return where() + ", finished " + Describe(r.stroke); };
            FUZZ_CHECK(r.stroke.Start() == pendingBefore, got() + ", begun elsewhere");
            FUZZ_CHECK(NearestPoint(x, y, lattice, r.stroke.End()), got() + ", end not nearest");
            const SheetStrokes &store = input.Strokes();
            FUZZ_CHECK(store.NextSlot() == std::min(nextBefore, SlotCount) + 1,
                       got() + ", NextSlot " + std::to_string(nextBefore) + " -> " + std::to_string(store.NextSlot()));
            bool stored = false;
            for (int i = 1; i <= SlotCount; ++i)
                stored = stored || store[i].SameLine(r.stroke);
            // Drawn again it erases itself and its twin; drawn once it is kept
            // in the slot it went into.
            FUZZ_CHECK(r.erasedPairs == (stored ? 0 : 1), got() + ", erased " + std::to_string(r.erasedPairs));
            if (stored)
                FUZZ_CHECK(store[store.NextSlot() - 1] == r.stroke, got() + ", not in slot NextSlot - 1");
            break;
        }
        case Event::Move:
            // The core does nothing on a move; the widget only asks where the
            // rubber band starts (checked with the store below).
            break;
        case Event::Abandon:
            input.AbandonStroke();
            FUZZ_CHECK(!input.StrokeBegun(), where() + ", abandoned stroke still begun");
            break;
        case Event::NewTurn:
            input.NewTurn();
            storeMayChange = true;
            FUZZ_CHECK(input.Strokes().NextSlot() == 1 && input.Mode() == SheetMode::Drawing && !input.StrokeBegun(),
                       where() + ", new turn");
            for (int i = 1; i <= SlotCount; ++i)
                FUZZ_CHECK(input.Strokes()[i].IsEmpty(), where() + ", new turn keeps slot " + std::to_string(i));
            break;
        case Event::Reveal:
            input.Reveal();
            FUZZ_CHECK(!input.AcceptsInput(), where() + ", revealed sheet accepts input");
            break;
        case Event::Guard:
            input.SetInputEnabled(!input.InputEnabled());
            break;
        }
        if (!storeMayChange)
            FUZZ_CHECK(input.Strokes().Slots() == before && input.Strokes().NextSlot() == nextBefore,
                       where() + ", the store changed without a finished stroke");
        CheckStore(input, where);
    }
    return 0;
}
