#include "turncontroller.h"

#include "results/resultsfile.h"

#include <QTimer>

TurnController::TurnController(QObject *parent) : QObject(parent)
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

    for (Sheet s : AllSheets) {
        auto *t = new QTimer(this);
        t->setSingleShot(true);
        t->setInterval(GuardMs);
        connect(t, &QTimer::timeout, this, [this, s] { m_game.sheet(s).SetInputEnabled(true); });
        m_guards[static_cast<std::size_t>(SheetIndex(s))] = t;
        t->start();
    }
}

QString TurnController::readResults()
{
    const ReadResult r = ReadResultFile(m_resultsPath.toStdString(), m_game.RecordThreshold());
    m_game.SetRecordThreshold(r.RecordThreshold);
    Q_EMIT recordThresholdChanged(r.RecordThreshold);
    return QString::fromStdString(r.error);
}

void TurnController::newTurn()
{
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
    m_game.NewFrom(code.level, code.seed);
    m_fromCode = true;
    m_daily = code.daily;
    Q_EMIT levelChanged(code.level);
    turnBegan();
}

void TurnController::turnBegan()
{
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
    m_lastCheck = m_game.Check();
    Q_EMIT checked(m_lastCheck);
    if (m_lastCheck.newRecord)
        Q_EMIT recordBeaten(m_lastCheck);
}

void TurnController::activate()
{
    for (Sheet s : AllSheets) {
        m_game.sheet(s).SetInputEnabled(false);
        QTimer *guard = m_guards[static_cast<std::size_t>(SheetIndex(s))];
        if (!guard->isActive())
            guard->start();
    }
    m_game.Activate();
}

void TurnController::setLevel(int level)
{
    m_game.SetLevel(level);
}

void TurnController::startAtLevel(int level)
{
    m_game.SetLevel(level);
    m_game.New();
}

void TurnController::confirmRecord(const QString &name)
{
    const int score = m_lastCheck.counts.Score();
    const std::string error =
        SaveRecord(m_resultsPath.toStdString(), name.toStdString(), score, m_lastCheck.seconds);
    // The record counts for this run even when it could not be written: the
    // player was told, and the next start reads whatever the file holds.
    m_game.RecordConfirmed(score);
    Q_EMIT recordThresholdChanged(m_game.RecordThreshold());
    if (!error.empty())
        Q_EMIT recordSaveFailed(QString::fromStdString(error));
}
