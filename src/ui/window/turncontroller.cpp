#include "ui/window/turncontroller.h"

#include "core/storage/resultsfile.h"
#include "ui/app/messages.h"
#include "ui/app/resultsmessages.h"

#include <QFileInfo>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>

namespace {

// Presents one edit of the session's history. It is pushed after the edit
// happened, so its first redo does nothing; later ones replay the session's.
class SheetEditCommand : public QUndoCommand {
public:
    SheetEditCommand(TurnController &turn, const QString &text) : QUndoCommand(text), m_turn(turn) {}
    void redo() override
    {
        if (m_done)
            replay(m_turn.session().Redo());
        m_done = true;
    }
    void undo() override
    {
        if (!m_turn.restoringUndo())
            replay(m_turn.session().Undo());
    }

private:
    void replay(const EditHistory::Entry *entry)
    {
        if (entry)
            m_turn.edited(entry);
    }

    TurnController &m_turn;
    bool m_done = false;
};

QString EditText(EditHistory::Kind kind)
{
    switch (kind) {
    case EditHistory::Kind::ClearSheet: return TurnController::tr("Clear a sheet");
    case EditHistory::Kind::Build: return TurnController::tr("Build a segment");
    case EditHistory::Kind::BuildHint: return TurnController::tr("Hint");
    case EditHistory::Kind::Stroke: break;
    }
    return TurnController::tr("Draw a stroke");
}

} // namespace

TurnController::TurnController(QObject *parent, UtcClock clock)
    : QObject(parent), m_session(std::move(clock)), m_undo(new QUndoStack(this))
{
    m_session.SetHistory([this] { return history(); });

    m_secondsTimer = new QTimer(this);
    m_secondsTimer->setInterval(1000);
    connect(m_secondsTimer, &QTimer::timeout, this, [this] {
        const int before = game().Seconds();
        m_session.TickSecond();
        if (game().Seconds() != before)
            Q_EMIT secondsChanged(game().Seconds());
    });
    m_secondsTimer->start();

    m_peekTimer = new QTimer(this);
    m_peekTimer->setSingleShot(true);
    m_peekTimer->setInterval(PeekMs);
    connect(m_peekTimer, &QTimer::timeout, this, [this] {
        m_session.EndPeek();
        repaintAll();
    });

    for (Sheet s : AllSheets) {
        auto *t = new QTimer(this);
        t->setSingleShot(true);
        t->setInterval(GuardMs);
        connect(t, &QTimer::timeout, this, [this, s] { game().Input(s).SetInputEnabled(true); });
        m_guards[static_cast<std::size_t>(SheetIndex(s))] = t;
        t->start();
    }
    m_buildGuard = new QTimer(this);
    m_buildGuard->setSingleShot(true);
    m_buildGuard->setInterval(GuardMs);
    connect(m_buildGuard, &QTimer::timeout, this, [this] { game().Builder().SetInputEnabled(true); });
    game().Builder().SetInputEnabled(false);
    m_buildGuard->start();
}

void TurnController::edited(const EditHistory::Entry *entry)
{
    if (entry->IsBuild()) {
        Q_EMIT figureChanged();
        repaintAll();
    } else {
        Q_EMIT sheetChanged(entry->edit.sheet);
    }
}

TurnController::~TurnController()
{
    // The last turn's mark for the other exercise; the window is going, so
    // nothing is told about it.
    blockSignals(true);
    m_session.FlushSeen();
}

QString TurnController::readResults()
{
    const ReadResult r = ReadResultFile(m_resultsPath.toStdString(), game().RecordThreshold());
    game().SetRecordThreshold(r.RecordThreshold);
    Q_EMIT recordThresholdChanged(r.RecordThreshold);
    return ResultsMessage(r.problem);
}

History *TurnController::history()
{
    if (!m_historyTried) {
        m_historyTried = true;
        tellHistory(m_history.Open(QFileInfo(m_resultsPath).absolutePath().toStdString()));
    }
    return m_history.IsOpen() ? &m_history : nullptr;
}

void TurnController::tellHistory(const HistoryStatus &status)
{
    const QString text = HistoryMessage(status);
    if (text.isEmpty() || text == m_historyTold)
        return;
    m_historyTold = text;
    Q_EMIT historyProblem(text);
}

void TurnController::repaintAll()
{
    for (Sheet s : AllSheets)
        Q_EMIT sheetChanged(s);
}

