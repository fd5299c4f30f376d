#include "ui/window/turncontroller.h"

#include "core/storage/resultsfile.h"
#include "ui/app/messages.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>

#include <functional>

namespace {

// One change to one sheet's strokes. It is pushed after the change happened,
// so its first redo does nothing.
class SheetEditCommand : public QUndoCommand {
public:
    SheetEditCommand(Game &game, SheetEdit edit, const QString &text, std::function<void(Sheet)> changed)
        : QUndoCommand(text), m_game(game), m_edit(std::move(edit)), m_changed(std::move(changed))
    {
    }
    void redo() override
    {
        if (m_done) {
            m_game.ApplyEdit(m_edit);
            m_changed(m_edit.sheet);
        }
        m_done = true;
    }
    void undo() override
    {
        m_game.RevertEdit(m_edit);
        m_changed(m_edit.sheet);
    }

private:
    Game &m_game;
    SheetEdit m_edit;
    std::function<void(Sheet)> m_changed;
    bool m_done = false;
};

constexpr std::size_t RecentTurnsKept = 10;

} // namespace

TurnController::TurnController(QObject *parent) : QObject(parent), m_undo(new QUndoStack(this))
{
    m_secondsTimer = new QTimer(this);
    m_secondsTimer->setInterval(1000);
    connect(m_secondsTimer, &QTimer::timeout, this, [this] {
        const int before = m_game.Seconds();
        m_game.TickSecond();
        if (m_game.Seconds() != before)
            Q_EMIT secondsChanged(m_game.Seconds());
    });
    m_secondsTimer->start();

    m_peekTimer = new QTimer(this);
    m_peekTimer->setSingleShot(true);
    m_peekTimer->setInterval(PeekMs);
    connect(m_peekTimer, &QTimer::timeout, this, &TurnController::endPeek);

    for (Sheet s : AllSheets) {
        auto *t = new QTimer(this);
        t->setSingleShot(true);
        t->setInterval(GuardMs);
        connect(t, &QTimer::timeout, this, [this, s] { m_game.Input(s).SetInputEnabled(true); });
        m_guards[Index(s)] = t;
        t->start();
    }
}

TurnController::~TurnController() = default;

QString TurnController::readResults()
{
    const ReadResult r = ReadResultFile(m_resultsPath.toStdString(), m_game.RecordThreshold());
    m_game.SetRecordThreshold(r.RecordThreshold);
    Q_EMIT recordThresholdChanged(r.RecordThreshold);
    return QString::fromStdString(r.error);
}

History *TurnController::history()
{
    if (!m_historyTried) {
        m_historyTried = true;
        const HistoryStatus status = m_history.Open(QFileInfo(m_resultsPath).absolutePath().toStdString());
        tellHistory(HistoryMessage(status).toStdString());
    }
    return m_history.IsOpen() ? &m_history : nullptr;
}

void TurnController::tellHistory(const std::string &message)
{
    const QString text = QString::fromStdString(message);
    if (text.isEmpty() || text == m_historyTold)
        return;
    m_historyTold = text;
    Q_EMIT historyProblem(text);
}

std::optional<SheetClassification> TurnController::peek(Sheet s) const
{
    if (!m_peeking)
        return std::nullopt;
    return Classify(m_game.TrueSegments(s), m_game.Input(s).Strokes().Slots());
}

std::optional<std::size_t> TurnController::assessmentFigure() const
{
    return m_sitting ? std::optional<std::size_t>(m_sitting->figure) : std::nullopt;
}

void TurnController::newTurn()
{
    if (m_sitting) {
        // New moves the sitting on; a figure left unchecked scores nothing.
        if (m_sitting->figure + 1 < AssessmentSize) {
            ++m_sitting->figure;
            const PuzzleCode code = AssessmentSet()[m_sitting->figure];
            m_game.NewFrom(code.level, code.seed);
            m_fromCode = true;
            m_daily = false;
            Q_EMIT levelChanged(code.level);
            turnBegan();
            return;
        }
        m_sitting.reset();
    }
    m_game.New();
    m_fromCode = m_daily = false;
    turnBegan();
}

void TurnController::restart()
{
    m_game.Restart();
    turnBegan();
}

void TurnController::openCode(const PuzzleCode &code)
{
    m_sitting.reset();
    m_game.NewFrom(code.level, code.seed);
    m_fromCode = true;
    m_daily = code.daily;
    Q_EMIT levelChanged(code.level);
    turnBegan();
}

void TurnController::startAssessment()
{
    const PuzzleCode first = AssessmentSet()[0];
    m_sitting = Sitting{QDateTime::currentSecsSinceEpoch(), 0, {}};
    m_game.NewFrom(first.level, first.seed);
    m_fromCode = true;
    m_daily = false;
    Q_EMIT levelChanged(first.level);
    turnBegan();
}

void TurnController::turnBegan()
{
    m_undo->clear();
    m_recorded = false;
    m_classes = {};
    m_hints = {};
    m_peeking = false;
    m_peekTimer->stop();
    // The turn's first second is a whole one, as at every New.
    m_secondsTimer->start();
    Q_EMIT turnStarted();
    Q_EMIT secondsChanged(0);
}

PuzzleCode TurnController::currentCode() const
{
    return {m_game.FigureLevel(), m_game.FigureSeed(), m_daily};
}

void TurnController::check()
{
    m_undo->clear();
    m_peeking = false;
    m_peekTimer->stop();
    m_lastCheck = m_game.Check();
    for (Sheet s : AllSheets)
        m_classes[Index(s)] = Classify(m_game.TrueSegments(s), m_game.Input(s).Strokes().Slots());
    if (!m_recorded) {
        m_recorded = true;
        recordTurn();
    }
    Q_EMIT checked(m_lastCheck);
    if (m_lastCheck.newRecord)
        Q_EMIT recordBeaten(m_lastCheck);
}

