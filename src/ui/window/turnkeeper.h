#pragma once

#include "core/storage/turnfile.h"

#include <QObject>
#include <QString>

#include <optional>

class AssignmentFlow;
class QTimer;
class TurnController;

// Keeps the turn in play for a later run: saved at most a second after each
// change (the seconds counted included) and at quit, so a kill loses at most
// the last second. At start the last run's unfinished turn is kept aside
// while the game starts as ever with a new figure; Continue Last Turn swaps
// it in (the turn in play is kept in its place when it has strokes), and a
// Check of the turn in play drops it. Only the copy holding the instance
// lock keeps turns; a second copy leaves the files alone.
class TurnKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int SaveDelayMs = 1000;

    TurnKeeper(TurnController *turn, AssignmentFlow *assignments, QObject *parent);

    // Takes over the turn files in folder; what was found there is said
    // through problem().
    void start(const QString &folder, bool lockHeld);
    bool hasKept() const { return m_file && m_file->HasKept(); }
    // Swaps the kept turn in; false when there was none that could be read.
    bool continueKept();
    // Saves the turn in play now, if anything changed.
    void saveNow();

Q_SIGNALS:
    void keptChanged(bool available);
    // Something the player should read in a message box.
    void problem(const QString &message);
    void continued();

private:
    void changed();
    void checked();
    SavedTurn snapshot() const;
    QString unreadableText(const TurnFile::Loaded &loaded) const;

    TurnController *m_turn;
    AssignmentFlow *m_assignments;
    std::optional<TurnFile> m_file;
    QTimer *m_saveTimer;
    bool m_dirty = false;
    bool m_saveFailedTold = false;
};
