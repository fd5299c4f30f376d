// Scoring any drawing against any figure the game can generate. The counts a
// player sees must add up (every true sample is either right or missed), a
// drawing of exactly the figure's projection must score the maximum whatever
// way round its strokes are drawn, damaged slots must never turn into points,
// and checking the same drawing twice must give the same counts.
//
// Input (FuzzedDataProvider): the seed and level from the end, then per sheet
// a slot list of strokes with indices 1..5, empty slots and, rarely, damaged
// ones; the same strokes are also drawn with the mouse on a game's sheets.

#include "fuzzsupport.h"
#include "core/turn/game.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

// Index values a damaged slot may hold; sampling must ignore the whole slot.
constexpr int OffLattice[] = {0, -1, 6, 7, 100, -100, INT_MIN, INT_MAX};

struct Drawing {
    SegmentList slots{};    // as given, damaged slots included
    SegmentList clean{};    // the same with damaged slots emptied
};

Drawing ReadDrawing(FuzzedDataProvider &in)
{
    Drawing d;
    const int used = in.ConsumeIntegralInRange<int>(0, SlotCount);
    for (int i = 1; i <= used && in.remaining_bytes() > 0; ++i) {
        const auto kind = in.ConsumeIntegral<std::uint8_t>();
        if (kind % 8 == 0)
            continue;  // an erased slot
        auto index = [&] { return in.ConsumeIntegralInRange<int>(LatticeMin, LatticeMax); };
        Stroke s(index(), index(), index(), index());
        const auto slot = static_cast<std::size_t>(i);
        if (kind % 8 == 1) {
            int *fields[] = {&s.StartCol, &s.StartRow, &s.EndCol, &s.EndRow};
            *fields[in.ConsumeIntegralInRange<int>(0, 3)] = OffLattice[in.ConsumeIntegralInRange<int>(0, 7)];
            d.slots[slot] = s;
        } else {
            d.slots[slot] = s;
            d.clean[slot] = s;
        }
    }
    return d;
}

SegmentList Reversed(SegmentList list)
{
    for (Stroke &s : list)
        s = Stroke(s.End(), s.Start());
    return list;
}

std::string Describe(const CheckCounts &c)
{
    return "right " + std::to_string(c.RightCount) + " wrong " + std::to_string(c.WrongCount);
}

void CheckSampleSet(const SampleSet &set, const std::string &where)
{
    constexpr int lo = LatticeMin * SamplePoint::Unit;
    constexpr int hi = LatticeMax * SamplePoint::Unit;
    constexpr int step = SamplePoint::Unit / (GridSteps + 1);
    for (std::size_t i = 0; i < set.size(); ++i) {
        const SamplePoint &p = set[i];
        FUZZ_CHECK(i == 0 || set[i - 1] < p, where + ", samples not sorted and distinct at " + std::to_string(i));
        FUZZ_CHECK(p.col >= lo && p.col <= hi && p.row >= lo && p.row <= hi,
                   where + ", sample off the sheet (" + std::to_string(p.col) + "," + std::to_string(p.row) + ")");
        FUZZ_CHECK(p.col % step == 0 || p.row % step == 0,
                   where + ", sample between the fifths (" + std::to_string(p.col) + "," + std::to_string(p.row) + ")");
    }
}

