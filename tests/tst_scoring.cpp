// Scoring: what a drawing is sampled into, what the figure projects to, and the
// counts a Check gives for drawings a player can make.

#include <QtTest>

#include <algorithm>
#include <set>
#include <vector>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "game/game.h"
#endif

Q_DECLARE_METATYPE(std::vector<Stroke>)
Q_DECLARE_METATYPE(Sheet)

namespace {

SegmentList Slots(const std::vector<Stroke> &strokes, int firstSlot = 1)
{
    SegmentList list{};
    for (std::size_t i = 0; i < strokes.size(); ++i)
        list[static_cast<std::size_t>(firstSlot) + i] = strokes[i];
    return list;
}

SampleSet Samples(const std::vector<Stroke> &strokes) { return SampleSegments(Slots(strokes)); }

// A sheet's view of a figure point, written out from the rules: h and v from
// -10..10 in steps of 5 to columns 1..5 and rows 5..1 (rows count downwards).
LatticePoint OnSheet(Sheet sheet, const Point3 &p)
{
    const float h = sheet == Sheet::Z ? p.y : p.x;
    const float v = sheet == Sheet::X ? p.y : p.z;
    return {static_cast<int>(h + 10) / 5 + 1, static_cast<int>(10 - v) / 5 + 1};
}

// The visible walk of the game's figure as the player would draw it on a sheet:
// each line once, either as whole runs or as unit steps.
std::vector<Stroke> TrueDrawing(const Figure &figure, Sheet sheet, bool unitSteps, bool backwards)
{
    std::set<std::pair<LatticePoint, LatticePoint>> lines;
    for (int k = 11; k <= figure.SegmentCount - 1; ++k) {
        LatticePoint a = OnSheet(sheet, figure.entry[static_cast<std::size_t>(k)].start);
        LatticePoint b = OnSheet(sheet, figure.entry[static_cast<std::size_t>(k)].end);
        if (a == b)
            continue;
        if (b < a)
            std::swap(a, b);
        if (!unitSteps) {
            lines.insert({a, b});
            continue;
        }
        for (LatticePoint p = a; p != b;) {
            const LatticePoint q{p.col + (b.col > p.col), p.row + (b.row > p.row)};
            lines.insert({p, q});
            p = q;
        }
    }
    std::vector<Stroke> strokes;
    for (const auto &[a, b] : lines)
        strokes.push_back(backwards ? Stroke(b, a) : Stroke(a, b));
    return strokes;
}

void DrawOn(Game &game, Sheet sheet, const std::vector<Stroke> &strokes)
{
    SheetInput &input = game.sheet(sheet);
    const SheetLattice cells{41, 41};
    for (const Stroke &s : strokes) {
        input.MousePress(s.StartCol * 41, s.StartRow * 41, cells);
        input.MouseRelease(s.StartCol * 41, s.StartRow * 41, cells);
        input.MousePress(s.EndCol * 41, s.EndRow * 41, cells);
        QCOMPARE(input.MouseRelease(s.EndCol * 41, s.EndRow * 41, cells).what, SheetInput::Release::Finished);
    }
}

void StartGame(Game &game, std::uint32_t seed, int level = 5)
{
    game.SetLevel(level);
    game.Seed(seed);
    game.New();
    for (Sheet s : AllSheets)
        game.sheet(s).SetInputEnabled(true);
}

Figure HandMadeFigure(std::vector<FigureSegment> walk)
{
    Figure figure;
    figure.entry[11] = {{10, -10, -10}, {10, -10, -10}};
    for (std::size_t i = 0; i < walk.size(); ++i)
        figure.entry[12 + i] = walk[i];
    // Every listed step is shown: the figure's last generated entry comes after them.
    figure.SegmentCount = 12 + static_cast<int>(walk.size());
    return figure;
}

} // namespace

