#include "ui/dialogs/progresswindows.h"

#include "ui/dialogs/highscoresdialog.h"
#include "ui/dialogs/statisticsdialog.h"
#include "core/storage/resultsfile.h"

#include <QWidget>

namespace {

void Present(QWidget *w)
{
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace

ProgressWindows::ProgressWindows(QWidget *window, QString resultsPath, std::function<History *()> history)
    : QObject(window), m_window(window), m_resultsPath(std::move(resultsPath)), m_history(std::move(history))
{
}

void ProgressWindows::showStatistics()
{
    if (!m_statistics) {
        m_statistics = new StatisticsDialog(m_window);
        m_statistics->setHistory(m_history());
    }
    m_statistics->refresh();
    Present(m_statistics);
}

void ProgressWindows::showHighScores()
{
    if (!m_highScores) {
        m_highScores = new HighScoresDialog(m_window);
        m_highScores->setHistory(m_history());
    }
    loadResults();
    m_highScores->refresh();
    Present(m_highScores);
}

void ProgressWindows::loadResults()
{
    // The first nine lines, the ones the game reads at start; those after a
    // score that is no number are listed, but the record to beat is not
    // taken from them.
    QList<HighScoreEntry> entries;
    for (const ResultEntry &e : ReadResultEntries(m_resultsPath.toStdString()))
        entries.append({QByteArray::fromStdString(e.name), e.score, QString::fromStdString(e.seconds).toInt(), e.line,
                        e.readable, e.counts});
    m_highScores->setEntries(entries);
}

void ProgressWindows::refresh()
{
    if (m_statistics && m_statistics->isVisible())
        m_statistics->refresh();
    if (m_highScores && m_highScores->isVisible()) {
        loadResults();
        m_highScores->refresh();
    }
}
