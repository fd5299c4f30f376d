// The turn history (history.sqlite) a player keeps for years, with the
// statistics it feeds: older files brought up to date without losing a turn,
// damage, a read-only folder, another copy holding the file, a game killed
// while writing, and the numbers the statistics window shows. Whatever happens
// the game says what is wrong and never loses or mixes up what is stored.

#include "filetesting.h"

#include <sqlite3.h>

#include <csignal>
#include <map>
#include <set>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "core/codes/assessment.h"
#include "core/storage/history.h"
#endif

namespace {

constexpr std::int64_t Day = 86400;
constexpr std::int64_t Noon = 20793 * Day + 12 * 3600;  // 2026-12-06 12:00 UTC

// A turn with every field set, the help and flags varying with the score.
TurnRecord Turn(std::int64_t utc, int level, int finalScore, std::string code = "C-1")
{
    TurnRecord t{utc, std::move(code), level, 60 + level, {TurnTally{5, 1, 4}, {3, 3, 0}, {2, 6, -4}}, {10, 10, 0}};
    t.hintsUsed = finalScore % 3, t.peeksUsed = finalScore % 5, t.helpCost = finalScore % 7;
    t.restart = finalScore % 2, t.fromCode = finalScore % 3 == 1, t.daily = finalScore % 4 == 2;
    t.finalScore = finalScore;
    return t;
}

TurnRecord Replay(TurnRecord t)
{
    t.firstPlay = false;
    return t;
}

TurnRecord Built(TurnRecord t)
{
    t.exercise = Exercise::Build;
    return t;
}

// Runs SQL on the file with a connection of its own, as another program would.
bool Sql(const std::string &file, const std::string &sql)
{
    sqlite3 *db = nullptr;
    const bool ok = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
                    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

QString Describe(const HistoryStatus &s) { return QString::fromStdString(DescribeHistoryStatus(s)); }

} // namespace

class TestHistory : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::string folder() const { return m_dir->path().toStdString(); }
    std::string file() const { return m_dir->filePath("history.sqlite").toStdString(); }
    QStringList broken() const { return QDir(m_dir->path()).entryList({"history.sqlite.broken-*"}, QDir::Files); }
    std::vector<TurnRecord> turns(History &h)
    {
        std::vector<TurnRecord> out;
        h.Turns(out);
        return out;
    }
    // The statistics of the filter's levels and exercise over all time, read
    // from the day sums, are those of counting its turns one by one.
    void sumsMatchTurns(History &h, HistoryFilter f)
    {
        f.period = HistoryPeriod::All;
        std::int64_t count = 0;
        std::vector<DayScore> days;
        std::array<SheetAccuracy, 3> sheets{};
        std::vector<LevelSeconds> levels;
        QVERIFY(h.TurnCount(f, count).ok && h.ScoreByDay(f, days, 1).ok && h.AccuracyBySheet(f, sheets).ok &&
                h.SecondsByLevel(f, levels).ok);
        std::int64_t n = 0;
        std::map<std::int64_t, std::pair<int, double>> byDay;  // turns, score
        std::map<int, std::pair<int, double>> byLevel;         // turns, seconds
        std::array<std::int64_t, 3> right{}, wrong{};
        for (const TurnRecord &t : turns(h)) {
            if (t.level < f.minLevel || t.level > f.maxLevel || (f.exercise && t.exercise != *f.exercise))
                continue;
            ++n;
            byDay[t.utcSeconds / Day].first++, byDay[t.utcSeconds / Day].second += t.finalScore;
            byLevel[t.level].first++, byLevel[t.level].second += t.seconds;
            for (std::size_t s = 0; s < 3; ++s)
                right[s] += t.sheets[s].right, wrong[s] += t.sheets[s].wrong;
        }
        QCOMPARE(count, n);
        QCOMPARE(days.size(), byDay.size());
        for (const DayScore &d : days)
            QVERIFY(d.turns == byDay[d.day].first && d.averageScore == byDay[d.day].second / d.turns);
        QCOMPARE(levels.size(), byLevel.size());
        for (const LevelSeconds &l : levels)
            QVERIFY(l.turns == byLevel[l.level].first && l.averageSeconds == byLevel[l.level].second / l.turns);
        for (std::size_t s = 0; s < 3; ++s)
            QVERIFY(sheets[s].right == right[s] && sheets[s].wrong == wrong[s]);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // A file as the first version wrote it (totals only) is upgraded in
    // place; every turn reads back after reopening, whatever the code holds.
    void migratesAndReadsBack()
    {
        QVERIFY(Sql(file(), "CREATE TABLE turns(id INTEGER PRIMARY KEY, utc INTEGER, code TEXT, level INTEGER,"
                            " seconds INTEGER, total_right INTEGER, total_wrong INTEGER, total_score INTEGER,"
                            " restart INTEGER, from_code INTEGER, daily INTEGER);"
                            "INSERT INTO turns VALUES(1, 1700000000, 'old-a', 3, 95, 40, 5, 35, 0, 1, 0);"
                            "PRAGMA user_version = 1;"));
        // No help back then: the total was the final score.
        std::vector<TurnRecord> written{{1700000000, "old-a", 3, 95, {}, {40, 5, 35}, 0, 0, 0, 35, false, true}};
        written[0].accuracy = 40.0 / 45;  // from its counts; no rating, no tries counted back then
        {
            History h;
            const HistoryStatus opened = h.Open(folder());
            QVERIFY2(opened.ok && opened.error == HistoryError::None, qPrintable(Describe(opened)));
            for (int i = 0; i < 4; ++i) {
                written.push_back(Turn(Noon + i * 3601, i, 100 - i, "a,\"b\"\r\nc \xC3\xB6" + std::to_string(i)));
                written.back().assessment = i == 3 ? 1234567890123 : 0;
                written.back().firstPlay = i % 2 == 0;
                written.back().exercise = i == 1 ? Exercise::Build : Exercise::Views;
                written.back().accuracy = 0.25 * i;
                if (i != 0)
                    written.back().predicted = 0.1 * i, written.back().rating = 0.5 - i;
                if (i == 2)
                    written.back().helpSeconds = 12, written.back().helpStrokes = 0;
                QVERIFY(h.Append(written.back()).ok);
            }
        }
        History h;
        QVERIFY(h.Open(folder()).ok);
        QVERIFY(turns(h) == written);
        QVERIFY(broken().isEmpty());
    }

    // A file of version 3 or 4 gains what the present version keeps, from
    // what it holds: a restart was no first play; every old turn drew the
    // views; the figures seen (for version 3, those of the codes) are seen in
    // both exercises; an assessment whose turns cover all twelve figures is a
    // sitting, scored by the first turn of each figure, and one left after
    // three is not; best turns count first plays alone, old days included,
    // whatever sums the file kept; the sums agree with the turns, before and
    // after turns of both exercises are added.
    void migratesOlderFiles_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("version 3") << 3;
        QTest::newRow("version 4") << 4;
    }
    void migratesOlderFiles()
    {
        QFETCH(int, version);
        std::string sql = "CREATE TABLE turns(id INTEGER PRIMARY KEY, utc INTEGER NOT NULL, code TEXT NOT NULL";
        for (const char *c : {"level", "seconds", "x_right", "x_wrong", "x_score", "y_right", "y_wrong", "y_score",
                              "z_right", "z_wrong", "z_score", "total_right", "total_wrong", "total_score", "hints",
                              "peeks", "help_cost", "final_score", "restart", "from_code", "daily", "assessment"})
            sql += std::string(", ") + c + " INTEGER NOT NULL DEFAULT 0";
        // Sums whose best scores count restarts too, as version 3 kept them.
        sql += ");"
               "CREATE TABLE day_levels(day INTEGER, level INTEGER, turns INTEGER NOT NULL, final_score INTEGER NOT NULL,"
               " best_score INTEGER, seconds INTEGER NOT NULL, x_right INTEGER NOT NULL, x_wrong INTEGER NOT NULL,"
               " y_right INTEGER NOT NULL, y_wrong INTEGER NOT NULL, z_right INTEGER NOT NULL, z_wrong INTEGER NOT NULL,"
               " UNIQUE(day, level));"
               "CREATE TRIGGER turns_into_day_levels AFTER INSERT ON turns BEGIN INSERT INTO day_levels"
               " VALUES(new.utc / 86400, new.level, 1, new.final_score, new.final_score, new.seconds, 0, 0, 0, 0, 0, 0)"
               " ON CONFLICT(day, level) DO UPDATE SET turns = turns + 1, final_score = final_score + excluded.final_score,"
               " best_score = max(best_score, excluded.best_score), seconds = seconds + excluded.seconds; END;";
        const auto insert = [&](std::int64_t utc, const std::string &code, int level, int score, bool restart,
                                int assessment) {
            sql += "INSERT INTO turns(utc, code, level, seconds, final_score, restart, assessment) VALUES(" +
                   std::to_string(utc) + ", '" + code + "', " + std::to_string(level) + ", 10, " +
                   std::to_string(score) + ", " + std::to_string(restart) + ", " + std::to_string(assessment) + ");";
        };
        const auto &set = AssessmentSet();
        for (int f = 0; f < 12; ++f) {
            const PuzzleCode &figure = set[static_cast<std::size_t>(f)];
            insert(Noon + f * 60, EncodePuzzleCode(figure), figure.level, f, false, 77);
            if (f < 3)  // yesterday's stub
                insert(Noon - Day + f * 60, EncodePuzzleCode(figure), figure.level, 20 + f, false, 88);
        }
        insert(Noon + 800, EncodePuzzleCode(set[0]), set[0].level, 100, true, 77);  // figure 1 again: ignored
        const std::string five = EncodePuzzleCode({5, 0xFFFFFFFF, false});
        insert(Noon + 2000, five, 5, 50, false, 0);
        insert(Noon + 3000, five, 5, 90, true, 0);
        insert(Noon + 4000, "old-a", 5, 10, false, 0);
        if (version == 4)  // the seen figures and the sitting as version 4 kept them
            sql += "ALTER TABLE turns ADD COLUMN first_play INTEGER NOT NULL DEFAULT 1;"
                   "UPDATE turns SET first_play = 0 WHERE restart <> 0;"
                   "CREATE TABLE seen(level INTEGER NOT NULL, seed INTEGER NOT NULL, PRIMARY KEY(level, seed))"
                   " WITHOUT ROWID;"
                   "INSERT INTO seen VALUES(5, 4294967295), (" + std::to_string(set[11].level) + ", " +
                   std::to_string(set[11].seed) + ");"
                   "CREATE TABLE sittings(id INTEGER PRIMARY KEY, utc INTEGER NOT NULL, total_score INTEGER NOT NULL,"
                   " total_seconds INTEGER NOT NULL);"
                   "INSERT INTO sittings VALUES(77, " + std::to_string(Noon + 660) + ", 66, 120);";
        QVERIFY(Sql(file(), sql + "PRAGMA user_version = " + std::to_string(version)));

        {
            History h;
            const HistoryStatus opened = h.Open(folder());
            QVERIFY2(opened.ok && opened.error == HistoryError::None, qPrintable(Describe(opened)));
            const std::vector<TurnRecord> all = turns(h);
            QCOMPARE(all.size(), std::size_t(19));
            for (const TurnRecord &t : all)
                QVERIFY(t.firstPlay == !t.restart && t.exercise == Exercise::Views && !t.mistakes);
            std::int64_t count = 0;
            std::vector<BestTurn> best;
            QVERIFY(h.TurnCount({}, count).ok && h.BestTurnByLevel({}, best).ok);
            QCOMPARE(count, std::int64_t(19));
            QCOMPARE(best.size(), set.size() + 1);
            QCOMPARE(best[0].finalScore, 20);  // level 0: the stub's turn, not the restart's 100
            QVERIFY(best[2].level == 3 && best[2].finalScore == 22);
            QVERIFY(best[3].level == 5 && best[3].finalScore == 50 && best[3].puzzleCode == five);
            sumsMatchTurns(h, {});
            for (Exercise e : AllExercises)
                for (const auto &[level, seed, expected] : {std::tuple{5, 0xFFFFFFFFu, true}, {6, 0xFFFFFFFFu, false},
                                                            {set[11].level, set[11].seed, true}}) {
                    bool seen = !expected;
                    QVERIFY(h.IsSeen(level, seed, e, seen).ok);
                    QCOMPARE(seen, expected);
                }
            std::vector<AssessmentSitting> sittings;
            QVERIFY(h.AssessmentResults({}, sittings).ok);
            QCOMPARE(sittings.size(), std::size_t(1));
            const AssessmentSitting &s = sittings[0];
            QVERIFY(s.assessment == 77 && s.lastUtc == Noon + 660 && s.turns == 12);
            QVERIFY(s.totalFinalScore == 66 && s.averageFinalScore == 5.5 && s.totalSeconds == 120);

            // Written after the migration: kept across a reopening, replays still not best.
            QVERIFY(h.MarkSeen(7, 0x80000000u, Exercise::Build).ok && h.MarkSeen(7, 0x80000000u, Exercise::Build).ok);
            QVERIFY(h.AppendSitting({99, Noon - 400 * Day, 5, 6}).ok);
            QVERIFY(h.Append(Replay(Turn(Noon + 5000, 5, 95))).ok && h.Append(Turn(Noon + 6000, 5, 70)).ok);
            QVERIFY(h.Append(Built(Turn(Noon + 7000, 5, 60))).ok && h.Append(Built(Turn(Noon + Day, 0, 3))).ok);
        }
        History h;
        QVERIFY(h.Open(folder()).ok);
        bool built = false, drawn = true;
        QVERIFY(h.IsSeen(7, 0x80000000u, Exercise::Build, built).ok &&
                h.IsSeen(7, 0x80000000u, Exercise::Views, drawn).ok);
        QVERIFY(built && !drawn);
        std::vector<BestTurn> best;
        QVERIFY(h.BestTurnByLevel({}, best).ok && best.size() == set.size() + 3);
        QVERIFY(best[1].level == 0 && best[1].exercise == Exercise::Build && best[1].finalScore == 3);
        QVERIFY(best[4].level == 5 && best[4].finalScore == 70 && best[5].exercise == Exercise::Build &&
                best[5].finalScore == 60);
        for (const std::optional<Exercise> e : {std::optional<Exercise>(), {Exercise::Views}, {Exercise::Build}}) {
            HistoryFilter f;
            f.exercise = e;
            sumsMatchTurns(h, f);
        }
        std::vector<AssessmentSitting> all, lastYear;
        HistoryFilter year;
        year.period = HistoryPeriod::Last365Days;
        year.now = Noon;
        QVERIFY(h.AssessmentResults({}, all).ok && h.AssessmentResults(year, lastYear).ok);
        QVERIFY(all.size() == 2 && all[0].assessment == 99 && all[1].assessment == 77);
        QVERIFY(lastYear.size() == 1 && lastYear[0].assessment == 77);
    }

