#pragma once

#include "core/classroom/assignment.h"
#include "core/classroom/result.h"
#include "core/coach/choice.h"
#include "core/coach/rating.h"
#include "core/codes/assessment.h"
#include "core/codes/exercise.h"
#include "core/codes/puzzlecode.h"
#include "core/codes/suggestion.h"
#include "core/sheets/classify.h"
#include "core/sheets/mistakes.h"
#include "core/storage/history.h"
#include "core/turn/edithistory.h"
#include "core/turn/game.h"
#include "core/turn/savedturn.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

// Seconds since 1970-01-01 UTC. Injected so that a test fixes the day.
using UtcClock = std::function<std::int64_t()>;
std::int64_t SystemUtcSeconds();

// Every rule of a turn, over the board of Game: how a turn starts (New,
// Restart, a puzzle code, today's figure, an assessment figure), drawing and
// its undo history, hints and peeks and what they cost, Check, which turns may
// set a record, the history record of each turn, the assessment sitting and
// what feeds the level suggestion. It has no clock of its own and no timers:
// the window ticks the seconds and ends a peek after PeekMs.
//
// Seen and first play. A figure (its level and generator state; the daily flag
// does not matter) is seen once a turn on it was checked or peeked; the
// history keeps that across runs. A turn is a first play when its figure was
// not seen as the turn began. A Restart before the turn's first Check goes on
// with the same turn, seconds and help bought included; after a Check it
// starts a new turn on the now seen figure. Only first plays set records and
// feed the level suggestion; the history keeps every checked turn, marked.
//
// Levels. The chosen level is the player's: the saved setting and the size of
// the next New. A code, today's figure or an assessment figure shows its own
// level for that turn without changing the chosen one; only ChooseLevel does.
//
// The assessment. Twelve fixed figures in one sitting; each figure's first
// Check is its result, and New moves on, scoring a figure left unchecked 0.
// A complete sitting goes to the history as one sitting.
//
// The coach. Each exercise has the player's rating, carried on from the
// history, and difficulty weights fitted to it at the first need of a run.
// A first play moves the rating (rating.h); every checked turn records its
// accuracy, the accuracy predicted and the rating after it. With ten rated
// first plays the rating, not the staircase, suggests the level. With
// "Choose figures for me" New picks among candidates around the chosen level
// the figure predicted nearest the target (choice.h), shown at its own level
// without changing the chosen one, and an ordinary new turn in every other
// way: it may set a record and counts as a first play.
//
// A teacher's assignment. Its figures in order, in its exercise, each shown at
// its own level as a code's; New moves to the next figure not yet checked and
// leaves the assignment once every one is. A figure's first Check within the
// assignment is its result, a Restart after it cannot change that, and the
// hints or peeks the assignment does not allow are off. A code, today's
// figure, the assessment or the other exercise leave it (the window asks
// first). Its turns are otherwise ordinary: first plays set records and move
// the rating, and the history marks them with the assignment's id.
//
// Exercises. Every turn is one of two exercises on its figure: drawing its
// views, or building it from them. The chosen exercise is the player's; an
// assessment sitting is always drawn, and choosing to build leaves it. Seen
// and first play are per exercise: a figure is seen for its own exercise once
// checked or peeked, and for the other one as soon as a turn shows it, since
// the views exercise shows the figure and the build exercise its views. So a
// change of exercise during a turn starts a new turn on the same figure in the
// other exercise, which is never a first play. Records of the results file are
// the views exercise's alone; the level suggestion follows each exercise on
// its own, and the chosen level is shared.
class TurnSession {
public:
    static constexpr int PeekMs = 2000;

    using Origin = OriginOfTurn;
    enum class HintOutcome { Given, NoneLeft, Locked, Full, Off };
    struct HintResult {
        HintOutcome outcome = HintOutcome::Locked;
        Sheet sheet = Sheet::X;
    };
    enum class PeekOutcome { Started, AlreadyShowing, NothingDrawn, Locked, Off };
    struct CheckReport {
        Game::CheckOutcome outcome;
        bool firstCheck = false;        // the turn's first Check: it went to the history
        bool recordNotForSeen = false;  // a record score on a figure already seen
        HistoryStatus history;          // how recording the turn went
        std::optional<AssessmentResult> sittingComplete;
        bool suggestionChanged = false;
        bool assignmentChanged = false;  // a figure's result entered: the result file is due
    };

    explicit TurnSession(UtcClock clock = SystemUtcSeconds);

    // Where turns are recorded; null while the history is unavailable. It is
    // asked at the first Check or peek, so a long history costs the start
    // nothing.
    void SetHistory(std::function<History *()> history) { m_history = std::move(history); }

