// Drawing on the three sheets with the mouse and checking the drawing: what a
// player sees on the sheets, what the game keeps of it, and the record window.

#include "guitest.h"
#include "results/recordnamedialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QSignalSpy>

using namespace guitest;

namespace {

QList<Stroke> strokesOn(MainWindow &w, Sheet s)
{
    QList<Stroke> out;
    for (const Stroke &stroke : w.game().sheet(s).Strokes().Slots())
        if (!stroke.IsEmpty())
            out << stroke;
    return out;
}

// Half a cell along a line from its start: on the line, between lattice dots.
QPoint halfCellAlong(const MainWindow &w, const Stroke &line)
{
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    return pixelOf(w, line.StartCol + sign(line.EndCol - line.StartCol) / 2.0,
                   line.StartRow + sign(line.EndRow - line.StartRow) / 2.0);
}

// The regions Qt repaints on a widget. A fresh paint showing no band proves
// nothing for the screen unless the band's pixels are among them.
class Repaints : public QObject {
public:
    explicit Repaints(QWidget *w) { w->installEventFilter(this); }
    QRegion region;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            region += static_cast<QPaintEvent *>(e)->region();
        return false;
    }
};

// A figure whose walk shows a line on every sheet.
constexpr std::uint32_t SeedA = 20261206;

} // namespace

class TestGuiSheets : public QObject {
    Q_OBJECT

    // One window for the turns; every test starts on a new turn (New keeps no
    // stroke). The record tests use windows of their own.
    ProgramFolder m_folder;
    MainWindow m_window{m_folder.path()};

private Q_SLOTS:
    void initTestCase() { QVERIFY(showReady(m_window)); }
    void init()
    {
        m_window.turn().game().SetRecordThreshold(1000000);  // records have a test of their own
        m_window.turn().newTurn();
        QVERIFY(QTest::qWaitFor([&] { return allSheetsTakeInput(m_window); }, 2000));
    }

    // Closing a dialog over the window activates it; the click that closed it
    // must not draw, so the sheets ignore the mouse for half a second.
    void clicksRightAfterActivationAreIgnored_data()
    {
        QTest::addColumn<int>("waitMs");
        QTest::addColumn<bool>("taken");
        QTest::newRow("click at once") << 0 << false;
        QTest::newRow("click after 200 ms") << 200 << false;
        QTest::newRow("click after 700 ms") << 700 << true;
    }
    void clicksRightAfterActivationAreIgnored()
    {
        QFETCH(int, waitMs);
        QFETCH(bool, taken);
        MainWindow &w = m_window;
        w.activate();
        QTest::qWait(waitMs);
        const QPoint a = pixelOf(w, 1, 1);
        const QPoint b = pixelOf(w, 3.5, 2.5);
        for (Sheet s : AllSheets) {
            SheetWidget *sheet = w.sheetWidget(s);
            click(sheet, a);
            moveAlong(sheet, a, b);
            QCOMPARE(sheet->rubberBandShown(), taken);
            QCOMPARE(shown(sheet, (a + b) / 2) != SheetWidget::Background, taken);
            click(sheet, b);
            QCOMPARE(strokesOn(w, s).size(), taken ? 1 : 0);
        }
    }

