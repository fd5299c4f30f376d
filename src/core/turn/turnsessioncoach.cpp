// The coach's part of a turn session: figures chosen near the target, the
// rating of each exercise carried on from the history with weights fitted to
// it, and the tries a turn made before its first help.

#include "core/turn/turnsession.h"

#include <random>

void TurnSession::NewFigure()
{
    m_game.SetLevel(m_chosenLevel);
    m_game.SetExercise(NextExercise());
    std::optional<FigureChoice> choice;
    if (m_chooseFigures) {
        const Coach &coach = CoachOf(NextExercise());
        choice = ChooseFigure(m_chosenLevel, coach.rating, coach.weights, Target(), [this](std::uint32_t n) {
            return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(m_choiceRandom);
        });
        m_game.NewFrom(choice->level, choice->seed);
    } else {
        m_game.New();
    }
    m_daily = false;
    Began(Origin::New, false);
    if (choice)
        m_shownLevel = choice->level;
}

void TurnSession::SetCoach(bool chooseFigures, int targetPercent)
{
    m_chooseFigures = chooseFigures;
    m_targetPercent = ClampTargetPercent(targetPercent);
}

TurnSession::Coach &TurnSession::CoachOf(Exercise e)
{
    Coach &coach = m_coach[static_cast<std::size_t>(ExerciseIndex(e))];
    History *h = coach.loaded || !m_history ? nullptr : m_history();
    RatingRecord record;
    if (!h || !h->Ratings(e, MaxTurnsFitted, record))
        return coach;  // this run's rating, until the history answers
    coach.loaded = true;
    if (record.ratedFirstPlays >= coach.rated) {
        coach.rating = record.latest.value_or(coach.rating);
        coach.rated = record.ratedFirstPlays;
    }
    std::vector<RatedTurn> turns;
    for (const RatedFirstPlay &t : record.recent) {
        const ParsedPuzzleCode code = ParsePuzzleCode(t.puzzleCode);
        if (code.code)
            turns.push_back({FeaturesOf(code.code->level, code.code->seed),
                             t.rating - RatingK * (t.accuracy - t.predicted), t.accuracy});
    }
    coach.weights = FitWeights(turns);
    return coach;
}

double TurnSession::Predicted()
{
    const Coach &coach = CoachOf(TurnExercise());
    return ExpectedAccuracy(coach.rating, Difficulty(ComputeFeatures(m_game.CurrentFigure()), coach.weights));
}

void TurnSession::HelpTaken()
{
    if (m_helpSeconds)
        return;
    m_helpSeconds = m_game.Seconds();
    m_helpStrokes = m_strokesMade;
}
