// Drawing on a sheet: where a click snaps to, the click-move-click stroke entry
// and the erasing of strokes drawn twice.

#include <QtTest>

#include <limits>
#include <vector>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "sheets/sheetinput.h"
#endif

Q_DECLARE_METATYPE(std::vector<Stroke>)

// Readable failure messages.
char *toString(const Stroke &s)
{
    return QTest::toString(QStringLiteral("(%1,%2)-(%3,%4)").arg(s.StartCol).arg(s.StartRow).arg(s.EndCol).arg(s.EndRow));
}
char *toString(const std::vector<Stroke> &strokes)
{
    QStringList parts;
    for (const Stroke &s : strokes)
        parts << QStringLiteral("(%1,%2)-(%3,%4)").arg(s.StartCol).arg(s.StartRow).arg(s.EndCol).arg(s.EndRow);
    return QTest::toString(parts.join(QLatin1Char(' ')));
}

namespace {

const SheetLattice Cells41{41, 41};

// A whole stroke the way a player draws it: click at the start, click at the end.
SheetInput::ReleaseResult Draw(SheetInput &input, LatticePoint a, LatticePoint b)
{
    input.MousePress(a.col * 41, a.row * 41, Cells41);
    input.MouseRelease(a.col * 41, a.row * 41, Cells41);
    input.MousePress(b.col * 41, b.row * 41, Cells41);
    return input.MouseRelease(b.col * 41, b.row * 41, Cells41);
}

std::vector<Stroke> StoredStrokes(const SheetInput &input)
{
    std::vector<Stroke> stored;
    for (int slot = 1; slot <= SlotCount; ++slot)
        if (!input.Strokes()[slot].IsEmpty())
            stored.push_back(input.Strokes()[slot]);
    return stored;
}

SheetInput Enabled()
{
    SheetInput input;
    input.SetInputEnabled(true);
    return input;
}

} // namespace

