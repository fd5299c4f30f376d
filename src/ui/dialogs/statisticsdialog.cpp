#include "ui/dialogs/statisticsdialog.h"

#include "core/storage/history.h"
#include "ui/dialogs/coachcharts.h"
#include "ui/app/messages.h"
#include "ui/app/mistaketext.h"

#include <QBarCategoryAxis>
#include <QCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <cmath>

using namespace statisticscharts;

StatisticsDialog::StatisticsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("statisticsDialog"));
    setWindowTitle(tr("Statistics"));
    setModal(false);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summaryLabel"));
    m_exercise = new QComboBox(this);
    m_exercise->setObjectName(QStringLiteral("exerciseFilter"));
    m_exercise->addItem(tr("Both exercises"), QVariant());
    m_exercise->addItem(tr("Draw the views"), ExerciseIndex(Exercise::Views));
    m_exercise->addItem(tr("Build the figure"), ExerciseIndex(Exercise::Build));
    m_level = new QComboBox(this);
    m_level->setObjectName(QStringLiteral("levelFilter"));
    m_period = new QComboBox(this);
    m_period->setObjectName(QStringLiteral("periodFilter"));
    m_period->addItem(tr("Last 7 days"), static_cast<int>(HistoryPeriod::Last7Days));
    m_period->addItem(tr("Last 30 days"), static_cast<int>(HistoryPeriod::Last30Days));
    m_period->addItem(tr("Last 365 days"), static_cast<int>(HistoryPeriod::Last365Days));
    m_period->addItem(tr("All time"), static_cast<int>(HistoryPeriod::All));
    m_period->setCurrentIndex(3);
    m_export = new QPushButton(tr("Export CSV..."), this);
    m_export->setObjectName(QStringLiteral("exportCsvButton"));
    m_export->setAutoDefault(false);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_scoreView = MakeView(QStringLiteral("scoreChart"), this);
    m_accuracyView = MakeView(QStringLiteral("accuracyChart"), this);
    m_secondsView = MakeView(QStringLiteral("secondsChart"), this);
    m_turnsView = MakeView(QStringLiteral("turnsChart"), this);
    m_assessmentView = MakeView(QStringLiteral("assessmentChart"), this);

    auto *filters = new QHBoxLayout;
    filters->addWidget(m_summary, 1);
    filters->addWidget(new QLabel(tr("Exercise:"), this));
    filters->addWidget(m_exercise);
    filters->addWidget(new QLabel(tr("Level:"), this));
    filters->addWidget(m_level);
    filters->addWidget(new QLabel(tr("Period:"), this));
    filters->addWidget(m_period);
    filters->addWidget(m_export);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("statisticsTabs"));
    // No frame or margins around the pages: three rows of charts need all
    // the height a small screen has.
    m_tabs->setDocumentMode(true);
    auto *progress = new QWidget;
    auto *charts = new QGridLayout(progress);
    charts->setContentsMargins(0, 6, 0, 0);
    // The score over time across the whole width: three lines and their
    // names need it.
    charts->addWidget(m_scoreView, 0, 0, 1, 2);
    charts->addWidget(m_secondsView, 1, 0);
    charts->addWidget(m_turnsView, 1, 1);
    charts->addWidget(m_accuracyView, 2, 0);
    charts->addWidget(m_assessmentView, 2, 1);
    m_tabs->addTab(progress, tr("Progress"));

    // The coach's view: what the rating says and how far to trust it, how
    // long the player tries alone, and the mistakes to watch for.
    auto *coach = new QWidget;
    m_ratingView = MakeView(QStringLiteral("ratingChart"), coach);
    m_calibrationView = MakeView(QStringLiteral("calibrationChart"), coach);
    m_helpTries = new QLabel(coach);
    m_helpTries->setObjectName(QStringLiteral("helpTriesLabel"));
    m_helpTries->setWordWrap(true);
    m_mistakes = new QLabel(coach);
    m_mistakes->setObjectName(QStringLiteral("mistakesLabel"));
    m_mistakes->setWordWrap(true);
    auto *coachLayout = new QGridLayout(coach);
    coachLayout->setContentsMargins(0, 6, 0, 0);
    coachLayout->addWidget(m_ratingView, 0, 0, 1, 2);
    coachLayout->addWidget(m_calibrationView, 1, 0);
    auto *words = new QVBoxLayout;
    words->addWidget(m_helpTries);
    words->addWidget(m_mistakes);
    words->addStretch(1);
    coachLayout->addLayout(words, 1, 1);
    coachLayout->setRowStretch(0, 1);
    coachLayout->setRowStretch(1, 1);
    m_tabs->addTab(coach, tr("Coach"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_status);

    connect(m_exercise, &QComboBox::activated, this, &StatisticsDialog::refresh);
    connect(m_level, &QComboBox::activated, this, &StatisticsDialog::refresh);
    connect(m_period, &QComboBox::activated, this, &StatisticsDialog::refresh);
    connect(m_export, &QPushButton::clicked, this, &StatisticsDialog::chooseExportFile);
    refresh();
}