void TurnController::stopPeek()
{
    if (!m_session.Peeking())
        m_peekTimer->stop();
}

void TurnController::newTurn()
{
    const std::optional<AssessmentResult> finished = m_session.New();
    turnBegan();
    if (finished)
        Q_EMIT assessmentFinished(*finished);
}

void TurnController::restart()
{
    const bool sameTurn = !game().Checked();
    m_session.Restart();
    if (sameTurn) {
        // The same turn drawn afresh: its seconds and help carry on.
        m_undo->clear();
        stopPeek();
        Q_EMIT turnStarted();
        return;
    }
    turnBegan();
}

void TurnController::openCode(const PuzzleCode &code)
{
    m_session.OpenCode(code);
    turnBegan();
}

void TurnController::openToday()
{
    m_session.OpenToday();
    turnBegan();
}

void TurnController::startAssessment()
{
    m_session.StartAssessment();
    turnBegan();
}

void TurnController::startAssignment(const Assignment &assignment, AssignmentResult result)
{
    m_session.StartAssignment(assignment, std::move(result));
    turnBegan();
}

void TurnController::continueTurn(const SavedTurn &turn, const Assignment *assignment, AssignmentResult result)
{
    m_session.Continue(turn, assignment, std::move(result));
    turnBegan();
    // The undo stack presents the session's history again: every edit
    // pushed as done, then the stack moved back to the saved position
    // without touching the session, which is there already.
    for (const EditHistory::Entry &e : m_session.Edits().Entries())
        pushEdit(EditText(e.kind));
    m_restoringUndo = true;
    m_undo->setIndex(static_cast<int>(m_session.Edits().Position()));
    m_restoringUndo = false;
    Q_EMIT secondsChanged(game().Seconds());
    Q_EMIT exerciseChosen(m_session.ChosenExercise());
    repaintAll();
}

void TurnController::turnBegan()
{
    m_undo->clear();
    m_peekTimer->stop();
    // The turn's first second is a whole one, as at every New.
    m_secondsTimer->start();
    Q_EMIT levelShown(m_session.ShownLevel());
    Q_EMIT turnStarted();
    Q_EMIT secondsChanged(0);
    if (m_session.TurnExercise() == Exercise::Build)
        showBestBuild();
}

void TurnController::showBestBuild()
{
    // The results file keeps the views exercise's records; the build
    // exercise's best is the history's best first play at this level.
    std::optional<int> best;
    if (History *h = history()) {
        HistoryFilter filter;
        filter.minLevel = filter.maxLevel = game().FigureLevel();
        filter.exercise = Exercise::Build;
        std::vector<BestTurn> turns;
        if (h->BestTurnByLevel(filter, turns).ok && !turns.empty())
            best = turns.front().finalScore;
    }
    Q_EMIT bestBuildShown(best);
}

void TurnController::chooseExercise(Exercise e)
{
    if (m_session.ChooseExercise(e))
        turnBegan();
    Q_EMIT exerciseChosen(e);
}

void TurnController::buildAt(std::optional<LatticePoint3> at)
{
    const bool peeking = m_session.Peeking();
    const TurnSession::BuildReport report = m_session.BuildAt(at);
    if (report.press == BuildInput::Press::Ignored)
        return;
    if (report.press == BuildInput::Press::NotOnLine)
        Q_EMIT notice(tr("A segment runs along x, y or z: end it on a line through its beginning"));
    else if (report.press == BuildInput::Press::Ended && report.added == BuiltFigure::AddOutcome::Full)
        Q_EMIT notice(tr("The figure holds at most %1 segments").arg(BuiltFigure::MaxSegments));
    if (report.Changed()) {
        pushEdit(report.added == BuiltFigure::AddOutcome::Erased ? tr("Erase a segment") : tr("Build a segment"));
        stopPeek();
        repaintAll();
    } else if (peeking != m_session.Peeking()) {
        repaintAll();
    }
    Q_EMIT figureChanged();
}

void TurnController::moveCursor(int axis, int step)
{
    if (m_session.MoveCursor(axis, step))
        Q_EMIT figureChanged();
}

bool TurnController::dropSegment()
{
    if (!m_session.DropSegment())
        return false;
    Q_EMIT figureChanged();
    return true;
}

