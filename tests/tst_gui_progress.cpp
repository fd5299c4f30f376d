// The statistics and high-score windows over a seeded turn history: the
// numbers a player reads there must be the history's, the filters must narrow
// them, the CSV export must hold every turn, and a missing history or a failed
// export must be said, never crash.

#include "progress/highscoresdialog.h"
#include "progress/history.h"
#include "progress/statisticsdialog.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <ctime>

namespace {

constexpr std::int64_t Day = 86400;

TurnRecord Turn(std::int64_t utc, int level, int seconds, int finalScore, std::array<TurnTally, 3> sheets,
                const char *code)
{
    TurnRecord t;
    t.utcSeconds = utc;
    t.level = level;
    t.seconds = seconds;
    t.sheets = sheets;
    t.finalScore = finalScore;
    t.puzzleCode = code;
    return t;
}

QAbstractSeries *Series(QDialog &dialog, const char *view, const QString &name)
{
    auto *v = dialog.findChild<QChartView *>(view);
    if (!v)
        return nullptr;
    for (QAbstractSeries *s : v->chart()->series())
        if (s->objectName() == name)
            return s;
    return nullptr;
}

QList<qreal> YValues(QDialog &dialog, const char *view, const QString &name)
{
    QList<qreal> ys;
    if (auto *line = qobject_cast<QLineSeries *>(Series(dialog, view, name)))
        for (const QPointF &p : line->points())
            ys << p.y();
    if (auto *bars = qobject_cast<QBarSeries *>(Series(dialog, view, name)))
        for (int i = 0; i < bars->barSets().first()->count(); ++i)
            ys << bars->barSets().first()->at(i);
    return ys;
}

QString Text(QDialog &dialog, const char *label) { return dialog.findChild<QLabel *>(label)->text(); }

} // namespace

class TestGuiProgress : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void statisticsShowTheHistory();
    void filtersNarrowTheNumbers_data();
    void filtersNarrowTheNumbers();
    void exportWritesEveryTurn();
    void noHistoryIsSaid();
    void highScores();

private:
    QTemporaryDir m_dir;
    History m_history;
    std::int64_t m_today = 0;
};

void TestGuiProgress::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    QVERIFY(m_history.Open(m_dir.filePath("history").toStdString()).ok);
    // Days are UTC days; midday keeps every turn inside its day.
    m_today = std::time(nullptr) / Day * Day + 12 * 3600;
    const std::array<TurnTally, 3> good{TurnTally{9, 1, 8}, TurnTally{6, 4, 2}, TurnTally{8, 2, 6}};
    const std::array<TurnTally, 3> poor{TurnTally{3, 1, 2}, TurnTally{2, 6, -4}, TurnTally{4, 4, 0}};
    for (const TurnRecord &t : {Turn(m_today - 40 * Day, 2, 200, 5, poor, "OLD"),
                                Turn(m_today - Day, 2, 100, 30, good, "Y1"), Turn(m_today - Day, 3, 120, 10, poor, "Y2"),
                                Turn(m_today, 3, 60, 50, good, "T1"), Turn(m_today + 60, 3, 90, 20, poor, "T2")})
        QVERIFY(m_history.Append(t).ok);
}

void TestGuiProgress::statisticsShowTheHistory()
{
    StatisticsDialog dialog;
    dialog.setHistory(&m_history);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!dialog.isModal());
    QCOMPARE(dialog.objectName(), QString("statisticsDialog"));

    QVERIFY2(Text(dialog, "summaryLabel").contains("5 turns"), qPrintable(Text(dialog, "summaryLabel")));
    QVERIFY(Text(dialog, "summaryLabel").contains("Daily streak: 2 days"));
    // Days: 40 ago (5), yesterday (30, 10), today (50, 20).
    QCOMPARE(YValues(dialog, "scoreChart", "dailyScore"), (QList<qreal>{5, 20, 35}));
    QCOMPARE(YValues(dialog, "scoreChart", "movingAverage"), (QList<qreal>{5, 20, 27.5}));
    // Two good turns and three poor ones. X: 9*2+3*3 = 27 right, 1*2+1*3 = 5 wrong;
    // Y: 6*2+2*3 = 18 right, 4*2+6*3 = 26 wrong; Z: 8*2+4*3 = 28 right, 2*2+4*3 = 16 wrong.
    const QList<qreal> accuracy = YValues(dialog, "accuracyChart", "accuracy");
    QCOMPARE(accuracy.size(), 3);
    QCOMPARE(accuracy[0], 100.0 * 27 / 32);
    QCOMPARE(accuracy[1], 100.0 * 18 / 44);
    QCOMPARE(accuracy[2], 100.0 * 28 / 44);
    QVERIFY(dialog.findChild<QChartView *>("accuracyChart")->chart()->title().contains("hardest: Y"));
    QCOMPARE(YValues(dialog, "secondsChart", "secondsPerLevel"), (QList<qreal>{150, 90}));
    const QList<qreal> perDay = YValues(dialog, "turnsChart", "turnsPerDay");
    QCOMPARE(perDay.size(), 41);  // the days without turns between count as zero
    QCOMPARE(perDay.first(), 1.0);
    QCOMPARE(perDay.last(), 2.0);
    QCOMPARE(perDay[perDay.size() - 2], 2.0);
    QCOMPARE(perDay[20], 0.0);

    // A turn added while the window is open shows after refresh().
    QVERIFY(m_history.Append(Turn(m_today + 120, 3, 30, 35, {}, "T3")).ok);
    dialog.refresh();
    QVERIFY(Text(dialog, "summaryLabel").contains("6 turns"));
    QCOMPARE(YValues(dialog, "scoreChart", "dailyScore").last(), 35.0);
}

