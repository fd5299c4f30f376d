// The figure, what a player draws and what it scores: the same seed must
// always give the same figure (shared seeds, replays) and every figure must be
// a legal walk on the 5x5x5 lattice; a click snaps to the nearest lattice
// point, click-move-click enters a stroke and a stroke drawn twice erases
// itself; undo leaves no trace; a drawing is sampled and counted against what
// the figure projects to, the right/extra/missing pieces shown after a Check
// agree with the count, hints never show what is drawn, and help has its price.

#include <QtTest>

#include <climits>
#include <limits>
#include <vector>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "core/turn/game.h"
#include "core/sheets/classify.h"
#include "core/view3d/camera.h"
#include "coretest.h"
#endif

using Strokes = std::vector<Stroke>;
using Pieces = std::vector<Piece>;
Q_DECLARE_METATYPE(Strokes)
Q_DECLARE_METATYPE(Pieces)
Q_DECLARE_METATYPE(Sheet)

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

// The strokes in slots from firstSlot on (a drawing late in a turn sits high).
SegmentList Slots(const Strokes &strokes, std::size_t firstSlot = 1)
{
    SegmentList list{};
    std::copy(strokes.begin(), strokes.end(), list.begin() + static_cast<std::ptrdiff_t>(firstSlot));
    return list;
}

Strokes Stored(const SheetInput &input)
{
    Strokes stored;
    std::copy_if(input.Strokes().Slots().begin() + 1, input.Strokes().Slots().end(), std::back_inserter(stored),
                 [](const Stroke &s) { return !s.IsEmpty(); });
    return stored;
}

Piece P(PieceKind kind, int slot, LatticePoint a, LatticePoint b)
{
    return {slot, kind, {a.col * 60, a.row * 60}, {b.col * 60, b.row * 60}};
}
constexpr PieceKind R = PieceKind::Right, E = PieceKind::Extra, M = PieceKind::Missing;

// The walk's points after the start, each as three lattice digits 0..4
// (coordinate -10 is 0, 10 is 4).
QString Walk(const Figure &f)
{
    QString out;
    for (int i = 12; i <= f.SegmentCount; ++i) {
        const Point3 &p = f.entry[static_cast<std::size_t>(i)].end;
        for (float v : {p.x, p.y, p.z})
            out += QString::number(static_cast<int>(v + 10) / 5);
        out += u' ';
    }
    return out.trimmed();
}

bool OnLattice(float v) { return v >= -10.0f && v <= 10.0f && static_cast<float>(static_cast<int>(v) / 5 * 5) == v; }

} // namespace

