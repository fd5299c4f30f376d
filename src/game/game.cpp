#include "game.h"

Game::Game()
{
    random.SeedFromClock();
    InitObjects(figure, SegmentCount, random);
    BuildTrueProjections();
}

void Game::BuildTrueProjections()
{
    for (Sheet s : AllSheets) {
        const auto i = static_cast<std::size_t>(SheetIndex(s));
        TrueSegmentsOf[i] = TrueSegments(figure, s);
        TrueProjection[i] = SampleSegments(TrueSegmentsOf[i]);
    }
}

void Game::New()
{
    for (SheetInput &s : sheets)
        s.NewTurn();
    InitObjects(figure, SegmentCount, random);
    BuildTrueProjections();
    Checked = false;
    Seconds = 0;
    SecondsRunning = true;
}

Game::CheckOutcome Game::Check()
{
    CheckOutcome outcome;
    for (Sheet s : AllSheets) {
        SheetInput &input = sheet(s);
        input.Reveal();
        const auto i = static_cast<std::size_t>(SheetIndex(s));
        outcome.perSheet[i] = CompareSamples(TrueProjection[i], SampleSegments(input.Strokes().Slots()));
        outcome.counts += outcome.perSheet[i];
    }
    RightCount = outcome.counts.RightCount;
    WrongCount = outcome.counts.WrongCount;
    Checked = true;
    outcome.seconds = Seconds;
    outcome.newRecord = Score() > RecordThreshold;
    if (outcome.newRecord)
        SecondsRunning = false;
    Seconds = 0;
    return outcome;
}

void Game::Activate()
{
    for (SheetInput &s : sheets)
        s.AbandonStroke();
    BuildTrueProjections();
}

void Game::TickSecond()
{
    if (SecondsRunning)
        ++Seconds;
}

void Game::RecordConfirmed(int score)
{
    if (score > RecordThreshold)
        RecordThreshold = score;
}