void TestGuiProgress::filtersNarrowTheNumbers_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("period");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<int>("days");
    QTest::newRow("level 2 only") << "Level 2" << "All time" << "2 turns" << 2;
    QTest::newRow("last 7 days drops the old turn") << "All levels" << "Last 7 days" << "turns" << 2;
    QTest::newRow("level 3 in the last 30 days") << "Level 3" << "Last 30 days" << "turns" << 2;
}

void TestGuiProgress::filtersNarrowTheNumbers()
{
    QFETCH(QString, level);
    QFETCH(QString, period);
    QFETCH(QString, summary);
    QFETCH(int, days);
    StatisticsDialog dialog;
    dialog.setHistory(&m_history);
    dialog.show();
    auto *levels = dialog.findChild<QComboBox *>("levelFilter");
    auto *periods = dialog.findChild<QComboBox *>("periodFilter");
    QCOMPARE(levels->count(), 3);  // all levels, 2, 3
    levels->setCurrentIndex(levels->findText(level));
    Q_EMIT levels->activated(levels->currentIndex());
    periods->setCurrentIndex(periods->findText(period));
    Q_EMIT periods->activated(periods->currentIndex());
    QCOMPARE(levels->currentText(), level);  // the choice survives the refresh
    QVERIFY2(Text(dialog, "summaryLabel").contains(summary), qPrintable(Text(dialog, "summaryLabel")));
    QCOMPARE(YValues(dialog, "scoreChart", "dailyScore").size(), days);
}

void TestGuiProgress::exportWritesEveryTurn()
{
    StatisticsDialog dialog;
    dialog.setHistory(&m_history);
    const QString path = m_dir.filePath("export.csv");
    const StatisticsDialog::ExportResult result = dialog.exportCsv(path);
    QVERIFY2(result.ok, qPrintable(result.message));
    QCOMPARE(Text(dialog, "statusLabel"), result.message);
    std::vector<TurnRecord> stored, read;
    QVERIFY(m_history.Turns(stored).ok);
    QVERIFY(ReadHistoryCsv(path.toStdString(), read).ok);
    QVERIFY(stored.size() >= 5);
    QVERIFY(read == stored);

    const StatisticsDialog::ExportResult failed = dialog.exportCsv(m_dir.filePath("no/such/folder/x.csv"));
    QVERIFY(!failed.ok);
    QVERIFY2(failed.message.contains("could not be exported") && failed.message.contains("No such file"),
             qPrintable(failed.message));
    QCOMPARE(Text(dialog, "statusLabel"), failed.message);
}

void TestGuiProgress::noHistoryIsSaid()
{
    History closed;
    StatisticsDialog stats;
    stats.setHistory(&closed);
    stats.show();
    QVERIFY(Text(stats, "statusLabel").contains("unavailable"));
    QVERIFY(Text(stats, "summaryLabel").contains("0 turns"));
    QVERIFY(!stats.exportCsv(m_dir.filePath("none.csv")).ok);
    HighScoresDialog scores;
    scores.show();
    QVERIFY(Text(scores, "statusLabel").contains("unavailable"));
    QCOMPARE(scores.findChild<QTableWidget *>("bestTurnsTable")->rowCount(), 0);
    QVERIFY(Text(scores, "recordLabel").contains("No results yet"));
}

void TestGuiProgress::highScores()
{
    HighScoresDialog dialog;
    // As read from a results file: not sorted, one name with bytes that are not UTF-8.
    dialog.setEntries({{QByteArray("Ann"), 57, 40}, {QByteArray("J\xC3\xB6rg"), 103, 80},
                       {QByteArray("bad\xFF\xFEname"), 12, 9}, {QByteArray("Tie"), 103, 70}});
    dialog.setHistory(&m_history);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!dialog.isModal());
    QCOMPARE(dialog.objectName(), QString("highScoresDialog"));

    auto *results = dialog.findChild<QTableWidget *>("resultsTable");
    QCOMPARE(results->rowCount(), 4);
    QCOMPARE(results->item(1, 1)->text(), QString::fromUtf8("J\xC3\xB6rg"));
    QCOMPARE(results->item(2, 1)->text(), QString("bad\uFFFD\uFFFDname"));
    for (int row = 0; row < 4; ++row) {
        const bool record = row == 1;  // the first line holding the top score
        QCOMPARE(!results->item(row, 4)->text().isEmpty(), record);
        QCOMPARE(results->item(row, 1)->font().bold(), record);
    }
    QCOMPARE(Text(dialog, "recordLabel"), QString::fromUtf8("Record to beat: 103 by J\xC3\xB6rg"));

    auto *best = dialog.findChild<QTableWidget *>("bestTurnsTable");
    QCOMPARE(best->rowCount(), 2);
    QCOMPARE(best->item(0, 0)->text(), QString("2"));
    QCOMPARE(best->item(0, 1)->text(), QString("30"));
    QCOMPARE(best->item(0, 3)->text(), QString("Y1"));
    QCOMPARE(best->item(1, 1)->text(), QString("50"));
    QCOMPARE(best->item(1, 2)->text(), QString::fromStdString(UtcDate(m_today)));
    QCOMPARE(best->item(1, 3)->text(), QString("T1"));
}

QTEST_MAIN(TestGuiProgress)
#include "tst_gui_progress.moc"
