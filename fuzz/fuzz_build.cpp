// The build exercise under any sequence of what a player does: cursor steps,
// Space, clicks at lattice points, Esc, undo and redo, hints, an activation,
// Check, Restart, New and a change of exercise. After every step:
// - the figure holds at most 100 segments, each between two lattice points of
//   one axis line, no two the same;
// - every sheet holds exactly the built figure's projection, so Check scores
//   what the player built;
// - undo and redo give back exactly the figure they name, and nothing changes
//   the figure after a Check;
// - the cursor and a begun segment stay on the lattice;
// - a Check's figure fits the views exactly when nothing is wrong, and the
//   walk itself always fits; help is paid once per hint given.

#include "fuzzsupport.h"
#include "core/turn/turnsession.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

namespace {

LatticePoint3 Point(FuzzedDataProvider &in)
{
    return {in.ConsumeIntegralInRange<int>(0, 4), in.ConsumeIntegralInRange<int>(0, 4), in.ConsumeIntegralInRange<int>(0, 4)};
}

void CheckFigure(const Game &g, const std::string &where)
{
    const auto &segments = g.Built().Segments();
    FUZZ_CHECK(segments.size() <= static_cast<std::size_t>(BuiltFigure::MaxSegments), where + ": over 100 segments");
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const BuiltSegment &s = segments[i];
        FUZZ_CHECK(s.from.OnLattice() && s.to.OnLattice() && AxisBetween(s.from, s.to), where + ": a segment off the lines");
        for (std::size_t j = i + 1; j < segments.size(); ++j)
            FUZZ_CHECK(!s.SameLine(segments[j]), where + ": the same segment twice");
    }
    for (Sheet sheet : AllSheets) {
        const SheetStrokes &strokes = g.Input(sheet).Strokes();
        FUZZ_CHECK(strokes.Slots() == g.Built().Projection(sheet) &&
                       strokes.LastUsedSlot() == static_cast<int>(segments.size()),
                   where + ": a sheet does not hold the figure's projection");
    }
    const BuildInput &b = g.Builder();
    FUZZ_CHECK(b.Cursor().OnLattice() && b.BegunAt().OnLattice(), where + ": the cursor left the lattice");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    TurnSession session([] { return std::int64_t{20794} * 86400; });
    session.ChooseExercise(Exercise::Build);
    session.StartAt(in.ConsumeIntegralInRange<int>(0, 6));
    HelpUsed paid;

    for (int step = 0; step < 300 && in.remaining_bytes() > 0; ++step) {
        Game &g = session.Board();
        const bool checked = g.Checked();
        const BuiltFigure before = g.Built();
        const std::string where = "step " + std::to_string(step);
        bool mayChange = !checked;
        switch (in.ConsumeIntegralInRange<int>(0, 13)) {
        case 0:
        case 1:
        case 2:
            session.MoveCursor(in.ConsumeIntegralInRange<int>(0, 2), in.ConsumeBool() ? 1 : -1);
            break;
        case 3:
        case 4:
            session.BuildAt(std::nullopt);
            break;
        case 5:
            session.BuildAt(Point(in));
            break;
        case 6:
            session.DropSegment();
            FUZZ_CHECK(!g.Builder().Begun(), where + ": Esc left a segment begun");
            break;
        case 7: {
            const bool undo = in.ConsumeBool();
            const EditHistory::Entry *e = undo ? session.Undo() : session.Redo();
            if (e)
                FUZZ_CHECK(e->IsBuild() && g.Built() == (undo ? e->build.before : e->build.after),
                           where + ": undo or redo did not give back the figure it names");
            break;
        }
        case 8:
            if (session.Hint(std::nullopt).outcome == TurnSession::HintOutcome::Given)
                ++paid.hints;
            break;
        case 9:
            g.Activate();
            FUZZ_CHECK(!g.Builder().Begun(), where + ": an activation left a segment begun");
            break;
        case 10: {
            const Game::CheckOutcome o = session.Check().outcome;
            FUZZ_CHECK(o.fitsViews == (o.counts.WrongCount == 0), where + ": fits the views, yet something is wrong");
            FUZZ_CHECK(!o.sameAsWalk || o.fitsViews, where + ": the walk itself does not fit its views");
            FUZZ_CHECK(o.help == paid, where + ": the Check's help is not what the turn paid");
            break;
        }
        case 11:
            session.Restart();
            mayChange = true;
            if (checked)
                paid = {};
            break;
        case 12:
            session.New();
            mayChange = true;
            paid = {};
            break;
        default:
            // Away to the views exercise and back: a new turn each way.
            session.ChooseExercise(Exercise::Views);
            session.ChooseExercise(Exercise::Build);
            mayChange = true;
            paid = {};
            break;
        }
        FUZZ_CHECK(mayChange || g.Built() == before, where + ": a checked figure changed");
        FUZZ_CHECK(g.Help() == paid, where + ": help charged differs from what was bought");
        CheckFigure(g, where);
    }
    return 0;
}
