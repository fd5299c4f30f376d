// The level suggestion: the rows follow the rule as the manual states it, so a
// player who plays three clean turns is offered the next level, one who keeps
// missing is offered the level below, and nobody is nagged otherwise.

#include <QtTest>

#include <climits>
#include <vector>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "figure/figure.h"
#include "progress/suggestion.h"
#endif

class TestSuggestion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Turns oldest first, one letter each: g 90% right, j 89%, h 100% with help,
    // p 49%, P 20% with help, n nothing right, e exactly half, o a good turn at
    // level 4, t 100% at the top level, z nothing right at level 0, d damaged
    // counts, H counts near INT_MAX.
    void rule_data()
    {
        QTest::addColumn<QString>("turns");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("offered");  // the current level: nothing offered
        QTest::newRow("three at 90% go up") << "ggg" << 5 << 6;
        QTest::newRow("only the last three count") << "pggg" << 5 << 6;
        QTest::newRow("two are not enough") << "gg" << 5 << 5;
        QTest::newRow("just under 90% stays") << "ggj" << 5 << 5;
        QTest::newRow("help on one turn stays") << "ggh" << 5 << 5;
        QTest::newRow("a turn at another level breaks the run") << "gog" << 5 << 5;
        QTest::newRow("the level was changed since") << "ggg" << 6 << 6;
        QTest::newRow("no turns yet") << "" << 5 << 5;
        QTest::newRow("top level stays") << "ttt" << MaxLevel << MaxLevel;
        QTest::newRow("three under half go down") << "ppp" << 5 << 4;
        QTest::newRow("help does not hide poor turns") << "PPP" << 5 << 4;
        QTest::newRow("nothing right is poor") << "nnn" << 5 << 4;
        QTest::newRow("exactly half stays") << "ppe" << 5 << 5;
        QTest::newRow("good and poor mixed") << "ppg" << 5 << 5;
        QTest::newRow("level 0 stays") << "zzz" << 0 << 0;
        QTest::newRow("damaged counts suggest nothing") << "ddd" << 5 << 5;
        QTest::newRow("huge counts do not overflow") << "HHH" << 5 << 6;
    }
    void rule()
    {
        QFETCH(QString, turns);
        QFETCH(int, current);
        QFETCH(int, offered);
        const QHash<QChar, RecentTurn> kind{
            {'g', {5, 90, 10, 80, false}}, {'j', {5, 89, 11, 78, false}}, {'h', {5, 100, 0, 100, true}},
            {'p', {5, 49, 51, -2, false}}, {'P', {5, 10, 40, -30, true}}, {'n', {5, 0, 26, -26, false}},
            {'e', {5, 50, 50, 0, false}},  {'o', {4, 30, 0, 30, false}},  {'t', {MaxLevel, 50, 0, 50, false}},
            {'z', {0, 0, 20, -20, false}}, {'d', {5, -5, -5, 0, false}},  {'H', {5, INT_MAX, 1, INT_MAX, false}}};
        std::vector<RecentTurn> recent;
        for (QChar c : turns)
            recent.push_back(kind[c]);
        const LevelChange change = offered > current ? LevelChange::Up
                                   : offered < current ? LevelChange::Down
                                                       : LevelChange::None;
        QCOMPARE(SuggestLevel(recent, current), (LevelSuggestion{change, offered}));
    }
};

QTEST_APPLESS_MAIN(TestSuggestion)
#include "tst_suggestion.moc"
