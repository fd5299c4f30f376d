// Puzzle codes, the daily figure, the assessment and the level suggestion: a
// code read back must give the figure it was made from, a typo must never
// silently give another figure, the daily figure must be the same for
// everyone, and a player who plays three clean turns is offered the next
// level, one who keeps missing the level below, and nobody is nagged otherwise.

#include <QtTest>

#include <chrono>
#include <climits>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "core/turn/game.h"
#include "core/codes/puzzlecode.h"
#include "core/codes/suggestion.h"
#endif

Q_DECLARE_METATYPE(PuzzleCodeError)

class TestPuzzleCode : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Over codes of levels 0..MaxLevel and seeds 0..2^32-1: the code shown for
    // a game's figure reads back to that figure, a daily code shows by its first
    // symbol, and every other symbol in any place and every swap of two
    // neighbours (the check symbol included) is refused as a typo.
    void codesReadBackAndCatchTypos()
    {
        const std::string symbols = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
        const QRegularExpression form("^[0-9A-HJKMNP-TV-Z]{4}-[0-9A-HJKMNP-TV-Z]{4}-[0-9A-HJKMNP-TV-Z]$");
        Game game;
        for (int level = 0; level <= MaxLevel; level += MaxLevel / 6)
            for (const std::uint32_t seed : {0u, 0xFFFFFFFFu, 2654435761u * std::uint32_t(level + 1)}) {
                game.Seed(seed);
                game.SetLevel(level);
                game.New();
                const PuzzleCode code{game.FigureLevel(), game.FigureSeed(), seed % 2 == 1};
                std::string text = EncodePuzzleCode(code);
                QVERIFY2(form.match(QString::fromStdString(text)).hasMatch(), text.c_str());
                const ParsedPuzzleCode back = ParsePuzzleCode(text);
                QVERIFY2(back.code && *back.code == code, text.c_str());
                const Figure figure = FigureFromCode(*back.code);
                QVERIFY(figure.SegmentCount == game.CurrentFigure().SegmentCount && figure.entry == game.CurrentFigure().entry);
                QCOMPARE(QStringLiteral("GHJKMNPQRST").contains(QChar(text[0])), code.daily);
                std::erase(text, '-');  // every single typo, and every swap of two symbols, is caught
                for (std::size_t i = 0; i < text.size(); ++i)
                    for (const char s : symbols) {
                        std::string typo = text, swapped = text;
                        typo[i] = s;
                        std::swap(swapped[i], swapped[(i + 1) % text.size()]);
                        QVERIFY2(s == text[i] || ParsePuzzleCode(typo).error == PuzzleCodeError::WrongCheck, typo.c_str());
                        QVERIFY2(swapped == text || ParsePuzzleCode(swapped).error == PuzzleCodeError::WrongCheck,
                                 swapped.c_str());
                    }
            }
    }

    // What a player may type: any case, with or without separators, O for 0
    // and I or L for 1; anything else is refused with a reason, the code
    // symbols counted as typed and the first character no code uses named.
    // "0W01-0001-B" is level 7, seed 0x00100001.
    void reading_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<PuzzleCodeError>("error");
        QTest::addColumn<int>("symbols");
        QTest::addColumn<QByteArray>("character");
        QTest::newRow("display form") << QByteArray("0W01-0001-B") << PuzzleCodeError::None << 9 << QByteArray();
        QTest::newRow("lower case, spaces, tab") << QByteArray("  0w01 0001 b\t") << PuzzleCodeError::None << 9 << QByteArray();
        QTest::newRow("I, l and o for 1 and 0") << QByteArray("OW0I-oooL-B") << PuzzleCodeError::None << 9 << QByteArray();
        QTest::newRow("only separators") << QByteArray(" - -\t") << PuzzleCodeError::Empty << 0 << QByteArray();
        QTest::newRow("three letters") << QByteArray("ABC") << PuzzleCodeError::TooShort << 3 << QByteArray();
        QTest::newRow("last symbol missing") << QByteArray("0W01-0001") << PuzzleCodeError::TooShort << 8 << QByteArray();
        QTest::newRow("one symbol too many") << QByteArray("0W01-0001-BB") << PuzzleCodeError::TooLong << 10 << QByteArray();
        QTest::newRow("code pasted twice") << QByteArray("0W01-0001-B 0W01-0001-B") << PuzzleCodeError::TooLong << 18
                                           << QByteArray();
        QTest::newRow("U, which codes leave out") << QByteArray("0W01-U001-B") << PuzzleCodeError::WrongCharacter << 8
                                                  << QByteArray("U");
        QTest::newRow("a NUL byte") << QByteArray("0W01\0" "0001B", 10) << PuzzleCodeError::WrongCharacter << 9
                                    << QByteArray(1, '\0');
        QTest::newRow("non-ASCII letter") << QByteArray("0W01-000\xc3\x84-B") << PuzzleCodeError::WrongCharacter << 8
                                          << QByteArray("\xc3\x84");
        QTest::newRow("wrong check symbol") << QByteArray("0W01-0001-7") << PuzzleCodeError::WrongCheck << 9 << QByteArray();
        QTest::newRow("sound code of level 85, from a later version")
            << QByteArray("AM00-0000-0") << PuzzleCodeError::LevelOutOfRange << 9 << QByteArray();
    }
    void reading()
    {
        QFETCH(QByteArray, typed);
        QFETCH(PuzzleCodeError, error);
        const ParsedPuzzleCode read = ParsePuzzleCode(std::string_view(typed.constData(), std::size_t(typed.size())));
        QCOMPARE(read.error, error);
        QTEST(read.symbols, "symbols");
        QTEST(QByteArray::fromStdString(read.character), "character");
        QVERIFY(error != PuzzleCodeError::None || *read.code == (PuzzleCode{7, 0x00100001u, false}));
    }

    // Everyone gets the same daily figure on a UTC date, whatever the version,
    // and another one the next day.
    void dailyCodeIsFixedPerDate_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("code");
        QTest::newRow("Monday 2024-01-01, first second") << qint64(1704067200) << "GD3T-9HKC-M";
        QTest::newRow("Tuesday 2024-01-02: a new figure every day") << qint64(1704153600) << "GXCP-SB9R-A";
        QTest::newRow("Thursday 2024-02-29, last second") << qint64(1709251199) << "HKDR-R16A-A";
        QTest::newRow("Sunday 2030-12-29") << qint64(1924776000) << "K701-E4EY-5";
    }
    void dailyCodeIsFixedPerDate()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, code);
        const CivilDate date = UtcDate(std::chrono::system_clock::time_point{std::chrono::seconds{seconds}});
        QCOMPARE(QString::fromStdString(EncodePuzzleCode(DailyPuzzle(date))), code);
        QCOMPARE(DailyPuzzle(2024, 2, 31), DailyPuzzle(2024, 2, 29));  // an impossible date is clamped
    }

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

QTEST_APPLESS_MAIN(TestPuzzleCode)
#include "tst_puzzlecode.moc"