    // Click, move, click draws a stroke where the player aimed; the same
    // stroke drawn again, either way round, erases it.
    void strokeShowsUntilDrawnAgain_data()
    {
        QTest::addColumn<Sheet>("sheet");
        QTest::addColumn<Stroke>("line");
        QTest::addColumn<QPoint>("startNudge");  // pixels from the lattice point
        QTest::addColumn<QPoint>("endNudge");
        QTest::addColumn<QPointF>("clearCell");  // a cell shift from the line that must stay empty
        QTest::addColumn<bool>("againReversed");
        QTest::newRow("horizontal on X, erased the same way")
            << Sheet::X << Stroke(1, 1, 2, 1) << QPoint() << QPoint() << QPointF(0, 1) << false;
        QTest::newRow("vertical on Y, clicks beside the dots, erased the other way")
            << Sheet::Y << Stroke(3, 2, 3, 4) << QPoint(5, -6) << QPoint(-7, 8) << QPointF(1, 0) << true;
        QTest::newRow("diagonal on Z, erased the other way")
            << Sheet::Z << Stroke(5, 5, 4, 4) << QPoint() << QPoint() << QPointF(-1, 0) << true;
        QTest::newRow("presses outside the lattice snap to its border, erased the same way")
            << Sheet::X << Stroke(5, 5, 1, 5) << QPoint(40, 40) << QPoint(-45, 30) << QPointF(0, -1) << false;
    }
    void strokeShowsUntilDrawnAgain()
    {
        QFETCH(Sheet, sheet);
        QFETCH(Stroke, line);
        QFETCH(QPoint, startNudge);
        QFETCH(QPoint, endNudge);
        QFETCH(QPointF, clearCell);
        QFETCH(bool, againReversed);
        MainWindow &w = m_window;
        SheetWidget *widget = w.sheetWidget(sheet);
        const QPoint a = pixelOf(w, line.StartCol, line.StartRow) + startNudge;
        const QPoint b = pixelOf(w, line.EndCol, line.EndRow) + endNudge;
        drawStroke(widget, a, b);

        QCOMPARE(strokesOn(w, sheet), QList<Stroke>{line});
        const QPoint onLine = halfCellAlong(w, line);
        QCOMPARE(shown(widget, onLine), SheetWidget::StrokeColour);
        QCOMPARE(shown(widget, onLine + pixelOf(w, clearCell.x(), clearCell.y())), SheetWidget::Background);
        for (Sheet other : AllSheets)
            QVERIFY(other == sheet || strokesOn(w, other).empty());

        drawStroke(widget, againReversed ? b : a, againReversed ? a : b);
        QVERIFY(strokesOn(w, sheet).empty());
        QCOMPARE(shown(widget, onLine), SheetWidget::Background);
    }

    // The band follows the pointer: its old place is wiped on the screen, and
    // only the band's box is repainted as it moves.
    void rubberBandFollowsThePointerAndGoes()
    {
        MainWindow &w = m_window;
        SheetWidget *widget = w.sheetWidget(Sheet::Z);
        Repaints repaints(widget);  // (grab() paints too: read pixels only after)
        const QPoint a = pixelOf(w, 1, 1);
        const QPoint far = pixelOf(w, 3.8, 4.3);
        const QPoint end = pixelOf(w, 1.9, 1.4);  // snaps to (2, 1)
        click(widget, a);
        moveAlong(widget, a, far);
        QTRY_VERIFY(repaints.region.contains((a + far) / 2));
        QVERIFY(widget->rubberBandShown());
        QVERIFY(shown(widget, (a + far) / 2) != SheetWidget::Background);

        const QPoint oldBand = a + (far - a) * 3 / 4;  // where the new band's box does not reach
        QVERIFY(shown(widget, oldBand) != SheetWidget::Background);
        repaints.region = {};
        moveAlong(widget, far, end);
        QTRY_VERIFY(repaints.region.contains(oldBand));
        QVERIFY(!repaints.region.contains(pixelOf(w, 5.3, 1.2)));  // outside both boxes
        QCOMPARE(shown(widget, oldBand), SheetWidget::Background);

        // The finished stroke takes the band's place.
        repaints.region = {};
        click(widget, end);
        QTRY_VERIFY(repaints.region.contains((a + end) / 2));
        QVERIFY(!widget->rubberBandShown());
        QCOMPARE(strokesOn(w, Sheet::Z).size(), 1);
        QCOMPARE(shown(widget, (a + end) / 2), SheetWidget::Background);
    }

