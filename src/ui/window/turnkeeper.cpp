#include "ui/window/turnkeeper.h"

#include "ui/window/assignmentflow.h"
#include "ui/window/turncontroller.h"

#include <QDir>
#include <QFile>
#include <QTimer>

#include <cstring>

TurnKeeper::TurnKeeper(TurnController *turn, AssignmentFlow *assignments, QObject *parent)
    : QObject(parent), m_turn(turn), m_assignments(assignments), m_saveTimer(new QTimer(this))
{
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(SaveDelayMs);
    connect(m_saveTimer, &QTimer::timeout, this, &TurnKeeper::saveNow);
    for (auto signal : {&TurnController::turnStarted, &TurnController::helpBought, &TurnController::figureChanged})
        connect(m_turn, signal, this, &TurnKeeper::changed);
    connect(m_turn, &TurnController::sheetChanged, this, &TurnKeeper::changed);
    connect(m_turn, &TurnController::secondsChanged, this, &TurnKeeper::changed);
    connect(m_turn, &TurnController::checked, this, &TurnKeeper::checked);
}

void TurnKeeper::start(const QString &folder, bool lockHeld)
{
    if (!lockHeld)
        return;
    m_file.emplace(QFile::encodeName(folder).toStdString());
    const TurnFile::Loaded last = m_file->KeepLastTurn();
    if (last.status == TurnFile::Status::Unreadable)
        Q_EMIT problem(unreadableText(last));
    changed();
    Q_EMIT keptChanged(hasKept());
}

QString TurnKeeper::unreadableText(const TurnFile::Loaded &loaded) const
{
    return loaded.setAside.empty()
               ? tr("The unfinished turn of an earlier game could not be read, so it cannot be continued.")
               : tr("The unfinished turn of an earlier game could not be read, so it cannot be continued. "
                    "The file was set aside as %1.")
                     .arg(QDir::toNativeSeparators(QFile::decodeName(loaded.setAside.c_str())));
}

SavedTurn TurnKeeper::snapshot() const
{
    SavedTurn turn = m_turn->session().Snapshot();
    if (turn.assignment)
        turn.assignment->file = QFile::encodeName(m_assignments->assignmentPath()).toStdString();
    return turn;
}

void TurnKeeper::changed()
{
    m_dirty = true;
    if (m_file && !m_saveTimer->isActive())
        m_saveTimer->start();
}

void TurnKeeper::checked()
{
    // Its result is in the history: nothing of it to continue, and the
    // earlier turn is given up for it.
    if (!m_file)
        return;
    m_saveTimer->stop();
    m_dirty = false;
    m_file->RemoveCurrent();
    if (m_file->HasKept()) {
        m_file->DropKept();
        Q_EMIT keptChanged(false);
    }
}

void TurnKeeper::saveNow()
{
    if (!m_file || !m_dirty)
        return;
    m_dirty = false;
    m_saveTimer->stop();
    if (!m_turn->session().Unfinished()) {
        m_file->RemoveCurrent();
        return;
    }
    const int error = m_file->SaveCurrent(snapshot());
    if (error != 0 && !m_saveFailedTold) {
        m_saveFailedTold = true;  // once a run: the next save may well work
        Q_EMIT problem(tr("The turn could not be saved for later in %1: %2. The game goes on.")
                           .arg(QDir::toNativeSeparators(QFile::decodeName(m_file->CurrentPath().c_str())),
                                QString::fromLocal8Bit(std::strerror(error))));
    }
}

bool TurnKeeper::continueKept()
{
    if (!m_file)
        return false;
    const TurnFile::Loaded kept = m_file->ReadKept();
    if (kept.status != TurnFile::Status::Read) {
        if (kept.status == TurnFile::Status::Unreadable)
            Q_EMIT problem(unreadableText(kept));
        Q_EMIT keptChanged(false);
        return false;
    }
    const bool keepInPlay = m_turn->session().Unfinished();
    const SavedTurn inPlay = snapshot();
    const SavedTurn &turn = kept.turn;
    bool done = false;
    if (turn.assignment) {
        const QString path = QFile::decodeName(turn.assignment->file.c_str());
        done = m_assignments->continueIn(path, QString::fromStdString(turn.assignment->student),
                                         [this, &turn](const Assignment &assignment, AssignmentResult result) {
                                             m_turn->continueTurn(turn, &assignment, std::move(result));
                                         });
    }
    if (!done)
        m_turn->continueTurn(turn);
    if (keepInPlay)
        m_file->SaveKept(inPlay);
    else
        m_file->DropKept();
    m_dirty = true;
    saveNow();
    Q_EMIT keptChanged(hasKept());
    Q_EMIT continued();
    return true;
}