void TurnController::recordTurn()
{
    const Game::CheckOutcome &o = m_lastCheck;
    TurnRecord turn;
    turn.utcSeconds = QDateTime::currentSecsSinceEpoch();
    turn.puzzleCode = EncodePuzzleCode(currentCode());
    turn.level = m_game.FigureLevel();
    turn.seconds = o.seconds;
    for (std::size_t i = 0; i < 3; ++i)
        turn.sheets[i] = {o.perSheet[i].RightCount, o.perSheet[i].WrongCount, o.perSheet[i].Score()};
    turn.total = {o.counts.RightCount, o.counts.WrongCount, o.counts.Score()};
    turn.hintsUsed = o.help.hints;
    turn.peeksUsed = o.help.peeks;
    turn.helpCost = o.help.Cost();
    turn.finalScore = o.finalScore;
    turn.restart = m_game.IsRestart();
    turn.fromCode = m_fromCode;
    turn.daily = m_daily;
    turn.assessment = m_sitting ? m_sitting->id : 0;
    if (History *h = history()) {
        const HistoryStatus status = h->Append(turn);
        tellHistory(HistoryMessage(status).toStdString());
        Q_EMIT historyChanged();
    }

    m_recent.push_back({turn.level, turn.total.right, turn.total.wrong, turn.total.score, turn.helpCost > 0});
    if (m_recent.size() > RecentTurnsKept)
        m_recent.pop_front();
    const std::vector<RecentTurn> recent(m_recent.begin(), m_recent.end());
    m_suggestion = SuggestLevel(recent, m_game.Level());
    Q_EMIT suggestionChanged(m_suggestion);

    if (m_sitting) {
        m_sitting->result.Record(m_sitting->figure, o.finalScore, o.seconds);
        if (m_sitting->result.Complete()) {
            const AssessmentResult result = m_sitting->result;
            if (History *h = history()) {  // the statistics chart complete sittings
                const SittingRecord sitting{m_sitting->id, turn.utcSeconds, result.TotalScore(), result.TotalSeconds()};
                tellHistory(HistoryMessage(h->AppendSitting(sitting)).toStdString());
                Q_EMIT historyChanged();
            }
            m_sitting.reset();
            Q_EMIT assessmentFinished(result);
        }
    }
}

void TurnController::activate()
{
    for (Sheet s : AllSheets) {
        m_game.Input(s).SetInputEnabled(false);
        QTimer *guard = m_guards[Index(s)];
        if (!guard->isActive())
            guard->start();
    }
    m_game.Activate();
}

void TurnController::setLevel(int level)
{
    m_game.SetLevel(level);
    // A level the player chose answers any suggestion.
    if (m_suggestion.change != LevelChange::None) {
        m_suggestion = {LevelChange::None, level};
        Q_EMIT suggestionChanged(m_suggestion);
    }
}

void TurnController::startAtLevel(int level)
{
    m_game.SetLevel(level);
    m_game.New();
}

void TurnController::confirmRecord(const QString &name)
{
    const int score = m_lastCheck.finalScore;
    const std::string error =
        SaveRecord(m_resultsPath.toStdString(), name.toStdString(), score, m_lastCheck.seconds);
    // The record counts for this run even when it could not be written: the
    // player was told, and the next start reads whatever the file holds.
    m_game.RecordConfirmed(score);
    Q_EMIT recordThresholdChanged(m_game.RecordThreshold());
    if (!error.empty())
        Q_EMIT recordSaveFailed(QString::fromStdString(error));
}

void TurnController::strokeFinished(Sheet sheet, const SheetStrokes &before)
{
    const SheetStrokes &after = m_game.Input(sheet).Strokes();
    if (after == before)
        return;
    m_undo->push(new SheetEditCommand(m_game, {sheet, before, after}, tr("Draw a stroke"),
                                      [this](Sheet s) { Q_EMIT sheetChanged(s); }));
    if (m_peeking)
        Q_EMIT sheetChanged(sheet);
}

void TurnController::clearSheet(Sheet sheet)
{
    SheetInput &input = m_game.Input(sheet);
    const SheetStrokes before = input.Strokes();
    if (!input.ClearStrokes())
        return;
    Q_EMIT sheetChanged(sheet);
    if (input.Strokes() == before)
        return;
    m_undo->push(new SheetEditCommand(m_game, {sheet, before, input.Strokes()}, tr("Clear a sheet"),
                                      [this](Sheet s) { Q_EMIT sheetChanged(s); }));
}

void TurnController::hint(std::optional<Sheet> preferred)
{
    if (m_game.Checked())
        return;
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
        return;
    m_hints[Index(chosen->sheet)].push_back(chosen->unit);
    m_game.UseHint();
    Q_EMIT helpBought();
    Q_EMIT sheetChanged(chosen->sheet);
}

void TurnController::peekNow()
{
    if (m_game.Checked())
        return;
    const bool anyStroke = std::any_of(AllSheets.begin(), AllSheets.end(), [this](Sheet s) {
        const SheetStrokes &st = m_game.Input(s).Strokes();
        for (int slot = 1; slot <= st.LastUsedSlot(); ++slot)
            if (!st[slot].IsEmpty())
                return true;
        return false;
    });
    if (!anyStroke)
        return;  // nothing to mark, nothing to pay for
    if (!m_peeking)
        m_game.UsePeek();
    m_peeking = true;
    m_peekTimer->start();
    Q_EMIT helpBought();
    for (Sheet s : AllSheets)
        Q_EMIT sheetChanged(s);
}

void TurnController::endPeek()
{
    m_peeking = false;
    for (Sheet s : AllSheets)
        Q_EMIT sheetChanged(s);
}
