// A turn kept for a later run, through the real window: the game killed
// during a turn with strokes starts with a new figure and offers the turn;
// Continue Last Turn brings back its sheets, seconds and undo; a Check of
// the turn in play gives the kept one up. (The turn's rules, and files that
// cannot be read: tst_continue.)

#include "guitest.h"

#include "ui/window/turnkeeper.h"

using namespace guitest;

class TestGuiContinue : public QObject {
    Q_OBJECT

    QAction *action(MainWindow &w, const char *name) { return w.findChild<QAction *>(QLatin1String(name)); }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void killedTurnContinues()
    {
        ProgramFolder folder;
        QByteArray saved;
        std::array<SheetStrokes, 3> drawn{};
        int seconds = 0;
        PuzzleCode code;
        {
            MainWindow w(folder.path());
            w.keepTurns(folder.path(), true, false);
            QVERIFY(showReady(w));
            QVERIFY(!action(w, "continueTurnAction")->isEnabled());
            drawStroke(w.sheetWidget(Sheet::X), pixelOf(w, 1, 1), pixelOf(w, 1, 3));
            drawStroke(w.sheetWidget(Sheet::Z), pixelOf(w, 2, 2), pixelOf(w, 4, 2));
            QTest::qWait(1500);  // the seconds run on
            QTRY_VERIFY_WITH_TIMEOUT(!folder.read("turn.json").isEmpty(), 3000);
            QTRY_VERIFY_WITH_TIMEOUT(folder.read("turn.json").contains("\"seconds\":" + QByteArray::number(w.game().Seconds())), 3000);
            // What a kill leaves: the last save, nothing written at quit.
            saved = folder.read("turn.json");
            seconds = w.game().Seconds();
            code = w.turn().currentCode();
            for (Sheet s : AllSheets)
                drawn[static_cast<std::size_t>(SheetIndex(s))] = w.game().Input(s).Strokes();
        }
        QFile file(folder.file("turn.json"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(saved) == saved.size());
        file.close();

        MainWindow w(folder.path());
        w.keepTurns(folder.path(), true, false);
        QVERIFY(showReady(w));
        // The game starts as ever, with a new figure and the offer.
        QVERIFY(!w.game().Input(Sheet::X).Strokes().Any());
        QVERIFY(action(w, "continueTurnAction")->isEnabled());
        QVERIFY(control<QLabel>(&w, "codeLabel")->text().contains("Continue Last Turn"));

        // The new turn has a stroke: the two are swapped.
        drawStroke(w.sheetWidget(Sheet::Y), pixelOf(w, 1, 1), pixelOf(w, 3, 1));
        action(w, "continueTurnAction")->trigger();
        QCOMPARE(w.turn().currentCode().seed, code.seed);
        for (Sheet s : AllSheets)
            QVERIFY(w.game().Input(s).Strokes() == drawn[static_cast<std::size_t>(SheetIndex(s))]);
        QVERIFY(std::abs(w.game().Seconds() - seconds) <= 2);
        QVERIFY(action(w, "continueTurnAction")->isEnabled() && w.keeper()->hasKept());
        action(w, "undoAction")->trigger();
        QVERIFY(!w.game().Input(Sheet::Z).Strokes().Any());
        QVERIFY(w.game().Input(Sheet::X).Strokes() == drawn[0]);
        action(w, "redoAction")->trigger();
        QVERIFY(w.game().Input(Sheet::Z).Strokes() == drawn[2]);

        // A Check of the turn in play gives the kept one up.
        w.turn().game().SetRecordThreshold(1 << 30);
        clickButton(&w, "checkButton");
        QVERIFY(!action(w, "continueTurnAction")->isEnabled() && !w.keeper()->hasKept());
        QVERIFY(!QFile::exists(folder.file("turn.json")) && !QFile::exists(folder.file("turn-kept.json")));
    }
};

QTEST_MAIN(TestGuiContinue)
#include "tst_gui_continue.moc"
