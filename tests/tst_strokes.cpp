// Drawing on a sheet and the help around it: where a click snaps to, the
// click-move-click stroke entry, strokes drawn twice erasing each other, undo
// that leaves no trace, the right/extra/missing pieces shown after a Check,
// hints and what help costs.

#include <QtTest>

#include <climits>
#include <limits>
#include <vector>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "figure/randomgenerator.h"
#include "game/helpcost.h"
#include "sheets/classify.h"
#include "sheets/sheetinput.h"
#endif

using Strokes = std::vector<Stroke>;
using Pieces = std::vector<Piece>;
Q_DECLARE_METATYPE(Strokes)
Q_DECLARE_METATYPE(Pieces)

char *toString(const Stroke &s)
{
    return QTest::toString(QString::asprintf("(%d,%d)-(%d,%d)", s.StartCol, s.StartRow, s.EndCol, s.EndRow));
}

// Readable failures: pieces as slot, kind and ends in sixtieths.
char *toString(const Pieces &pieces)
{
    QString out;
    for (const Piece &p : pieces)
        out += QString::asprintf("%d%c(%d,%d)-(%d,%d) ", p.slot, "REM"[int(p.kind)], p.from.col, p.from.row,
                                 p.to.col, p.to.row);
    return QTest::toString(out);
}

namespace {

const SheetLattice Cells41{41, 41};

SegmentList Slots(const Strokes &strokes)
{
    SegmentList list{};
    std::copy(strokes.begin(), strokes.end(), list.begin() + 1);
    return list;
}

Strokes Stored(const SheetInput &input)
{
    Strokes stored;
    std::copy_if(input.Strokes().Slots().begin() + 1, input.Strokes().Slots().end(), std::back_inserter(stored),
                 [](const Stroke &s) { return !s.IsEmpty(); });
    return stored;
}

// Draws with the keyboard's cursor, the way Space begins and ends a stroke.
SheetInput::ReleaseResult Draw(SheetInput &input, const Stroke &s)
{
    input.PressAt(s.Start());
    input.ReleaseAt(s.Start());
    input.PressAt(s.End());
    return input.ReleaseAt(s.End());
}

SheetInput Drawn(const Strokes &strokes, SheetInput input = {})
{
    input.SetInputEnabled(true);
    for (const Stroke &s : strokes)
        Draw(input, s);
    return input;
}

Piece P(PieceKind kind, int slot, LatticePoint a, LatticePoint b)
{
    return {slot, kind, {a.col * 60, a.row * 60}, {b.col * 60, b.row * 60}};
}
constexpr PieceKind R = PieceKind::Right, E = PieceKind::Extra, M = PieceKind::Missing;

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
    // go; a release without a press and a dropped half stroke draw nothing.
    // (The input guard and the revealed sheet are tried through the window.)
    void clickMoveClickScenario()
    {
        SheetInput input;
        input.SetInputEnabled(true);
        QCOMPARE(input.MouseRelease(100, 100, Cells41).what, SheetInput::Release::Nothing);
        QCOMPARE(input.MousePress(60, 130, Cells41), SheetInput::Press::Began);
        QCOMPARE(input.MouseRelease(60, 130, Cells41).what, SheetInput::Release::Nothing);
        QCOMPARE(input.MousePress(150, 150, Cells41), SheetInput::Press::Closed);
        QVERIFY(Stored(input).empty());
        QCOMPARE(input.MouseRelease(190, 125, Cells41).what, SheetInput::Release::Finished);
        QCOMPARE(Stored(input), Strokes{Stroke(1, 3, 5, 3)});
        QCOMPARE(input.MouseRelease(190, 125, Cells41).what, SheetInput::Release::Nothing);
        input.MousePress(41, 41, Cells41);
        input.AbandonStroke();
        QCOMPARE(input.MousePress(82, 82, Cells41), SheetInput::Press::Began);  // starts over
        input.NewTurn();
        QVERIFY(Stored(input).empty() && input.Strokes().NextSlot() == 1);
    }