class TestScoring : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Whole figures on fixed seeds: a changed random sequence, draw order, step
    // rule or revisit rule shows as a different walk.
    void goldenFigures_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("walk");  // its length gives the segment count
        QTest::newRow("seed 0, level 0") << 0u << 0 << "000 100 300 302";
        QTest::newRow("seed 12345, a negative level clamps to 0") << 12345u << -5 << "402 002 001 101";
        QTest::newRow("seed 12345, level 10") << 12345u << 10 << "402 002 001 101 121 141 111 113 413 433 434 432 430 330";
        // Boxed in at the end: the last point is a revisit, taken after 50 refusals.
        QTest::newRow("seed 1, level past the highest clamps to 84")
            << 1u << 100000
            << "200 000 300 320 420 421 121 021 221 220 222 422 442 042 041 141 143 140 440 441 241 242 244 224 "
               "324 124 122 022 023 123 423 403 433 413 412 112 113 103 101 100 102 202 232 432 332 322 323 223 "
               "233 234 230 210 410 411 431 331 333 033 013 043 243 213 212 012 032 002 004 304 301 303 203 204 "
               "104 404 434 424 024 020 010 310 312 302 402 401 201 001 003 002";
    }
    void goldenFigures()
    {
        QFETCH(quint32, seed);
        QFETCH(int, level);
        Figure figure;
        RandomGenerator rng(seed);
        InitObjects(figure, SegmentCountForLevel(level), rng);
        QTEST(Walk(figure), "walk");
    }

    // Many seeds at every level: each step starts where the last ended, moves
    // along one axis and stays on the lattice.
    void walkIsLegalAtEveryLevel()
    {
        for (std::uint32_t k = 0; k < 100; ++k)
            for (int count = MinSegmentCount; count <= MaxSegmentCount; ++count) {
                Figure figure;
                RandomGenerator rng(k * 2654435761u + 17u);
                InitObjects(figure, count, rng);
                for (std::size_t i = 12; i <= static_cast<std::size_t>(count); ++i) {
                    const Point3 &a = figure.entry[i].start, &b = figure.entry[i].end;
                    if (a != figure.entry[i - 1].end || int(a.x != b.x) + int(a.y != b.y) + int(a.z != b.z) != 1 ||
                        !OnLattice(b.x) || !OnLattice(b.y) || !OnLattice(b.z))
                        QFAIL(qPrintable(QStringLiteral("seed number %1, count %2, entry %3").arg(k).arg(count).arg(i)));
                }
            }
    }

    // Right = drawn samples on the truth; Wrong = true samples missed plus drawn
    // samples off the truth. Samples lie every fifth of a step: a run of length
    // L has 5L+1. A line scores the same however it is split or directed, and
    // the drawing sits in high slots, as late in a turn.
    void counts_data()
    {
        QTest::addColumn<Strokes>("truth");
        QTest::addColumn<Strokes>("drawn");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("wrong");
        const Strokes none;
        const Strokes run{Stroke(1, 1, 3, 1)};  // 11 samples
        QTest::newRow("vertical, length 4: 21 samples") << none << Strokes{Stroke(4, 1, 4, 5)} << 0 << 21;
        QTest::newRow("full diagonal: 21 samples") << none << Strokes{Stroke(5, 1, 1, 5)} << 0 << 21;
        QTest::newRow("slanted, sampled along both axes: 21 samples") << none << Strokes{Stroke(1, 1, 4, 3)} << 0 << 21;
        QTest::newRow("dot: no samples") << none << Strokes{Stroke(3, 3, 3, 3)} << 0 << 0;
        QTest::newRow("overlaps share samples") << none << Strokes{Stroke(1, 1, 3, 1), Stroke(2, 1, 5, 1)} << 0 << 21;
        QTest::newRow("a crossing shares one sample") << none << Strokes{Stroke(1, 3, 5, 3), Stroke(3, 1, 3, 5)} << 0 << 41;
        QTest::newRow("the truth drawn") << run << run << 11 << 0;
        QTest::newRow("nothing drawn: every true sample missed") << run << none << 0 << 11;
        QTest::newRow("half drawn") << run << Strokes{Stroke(2, 1, 1, 1)} << 6 << 5;
        QTest::newRow("a branch costs its part off the truth") << run << Strokes{run[0], Stroke(2, 1, 2, 3)} << 11 << 10;
        QTest::newRow("a diagonal from the truth") << run << Strokes{run[0], Stroke(1, 1, 2, 2)} << 11 << 5;
        QTest::newRow("run split in two, one half reversed")
            << Strokes{Stroke(1, 2, 5, 2)} << Strokes{Stroke(1, 2, 2, 2), Stroke(5, 2, 2, 2)} << 21 << 0;
        QTest::newRow("diagonal split")
            << Strokes{Stroke(1, 1, 4, 4)} << Strokes{Stroke(1, 1, 2, 2), Stroke(4, 4, 2, 2)} << 16 << 0;
    }
    void counts()
    {
        QFETCH(Strokes, truth);
        QFETCH(Strokes, drawn);
        QFETCH(int, right);
        QFETCH(int, wrong);
        QCOMPARE(CompareSamples(SampleSegments(Slots(truth)), SampleSegments(Slots(drawn, 60))), (CheckCounts{right, wrong}));
    }

    // The walk (10,-10,-10) -> (10,5,-10) -> (-5,5,-10) -> (-5,5,10) as each sheet
    // shows it: a step along the axis a sheet looks along adds nothing there, and
    // once the last step is the figure's last generated entry, it is hidden.
    void projectionsOfAHandMadeFigure_data()
    {
        QTest::addColumn<Sheet>("sheet");
        QTest::addColumn<Strokes>("lines");
        QTest::addColumn<Strokes>("withoutLastStep");
        QTest::newRow("sheet X shows x and y")
            << Sheet::X << Strokes{Stroke(5, 5, 5, 2), Stroke(5, 2, 2, 2)}
            << Strokes{Stroke(5, 5, 5, 2), Stroke(5, 2, 2, 2)};
        QTest::newRow("sheet Y shows x and z")
            << Sheet::Y << Strokes{Stroke(5, 5, 2, 5), Stroke(2, 5, 2, 1)} << Strokes{Stroke(5, 5, 2, 5)};
        QTest::newRow("sheet Z shows y and z")
            << Sheet::Z << Strokes{Stroke(1, 5, 4, 5), Stroke(4, 5, 4, 1)} << Strokes{Stroke(1, 5, 4, 5)};
    }
    void projectionsOfAHandMadeFigure()
    {
        QFETCH(Sheet, sheet);
        QFETCH(Strokes, lines);
        QFETCH(Strokes, withoutLastStep);
        Figure figure;
        figure.entry[11] = {{10, -10, -10}, {10, -10, -10}};
        figure.entry[12] = {{10, -10, -10}, {10, 5, -10}};
        figure.entry[13] = {{10, 5, -10}, {-5, 5, -10}};
        figure.entry[14] = {{-5, 5, -10}, {-5, 5, 10}};
        figure.SegmentCount = 15;  // entry 15, never shown, comes after them
        QVERIFY(BuildTrueProjection(figure, sheet) == SampleSegments(Slots(lines)));
        --figure.SegmentCount;
        QVERIFY(BuildTrueProjection(figure, sheet) == SampleSegments(Slots(withoutLastStep)));
    }

    // A Check through the game on generated figures: every sheet counts, a
    // drawn truth as all right, an undrawn one as all missed. A level changed
    // during the turn leaves the figure in play alone. (Locking and records
    // are tried through the window.)
    void checkThroughTheGame_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<Sheet>>("drawn");
        QTest::newRow("all drawn, level 0") << 11u << 0 << QList<Sheet>{Sheet::X, Sheet::Y, Sheet::Z};
        QTest::newRow("all drawn, highest level") << 5u << 84 << QList<Sheet>{Sheet::X, Sheet::Y, Sheet::Z};
        QTest::newRow("nothing drawn") << 99u << 5 << QList<Sheet>{};
        QTest::newRow("only sheet Y drawn") << 8u << 10 << QList<Sheet>{Sheet::Y};
    }
    void checkThroughTheGame()
    {
        QFETCH(quint32, seed);
        QFETCH(int, level);
        QFETCH(QList<Sheet>, drawn);
        Game game;
        game.SetLevel(level);
        game.Seed(seed);
        game.New();
        const int segments = game.CurrentFigure().SegmentCount;
        game.SetLevel(MaxLevel - level);  // sizes the next figure only, even through an activation
        game.Activate();
        CheckCounts expected;
        for (Sheet s : AllSheets) {
            game.Input(s).SetInputEnabled(true);
            const int truth = int(game.TrueProjection(s).size());
            QVERIFY(truth > 0);
            if (drawn.contains(s))
                DrawTruth(game, s);
            expected += drawn.contains(s) ? CheckCounts{truth, 0} : CheckCounts{0, truth};
        }
        QCOMPARE(game.Check().counts, expected);
        QCOMPARE(game.CurrentFigure().SegmentCount, segments);
        game.New();
        QVERIFY(game.CurrentFigure().SegmentCount != segments);
    }

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
    // The 3D view's line width, as W and Shift+W set it, stays within the
    // range the settings keep: the width seen is the one the next start shows.
    void lineWidthStaysInTheKeptRange_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("presses");  // Shift+W; W when negative
        QTest::addColumn<int>("width");
        QTest::newRow("Shift+W stops at the widest") << 18 << 5 << Camera::MaxLineWidth;
        QTest::newRow("W stops at the thinnest") << 3 << -5 << Camera::MinLineWidth;
    }
    void lineWidthStaysInTheKeptRange()
    {
        QFETCH(int, from);
        QFETCH(int, presses);
        Camera camera;
        camera.LineWidth = from;
        for (int i = 0; i < std::abs(presses); ++i)
            presses > 0 ? camera.Thicker() : camera.Thinner();
        QTEST(camera.LineWidth, "width");
    }

    void helpCost_data()
    {
        QTest::addColumn<HelpUsed>("help");
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("final");
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

QTEST_APPLESS_MAIN(TestScoring)
#include "tst_scoring.moc"
