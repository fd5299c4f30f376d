// Drawing on a sheet: where a click snaps to, the click-move-click stroke entry
// and the erasing of strokes drawn twice.

#include <QtTest>

#include <limits>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "sheets/sheetinput.h"
#endif

using Strokes = QList<Stroke>;
Q_DECLARE_METATYPE(Strokes)

char *toString(const Stroke &s)
{
    return QTest::toString(QString::asprintf("(%d,%d)-(%d,%d)", s.StartCol, s.StartRow, s.EndCol, s.EndRow));
}

namespace {

const SheetLattice Cells41{41, 41};

// A whole stroke the way a player draws it: click at the start, click at the end.
SheetInput::ReleaseResult Draw(SheetInput &input, const Stroke &s)
{
    input.MousePress(s.StartCol * 41, s.StartRow * 41, Cells41);
    input.MouseRelease(s.StartCol * 41, s.StartRow * 41, Cells41);
    input.MousePress(s.EndCol * 41, s.EndRow * 41, Cells41);
    return input.MouseRelease(s.EndCol * 41, s.EndRow * 41, Cells41);
}

Strokes Stored(const SheetInput &input)
{
    Strokes stored;
    for (int slot = 1; slot <= SlotCount; ++slot)
        if (!input.Strokes()[slot].IsEmpty())
            stored << input.Strokes()[slot];
    return stored;
}

} // namespace

class TestStrokes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A click goes to the nearest lattice point, half way to the higher one,
    // and a pointer far off the sheet (even at the ends of the range) to the border.
    void snapsToNearestLatticePoint_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<long long>("pos");
        QTest::addColumn<int>("index");
        QTest::newRow("left edge") << 41 << 0LL << 1;
        QTest::newRow("last pixel of column 1") << 41 << 61LL << 1;
        QTest::newRow("first pixel of column 2") << 41 << 62LL << 2;
        QTest::newRow("just before half way") << 40 << 59LL << 1;
        QTest::newRow("half way goes to the higher point") << 40 << 60LL << 2;
        QTest::newRow("far right") << 41 << 5000LL << 5;
        QTest::newRow("largest position does not overflow") << 41 << std::numeric_limits<long long>::max() << 5;
        QTest::newRow("smallest position does not overflow") << 41 << std::numeric_limits<long long>::min() << 1;
    }
    void snapsToNearestLatticePoint()
    {
        QFETCH(int, cell);
        QFETCH(long long, pos);
        QFETCH(int, index);
        QCOMPARE((SheetLattice{cell, cell}.Snap(pos, pos)), (LatticePoint{index, index}));
    }

    // Click, move, click draws one stroke ending where the second click is let
    // go; a dropped half stroke, a guarded or a revealed sheet draw nothing.
    void clickMoveClickScenario()
    {
        SheetInput input;
        QCOMPARE(input.MousePress(41, 41, Cells41), SheetInput::Press::Ignored);  // input guard on
        input.SetInputEnabled(true);
        QCOMPARE(input.MouseRelease(100, 100, Cells41).what, SheetInput::Release::Nothing);
        QCOMPARE(input.MousePress(60, 130, Cells41), SheetInput::Press::Began);
        QCOMPARE(input.MouseRelease(60, 130, Cells41).what, SheetInput::Release::Nothing);
        QCOMPARE(input.MousePress(150, 150, Cells41), SheetInput::Press::Closed);
        QVERIFY(Stored(input).empty());
        const auto done = input.MouseRelease(190, 125, Cells41);
        QCOMPARE(done.what, SheetInput::Release::Finished);
        QCOMPARE(Stored(input), Strokes{Stroke(1, 3, 5, 3)});
        QCOMPARE(input.MouseRelease(190, 125, Cells41).what, SheetInput::Release::Nothing);
        input.MousePress(41, 41, Cells41);
        input.AbandonStroke();
        QCOMPARE(input.MousePress(82, 82, Cells41), SheetInput::Press::Began);  // starts over
        QCOMPARE(input.MouseRelease(82, 82, Cells41).what, SheetInput::Release::Nothing);
        input.Reveal();
        QCOMPARE(input.MousePress(164, 41, Cells41), SheetInput::Press::Ignored);
        QCOMPARE(input.MouseRelease(164, 41, Cells41).what, SheetInput::Release::Ignored);
        QCOMPARE(Stored(input), Strokes{Stroke(1, 3, 5, 3)});
        input.NewTurn();
        QVERIFY(Stored(input).empty() && input.Strokes().NextSlot() == 1);
        QCOMPARE(input.MousePress(41, 41, Cells41), SheetInput::Press::Began);
    }

    // A stroke drawn again, either way round, erases both copies and nothing else.
    void strokesDrawnTwiceErase_data()
    {
        QTest::addColumn<Strokes>("drawn");
        QTest::addColumn<Strokes>("kept");
        QTest::addColumn<int>("lastErased");
        const Stroke a(1, 1, 3, 1), aBack(3, 1, 1, 1), b(2, 2, 2, 5), dot(3, 3, 3, 3);
        QTest::newRow("same stroke drawn backwards") << Strokes{a, aBack} << Strokes{} << 1;
        QTest::newRow("third copy stays") << Strokes{a, a, aBack} << Strokes{aBack} << 0;
        QTest::newRow("other strokes survive") << Strokes{a, b, aBack} << Strokes{b} << 1;
        const Strokes run{Stroke(1, 2, 2, 2), Stroke(2, 2, 3, 2), Stroke(1, 2, 3, 2)};
        QTest::newRow("a run does not erase its two halves") << run << run << 0;
        QTest::newRow("two dots at one point") << Strokes{dot, dot} << Strokes{} << 1;
        QTest::newRow("dots at different points") << Strokes{dot, Stroke(4, 3, 4, 3)}
                                                  << Strokes{dot, Stroke(4, 3, 4, 3)} << 0;
    }
    void strokesDrawnTwiceErase()
    {
        QFETCH(Strokes, drawn);
        SheetInput input;
        input.SetInputEnabled(true);
        SheetInput::ReleaseResult last;
        for (const Stroke &s : drawn)
            QCOMPARE((last = Draw(input, s)).stroke, s);
        QTEST(last.erasedPairs, "lastErased");
        QTEST(Stored(input), "kept");
    }

    // Past 100 strokes each new one replaces slot 100, which still erases
    // against the others.
    void strokesPastTheLastSlotReplaceIt()
    {
        Strokes distinct;
        for (int i = 0; i < 150; ++i)
            distinct << Stroke(1 + i / 25 % 4, 1 + i / 5 % 5, 2 + i / 25 % 4 + i / 100, 1 + i % 5);
        SheetInput input;
        input.SetInputEnabled(true);
        for (int i = 0; i < 101; ++i)
            Draw(input, distinct[i]);
        QCOMPARE(Stored(input), distinct.first(99) << distinct[100]);
        QCOMPARE(Draw(input, Stroke(distinct[0].End(), distinct[0].Start())).erasedPairs, 1);
        for (int i = 101; i < 150; ++i)
            Draw(input, distinct[i]);
        QCOMPARE(Stored(input), distinct.sliced(1, 98) << distinct[149]);
    }
};

QTEST_APPLESS_MAIN(TestStrokes)
#include "tst_strokes.moc"