class TestStrokes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void snapsToNearestLatticePoint_data()
    {
        QTest::addColumn<long long>("pos");
        QTest::addColumn<int>("index");
        QTest::newRow("left edge") << 0LL << 1;
        QTest::newRow("last pixel of column 1") << 61LL << 1;
        QTest::newRow("first pixel of column 2") << 62LL << 2;
        QTest::newRow("last pixel of column 2") << 102LL << 2;
        QTest::newRow("first pixel of column 3") << 103LL << 3;
        QTest::newRow("last pixel of column 3") << 143LL << 3;
        QTest::newRow("first pixel of column 4") << 144LL << 4;
        QTest::newRow("last pixel of column 4") << 184LL << 4;
        QTest::newRow("first pixel of column 5") << 185LL << 5;
        QTest::newRow("far right") << 5000LL << 5;
        QTest::newRow("negative") << -30LL << 1;
        QTest::newRow("hugely negative") << -1000000000000LL << 1;
        QTest::newRow("hugely positive") << 1000000000000LL << 5;
        // Regression: the half-cell rounding overflowed at the very end of the range.
        QTest::newRow("snap overflow at the largest position") << std::numeric_limits<long long>::max() << 5;
        QTest::newRow("snap overflow at the smallest position") << std::numeric_limits<long long>::min() << 1;
    }
    void snapsToNearestLatticePoint()
    {
        QFETCH(long long, pos);
        QFETCH(int, index);
        QCOMPARE(Cells41.SnapColumn(pos), index);
        QCOMPARE(Cells41.SnapRow(pos), index);
    }

    void halfWayGoesToTheHigherPoint()
    {
        const SheetLattice even{40, 30};
        QCOMPARE(even.SnapColumn(59), 1);
        QCOMPARE(even.SnapColumn(60), 2);
        QCOMPARE(even.SnapRow(44), 1);
        QCOMPARE(even.SnapRow(45), 2);
    }

    void clickMoveClickDrawsOneStroke()
    {
        SheetInput input = Enabled();
        // A release with no stroke begun ends nothing.
        QCOMPARE(input.MouseRelease(100, 100, Cells41).what, SheetInput::Release::Nothing);
        QCOMPARE(input.MousePress(60, 130, Cells41), SheetInput::Press::Began);
        QCOMPARE(input.MouseRelease(60, 130, Cells41).what, SheetInput::Release::Nothing);
        QVERIFY(input.StrokeBegun());
        QCOMPARE(input.MousePress(150, 150, Cells41), SheetInput::Press::Closed);
        QVERIFY(StoredStrokes(input).empty());
        // The end is where the second click is let go, not where it went down.
        const auto done = input.MouseRelease(190, 125, Cells41);
        QCOMPARE(done.what, SheetInput::Release::Finished);
        QCOMPARE(done.stroke, Stroke(1, 3, 5, 3));
        QCOMPARE(StoredStrokes(input), std::vector<Stroke>{Stroke(1, 3, 5, 3)});
        QCOMPARE(input.MouseRelease(190, 125, Cells41).what, SheetInput::Release::Nothing);
        QCOMPARE(input.MousePress(41, 41, Cells41), SheetInput::Press::Began);
    }

    void mouseIgnored_data()
    {
        QTest::addColumn<bool>("enable");
        QTest::addColumn<bool>("reveal");
        QTest::newRow("input never enabled") << false << false;
        QTest::newRow("sheet revealed by a Check") << true << true;
    }
    void mouseIgnored()
    {
        QFETCH(bool, enable);
        QFETCH(bool, reveal);
        SheetInput input;
        input.SetInputEnabled(enable);
        if (reveal)
            input.Reveal();
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(input.MousePress(41, 41, Cells41), SheetInput::Press::Ignored);
            QCOMPARE(input.MouseRelease(164, 41, Cells41).what, SheetInput::Release::Ignored);
        }
        QVERIFY(StoredStrokes(input).empty());
    }

    void abandonedStrokeAndNewTurn()
    {
        SheetInput input = Enabled();
        Draw(input, {1, 1}, {2, 1});
        input.MousePress(41, 41, Cells41);
        input.AbandonStroke();
        // The next press starts over rather than closing the dropped stroke.
        QCOMPARE(input.MousePress(82, 82, Cells41), SheetInput::Press::Began);
        QCOMPARE(input.MouseRelease(82, 82, Cells41).what, SheetInput::Release::Nothing);
        QCOMPARE(StoredStrokes(input), std::vector<Stroke>{Stroke(1, 1, 2, 1)});
        input.Reveal();
        input.NewTurn();
        QVERIFY(StoredStrokes(input).empty());
        QCOMPARE(input.Strokes().NextSlot(), 1);
        QCOMPARE(input.MousePress(41, 41, Cells41), SheetInput::Press::Began);
    }

    void strokesDrawnTwiceErase_data()
    {
        QTest::addColumn<std::vector<Stroke>>("drawn");
        QTest::addColumn<std::vector<Stroke>>("kept");
        QTest::addColumn<int>("lastErased");
        const Stroke a(1, 1, 3, 1), aBack(3, 1, 1, 1), b(2, 2, 2, 5), dot(3, 3, 3, 3);
        QTest::newRow("same stroke twice") << std::vector{a, a} << std::vector<Stroke>{} << 1;
        QTest::newRow("same stroke drawn backwards") << std::vector{a, aBack} << std::vector<Stroke>{} << 1;
        QTest::newRow("third copy stays") << std::vector{a, a, aBack} << std::vector{aBack} << 0;
        QTest::newRow("other strokes survive") << std::vector{a, b, aBack} << std::vector{b} << 1;
        QTest::newRow("a run does not erase its two halves")
            << std::vector{Stroke(1, 2, 2, 2), Stroke(2, 2, 3, 2), Stroke(1, 2, 3, 2)}
            << std::vector{Stroke(1, 2, 2, 2), Stroke(2, 2, 3, 2), Stroke(1, 2, 3, 2)} << 0;
        QTest::newRow("two dots at one point") << std::vector{dot, dot} << std::vector<Stroke>{} << 1;
        QTest::newRow("dots at different points") << std::vector{dot, Stroke(4, 3, 4, 3)}
                                                  << std::vector{dot, Stroke(4, 3, 4, 3)} << 0;
    }
    void strokesDrawnTwiceErase()
    {
        QFETCH(std::vector<Stroke>, drawn);
        QFETCH(std::vector<Stroke>, kept);
        QFETCH(int, lastErased);
        SheetInput input = Enabled();
        SheetInput::ReleaseResult last;
        for (const Stroke &s : drawn) {
            last = Draw(input, s.Start(), s.End());
            QCOMPARE(last.what, SheetInput::Release::Finished);
            QCOMPARE(last.stroke, s);
        }
        QCOMPARE(last.erasedPairs, lastErased);
        QCOMPARE(StoredStrokes(input), kept);
    }

    void strokesPastTheLastSlotReplaceIt()
    {
        std::vector<Stroke> distinct;
        for (int c1 = 1; c1 <= 5; ++c1)
            for (int r1 = 1; r1 <= 5; ++r1)
                for (int c2 = c1; c2 <= 5; ++c2)
                    for (int r2 = 1; r2 <= 5; ++r2)
                        if (c2 > c1 || r2 > r1)
                            distinct.emplace_back(c1, r1, c2, r2);
        QVERIFY(distinct.size() >= 150);

        SheetInput input = Enabled();
        for (std::size_t i = 0; i < 101; ++i)
            Draw(input, distinct[i].Start(), distinct[i].End());
        for (int slot = 1; slot <= 99; ++slot)
            QCOMPARE(input.Strokes()[slot], distinct[static_cast<std::size_t>(slot - 1)]);
        QCOMPARE(input.Strokes()[100], distinct[100]);
        // The last slot still erases against the others.
        QCOMPARE(Draw(input, distinct[0].End(), distinct[0].Start()).erasedPairs, 1);
        QVERIFY(input.Strokes()[1].IsEmpty() && input.Strokes()[100].IsEmpty());

        for (std::size_t i = 101; i < 150; ++i)
            Draw(input, distinct[i].Start(), distinct[i].End());
        QCOMPARE(input.Strokes()[99], distinct[98]);
        QCOMPARE(input.Strokes()[100], distinct[149]);
        QVERIFY(input.Strokes().NextSlot() <= SlotCount + 1);
        QCOMPARE(StoredStrokes(input).size(), std::size_t{99});
    }
};

QTEST_APPLESS_MAIN(TestStrokes)
#include "tst_strokes.moc"
