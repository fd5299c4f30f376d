#include "core/turn/turnsession.h"

#include "core/storage/resultsfile.h"

#include <algorithm>
#include <chrono>
#include <random>

namespace {

constexpr std::size_t RecentTurnsKept = 10;

} // namespace

std::int64_t SystemUtcSeconds()
{
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

TurnSession::TurnSession(UtcClock clock) : m_clock(std::move(clock)) {}

std::uint64_t TurnSession::Key(int level, std::uint32_t seed, Exercise e)
{
    // Levels are 0..84: seven bits, the exercise above them.
    const auto high = static_cast<std::uint64_t>(static_cast<std::uint32_t>(level) & 0x7fffffffu) |
                      (e == Exercise::Build ? 0x80000000u : 0u);
    return high << 32 | seed;
}

void TurnSession::ChooseLevel(int level)
{
    m_chosenLevel = std::clamp(level, 0, MaxLevel);
    m_shownLevel = m_chosenLevel;
    m_game.SetLevel(m_chosenLevel);
    // A level the player chose answers any suggestion.
    for (LevelSuggestion &suggestion : m_suggestion)
        if (suggestion.change != LevelChange::None)
            suggestion = {LevelChange::None, m_chosenLevel};
}

void TurnSession::StartAt(int level)
{
    ChooseLevel(level);
    NewFigure();
}

void TurnSession::Began(Origin origin, bool replayed)
{
    m_origin = origin;
    m_replayed = replayed;
    m_recorded = false;
    m_peeking = false;
    m_edits.Clear();
    m_hints = {};
    m_classes = {};
    m_mistakes = {};
    m_lastCheck = {};
    m_strokesMade = 0;
    m_helpSeconds.reset();
    m_helpStrokes.reset();
    m_shownLevel = origin == Origin::New ? m_chosenLevel : m_game.FigureLevel();
    const Exercise own = TurnExercise();
    if (replayed || m_seen.count(Key(own)) != 0)
        m_firstPlay = false;
    else
        m_firstPlay.reset();
    // The turn shows what the other exercise asks for.
    FlushSeen();
    const Exercise other = own == Exercise::Views ? Exercise::Build : Exercise::Views;
    if (m_seen.insert(Key(other)).second)
        m_pendingSeen = SeenMark{m_game.FigureLevel(), m_game.FigureSeed(), other};
}

void TurnSession::FlushSeen()
{
    if (!m_pendingSeen)
        return;
    const SeenMark mark = *m_pendingSeen;
    m_pendingSeen.reset();
    if (History *h = m_history ? m_history() : nullptr)
        h->MarkSeen(mark.level, mark.seed, mark.exercise);
}

bool TurnSession::IsSeen()
{
    // This run's seen figures were looked at as the turn began.
    bool seen = false;
    if (History *h = m_history ? m_history() : nullptr)
        seen = h->IsSeen(m_game.FigureLevel(), m_game.FigureSeed(), TurnExercise(), seen).ok && seen;
    return seen;
}

bool TurnSession::FirstPlay()
{
    if (!m_firstPlay)
        m_firstPlay = !IsSeen();
    return *m_firstPlay;
}

void TurnSession::MarkSeen()
{
    FirstPlay();  // known before the figure becomes seen
    FlushSeen();
    if (!m_seen.insert(Key(TurnExercise())).second)
        return;
    // A failure here was or will be told with the turn's record; this run
    // remembers the figure in any case.
    if (History *h = m_history ? m_history() : nullptr)
        h->MarkSeen(m_game.FigureLevel(), m_game.FigureSeed(), TurnExercise());
}

std::optional<AssessmentResult> TurnSession::New()
{
    std::optional<AssessmentResult> finished;
    if (m_assignment && NextAssignmentFigure())
        return finished;
    if (m_sitting) {
        // New moves the sitting on; a figure left unchecked scores nothing.
        if (!m_sitting->result.done[m_sitting->figure])
            m_sitting->result.Record(m_sitting->figure, 0, m_game.Seconds());
        finished = FinishSittingIfComplete();
        if (m_sitting && m_sitting->figure + 1 < AssessmentSize) {
            ++m_sitting->figure;
            OpenFigure(AssessmentSet()[m_sitting->figure], Origin::Assessment);
            return std::nullopt;
        }
    }
    NewFigure();
    return finished;
}

void TurnSession::Restart()
{
    if (m_game.Checked()) {
        // The truth was shown: a new turn on the same, now seen, figure.
        const int shown = m_shownLevel;
        m_game.SetExercise(TurnExercise());
        m_game.Replay();
        Began(m_origin, true);
        m_shownLevel = shown;
        return;
    }
    // Before its first Check a restart is the same turn drawn afresh.
    m_game.ClearDrawing();
    m_edits.Clear();
    m_peeking = false;
}

void TurnSession::OpenFigure(const PuzzleCode &code, Origin origin)
{
    m_game.SetExercise(NextExercise());
    m_game.NewFrom(code.level, code.seed);
    m_daily = code.daily;
    Began(origin, false);
}

void TurnSession::OpenCode(const PuzzleCode &code)
{
    m_sitting.reset();
    m_assignment.reset();
    OpenFigure(code, code.daily ? Origin::Daily : Origin::Code);
}

void TurnSession::OpenToday()
{
    m_sitting.reset();
    m_assignment.reset();
    const std::chrono::sys_seconds now{std::chrono::seconds{m_clock()}};
    OpenFigure(DailyPuzzle(UtcDate(now)), Origin::Daily);
}

void TurnSession::StartAssessment()
{
    // A random id: two sittings never share one, even when two copies of the
    // game start them within the same second. The history orders sittings by
    // their time, not their id.
    static std::mt19937_64 random{std::random_device{}()};
    std::int64_t id = 0;
    while (id == 0)
        id = static_cast<std::int64_t>(random() >> 2);
    m_assignment.reset();
    m_sitting = Sitting{id, 0, {}};
    OpenFigure(AssessmentSet()[0], Origin::Assessment);
}

std::optional<std::size_t> TurnSession::AssessmentFigure() const
{
    return m_sitting ? std::optional<std::size_t>(m_sitting->figure) : std::nullopt;
}

std::optional<AssessmentResult> TurnSession::FinishSittingIfComplete()
{
    if (!m_sitting || !m_sitting->result.Complete())
        return std::nullopt;
    const Sitting sitting = *m_sitting;
    m_sitting.reset();
    if (History *h = m_history ? m_history() : nullptr)
        h->AppendSitting({sitting.id, m_clock(), sitting.result.TotalScore(), sitting.result.TotalSeconds()});
    return sitting.result;
}

PuzzleCode TurnSession::CurrentCode() const
{
    return {m_game.FigureLevel(), m_game.FigureSeed(), m_daily};
}

bool TurnSession::ChooseExercise(Exercise e)
{
    m_chosenExercise = e;
    if (m_sitting && e == Exercise::Views)
        return false;  // a sitting is drawn in any case
    if (m_assignment && e == m_assignment->assignment.exercise)
        return false;
    if (TurnExercise() == e && !m_sitting && !m_assignment)
        return false;
    // The same figure in the other exercise; a sitting or an assignment left
    // behind leaves its figure as a code's.
    const Origin origin = m_sitting || m_assignment ? Origin::Code : m_origin;
    const int shown = m_shownLevel;
    m_sitting.reset();
    m_assignment.reset();
    m_game.SetExercise(e);
    m_game.NewFrom(m_game.FigureLevel(), m_game.FigureSeed());
    Began(origin, false);
    m_shownLevel = shown;
    return true;
}

TurnSession::BuildReport TurnSession::BuildAt(std::optional<LatticePoint3> at)
{
    BuildReport report;
    if (m_game.Checked())
        return report;
    BuildInput &builder = m_game.Builder();
    const BuildInput::PressResult press = at ? builder.PressAt(*at) : builder.PressAtCursor();
    report.press = press.what;
    if (press.what != BuildInput::Press::Ended)
        return report;
    BuiltFigure after = m_game.Built();
    report.added = after.Add(press.segment);
    if (!report.Changed())
        return report;
    BuildEdit edit{m_game.Built(), std::move(after)};
    m_game.ApplyBuild(edit);
    m_edits.Push(EditHistory::Kind::Build, std::move(edit));
    m_peeking = false;
    ++m_strokesMade;
    return report;
}

bool TurnSession::StrokeFinished(Sheet sheet, const SheetStrokes &before)
{
    const SheetStrokes &after = m_game.Input(sheet).Strokes();
    if (after == before)
        return false;
    m_edits.Push(EditHistory::Kind::Stroke, {sheet, before, after});
    m_peeking = false;
    ++m_strokesMade;
    return true;
}

bool TurnSession::ClearSheet(Sheet sheet)
{
    SheetInput &input = m_game.Input(sheet);
    const SheetStrokes before = input.Strokes();
    if (!input.ClearStrokes() || input.Strokes() == before)
        return false;
    m_edits.Push(EditHistory::Kind::ClearSheet, {sheet, before, input.Strokes()});
    m_peeking = false;
    return true;
}

const EditHistory::Entry *TurnSession::Undo()
{
    const EditHistory::Entry *e = m_game.Checked() ? nullptr : m_edits.Undo();
    if (e && (e->IsBuild() ? m_game.RevertBuild(e->build) : m_game.RevertEdit(e->edit)))
        m_peeking = false;  // or undo and redo would test strokes under a peek
    return e;
}

const EditHistory::Entry *TurnSession::Redo()
{
    const EditHistory::Entry *e = m_game.Checked() ? nullptr : m_edits.Redo();
    if (e && (e->IsBuild() ? m_game.ApplyBuild(e->build) : m_game.ApplyEdit(e->edit)))
        m_peeking = false;
    return e;
}

TurnSession::HintResult TurnSession::Hint(std::optional<Sheet> preferred)
{
    if (m_game.Checked())
        return {HintOutcome::Locked, Sheet::X};
    if (m_assignment && !m_assignment->assignment.hints)
        return {HintOutcome::Off, preferred.value_or(Sheet::X)};
    if (TurnExercise() == Exercise::Build)
        return BuildHint();
    std::optional<SheetHint> chosen;
    if (preferred) {
        const Sheet s = *preferred;
        if (auto unit = ChooseHint(m_game.TrueSegments(s), m_game.Input(s).Strokes().Slots(), m_hints[Index(s)]))
            chosen = SheetHint{s, *unit};
    }
    if (!chosen) {
        std::array<SegmentList, 3> truth{};
        std::array<SegmentList, 3> strokes{};
        for (Sheet s : AllSheets) {
            truth[Index(s)] = m_game.TrueSegments(s);
            strokes[Index(s)] = m_game.Input(s).Strokes().Slots();
        }
        chosen = ChooseSheetHint(truth, strokes, m_hints);
    }
    if (!chosen)
        return {HintOutcome::NoneLeft, preferred.value_or(Sheet::X)};
    m_hints[Index(chosen->sheet)].push_back(chosen->unit);
    HelpTaken();
    m_game.UseHint();
    return {HintOutcome::Given, chosen->sheet};
}

TurnSession::HintResult TurnSession::BuildHint()
{
    const std::optional<BuiltSegment> step = ChooseBuildHint(m_game.CurrentFigure(), m_game.Built());
    if (!step)
        return {HintOutcome::NoneLeft, Sheet::X};
    BuiltFigure after = m_game.Built();
    if (after.Add(*step) != BuiltFigure::AddOutcome::Added)
        return {HintOutcome::Full, Sheet::X};
    BuildEdit edit{m_game.Built(), std::move(after)};
    m_game.ApplyBuild(edit);
    m_edits.Push(EditHistory::Kind::BuildHint, std::move(edit));
    HelpTaken();
    m_game.UseHint();
    m_peeking = false;
    return {HintOutcome::Given, Sheet::X};
}

std::vector<Stroke> TurnSession::HintsShown(Sheet sheet) const
{
    std::vector<Stroke> shown;
    const SegmentList &strokes = m_game.Input(sheet).Strokes().Slots();
    for (const Stroke &hint : m_hints[Index(sheet)]) {
        SegmentList step{};
        step[1] = hint;
        if (MissingSampleCount(step, strokes) > 0)
            shown.push_back(hint);
    }
    return shown;
}

TurnSession::PeekOutcome TurnSession::Peek()
{
    if (m_game.Checked())
        return PeekOutcome::Locked;
    if (m_assignment && !m_assignment->assignment.peeks)
        return PeekOutcome::Off;
    if (m_peeking)
        return PeekOutcome::AlreadyShowing;
    if (!m_game.HasDrawing())
        return PeekOutcome::NothingDrawn;  // nothing to mark, nothing to pay for
    HelpTaken();
    m_game.UsePeek();
    m_peeking = true;
    MarkSeen();
    return PeekOutcome::Started;
}

std::optional<SheetClassification> TurnSession::PeekMarks(Sheet s) const
{
    if (!m_peeking)
        return std::nullopt;
    return Classify(m_game.TrueSegments(s), m_game.Input(s).Strokes().Slots());
}

TurnSession::CheckReport TurnSession::Check()
{
    CheckReport report;
    m_edits.Clear();
    m_peeking = false;
    const bool firstPlay = FirstPlay();
    MarkSeen();
    report.outcome = m_game.Check();
    // The results file keeps the views exercise's records alone.
    const bool beats = TurnExercise() == Exercise::Views && report.outcome.finalScore > m_game.RecordThreshold();
    report.outcome.newRecord = firstPlay && beats;
    report.recordNotForSeen = !firstPlay && beats;
    for (Sheet s : AllSheets)
        m_classes[Index(s)] = Classify(m_game.TrueSegments(s), m_game.Input(s).Strokes().Slots());
    m_mistakes = NameMistakes(m_game.TrueSamples(), m_game.CheckedSamples());
    m_lastCheck = report.outcome;
    if (!m_recorded) {
        m_recorded = true;
        report.firstCheck = true;
        Record(report, firstPlay);
    }
    return report;
}

void TurnSession::Record(CheckReport &report, bool firstPlay)
{
    const Game::CheckOutcome &o = report.outcome;
    TurnRecord turn;
    turn.utcSeconds = m_clock();
    turn.puzzleCode = EncodePuzzleCode(CurrentCode());
    turn.level = m_game.FigureLevel();
    turn.seconds = o.seconds;
    for (std::size_t i = 0; i < 3; ++i)
        turn.sheets[i] = {o.perSheet[i].RightCount, o.perSheet[i].WrongCount, o.perSheet[i].Score()};
    turn.total = {o.counts.RightCount, o.counts.WrongCount, o.counts.Score()};
    turn.hintsUsed = o.help.hints;
    turn.peeksUsed = o.help.peeks;
    turn.helpCost = o.help.Cost();
    turn.finalScore = o.finalScore;
    turn.restart = m_replayed;
    turn.fromCode = m_origin != Origin::New;
    turn.daily = m_daily;
    turn.assessment = m_sitting ? m_sitting->id : 0;
    turn.firstPlay = firstPlay;
    turn.exercise = TurnExercise();
    turn.mistakes = MistakesText(m_mistakes);
    // The coach: a first play moves the rating; any turn records it.
    Coach &coach = CoachOf(turn.exercise);
    const double expected =
        ExpectedAccuracy(coach.rating, Difficulty(ComputeFeatures(m_game.CurrentFigure()), coach.weights));
    turn.accuracy = Accuracy(turn.total.right, turn.total.wrong);
    if (firstPlay) {
        coach.rating = RatedAfter(coach.rating, expected, turn.accuracy);
        ++coach.rated;
    }
    turn.predicted = expected;
    turn.rating = coach.rating;
    turn.helpSeconds = m_helpSeconds;
    turn.helpStrokes = m_helpStrokes;
    if (m_assignment)
        turn.assignment = m_assignment->assignment.id;
    if (History *h = m_history ? m_history() : nullptr)
        report.history = h->Append(turn);

    if (firstPlay) {
        const auto e = static_cast<std::size_t>(ExerciseIndex(turn.exercise));
        std::deque<RecentTurn> &recentTurns = m_recent[e];
        recentTurns.push_back({turn.level, turn.total.right, turn.total.wrong, turn.total.score, turn.helpCost > 0});
        if (recentTurns.size() > RecentTurnsKept)
            recentTurns.pop_front();
        const std::vector<RecentTurn> recent(recentTurns.begin(), recentTurns.end());
        const LevelSuggestion before = m_suggestion[e];
        m_suggestion[e] = coach.rated >= RatedTurnsToSuggest
                              ? SuggestLevelByRating(coach.rating, coach.weights, Target(), m_chosenLevel)
                              : SuggestLevel(recent, m_chosenLevel);
        report.suggestionChanged = m_suggestion[e] != before;
    }

    // An assessment figure's first Check is its result; a restart after it
    // cannot change that.
    if (m_sitting && !m_sitting->result.done[m_sitting->figure]) {
        m_sitting->result.Record(m_sitting->figure, o.finalScore, o.seconds);
        report.sittingComplete = FinishSittingIfComplete();
    }
    RecordAssignmentCheck(report, turn.utcSeconds);
}

std::string TurnSession::ConfirmRecord(const std::string &resultsPath, const std::string &name)
{
    const int score = m_lastCheck.finalScore;
    const std::string error = SaveRecord(resultsPath, name, score, m_lastCheck.seconds);
    m_game.RecordConfirmed(score);
    return error;
}
