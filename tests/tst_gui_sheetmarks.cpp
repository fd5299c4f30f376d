// What a sheet shows over the drawing (the styles after a Check, hints, the
// snap mark) and drawing on it with the keys.

#include "guitest.h"

#include <QPushButton>
#include <QSignalSpy>

namespace {

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

class TestGuiSheetMarks : public QObject {
    Q_OBJECT

private Q_SLOTS:
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

    // The snap mark sits on the lattice point nearest the pointer while the
    // sheet takes input, and nowhere during the input guard or off the sheet.
    void snapMarkFollowsThePointer()
    {
        for (bool inputOn : {true, false}) {
            Bench b(inputOn);
            b.window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&b.window));
            for (LatticePoint p : {LatticePoint{2, 2}, {4, 3}}) {
                guitest::mouse(QTest::MouseMove, b.sheet, at(p) + QPoint(7, p.col == 2 ? -6 : 9));
                QTRY_COMPARE(b.inkAround(p) > 0, inputOn);
            }
            QCOMPARE(b.inkAround({2, 2}), 0);
            guitest::mouse(QTest::MouseMove, &b.window, QPoint(7 * Cell, 6 * Cell));
            QTRY_COMPARE(b.inkAround({4, 3}), 0);
        }
    }

    // Arrows move the cursor (stopping at the edge), Space begins and ends a
    // stroke; a held Space or the input guard draws nothing; Tab leaves the sheet.
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
            QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, {}, QStringLiteral(" "), k == 'r');
            key.contains(k) ? QTest::keyClick(b.sheet, key[k]) : void(QApplication::sendEvent(b.sheet, &space));
        }
        QList<Stroke> drawn;
        std::copy_if(b.input.Strokes().Slots().begin(), b.input.Strokes().Slots().end(), std::back_inserter(drawn),
                     [](const Stroke &s) { return !s.IsEmpty(); });
        QCOMPARE(drawn, strokes);
        QCOMPARE(finished.size(), strokes.size());
        QTest::keyClick(b.sheet, Qt::Key_Tab);
        QVERIFY(b.next->hasFocus());
    }
};

TRIVISTO_GUI_TEST_MAIN(TestGuiSheetMarks)
#include "tst_gui_sheetmarks.moc"
