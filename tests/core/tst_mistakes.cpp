// What a Check tells beyond the counts. Mistakes named: each transform of a
// sheet's truth is named when the truth is drawn so transformed, over many
// figures; nothing is named for a right drawing or an empty one; a turn's
// history keeps what was named. Pieces linked to the figure: a missing piece
// lights walk entries that make it, an extra one the depth lines behind it.

#include <QtTest>

#ifndef Q_MOC_RUN
#include "core/sheets/linking.h"
#include "core/turn/turnsession.h"
#include "coretest.h"
#endif

namespace {

std::array<SampleSet, 3> TruthOf(const Game &g)
{
    return {g.TrueProjection(Sheet::X), g.TrueProjection(Sheet::Y), g.TrueProjection(Sheet::Z)};
}

} // namespace

class TestMistakes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachTransformIsNamed_data()
    {
        // A Mistake, or -1 for the truth itself, -2 for nothing drawn, -3 for
        // a third of the mirrored truth: too little of it to name.
        QTest::addColumn<int>("mistake");
        QTest::newRow("right") << -1;
        QTest::newRow("empty") << -2;
        QTest::newRow("a third mirrored") << -3;
        for (int m = 0; m < MistakeCount; ++m)
            if (static_cast<Mistake>(m) != Mistake::SheetX)  // sheet X's own truth is no mistake there
                QTest::newRow(std::string(MistakeToken(static_cast<Mistake>(m))).c_str()) << m;
    }
    void eachTransformIsNamed()
    {
        QFETCH(int, mistake);
        int tried = 0;
        for (std::uint32_t seed = 1; seed <= 60; ++seed) {
            Game g;
            g.NewFrom(static_cast<int>(seed % 12), seed * 2654435761u);
            const std::array<SampleSet, 3> truth = TruthOf(g);
            std::array<SampleSet, 3> drawn = truth;
            std::optional<Mistake> expected;
            if (mistake == -2) {
                drawn[0].clear();
            } else if (mistake == -3) {
                drawn[0] = TransformedTruth(Mistake::MirrorLeftRight, Sheet::X, truth);
                drawn[0].resize(drawn[0].size() / 3);
            } else if (mistake >= 0) {
                drawn[0] = TransformedTruth(static_cast<Mistake>(mistake), Sheet::X, truth);
                if (drawn[0] == truth[0] || drawn[0].empty())
                    continue;  // a figure this transform leaves alike
                // Where an earlier transform draws the same, the tie goes to it.
                for (int m = 0; m <= mistake && !expected; ++m)
                    if (TransformedTruth(static_cast<Mistake>(m), Sheet::X, truth) == drawn[0])
                        expected = static_cast<Mistake>(m);
            }
            const SheetMistakes named = NameMistakes(truth, drawn);
            QCOMPARE(named[0], expected);
            QVERIFY(!named[1] && !named[2]);
            ++tried;
        }
        QVERIFY2(tried >= 20, qPrintable(QStringLiteral("only %1 figures told this transform apart").arg(tried)));
    }

    // Every missing piece of an empty drawing is covered by the views of the
    // entries it lights; an extra stroke lights lines seen end on, each at a
    // lattice point of the stroke.
    void piecesLinkToTheFigure()
    {
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            Game g;
            g.NewFrom(static_cast<int>(seed % 10), seed * 40503u);
            for (Sheet s : AllSheets) {
                const SheetClassification empty = Classify(g.TrueSegments(s), SegmentList{});
                QVERIFY(!empty.missing.empty());
                for (const Piece &piece : empty.missing) {
                    SegmentList lit{};
                    int slot = 1;
                    for (const FigureSegment &e : LinkedSegments(g.CurrentFigure(), s, piece))
                        lit[static_cast<std::size_t>(slot++)] =
                            Stroke(FigureToLattice(s, e.start), FigureToLattice(s, e.end));
                    QVERIFY(slot > 1);
                    SegmentList one{};
                    // An empty drawing misses whole lines, from lattice point to lattice point.
                    one[1] = Stroke(LatticePoint{piece.from.col / 60, piece.from.row / 60},
                                    LatticePoint{piece.to.col / 60, piece.to.row / 60});
                    QCOMPARE(MissingSampleCount(one, lit), 0);
                }
            }
        }
        const Piece extra{1, PieceKind::Extra, {60, 60}, {180, 60}};  // row 1, columns 1 to 3
        for (Sheet s : AllSheets) {
            const std::vector<FigureSegment> lines = LinkedSegments(Figure{}, s, extra);
            QCOMPARE(lines.size(), std::size_t(3));
            for (const FigureSegment &l : lines) {
                const LatticePoint at = FigureToLattice(s, l.start);
                QVERIFY(at == FigureToLattice(s, l.end) && at.row == 1 && at.col >= 1 && at.col <= 3);
            }
        }
    }

    // The turn's history row keeps the named mistakes, sheet by sheet.
    void historyKeepsTheMistakes_data()
    {
        QTest::addColumn<QString>("onSheetX");
        QTest::addColumn<QString>("stored");
        QTest::newRow("mirrored left to right") << "mirror" << "X:mirror-lr";
        QTest::newRow("the view of sheet Y") << "sheetY" << "X:sheet-Y";
        QTest::newRow("all right") << "right" << "";
    }
    void historyKeepsTheMistakes()
    {
        QFETCH(QString, onSheetX);
        QTemporaryDir dir;
        History history;
        QVERIFY(history.Open(dir.path().toStdString()).ok);
        TurnSession s([] { return std::int64_t{20794} * 86400; });
        s.SetHistory([&history] { return &history; });
        s.OpenCode({8, 0x1234567u, false});
        Game &g = s.Board();
        for (Sheet sheet : AllSheets) {
            std::vector<Stroke> strokes;
            const Sheet from = sheet == Sheet::X && onSheetX == "sheetY" ? Sheet::Y : sheet;
            for (const Stroke &t : g.TrueSegments(from)) {
                if (t.IsEmpty() || t.Start() == t.End())
                    continue;
                Stroke drawn = t;
                if (sheet == Sheet::X && onSheetX == "mirror")
                    drawn = Stroke(6 - t.StartCol, t.StartRow, 6 - t.EndCol, t.EndRow);
                if (std::ranges::none_of(strokes, [&](const Stroke &d) { return d.SameLine(drawn); }))
                    strokes.push_back(drawn);
            }
            g.Input(sheet) = Drawn(strokes, g.Input(sheet));
        }
        s.Check();
        std::vector<TurnRecord> turns;
        QVERIFY(history.Turns(turns).ok && turns.size() == 1);
        QFETCH(QString, stored);
        QCOMPARE(QString::fromStdString(turns[0].mistakes.value_or("NULL")), stored);
    }
};

QTEST_APPLESS_MAIN(TestMistakes)
#include "tst_mistakes.moc"