    // The export as a spreadsheet reads it, a new file getting the
    // permissions the player's umask gives; a failed one says why. The named
    // mistakes are counted per sheet, most often first, within the period.
    void exportsCsv()
    {
        History h;
        QVERIFY(h.Open(folder()).ok);
        TurnRecord quoted = Turn(Noon + 3661, 10, 12, "a,\"b\"\r\nc");
        quoted.assessment = 1234567890123;
        quoted.mistakes = "X:mirror-lr;Z:sheet-Y";
        quoted.accuracy = 0.5, quoted.predicted = 0.625, quoted.rating = -1.25;
        quoted.helpSeconds = 30, quoted.helpStrokes = 4;
        quoted.assignment = "0123456789abcdef0123456789abcdef";
        TurnRecord old = Built(Turn(-1, 0, 2, "K"));
        old.mistakes = "X:mirror-lr";
        for (const TurnRecord &t : {Replay(Turn(Noon, 2, 7, "AB12-CD34-5")), quoted, old})
            QVERIFY(h.Append(t).ok);
        std::vector<MistakeTally> all, month;
        HistoryFilter lastMonth;
        lastMonth.period = HistoryPeriod::Last30Days;
        lastMonth.now = Noon;
        QVERIFY(h.MistakeCounts({}, all).ok && h.MistakeCounts(lastMonth, month).ok);
        QCOMPARE(all, (std::vector<MistakeTally>{{'X', "mirror-lr", 2}, {'Z', "sheet-Y", 1}}));
        QCOMPARE(month, (std::vector<MistakeTally>{{'X', "mirror-lr", 1}, {'Z', "sheet-Y", 1}}));
        const std::string csv = m_dir->filePath("out.csv").toStdString();
        HistoryStatus exported;
        {
            const ScopedUmask mask(0007);
            exported = h.ExportCsv(csv);
        }
        QVERIFY(exported.ok && exported.error == HistoryError::Exported && exported.count == 3 && exported.path == csv);
        QCOMPARE(Read(csv),
                 "time_utc,puzzle_code,level,seconds,x_right,x_wrong,x_score,y_right,y_wrong,y_score,z_right,z_wrong,"
                 "z_score,total_right,total_wrong,total_score,hints,peeks,help_cost,final_score,restart,from_code,daily,"
                 "assessment,first_play,exercise,mistakes,accuracy,predicted,rating,help_seconds,help_strokes,assignment\r\n"
                 "2026-12-06T12:00:00Z,AB12-CD34-5,2,62,5,1,4,3,3,0,2,6,-4,10,10,0,1,2,0,7,1,1,0,0,0,views,,0.0000,,,,,\r\n"
                 "2026-12-06T13:01:01Z,\"a,\"\"b\"\"\r\nc\",10,70,5,1,4,3,3,0,2,6,-4,10,10,0,0,2,5,12,0,0,0,1234567890123,1,"
                 "views,X:mirror-lr;Z:sheet-Y,0.5000,0.6250,-1.2500,30,4,0123456789abcdef0123456789abcdef\r\n"
                 "1969-12-31T23:59:59Z,K,0,60,5,1,4,3,3,0,2,6,-4,10,10,0,2,2,2,2,0,0,1,0,1,build,X:mirror-lr,0.0000,,,,,\r\n");
        QCOMPARE(ModeOf(csv), mode_t(0660));
        const HistoryStatus failed = h.ExportCsv(folder() + "/no/such/folder/x.csv");
        QVERIFY2(!failed.ok && failed.error == HistoryError::ExportFailed && failed.cause.text == "No such file or directory",
                 qPrintable(Describe(failed)));
    }
    // The coach's statistics: the last rating of each day per exercise, the
    // calibration bands of first plays, the tries before help, the day's
    // accuracy; a period leaves older days out.
    void coachStatistics()
    {
        History h;
        QVERIFY(h.Open(folder()).ok);
        auto rated = [](TurnRecord t, double predicted, double accuracy, double rating) {
            t.predicted = predicted, t.accuracy = accuracy, t.rating = rating;
            return t;
        };
        TurnRecord helped = rated(Turn(Noon + 60, 5, 9), 0.95, 0.5, 0.75);
        helped.helpSeconds = 40, helped.helpStrokes = 3;
        TurnRecord helpedToo = Replay(rated(Turn(Noon + 120, 5, 9), 0.55, 0.5, 0.75));
        helpedToo.helpSeconds = 20, helpedToo.helpStrokes = 0;
        for (const TurnRecord &t : {rated(Turn(Noon - 40 * 86400, 2, 3), 0.42, 0.9, 0.25), rated(Turn(Noon, 3, 4), 0.45, 0.5, 0.5),
                                    helped, helpedToo, Built(rated(Turn(Noon + 180, 3, 4), 0.5, 1.0, -0.5)), Turn(Noon + 240, 1, 1)})
            QVERIFY(h.Append(t).ok);
        HistoryFilter month;
        month.period = HistoryPeriod::Last30Days;
        month.now = Noon;
        std::vector<DayRating> ratings;
        QVERIFY(h.RatingByDay({}, ratings).ok && ratings.size() == 3);
        QVERIFY(ratings[1].exercise == Exercise::Views && ratings[1].rating == 0.75 && ratings[1].date == "2026-12-06");
        QVERIFY(ratings[2].exercise == Exercise::Build && ratings[2].rating == -0.5);
        std::vector<CalibrationBand> bands;
        QVERIFY(h.Calibration(month, bands).ok && bands.size() == 3);  // replays and older days left out
        QVERIFY(bands[0].band == 4 && bands[0].turns == 1 && bands[0].actual == 0.5);
        QVERIFY(bands[1].band == 5 && bands[1].turns == 1 && bands[1].actual == 1.0);
        QVERIFY(bands[2].band == 9 && bands[2].predicted == 0.95);
        HelpTries tries;
        QVERIFY(h.TriesBeforeHelp(month, tries).ok);
        QVERIFY(tries.turns == 2 && tries.seconds == 30 && tries.strokes == 1.5);
        std::vector<DayScore> days;
        QVERIFY(h.ScoreByDay(month, days).ok && days.size() == 1);
        QCOMPARE(days[0].accuracy.value_or(-1), 50.0 / 100);  // each turn 10 of 20 right
    }

