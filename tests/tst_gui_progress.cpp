// The statistics and high-score windows over a seeded turn history: the
// numbers a player reads there must be the history's, the filters must narrow
// them, and a missing history or a failed export must be said, never crash.

#include "progress/highscoresdialog.h"
#include "progress/history.h"
#include "progress/statisticsdialog.h"

#include <QtCharts>
#include <QtTest>
#include <QtWidgets>

#include <ctime>

namespace {

constexpr std::int64_t Day = 86400;

TurnRecord Turn(std::int64_t utc, int level, int seconds, int finalScore, bool good, const char *code)
{
    const auto sheets = good ? std::array{TurnTally{9, 1, 8}, TurnTally{6, 4, 2}, TurnTally{8, 2, 6}}
                             : std::array{TurnTally{3, 1, 2}, TurnTally{2, 6, -4}, TurnTally{4, 4, 0}};
    return {utc, code, level, seconds, sheets, {}, 0, 0, 0, finalScore};
}

// The values of a chart's line or bar series, by the names the tests know them by.
QList<qreal> YValues(QDialog &dialog, const char *view, const QString &name)
{
    QList<qreal> ys;
    for (QAbstractSeries *s : dialog.findChild<QChartView *>(view)->chart()->series()) {
        if (s->objectName() != name)
            continue;
        if (auto *line = qobject_cast<QLineSeries *>(s))
            for (const QPointF &p : line->points())
                ys << p.y();
        if (auto *bars = qobject_cast<QBarSeries *>(s))
            for (int i = 0; i < bars->barSets().first()->count(); ++i)
                ys << bars->barSets().first()->at(i);
    }
    return ys;
}

QString Text(QDialog &dialog, const char *label) { return dialog.findChild<QLabel *>(label)->text(); }

} // namespace