    // A stroke drawn again, either way round, erases both copies and nothing
    // else. Past 100 strokes each new one replaces slot 100, which still
    // erases against the others.
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
        Strokes many;  // all different
        for (int i = 0; i < 101; ++i)
            many.emplace_back(1 + i / 25 % 4, 1 + i / 5 % 5, 2 + i / 25 % 4 + i / 100, 1 + i % 5);
        const auto part = [&](int from, int to, Strokes more = {}) {
            Strokes s(many.begin() + from, many.begin() + to);
            s.insert(s.end(), more.begin(), more.end());
            return s;
        };
        QTest::newRow("the 101st stroke replaces the 100th") << many << part(0, 99, {many[100]}) << 0;
        QTest::newRow("a stroke in slot 100 still erases against the others")
            << part(0, 101, {Stroke(many[0].End(), many[0].Start())}) << part(1, 99) << 1;
    }
    void strokesDrawnTwiceErase()
    {
        QFETCH(Strokes, drawn);
        SheetInput input = Drawn({});
        SheetInput::ReleaseResult last;
        for (const Stroke &s : drawn)
            QCOMPARE((last = Draw(input, s)).stroke, s);
        QTEST(last.erasedPairs, "lastErased");
        QTEST(Stored(input), "kept");
    }

    // Undo puts a sheet back exactly: later strokes take the same slots and
    // erase the same pairs as if the edit had never been made; redo likewise;
    // a revealed sheet refuses both.
    void undoLeavesNoTrace_data()
    {
        QTest::addColumn<Strokes>("before");
        QTest::addColumn<Stroke>("edit");  // an empty stroke clears the sheet
        QTest::addColumn<Strokes>("later");
        const Stroke a(1, 1, 3, 1), b(2, 2, 2, 5), c(4, 1, 4, 4), x(1, 5, 5, 5), y(5, 4, 1, 4);
        Strokes full;  // 100 different strokes, each from one column to the next
        for (int i = 0; i < 100; ++i)
            full.emplace_back(1 + i / 25, 1 + i / 5 % 5, 2 + i / 25, 1 + i % 5);
        QTest::newRow("undone stroke frees its slot") << Strokes{a} << b << Strokes{c};
        QTest::newRow("undone erasure brings the pair back") << Strokes{a, b} << Stroke(3, 1, 1, 1) << Strokes{a, c};
        QTest::newRow("clear restarts at slot 1, its undo does not") << Strokes{a, b} << Stroke{} << Strokes{c, a};
        QTest::newRow("undone 100th stroke leaves slot 100 free") << Strokes(full.begin(), full.end() - 1) << x
                                                                  << Strokes{y, c};
        QTest::newRow("undone replacement of slot 100") << full << x << Strokes{y};
    }
    void undoLeavesNoTrace()
    {
        QFETCH(Strokes, before);
        QFETCH(Stroke, edit);
        QFETCH(Strokes, later);
        std::array<SheetInput, 3> sheets{{{}, Drawn(before), {}}};
        SheetEdit change{Sheet::Y, sheets[1].Strokes(), {}};
        edit.IsEmpty() ? void(sheets[1].ClearStrokes()) : void(sheets[1] = Drawn({edit}, sheets[1]));
        change.after = sheets[1].Strokes();
        const SheetStrokes done = Drawn(later, sheets[1]).Strokes();
        QVERIFY(RevertEdit(sheets, change));
        QVERIFY(Drawn(later, sheets[1]).Strokes() == Drawn(later, Drawn(before)).Strokes());
        QVERIFY(ApplyEdit(sheets, change));
        QVERIFY(Drawn(later, sheets[1]).Strokes() == done);
        QCOMPARE(sheets[1].Strokes().NextSlot(), edit.IsEmpty() ? 1 : std::min(int(before.size()) + 2, SlotCount + 1));
        sheets[1].Reveal();
        QVERIFY(!RevertEdit(sheets, change) && sheets[1].Strokes() == change.after);
    }

    // The pieces shown after a Check for the strokes that are easy to get
    // wrong. (Their counts are tried against the scoring on random drawings.)
    void classifies_data()
    {
        QTest::addColumn<Strokes>("truth");
        QTest::addColumn<Strokes>("strokes");
        QTest::addColumn<Pieces>("parts");
        QTest::addColumn<Pieces>("missing");
        QTest::newRow("stroke partly over the truth, rest missing") << Strokes{{1, 1, 4, 1}} << Strokes{{1, 1, 3, 1}}
            << Pieces{P(R, 1, {1, 1}, {3, 1})} << Pieces{P(M, 0, {3, 1}, {4, 1})};
        QTest::newRow("reversed stroke partly on the truth") << Strokes{{2, 2, 4, 2}} << Strokes{{5, 2, 1, 2}}
            << Pieces{P(E, 1, {5, 2}, {4, 2}), P(R, 1, {4, 2}, {2, 2}), P(E, 1, {2, 2}, {1, 2})} << Pieces{};
        QTest::newRow("diagonal meets the truth only at lattice nodes")
            << Strokes{{1, 1, 3, 1}, {3, 1, 3, 3}} << Strokes{{1, 1, 3, 3}}
            << Pieces{P(R, 1, {1, 1}, {1, 1}), P(E, 1, {1, 1}, {3, 3}), P(R, 1, {3, 3}, {3, 3})}
            << Pieces{P(M, 0, {1, 1}, {3, 1}), P(M, 0, {3, 1}, {3, 3})};
        QTest::newRow("zero-length stroke and hidden-axis step left out") << Strokes{{1, 1, 2, 1}, {4, 4, 4, 4}}
            << Strokes{{1, 1, 1, 1}} << Pieces{} << Pieces{P(M, 0, {1, 1}, {2, 1})};
    }
    void classifies()
    {
        QFETCH(Strokes, truth);
        QFETCH(Strokes, strokes);
        const SheetClassification c = Classify(Slots(truth), Slots(strokes));
        QTEST(c.parts, "parts");
        QTEST(c.missing, "missing");
    }

    // Figures of every level with drawings partly on the truth: the counts the
    // pieces are shown with are what a Check scores, and hints name only
    // undrawn truth and lead to the whole of it.
    void agreesWithScoringOnRandomDrawings()
    {
        RandomGenerator random(7);
        // A lattice point, or one on row 0 just off the lattice.
        auto at = [&] { return LatticePoint{1 + int(random.Draw(5)), int(random.Draw(6))}; };
        for (int turn = 0; turn < 40; ++turn) {
            Figure figure;
            InitObjects(figure, SegmentCountForLevel(int(random.Draw(MaxLevel + 1))), random);
            for (Sheet sheet : AllSheets) {
                const SegmentList truth = TrueSegments(figure, sheet);
                Strokes drawn;
                for (auto n = random.Draw(40); n > 0; --n) {
                    const Stroke &t = truth[Figure::FirstShown + random.Draw(5)];
                    const Stroke options[] = {t, Stroke(t.End(), t.Start()), Stroke(t.Start(), {t.StartCol, at().row}),
                                              Stroke(at(), at())};
                    drawn.push_back(options[random.Draw(4)]);
                }
                const SegmentList strokes = Slots(drawn);
                const SampleSet truthSamples = SampleSegments(truth);
                const SheetClassification c = Classify(truth, strokes);
                QCOMPARE(c.Counts(), CompareSamples(truthSamples, SampleSegments(strokes)));
                QCOMPARE(c.RightCount + c.MissingCount, int(truthSamples.size()));
                Strokes hints;
                for (auto hint = ChooseHint(truth, strokes, hints); hint && hints.size() < 200;
                     hint = ChooseHint(truth, strokes, hints)) {
                    QCOMPARE(std::abs(hint->EndCol - hint->StartCol) + std::abs(hint->EndRow - hint->StartRow), 1);
                    QVERIFY(MissingSampleCount(Slots({*hint}), strokes) > 0);  // never something drawn
                    QCOMPARE(MissingSampleCount(Slots({*hint}), truth), 0);
                    hints.push_back(*hint);
                }
                QCOMPARE(hints.empty(), c.MissingCount == 0);
                drawn.insert(drawn.end(), hints.begin(), hints.end());
                QCOMPARE(MissingSampleCount(truth, Slots(drawn)), 0);
            }
        }
    }

    // Help lowers the final score, and no counter makes it overflow.
    void helpCost_data()
    {
        QTest::addColumn<HelpUsed>("help");
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("final");
        QTest::newRow("no help keeps the score") << HelpUsed{} << 37 << 37;
        QTest::newRow("two hints and a peek") << HelpUsed{2, 1} << 37 << 17;
        QTest::newRow("negative counters cost nothing") << HelpUsed{-4, -1} << 10 << 10;
        QTest::newRow("huge counters do not overflow") << HelpUsed{INT_MAX, INT_MAX} << -5 << INT_MIN;
    }
    void helpCost()
    {
        QFETCH(HelpUsed, help);
        QFETCH(int, score);
        QTEST(ScoreAfterHelp(score, help), "final");
    }
};

QTEST_APPLESS_MAIN(TestStrokes)
#include "tst_strokes.moc"
