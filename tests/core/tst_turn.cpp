// Whole turns through the turn session, without a window: which turns may set a
// record (first plays only), what help costs, the chosen level surviving codes,
// today's figure and sittings, an assessment that cannot be gamed, the history
// record of each checked turn, the suggestion fed by first plays. (Undo: tst_scoring
// and the fuzz_turn target.)

#include <QtTest>

#include <memory>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "core/storage/instancelock.h"
#include "core/turn/turnsession.h"
#include "coretest.h"
#endif

namespace {

constexpr std::int64_t Day = 86400;
constexpr std::int64_t Monday = 20794 * Day + 12 * 3600;  // 2026-12-07 12:00 UTC
const PuzzleCode CodeA{6, 0x5eed1234u, false};


} // namespace

class TestTurn : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<History> m_history;
    std::int64_t m_now = Monday;

    std::unique_ptr<TurnSession> session()
    {
        auto s = std::make_unique<TurnSession>([this] { return m_now; });
        s->SetHistory([this] { return m_history.get(); });
        return s;
    }
    std::vector<TurnRecord> turns()
    {
        std::vector<TurnRecord> out;
        m_history->Turns(out);
        return out;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_history = std::make_unique<History>();
        QVERIFY(m_history->Open(m_dir->path().toStdString()).ok);
        m_now = Monday;
    }

    // A figure whose truth was shown (a Check or a peek) sets no record again,
    // whichever way it comes back: Restart, its code, today's figure, the
    // assessment, or a later run. A Restart before the first Check is the same
    // turn: the help bought stays paid. Steps: o open code A, d draw all,
    // c Check, r Restart, p peek, h hint, t today's figure, a start the
    // assessment, n a new session on the same history (a later run), x a
    // session without a history.
    void recordOnlyOnFirstPlay_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("record");
        QTest::addColumn<int>("helpCost");
        QTest::newRow("a first Check") << "odc" << true << 0;
        QTest::newRow("Check again within the first play") << "odcc" << true << 0;
        QTest::newRow("Restart after a Check") << "odcrdc" << false << 0;
        QTest::newRow("the code again after a Check") << "odcodc" << false << 0;
        QTest::newRow("the code again after a peek") << "odpodc" << false << 0;
        QTest::newRow("the code again in a later run") << "odcnodc" << false << 0;
        QTest::newRow("the code again, the history unavailable") << "xodcodc" << false << 0;
        QTest::newRow("today's figure again after a Check") << "tdctdc" << false << 0;
        QTest::newRow("the first assessment figure again") << "adcadc" << false << 0;
        QTest::newRow("hint, Restart, redraw: still a first play, hint paid") << "ohrdc" << true << HintCost;
        QTest::newRow("peek, Restart, redraw: first play, peek paid") << "odprdc" << true << PeekCost;
    }
    void recordOnlyOnFirstPlay()
    {
        QFETCH(QString, steps);
        QFETCH(bool, record);
        QFETCH(int, helpCost);
        auto s = session();
        TurnSession::CheckReport last;
        for (QChar step : steps) {
            switch (step.toLatin1()) {
            case 'o': s->OpenCode(CodeA); break;
            case 't': s->OpenToday(); break;
            case 'a': s->StartAssessment(); break;
            case 'd': DrawAll(*s); break;
            case 'c': last = s->Check(); break;
            case 'r': s->Restart(); break;
            case 'p': QCOMPARE(s->Peek(), TurnSession::PeekOutcome::Started); break;
            case 'h': QCOMPARE(s->Hint(std::nullopt).outcome, TurnSession::HintOutcome::Given); break;
            case 'n': s = session(); break;
            case 'x': s->SetHistory([] { return nullptr; }); break;
            }
        }
        QVERIFY(last.outcome.counts.Score() > 0);
        QCOMPARE(last.outcome.newRecord, record);
        QCOMPARE(last.recordNotForSeen, !record);
        QCOMPARE(last.outcome.help.Cost(), helpCost);
        QCOMPARE(last.outcome.finalScore, last.outcome.counts.Score() - helpCost);
        if (!steps.startsWith('x'))
            QCOMPARE(turns().back().firstPlay, record);
    }

    // One peek is one press: it costs once, P while it shows does nothing,
    // drawing ends it; with nothing drawn or after Check nothing is charged.
    void peekIsOnePress()
    {
        auto s = session();
        s->OpenCode(CodeA);
        QCOMPARE(s->Peek(), TurnSession::PeekOutcome::NothingDrawn);
        SheetInput &z = s->Board().Input(Sheet::Z);
        z.SetInputEnabled(true);
        for (const Stroke &stroke : {Stroke(1, 1, 2, 1), Stroke(1, 2, 1, 3)}) {
            const SheetStrokes before = z.Strokes();
            Draw(z, stroke);
            QVERIFY(s->StrokeFinished(Sheet::Z, before) && !s->Peeking() && !s->PeekMarks(Sheet::Z));
            QCOMPARE(s->Peek(), TurnSession::PeekOutcome::Started);
            QVERIFY(s->PeekMarks(Sheet::Z).has_value());
            QCOMPARE(s->Peek(), TurnSession::PeekOutcome::AlreadyShowing);
        }
        s->Undo();
        QVERIFY(!s->Peeking());
        s->Check();
        QCOMPARE(s->Peek(), TurnSession::PeekOutcome::Locked);
        QCOMPARE(s->Hint(std::nullopt).outcome, TurnSession::HintOutcome::Locked);
        QCOMPARE(s->LastCheck().help, (HelpUsed{0, 2}));
    }

    // A hint glows until its step is drawn; when every step is drawn or
    // shown, H says so and charges nothing.
    void hintsGlowUntilDrawnAndRunOut()
    {
        auto s = session();
        s->OpenCode(CodeA);
        const Game &g = s->Board();
        const TurnSession::HintResult first = s->Hint(Sheet::Y);
        QVERIFY(first.outcome == TurnSession::HintOutcome::Given && first.sheet == Sheet::Y);
        const std::vector<Stroke> shown = s->HintsShown(Sheet::Y);
        QCOMPARE(shown.size(), std::size_t(1));
        s->Board().Input(Sheet::Y).SetInputEnabled(true);
        Draw(s->Board().Input(Sheet::Y), shown[0]);
        QVERIFY(s->HintsShown(Sheet::Y).empty());
        int given = 1;
        while (s->Hint(std::nullopt).outcome == TurnSession::HintOutcome::Given)
            QVERIFY(++given < 400);
        QCOMPARE(s->Hint(Sheet::X).outcome, TurnSession::HintOutcome::NoneLeft);
        QCOMPARE(g.Help().hints, given);
    }

    // The player's level is theirs: a code, today's figure or a sitting shows
    // the figure's own level for that turn only; the next New, and what the
    // settings keep, is the chosen level; choosing during such a turn counts.
    void chosenLevelSurvives_data()
    {
        QTest::addColumn<char>("how");
        QTest::addColumn<int>("shown");
        QTest::newRow("a puzzle code") << 'o' << CodeA.level;
        QTest::newRow("today's figure (Monday)") << 't' << DailyPuzzle(2026, 12, 7).level;
        QTest::newRow("an assessment") << 'a' << AssessmentSet()[0].level;
    }
    void chosenLevelSurvives()
    {
        QFETCH(char, how);
        QFETCH(int, shown);
        auto s = session();
        s->StartAt(2);
        QVERIFY(!s->CurrentCode().daily);
        how == 'o' ? s->OpenCode(CodeA) : how == 't' ? s->OpenToday() : s->StartAssessment();
        QVERIFY(s->ShownLevel() == shown && s->Board().FigureLevel() == shown && s->ChosenLevel() == 2);
        if (how != 'a') {
            s->New();
            QVERIFY(s->Board().FigureLevel() == 2 && s->ShownLevel() == 2);
        }
        s->ChooseLevel(9);
        QVERIFY(s->ChosenLevel() == 9 && s->ShownLevel() == 9);
    }

    // Today's figure is the clock's UTC date, the same figure up to midnight
    // and the next one after it.
    void todayFollowsTheClock()
    {
        auto s = session();
        for (auto [now, date] : {std::pair{Monday, CivilDate{2026, 12, 7}}, {Monday + Day / 2 - 1, {2026, 12, 7}},
                                 {Monday + Day / 2, {2026, 12, 8}}}) {
            m_now = now;
            s->OpenToday();
            QVERIFY(s->CurrentCode() == DailyPuzzle(date) && s->TurnOrigin() == TurnSession::Origin::Daily);
        }
    }

    // An assessment figure's first Check is its result (a Restart and a
    // perfect redraw cannot change it); New scores a skipped figure 0; a
    // complete sitting is one sitting in the history, and two never merge.
    void assessmentCannotBeGamed()
    {
        for (int sitting = 0; sitting < 2; ++sitting) {
            auto s = session();
            s->StartAssessment();
            const TurnSession::CheckReport poor = s->Check();  // nothing drawn
            QVERIFY(poor.outcome.finalScore < 0);
            s->Restart();
            DrawAll(*s);
            QVERIFY(s->Check().outcome.finalScore > 0);
            std::optional<AssessmentResult> result;
            for (std::size_t figure = 1; figure < AssessmentSize; ++figure) {
                QCOMPARE(s->AssessmentFigure(), std::optional<std::size_t>(figure - 1));
                QVERIFY(!result);
                result = s->New();
            }
            QVERIFY(!result);
            result = s->New();  // the last figure skipped too
            QVERIFY(result && result->Complete() && !s->InAssessment() && s->TurnOrigin() == TurnSession::Origin::New);
            QCOMPARE(result->TotalScore(), static_cast<long long>(poor.outcome.finalScore));
        }
        std::vector<AssessmentSitting> sittings;
        QVERIFY(m_history->AssessmentResults({}, sittings).ok && sittings.size() == 2);
        QVERIFY(sittings[0].assessment != sittings[1].assessment);
    }

    // Every checked turn is stored once, at its first Check, marked first play
    // or not; a repeated Check adds nothing.
    void historyKeepsEveryCheckedTurn()
    {
        auto s = session();
        s->OpenCode(CodeA);
        DrawAll(*s);
        QVERIFY(s->Check().firstCheck && !s->Check().firstCheck);
        s->Restart();
        s->Check();
        const std::vector<TurnRecord> stored = turns();
        QCOMPARE(stored.size(), std::size_t(2));
        QVERIFY(stored[0].firstPlay && !stored[0].restart && stored[0].fromCode);
        QVERIFY(!stored[1].firstPlay && stored[1].restart);
        QCOMPARE(stored[0].utcSeconds, Monday);
        QCOMPARE(stored[0].puzzleCode, EncodePuzzleCode(CodeA));
    }

    // Three good turns in a row suggest the next level, but only first plays
    // count: replays of a figure already checked do not.
    void suggestionCountsFirstPlays_data()
    {
        QTest::addColumn<bool>("replays");
        QTest::newRow("three new figures") << false;
        QTest::newRow("one figure and two replays") << true;
    }
    void suggestionCountsFirstPlays()
    {
        QFETCH(bool, replays);
        auto s = session();
        s->StartAt(3);
        for (std::uint32_t turn = 0; turn < 3; ++turn) {
            turn > 0 && replays ? s->Restart() : s->OpenCode({3, 100 + turn, false});
            DrawAll(*s);
            s->Check();
        }
        QVERIFY(s->Suggestion() == (replays ? LevelSuggestion{LevelChange::None, 3} : LevelSuggestion{LevelChange::Up, 4}));
    }

    // Two copies of the game: only one holds what is kept per player, the
    // other is told so; the lock passes on when the first copy ends.
    void oneCopyHoldsTheLock()
    {
        const std::string folder = m_dir->path().toStdString();
        auto first = std::make_unique<InstanceLock>();
        InstanceLock second, nowhere;
        QVERIFY(first->TryAcquire(folder) && !second.TryAcquire(folder) && second.Error().empty());
        first.reset();
        QVERIFY(second.TryAcquire(folder));
        QVERIFY(!nowhere.TryAcquire(folder + "/no/such/folder") && !nowhere.Error().empty());
    }
};

QTEST_APPLESS_MAIN(TestTurn)
#include "tst_turn.moc"
