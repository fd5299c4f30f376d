#pragma once

#include <QDialog>
#include <QString>

class History;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

// The player's progress drawn from the turn history, on two tabs. Progress:
// score over time with a moving average and the day's accuracy, accuracy per
// sheet, average seconds per level, turns per day and the assessment sittings.
// Coach: the rating over time, how well its predictions came true, how long
// the player tries before the first hint or peek, and the mistakes named most
// in the last 30 days. Above the tabs, the turn count and the daily streak.
// The filters choose both exercises or one, all levels or one, and a period;
// the sittings, which are all drawings of views, heed the period alone, and
// the rating, the player's whatever the level, heeds no level. It only reads
// the history it is given and never owns it; a missing or unavailable history
// shows as such, with empty charts.
class StatisticsDialog : public QDialog {
    Q_OBJECT
public:
    struct ExportResult {
        bool ok = false;
        QString message;
    };

    // Days the moving average of the score chart spans.
    static constexpr int MovingAverageDays = 7;

    explicit StatisticsDialog(QWidget *parent = nullptr);

    void setHistory(History *history);
    // The moment the periods and the streak count back from, in seconds since
    // 1970 UTC; 0 (the default) reads the clock at each refresh.
    void setNow(std::int64_t utcSeconds) { m_now = utcSeconds; }
    // Reads the history again (after a turn was added, or the filters changed).
    void refresh();
    // Writes the whole history as CSV to `path`; the message is also shown in
    // the window.
    ExportResult exportCsv(const QString &path);

private:
    void chooseExportFile();
    void fillLevels();
    void showMessage(const QString &text);

    History *m_history = nullptr;
    std::int64_t m_now = 0;
    QLabel *m_summary = nullptr;
    QLabel *m_mistakes = nullptr;
    QLabel *m_status = nullptr;
    QComboBox *m_exercise = nullptr;
    QComboBox *m_level = nullptr;
    QComboBox *m_period = nullptr;
    QPushButton *m_export = nullptr;
    QChartView *m_scoreView = nullptr;
    QChartView *m_accuracyView = nullptr;
    QChartView *m_secondsView = nullptr;
    QChartView *m_turnsView = nullptr;
    QChartView *m_assessmentView = nullptr;
    QTabWidget *m_tabs = nullptr;
    QChartView *m_ratingView = nullptr;
    QChartView *m_calibrationView = nullptr;
    QLabel *m_helpTries = nullptr;
};
