#pragma once

#include "core/build/buildinput.h"
#include "core/build/builtfigure.h"
#include "core/codes/exercise.h"
#include "core/figure/figure.h"
#include "core/figure/randomgenerator.h"
#include "core/turn/helpcost.h"
#include "core/sheets/sampling.h"
#include "core/sheets/sheetinput.h"

#include <array>
#include <cstdint>

// The board of a turn: the current figure, the three sheets, the counters of
// the last Check, the record threshold, the help bought and the turn's seconds.
// A level change sizes the next New only; the current figure keeps its own
// segment count. A Check locks the sheets and scores all three of them without
// consuming anything, so checking the same drawing again gives the same counts.
// The turn's seconds end at its first Check: a repeated Check reports them again.
// Which turn counts for what (records, the history, the assessment) is the
// turn session's business, not the board's.
//
// In the build exercise the sheets take no strokes: each holds the projection
// of the figure built so far, kept up to date with every build edit, so Check,
// the marks and a peek score the built figure exactly as drawn strokes.
class Game {
public:
    struct CheckOutcome {
        CheckCounts counts;
        std::array<CheckCounts, 3> perSheet{};
        HelpUsed help;           // hints and peeks bought before this Check
        int finalScore = 0;      // the score less what the help cost
        bool newRecord = false;  // a record: set by the turn session, which knows whether the turn may set one
        int seconds = 0;         // the turn's seconds, up to its first Check
        // The build exercise: the built figure's three views are the truth's,
        // and whether it is the walk itself, step for step.
        bool fitsViews = false;
        bool sameAsWalk = false;
    };

    Game();

    // A new turn: empty sheets in drawing mode, a new figure of the current
    // level from the generator as it stands, fresh true projections, seconds
    // from 0.
    void New();
    // The current figure again, as New made it: empty sheets, seconds from 0,
    // no help bought.
    void Replay();
    // The same turn drawn afresh: empty sheets in drawing mode; the seconds and
    // the help bought carry on.
    void ClearDrawing();
    // A new turn on the figure that the generator builds from this state at
    // this level; the level of later New turns stays as it was.
    void NewFrom(int level, std::uint32_t seed);
    CheckOutcome Check();
    // A saved turn carried on: after NewFrom on its figure, its strokes or
    // built figure, the help it bought and its seconds so far.
    void Resume(const std::array<SheetStrokes, 3> &strokes, const BuiltFigure &built, const HelpUsed &help,
                int seconds);

    // Help bought during a turn, before its Check; each use costs points.
    void UseHint() { ++m_help.hints; }
    void UsePeek() { ++m_help.peeks; }
    const HelpUsed &Help() const { return m_help; }

    // The exercise of the turns started from now on.
    void SetExercise(Exercise e) { m_exercise = e; }
    Exercise TurnExercise() const { return m_exerciseOfTurn; }

    // The build exercise's figure and cursor.
    const BuiltFigure &Built() const { return m_built; }
    BuildInput &Builder() { return m_builder; }
    const BuildInput &Builder() const { return m_builder; }
    // A change of the built figure, done or undone; refused once checked.
    bool ApplyBuild(const BuildEdit &edit) { return SetBuilt(edit.after); }
    bool RevertBuild(const BuildEdit &edit) { return SetBuilt(edit.before); }

    // A change to one sheet's strokes (a stroke, a clear), done or undone.
    // Refused once the turn is checked.
    bool ApplyEdit(const SheetEdit &edit);
    bool RevertEdit(const SheetEdit &edit);
    // An activation of the main window: half-drawn strokes are dropped and the
    // true projections rebuilt.
    void Activate();
    void TickSecond();
    // A record confirmed under a name: it becomes the score to beat.
    void RecordConfirmed(int score);
    void ReseedFromClock() { m_random.SeedFromClock(); }
    void Seed(std::uint32_t seed) { m_random.Seed(seed); }

    int Level() const { return m_segmentCount - MinSegmentCount; }
    void SetLevel(int level) { m_segmentCount = SegmentCountForLevel(level); }
    // The figure's own level and the generator state it was built from.
    int FigureLevel() const { return m_figure.SegmentCount - MinSegmentCount; }
    std::uint32_t FigureSeed() const { return m_figureSeed; }

    const Figure &CurrentFigure() const { return m_figure; }
    SheetInput &Input(Sheet s) { return m_sheets[Index(s)]; }
    const SheetInput &Input(Sheet s) const { return m_sheets[Index(s)]; }
    const SampleSet &TrueProjection(Sheet s) const { return m_trueProjection[Index(s)]; }
    const SegmentList &TrueSegments(Sheet s) const { return m_trueSegments[Index(s)]; }
    // The samples of each sheet's drawing as the last Check scored them.
    const std::array<SampleSet, 3> &CheckedSamples() const { return m_checkedSamples; }
    const std::array<SampleSet, 3> &TrueSamples() const { return m_trueProjection; }

    bool Checked() const { return m_checked; }
    // Something on a sheet: a stroke, or in the build exercise the view of a
    // built segment.
    bool HasDrawing() const;
    int RightCount() const { return m_counts.RightCount; }
    int WrongCount() const { return m_counts.WrongCount; }
    int Score() const { return m_counts.Score(); }
    int RecordThreshold() const { return m_recordThreshold; }
    void SetRecordThreshold(int threshold) { m_recordThreshold = threshold; }
    int Seconds() const { return m_seconds; }

private:
    static std::size_t Index(Sheet s) { return static_cast<std::size_t>(SheetIndex(s)); }
    void Generate(int segmentCount);
    void StartTurn();
    void BuildTrueProjections();
    bool SetBuilt(const BuiltFigure &figure);

    RandomGenerator m_random;
    Figure m_figure;
    std::uint32_t m_figureSeed = 0;
    int m_segmentCount = MinSegmentCount;  // the size of the next figure
    std::array<SheetInput, 3> m_sheets;
    std::array<SegmentList, 3> m_trueSegments{};
    std::array<SampleSet, 3> m_trueProjection{};
    std::array<SampleSet, 3> m_checkedSamples{};
    CheckCounts m_counts;
    HelpUsed m_help;
    bool m_checked = false;  // the counters belong to a Check of this turn
    int m_recordThreshold = 0;
    int m_seconds = 0;
    bool m_secondsRunning = true;
    Exercise m_exercise = Exercise::Views;
    Exercise m_exerciseOfTurn = Exercise::Views;
    BuiltFigure m_built;
    BuildInput m_builder;
};
