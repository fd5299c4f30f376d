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
    for (SheetInput &s : m_sheets)
        s.NewTurn();
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
        outcome.perSheet[Index(s)] = CompareSamples(m_trueProjection[Index(s)], SampleSegments(input.Strokes().Slots()));
        outcome.counts += outcome.perSheet[Index(s)];
    }
    m_counts = outcome.counts;
    m_checked = true;
    m_secondsRunning = false;
    outcome.seconds = m_seconds;
    outcome.help = m_help;
    outcome.finalScore = ScoreAfterHelp(Score(), m_help);
    return outcome;
}

bool Game::ApplyEdit(const SheetEdit &edit)
{
    return !m_checked && ::ApplyEdit(m_sheets, edit);
}

bool Game::RevertEdit(const SheetEdit &edit)
{
    return !m_checked && ::RevertEdit(m_sheets, edit);
}

void Game::Activate()
{
    for (SheetInput &s : m_sheets)
        s.AbandonStroke();
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
