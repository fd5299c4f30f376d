// Help for the player: undo that leaves no trace, keyboard drawing, the
// right/extra/missing pieces shown after a Check, hints and what help costs.

#include <QtTest>

#include <climits>
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

// Readable failures: strokes in lattice points, pieces as slot, kind and ends in sixtieths.
char *toString(const Stroke &s)
{
    return QTest::toString(QString::asprintf("(%d,%d)-(%d,%d)", s.StartCol, s.StartRow, s.EndCol, s.EndRow));
}
char *toString(const Pieces &pieces)
{
    QString out;
    for (const Piece &p : pieces)
        out += QString::asprintf("%d%c(%d,%d)-(%d,%d) ", p.slot, "REM"[int(p.kind)], p.from.col, p.from.row,
                                 p.to.col, p.to.row);
    return QTest::toString(out);
}

namespace {

SegmentList Slots(const Strokes &strokes)
{
    SegmentList list{};
    std::copy(strokes.begin(), strokes.end(), list.begin() + 1);
    return list;
}

// Draws with the keyboard's cursor, the way Space begins and ends a stroke.
SheetInput Drawn(const Strokes &strokes, SheetInput input = {})
{
    input.SetInputEnabled(true);
    for (const Stroke &s : strokes) {
        input.PressAt(s.Start());
        input.ReleaseAt(s.Start());
        input.PressAt(s.End());
        input.ReleaseAt(s.End());
    }
    return input;
}

// `count` (at most 100) different strokes, each from one column to the next.
Strokes Distinct(int count)
{
    Strokes out;
    for (int i = 0; i < count; ++i)
        out.emplace_back(1 + i / 25, 1 + i / 5 % 5, 2 + i / 25, 1 + i % 5);
    return out;
}

Piece Part(PieceKind kind, int slot, LatticePoint a, LatticePoint b)
{
    return {slot, kind, {a.col * 60, a.row * 60}, {b.col * 60, b.row * 60}};
}
Piece R(int slot, LatticePoint a, LatticePoint b) { return Part(PieceKind::Right, slot, a, b); }
Piece E(int slot, LatticePoint a, LatticePoint b) { return Part(PieceKind::Extra, slot, a, b); }
Piece M(LatticePoint a, LatticePoint b) { return Part(PieceKind::Missing, 0, a, b); }

// On the piece between its ends; `inside` leaves the ends out.
bool OnPiece(SamplePoint p, const Piece &piece, bool inside)
{
    const SamplePoint &a = piece.from, &b = piece.to;
    const bool between = std::min(a.col, b.col) <= p.col && p.col <= std::max(a.col, b.col)
                         && std::min(a.row, b.row) <= p.row && p.row <= std::max(a.row, b.row);
    return between && (b.col - a.col) * (p.row - a.row) == (b.row - a.row) * (p.col - a.col)
           && !(inside && (p == a || p == b));
}

bool Has(const SampleSet &set, SamplePoint p) { return std::binary_search(set.begin(), set.end(), p); }

} // namespace

