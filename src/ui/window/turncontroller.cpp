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
    void undo() override { replay(m_turn.session().Undo()); }

private:
    void replay(const EditHistory::Entry *entry)
    {
        if (entry)
            Q_EMIT m_turn.sheetChanged(entry->edit.sheet);
    }

    TurnController &m_turn;
    bool m_done = false;
};

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
}

TurnController::~TurnController() = default;

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

void TurnController::turnBegan()
{
    m_undo->clear();
    m_peekTimer->stop();
    // The turn's first second is a whole one, as at every New.
    m_secondsTimer->start();
    Q_EMIT levelShown(m_session.ShownLevel());
    Q_EMIT turnStarted();
    Q_EMIT secondsChanged(0);
}

void TurnController::check()
{
    m_undo->clear();
    m_peekTimer->stop();
    const TurnSession::CheckReport report = m_session.Check();
    // The sheets show the truth before any message box raised by this Check.
    Q_EMIT checked(report.outcome);
    if (report.firstCheck) {
        tellHistory(report.history);
        Q_EMIT historyChanged();
    }
    if (report.suggestionChanged)
        Q_EMIT suggestionChanged(m_session.Suggestion());
    if (report.recordNotForSeen)
        Q_EMIT notice(tr("No record: this figure was seen before"));
    if (report.outcome.newRecord)
        Q_EMIT recordBeaten(report.outcome);
    if (report.sittingComplete)
        Q_EMIT assessmentFinished(*report.sittingComplete);
}

void TurnController::activate()
{
    for (Sheet s : AllSheets) {
        game().Input(s).SetInputEnabled(false);
        QTimer *guard = m_guards[static_cast<std::size_t>(SheetIndex(s))];
        if (!guard->isActive())
            guard->start();
    }
    game().Activate();
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
    pushEdit(tr("Draw a stroke"));
    stopPeek();
    if (peeking)
        repaintAll();
}

void TurnController::clearSheet(Sheet sheet)
{
    const bool peeking = m_session.Peeking();
    if (m_session.ClearSheet(sheet))
        pushEdit(tr("Clear a sheet"));
    stopPeek();
    if (peeking)
        repaintAll();
    Q_EMIT sheetChanged(sheet);  // a begun stroke is dropped in any case
}

void TurnController::hint(std::optional<Sheet> preferred)
{
    const TurnSession::HintResult result = m_session.Hint(preferred);
    if (result.outcome == TurnSession::HintOutcome::NoneLeft)
        Q_EMIT notice(tr("No hint left: every line is drawn or shown"));
    if (result.outcome != TurnSession::HintOutcome::Given)
        return;
    Q_EMIT helpBought();
    Q_EMIT sheetChanged(result.sheet);
}

void TurnController::peekNow()
{
    if (m_session.Peek() != TurnSession::PeekOutcome::Started)
        return;
    m_peekTimer->start();
    Q_EMIT helpBought();
    repaintAll();
}