    const Game &Board() const { return m_game; }
    Game &Board() { return m_game; }

    // Levels.
    int ChosenLevel() const { return m_chosenLevel; }
    void ChooseLevel(int level);
    int ShownLevel() const { return m_shownLevel; }

    // How turns begin.
    void StartAt(int level);  // the first figure, at this level, chosen for this run
    // In a sitting, the next figure; the sitting's result when that completed it.
    std::optional<AssessmentResult> New();
    void Restart();
    void OpenCode(const PuzzleCode &code);
    void OpenToday();
    void StartAssessment();
    bool InAssessment() const { return m_sitting.has_value(); }
    // The figure of the sitting now played (0..11), or none.
    std::optional<std::size_t> AssessmentFigure() const;

    // Plays the assignment for the student whose result so far is `result`
    // (NewResult, or one read back): from its first figure not yet checked,
    // or its first when all are. Leaves an assessment sitting.
    void StartAssignment(const Assignment &assignment, AssignmentResult result);
    void LeaveAssignment();
    bool InAssignment() const { return m_assignment.has_value(); }
    const Assignment *CurrentAssignment() const { return m_assignment ? &m_assignment->assignment : nullptr; }
    const AssignmentResult *CurrentAssignmentResult() const { return m_assignment ? &m_assignment->result : nullptr; }
    // The assignment's figure now played, from 0.
    std::optional<std::size_t> AssignmentFigure() const;

    Origin TurnOrigin() const { return m_origin; }
    PuzzleCode CurrentCode() const;
    bool FirstPlay();
    bool Replayed() const { return m_replayed; }

    // Exercises.
    Exercise ChosenExercise() const { return m_chosenExercise; }
    Exercise TurnExercise() const { return m_game.TurnExercise(); }
    // The player's choice; when it differs from the turn's, a new turn on the
    // same figure in the chosen exercise (leaving a sitting for Build).
    // Returns whether a new turn began.
    bool ChooseExercise(Exercise e);

    // Building: a press at a lattice point, or at the cursor when none (the
    // keyboard's Space). A segment ended is added to the figure as one edit.
    struct BuildReport {
        BuildInput::Press press = BuildInput::Press::Ignored;
        BuiltFigure::AddOutcome added = BuiltFigure::AddOutcome::Added;  // when press is Ended
        bool Changed() const
        {
            return press == BuildInput::Press::Ended &&
                   (added == BuiltFigure::AddOutcome::Added || added == BuiltFigure::AddOutcome::Erased);
        }
    };
    BuildReport BuildAt(std::optional<LatticePoint3> at);
    bool DropSegment() { return m_game.Builder().Drop(); }
    bool MoveCursor(int axis, int step) { return m_game.Builder().MoveCursor(axis, step); }

    // Drawing: a stroke entered through Board().Input(sheet), whose store was
    // `before`. Both end a running peek; false when nothing changed.
    bool StrokeFinished(Sheet sheet, const SheetStrokes &before);
    bool ClearSheet(Sheet sheet);
    const EditHistory::Entry *Undo();
    const EditHistory::Entry *Redo();
    const EditHistory &Edits() const { return m_edits; }

    // Help. In the build exercise a hint builds the walk's first unit step
    // that the figure lacks (the sheet is not used).
    HintResult Hint(std::optional<Sheet> preferred);
    // The hints of a sheet still to draw: a step once drawn glows no more.
    std::vector<Stroke> HintsShown(Sheet sheet) const;
    PeekOutcome Peek();
    void EndPeek() { m_peeking = false; }
    bool Peeking() const { return m_peeking; }
    // While a peek lasts: which strokes are right so far.
    std::optional<SheetClassification> PeekMarks(Sheet sheet) const;

    CheckReport Check();
    const Game::CheckOutcome &LastCheck() const { return m_lastCheck; }
    const SheetClassification &Classification(Sheet s) const { return m_classes[Index(s)]; }
    // The mistake named on each sheet by the last Check, if any.
    const SheetMistakes &Mistakes() const { return m_mistakes; }
    // Saves the record that Check announced under a name; the error, if any.
    // The record counts for this run even when the file could not be written.
    std::string ConfirmRecord(const std::string &resultsPath, const std::string &name);

    // The coach's settings: whether New chooses figures, and the target
    // accuracy in percent (clamped to 60..90).
    void SetCoach(bool chooseFigures, int targetPercent);
    bool ChoosesFigures() const { return m_chooseFigures; }
    double Target() const { return m_targetPercent / 100.0; }
    // The player's rating in an exercise, as of the last turn.
    double Rating(Exercise e) { return CoachOf(e).rating; }
    // The accuracy the rating predicts for the turn's figure.
    double Predicted();