class TestAids : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void undoLeavesNoTrace_data()
    {
        QTest::addColumn<Strokes>("before");
        QTest::addColumn<Stroke>("edit");  // an empty stroke clears the sheet
        QTest::addColumn<Strokes>("later");
        const Stroke a(1, 1, 3, 1), b(2, 2, 2, 5), c(4, 1, 4, 4), x(1, 5, 5, 5), y(5, 4, 1, 4);
        QTest::newRow("undone stroke frees its slot") << Strokes{a} << b << Strokes{c};
        QTest::newRow("undone erasure brings the pair back") << Strokes{a, b} << Stroke(3, 1, 1, 1) << Strokes{a, c};
        QTest::newRow("clear restarts at slot 1, its undo does not") << Strokes{a, b} << Stroke{} << Strokes{c, a};
        QTest::newRow("undone 100th stroke leaves slot 100 free") << Distinct(99) << x << Strokes{y, c};
        QTest::newRow("undone replacement of slot 100") << Distinct(100) << x << Strokes{y};
    }
    void undoLeavesNoTrace()
    {
        QFETCH(Strokes, before);
        QFETCH(Stroke, edit);
        QFETCH(Strokes, later);
        std::array<SheetInput, 3> sheets{{{}, Drawn(before), {}}};
        SheetEdit change{Sheet::Y, sheets[1].Strokes(), {}};
        if (edit.IsEmpty())
            sheets[1].ClearStrokes();
        else
            sheets[1] = Drawn({edit}, sheets[1]);
        change.after = sheets[1].Strokes();
        const SheetStrokes done = Drawn(later, sheets[1]).Strokes();
        // Undo, then redo: each time later strokes land as if only what remains had been drawn.
        QVERIFY(RevertEdit(sheets, change));
        QVERIFY(Drawn(later, sheets[1]).Strokes() == Drawn(later, Drawn(before)).Strokes());
        QVERIFY(ApplyEdit(sheets, change));
        QVERIFY(Drawn(later, sheets[1]).Strokes() == done);
        QCOMPARE(sheets[1].Strokes().NextSlot(), edit.IsEmpty() ? 1 : std::min(int(before.size()) + 2, SlotCount + 1));
    }

    void keyboardAndUndoFollowTheSheetsRules()
    {
        SheetInput input = Drawn({});
        QCOMPARE(input.PressAt({2, 2}), SheetInput::Press::Began);
        QCOMPARE(input.ReleaseAt({2, 2}).what, SheetInput::Release::Nothing);
        QCOMPARE(input.PressAt({4, 3}), SheetInput::Press::Closed);
        QCOMPARE(input.ReleaseAt({4, 3}).stroke, Stroke(2, 2, 4, 3));
        input = Drawn({Stroke(0, 9, 7, -3)}, input);  // a cursor off the lattice stops at its border
        QCOMPARE(input.Strokes()[2], Stroke(1, 5, 5, 1));
        const SheetStrokes drawn = input.Strokes();
        input.PressAt({3, 3});
        QVERIFY(input.ClearStrokes());
        QCOMPARE(input.PressAt({4, 4}), SheetInput::Press::Began);  // the half-drawn stroke went too
        QVERIFY(input.RestoreStrokes(drawn));
        input.SetInputEnabled(false);
        QCOMPARE(input.PressAt({1, 1}), SheetInput::Press::Ignored);
        input.SetInputEnabled(true);
        input.Reveal();
        QCOMPARE(input.ReleaseAt({1, 1}).what, SheetInput::Release::Ignored);
        QVERIFY(!input.ClearStrokes() && !input.RestoreStrokes(SheetStrokes{}));
        QVERIFY(input.Strokes() == drawn);
    }

    void classifies_data()
    {
        QTest::addColumn<Strokes>("truth");
        QTest::addColumn<Strokes>("strokes");
        QTest::addColumn<Pieces>("parts");
        QTest::addColumn<Pieces>("missing");
        QTest::addColumn<QList<int>>("counts");  // right, extra, missing
        QTest::newRow("stroke over several units on the truth") << Strokes{{1, 1, 4, 1}} << Strokes{{1, 1, 3, 1}}
            << Pieces{R(1, {1, 1}, {3, 1})} << Pieces{M({3, 1}, {4, 1})} << QList{11, 0, 5};
        QTest::newRow("reversed stroke partly on the truth") << Strokes{{2, 2, 4, 2}} << Strokes{{5, 2, 1, 2}}
            << Pieces{E(1, {5, 2}, {4, 2}), R(1, {4, 2}, {2, 2}), E(1, {2, 2}, {1, 2})} << Pieces{} << QList{11, 10, 0};
        QTest::newRow("diagonal meets the truth only at lattice nodes")
            << Strokes{{1, 1, 3, 1}, {3, 1, 3, 3}} << Strokes{{1, 1, 3, 3}}
            << Pieces{R(1, {1, 1}, {1, 1}), E(1, {1, 1}, {3, 3}), R(1, {3, 3}, {3, 3})}
            << Pieces{M({1, 1}, {3, 1}), M({3, 1}, {3, 3})} << QList{2, 9, 19};
        QTest::newRow("zero-length stroke and hidden-axis step left out") << Strokes{{1, 1, 2, 1}, {4, 4, 4, 4}}
            << Strokes{{1, 1, 1, 1}} << Pieces{} << Pieces{M({1, 1}, {2, 1})} << QList{0, 0, 6};
        QTest::newRow("overlapping strokes split each, count once")
            << Strokes{{1, 1, 3, 1}} << Strokes{{1, 1, 3, 1}, {2, 1, 4, 1}}
            << Pieces{R(1, {1, 1}, {3, 1}), R(2, {2, 1}, {3, 1}), E(2, {3, 1}, {4, 1})} << Pieces{} << QList{11, 5, 0};
        QTest::newRow("crossing the truth scores the crossing point") << Strokes{{3, 1, 3, 5}} << Strokes{{1, 2, 5, 2}}
            << Pieces{E(1, {1, 2}, {3, 2}), R(1, {3, 2}, {3, 2}), E(1, {3, 2}, {5, 2})}
            << Pieces{M({3, 1}, {3, 2}), M({3, 2}, {3, 5})} << QList{1, 20, 20};
        QTest::newRow("walk running over itself is one line")
            << Strokes{{1, 4, 3, 4}, {4, 4, 2, 4}} << Strokes{{2, 4, 3, 4}}
            << Pieces{R(1, {2, 4}, {3, 4})} << Pieces{M({1, 4}, {2, 4}), M({3, 4}, {4, 4})} << QList{6, 0, 10};
    }
    void classifies()
    {
        QFETCH(Strokes, truth);
        QFETCH(Strokes, strokes);
        const SheetClassification c = Classify(Slots(truth), Slots(strokes));
        QTEST(c.parts, "parts");
        QTEST(c.missing, "missing");
        QTEST((QList{c.RightCount, c.ExtraCount, c.MissingCount}), "counts");
    }

    // Figures of every level with drawings partly on the truth: the pieces show
    // exactly what is scored, and the hints lead to the whole truth.
    void agreesWithScoringOnRandomDrawings()
    {
        RandomGenerator random(7);
        auto at = [&] { return LatticePoint{1 + int(random.Draw(5)), int(random.Draw(6))}; };  // row 0 is off the lattice
        for (int turn = 0; turn < 60; ++turn) {
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
                const SampleSet truthSamples = SampleSegments(truth), drawnSamples = SampleSegments(strokes);
                const SheetClassification c = Classify(truth, strokes);
                QCOMPARE(c.Counts(), CompareSamples(truthSamples, drawnSamples));
                QCOMPARE(c.RightCount + c.MissingCount, int(truthSamples.size()));
                for (int slot = 1; slot <= SlotCount; ++slot) {
                    const auto parts = c.PartsOf(slot);
                    for (std::size_t i = 1; i < parts.size(); ++i)
                        QCOMPARE(parts[i].from, parts[i - 1].to);
                    for (SamplePoint p : SampleSegments(Slots({strokes[std::size_t(slot)]}))) {
                        auto on = [&](PieceKind kind, bool inside) {
                            return std::any_of(parts.begin(), parts.end(),
                                               [&](const Piece &x) { return x.kind == kind && OnPiece(p, x, inside); });
                        };
                        QVERIFY(Has(truthSamples, p) ? on(PieceKind::Right, false) && !on(PieceKind::Extra, true)
                                                     : on(PieceKind::Extra, false) && !on(PieceKind::Right, false));
                    }
                }
                for (SamplePoint p : truthSamples) {
                    const bool isDrawn = Has(drawnSamples, p);
                    QVERIFY(isDrawn != std::any_of(c.missing.begin(), c.missing.end(),
                                                   [&](const Piece &m) { return OnPiece(p, m, isDrawn); }));
                }
                Strokes hints;
                while (const auto hint = ChooseHint(truth, strokes, hints)) {
                    QCOMPARE(std::abs(hint->EndCol - hint->StartCol) + std::abs(hint->EndRow - hint->StartRow), 1);
                    QVERIFY(MissingSampleCount(Slots({*hint}), strokes) > 0);  // not already drawn
                    QCOMPARE(MissingSampleCount(Slots({*hint}), truth), 0);    // and on the truth
                    hints.push_back(*hint);
                }
                QCOMPARE(hints.empty(), c.MissingCount == 0);
                drawn.insert(drawn.end(), hints.begin(), hints.end());
                QCOMPARE(MissingSampleCount(truth, Slots(drawn)), 0);
            }
        }
    }

    void hintIsPredictable_data()
    {
        QTest::addColumn<Strokes>("truth");
        QTest::addColumn<Strokes>("strokes");
        QTest::addColumn<Strokes>("hinted");
        QTest::addColumn<Stroke>("hint");  // empty: none
        QTest::newRow("first undrawn unit along the walk")
            << Strokes{{3, 3, 3, 1}, {3, 1, 1, 1}} << Strokes{{3, 2, 3, 3}} << Strokes{} << Stroke(3, 2, 3, 1);
        QTest::newRow("hinted unit skipped either way round")
            << Strokes{{1, 1, 3, 1}} << Strokes{} << Strokes{{2, 1, 1, 1}} << Stroke(2, 1, 3, 1);
        QTest::newRow("unit touched only at its end")
            << Strokes{{1, 1, 2, 1}} << Strokes{{1, 1, 1, 3}} << Strokes{} << Stroke(1, 1, 2, 1);
        QTest::newRow("everything missing hinted")
            << Strokes{{1, 1, 2, 1}} << Strokes{} << Strokes{{1, 1, 2, 1}} << Stroke{};
    }
    void hintIsPredictable()
    {
        QFETCH(Strokes, truth);
        QFETCH(Strokes, strokes);
        QFETCH(Strokes, hinted);
        QTEST(ChooseHint(Slots(truth), Slots(strokes), hinted).value_or(Stroke{}), "hint");
    }

    void hintGoesToTheSheetMissingMost()
    {
        const std::array truth{Slots({{1, 1, 2, 1}}), Slots({{1, 1, 3, 1}}), Slots({{5, 5, 5, 3}})};
        std::array<Strokes, 3> hinted;
        QCOMPARE(ChooseSheetHint(truth, {}, hinted).value().sheet, Sheet::Y);  // ties with Z, which comes later
        hinted[1] = {{1, 1, 2, 1}, {2, 1, 3, 1}};
        QCOMPARE(ChooseSheetHint(truth, {}, hinted).value().unit, Stroke(5, 5, 5, 4));
    }

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

QTEST_APPLESS_MAIN(TestAids)
#include "tst_aids.moc"
