// Drawing on the three sheets with the mouse and checking the drawing: what a
// player sees on the sheets, what the game keeps of it, and the record window.

#include "guitest.h"
#include "results/recordnamedialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>

using namespace guitest;

namespace {

QList<Stroke> strokesOn(MainWindow &w, Sheet s)
{
    QList<Stroke> out;
    const SheetStrokes &strokes = w.turn().game().sheet(s).Strokes();
    for (int slot = 1; slot <= strokes.LastUsedSlot(); ++slot)
        if (!strokes[slot].IsEmpty())
            out.push_back(strokes[slot]);
    return out;
}

QString labelText(MainWindow &w, const char *name)
{
    auto *label = w.findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

// A point between lattice dots, clear of every line unless one is drawn there.
QPoint between(const MainWindow &w, double col, double row)
{
    return {static_cast<int>(col * w.lattice().CellWidth), static_cast<int>(row * w.lattice().CellHeight)};
}

// The first line of the true projection that has a length, or an empty stroke.
Stroke firstTrueLine(MainWindow &w, Sheet s)
{
    for (const Stroke &t : w.game().trueSegments(s))
        if (!t.IsEmpty() && t.Start() != t.End())
            return t;
    return {};
}

// Half a cell along a line from its start: on the line, between lattice dots.
QPoint halfCellAlong(const MainWindow &w, const Stroke &line)
{
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    return pixelOf(w, line.Start()) + QPoint(sign(line.EndCol - line.StartCol) * w.lattice().CellWidth / 2,
                                             sign(line.EndRow - line.StartRow) * w.lattice().CellHeight / 2);
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

// Seeds of figures whose walk shows a line on every sheet.
constexpr std::uint32_t SeedA = 20261206;
constexpr std::uint32_t SeedB = 4242;

} // namespace

class TestGuiSheets : public QObject {
    Q_OBJECT

    // One window for the turns; every test starts on a new turn (New keeps no
    // stroke). The record tests use windows of their own.
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<MainWindow> m_window;

private Q_SLOTS:
    void initTestCase()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_window = std::make_unique<MainWindow>(m_folder->path());
        QVERIFY(showReady(*m_window));
    }
    void init()
    {
        m_window->turn().game().SetRecordThreshold(1000000);  // records have a test of their own
        m_window->turn().newTurn();
        QVERIFY(QTest::qWaitFor([&] { return allSheetsTakeInput(*m_window); }, 2000));
    }
    void cleanupTestCase() { m_window.reset(); }

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
        MainWindow &w = *m_window;
        // Closing a dialog over the window activates it; that click must not draw.
        w.activate();
        QTest::qWait(waitMs);
        for (Sheet s : AllSheets) {
            SheetWidget *sheet = w.sheetWidget(s);
            const QPoint a = pixelOf(w, {1, 1});
            const QPoint b = between(w, 3.5, 2.5);
            click(sheet, a);
            moveAlong(sheet, a, b);
            QCOMPARE(sheet->rubberBandShown(), taken);
            QCOMPARE(shown(sheet, (a + b) / 2) != SheetWidget::Background, taken);
            click(sheet, b);
            QCOMPARE(strokesOn(w, s).size(), taken ? 1 : 0);
        }
    }

