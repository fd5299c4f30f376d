// Turns beyond New: figures from codes, Restart and the daily figure, help
// bought at a price, undo, and the history that the first Check of each turn
// writes.

#include "guitest.h"
#include "progress/puzzlecode.h"

#include <QAction>
#include <QMessageBox>
#include <QSpinBox>
#include <QStandardPaths>
#include <QUndoStack>

using namespace guitest;

namespace {

bool SameFigure(const Figure &a, const Figure &b)
{
    return a.SegmentCount == b.SegmentCount && a.entry == b.entry;
}

} // namespace

class TestGuiTurns : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<MainWindow> m_window;

    QAction *action(const char *name) { return m_window->findChild<QAction *>(QLatin1String(name)); }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_folder = std::make_unique<ProgramFolder>();
        m_window = std::make_unique<MainWindow>(m_folder->path());
        m_window->turn().game().SetRecordThreshold(1 << 30);  // no name window here
        QVERIFY(showReady(*m_window));
    }

    // A code gives its figure and level; Restart gives the same figure with
    // empty sheets, and after a Check it can no longer set a record.
    void codeRestartAndDaily()
    {
        MainWindow &w = *m_window;
        const PuzzleCode code{23, 0x5eed1234u, false};
        QString told;
        whenModal<QMessageBox>(&w, [&](QMessageBox *box) {
            told = box->text();
            box->accept();
        });
        QVERIFY(!w.openPuzzleCode(QStringLiteral("0026-V5ZD-3")));  // a typo changes nothing
        QVERIFY2(told.contains(QStringLiteral("typing error")), qPrintable(told));
        QVERIFY(w.openPuzzleCode(QString::fromStdString(EncodePuzzleCode(code))));
        QVERIFY(SameFigure(w.game().figure(), FigureFromCode(code)));
        QCOMPARE(w.findChild<QSpinBox *>(QStringLiteral("levelBox"))->value(), 23);
        QCOMPARE(w.turn().currentCode(), code);

        drawTruth(w, Sheet::X);
        action("checkAction")->trigger();
        QVERIFY(w.game().Checked());
        action("restartAction")->trigger();
        QVERIFY(SameFigure(w.game().figure(), FigureFromCode(code)));
        QVERIFY(!w.game().Checked());
        QCOMPARE(w.game().sheet(Sheet::X).Strokes().NextSlot(), 1);
        QVERIFY(w.game().TruthSeen());

        action("dailyAction")->trigger();
        const PuzzleCode daily = DailyPuzzle(TodayUtc());
        QCOMPARE(w.turn().currentCode(), daily);
        QVERIFY(SameFigure(w.game().figure(), FigureFromCode(daily)));
        QVERIFY(!w.game().TruthSeen());
    }

    // Undo and redo replay a stroke exactly; Check empties the stack.
    void undoRedoAndCheckLocks()
    {
        MainWindow &w = *m_window;
        action("newAction")->trigger();
        QTest::qWait(TurnController::GuardMs + 50);
        SheetWidget *sheet = w.sheetWidget(Sheet::Z);
        drawStroke(sheet, pixelOf(w, 1, 1), pixelOf(w, 3, 1));
        drawStroke(sheet, pixelOf(w, 3, 1), pixelOf(w, 3, 4));
        const SheetStrokes two = w.game().sheet(Sheet::Z).Strokes();
        QCOMPARE(two.NextSlot(), 3);
        action("undoAction")->trigger();
        QCOMPARE(w.game().sheet(Sheet::Z).Strokes().NextSlot(), 2);
        action("redoAction")->trigger();
        QCOMPARE(w.game().sheet(Sheet::Z).Strokes(), two);
        action("checkAction")->trigger();
        QVERIFY(!action("undoAction")->isEnabled());
    }

    // Help costs points from the turn's score; the history keeps both, once
    // per turn however often the turn is checked.
    void helpIsPaidAndTheTurnRecorded()
    {
        MainWindow &w = *m_window;
        History *history = w.turn().history();
        QVERIFY(history);
        std::vector<TurnRecord> before;
        QVERIFY(history->Turns(before));

        action("newAction")->trigger();
        action("hintAction")->trigger();
        action("hintAction")->trigger();
        QCOMPARE(w.game().Help().hints, 2);
        action("peekAction")->trigger();  // nothing drawn: nothing to mark, nothing paid
        QCOMPARE(w.game().Help().peeks, 0);
        action("checkAction")->trigger();
        action("checkAction")->trigger();
        QCOMPARE(w.turn().lastCheck().finalScore, w.game().Score() - 2 * HintCost);
        action("hintAction")->trigger();  // after Check: nothing
        QCOMPARE(w.game().Help().hints, 2);

        std::vector<TurnRecord> after;
        QVERIFY(history->Turns(after));
        QCOMPARE(after.size(), before.size() + 1);
        const TurnRecord &t = after.back();
        QCOMPARE(t.hintsUsed, 2);
        QCOMPARE(t.finalScore, w.turn().lastCheck().finalScore);
        QCOMPARE(t.puzzleCode, EncodePuzzleCode(w.turn().currentCode()));
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiTurns)
#include "tst_gui_turns.moc"
