// Drawing on the three sheets with the mouse and the keys and checking the
// drawing: what a player sees on the sheets (strokes, the band, the styles
// after a Check, hints, the snap mark), what the game keeps of it, and the
// record window.

#include "guitest.h"
#include "results/recordnamedialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPushButton>
#include <QSignalSpy>

using namespace guitest;

namespace {

QList<Stroke> strokesIn(const SheetInput &input)
{
    QList<Stroke> out;
    for (const Stroke &stroke : input.Strokes().Slots())
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

constexpr int Cell = 40;
QPoint at(LatticePoint p) { return {p.col * Cell, p.row * Cell}; }

// One sheet in a window, over a truth of the top row and the right column.
// check() draws right (1,1)-(3,1) and extra (1,3)-(3,3) and reveals the sheet.
struct Bench {
    SheetInput input;
    SegmentList truth{};
    SheetLattice lattice{Cell, Cell};
    QWidget window;
    QPushButton *next = new QPushButton(QStringLiteral("next"), &window);  // where Tab goes
    SheetWidget *sheet = new SheetWidget(Sheet::X, input, truth, lattice, &window);

    explicit Bench(bool inputOn = true)
    {
        truth[11] = Stroke(1, 1, 5, 1);
        truth[12] = Stroke(5, 1, 5, 5);
        window.resize(8 * Cell, 7 * Cell);
        sheet->setGeometry(0, 0, 6 * Cell, 6 * Cell);
        next->move(6 * Cell + 5, 5);
        input.SetInputEnabled(inputOn);
    }
    void check()
    {
        for (LatticePoint p : {LatticePoint{1, 1}, {3, 1}, {1, 3}, {3, 3}}) {
            input.PressAt(p);
            input.ReleaseAt(p);
        }
        input.Reveal();
        sheet->setMarks({Classify(truth, input.Strokes().Slots()), {}, {}});
    }
    // Pixels around a lattice point other than its own dot.
    int inkAround(LatticePoint p) const
    {
        const QImage img = sheet->grab().toImage();
        int ink = 0;
        for (int dx = -9; dx <= 9; ++dx)
            for (int dy = -9; dy <= 9; ++dy)
                ink += (std::abs(dx) > 2 || std::abs(dy) > 2) &&
                       img.pixelColor(at(p) + QPoint(dx, dy)) != SheetWidget::Background;
        return ink;
    }
};

} // namespace

class TestGuiSheets : public QObject {
    Q_OBJECT

