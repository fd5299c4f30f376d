#pragma once

#include <QObject>
#include <QString>

#include <functional>

class HighScoresDialog;
class History;
class QWidget;
class StatisticsDialog;

// The windows that look back over the player's progress: statistics and high
// scores. Both stay open beside play (no activation of the main window), are
// made at their first showing, and follow every recorded turn.
class ProgressWindows : public QObject {
    Q_OBJECT
public:
    // history: asked for at the first showing (it is opened on demand).
    ProgressWindows(QWidget *window, QString resultsPath, std::function<History *()> history);

    void showStatistics();
    void showHighScores();
    // Null until first shown.
    StatisticsDialog *statistics() const { return m_statistics; }
    HighScoresDialog *highScores() const { return m_highScores; }

    // A turn was recorded or a record saved: shown windows catch up.
    void refresh();

private:
    void loadResults();

    QWidget *m_window;
    QString m_resultsPath;
    std::function<History *()> m_history;
    StatisticsDialog *m_statistics = nullptr;
    HighScoresDialog *m_highScores = nullptr;
};
