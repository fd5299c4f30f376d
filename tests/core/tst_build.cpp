// The build exercise through the turn session, without a window: a built
// figure scores as its projections drawn on the sheets would, a different
// figure with the same three views scores the maximum, rebuilding erases,
// hints follow the walk, and where the exercise meets first plays, records,
// the assessment and the suggestion. Also the view's picking of lattice points.

#include <QtTest>

#include <memory>

#ifndef Q_MOC_RUN
#include "core/turn/turnsession.h"
#include "core/view3d/viewprojection.h"
#include "coretest.h"
#endif

namespace {

constexpr std::int64_t Monday = 20794 * 86400 + 12 * 3600;  // 2026-12-07 12:00 UTC
const PuzzleCode CodeA{20, 0x5eed1234u, false};

std::vector<BuiltSegment> Walk(const Figure &f)
{
    std::vector<BuiltSegment> walk;
    for (int i = Figure::FirstShown + 1; i <= f.LastShown(); ++i) {
        const FigureSegment &e = f.entry[static_cast<std::size_t>(i)];
        walk.push_back({*LatticeOf(e.start), *LatticeOf(e.end)});
    }
    return walk;
}

// Moves the cursor with the arrow keys' steps, then presses Space.
TurnSession::BuildReport SpaceAt(TurnSession &s, LatticePoint3 target)
{
    for (int axis = 0; axis < 3; ++axis)
        while (s.Board().Builder().Cursor()[axis] != target[axis])
            if (!s.MoveCursor(axis, target[axis] > s.Board().Builder().Cursor()[axis] ? 1 : -1))
                return {};
    return s.BuildAt(std::nullopt);
}

void Build(TurnSession &s, const std::vector<BuiltSegment> &segments)
{
    for (const BuiltSegment &b : segments) {
        QCOMPARE(SpaceAt(s, b.from).press, BuildInput::Press::Began);
        QCOMPARE(SpaceAt(s, b.to).press, BuildInput::Press::Ended);
    }
}

// Every unit step of the lattice in `steps`, each as a segment of its own.
std::vector<BuiltSegment> UnitStepsOf(const UnitSteps &steps)
{
    std::vector<BuiltSegment> out;
    for (int i = 0; i < LatticePointCount; ++i)
        for (int axis = 0; axis < 3; ++axis) {
            const LatticePoint3 p{i / 25, i / 5 % 5, i % 5};
            LatticePoint3 q = p;
            ++q[axis];
            BuiltFigure one;
            if (q.OnLattice() && one.Add({p, q}) == BuiltFigure::AddOutcome::Added && (one.Steps() & steps).any())
                out.push_back({q, p});
        }
    return out;
}

// A unit step off the walk whose three views all lie on the walk's views:
// the walk with it added is another figure with the same views.
std::optional<BuiltSegment> HiddenStep(const Game &g)
{
    for (const BuiltSegment &step : UnitStepsOf(~WalkSteps(g.CurrentFigure()))) {
        BuiltFigure one;
        one.Add(step);
        bool hidden = true;  // nothing off the truth: every miss is a true sample not drawn
        for (Sheet s : AllSheets) {
            const CheckCounts c = CompareSamples(g.TrueProjection(s), SampleSegments(one.Projection(s)));
            hidden = hidden && c.WrongCount + c.RightCount == static_cast<int>(g.TrueProjection(s).size());
        }
        if (hidden)
            return step;
    }
    return std::nullopt;
}

} // namespace