void StatisticsDialog::setHistory(History *history)
{
    m_history = history;
    refresh();
}

void StatisticsDialog::showMessage(const QString &text) { m_status->setText(text); }

// "All levels" and each level the history holds in either exercise, keeping
// the choice made.
void StatisticsDialog::fillLevels()
{
    const QVariant chosen = m_level->currentData();
    m_level->clear();
    m_level->addItem(tr("All levels"), QVariant());
    // The best-turn query reads only the level index: the quickest list of levels.
    std::vector<BestTurn> levels;
    if (m_history && m_history->IsOpen())
        m_history->BestTurnByLevel({}, levels);
    for (std::size_t i = 0; i < levels.size(); ++i)
        if (i == 0 || levels[i].level != levels[i - 1].level)  // a level's rows, one per exercise, follow each other
            m_level->addItem(tr("Level %1").arg(levels[i].level), levels[i].level);
    const int index = chosen.isValid() ? m_level->findData(chosen) : 0;
    m_level->setCurrentIndex(std::max(index, 0));
}

void StatisticsDialog::refresh()
{
    fillLevels();
    const bool open = m_history && m_history->IsOpen();
    m_export->setEnabled(open);

    HistoryFilter filter;
    if (m_exercise->currentData().isValid())
        filter.exercise = AllExercises[static_cast<std::size_t>(m_exercise->currentData().toInt())];
    if (m_level->currentData().isValid())
        filter.minLevel = filter.maxLevel = m_level->currentData().toInt();
    filter.period = static_cast<HistoryPeriod>(m_period->currentData().toInt());
    filter.now = m_now;

    std::int64_t count = 0;
    int streak = 0;
    std::vector<DayScore> days;
    std::array<SheetAccuracy, 3> accuracy{};
    std::vector<LevelSeconds> levels;
    std::vector<AssessmentSitting> sittings;
    HistoryFilter sittingFilter;  // a sitting spans the levels and draws views only: the period alone narrows it
    sittingFilter.period = filter.period;
    sittingFilter.now = m_now;
    // The mistakes a Check named, over the last 30 days whatever the period.
    std::vector<MistakeTally> mistakes;
    HistoryFilter lastMonth = filter;
    lastMonth.period = HistoryPeriod::Last30Days;
    std::vector<DayRating> ratings;
    std::vector<CalibrationBand> bands;
    HelpTries tries;
    HistoryStatus status;
    if (open) {
        // The first failure is the one worth telling.
        for (const HistoryStatus &s : {m_history->TurnCount(filter, count), m_history->DailyStreak(filter, streak),
                                       m_history->ScoreByDay(filter, days, MovingAverageDays),
                                       m_history->AccuracyBySheet(filter, accuracy),
                                       m_history->SecondsByLevel(filter, levels),
                                       m_history->AssessmentResults(sittingFilter, sittings),
                                       m_history->MistakeCounts(lastMonth, mistakes),
                                       m_history->RatingByDay(filter, ratings), m_history->Calibration(filter, bands),
                                       m_history->TriesBeforeHelp(filter, tries)})
            if (!s.ok && status.ok)
                status = s;
        showMessage(HistoryMessage(status));
    } else {
        showMessage(tr("The turn history is unavailable, so there is nothing to show."));
    }
    // English says "1 turn" by itself; the plural forms of other languages
    // (Russian has three) come from the catalogue.
    const int turnCount = static_cast<int>(std::min<std::int64_t>(count, std::numeric_limits<int>::max()));
    m_summary->setText((turnCount == 1 ? tr("1 turn") : tr("%n turns", nullptr, turnCount)) + QStringLiteral("   ") +
                       (streak == 1 ? tr("Daily streak: 1 day") : tr("Daily streak: %n days", nullptr, streak)));

    QStringList named;
    for (std::size_t i = 0; i < mistakes.size() && i < 5; ++i)
        named << tr("%1 on sheet %2 (%3)")
                     .arg(MistakeDescription(mistakes[i].token), QString(QLatin1Char(mistakes[i].sheet)))
                     .arg(mistakes[i].count);
    m_mistakes->setText(named.isEmpty() ? tr("No mistake named in the last 30 days.")
                                        : tr("Mistakes named most in the last 30 days: %1.").arg(named.join(QStringLiteral("; "))));

    // Score over time: each day's average and the moving average.
    QChart *score = Reset(m_scoreView, tr("Final score per day"));
    auto *daily = new QLineSeries;
    daily->setName(tr("Average of the day"));
    daily->setPointsVisible(true);
    auto *moving = new QLineSeries;
    moving->setName(tr("Average of %1 days").arg(MovingAverageDays));
    double low = 0, high = 0;
    for (const DayScore &d : days) {
        const qreal x = DayX(d.day);
        daily->append(x, d.averageScore);
        moving->append(x, d.movingAverage);
        low = std::min({low, d.averageScore, d.movingAverage});
        high = std::max({high, d.averageScore, d.movingAverage});
    }
    if (!days.empty())
        DayAxis(score, days.front().day, days.back().day);
    ValueAxis(score, std::floor(low), std::ceil(high), tr("Score"));
    Attach(score, daily, QStringLiteral("dailyScore"));
    Attach(score, moving, QStringLiteral("movingAverage"));
    // The day's accuracy on a scale of its own, right: a score grows with the
    // level, accuracy need not.
    auto *dayAccuracy = new QLineSeries;
    dayAccuracy->setName(tr("Accuracy (%)"));
    for (const DayScore &d : days)
        if (d.accuracy)
            dayAccuracy->append(DayX(d.day), *d.accuracy * 100.0);
    dayAccuracy->setPointsVisible(true);
    dayAccuracy->setObjectName(QStringLiteral("dailyAccuracy"));
    score->addSeries(dayAccuracy);
    for (QAbstractAxis *axis : score->axes(Qt::Horizontal))
        dayAccuracy->attachAxis(axis);
    dayAccuracy->attachAxis(PercentAxis(score, tr("%"), Qt::AlignRight));

    // Accuracy per sheet, which tells the hardest projection.
    QChart *acc = Reset(m_accuracyView, tr("Accuracy per sheet"));
    auto *accSet = new QBarSet(tr("Right of all points counted, %"));
    const QStringList sheetNames{tr("X (x,y)"), tr("Y (x,z)"), tr("Z (y,z)")};
    int hardest = -1;
    for (int i = 0; i < 3; ++i) {
        const auto &a = accuracy[static_cast<std::size_t>(i)].accuracy;
        *accSet << (a ? *a * 100.0 : 0.0);
        if (a && (hardest < 0 || !accuracy[static_cast<std::size_t>(hardest)].accuracy ||
                  *a < *accuracy[static_cast<std::size_t>(hardest)].accuracy))
            hardest = i;
    }
    // Three sheets all right have no hardest among them.
    if (hardest >= 0 && *accuracy[static_cast<std::size_t>(hardest)].accuracy < 1.0)
        acc->setTitle(tr("Accuracy per sheet (hardest: %1)").arg(sheetNames[hardest]));
    auto *accSeries = new QBarSeries;
    accSeries->append(accSet);
    auto *sheetAxis = new QBarCategoryAxis;
    sheetAxis->append(sheetNames);
    acc->addAxis(sheetAxis, Qt::AlignBottom);
    ValueAxis(acc, 0, 100, tr("%"))->setTickCount(5);
    Attach(acc, accSeries, QStringLiteral("accuracy"));
    acc->legend()->hide();

    // Average seconds per level.
    QChart *secs = Reset(m_secondsView, tr("Average seconds per level"));
    auto *secSet = new QBarSet(tr("Seconds"));
    // The bars stand at 0, 1, 2 ...; each is named by its level under it, or
    // with many levels every other one, so that no number is cut to "...".
    auto *levelAxis = new QCategoryAxis;
    levelAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    levelAxis->setGridLineVisible(false);
    const int every = levels.size() > 24 ? 3 : levels.size() > 12 ? 2 : 1;
    double longest = 0;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        *secSet << levels[i].averageSeconds;
        if (i % static_cast<std::size_t>(every) == 0)
            levelAxis->append(QString::number(levels[i].level), static_cast<qreal>(i));
        longest = std::max(longest, levels[i].averageSeconds);
    }
    levelAxis->setRange(-0.5, std::max<double>(0.5, static_cast<double>(levels.size()) - 0.5));
    auto *secSeries = new QBarSeries;
    secSeries->append(secSet);
    secs->addAxis(levelAxis, Qt::AlignBottom);
    ValueAxis(secs, 0, std::ceil(longest * 1.1), tr("Seconds"));
    Attach(secs, secSeries, QStringLiteral("secondsPerLevel"));
    secs->legend()->hide();

    // Turns per day, with the days between without turns at zero.
    QChart *turns = Reset(m_turnsView, tr("Turns per day"));
    auto *perDay = new QLineSeries;
    perDay->setName(tr("Turns"));
    int most = 0;
    for (std::size_t i = 0; i < days.size(); ++i) {
        if (i > 0)
            for (std::int64_t gap = days[i - 1].day + 1; gap < days[i].day; ++gap)
                perDay->append(DayX(gap), 0);
        perDay->append(DayX(days[i].day), days[i].turns);
        most = std::max(most, days[i].turns);
    }
    perDay->setPointsVisible(days.size() < 60);
    if (!days.empty())
        DayAxis(turns, days.front().day, days.back().day);
    QValueAxis *turnAxis = ValueAxis(turns, 0, most, tr("Turns"));
    turnAxis->setLabelFormat(QStringLiteral("%d"));
    if (most <= 5) {  // whole numbers only
        turnAxis->setRange(0, std::max(most, 1));
        turnAxis->setTickCount(std::max(most, 1) + 1);
    }
    Attach(turns, perDay, QStringLiteral("turnsPerDay"));
    turns->legend()->hide();

    // Assessment sittings over the weeks: the same figures each time, so the
    // totals measure the player's own gain.
    QChart *assessed = Reset(m_assessmentView, sittings.empty()
                                                   ? tr("Assessment sittings: no sitting yet")
                                                   : tr("Assessment sittings: total final score"));
    auto *totals = new QLineSeries;
    totals->setPointsVisible(true);
    double lowest = 0, highest = 1;
    std::int64_t firstDay = 0, lastDay = 0;
    for (const AssessmentSitting &a : sittings) {
        const std::int64_t day = a.firstUtc / 86400;
        totals->append(DayX(day), static_cast<qreal>(a.totalFinalScore));
        lowest = std::min(lowest, static_cast<double>(a.totalFinalScore));
        highest = std::max(highest, static_cast<double>(a.totalFinalScore));
        firstDay = totals->count() == 1 ? day : firstDay;
        lastDay = day;
    }
    if (!sittings.empty())
        DayAxis(assessed, firstDay, lastDay);
    ValueAxis(assessed, lowest, highest, tr("Score"));
    Attach(assessed, totals, QStringLiteral("assessmentTotals"));
    assessed->legend()->hide();

    QStringList exerciseNames;
    for (Exercise e : AllExercises)
        exerciseNames << m_exercise->itemText(m_exercise->findData(ExerciseIndex(e)));
    CoachCharts::ShowRatings(m_ratingView, ratings, exerciseNames);
    CoachCharts::ShowCalibration(m_calibrationView, bands);
    m_helpTries->setText(CoachCharts::HelpTriesText(tries));
}

StatisticsDialog::ExportResult StatisticsDialog::exportCsv(const QString &path)
{
    ExportResult result;
    if (!m_history || !m_history->IsOpen()) {
        result.message = tr("The turn history is unavailable, so there is nothing to export.");
    } else {
        const HistoryStatus s = m_history->ExportCsv(QFile::encodeName(path).toStdString());
        result.ok = s.ok;
        result.message = HistoryMessage(s);
    }
    showMessage(result.message);
    return result;
}

void StatisticsDialog::chooseExportFile()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Export the turn history"),
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(QStringLiteral("history.csv")),
                                                      tr("CSV files (*.csv);;All files (*)"));
    if (!path.isEmpty())
        exportCsv(path);
}
