// Puzzle codes, the daily figure and the assessment set: a code read back must
// give the figure it was made from, a typo must never silently give another
// figure, and the daily and assessment figures must be the same for everyone.

#include <QtTest>

#include <chrono>
#include <string>
#include <vector>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "game/game.h"
#include "progress/assessment.h"
#include "progress/puzzlecode.h"
#endif

Q_DECLARE_METATYPE(PuzzleCodeError)

namespace {

// The 32 symbols a code may hold, written out from the format.
const std::string Symbols = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";

std::string Bare(std::string text)
{
    std::erase(text, '-');
    return text;
}

// A spread of codes: every level, both kinds, seeds from 0 to 2^32 - 1.
std::vector<PuzzleCode> ManyCodes(int perLevel)
{
    std::vector<PuzzleCode> codes;
    for (int level = 0; level <= MaxLevel; ++level)
        for (int k = 0; k < perLevel; ++k) {
            const auto spread = static_cast<std::uint32_t>(k) * 2654435761u + static_cast<std::uint32_t>(level);
            const std::uint32_t seed = k == 0 ? 0u : k == 1 ? 0xFFFFFFFFu : spread;
            codes.push_back({level, seed, (k + level) % 2 == 0});
        }
    return codes;
}

QString Show(const PuzzleCode &c)
{
    return QStringLiteral("level %1 seed %2 daily %3").arg(c.level).arg(c.seed).arg(c.daily);
}

} // namespace

