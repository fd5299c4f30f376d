// The coach's rating: it rises after a perfect turn and falls after an empty
// one, only first plays move it, and every checked turn records it; its
// predictions stay in 0..1 for any figure; fitting recovers the weights that
// made a synthetic history; "Choose figures for me" hits its target; and the
// level suggestion passes from the staircase to the rating.

#include <QtTest>

#ifndef Q_MOC_RUN
#include "core/turn/turnsession.h"
#include "coretest.h"
#endif

#include <random>

namespace {

constexpr std::int64_t Day = 20794;  // a Monday

struct Played {
    QTemporaryDir dir;
    History history;
    TurnSession session{[] { return Day * 86400 + 43200; }};
    Played()
    {
        history.Open(dir.path().toStdString());
        session.SetHistory([this] { return &history; });
    }
    TurnRecord Last()
    {
        std::vector<TurnRecord> turns;
        history.Turns(turns);
        return turns.empty() ? TurnRecord{} : turns.back();
    }
};

} // namespace

class TestCoach : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ratingFollowsFirstPlays_data()
    {
        QTest::addColumn<QString>("turn");
        QTest::addColumn<int>("moves");  // +1 up, -1 down, 0 unchanged
        QTest::addColumn<double>("accuracy");
        QTest::newRow("perfect") << "perfect" << 1 << 1.0;
        QTest::newRow("empty") << "empty" << -1 << 0.0;
        QTest::newRow("perfect, played again") << "again" << 0 << 1.0;
        QTest::newRow("hint after two strokes") << "hint" << 1 << 1.0;
    }
    void ratingFollowsFirstPlays()
    {
        QFETCH(QString, turn);
        Played p;
        TurnSession &s = p.session;
        s.OpenCode({12, 0xC0FFEEu, false});
        if (turn == "again") {
            s.Check();
            s.Restart();
        }
        const double before = s.Rating(Exercise::Views);
        const double predicted = s.Predicted();
        for (Sheet sheet : AllSheets) {
            if (turn == "hint" && sheet == Sheet::Z)
                QCOMPARE(s.Hint(Sheet::Z).outcome, TurnSession::HintOutcome::Given);  // after two strokes
            if (turn != "empty")
                DrawSheet(s, sheet);
        }
        s.Check();
        const TurnRecord t = p.Last();
        QFETCH(double, accuracy);
        QCOMPARE(t.accuracy, accuracy);
        QVERIFY(t.predicted && t.rating);
        QCOMPARE(*t.predicted, predicted);
        QCOMPARE(*t.rating, s.Rating(Exercise::Views));
        QFETCH(int, moves);
        QCOMPARE((*t.rating > before) - (*t.rating < before), moves);
        if (moves != 0)
            QCOMPARE(*t.rating, RatedAfter(before, predicted, accuracy));
        QCOMPARE(t.helpSeconds.has_value(), turn == "hint");
        QCOMPARE(t.helpStrokes.value_or(-1), turn == "hint" ? 2 : -1);
        // The build exercise keeps its own rating.
        QCOMPARE(s.Rating(Exercise::Build), StartRating);
        // A later run carries the rating on.
        TurnSession later;
        later.SetHistory([&p] { return &p.history; });
        QCOMPARE(later.Rating(Exercise::Views), *t.rating);
    }

    void predictionsStayInRange()
    {
        std::mt19937 random(7);
        const DifficultyWeights wild{5, {-1, 2, -0.5, 1}};
        for (int level = 0; level <= MaxLevel; ++level) {
            const FigureFeatures f = FeaturesOf(level, static_cast<std::uint32_t>(random()));
            QCOMPARE(f.shown, level + 3);
            for (double rating : {-40.0, StartRating, 40.0})
                for (const DifficultyWeights &w : {DefaultWeights, wild}) {
                    const double e = ExpectedAccuracy(rating, Difficulty(f, w));
                    QVERIFY2(e >= 0 && e <= 1, qPrintable(QString::number(e)));
                }
        }
    }

    void fittingRecoversWeights()
    {
        const DifficultyWeights truth{-1.2, {0.03, 0.08, 0.002, 0.015}};
        std::mt19937 random(11);
        std::uniform_real_distribution<double> ratings(-1.0, 3.0);
        std::vector<RatedTurn> turns;
        for (int i = 0; i < 1500; ++i) {
            const FigureFeatures f = FeaturesOf(static_cast<int>(random() % (MaxLevel + 1)), static_cast<std::uint32_t>(random()));
            const double r = ratings(random);
            // Sixty sample points per turn, each right with the model's chance.
            std::binomial_distribution<int> right(60, ExpectedAccuracy(r, Difficulty(f, truth)));
            turns.push_back({f, r, right(random) / 60.0});
        }
        const DifficultyWeights fitted = FitWeights(turns);
        QVERIFY(fitted != DefaultWeights);
        QVERIFY2(std::abs(fitted.bias - truth.bias) < 0.15, qPrintable(QString::number(fitted.bias)));
        const std::array<double, FeatureCount> tolerance{0.01, 0.02, 0.001, 0.01};
        for (std::size_t k = 0; k < FeatureCount; ++k)
            QVERIFY2(std::abs(fitted.w[k] - truth.w[k]) < tolerance[k],
                     qPrintable(QStringLiteral("weight %1: %2").arg(k).arg(fitted.w[k])));
        // Too short a history keeps the weights it was given.
        QCOMPARE(FitWeights(std::span(turns).first(MinTurnsToFit - 1)), DefaultWeights);
    }

    void choosingFiguresHitsTheTarget_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("alwaysRight");
        QTest::newRow("60% from level 0, one sheet every other turn") << 60 << 0 << false;
        QTest::newRow("75% from level 30, one sheet every other turn") << 75 << 30 << false;
        QTest::newRow("90% from level 84, always right") << 90 << 84 << true;
    }
    void choosingFiguresHitsTheTarget()
    {
        QFETCH(int, target);
        QFETCH(int, level);
        QFETCH(bool, alwaysRight);
        Played p;
        TurnSession &s = p.session;
        s.SetCoach(true, target);
        s.StartAt(level);
        for (int turn = 0; turn < 12; ++turn) {
            QVERIFY2(std::abs(s.Predicted() - target / 100.0) <= ChoiceTolerance,
                     qPrintable(QString::number(s.Predicted())));
            QCOMPARE(s.ShownLevel(), s.Board().FigureLevel());
            QCOMPARE(s.ChosenLevel(), level);
            QCOMPARE(s.TurnOrigin(), TurnSession::Origin::New);
            // A player who never misses outgrows even the longest walk's 60%,
            // one who keeps missing the simplest frame's 90%: these players
            // keep their rating where figures can meet the target.
            for (Sheet sheet : AllSheets)
                if (alwaysRight || turn % 2 == 0 || sheet == Sheet::X)
                    DrawSheet(s, sheet);
            s.Check();
            QVERIFY(s.FirstPlay());
            s.New();
        }
        // Off, New is the level's random figure again.
        s.SetCoach(false, target);
        s.New();
        QCOMPARE(s.Board().FigureLevel(), level);
    }

    void suggestionPassesToTheRating()
    {
        Played p;
        TurnSession &s = p.session;
        s.StartAt(0);
        for (int turn = 0; turn < RatedTurnsToSuggest; ++turn) {
            QVERIFY(!s.Suggestion().byRating);
            DrawAll(s);
            s.Check();
            s.New();
        }
        // Ten perfect turns at level 0: the rating suggests a harder level.
        QVERIFY(s.Suggestion().byRating);
        QCOMPARE(s.Suggestion().change, LevelChange::Up);
        QCOMPARE(s.Suggestion().level, LevelForTarget(s.Rating(Exercise::Views), DefaultWeights, 0.75));
    }
};

QTEST_APPLESS_MAIN(TestCoach)
#include "tst_coach.moc"