class TestScoring : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sampleCounts_data()
    {
        QTest::addColumn<std::vector<Stroke>>("strokes");
        QTest::addColumn<int>("count");
        for (int len = 1; len <= 4; ++len) {
            QTest::addRow("horizontal, length %d", len) << std::vector{Stroke(1, 2, 1 + len, 2)} << 5 * len + 1;
            QTest::addRow("vertical, length %d", len) << std::vector{Stroke(4, 5 - len, 4, 5)} << 5 * len + 1;
        }
        QTest::newRow("unit diagonal") << std::vector{Stroke(1, 1, 2, 2)} << 6;
        QTest::newRow("full diagonal") << std::vector{Stroke(5, 1, 1, 5)} << 21;
        QTest::newRow("dot") << std::vector{Stroke(3, 3, 3, 3)} << 0;
        QTest::newRow("only empty slots") << std::vector<Stroke>{} << 0;
        QTest::newRow("overlapping runs share samples") << std::vector{Stroke(1, 1, 3, 1), Stroke(2, 1, 5, 1)} << 21;
        QTest::newRow("crossing runs share one sample") << std::vector{Stroke(1, 3, 5, 3), Stroke(3, 1, 3, 5)} << 41;
    }
    void sampleCounts()
    {
        QFETCH(std::vector<Stroke>, strokes);
        QFETCH(int, count);
        QCOMPARE(int(Samples(strokes).size()), count);
    }

    void samplesLieEveryFifthStep()
    {
        const SampleSet expected{{60, 60}, {72, 72}, {84, 84}, {96, 96}, {108, 108}, {120, 120}};
        QVERIFY(Samples({Stroke(1, 1, 2, 2)}) == expected);
        const SampleSet vertical{{300, 240}, {300, 252}, {300, 264}, {300, 276}, {300, 288}, {300, 300}};
        QVERIFY(Samples({Stroke(5, 5, 5, 4)}) == vertical);
    }

    void sameLinesSameSamples_data()
    {
        QTest::addColumn<std::vector<Stroke>>("one");
        QTest::addColumn<std::vector<Stroke>>("other");
        QTest::newRow("run reversed") << std::vector{Stroke(1, 4, 5, 4)} << std::vector{Stroke(5, 4, 1, 4)};
        QTest::newRow("diagonal reversed") << std::vector{Stroke(2, 1, 5, 4)} << std::vector{Stroke(5, 4, 2, 1)};
        QTest::newRow("run split in two") << std::vector{Stroke(1, 2, 5, 2)}
                                          << std::vector{Stroke(1, 2, 2, 2), Stroke(5, 2, 2, 2)};
        QTest::newRow("column split in unit steps")
            << std::vector{Stroke(3, 1, 3, 5)}
            << std::vector{Stroke(3, 1, 3, 2), Stroke(3, 3, 3, 2), Stroke(3, 3, 3, 4), Stroke(3, 4, 3, 5)};
        QTest::newRow("diagonal split") << std::vector{Stroke(1, 1, 4, 4)} << std::vector{Stroke(1, 1, 2, 2), Stroke(4, 4, 2, 2)};
    }
    void sameLinesSameSamples()
    {
        QFETCH(std::vector<Stroke>, one);
        QFETCH(std::vector<Stroke>, other);
        QVERIFY(Samples(one) == Samples(other));
        // Which slots hold the strokes does not matter either.
        QVERIFY(SampleSegments(Slots(other, 60)) == Samples(one));
    }

    // The walk (10,-10,-10) -> (10,5,-10) -> (-5,5,-10) -> (-5,5,10) as each sheet
    // shows it: a step along the axis a sheet looks along adds nothing there, and
    // once the last step is the figure's last generated entry, it is hidden.
    void projectionsOfAHandMadeFigure_data()
    {
        QTest::addColumn<Sheet>("sheet");
        QTest::addColumn<std::vector<Stroke>>("lines");
        QTest::addColumn<std::vector<Stroke>>("withoutLastStep");
        QTest::newRow("sheet X shows x and y")
            << Sheet::X << std::vector{Stroke(5, 5, 5, 2), Stroke(5, 2, 2, 2)} << std::vector{Stroke(5, 5, 5, 2), Stroke(5, 2, 2, 2)};
        QTest::newRow("sheet Y shows x and z")
            << Sheet::Y << std::vector{Stroke(5, 5, 2, 5), Stroke(2, 5, 2, 1)} << std::vector{Stroke(5, 5, 2, 5)};
        QTest::newRow("sheet Z shows y and z")
            << Sheet::Z << std::vector{Stroke(1, 5, 4, 5), Stroke(4, 5, 4, 1)} << std::vector{Stroke(1, 5, 4, 5)};
    }
    void projectionsOfAHandMadeFigure()
    {
        QFETCH(Sheet, sheet);
        QFETCH(std::vector<Stroke>, lines);
        QFETCH(std::vector<Stroke>, withoutLastStep);
        Figure figure = HandMadeFigure({{{10, -10, -10}, {10, 5, -10}},
                                        {{10, 5, -10}, {-5, 5, -10}},
                                        {{-5, 5, -10}, {-5, 5, 10}}});
        QVERIFY(BuildTrueProjection(figure, sheet) == Samples(lines));
        --figure.SegmentCount;
        QVERIFY(BuildTrueProjection(figure, sheet) == Samples(withoutLastStep));
    }

    // Drawings a player can make, checked through the game: every sheet counts,
    // a correct line scores however it is split or directed, a stroke off the
    // figure costs exactly its samples that are not on the truth, and only a
    // score above the threshold is a record.
    void checkCounts_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<Sheet>>("drawn");
        QTest::addColumn<bool>("unitSteps");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<bool>("extraDiagonal");
        const QList<Sheet> all{Sheet::X, Sheet::Y, Sheet::Z};
        QTest::newRow("whole runs, level 0") << 11u << 0 << all << false << false << false;
        QTest::newRow("whole runs drawn backwards") << 2024u << 5 << all << false << true << false;
        QTest::newRow("unit strokes") << 77u << 12 << all << true << false << false;
        QTest::newRow("unit strokes backwards") << 31337u << 30 << all << true << true << false;
        QTest::newRow("whole runs, highest level") << 5u << 84 << all << false << false << false;
        QTest::newRow("nothing drawn") << 99u << 5 << QList<Sheet>{} << false << false << false;
        QTest::newRow("only sheet X drawn") << 8u << 10 << QList<Sheet>{Sheet::X} << false << false << false;
        QTest::newRow("only sheet Y drawn") << 8u << 10 << QList<Sheet>{Sheet::Y} << false << false << false;
        QTest::newRow("only sheet Z drawn") << 8u << 10 << QList<Sheet>{Sheet::Z} << false << false << false;
        QTest::newRow("an extra diagonal on sheet Z") << 4242u << 5 << all << false << false << true;
    }
    void checkCounts()
    {
        QFETCH(quint32, seed);
        QFETCH(int, level);
        QFETCH(QList<Sheet>, drawn);
        QFETCH(bool, unitSteps);
        QFETCH(bool, backwards);
        QFETCH(bool, extraDiagonal);
        Game game;
        StartGame(game, seed, level);
        CheckCounts expected;
        for (Sheet s : AllSheets) {
            const SampleSet truth = Samples(TrueDrawing(game.figure(), s, false, false));
            const bool draw = drawn.contains(s);
            if (draw)
                DrawOn(game, s, TrueDrawing(game.figure(), s, unitSteps, backwards));
            expected += draw ? CheckCounts{int(truth.size()), 0} : CheckCounts{0, int(truth.size())};
            if (extraDiagonal && s == Sheet::Z) {
                const Stroke extra(1, 1, 5, 5);  // the walk never runs diagonally
                DrawOn(game, s, {extra});
                for (const SamplePoint &p : Samples({extra}))
                    expected.WrongCount += std::find(truth.begin(), truth.end(), p) == truth.end() ? 1 : 0;
            }
        }
        QVERIFY(expected.RightCount + expected.WrongCount > 0);
        const Game::CheckOutcome outcome = game.Check();
        QCOMPARE(outcome.counts, expected);
        QCOMPARE(game.Score(), expected.Score());
        // Checking again changes nothing, and a checked sheet takes no more strokes.
        QCOMPARE(game.Check().counts, expected);
        QCOMPARE(game.sheet(Sheet::Z).MousePress(41, 41, SheetLattice{41, 41}), SheetInput::Press::Ignored);
        // A record must beat the threshold; once confirmed, the same score is none.
        game.SetRecordThreshold(expected.Score() - 1);
        QVERIFY(game.Check().newRecord);
        game.RecordConfirmed(expected.Score());
        QCOMPARE(game.RecordThreshold(), expected.Score());
        QVERIFY(!game.Check().newRecord);
    }

    void levelChangeWaitsForNewFigure()
    {
        Game game;
        StartGame(game, 1u, 3);
        QCOMPARE(game.figure().SegmentCount, 18);
        game.SetLevel(40);
        QCOMPARE(game.figure().SegmentCount, 18);
        game.Activate();
        QCOMPARE(game.figure().SegmentCount, 18);
        game.New();
        QCOMPARE(game.figure().SegmentCount, 55);
    }
};

QTEST_APPLESS_MAIN(TestScoring)
#include "tst_scoring.moc"
