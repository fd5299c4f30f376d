// What a sheet shows over the drawing (the styles after a Check, hints, the
// snap mark, the counts) and drawing on it with the keys.

#include "guitest.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>

using namespace guitest;

namespace {

constexpr int Cell = 40;
QPoint at(LatticePoint p) { return {p.col * Cell, p.row * Cell}; }

// One sheet in a window, over a truth of the top row and the right column.
// check() draws right (1,1)-(3,1) and extra (1,3)-(3,3), 11 samples each, and
// misses 30 true samples.
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

class TestGuiSheetMarks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void eachKindHasItsStyle_data()
    {
        QTest::addColumn<bool>("safe");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Stroke>("line");
        for (bool safe : {false, true}) {
            const char *palette = safe ? " (safe palette)" : "";
            QTest::addRow("right: stroke colour along, dark edge%s", palette) << safe << "right" << Stroke(1, 1, 3, 1);
            QTest::addRow("extra: dashes with background gaps%s", palette) << safe << "extra" << Stroke(1, 3, 3, 3);
            QTest::addRow("missing: truth colour, light rings%s", palette) << safe << "missing" << Stroke(5, 1, 5, 5);
            QTest::addRow("hint: amber band, dark core%s", palette) << safe << "hint" << Stroke(2, 4, 3, 4);
        }
    }
    void eachKindHasItsStyle()
    {
        QFETCH(bool, safe);
        QFETCH(QString, kind);
        QFETCH(Stroke, line);
        Bench b;
        b.sheet->setSafePalette(safe);
        kind == QLatin1String("hint") ? b.sheet->setMarks({{}, {line}, {}}) : b.check();
        const QColor stroke = safe ? SheetWidget::SafeStrokeColour : SheetWidget::StrokeColour;
        const QColor truth = safe ? SheetWidget::SafeTrueColour : SheetWidget::TrueColour;
        const QImage img = b.sheet->grab().toImage();
        const QPoint from = at(line.Start()), to = at(line.End());
        const QPoint side = from.y() == to.y() ? QPoint(0, 3) : QPoint(3, 0);
        QList<QColor> centre, beside;
        for (int i = 6; i <= 34; ++i) {  // clear of both ends
            centre << img.pixelColor(from + (to - from) * i / 40);
            beside << img.pixelColor(from + (to - from) * i / 40 + side);
        }
        const auto all = [](const QList<QColor> &l, auto f) { return std::all_of(l.begin(), l.end(), f); };
        if (kind == QLatin1String("right"))
            QVERIFY(centre.count(stroke) == centre.size() &&
                    all(beside, [&](QColor c) { return c.lightness() < stroke.lightness(); }));
        else if (kind == QLatin1String("extra"))
            QVERIFY(centre.contains(stroke) && centre.contains(SheetWidget::Background));
        else if (kind == QLatin1String("missing"))
            QVERIFY(centre.contains(truth) && centre.contains(QColor(Qt::white)));
        else
            QVERIFY(all(beside, [](QColor c) { return c.red() - c.blue() > 60 && c.green() > c.blue(); }) &&
                    !all(centre, [](QColor c) { return c.lightness() > 128; }));
    }

    void snapMarkFollowsThePointer_data()
    {
        QTest::addColumn<bool>("inputOn");
        QTest::addColumn<bool>("revealed");
        QTest::newRow("drawing: the mark moves with the pointer") << true << false;
        QTest::newRow("input guard on: no mark") << false << false;
        QTest::newRow("revealed: no mark") << true << true;
    }
    void snapMarkFollowsThePointer()
    {
        QFETCH(bool, inputOn);
        QFETCH(bool, revealed);
        Bench b(inputOn);
        if (revealed)
            b.input.Reveal();
        b.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.window));
        mouse(QTest::MouseMove, b.sheet, at({2, 2}) + QPoint(7, -6));
        QTRY_COMPARE(b.inkAround({2, 2}) > 0, inputOn && !revealed);
        mouse(QTest::MouseMove, b.sheet, at({4, 3}) + QPoint(-8, 9));
        QTRY_COMPARE(b.inkAround({4, 3}) > 0, inputOn && !revealed);
        QCOMPARE(b.inkAround({2, 2}), 0);
        mouse(QTest::MouseMove, &b.window, QPoint(7 * Cell, 6 * Cell));  // off the sheet
        QTRY_COMPARE(b.inkAround({4, 3}), 0);
    }

    void keysDrawFromTheCursor_data()
    {
        QTest::addColumn<bool>("inputOn");
        QTest::addColumn<QString>("keys");  // arrows as LRUD, ' ' Space, 'r' an auto-repeated Space
        QTest::addColumn<QList<Stroke>>("strokes");
        QTest::newRow("arrows and Space twice") << true << "LU RR " << QList<Stroke>{Stroke(2, 2, 4, 2)};
        QTest::newRow("the cursor stops at the edge") << true << "LLLL D " << QList<Stroke>{Stroke(1, 3, 1, 4)};
        QTest::newRow("held Space ends nothing") << true << " Rr" << QList<Stroke>{};
        QTest::newRow("Space during the input guard") << false << " R " << QList<Stroke>{};
    }
    void keysDrawFromTheCursor()
    {
        QFETCH(bool, inputOn);
        QFETCH(QString, keys);
        QFETCH(QList<Stroke>, strokes);
        Bench b(inputOn);
        b.window.show();
        b.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&b.window));
        b.sheet->setFocus(Qt::TabFocusReason);
        QSignalSpy finished(b.sheet, &SheetWidget::strokeFinished);
        const QHash<QChar, Qt::Key> key{
            {'L', Qt::Key_Left}, {'R', Qt::Key_Right}, {'U', Qt::Key_Up}, {'D', Qt::Key_Down}};
        for (QChar k : keys) {
            QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, {}, QStringLiteral(" "), k == QLatin1Char('r'));
            key.contains(k) ? QTest::keyClick(b.sheet, key[k]) : void(QApplication::sendEvent(b.sheet, &space));
        }
        QList<Stroke> drawn;
        std::copy_if(b.input.Strokes().Slots().begin(), b.input.Strokes().Slots().end(), std::back_inserter(drawn),
                     [](const Stroke &s) { return !s.IsEmpty(); });
        QCOMPARE(drawn, strokes);
        QCOMPARE(finished.size(), strokes.size());

        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, {});  // the window's key
        QApplication::sendEvent(b.sheet, &esc);
        QVERIFY(!esc.isAccepted());
        QTest::keyClick(b.sheet, Qt::Key_Tab);
        QVERIFY(b.next->hasFocus());
    }

    void countsShowBelowTheLattice()
    {
        Bench b;
        b.check();
        const QImage img = b.sheet->grab().toImage();
        int dark = 0;
        for (int y = 5 * Cell + 6; y < 6 * Cell; ++y)  // the margin below the lattice
            for (int x = 0; x < img.width(); ++x)
                dark += img.pixelColor(x, y).lightness() < 90;
        QVERIFY2(dark > 10, "no counts below the lattice");
        QVERIFY(b.sheet->accessibleDescription().contains(QStringLiteral("right 11, extra 11, missing 30")));
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiSheetMarks)
#include "tst_gui_sheetmarks.moc"