    // One window for the turns; every test starts on a new turn (New keeps no
    // stroke).
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
            QCOMPARE(strokesIn(w.game().sheet(s)).size(), taken ? 1 : 0);
        }
    }

    // The band follows the pointer: its old place is wiped on the screen, and
    // only the band's box is repainted as it moves. The second click leaves a
    // stroke in its place; the same stroke drawn again the other way erases it.
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
        QCOMPARE(strokesIn(w.game().sheet(Sheet::Z)), QList<Stroke>{Stroke(1, 1, 2, 1)});
        QCOMPARE(shown(widget, (a + end) / 2), SheetWidget::Background);
        const QPoint onLine = halfCellAlong(w, Stroke(1, 1, 2, 1));
        QCOMPARE(shown(widget, onLine), SheetWidget::StrokeColour);
        drawStroke(widget, end, a);
        QVERIFY(strokesIn(w.game().sheet(Sheet::Z)).empty());
        QCOMPARE(shown(widget, onLine), SheetWidget::Background);
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
            const qsizetype before = strokesIn(w.game().sheet(s)).size();
            drawStroke(widget, pixelOf(w, 1, 1), pixelOf(w, 5, 1));
            QCOMPARE(presses.size(), 0);
            QVERIFY(!widget->rubberBandShown());
            QCOMPARE(strokesIn(w.game().sheet(s)).size(), before);
        }
    }

    // A record is saved only through "OK"; closing the name window stores
    // nothing. The name confirmed last is offered the next time.
    void recordThroughTheNameWindow()
    {
        MainWindow &w = m_window;
        const ProgramFolder &folder = m_folder;
        w.turn().game().SetRecordThreshold(0);  // as with no results file
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
        checkAndAnswer(false);
        QCOMPARE(offered, QString());
        QCOMPARE(folder.read(QStringLiteral("Stat.txt")), QByteArray());
        checkAndAnswer(true);  // still a record: nothing was saved
        QCOMPARE(offered, QString());
        const int score = w.game().Score();
        QVERIFY(score > 0);
        const QString seconds = control<QLabel>(&w, "timeLabel")->text().section(QLatin1Char(' '), 2, 2);
        QCOMPARE(QString::fromLatin1(folder.read(QStringLiteral("Stat.txt"))),
                 QStringLiteral("Zoe,%1,%2,,\r\n").arg(score).arg(seconds));
        QCOMPARE(control<QLabel>(&w, "bestLabel")->text(), QStringLiteral("Best score %1").arg(score));
        checkAndAnswer(true);  // the saved score is no record any more
        QCOMPARE(offered, QStringLiteral("<no name window>"));
        w.turn().game().SetRecordThreshold(0);
        checkAndAnswer(true);
        QCOMPARE(offered, QStringLiteral("Zoe"));
        QCOMPARE(folder.read(QStringLiteral("Stat.txt")).count("\r\n"), 2);
    }

    // Each piece after a Check, and a hint, has a style of its own a player
    // can tell apart, in the normal and the safe palette: right in the stroke
    // colour with a dark edge, extra dashed, missing in the truth colour with
    // light rings, a hint an amber band with a dark core.
    void eachKindHasItsStyle_data()
    {
        QTest::addColumn<bool>("safe");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Stroke>("line");
        for (bool safe : {false, true}) {
            const char *palette = safe ? " (safe palette)" : "";
            QTest::addRow("right%s", palette) << safe << "right" << Stroke(1, 1, 3, 1);
            QTest::addRow("extra%s", palette) << safe << "extra" << Stroke(1, 3, 3, 3);
            QTest::addRow("missing%s", palette) << safe << "missing" << Stroke(5, 1, 5, 5);
            QTest::addRow("hint%s", palette) << safe << "hint" << Stroke(2, 4, 3, 4);
        }
    }
    void eachKindHasItsStyle()
    {
        QFETCH(bool, safe);
        QFETCH(QString, kind);
        QFETCH(Stroke, line);
        Bench b;
        b.sheet->setSafePalette(safe);
        kind == "hint" ? b.sheet->setMarks({{}, {line}, {}}) : b.check();
        const QColor stroke = safe ? SheetWidget::SafeStrokeColour : SheetWidget::StrokeColour;
        const QImage img = b.sheet->grab().toImage();
        const QPoint from = at(line.Start()), to = at(line.End());
        const QPoint side = from.y() == to.y() ? QPoint(0, 3) : QPoint(3, 0);
        QList<QColor> centre, beside;
        for (int i = 6; i <= 34; ++i) {  // clear of both ends
            centre << img.pixelColor(from + (to - from) * i / 40);
            beside << img.pixelColor(from + (to - from) * i / 40 + side);
        }
        const auto all = [](const QList<QColor> &l, auto f) { return std::all_of(l.begin(), l.end(), f); };
        const QHash<QString, bool> looks{
            {"right", centre.count(stroke) == centre.size() &&
                          all(beside, [&](QColor c) { return c.lightness() < stroke.lightness(); })},
            {"extra", centre.contains(stroke) && centre.contains(SheetWidget::Background)},
            {"missing", centre.contains(safe ? SheetWidget::SafeTrueColour : SheetWidget::TrueColour) &&
                            centre.contains(QColor(Qt::white))},
            {"hint", all(beside, [](QColor c) { return c.red() - c.blue() > 60 && c.green() > c.blue(); }) &&
                         !all(centre, [](QColor c) { return c.lightness() > 128; })}};
        QVERIFY(looks[kind]);
    }

    // Arrows move the cursor (stopping at the edge), Space begins and ends a
    // stroke; a held Space or the input guard draws nothing; Tab leaves the
    // sheet. The snap mark sits on the lattice point nearest the pointer while
    // the sheet takes input, and nowhere during the input guard or off the sheet.
    void keysAndSnapMark_data()
    {
        QTest::addColumn<bool>("inputOn");
        QTest::addColumn<QString>("keys");  // arrows as LRUD, ' ' Space, 'r' an auto-repeated Space
        QTest::addColumn<QList<Stroke>>("strokes");
        QTest::newRow("arrows and Space twice") << true << "LU RR " << QList<Stroke>{Stroke(2, 2, 4, 2)};
        QTest::newRow("the cursor stops at the edge") << true << "LLLL D " << QList<Stroke>{Stroke(1, 3, 1, 4)};
        QTest::newRow("held Space ends nothing") << true << " Rr" << QList<Stroke>{};
        QTest::newRow("Space during the input guard") << false << " R " << QList<Stroke>{};
    }
    void keysAndSnapMark()
    {
        QFETCH(bool, inputOn);
        QFETCH(QString, keys);
        QFETCH(QList<Stroke>, strokes);
        Bench b(inputOn);
        b.window.show();
        b.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&b.window));
        for (LatticePoint p : {LatticePoint{2, 2}, {4, 3}}) {
            mouse(QTest::MouseMove, b.sheet, at(p) + QPoint(7, p.col == 2 ? -6 : 9));
            QTRY_COMPARE(b.inkAround(p) > 0, inputOn);
        }
        QCOMPARE(b.inkAround({2, 2}), 0);
        mouse(QTest::MouseMove, &b.window, QPoint(7 * Cell, 6 * Cell));
        QTRY_COMPARE(b.inkAround({4, 3}), 0);
        b.sheet->setFocus(Qt::TabFocusReason);
        QSignalSpy finished(b.sheet, &SheetWidget::strokeFinished);
        const QHash<QChar, Qt::Key> key{
            {'L', Qt::Key_Left}, {'R', Qt::Key_Right}, {'U', Qt::Key_Up}, {'D', Qt::Key_Down}};
        for (QChar k : keys) {
            QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, {}, QStringLiteral(" "), k == 'r');
            key.contains(k) ? QTest::keyClick(b.sheet, key[k]) : void(QApplication::sendEvent(b.sheet, &space));
        }
        QCOMPARE(strokesIn(b.input), strokes);
        QCOMPARE(finished.size(), strokes.size());
        QTest::keyClick(b.sheet, Qt::Key_Tab);
        QVERIFY(b.next->hasFocus());
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiSheets)
#include "tst_gui_sheets.moc"