class TestPuzzleCode : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyCodeReadsBackAndShowsItsKind()
    {
        const QString symbol = QStringLiteral("[0-9A-HJKMNP-TV-Z]");
        const QRegularExpression form("^" + symbol + "{4}-" + symbol + "{4}-" + symbol + "$");
        for (const PuzzleCode &code : ManyCodes(40)) {
            const std::string text = EncodePuzzleCode(code);
            QVERIFY2(form.match(QString::fromStdString(text)).hasMatch(), text.c_str());
            const ParsedPuzzleCode back = ParsePuzzleCode(text);
            QVERIFY2(back.code && *back.code == code, qPrintable(Show(code) + " read as " + back.message.c_str()));
            // A player can tell a daily code by its first character.
            QCOMPARE(QStringLiteral("GHJKMNPQRST").contains(QChar(text[0])), code.daily);
        }
    }

    // The code of the figure a game is about to build gives that very figure.
    void codeGivesTheGamesFigure()
    {
        Game game;
        for (const PuzzleCode &code : ManyCodes(3)) {
            game.Seed(code.seed);
            game.SetLevel(code.level);
            game.New();
            const PuzzleCode shown{game.FigureLevel(), game.FigureSeed(), false};
            const ParsedPuzzleCode read = ParsePuzzleCode(EncodePuzzleCode(shown));
            QVERIFY(read.code);
            const Figure figure = FigureFromCode(*read.code);
            QVERIFY2(figure.SegmentCount == game.figure().SegmentCount && figure.entry == game.figure().entry,
                     qPrintable(Show(shown)));
        }
    }

    // Exhaustive: every other symbol in every place, every swap of two
    // neighbouring symbols (the check symbol included), over 340 codes.
    void everyTypoAndSwapIsCaught()
    {
        int tried = 0;
        for (const PuzzleCode &code : ManyCodes(4)) {
            const std::string good = Bare(EncodePuzzleCode(code));
            for (std::size_t i = 0; i < good.size(); ++i) {
                for (const char s : Symbols) {
                    if (s == good[i])
                        continue;
                    std::string typo = good;
                    typo[i] = s;
                    QVERIFY2(ParsePuzzleCode(typo).error == PuzzleCodeError::WrongCheck, typo.c_str());
                    ++tried;
                }
                if (i + 1 < good.size() && good[i] != good[i + 1]) {
                    std::string swapped = good;
                    std::swap(swapped[i], swapped[i + 1]);
                    QVERIFY2(ParsePuzzleCode(swapped).error == PuzzleCodeError::WrongCheck, swapped.c_str());
                    ++tried;
                }
            }
        }
        QVERIFY(tried > 90000);
    }

    // What a player may type: the code in any case, with or without
    // separators, O for 0 and I or L for 1; anything else is refused with a
    // reason. "0W01-0001-B" is level 7, seed 0x00100001.
    void reading_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<PuzzleCodeError>("error");
        QTest::newRow("display form") << QByteArray("0W01-0001-B") << PuzzleCodeError::None;
        QTest::newRow("lower case, spaces, tab") << QByteArray("  0w01 0001 b\t") << PuzzleCodeError::None;
        QTest::newRow("I, l and o for 1 and 0") << QByteArray("OW0I-oooL-B") << PuzzleCodeError::None;
        QTest::newRow("nothing typed") << QByteArray() << PuzzleCodeError::Empty;
        QTest::newRow("only separators") << QByteArray(" - -\t") << PuzzleCodeError::Empty;
        QTest::newRow("last symbol missing") << QByteArray("0W01-0001") << PuzzleCodeError::TooShort;
        QTest::newRow("one symbol more") << QByteArray("0W01-0001-B0") << PuzzleCodeError::TooLong;
        QTest::newRow("code pasted twice") << QByteArray("0W01-0001-B 0W01-0001-B") << PuzzleCodeError::TooLong;
        QTest::newRow("U is not a symbol") << QByteArray("0W01-0U01-B") << PuzzleCodeError::WrongCharacter;
        QTest::newRow("punctuation") << QByteArray("0W01.0001.B") << PuzzleCodeError::WrongCharacter;
        QTest::newRow("a NUL byte") << QByteArray("0W01\0" "0001B", 10) << PuzzleCodeError::WrongCharacter;
        QTest::newRow("non-ASCII letter") << QByteArray("0W01-000\xc3\x84-B") << PuzzleCodeError::WrongCharacter;
        QTest::newRow("wrong check symbol") << QByteArray("0W01-0001-7") << PuzzleCodeError::WrongCheck;
    }
    void reading()
    {
        QFETCH(QByteArray, typed);
        QFETCH(PuzzleCodeError, error);
        const ParsedPuzzleCode read = ParsePuzzleCode(std::string_view(typed.constData(), std::size_t(typed.size())));
        QCOMPARE(read.error, error);
        QCOMPARE(read.message.empty(), error == PuzzleCodeError::None);
        if (error == PuzzleCodeError::None)
            QCOMPARE(*read.code, (PuzzleCode{7, 0x00100001u, false}));
    }

    // A sound code for a level this version lacks (from a later version, say):
    // of the 32 possible check symbols exactly one fits, and that one is
    // refused for its level; level 84 is still accepted.
    void levelOutOfRange_data()
    {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<int>("level");
        QTest::newRow("level 84, seed 0") << "AG000000" << 84;
        QTest::newRow("level 85, seed 0") << "AM000000" << 85;
        QTest::newRow("daily, level 127, seed 2^32 - 1") << "ZZZZZZZZ" << 127;
    }
    void levelOutOfRange()
    {
        QFETCH(QString, payload);
        QFETCH(int, level);
        std::vector<ParsedPuzzleCode> fitting;
        for (const char s : Symbols) {
            ParsedPuzzleCode read = ParsePuzzleCode(payload.toStdString() + s);
            if (read.error != PuzzleCodeError::WrongCheck)
                fitting.push_back(read);
        }
        QCOMPARE(fitting.size(), std::size_t(1));
        if (level <= MaxLevel) {
            QVERIFY(fitting[0].code);
            QCOMPARE(fitting[0].code->level, level);
        } else {
            QCOMPARE(fitting[0].error, PuzzleCodeError::LevelOutOfRange);
            QVERIFY(fitting[0].message.find(std::to_string(level)) != std::string::npos);
        }
    }

    void dailyCodeIsFixedPerDate_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("code");
        QTest::newRow("Monday 2024-01-01") << 2024 << 1 << 1 << "GD3T-9HKC-M";
        QTest::newRow("Thursday 2024-02-29") << 2024 << 2 << 29 << "HKDR-R16A-A";
        QTest::newRow("Sunday 2030-12-29") << 2030 << 12 << 29 << "K701-E4EY-5";
        QTest::newRow("day 31 of February is its last day") << 2024 << 2 << 31 << "HKDR-R16A-A";
    }
    void dailyCodeIsFixedPerDate()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QString, code);
        QCOMPARE(QString::fromStdString(EncodePuzzleCode(DailyPuzzle(year, month, day))), code);
    }

    // Four years of days: each daily figure is daily, differs from the day
    // before, and Monday's is easier than the Sunday after it.
    void dailyCodeChangesEveryDay()
    {
        using namespace std::chrono;
        std::string before;
        int monday = -1;
        for (sys_days d = sys_days{2024y / January / 1}; d < sys_days{2028y / January / 1}; d += days{1}) {
            const year_month_day ymd{d};
            const PuzzleCode code = DailyPuzzle(int(ymd.year()), int(unsigned(ymd.month())), int(unsigned(ymd.day())));
            const std::string text = EncodePuzzleCode(code);
            QVERIFY(code.daily && code.level >= 0 && code.level <= MaxLevel);
            QVERIFY2(text != before, text.c_str());
            before = text;
            if (weekday{d} == Monday)
                monday = code.level;
            else if (weekday{d} == Sunday)
                QVERIFY2(monday < code.level, text.c_str());
        }
    }

    void todayIsTheUtcDate_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::newRow("the epoch") << qint64(0) << 1970 << 1 << 1;
        QTest::newRow("a second before the epoch") << qint64(-1) << 1969 << 12 << 31;
        QTest::newRow("last second of a leap day") << qint64(1709251199) << 2024 << 2 << 29;
        QTest::newRow("midnight after it") << qint64(1709251200) << 2024 << 3 << 1;
    }
    void todayIsTheUtcDate()
    {
        QFETCH(qint64, seconds);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        const std::chrono::system_clock::time_point when{std::chrono::seconds{seconds}};
        QCOMPARE(UtcDate(when), (CivilDate{year, month, day}));
    }

    // The assessment must never change between versions.
    void assessmentSetIsFixed()
    {
        const QStringList golden{"00J3-YTM8-R", "062T-626K-T", "0C9H-K2HE-Y", "0R1Q-0WT4-9",
                                 "1AJ0-JE12-3", "1WMS-YCEG-E", "2M42-XYMR-7", "3KP4-WV49-2",
                                 "4H2J-G8F6-M", "5MWD-04VQ-P", "6YZ5-8SPF-D", "88TE-J33C-Y"};
        QStringList codes;
        int lastLevel = -1;
        for (const PuzzleCode &code : AssessmentSet()) {
            codes << QString::fromStdString(EncodePuzzleCode(code));
            QVERIFY(!code.daily && code.level > lastLevel);
            lastLevel = code.level;
        }
        QCOMPARE(codes, golden);
    }

    void assessmentTotals()
    {
        AssessmentResult result;
        result.Record(0, 40, 30);
        result.Record(1, -12, 50);
        result.Record(1, 25, 70);   // a figure done again replaces the first try
        result.Record(12, 999, 9);  // no such figure
        result.Record(11, 5, -3);
        QCOMPARE(result.FiguresDone(), 3);
        QVERIFY(!result.Complete());
        QCOMPARE(result.TotalScore(), 70LL);
        QCOMPARE(result.TotalSeconds(), 100LL);
    }
};

QTEST_APPLESS_MAIN(TestPuzzleCode)
#include "tst_puzzlecode.moc"
