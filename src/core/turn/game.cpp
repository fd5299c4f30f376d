#include "core/turn/game.h"

Game::Game()
{
    m_random.SeedFromClock();
    Generate(m_segmentCount);
}

void Game::Generate(int segmentCount)
{
    m_figureSeed = m_random.State();
    InitObjects(m_figure, segmentCount, m_random);
    BuildTrueProjections();
}

void Game::BuildTrueProjections()
{
    for (Sheet s : AllSheets) {
        m_trueSegments[Index(s)] = ::TrueSegments(m_figure, s);
        m_trueProjection[Index(s)] = SampleSegments(m_trueSegments[Index(s)]);
    }
}

void Game::StartTurn()
{
    m_exerciseOfTurn = m_exercise;
    const bool build = m_exercise == Exercise::Build;
    for (SheetInput &s : m_sheets) {
        s.NewTurn();
        s.SetTakesStrokes(!build);
    }
    m_built.Clear();
    m_builder.NewTurn();
    m_builder.SetLocked(!build);
    m_checked = false;
    m_counts = {};
    m_help = {};
    m_seconds = 0;
    m_secondsRunning = true;
}

void Game::New()
{
    StartTurn();
    Generate(m_segmentCount);
}

void Game::Replay()
{
    // Rebuilding from the stored state leaves the generator where the first
    // build left it, so the turns after a replay are the same as without it.
    m_random.Seed(m_figureSeed);
    StartTurn();
    Generate(m_figure.SegmentCount);
}

void Game::ClearDrawing()
{
    for (SheetInput &s : m_sheets)
        s.NewTurn();
    m_built.Clear();
    m_builder.NewTurn();
    m_builder.SetLocked(m_exerciseOfTurn != Exercise::Build);
    m_checked = false;
    m_counts = {};
    m_secondsRunning = true;
}

void Game::NewFrom(int level, std::uint32_t seed)
{
    m_random.Seed(seed);
    StartTurn();
    Generate(SegmentCountForLevel(level));
}

Game::CheckOutcome Game::Check()
{
    CheckOutcome outcome;
    for (Sheet s : AllSheets) {
        SheetInput &input = Input(s);
        input.Reveal();
        m_checkedSamples[Index(s)] = SampleSegments(input.Strokes().Slots());
        outcome.perSheet[Index(s)] = CompareSamples(m_trueProjection[Index(s)], m_checkedSamples[Index(s)]);
        outcome.counts += outcome.perSheet[Index(s)];
    }
    if (m_exerciseOfTurn == Exercise::Build) {
        outcome.fitsViews = outcome.counts.WrongCount == 0;
        outcome.sameAsWalk = m_built.Steps() == WalkSteps(m_figure);
        m_builder.SetLocked(true);
    }
    m_counts = outcome.counts;
    m_checked = true;
    m_secondsRunning = false;
    outcome.seconds = m_seconds;
    outcome.help = m_help;
    outcome.finalScore = ScoreAfterHelp(Score(), m_help);
    return outcome;
}

void Game::Resume(const std::array<SheetStrokes, 3> &strokes, const BuiltFigure &built, const HelpUsed &help,
                  int seconds)
{
    if (m_exerciseOfTurn == Exercise::Build) {
        SetBuilt(built);
    } else {
        for (Sheet s : AllSheets)
            m_sheets[Index(s)].RestoreStrokes(strokes[Index(s)]);
    }
    m_help = help;
    m_seconds = seconds < 0 ? 0 : seconds;
}

bool Game::HasDrawing() const
{
    for (const SheetInput &s : m_sheets)
        if (s.Strokes().Any())
            return true;
    return false;
}

bool Game::ApplyEdit(const SheetEdit &edit)
{
    return !m_checked && ::ApplyEdit(m_sheets, edit);
}

bool Game::RevertEdit(const SheetEdit &edit)
{
    return !m_checked && ::RevertEdit(m_sheets, edit);
}

bool Game::SetBuilt(const BuiltFigure &figure)
{
    if (m_checked || m_exerciseOfTurn != Exercise::Build)
        return false;
    m_built = figure;
    const int count = static_cast<int>(m_built.Segments().size());
    for (Sheet s : AllSheets) {
        SheetStrokes projection;
        projection.Assign(m_built.Projection(s), count);
        m_sheets[Index(s)].RestoreStrokes(projection);
    }
    return true;
}

void Game::Activate()
{
    for (SheetInput &s : m_sheets)
        s.AbandonStroke();
    m_builder.Drop();
    BuildTrueProjections();
}

void Game::TickSecond()
{
    if (m_secondsRunning)
        ++m_seconds;
}

void Game::RecordConfirmed(int score)
{
    if (score > m_recordThreshold)
        m_recordThreshold = score;
}
