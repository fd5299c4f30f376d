// A turn saved and continued in a later run: the same turn, undo history,
// seconds, help and what it belongs to; files that cannot be read are set
// aside once; a kill while saving leaves a whole turn; the kept turn's life.

#include "coretest.h"
#include "filetesting.h"

#include "core/classroom/assignmentfigures.h"
#include "core/storage/turnfile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

constexpr std::int64_t Noon = 20795 * std::int64_t{86400} + 43200;  // 2026-12-08 12:00 UTC
const PuzzleCode CodeA{6, 0x5eed1234u, false};

Assignment Week3()
{
    return MakeAssignment("Week 3", Exercise::Views, {{1, 11}, {2, 22}, {3, 33}}, true, true, std::nullopt).assignment;
}

struct Run {
    History *history;
    std::int64_t now = Noon;
    TurnSession session{[this] { return now; }};
    explicit Run(History *h) : history(h)
    {
        session.SetHistory([this] { return history; });
        session.StartAt(3);
    }
};

// The state a player sees and undo reaches.
void CompareTurns(const TurnSession &a, const TurnSession &b)
{
    QCOMPARE(b.Board().FigureSeed(), a.Board().FigureSeed());
    QCOMPARE(b.Board().FigureLevel(), a.Board().FigureLevel());
    QCOMPARE(b.TurnExercise(), a.TurnExercise());
    QCOMPARE(b.ShownLevel(), a.ShownLevel());
    QCOMPARE(b.Board().Seconds(), a.Board().Seconds());
    QCOMPARE(b.Board().Help(), a.Board().Help());
    QVERIFY(b.Board().Built() == a.Board().Built());
    for (Sheet s : AllSheets) {
        QVERIFY(b.Board().Input(s).Strokes() == a.Board().Input(s).Strokes());
        QCOMPARE(b.HintsShown(s), a.HintsShown(s));
    }
    QCOMPARE(b.Edits().Position(), a.Edits().Position());
    QCOMPARE(b.Edits().Entries().size(), a.Edits().Entries().size());
    QCOMPARE(b.AssessmentFigure(), a.AssessmentFigure());
    QCOMPARE(b.AssignmentFigure(), a.AssignmentFigure());
}

SavedTurn ThroughFile(const SavedTurn &t)
{
    const std::optional<SavedTurn> read = ParseSavedTurn(SavedTurnJson(t));
    return read.value_or(SavedTurn{});
}

} // namespace

