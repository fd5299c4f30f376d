// The level suggestion: the rows follow the rule as the manual states it, so a
// player who plays three clean turns is offered the next level, one who keeps
// missing is offered the level below, and nobody is nagged otherwise.

#include <QtTest>

#include <vector>

#include "progress/suggestion.h"

Q_DECLARE_METATYPE(std::vector<RecentTurn>)
Q_DECLARE_METATYPE(LevelChange)

namespace {

RecentTurn Turn(int level, int right, int wrong, bool help = false)
{
    return {level, right, wrong, right - wrong, help};
}

std::vector<RecentTurn> Times(int n, RecentTurn turn) { return std::vector<RecentTurn>(std::size_t(n), turn); }

std::vector<RecentTurn> operator+(std::vector<RecentTurn> a, const std::vector<RecentTurn> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

class TestSuggestion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rule_data()
    {
        QTest::addColumn<std::vector<RecentTurn>>("turns");
        QTest::addColumn<int>("current");
        QTest::addColumn<LevelChange>("change");
        QTest::addColumn<int>("level");
        const RecentTurn good = Turn(5, 90, 10);  // exactly 90%
        const RecentTurn poor = Turn(5, 49, 51);
        QTest::newRow("three at 90% go up") << Times(3, good) << 5 << LevelChange::Up << 6;
        QTest::newRow("only the last three count") << Times(1, poor) + Times(3, good) << 5 << LevelChange::Up << 6;
        QTest::newRow("two are not enough") << Times(2, good) << 5 << LevelChange::None << 5;
        QTest::newRow("just under 90% stays")
            << Times(2, good) + Times(1, Turn(5, 89, 11)) << 5 << LevelChange::None << 5;
        QTest::newRow("help on one turn stays") << Times(2, good) + Times(1, Turn(5, 100, 0, true)) << 5
                                                << LevelChange::None << 5;
        QTest::newRow("a turn at another level breaks the run")
            << Times(1, good) + Times(1, Turn(4, 30, 0)) + Times(1, good) << 5 << LevelChange::None << 5;
        QTest::newRow("the level was changed since") << Times(3, good) << 6 << LevelChange::None << 6;
        QTest::newRow("no turns yet") << std::vector<RecentTurn>{} << 5 << LevelChange::None << 5;
        QTest::newRow("top level stays") << Times(3, Turn(84, 50, 0)) << 84 << LevelChange::None << 84;
        QTest::newRow("three under half go down") << Times(3, poor) << 5 << LevelChange::Down << 4;
        QTest::newRow("help does not hide poor turns")
            << Times(3, Turn(5, 10, 40, true)) << 5 << LevelChange::Down << 4;
        QTest::newRow("nothing drawn is poor") << Times(3, Turn(5, 0, 26)) << 5 << LevelChange::Down << 4;
        QTest::newRow("exactly half stays")
            << Times(2, poor) + Times(1, Turn(5, 50, 50)) << 5 << LevelChange::None << 5;
        QTest::newRow("good and poor mixed") << Times(2, poor) + Times(1, good) << 5 << LevelChange::None << 5;
        QTest::newRow("level 0 stays") << Times(3, Turn(0, 0, 20)) << 0 << LevelChange::None << 0;
        QTest::newRow("damaged counts suggest nothing")
            << Times(3, Turn(5, -5, -5)) << 5 << LevelChange::None << 5;
        QTest::newRow("huge counts do not overflow") << Times(3, Turn(5, 2147483647, 1)) << 5 << LevelChange::Up << 6;
    }
    void rule()
    {
        QFETCH(std::vector<RecentTurn>, turns);
        QFETCH(int, current);
        QFETCH(LevelChange, change);
        QFETCH(int, level);
        QCOMPARE(SuggestLevel(turns, current), (LevelSuggestion{change, level}));
    }
};

QTEST_APPLESS_MAIN(TestSuggestion)
#include "tst_suggestion.moc"