    void strokeShowsUntilDrawnAgain_data()
    {
        QTest::addColumn<Sheet>("sheet");
        QTest::addColumn<Stroke>("line");
        QTest::addColumn<QPoint>("startNudge");
        QTest::addColumn<QPoint>("endNudge");
        QTest::addColumn<QPointF>("clearCell");  // a cell shift from the line that must stay empty
        QTest::addColumn<bool>("againReversed");
        QTest::newRow("horizontal on X, erased the same way")
            << Sheet::X << Stroke(1, 1, 2, 1) << QPoint() << QPoint() << QPointF(0, 1) << false;
        QTest::newRow("vertical on Y, clicks beside the dots, erased the other way")
            << Sheet::Y << Stroke(3, 2, 3, 4) << QPoint(5, -6) << QPoint(-7, 8) << QPointF(1, 0) << true;
        QTest::newRow("diagonal on Z, erased the other way")
            << Sheet::Z << Stroke(5, 5, 4, 4) << QPoint() << QPoint() << QPointF(-1, 0) << true;
        QTest::newRow("bottom edge of X, right to left, erased the same way")
            << Sheet::X << Stroke(5, 5, 1, 5) << QPoint() << QPoint() << QPointF(0, -1) << false;
    }
    void strokeShowsUntilDrawnAgain()
    {
        QFETCH(Sheet, sheet);
        QFETCH(Stroke, line);
        QFETCH(QPoint, startNudge);
        QFETCH(QPoint, endNudge);
        QFETCH(QPointF, clearCell);
        QFETCH(bool, againReversed);
        MainWindow &w = *m_window;
        SheetWidget *widget = w.sheetWidget(sheet);
        const QPoint a = pixelOf(w, line.Start()) + startNudge;
        const QPoint b = pixelOf(w, line.End()) + endNudge;
        drawStroke(widget, a, b);

        const QList<Stroke> stored = strokesOn(w, sheet);
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored[0], line);
        const QPoint onLine = halfCellAlong(w, line);
        const QPoint offLine = onLine + QPoint(static_cast<int>(clearCell.x() * w.lattice().CellWidth),
                                               static_cast<int>(clearCell.y() * w.lattice().CellHeight));
        QCOMPARE(shown(widget, onLine), SheetWidget::StrokeColour);
        QCOMPARE(shown(widget, offLine), SheetWidget::Background);
        for (Sheet other : AllSheets)
            if (other != sheet)
                QVERIFY(strokesOn(w, other).empty());