class TestContinue : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<History> m_history;
    std::string folder() const { return m_dir->path().toStdString(); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_history = std::make_unique<History>();
        QVERIFY(m_history->Open(folder()).ok);
    }

    // Steps in the saving run: o code A, a the assessment's fourth figure,
    // g the assignment's second figure, b the build exercise, d draw the
    // sheets, s build by hints, h a hint, u undo, p peek, r Restart after a
    // Check, t ten seconds. The saved turn goes through the file into a later
    // run, which must match the first one after each of undo, redo, undo and
    // Check, with the same first-play verdict and help paid.
    void continuedTurnIsTheSameTurn_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("giveAssignment");
        QTest::newRow("drawn, a hint, an undo") << "otdhutt" << false;
        QTest::newRow("a peek paid") << "odpt" << false;
        QTest::newRow("a replay after a Check") << "odcrdut" << false;
        QTest::newRow("built, then an undo") << "bshshut" << false;
        QTest::newRow("an assessment figure") << "adut" << false;
        QTest::newRow("an assignment figure") << "gdut" << true;
        QTest::newRow("an assignment no longer there") << "gdut" << false;
    }
    void continuedTurnIsTheSameTurn()
    {
        QFETCH(QString, steps);
        QFETCH(bool, giveAssignment);
        const Assignment assignment = Week3();
        Run first(m_history.get());
        for (QChar step : steps) {
            TurnSession &s = first.session;
            switch (step.toLatin1()) {
            case 'o': s.OpenCode(CodeA); break;
            case 'a':
                s.StartAssessment();
                for (int i = 0; i < 3; ++i)
                    s.New();
                break;
            case 'g':
                s.StartAssignment(assignment, NewResult(assignment, "Ann"));
                s.New();
                break;
            case 'b': s.ChooseExercise(Exercise::Build); break;
            case 'd': DrawAll(s); break;
            case 's': s.Hint(std::nullopt); s.Hint(std::nullopt); break;
            case 'h': s.Hint(std::nullopt); break;
            case 'u': QVERIFY(s.Undo()); break;
            case 'p': QCOMPARE(s.Peek(), TurnSession::PeekOutcome::Started); break;
            case 'c': s.Check(); break;
            case 'r': s.Restart(); break;
            case 't': for (int i = 0; i < 10; ++i) s.TickSecond(); break;
            }
        }
        QVERIFY(first.session.Unfinished());
        SavedTurn saved = first.session.Snapshot();
        if (saved.assignment)
            saved.assignment->file = "/somewhere/week3.trivisto-assignment";
        const SavedTurn read = ThroughFile(saved);
        QVERIFY(read.Unfinished());

        Run later(m_history.get());
        if (giveAssignment)
            later.session.Continue(read, &assignment, NewResult(assignment, "Ann"));
        else
            later.session.Continue(read);
        const bool inAssignment = steps.contains('g') && giveAssignment;
        QCOMPARE(later.session.InAssignment(), inAssignment);
        if (steps.contains('g') && !giveAssignment) {
            QCOMPARE(later.session.TurnOrigin(), TurnSession::Origin::Code);
            first.session.LeaveAssignment();
        }
        QCOMPARE(later.session.ChosenLevel(), 3);
        CompareTurns(first.session, later.session);
        for (bool undo : {true, false, true}) {
            TurnSession &a = first.session;
            TurnSession &b = later.session;
            QCOMPARE((undo ? a.Undo() : a.Redo()) != nullptr, (undo ? b.Undo() : b.Redo()) != nullptr);
            CompareTurns(a, b);
        }
        const bool firstPlay = first.session.FirstPlay();
        QCOMPARE(later.session.FirstPlay(), firstPlay);
        const TurnSession::CheckReport a = first.session.Check();
        const TurnSession::CheckReport b = later.session.Check();
        QCOMPARE(b.outcome.counts.Score(), a.outcome.counts.Score());
        QCOMPARE(b.outcome.finalScore, a.outcome.finalScore);
        QCOMPARE(b.outcome.seconds, a.outcome.seconds);
        QCOMPARE(b.outcome.newRecord, a.outcome.newRecord);
        QCOMPARE(b.assignmentChanged, a.assignmentChanged);
    }

    // Anything but a whole saved turn is set aside once, with its bytes
    // kept for a look, and never read again.
    void unreadableFilesAreSetAside_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::newRow("cut short") << QByteArray("\"edits\"") << QByteArray();
        QTest::newRow("not JSON") << QByteArray("{") << QByteArray("<");
        QTest::newRow("a newer version") << QByteArray("\"version\":1") << QByteArray("\"version\":2");
        QTest::newRow("a stroke off the sheet") << QByteArray("[1,1,1,1,2]") << QByteArray("[1,1,1,1,6]");
        QTest::newRow("a slot past the next one") << QByteArray("\"next\":2") << QByteArray("\"next\":1");
        QTest::newRow("undo past its edits") << QByteArray("\"editPosition\":1") << QByteArray("\"editPosition\":2");
        QTest::newRow("a level too high") << QByteArray("\"level\":6") << QByteArray("\"level\":85");
        QTest::newRow("an assessment without its sitting") << QByteArray("\"origin\":\"code\"")
                                                           << QByteArray("\"origin\":\"assessment\"");
        QTest::newRow("seconds as text") << QByteArray("\"seconds\":0") << QByteArray("\"seconds\":\"0\"");
    }
    void unreadableFilesAreSetAside()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        Run run(m_history.get());
        run.session.OpenCode(CodeA);
        SheetInput &x = run.session.Board().Input(Sheet::X);
        x.SetInputEnabled(true);
        const SheetStrokes before = x.Strokes();
        Draw(x, Stroke(1, 1, 1, 2));
        run.session.StrokeFinished(Sheet::X, before);
        TurnFile file(folder());
        QCOMPARE(file.SaveCurrent(run.session.Snapshot()), 0);
        QByteArray bytes = Read(file.CurrentPath());
        QVERIFY2(bytes.contains(from), bytes.constData());
        bytes = to.isEmpty() ? bytes.left(bytes.indexOf(from)) : bytes.replace(from, to);
        Write(file.CurrentPath(), bytes);

        const TurnFile::Loaded loaded = file.KeepLastTurn();
        QCOMPARE(loaded.status, TurnFile::Status::Unreadable);
        QCOMPARE(QString::fromStdString(loaded.setAside), QString::fromStdString(file.CurrentPath() + ".unreadable"));
        QCOMPARE(Read(loaded.setAside), bytes);
        QVERIFY(!file.HasKept());
        QCOMPARE(file.KeepLastTurn().status, TurnFile::Status::Missing);
    }

    // The last run's unfinished turn is kept until the player takes it or
    // a later turn is checked; a turn with nothing drawn keeps nothing and
    // leaves an older kept turn alone.
    void keptTurnLifecycle()
    {
        TurnFile file(folder());
        Run run(m_history.get());
        run.session.OpenCode(CodeA);
        QCOMPARE(file.SaveCurrent(run.session.Snapshot()), 0);  // nothing drawn yet
        QCOMPARE(file.KeepLastTurn().status, TurnFile::Status::Read);
        QVERIFY(!file.HasKept() && !QFile::exists(QString::fromStdString(file.CurrentPath())));

        DrawSheet(run.session, Sheet::Y);
        QCOMPARE(file.SaveCurrent(run.session.Snapshot()), 0);
        QCOMPARE(file.KeepLastTurn().status, TurnFile::Status::Read);
        QVERIFY(file.HasKept() && !QFile::exists(QString::fromStdString(file.CurrentPath())));
        run.session.New();
        QCOMPARE(file.SaveCurrent(run.session.Snapshot()), 0);
        file.KeepLastTurn();
        const TurnFile::Loaded kept = file.ReadKept();
        QCOMPARE(kept.status, TurnFile::Status::Read);
        QCOMPARE(kept.turn.seed, CodeA.seed);
        file.DropKept();
        QVERIFY(!file.HasKept());
    }

    // Killed at any moment of a save, turn.json reads as a whole turn: the
    // one before or the one being saved.
    void killedWhileSavingLeavesAWholeTurn()
    {
        TurnFile file(folder());
        Run run(m_history.get());
        run.session.OpenCode(CodeA);
        DrawAll(run.session);
        QCOMPARE(file.SaveCurrent(run.session.Snapshot()), 0);
        long delay = 0;
        for (int round = 0; round < 40; ++round) {
            const pid_t pid = fork();
            if (pid == 0) {
                for (;;) {
                    run.session.TickSecond();
                    file.SaveCurrent(run.session.Snapshot());
                }
            }
            usleep(static_cast<useconds_t>(delay));
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            const QByteArray bytes = Read(file.CurrentPath());
            const std::optional<SavedTurn> turn = ParseSavedTurn(std::string_view(bytes.constData(), bytes.size()));
            QVERIFY2(turn && turn->Unfinished(), qPrintable(QStringLiteral("round %1").arg(round)));
            delay = (delay * 7 + 1000) % 20000;
        }
        // The next start clears what the kills left and keeps the turn.
        QCOMPARE(file.KeepLastTurn().status, TurnFile::Status::Read);
        QVERIFY(file.HasKept());
        QCOMPARE(QDir(m_dir->path()).entryList({".trivisto-save-*"}, QDir::Hidden | QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestContinue)
#include "tst_continue.moc"