void TurnController::check()
{
    m_undo->clear();
    m_peekTimer->stop();
    const TurnSession::CheckReport report = m_session.Check();
    // The sheets show the truth before any message box raised by this Check.
    Q_EMIT checked(report.outcome);
    Q_EMIT figureChanged();
    if (report.firstCheck) {
        tellHistory(report.history);
        Q_EMIT historyChanged();
        if (m_session.TurnExercise() == Exercise::Build)
            showBestBuild();
    }
    if (report.suggestionChanged)
        Q_EMIT suggestionChanged(m_session.Suggestion());
    if (report.recordNotForSeen)
        Q_EMIT notice(tr("No record: this figure was seen before"));
    if (report.outcome.newRecord)
        Q_EMIT recordBeaten(report.outcome);
    if (report.sittingComplete)
        Q_EMIT assessmentFinished(*report.sittingComplete);
    if (report.assignmentChanged)
        Q_EMIT assignmentResultChanged();
}

void TurnController::activate()
{
    for (Sheet s : AllSheets) {
        game().Input(s).SetInputEnabled(false);
        QTimer *guard = m_guards[static_cast<std::size_t>(SheetIndex(s))];
        if (!guard->isActive())
            guard->start();
    }
    game().Builder().SetInputEnabled(false);
    if (!m_buildGuard->isActive())
        m_buildGuard->start();
    game().Activate();
    Q_EMIT figureChanged();
}

void TurnController::setLevel(int level)
{
    const LevelSuggestion before = m_session.Suggestion();
    m_session.ChooseLevel(level);
    if (m_session.Suggestion() != before)
        Q_EMIT suggestionChanged(m_session.Suggestion());
}

void TurnController::startAtLevel(int level)
{
    m_session.StartAt(level);
    Q_EMIT levelShown(m_session.ShownLevel());
}

void TurnController::confirmRecord(const QString &name)
{
    const std::string error = m_session.ConfirmRecord(m_resultsPath.toStdString(), name.toStdString());
    Q_EMIT recordThresholdChanged(game().RecordThreshold());
    if (!error.empty())
        Q_EMIT recordSaveFailed(QString::fromStdString(error));
}

void TurnController::pushEdit(const QString &text)
{
    m_undo->push(new SheetEditCommand(*this, text));
}

void TurnController::strokeFinished(Sheet sheet, const SheetStrokes &before)
{
    const bool peeking = m_session.Peeking();
    if (!m_session.StrokeFinished(sheet, before))
        return;
    pushEdit(EditText(EditHistory::Kind::Stroke));
    stopPeek();
    if (peeking)
        repaintAll();
}

void TurnController::clearSheet(Sheet sheet)
{
    const bool peeking = m_session.Peeking();
    if (m_session.ClearSheet(sheet))
        pushEdit(EditText(EditHistory::Kind::ClearSheet));
    stopPeek();
    if (peeking)
        repaintAll();
    Q_EMIT sheetChanged(sheet);  // a begun stroke is dropped in any case
}

void TurnController::hint(std::optional<Sheet> preferred)
{
    const bool build = m_session.TurnExercise() == Exercise::Build;
    const TurnSession::HintResult result = m_session.Hint(preferred);
    if (result.outcome == TurnSession::HintOutcome::NoneLeft)
        Q_EMIT notice(build ? tr("No hint left: every step of the figure is built")
                            : tr("No hint left: every line is drawn or shown"));
    if (result.outcome == TurnSession::HintOutcome::Off)
        Q_EMIT notice(tr("This assignment allows no hints"));
    if (result.outcome == TurnSession::HintOutcome::Full)
        Q_EMIT notice(tr("The figure holds at most %1 segments").arg(BuiltFigure::MaxSegments));
    if (result.outcome != TurnSession::HintOutcome::Given)
        return;
    Q_EMIT helpBought();
    if (build) {
        // The hint is built like a segment, so undo takes it away.
        pushEdit(EditText(EditHistory::Kind::BuildHint));
        stopPeek();
        repaintAll();
        Q_EMIT figureChanged();
        return;
    }
    Q_EMIT sheetChanged(result.sheet);
}

void TurnController::peekNow()
{
    const TurnSession::PeekOutcome peek = m_session.Peek();
    if (peek == TurnSession::PeekOutcome::Off)
        Q_EMIT notice(tr("This assignment allows no peeks"));
    if (peek != TurnSession::PeekOutcome::Started)
        return;
    m_peekTimer->start();
    Q_EMIT helpBought();
    repaintAll();
}