// Draws a stroke the way a player does: click at the start, click at the end.
void Draw(SheetInput &input, const Stroke &s, const SheetLattice &l)
{
    const PixelPoint a = l.Pixel(s.Start());
    const PixelPoint b = l.Pixel(s.End());
    input.MousePress(a.x, a.y, l);
    input.MouseRelease(a.x, a.y, l);
    input.MousePress(b.x, b.y, l);
    input.MouseRelease(b.x, b.y, l);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const auto seed = in.ConsumeIntegral<std::uint32_t>();
    const int level = in.ConsumeIntegralInRange<int>(0, MaxLevel);
    const bool reverseTruth = in.ConsumeBool();
    const SheetLattice lattice{in.ConsumeIntegralInRange<int>(1, 200), in.ConsumeIntegralInRange<int>(1, 200)};
    const std::string figureName = "seed " + std::to_string(seed) + " level " + std::to_string(level);

    Figure figure;
    RandomGenerator random(seed);
    InitObjects(figure, SegmentCountForLevel(level), random);

    std::array<Drawing, 3> drawings;
    for (Sheet sheet : AllSheets) {
        const std::string where = figureName + ", sheet " + std::to_string(SheetIndex(sheet));
        Drawing &d = drawings[static_cast<std::size_t>(SheetIndex(sheet))];
        d = ReadDrawing(in);

        const SampleSet truth = BuildTrueProjection(figure, sheet);
        const SampleSet drawn = SampleSegments(d.slots);
        CheckSampleSet(truth, where + " truth");
        CheckSampleSet(drawn, where + " drawing");
        FUZZ_CHECK(drawn == SampleSegments(d.clean), where + ", a damaged slot gave samples");
        FUZZ_CHECK(drawn == SampleSegments(Reversed(d.slots)), where + ", the samples depend on stroke direction");

        const CheckCounts counts = CompareSamples(truth, drawn);
        int onTruth = 0;
        for (const SamplePoint &p : drawn)
            onTruth += std::binary_search(truth.begin(), truth.end(), p) ? 1 : 0;
        int missed = 0;
        for (const SamplePoint &p : truth)
            missed += std::binary_search(drawn.begin(), drawn.end(), p) ? 0 : 1;
        const int offTruth = static_cast<int>(drawn.size()) - onTruth;
        const std::string got = where + ", " + Describe(counts) + ", " + std::to_string(truth.size()) +
                                " true samples, " + std::to_string(drawn.size()) + " drawn";
        FUZZ_CHECK(counts.RightCount == onTruth, got);
        FUZZ_CHECK(counts.RightCount + missed == static_cast<int>(truth.size()), got);
        FUZZ_CHECK(counts.WrongCount == missed + offTruth, got);
        FUZZ_CHECK(CompareSamples(truth, drawn) == counts, got + ", a second comparison differs");
    }

    // The same drawings made with the mouse on a game of that figure: checking
    // twice gives the same counts, and the total is the sum of the sheets.
    Game game;
    game.Seed(seed);
    game.SetLevel(level);
    game.New();
    for (Sheet sheet : AllSheets) {
        SheetInput &input = game.Input(sheet);
        input.SetInputEnabled(true);
        for (const Stroke &s : drawings[static_cast<std::size_t>(SheetIndex(sheet))].clean)
            if (!s.IsEmpty())
                Draw(input, s, lattice);
    }
    const Game::CheckOutcome first = game.Check();
    const Game::CheckOutcome second = game.Check();
    FUZZ_CHECK(first.counts == second.counts && first.perSheet == second.perSheet,
               figureName + ", first check " + Describe(first.counts) + ", second " + Describe(second.counts));
    CheckCounts sum;
    for (const CheckCounts &c : first.perSheet)
        sum += c;
    FUZZ_CHECK(sum == first.counts, figureName + ", total " + Describe(first.counts) + " sheets add to " + Describe(sum));

    // A player who draws every line of the projection once, in any direction,
    // scores every true sample and nothing wrong. Drawing with the mouse costs
    // the most, so it is done on one sheet per input; the untouched sheets
    // score every true sample as missed.
    game.Seed(seed);
    game.New();
    const Sheet mouseSheet = AllSheets[static_cast<std::size_t>(in.ConsumeIntegralInRange<int>(0, 2))];
    for (Sheet sheet : AllSheets) {
        std::vector<Stroke> lines;
        for (const Stroke &s : TrueSegments(game.CurrentFigure(), sheet)) {
            if (s.IsEmpty() || s.Start() == s.End())
                continue;
            if (std::none_of(lines.begin(), lines.end(), [&](const Stroke &t) { return t.SameLine(s); }))
                lines.push_back(reverseTruth ? Stroke(s.End(), s.Start()) : s);
        }
        const SampleSet &truth = game.TrueProjection(sheet);
        const CheckCounts full{static_cast<int>(truth.size()), 0};
        SegmentList list{};
        std::copy(lines.begin(), lines.end(), list.begin() + 1);
        const std::string where = figureName + ", sheet " + std::to_string(SheetIndex(sheet));
        FUZZ_CHECK(CompareSamples(truth, SampleSegments(list)) == full,
                   where + ", the projection's own lines score " +
                       Describe(CompareSamples(truth, SampleSegments(list))) + " of " + std::to_string(truth.size()));
        if (sheet != mouseSheet)
            continue;
        SheetInput &input = game.Input(sheet);
        input.SetInputEnabled(true);
        for (const Stroke &s : lines)
            Draw(input, s, lattice);
    }
    const Game::CheckOutcome best = game.Check();
    for (Sheet sheet : AllSheets) {
        const auto i = static_cast<std::size_t>(SheetIndex(sheet));
        const int trueSamples = static_cast<int>(game.TrueProjection(sheet).size());
        const CheckCounts expected = sheet == mouseSheet ? CheckCounts{trueSamples, 0} : CheckCounts{0, trueSamples};
        FUZZ_CHECK(best.perSheet[i] == expected, figureName + ", sheet " + std::to_string(i) + " drawn " +
                                                     (sheet == mouseSheet ? "as the projection" : "empty") +
                                                     " scores " + Describe(best.perSheet[i]) + " of " +
                                                     std::to_string(trueSamples));
    }
    return 0;
}
