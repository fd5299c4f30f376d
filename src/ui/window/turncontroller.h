#pragma once

#include "core/turn/game.h"
#include "core/codes/assessment.h"
#include "core/storage/history.h"
#include "core/codes/puzzlecode.h"
#include "core/codes/suggestion.h"
#include "core/sheets/classify.h"

#include <QObject>
#include <QString>

#include <array>
#include <deque>
#include <optional>
#include <vector>

class QTimer;
class QUndoStack;

// The flow of a turn over the rules of Game: New, Restart, figures from
// codes, Check, the record hand-off, the turn's seconds, the activation
// guard, undo of sheet edits, bought help, the history of checked turns, the
// level suggestion and the assessment sitting. Windows, sheets and the cue
// player only listen to its signals; nothing here draws or plays a sound.
//
// After every activation each sheet ignores input for half a second, so a
// click meant for a closing dialog draws nothing; a guard still counting down
// keeps its time, so input returns 500 ms after the first of several
// activations. A Check locks the turn: its undo stack is emptied.
class TurnController : public QObject {
    Q_OBJECT
public:
    static constexpr int GuardMs = 500;
    static constexpr int PeekMs = 2000;

    explicit TurnController(QObject *parent = nullptr);
    ~TurnController() override;

    const Game &game() const { return m_game; }
    // Sheets draw into their own stroke input; tests reach the rules here.
    Game &game() { return m_game; }
    QUndoStack *undoStack() const { return m_undo; }

    // Where records are kept: the results file, and the history beside it.
    void setResultsPath(const QString &path) { m_resultsPath = path; }
    QString resultsPath() const { return m_resultsPath; }
    // Reads the results file; returns the message to show, or an empty string.
    QString readResults();
    // The history, opened at its first use so a long one costs the start
    // nothing; null when it is unavailable (the player was told why).
    History *history();

    const Game::CheckOutcome &lastCheck() const { return m_lastCheck; }
    // The sheet after the turn's Check, as scored.
    const SheetClassification &classification(Sheet s) const { return m_classes[Index(s)]; }
    const std::vector<Stroke> &hints(Sheet s) const { return m_hints[Index(s)]; }
    // While a peek lasts: which strokes are right so far.
    std::optional<SheetClassification> peek(Sheet s) const;
    const LevelSuggestion &suggestion() const { return m_suggestion; }
    // The figure of the sitting now played (0..11), or none.
    std::optional<std::size_t> assessmentFigure() const;

    void newTurn();
    // The current figure again, sheets empty, seconds from 0.
    void restart();
    // A turn on a code's figure; the code's level becomes the level.
    void openCode(const PuzzleCode &code);
    // The code of the figure on the sheets now.
    PuzzleCode currentCode() const;
    void check();
    // An activation of the main window: the input guard and the rebuilt
    // projections.
    void activate();
    // The window's layout pass reseeds the generator, so the next New starts
    // from the clock.
    void layoutPassed() { m_game.ReseedFromClock(); }
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
    // sheet missing most. Nothing after a Check or with nothing missing.
    void hint(std::optional<Sheet> preferred);
    void peekNow();

    // Twelve fixed figures played as one timed sitting; New moves on.
    void startAssessment();

Q_SIGNALS:
    void turnStarted();
    void levelChanged(int level);
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
    // Something about the history the player should know (set aside,
    // unavailable, a turn not recorded). Said once per kind of trouble.
    void historyProblem(const QString &message);
    void historyChanged();
    void suggestionChanged(const LevelSuggestion &suggestion);
    void assessmentFinished(const AssessmentResult &result);

private:
    static std::size_t Index(Sheet s) { return static_cast<std::size_t>(SheetIndex(s)); }
    void turnBegan();
    void recordTurn();
    void endPeek();
    void tellHistory(const std::string &message);

    Game m_game;
    Game::CheckOutcome m_lastCheck;
    std::array<SheetClassification, 3> m_classes{};
    std::array<std::vector<Stroke>, 3> m_hints{};
    bool m_peeking = false;
    bool m_fromCode = false;
    bool m_daily = false;
    bool m_recorded = false;  // the turn's first Check is in the history
    QString m_resultsPath;
    QTimer *m_secondsTimer;
    QTimer *m_peekTimer;
    std::array<QTimer *, 3> m_guards{};
    QUndoStack *m_undo;

    History m_history;
    bool m_historyTried = false;
    QString m_historyTold;
    std::deque<RecentTurn> m_recent;
    LevelSuggestion m_suggestion;

    struct Sitting {
        std::int64_t id = 0;
        std::size_t figure = 0;
        AssessmentResult result;
    };
    std::optional<Sitting> m_sitting;
};