class TestBuild : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<History> m_history;

    std::unique_ptr<TurnSession> session(Exercise e = Exercise::Build)
    {
        auto s = std::make_unique<TurnSession>([] { return Monday; });
        s->SetHistory([this] { return m_history.get(); });
        s->ChooseExercise(e);
        return s;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_history = std::make_unique<History>();
        QVERIFY(m_history->Open(m_dir->path().toStdString()).ok);
    }

    // Check of a built figure: the walk scores the maximum with nothing wrong,
    // another figure with the same three views too, an extra segment off the
    // views costs points; and any figure scores exactly what drawing its three
    // projections on the sheets scores.
    void checkScoresTheViews_data()
    {
        QTest::addColumn<QString>("figure");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<bool>("same");
        QTest::newRow("the walk") << "walk" << true << true;
        QTest::newRow("the walk in unit steps, last first") << "steps" << true << true;
        QTest::newRow("another figure, the same views") << "hidden" << true << false;
        QTest::newRow("one extra segment") << "extra" << false << false;
        QTest::newRow("half the walk") << "half" << false << false;
    }
    void checkScoresTheViews()
    {
        QFETCH(QString, figure);
        QFETCH(bool, fits);
        QFETCH(bool, same);
        auto s = session();
        s->OpenCode(CodeA);
        std::vector<BuiltSegment> built = Walk(s->Board().CurrentFigure());
        if (figure == "steps") {
            built = UnitStepsOf(WalkSteps(s->Board().CurrentFigure()));
            std::reverse(built.begin(), built.end());
        } else if (figure == "hidden") {
            const auto step = HiddenStep(s->Board());
            QVERIFY(step);
            built.push_back(*step);
        } else if (figure == "extra") {
            built.push_back({{0, 0, 0}, {0, 0, 4}});
        } else if (figure == "half") {
            built.resize(built.size() / 2);
        }
        Build(*s, built);
        const TurnSession::CheckReport report = s->Check();
        const Game::CheckOutcome &o = report.outcome;
        QCOMPARE(o.fitsViews, fits);
        QCOMPARE(o.sameAsWalk, same);
        QCOMPARE(o.counts.WrongCount == 0, fits);
        QVERIFY(!o.newRecord && !report.recordNotForSeen);  // the results file is the views exercise's

        // The same projections drawn as strokes in the views exercise.
        auto views = session(Exercise::Views);
        views->OpenCode(CodeA);
        for (Sheet sheet : AllSheets) {
            SheetInput &input = views->Board().Input(sheet);
            std::vector<Stroke> drawn;
            for (const Stroke &p : s->Board().Built().Projection(sheet))
                if (!p.IsEmpty() && std::ranges::none_of(drawn, [&](const Stroke &d) { return d.SameLine(p); }))
                    drawn.push_back(p);
            input = Drawn(drawn, input);
        }
        QCOMPARE(views->Check().outcome.counts, o.counts);

        std::vector<TurnRecord> turns;
        m_history->Turns(turns);
        QCOMPARE(turns.front().exercise, Exercise::Build);
        QCOMPARE(turns.front().total.wrong, o.counts.WrongCount);
    }

    // The figure keeps segments as built: the same two ends again, either way
    // round, erase both; an end off the axis lines is refused and the
    // beginning stays; pressing the beginning again drops it; at most 100.
    void buildingFollowsTheRules()
    {
        auto s = session();
        s->OpenCode(CodeA);
        const BuiltSegment a{{0, 0, 0}, {0, 3, 0}};
        Build(*s, {a});
        QCOMPARE(SpaceAt(*s, a.to).press, BuildInput::Press::Began);
        QCOMPARE(SpaceAt(*s, {1, 1, 0}).press, BuildInput::Press::NotOnLine);
        QCOMPARE(s->Board().Builder().BegunAt(), a.to);
        const TurnSession::BuildReport again = SpaceAt(*s, a.from);
        QCOMPARE(again.added, BuiltFigure::AddOutcome::Erased);
        QVERIFY(s->Board().Built().Empty());
        QVERIFY(s->Board().Input(Sheet::Y).Strokes().Slots()[1].IsEmpty());
        QCOMPARE(SpaceAt(*s, a.from).press, BuildInput::Press::Began);
        QCOMPARE(SpaceAt(*s, a.from).press, BuildInput::Press::Dropped);
        QVERIFY(s->Undo() && s->Board().Built().Segments() == std::vector<BuiltSegment>{a});

        BuiltFigure full;
        for (int i = 0; i < LatticePointCount && full.Segments().size() < 100; ++i)
            full.Add({{i / 25, i / 5 % 5, i % 5}, {i / 25, i / 5 % 5, (i % 5 + 1) % 5}});
        QCOMPARE(full.Segments().size(), std::size_t(100));
        QCOMPARE(full.Add({{0, 0, 0}, {4, 0, 0}}), BuiltFigure::AddOutcome::Full);
        QCOMPARE(full.Add({{0, 0, 0}, {1, 1, 0}}), BuiltFigure::AddOutcome::NotOnLine);
    }

    // Hints build the walk's missing unit steps in the walk's order; undo
    // takes one away and its cost stays paid; all taken, none is left.
    void hintsFollowTheWalk()
    {
        auto s = session();
        s->OpenCode({0, 77u, false});
        const std::vector<BuiltSegment> walk = Walk(s->Board().CurrentFigure());
        Build(*s, {walk.front()});
        const TurnSession::HintResult first = s->Hint(std::nullopt);
        QCOMPARE(first.outcome, TurnSession::HintOutcome::Given);
        const BuiltSegment hint = s->Board().Built().Segments().back();
        QVERIFY(hint.hint && hint.from == walk[1].from && *AxisBetween(hint.from, hint.to) == *AxisBetween(walk[1].from, walk[1].to));
        QVERIFY(s->Undo() && s->Board().Built().Segments().size() == 1);
        int hints = 1;
        while (s->Hint(std::nullopt).outcome == TurnSession::HintOutcome::Given)
            ++hints;
        const Game::CheckOutcome o = s->Check().outcome;
        QVERIFY(o.fitsViews && o.sameAsWalk);
        QCOMPARE(o.help.hints, hints);
        QCOMPARE(o.finalScore, o.counts.Score() - hints * HintCost);
    }

    // Where the exercises meet: a figure shown in one exercise is seen for the
    // other, so a switch or the code again there is no first play; a switch
    // keeps the figure; a sitting is drawn and choosing to build leaves it;
    // each exercise has its own suggestion, the chosen level is shared.
    void exercisesMeet_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("firstPlay");
        QTest::newRow("a build turn on a fresh code") << "Boc" << true;
        QTest::newRow("views, then build on the same code") << "VoBc" << false;
        QTest::newRow("build, then views on the same code") << "BoVc" << false;
        QTest::newRow("views, then build, in a later run") << "VonBoc" << false;
        QTest::newRow("a new figure after a switch") << "VoBNc" << true;
    }
    void exercisesMeet()
    {
        QFETCH(QString, steps);
        QFETCH(bool, firstPlay);
        auto s = session(Exercise::Views);
        for (QChar step : steps) {
            switch (step.toLatin1()) {
            case 'V': s->ChooseExercise(Exercise::Views); break;
            case 'B': s->ChooseExercise(Exercise::Build); break;
            case 'o': s->OpenCode(CodeA); break;
            case 'N': s->New(); break;
            case 'n': s->FlushSeen(); s = session(s->ChosenExercise()); break;
            case 'c': s->Check(); break;
            }
        }
        QCOMPARE(s->CurrentCode() == CodeA, !steps.contains('N'));
        std::vector<TurnRecord> turns;
        m_history->Turns(turns);
        QCOMPARE(turns.back().firstPlay, firstPlay);
        QCOMPARE(turns.back().exercise, s->ChosenExercise());
    }
    void sittingsAreDrawnAndSuggestionsApart()
    {
        auto s = session();
        s->StartAt(5);
        s->StartAssessment();
        QCOMPARE(s->TurnExercise(), Exercise::Views);
        QVERIFY(s->ChooseExercise(Exercise::Build));
        QVERIFY(!s->InAssessment() && s->TurnExercise() == Exercise::Build);
        QCOMPARE(s->CurrentCode(), AssessmentSet()[0]);
        for (std::uint32_t turn = 0; turn < 3; ++turn) {
            s->OpenCode({5, 300 + turn, false});
            Build(*s, Walk(s->Board().CurrentFigure()));
            s->Check();
        }
        QCOMPARE(s->Suggestion(), (LevelSuggestion{LevelChange::Up, 6}));
        s->ChooseExercise(Exercise::Views);
        QCOMPARE(s->Suggestion(), (LevelSuggestion{LevelChange::None, 0}));
        QCOMPARE(s->ChosenLevel(), 5);
    }

    // A click picks the lattice point under the pointer, the one nearest the
    // eye where several lie there; the band follows the axis the pointer does.
    void pickingFollowsTheView()
    {
        Camera camera;
        camera.Show(ViewMode::SheetX);  // x right, y up, the eye on +z
        const ViewProjection view(camera, 1.0f, 540, 540);
        const ScreenPoint corner = view.Project(LatticePoint3{4, 0, 2});
        QCOMPARE(PickLatticePoint(view, corner.x + 5, corner.y - 5), (LatticePoint3{4, 0, 4}));
        QVERIFY(!PickLatticePoint(view, corner.x + 2 * PickRadius, corner.y));
        QCOMPARE(PickLatticePoint(view, corner.x, corner.y, LatticePoint3{0, 0, 2}), (LatticePoint3{4, 0, 2}));
        QCOMPARE(BandEnd(view, {0, 0, 2}, corner.x - 3, corner.y + 30), (LatticePoint3{4, 0, 2}));
        const ScreenPoint top = view.Project(LatticePoint3{0, 3, 2});
        QCOMPARE(BandEnd(view, {0, 0, 2}, top.x + 20, top.y), (LatticePoint3{0, 3, 2}));

        camera.Reset();
        const ViewProjection start(camera, 1.0f, 540, 540);
        const ScreenPoint near = start.Project(LatticePoint3{0, 0, 4});
        const ScreenPoint far = start.Project(LatticePoint3{0, 0, 0});
        QVERIFY(near.depth < far.depth && near.x < far.x);  // the eye at z = 20, left of the centre
    }
};

QTEST_APPLESS_MAIN(TestBuild)
#include "tst_build.moc"
