// Whole turns through the turn session under any sequence of what a player
// does: strokes, clears, undo and redo, hints, peeks (ended or not), Check,
// Restart, New, a code, today's figure, an assessment, a level chosen. After
// every step the session must hold its rules:
// - undo and redo put back exactly the drawing they name, and a Check
//   empties the edit history;
// - a peek is paid once per press that starts one, a hint once per hint
//   given, nothing after a Check; Restart before a Check keeps the help;
// - a record is offered only on a first play, and a figure checked or peeked
//   is never a first play again;
// - the level the player chose is the one New uses, whatever else showed;
// - a sitting never has more than twelve results.
//
// Input: a stream of steps decoded by FuzzedDataProvider. No history file:
// the session's own memory of seen figures is what is tried.

#include "fuzzsupport.h"
#include "core/turn/turnsession.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <set>

namespace {

std::uint64_t KeyOf(const Game &g)
{
    return static_cast<std::uint64_t>(g.FigureLevel()) << 32 | g.FigureSeed();
}

bool AnyStroke(const Game &g)
{
    for (Sheet s : AllSheets)
        for (int slot = 1; slot <= SlotCount; ++slot)
            if (!g.Input(s).Strokes()[slot].IsEmpty())
                return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    std::int64_t now = 20794LL * 86400 + in.ConsumeIntegralInRange<int>(0, 86400 * 7);
    TurnSession session([&now] { return now; });
    session.StartAt(in.ConsumeIntegralInRange<int>(0, 6));
    // Every score beats this, so every Check asks whether the turn may set a record.
    session.Board().SetRecordThreshold(-1000000);
    std::set<std::uint64_t> seen;  // figures whose truth a Check or a peek showed
    HelpUsed paid;                 // what this turn paid, counted here
    bool firstPlay = true;

    for (int step = 0; step < 200 && in.remaining_bytes() > 0; ++step) {
        Game &g = session.Board();
        const bool checked = g.Checked();
        const std::string where = "step " + std::to_string(step);
        auto began = [&] {  // a new turn: nothing paid, first play unless seen
            paid = {};
            firstPlay = seen.count(KeyOf(g)) == 0;
        };
        const Sheet sheet = AllSheets[in.ConsumeIntegralInRange<std::size_t>(0, 2)];
        switch (in.ConsumeIntegralInRange<int>(0, 14)) {
        case 0:
        case 1:
        case 2: {  // a stroke between two lattice points
            SheetInput &input = g.Input(sheet);
            input.SetInputEnabled(true);
            const SheetStrokes before = input.Strokes();
            const LatticePoint a{in.ConsumeIntegralInRange<int>(1, 5), in.ConsumeIntegralInRange<int>(1, 5)};
            const LatticePoint b{in.ConsumeIntegralInRange<int>(1, 5), in.ConsumeIntegralInRange<int>(1, 5)};
            input.PressAt(a);
            input.ReleaseAt(a);
            input.PressAt(b);
            input.ReleaseAt(b);
            const bool changed = session.StrokeFinished(sheet, before);
            FUZZ_CHECK(!checked || !changed, where + ": a checked sheet took a stroke");
            FUZZ_CHECK(!changed || !session.Peeking(), where + ": a stroke left the peek showing");
            break;
        }
        case 3:
            session.ClearSheet(sheet);
            break;
        case 4:
        case 5: {
            const bool undo = in.ConsumeBool();
            const EditHistory::Entry *e = undo ? session.Undo() : session.Redo();
            FUZZ_CHECK(!checked || e == nullptr, where + ": undo after a Check");
            if (e)
                FUZZ_CHECK(g.Input(e->edit.sheet).Strokes() == (undo ? e->edit.before : e->edit.after),
                           where + ": undo or redo did not give back the drawing it names");
            break;
        }
        case 6:
            if (session.Hint(in.ConsumeBool() ? std::optional<Sheet>(sheet) : std::nullopt).outcome ==
                TurnSession::HintOutcome::Given)
                ++paid.hints;
            break;
        case 7: {
            // A peek starts only over a drawing, not while one shows, not after Check.
            const bool starts = !checked && !session.Peeking() && AnyStroke(g);
            FUZZ_CHECK((session.Peek() == TurnSession::PeekOutcome::Started) == starts, where + ": a peek started wrongly");
            if (starts) {
                ++paid.peeks;
                seen.insert(KeyOf(g));
            }
            break;
        }
        case 8:
            session.EndPeek();
            break;
        case 9: {
            const TurnSession::CheckReport r = session.Check();
            FUZZ_CHECK(r.outcome.help == paid, where + ": the Check's help is not what the turn paid");
            FUZZ_CHECK(r.outcome.newRecord == firstPlay, where + ": a record on a figure seen, or none on a first play");
            FUZZ_CHECK(!session.Edits().CanUndo() && !session.Edits().CanRedo(), where + ": undo left after Check");
            seen.insert(KeyOf(g));
            break;
        }
        case 10:
            session.Restart();
            if (checked)
                began();
            break;
        case 11:
            session.New();
            began();
            if (!session.InAssessment())
                FUZZ_CHECK(g.FigureLevel() == session.ChosenLevel(), where + ": New did not use the chosen level");
            break;
        case 12:
            // Few levels and seeds, so the same figure comes back often.
            session.OpenCode({in.ConsumeIntegralInRange<int>(0, 3), in.ConsumeIntegral<std::uint32_t>() % 4,
                              in.ConsumeBool()});
            began();
            break;
        case 13:
            now += in.ConsumeIntegralInRange<int>(0, 86400 * 2);
            in.ConsumeBool() ? session.OpenToday() : session.StartAssessment();
            began();
            break;
        default:
            session.ChooseLevel(in.ConsumeIntegralInRange<int>(-5, MaxLevel + 5));
            FUZZ_CHECK(session.ChosenLevel() >= 0 && session.ChosenLevel() <= MaxLevel, where + ": level out of range");
            break;
        }
        FUZZ_CHECK(g.Help() == paid, where + ": help charged differs from what was bought");
        if (const auto figure = session.AssessmentFigure())
            FUZZ_CHECK(*figure < AssessmentSize, where + ": a sitting past its twelve figures");
    }
    return 0;
}
