#pragma once

#include "core/turn/turnsession.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class QTimer;
class QUndoStack;

// The Qt side of a turn over the core's TurnSession, which holds every rule:
// this adds the timers (the turn's seconds, the peek, the input guards), the
// undo stack that presents the session's edit history, the lazily opened
// history, and signals. Windows, sheets and the cue player only listen to its
// signals; nothing here draws or plays a sound.
//
// After every activation each sheet ignores input for half a second, so a
// click meant for a closing dialog draws nothing; a guard still counting down
// keeps its time, so input returns 500 ms after the first of several
// activations.
class TurnController : public QObject {
    Q_OBJECT
public:
    static constexpr int GuardMs = 500;
    static constexpr int PeekMs = TurnSession::PeekMs;

    explicit TurnController(QObject *parent = nullptr, UtcClock clock = SystemUtcSeconds);
    ~TurnController() override;

    TurnSession &session() { return m_session; }
    const TurnSession &session() const { return m_session; }
    const Game &game() const { return m_session.Board(); }
    // Sheets draw into their own stroke input.
    Game &game() { return m_session.Board(); }
    QUndoStack *undoStack() const { return m_undo; }

    // Where records are kept: the results file, and the history beside it.
    void setResultsPath(const QString &path) { m_resultsPath = path; }
    QString resultsPath() const { return m_resultsPath; }
    // Reads the results file and sets the record to beat; returns what the
    // player is told about the file, or an empty string.
    QString readResults();
    // The history, opened at its first use so a long one costs the start
    // nothing; null when it is unavailable (the player was told why).
    History *history();

    const Game::CheckOutcome &lastCheck() const { return m_session.LastCheck(); }
    const SheetClassification &classification(Sheet s) const { return m_session.Classification(s); }
    std::vector<Stroke> hints(Sheet s) const { return m_session.HintsShown(s); }
    std::optional<SheetClassification> peek(Sheet s) const { return m_session.PeekMarks(s); }
    const LevelSuggestion &suggestion() const { return m_session.Suggestion(); }
    std::optional<std::size_t> assessmentFigure() const { return m_session.AssessmentFigure(); }
    bool inAssessment() const { return m_session.InAssessment(); }
    PuzzleCode currentCode() const { return m_session.CurrentCode(); }

    void newTurn();
    void restart();
    // A turn on a code's figure (today's too); it leaves any sitting.
    void openCode(const PuzzleCode &code);
    void openToday();
    void startAssessment();
    void startAssignment(const Assignment &assignment, AssignmentResult result);
    void check();
    // A saved turn becomes the turn in play (TurnSession::Continue), its
    // undo steps on the undo stack again.
    void continueTurn(const SavedTurn &turn, const Assignment *assignment = nullptr, AssignmentResult result = {});
    // While the undo stack is put back to a saved position: its commands
    // leave the session alone.
    bool restoringUndo() const { return m_restoringUndo; }
    // An activation of the main window: the input guard and the rebuilt
    // projections.
    void activate();
    // The window's layout pass reseeds the generator, so the next New starts
    // from the clock.
    void layoutPassed() { game().ReseedFromClock(); }
    // The player chose a level.
    void setLevel(int level);
    // Replaces the figure made at start with one of this level, silently:
    // the window is not shown yet.
    void startAtLevel(int level);
    // The name for the record that recordBeaten announced; saves it.
    void confirmRecord(const QString &name);

    // A stroke changed a sheet; before is its store as it was.
    void strokeFinished(Sheet sheet, const SheetStrokes &before);
    void clearSheet(Sheet sheet);
    // One missing unit step, on the given sheet if it has one, else on the
    // sheet missing most.
    void hint(std::optional<Sheet> preferred);
    void peekNow();

    // The build exercise.
    void chooseExercise(Exercise e);
    // A press at a lattice point (a click) or at the cursor (Space).
    void buildAt(std::optional<LatticePoint3> at);
    void moveCursor(int axis, int step);
    // Esc: drops a begun segment; false when none was begun.
    bool dropSegment();
    // An edit of the session's history done or undone again (the undo stack).
    void edited(const EditHistory::Entry *entry);

Q_SIGNALS:
    void turnStarted();
    // The level box shows this: the chosen level, or the figure's own during
    // a code, today's figure or a sitting.
    void levelShown(int level);
    void checked(const Game::CheckOutcome &outcome);
    // A Check beat the record: the window asks for a name and answers with
    // confirmRecord (or not at all).
    void recordBeaten(const Game::CheckOutcome &outcome);
    void recordSaveFailed(const QString &message);
    void secondsChanged(int seconds);
    void recordThresholdChanged(int threshold);
    // Strokes, marks, hints or the peek of a sheet changed: repaint it.
    void sheetChanged(Sheet sheet);
    void helpBought();
    // A short word for the status line.
    void notice(const QString &text);
    // Something about the history the player should know (set aside,
    // unavailable, a turn not recorded). Said once per kind of trouble.
    void historyProblem(const QString &message);
    void historyChanged();
    void suggestionChanged(const LevelSuggestion &suggestion);
    void assessmentFinished(const AssessmentResult &result);
    // A figure of the assignment got its result: the result file is due.
    void assignmentResultChanged();
    // The built figure, the cursor or the begun segment changed: repaint the view.
    void figureChanged();
    void exerciseChosen(Exercise e);
    // The build exercise's best first play at the figure's level, if any.
    void bestBuildShown(std::optional<int> best);

private:
    void turnBegan();
    void repaintAll();
    void stopPeek();
    void tellHistory(const HistoryStatus &status);
    void pushEdit(const QString &text);
    void showBestBuild();

    TurnSession m_session;
    QString m_resultsPath;
    QTimer *m_secondsTimer;
    QTimer *m_peekTimer;
    std::array<QTimer *, 3> m_guards{};
    QTimer *m_buildGuard = nullptr;
    QUndoStack *m_undo;

    History m_history;
    bool m_historyTried = false;
    QString m_historyTold;
    bool m_restoringUndo = false;
};
