#include "core/turn/game.h"

Game::Game()
{
    m_random.SeedFromClock();
    Generate();
}

void Game::Generate()
{
    m_figureSeed = m_random.State();
    InitObjects(m_figure, m_segmentCount, m_random);
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
    Generate();
    m_restarted = false;
    m_truthSeen = false;
}

void Game::Restart()
{
    // Rebuilding from the stored state leaves the generator where the first
    // build left it, so the turns after a restart are the same as without it.
    const bool seen = m_truthSeen || m_checked;
    m_random.Seed(m_figureSeed);
    const int level = m_segmentCount;
    m_segmentCount = m_figure.SegmentCount;
    New();
    m_segmentCount = level;
    m_restarted = true;
    m_truthSeen = seen;
}

void Game::NewFrom(int level, std::uint32_t seed)
{
    SetLevel(level);
    m_random.Seed(seed);
    New();
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
    outcome.newRecord = !m_truthSeen && outcome.finalScore > m_recordThreshold;
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