    // A damaged or newer file is set aside untouched and a new history started.
    void brokenFilesAreSetAside_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("newer");
        QTest::newRow("garbage bytes") << "garbage" << false;
        QTest::newRow("truncated to half") << "truncate" << false;
        QTest::newRow("written by a newer version") << "newer" << true;
    }
    void brokenFilesAreSetAside()
    {
        QFETCH(QString, damage);
        QFETCH(bool, newer);
        {
            History h;
            QVERIFY(h.Open(folder()).ok);
            for (int i = 0; i < 100; ++i)
                QVERIFY(h.Append(Turn(Noon + i, i % 10, i, std::string(600, 'c'))).ok);
        }
        QFile f(QString::fromStdString(file()));
        QVERIFY(f.open(QIODevice::ReadWrite));
        if (damage == "garbage")
            f.write(QByteArray("this is not a database, just some words\n").repeated(100));
        else if (damage == "truncate")
            f.resize(f.size() / 2);
        f.close();
        if (damage == "newer")
            QVERIFY(Sql(file(), "PRAGMA user_version = " + std::to_string(History::SchemaVersion + 1)));
        const QByteArray brokenBytes = Read(file());

        History h;
        const HistoryStatus opened = h.Open(folder());
        QVERIFY2(opened.ok && opened.error == HistoryError::SetAside &&
                     (opened.broken.reason == HistoryReason::NewerFormat) == newer,
                 qPrintable(Describe(opened)));
        QCOMPARE(broken().size(), 1);
        QCOMPARE(QString::fromStdString(opened.aside), broken().first());
        QCOMPARE(Read(m_dir->filePath(broken().first()).toStdString()), brokenBytes);  // kept for rescue by hand
        QVERIFY(turns(h).empty() && h.Append(Turn(Noon, 1, 5)).ok && turns(h).size() == 1);
    }

    // In a read-only folder the history, there or not yet, is unavailable
    // with a message naming the real cause, and the file stays as it was
    // with nothing set aside.
    void readOnlyFolderLosesNothing()
    {
        for (bool existing : {false, true}) {
            History h;
            QVERIFY(!existing || (h.Open(folder()).ok && h.Append(Turn(Noon, 1, 5)).ok));
            h.Close();
            const QByteArray before = Read(file());
            QVERIFY2(HoldsInReadOnlyFolder(folder(), [&] {
                         const HistoryStatus opened = h.Open(folder());
                         return !opened.ok && !h.IsOpen() && opened.error == HistoryError::Unavailable &&
                                opened.cause.reason == HistoryReason::FolderNotWritable &&
                                opened.cause.text == "Permission denied" && !h.Append(Turn(Noon, 1, 5)).ok;
                     }), "no clear message, or a crash");
            QCOMPARE(Read(file()), before);
        }
        QCOMPARE(Unexpected(m_dir->path(), {"history.sqlite"}), QStringList());
    }

    // Another copy holding the file: the wait is bounded, the player is told,
    // and the turn is stored with the next one.
    void lockedByAnotherCopy()
    {
        History h;
        QVERIFY(h.Open(folder(), 700).ok && h.Append(Turn(Noon, 1, 1)).ok);
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(file().c_str(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        QElapsedTimer clock;
        clock.start();
        const HistoryStatus blocked = h.Append(Turn(Noon + 1, 1, 2));
        const qint64 waited = clock.elapsed();
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QVERIFY2(!blocked.ok && blocked.error == HistoryError::NotRecordedKept && blocked.count == 1 &&
                     blocked.cause.reason == HistoryReason::Busy,
                 qPrintable(Describe(blocked)));
        QVERIFY2(waited >= 600 && waited < 3000, qPrintable(QString::number(waited)));
        QVERIFY(h.Append(Turn(Noon + 2, 1, 3)).ok);
        QVERIFY((turns(h) == std::vector{Turn(Noon, 1, 1), Turn(Noon + 1, 1, 2), Turn(Noon + 2, 1, 3)}));
    }

    // Children append numbered turns, report each commit through a pipe and
    // are killed at random moments: every reported turn is there, the file whole.
    void killedMidWriteKeepsCommittedTurns()
    {
        std::set<int> reported, stored;
        // A turn may be committed without being reported: each round starts one further on.
        for (int round = 0, next = 0; round < 20; ++round, ++next) {
            int fds[2];
            QCOMPARE(pipe(fds), 0);
            const pid_t pid = fork();
            if (pid == 0) {
                History h;
                for (int i = next; h.IsOpen() || h.Open(folder()).ok; ++i)
                    if (h.Append(Turn(Noon + i, 1, i, "k" + std::to_string(i))).ok)
                        (void)!::write(fds[1], &i, sizeof i);
                _exit(2);
            }
            ::close(fds[1]);
            usleep(static_cast<useconds_t>(QRandomGenerator::global()->bounded(0, 60000)));
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            for (int i = 0; ::read(fds[0], &i, sizeof i) == sizeof i; next = std::max(next, i + 1))
                reported.insert(i);
            ::close(fds[0]);
        }
        History h;
        const HistoryStatus opened = h.Open(folder());  // checks every page
        QVERIFY2(opened.ok && opened.error == HistoryError::None, qPrintable(Describe(opened)));
        for (const TurnRecord &t : turns(h)) {
            QCOMPARE(t, Turn(Noon + t.finalScore, 1, t.finalScore, "k" + std::to_string(t.finalScore)));
            stored.insert(t.finalScore);
        }
        QVERIFY2(std::ranges::includes(stored, reported), "a turn reported committed is missing");
    }

    // Aggregates over these turns, "today" being Noon's day T: A on T-10, B
    // and C on T-2, D at the midnight that starts T-1, E on T (tying A's 40);
    // on T-10 too, earlier, replays that no best turn counts: R at level 1
    // tying A, S at level 3 scoring more than that day's first play F. Built
    // rather than drawn: H at level 1 on T-1, G at level 3 on T tying F, after
    // a replay Q scoring more.
    void aggregatesMatchHandCounts_data()
    {
        QTest::addColumn<int>("daysLater");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("exercise");  // an index into AllExercises, or -1 for both
        QTest::addColumn<int>("streak");
        QTest::addColumn<QString>("best");  // the codes of the best turns, in order
        QTest::newRow("played today and the two days before") << 0 << -1 << -1 << 3 << "AHDFG";
        QTest::newRow("not played yet today: yesterday holds it") << 1 << -1 << -1 << 3 << "AHDFG";
        QTest::newRow("a whole day missed") << 2 << -1 << -1 << 0 << "AHDFG";
        QTest::newRow("level 2 alone: T-2 and T-1") << 0 << 2 << -1 << 2 << "D";
        QTest::newRow("turns dated after today do not count") << -1 << -1 << -1 << 2 << "AHDFG";
        QTest::newRow("drawing alone") << 0 << -1 << 0 << 3 << "ADF";
        QTest::newRow("building alone: T-1 and T") << 0 << -1 << 1 << 2 << "HG";
        QTest::newRow("building at level 2: never") << 0 << 2 << 1 << 0 << "";
    }
    void aggregatesMatchHandCounts()
    {
        QFETCH(int, daysLater);
        QFETCH(int, level);
        QFETCH(int, exercise);
        History h;
        QVERIFY(h.Open(folder()).ok);
        const auto at = [](int daysAgo, int hour) { return Noon - daysAgo * Day + (hour - 12) * 3600; };
        for (const TurnRecord &t :
             {Replay(Turn(at(10, 7), 1, 40, "R")), Replay(Turn(at(10, 7), 3, 99, "S")), Turn(at(10, 8), 1, 40, "A"),
              Turn(at(10, 9), 3, 30, "F"), Turn(at(2, 9), 1, 10, "B"), Turn(at(2, 23), 2, 20, "C"),
              Turn(at(1, 0), 2, 60, "D"), Built(Turn(at(1, 6), 1, 70, "H")), Built(Replay(Turn(at(0, 9), 3, 90, "Q"))),
              Built(Turn(at(0, 10), 3, 30, "G")), Turn(at(0, 11), 1, 40, "E")})
            QVERIFY(h.Append(t).ok);
        HistoryFilter f;
        f.now = Noon + daysLater * Day;
        if (level >= 0)
            f.minLevel = f.maxLevel = level;
        if (exercise >= 0)
            f.exercise = AllExercises[static_cast<std::size_t>(exercise)];
        int days = -1;
        QVERIFY(h.DailyStreak(f, days).ok);
        QTEST(days, "streak");
        std::vector<BestTurn> best;
        QVERIFY(h.BestTurnByLevel(f, best).ok);
        QString codes;
        for (const BestTurn &b : best) {
            codes += QString::fromStdString(b.puzzleCode);
            QCOMPARE(b.exercise, codes.back() == 'H' || codes.back() == 'G' ? Exercise::Build : Exercise::Views);
        }
        QTEST(codes, "best");
        sumsMatchTurns(h, f);
    }
};

QTEST_APPLESS_MAIN(TestHistory)
#include "tst_history.moc"
