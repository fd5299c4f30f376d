// A turn saved by one run and continued in a later one.

#include "core/turn/turnsession.h"

SavedTurn TurnSession::Snapshot() const
{
    SavedTurn t;
    t.chosenExercise = m_chosenExercise;
    t.exercise = TurnExercise();
    t.level = m_game.FigureLevel();
    t.seed = m_game.FigureSeed();
    t.daily = m_daily;
    t.origin = m_origin;
    t.replayed = m_replayed;
    t.firstPlay = m_firstPlay;
    t.shownLevel = m_shownLevel;
    t.seconds = m_game.Seconds();
    t.help = m_game.Help();
    t.hints = m_hints;
    t.strokesMade = m_strokesMade;
    t.helpSeconds = m_helpSeconds;
    t.helpStrokes = m_helpStrokes;
    if (t.exercise == Exercise::Build)
        t.built = m_game.Built();
    else
        for (Sheet s : AllSheets)
            t.strokes[Index(s)] = m_game.Input(s).Strokes();
    t.edits = m_edits.Entries();
    t.editPosition = m_edits.Position();
    t.sitting = m_sitting;
    if (m_assignment && m_origin == Origin::Assignment)
        t.assignment = SavedTurn::AssignmentPlace{{}, m_assignment->assignment.id, m_assignment->result.student,
                                                  m_assignment->figure};
    else if (m_origin == Origin::Assignment)
        t.origin = Origin::Code;
    return t;
}

bool TurnSession::Unfinished() const
{
    return !m_game.Checked() && m_game.HasDrawing();
}

void TurnSession::Continue(const SavedTurn &turn, const Assignment *assignment, AssignmentResult result)
{
    m_sitting.reset();
    m_assignment.reset();
    Origin origin = turn.origin;
    m_sitting = turn.sitting;
    if (turn.assignment) {
        const std::size_t figure = turn.assignment->figure;
        const bool same = assignment && assignment->id == turn.assignment->id &&
                          figure < assignment->figures.size() && assignment->figures[figure].level == turn.level &&
                          assignment->figures[figure].seed == turn.seed && result.assignment == assignment->id &&
                          result.figures.size() == assignment->figures.size();
        if (same)
            m_assignment = AssignmentPlay{*assignment, std::move(result), figure};
        else
            origin = Origin::Code;
    }
    m_chosenExercise = turn.chosenExercise;
    m_game.SetExercise(turn.exercise);
    m_game.NewFrom(turn.level, turn.seed);
    m_daily = turn.daily;
    Began(origin, turn.replayed);
    m_shownLevel = turn.shownLevel;
    // Seen figures were marked as such when they became seen, so an unknown
    // first play is asked of the history later, as in the saved run.
    if (turn.firstPlay)
        m_firstPlay = turn.firstPlay;
    m_game.Resume(turn.strokes, turn.built, turn.help, turn.seconds);
    m_edits.Restore(turn.edits, turn.editPosition);
    m_hints = turn.hints;
    m_strokesMade = turn.strokesMade;
    m_helpSeconds = turn.helpSeconds;
    m_helpStrokes = turn.helpStrokes;
    m_game.SetExercise(NextExercise());
}
