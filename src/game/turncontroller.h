#pragma once

#include "game/game.h"
#include "progress/puzzlecode.h"

#include <QObject>
#include <QString>

#include <array>

class QTimer;

// The flow of a turn over the rules of Game: New, Check, the record hand-off,
// the turn's seconds, the activation guard and the level for the next New.
// Windows, sheets and the cue player only listen to its signals; nothing here
// draws or plays a sound.
//
// After every activation each sheet ignores input for half a second, so a
// click meant for a closing dialog draws nothing; a guard still counting down
// keeps its time, so input returns 500 ms after the first of several
// activations.
class TurnController : public QObject {
    Q_OBJECT
public:
    static constexpr int GuardMs = 500;

    explicit TurnController(QObject *parent = nullptr);

    const Game &game() const { return m_game; }
    // Sheets draw into their own stroke input; tests reach the rules here.
    Game &game() { return m_game; }

    // Where records are kept (the results file).
    void setResultsPath(const QString &path) { m_resultsPath = path; }
    QString resultsPath() const { return m_resultsPath; }
    // Reads the results file; returns the message to show, or an empty string.
    QString readResults();

    const Game::CheckOutcome &lastCheck() const { return m_lastCheck; }

    void newTurn();
    // The current figure again, sheets empty, seconds from 0.
    void restart();
    // A turn on a code's figure; the code's level becomes the level.
    void openCode(const PuzzleCode &code);
    // The code of the figure on the sheets now.
    PuzzleCode currentCode() const;
    // The turn's figure came from a code or is the daily figure.
    bool fromCode() const { return m_fromCode; }
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

private:
    void turnBegan();

    Game m_game;
    Game::CheckOutcome m_lastCheck;
    bool m_fromCode = false;
    bool m_daily = false;
    QString m_resultsPath;
    QTimer *m_secondsTimer;
    std::array<QTimer *, 3> m_guards{};
};