    // Continuing a turn in a later run. The turn in play as it stands (a
    // running peek is not kept; the help it cost is), and whether it is
    // worth keeping: something drawn or built and no Check yet.
    SavedTurn Snapshot() const;
    bool Unfinished() const;
    // The saved turn becomes the turn in play, undo history, seconds, help
    // and first-play status as they were; the chosen level stays the
    // player's. Its sitting comes back with it. Its assignment comes back
    // when the window read it again and it still holds the saved figure,
    // with the student's result as the file has it now; otherwise the turn
    // goes on as a code's figure.
    void Continue(const SavedTurn &turn, const Assignment *assignment = nullptr, AssignmentResult result = {});

    void TickSecond() { m_game.TickSecond(); }
    // The suggestion for the turn's exercise.
    const LevelSuggestion &Suggestion() const
    {
        return m_suggestion[static_cast<std::size_t>(ExerciseIndex(TurnExercise()))];
    }
    // Writes a figure's pending "seen" mark to the history: a turn marks its
    // figure seen for the other exercise as it begins, and writes the mark at
    // its first Check, a peek, the next turn or this call (at quit), so that
    // the game's start never waits for the history.
    void FlushSeen();

private:
    static std::size_t Index(Sheet s) { return static_cast<std::size_t>(SheetIndex(s)); }
    static std::uint64_t Key(int level, std::uint32_t seed, Exercise e);
    std::uint64_t Key(Exercise e) const { return Key(m_game.FigureLevel(), m_game.FigureSeed(), e); }
    void Began(Origin origin, bool replayed);
    void MarkSeen();
    // Whether the history knows the figure as seen in the turn's exercise.
    bool IsSeen();
    // The exercise of the next turn: the chosen one, views in a sitting, the
    // assignment's in an assignment.
    Exercise NextExercise() const
    {
        return m_sitting ? Exercise::Views : m_assignment ? m_assignment->assignment.exercise : m_chosenExercise;
    }
    // After New in an assignment: whether it moved to another of its figures.
    bool NextAssignmentFigure();
    void RecordAssignmentCheck(CheckReport &report, std::int64_t utcSeconds);
    HintResult BuildHint();
    void OpenFigure(const PuzzleCode &code, Origin origin);
    void Record(CheckReport &report, bool firstPlay);
    std::optional<AssessmentResult> FinishSittingIfComplete();
    // A new turn at the chosen level: chosen by the coach when it chooses.
    void NewFigure();
    struct Coach {
        bool loaded = false;
        double rating = StartRating;
        DifficultyWeights weights = DefaultWeights;
        std::int64_t rated = 0;  // rated first plays
    };
    // The exercise's coach, read from the history at its first use.
    Coach &CoachOf(Exercise e);
    void HelpTaken();

    UtcClock m_clock;
    std::function<History *()> m_history;
    Game m_game;
    int m_chosenLevel = 0;
    int m_shownLevel = 0;
    Origin m_origin = Origin::New;
    bool m_daily = false;
    bool m_replayed = false;
    // First play, as known at the turn's beginning; asked of the history only
    // when it matters, before this turn marks its figure seen.
    std::optional<bool> m_firstPlay;
    std::set<std::uint64_t> m_seen;  // this run's, for when the history is unavailable
    bool m_recorded = false;         // the turn's first Check is in the history
    bool m_peeking = false;
    EditHistory m_edits;
    std::array<std::vector<Stroke>, 3> m_hints{};
    Game::CheckOutcome m_lastCheck;
    std::array<SheetClassification, 3> m_classes{};
    SheetMistakes m_mistakes{};
    std::array<std::deque<RecentTurn>, 2> m_recent;  // per exercise
    std::array<LevelSuggestion, 2> m_suggestion;
    Exercise m_chosenExercise = Exercise::Views;
    // The figure's mark for the other exercise, not yet in the history.
    struct SeenMark {
        int level = 0;
        std::uint32_t seed = 0;
        Exercise exercise = Exercise::Views;
    };
    std::optional<SeenMark> m_pendingSeen;
    std::array<Coach, 2> m_coach{};
    bool m_chooseFigures = false;
    int m_targetPercent = DefaultTargetPercent;
    std::mt19937 m_choiceRandom{std::random_device{}()};
    // The turn's tries before its first hint or peek; none until one.
    int m_strokesMade = 0;
    std::optional<int> m_helpSeconds;
    std::optional<int> m_helpStrokes;

    using Sitting = SavedTurn::Sitting;
    std::optional<Sitting> m_sitting;

    struct AssignmentPlay {
        Assignment assignment;
        AssignmentResult result;
        std::size_t figure = 0;
    };
    std::optional<AssignmentPlay> m_assignment;
};