class TestGuiProgress : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    History m_history;
    std::int64_t m_today = std::time(nullptr) / Day * Day + 12 * 3600;  // midday keeps turns inside their UTC day

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_history.Open(m_dir.filePath("history").toStdString()).ok);
        for (const TurnRecord &t : {Turn(m_today - 40 * Day, 2, 200, 5, false, "OLD"),
                                    Turn(m_today - Day, 2, 100, 30, true, "Y1"),
                                    Turn(m_today - Day, 3, 120, 10, false, "Y2"), Turn(m_today, 3, 60, 50, true, "T1"),
                                    Turn(m_today + 60, 3, 90, 20, false, "T2")})
            QVERIFY(m_history.Append(t).ok);
    }

    // Every chart and the summary show what a player counts by hand in the
    // history; the level and period filters narrow them and keep their choice;
    // a turn added while the window is open shows on refresh.
    void statisticsShowTheHistory()
    {
        StatisticsDialog dialog;
        dialog.setHistory(&m_history);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY2(Text(dialog, "summaryLabel").contains("5 turns") &&
                     Text(dialog, "summaryLabel").contains("Daily streak: 2 days"),
                 qPrintable(Text(dialog, "summaryLabel")));
        QCOMPARE(YValues(dialog, "scoreChart", "dailyScore"), (QList<qreal>{5, 20, 35}));
        QCOMPARE(YValues(dialog, "scoreChart", "movingAverage"), (QList<qreal>{5, 20, 27.5}));
        // Two good turns and three poor ones: X 27 right 5 wrong, Y 18/26, Z 28/16.
        const QList<qreal> accuracy = YValues(dialog, "accuracyChart", "accuracy");
        const qreal expected[] = {27. / 32, 18. / 44, 28. / 44};
        QCOMPARE(accuracy.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(accuracy[i], 100 * expected[i]);
        QVERIFY(dialog.findChild<QChartView *>("accuracyChart")->chart()->title().contains("hardest: Y"));
        QCOMPARE(YValues(dialog, "secondsChart", "secondsPerLevel"), (QList<qreal>{150, 90}));
        const QList<qreal> perDay = YValues(dialog, "turnsChart", "turnsPerDay");
        QCOMPARE(perDay.size(), 41);  // the days without turns between count as zero
        QVERIFY(perDay[0] == 1 && perDay[20] == 0 && perDay[39] == 2 && perDay[40] == 2);
        auto *levels = dialog.findChild<QComboBox *>("levelFilter");
        auto *periods = dialog.findChild<QComboBox *>("periodFilter");
        for (auto [box, text] : {std::pair{levels, "Level 2"}, std::pair{periods, "Last 7 days"}}) {
            box->setCurrentIndex(box->findText(text));
            Q_EMIT box->activated(box->currentIndex());
        }
        QCOMPARE(levels->currentText(), QString("Level 2"));
        QVERIFY2(Text(dialog, "summaryLabel").contains("1 turn"), qPrintable(Text(dialog, "summaryLabel")));
        QCOMPARE(YValues(dialog, "scoreChart", "dailyScore"), QList<qreal>{30});  // yesterday's level 2 turn
        QVERIFY(m_history.Append(Turn(m_today + 120, 2, 30, 25, true, "T3")).ok);
        dialog.refresh();
        QVERIFY(Text(dialog, "summaryLabel").contains("2 turns"));
    }

    // The export writes a file; a failed one, and a window without a
    // history, say why. (What the file holds is tried on the history.)
    void exportAndMissingHistory()
    {
        StatisticsDialog dialog;
        dialog.setHistory(&m_history);
        QVERIFY(dialog.exportCsv(m_dir.filePath("export.csv")).ok && QFile::exists(m_dir.filePath("export.csv")));
        const StatisticsDialog::ExportResult failed = dialog.exportCsv(m_dir.filePath("no/such/folder/x.csv"));
        QVERIFY2(!failed.ok && failed.message.contains(QRegularExpression("could not be exported.*: No such file")),
                 qPrintable(failed.message));
        QCOMPARE(Text(dialog, "statusLabel"), failed.message);
        History closed;
        dialog.setHistory(&closed);
        QVERIFY(Text(dialog, "statusLabel").contains("unavailable"));
        QVERIFY(Text(dialog, "summaryLabel").contains("0 turns"));
        QVERIFY(!dialog.exportCsv(m_dir.filePath("none.csv")).ok);
        HighScoresDialog scores;
        scores.show();
        QVERIFY(Text(scores, "statusLabel").contains("unavailable"));
        QCOMPARE(scores.findChild<QTableWidget *>("bestTurnsTable")->rowCount(), 0);
    }

    // The results file's lines in file order, names decoded without loss where
    // possible, the record marked; the history's best turn of each level.
    void highScores()
    {
        HighScoresDialog dialog;
        dialog.setEntries({{QByteArray("Ann"), 57, 40}, {QByteArray("J\xC3\xB6rg"), 103, 80},
                           {QByteArray("bad\xFF\xFEname"), 12, 9}, {QByteArray("Tie"), 103, 70}});
        dialog.setHistory(&m_history);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *results = dialog.findChild<QTableWidget *>("resultsTable");
        QCOMPARE(results->rowCount(), 4);
        QCOMPARE(results->item(2, 1)->text(), QString("bad\uFFFD\uFFFDname"));
        for (int row = 0; row < 4; ++row)  // the first line holding the top score
            QCOMPARE(results->item(row, 1)->font().bold(), row == 1);
        QCOMPARE(Text(dialog, "recordLabel"), QString::fromUtf8("Record to beat: 103 by J\xC3\xB6rg"));
        auto *best = dialog.findChild<QTableWidget *>("bestTurnsTable");
        QCOMPARE(best->rowCount(), 2);
        QCOMPARE(best->item(0, 3)->text(), QString("Y1"));
        QCOMPARE(best->item(1, 1)->text(), QString("50"));
        QCOMPARE(best->item(1, 2)->text(), QString::fromStdString(UtcDate(m_today)));
    }
};

QTEST_MAIN(TestGuiProgress)
#include "tst_gui_progress.moc"