    // After Check the result shows, the truth shows red under undrawn sheets
    // (green strokes over drawn ones), and the revealed sheets ignore the mouse.
    void checkRevealsScoresAndLocks()
    {
        MainWindow &w = m_window;
        w.turn().game().Seed(SeedA);
        w.turn().newTurn();
        drawTruth(w, Sheet::X);
        clickButton(&w, "checkButton");

        const Game &g = w.game();
        QVERIFY(g.RightCount() > 0 && g.WrongCount() > 0);
        QCOMPARE(control<QLabel>(&w, "resultLabel")->text(),
                 QStringLiteral("Right %1   Wrong %2   Score %3").arg(g.RightCount()).arg(g.WrongCount()).arg(g.Score()));
        for (Sheet s : AllSheets) {
            SheetWidget *widget = w.sheetWidget(s);
            const auto line = std::ranges::find_if(g.trueSegments(s), [](auto &t) { return !t.IsEmpty() && t.Start() != t.End(); });
            QVERIFY2(line != g.trueSegments(s).end(), "the seeded figure should show a line on every sheet");
            const QColor expected = s == Sheet::X ? SheetWidget::StrokeColour : SheetWidget::TrueColour;
            QCOMPARE(shown(widget, halfCellAlong(w, *line)), expected);

            // Locked: a press neither begins a stroke nor plays a cue.
            QSignalSpy presses(widget, &SheetWidget::pressed);
            const qsizetype before = strokesOn(w, s).size();
            drawStroke(widget, pixelOf(w, 1, 1), pixelOf(w, 5, 1));
            QCOMPARE(presses.size(), 0);
            QVERIFY(!widget->rubberBandShown());
            QCOMPARE(strokesOn(w, s).size(), before);
        }
    }

    // A record is saved only through "OK"; closing the name window stores
    // nothing. The name confirmed last is offered the next time.
    void recordThroughTheNameWindow_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK saves the record") << true;
        QTest::newRow("closing the window saves nothing") << false;
    }
    void recordThroughTheNameWindow()
    {
        QFETCH(bool, ok);
        ProgramFolder folder;
        MainWindow w(folder.path());
        QVERIFY(showReady(w));
        w.turn().game().Seed(SeedA);
        w.turn().newTurn();
        for (Sheet s : AllSheets)
            drawTruth(w, s);
        QString offered;
        // Checks, answering the name window if one comes: types Zoe, then OK or close.
        auto checkAndAnswer = [&](bool pressOk) {
            QObject watch;  // ends the watch with the Check
            offered = QStringLiteral("<no name window>");
            whenModal<RecordNameDialog>(&watch, [&](RecordNameDialog *d) {
                offered = control<QLineEdit>(d, "nameEdit")->text();
                QTest::keyClicks(control(d, "nameEdit"), QStringLiteral("Zoe"));
                pressOk ? clickButton(d, "okButton") : void(d->close());
            }, 300);
            w.turn().check();
        };

        checkAndAnswer(ok);
        QCOMPARE(offered, QString());
        const int score = w.game().Score();
        QVERIFY(score > 0);
        const QString seconds = control<QLabel>(&w, "timeLabel")->text().section(QLatin1Char(' '), 2, 2);
        QCOMPARE(QString::fromLatin1(folder.read(QStringLiteral("Stat.txt"))),
                 ok ? QStringLiteral("Zoe,%1,%2,,\r\n").arg(score).arg(seconds) : QString());
        QCOMPARE(control<QLabel>(&w, "bestLabel")->text(), QStringLiteral("Best score %1").arg(ok ? score : 0));

        // The same drawing checked again is a record only if none was saved.
        checkAndAnswer(false);
        QCOMPARE(offered != QStringLiteral("<no name window>"), !ok);

        w.turn().game().SetRecordThreshold(0);
        checkAndAnswer(true);
        QCOMPARE(offered, ok ? QStringLiteral("Zoe") : QString());
        QCOMPARE(folder.read(QStringLiteral("Stat.txt")).count("\r\n"), ok ? 2 : 1);
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiSheets)
#include "tst_gui_sheets.moc"