        if (againReversed)
            drawStroke(widget, b, a);
        else
            drawStroke(widget, a, b);
        QVERIFY(strokesOn(w, sheet).empty());
        QCOMPARE(shown(widget, onLine), SheetWidget::Background);
    }

    void rubberBandFollowsThePointerAndGoes()
    {
        MainWindow &w = *m_window;
        SheetWidget *widget = w.sheetWidget(Sheet::Z);
        Repaints repaints(widget);  // (grab() paints too: read pixels only after)
        const QPoint a = pixelOf(w, {1, 1});
        const QPoint far = between(w, 3.8, 4.3);
        const QPoint end = between(w, 1.9, 1.4);  // snaps to (2, 1)
        click(widget, a);
        moveAlong(widget, a, far);
        QTRY_VERIFY(repaints.region.contains((a + far) / 2));
        QVERIFY(widget->rubberBandShown());
        QVERIFY(shown(widget, (a + far) / 2) != SheetWidget::Background);

        // The band follows the pointer: its old place is wiped on the screen,
        // here where the new band's box does not reach.
        const QPoint oldBand = a + (far - a) * 3 / 4;
        QVERIFY(shown(widget, oldBand) != SheetWidget::Background);
        repaints.region = {};
        moveAlong(widget, far, end);
        QTRY_VERIFY(repaints.region.contains(oldBand));
        QCOMPARE(shown(widget, oldBand), SheetWidget::Background);

        // The finished stroke takes the band's place.
        repaints.region = {};
        click(widget, end);
        QTRY_VERIFY(repaints.region.contains((a + end) / 2));
        QVERIFY(!widget->rubberBandShown());
        QCOMPARE(strokesOn(w, Sheet::Z).size(), 1);
        QCOMPARE(shown(widget, (a + end) / 2), SheetWidget::Background);
    }

    void checkRevealsScoresAndLocks_data()
    {
        QTest::addColumn<std::uint32_t>("seed");
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<Sheet>>("drawn");
        QTest::newRow("nothing drawn") << SeedA << 0 << QList<Sheet>{};
        QTest::newRow("only X drawn, level 3") << SeedB << 3 << QList<Sheet>{Sheet::X};
        QTest::newRow("all three drawn") << SeedA << 0 << QList<Sheet>{Sheet::X, Sheet::Y, Sheet::Z};
        QTest::newRow("all three drawn, level 6") << SeedB << 6 << QList<Sheet>{Sheet::X, Sheet::Y, Sheet::Z};
    }
    void checkRevealsScoresAndLocks()
    {
        QFETCH(std::uint32_t, seed);
        QFETCH(int, level);
        QFETCH(QList<Sheet>, drawn);
        MainWindow &w = *m_window;
        w.turn().game().SetLevel(level);
        w.turn().game().Seed(seed);
        w.turn().newTurn();
        int right = 0;
        int wrong = 0;
        for (Sheet s : AllSheets) {
            QVERIFY2(!firstTrueLine(w, s).IsEmpty(), "the seeded figure should show a line on every sheet");
            const int samples = static_cast<int>(w.game().trueProjection(s).size());
            if (drawn.contains(s)) {
                drawTruth(w, s);
                right += samples;
            } else {
                wrong += samples;
            }
        }
        QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("checkButton")), Qt::LeftButton);

        QCOMPARE(w.game().RightCount(), right);
        QCOMPARE(w.game().WrongCount(), wrong);
        QCOMPARE(labelText(w, "resultLabel"),
                 QStringLiteral("Right %1   Wrong %2   Score %3").arg(right).arg(wrong).arg(right - wrong));
        for (Sheet s : AllSheets) {
            SheetWidget *widget = w.sheetWidget(s);
            // The player's strokes lie over the truth; undrawn, the truth shows red.
            const QColor expected = drawn.contains(s) ? SheetWidget::StrokeColour : SheetWidget::TrueColour;
            QCOMPARE(shown(widget, halfCellAlong(w, firstTrueLine(w, s))), expected);

            // Locked: a press neither begins a stroke nor plays a cue.
            QSignalSpy presses(widget, &SheetWidget::pressed);
            const qsizetype before = strokesOn(w, s).size();
            drawStroke(widget, pixelOf(w, {1, 1}), pixelOf(w, {5, 1}));
            QCOMPARE(presses.size(), 0);
            QVERIFY(!widget->rubberBandShown());
            QCOMPARE(strokesOn(w, s).size(), before);
        }
    }

    void recordIsSavedUnderTheTypedName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("plain name") << QStringLiteral("Zoe") << QStringLiteral("Zoe");
        QTest::newRow("a comma would split the line") << QStringLiteral("Lee, Jr") << QStringLiteral("Lee  Jr");
    }
    void recordIsSavedUnderTheTypedName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        ProgramFolder folder;
        MainWindow w(folder.path());
        QVERIFY(showReady(w));
        w.turn().game().Seed(SeedA);
        w.turn().newTurn();
        for (Sheet s : AllSheets)
            drawTruth(w, s);

        QString offered = QStringLiteral("<no name window>");
        whenModal<RecordNameDialog>(&w, [&](RecordNameDialog *d) {
            auto *edit = d->findChild<QLineEdit *>(QStringLiteral("nameEdit"));
            offered = edit->text();
            QTest::keyClicks(edit, typed);
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
        });
        w.turn().check();
        const int score = w.game().Score();
        QVERIFY(score > 0);
        QCOMPARE(offered, QString());
        const QString seconds = labelText(w, "timeLabel").section(QLatin1Char(' '), 2, 2);
        QCOMPARE(QString::fromLatin1(folder.read(QStringLiteral("Stat.txt"))),
                 QStringLiteral("%1,%2,%3,,\r\n").arg(stored).arg(score).arg(seconds));
        QCOMPARE(labelText(w, "bestLabel"), QStringLiteral("Best score %1").arg(score));

        // Checking the same drawing again is no new record.
        bool asked = false;
        whenModal<QWidget>(&w, [&](QWidget *d) { asked = true; d->close(); }, 300);
        w.turn().check();
        QTest::qWait(400);
        QVERIFY(!asked);

        // The next record offers the name typed last.
        w.turn().game().SetRecordThreshold(0);
        w.turn().newTurn();
        QVERIFY(QTest::qWaitFor([&] { return allSheetsTakeInput(w); }, 2000));
        for (Sheet s : AllSheets)
            drawTruth(w, s);
        offered = QStringLiteral("<no name window>");
        whenModal<RecordNameDialog>(&w, [&](RecordNameDialog *d) {
            offered = d->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->text();
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
        });
        w.turn().check();
        QCOMPARE(offered, typed);
        QCOMPARE(folder.read(QStringLiteral("Stat.txt")).count("\r\n"), 2);
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiSheets)
#include "tst_gui_sheets.moc"
