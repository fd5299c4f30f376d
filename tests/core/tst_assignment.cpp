// A teacher's assignment played through the turn session: results entered at
// each figure's first Check, written, read back and tabled; a resumed result
// going on where it stopped; what the assignment switches off and what leaves
// it.

#include "coretest.h"

#include "core/classroom/assignmentfigures.h"
#include "core/classroom/classtable.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr std::int64_t Noon = 20795 * std::int64_t{86400} + 43200;  // 2026-12-08 12:00 UTC

Assignment Made(Exercise exercise, bool hints, bool peeks)
{
    std::vector<PuzzleCode> figures{{1, 11}, {2, 22}, {3, 33}};
    AssignmentMade made = MakeAssignment("Week 3", exercise, figures, hints, peeks, std::nullopt);
    return made.assignment;
}

void Solve(TurnSession &s)
{
    if (s.TurnExercise() == Exercise::Views) {
        DrawAll(s);
        return;
    }
    while (s.Hint(std::nullopt).outcome == TurnSession::HintOutcome::Given) {
    }
}

struct Played {
    QTemporaryDir dir;
    History history;
    std::int64_t now = Noon;
    TurnSession session{[this] { return now; }};
    Played()
    {
        history.Open(dir.path().toStdString());
        session.SetHistory([this] { return &history; });
        session.StartAt(0);
    }
};

} // namespace

class TestAssignment : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Two figures played, the second after a skip and a restart: each first
    // Check is the figure's result, in the file's order; the file reads back
    // whole with its checksum and makes a class row; the history knows the
    // assignment's turns.
    void resultsFollowFirstChecks_data()
    {
        QTest::addColumn<Exercise>("exercise");
        QTest::newRow("views") << Exercise::Views;
        QTest::newRow("build") << Exercise::Build;
    }
    void resultsFollowFirstChecks()
    {
        QFETCH(Exercise, exercise);
        Played p;
        TurnSession &s = p.session;
        const Assignment a = Made(exercise, true, true);
        s.StartAssignment(a, NewResult(a, "  A. Student "));
        QCOMPARE(s.AssignmentFigure(), std::optional<std::size_t>(0));
        QCOMPARE(s.TurnExercise(), exercise);
        QCOMPARE(s.ShownLevel(), 1);
        QCOMPARE(s.ChosenLevel(), 0);
        Solve(s);
        QVERIFY(s.Check().assignmentChanged);
        s.Restart();  // a replay after the Check changes nothing
        QVERIFY(!s.Check().assignmentChanged);
        s.New();
        s.New();  // figure 1 skipped
        QCOMPARE(s.AssignmentFigure(), std::optional<std::size_t>(2));
        p.now += 3600;
        QVERIFY(s.Check().assignmentChanged);  // an empty drawing is a result too
        const AssignmentResult result = *s.CurrentAssignmentResult();
        QCOMPARE(result.student, std::string("A. Student"));
        QVERIFY(!result.Complete());
        QVERIFY(result.figures[0].Checked() && !result.figures[1].Checked() && result.figures[2].Checked());
        QCOMPARE(*result.figures[0].right, MaxPoints(a.figures[0], exercise));
        QCOMPARE(*result.figures[2].right, 0);
        QCOMPARE(*result.figures[2].checkedUtc, Noon + 3600);

        const ResultRead read = ReadAssignmentResult(WriteAssignmentResult(result));
        QCOMPARE(read.status, ResultStatus::Ok);
        QCOMPARE(read.result, result);
        const ClassTable table = BuildClassTable(a, {{"a.trivisto-result", WriteAssignmentResult(result), {}}});
        QCOMPARE(table.rows.size(), std::size_t{1});
        // Building by hints pays for them: the percent is the score's.
        const double percent = std::max(0.0, 100.0 * *result.figures[0].score / result.figures[0].max);
        QVERIFY(table.rows[0].cells[0].percent && std::abs(*table.rows[0].cells[0].percent - percent) <= 0.05);
        QVERIFY(!table.rows[0].cells[1].percent && !table.rows[0].complete);

        std::vector<TurnRecord> turns;
        QVERIFY(p.history.Turns(turns).ok);
        QCOMPARE(turns.size(), std::size_t{3});
        for (const TurnRecord &t : turns)
            QCOMPARE(t.assignment, std::optional<std::string>(a.id));

        // New skips what has a result and comes back to figure 1; after it
        // the assignment is done and New is an ordinary turn again.
        s.New();
        QCOMPARE(s.AssignmentFigure(), std::optional<std::size_t>(1));
        s.Check();
        QVERIFY(s.CurrentAssignmentResult()->Complete());
        s.New();
        QVERIFY(!s.InAssignment());
        QCOMPARE(s.TurnOrigin(), TurnSession::Origin::New);
        QCOMPARE(s.TurnExercise(), Exercise::Views);
    }

    // A result read back goes on at its first unchecked figure; one of other
    // figures starts afresh under the student's name.
    void resumesWhereItStopped()
    {
        Played p;
        TurnSession &s = p.session;
        const Assignment a = Made(Exercise::Views, true, true);
        AssignmentResult partly = NewResult(a, "B");
        Game::CheckOutcome check;
        QVERIFY(RecordCheck(partly, a.figures[0], check, Noon) && RecordCheck(partly, a.figures[2], check, Noon));
        s.StartAssignment(a, ReadAssignmentResult(WriteAssignmentResult(partly)).result);
        QCOMPARE(s.AssignmentFigure(), std::optional<std::size_t>(1));
        QCOMPARE(s.CurrentCode().seed, a.figures[1].seed);

        const Assignment other = Made(Exercise::Views, true, true);
        s.StartAssignment(other, partly);
        QCOMPARE(s.AssignmentFigure(), std::optional<std::size_t>(0));
        QCOMPARE(s.CurrentAssignmentResult()->assignment, other.id);
        QCOMPARE(s.CurrentAssignmentResult()->student, std::string("B"));
    }

    // Help the assignment does not allow is off; a code, today's figure, the
    // assessment or the other exercise leave the assignment.
    void switchesOffAndLeaves_data()
    {
        QTest::addColumn<int>("leave");
        QTest::newRow("code") << 0;
        QTest::newRow("today") << 1;
        QTest::newRow("assessment") << 2;
        QTest::newRow("other exercise") << 3;
    }
    void switchesOffAndLeaves()
    {
        QFETCH(int, leave);
        Played p;
        TurnSession &s = p.session;
        const Assignment a = Made(Exercise::Views, false, false);
        s.StartAssignment(a, NewResult(a, "C"));
        DrawSheet(s, Sheet::X);
        QCOMPARE(s.Hint(std::nullopt).outcome, TurnSession::HintOutcome::Off);
        QCOMPARE(s.Peek(), TurnSession::PeekOutcome::Off);
        QVERIFY(!s.ChooseExercise(Exercise::Views));
        QVERIFY(s.InAssignment());
        switch (leave) {
        case 0: s.OpenCode({5, 55}); break;
        case 1: s.OpenToday(); break;
        case 2: s.StartAssessment(); break;
        default: QVERIFY(s.ChooseExercise(Exercise::Build));
        }
        QVERIFY(!s.InAssignment());
        QVERIFY(s.TurnOrigin() != TurnSession::Origin::Assignment);
        QVERIFY(!s.Check().assignmentChanged);
    }
};

QTEST_GUILESS_MAIN(TestAssignment)
#include "tst_assignment.moc"
