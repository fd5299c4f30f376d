// The turn history (history.sqlite): what a player keeps for years, so every
// finished turn must be found again after an upgrade, a damaged file, a locked
// or unwritable folder, or a game killed mid-write; and the statistics it feeds
// must give the numbers a player would count by hand.

#include <QtTest>

#ifndef Q_MOC_RUN
#include "progress/history.h"
#endif

#include <sqlite3.h>

#include <csignal>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Runs SQL on the file with a connection of its own, as another program would.
bool Sql(const QString &file, const char *sql)
{
    sqlite3 *db = nullptr;
    const bool ok = sqlite3_open(file.toUtf8().constData(), &db) == SQLITE_OK &&
                    sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

QByteArray Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::string folder() const { return m_dir->path().toStdString(); }
    QString file() const { return m_dir->filePath("history.sqlite"); }
    QStringList broken() const { return QDir(m_dir->path()).entryList({"history.sqlite.broken-*"}, QDir::Files); }
    std::vector<TurnRecord> turns(History &h)
    {
        std::vector<TurnRecord> out;
        h.Turns(out);
        return out;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // A file as the first version wrote it (totals only) is upgraded in
    // place; every turn reads back after reopening and through the CSV export,
    // whatever the code holds.
    void migratesAndReadsBack()
    {
        QVERIFY(Sql(file(), "CREATE TABLE turns(id INTEGER PRIMARY KEY, utc INTEGER, code TEXT, level INTEGER,"
                            " seconds INTEGER, total_right INTEGER, total_wrong INTEGER, total_score INTEGER,"
                            " restart INTEGER, from_code INTEGER, daily INTEGER);"
                            "INSERT INTO turns VALUES(1, 1700000000, 'old-a', 3, 95, 40, 5, 35, 0, 1, 0);"
                            "PRAGMA user_version = 1;"));
        // No help back then: the total was the final score.
        std::vector<TurnRecord> written{{1700000000, "old-a", 3, 95, {}, {40, 5, 35}, 0, 0, 0, 35, false, true}};
        {
            History h;
            const HistoryStatus opened = h.Open(folder());
            QVERIFY2(opened.ok && opened.message.empty(), opened.message.c_str());
            for (int i = 0; i < 4; ++i) {
                written.push_back(Turn(Noon + i * 3601, i, 100 - i, "a,\"b\"\r\nc \xC3\xB6" + std::to_string(i)));
                written.back().assessment = i == 3 ? 1234567890123 : 0;
                QVERIFY(h.Append(written.back()).ok);
            }
        }
        History h;
        QVERIFY(h.Open(folder()).ok);
        QVERIFY(turns(h) == written);
        const std::string csv = m_dir->filePath("out.csv").toStdString();
        std::vector<TurnRecord> read;
        QVERIFY(h.ExportCsv(csv).ok && ReadHistoryCsv(csv, read).ok);
        QVERIFY(read == written);
        QVERIFY(broken().isEmpty());
    }

    // A damaged or newer file is set aside untouched and a new history started.
    void brokenFilesAreSetAside_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("inMessage");
        QTest::newRow("garbage bytes") << "garbage" << "is damaged";
        QTest::newRow("truncated to half") << "truncate" << "is damaged";
        QTest::newRow("written by a newer version") << "newer" << "newer version";
    }
    void brokenFilesAreSetAside()
    {
        QFETCH(QString, damage);
        QFETCH(QString, inMessage);
        {
            History h;
            QVERIFY(h.Open(folder()).ok);
            for (int i = 0; i < 100; ++i)
                QVERIFY(h.Append(Turn(Noon + i, i % 10, i, std::string(600, 'c'))).ok);
        }
        QFile f(file());
        QVERIFY(f.open(QIODevice::ReadWrite));
        if (damage == "garbage")
            f.write(QByteArray("this is not a database, just some words\n").repeated(100));
        else if (damage == "truncate")
            f.resize(f.size() / 2);
        f.close();
        if (damage == "newer")
            QVERIFY(Sql(file(), "PRAGMA user_version = 3"));
        const QByteArray brokenBytes = Bytes(file());

        History h;
        const HistoryStatus opened = h.Open(folder());
        const QString message = QString::fromStdString(opened.message);
        QVERIFY2(opened.ok && message.contains(inMessage) && message.contains("new, empty history"),
                 qPrintable(message));
        QCOMPARE(broken().size(), 1);
        QVERIFY(message.contains("set aside as " + broken().first()));
        QCOMPARE(Bytes(m_dir->filePath(broken().first())), brokenBytes);  // kept for rescue by hand
        QVERIFY(turns(h).empty() && h.Append(Turn(Noon, 1, 5)).ok && turns(h).size() == 1);
    }

    // A read-only folder, with or without a history in it, leaves the history
    // unavailable with a clear message, and the file there untouched.
    void unwritablePlacesLeaveItUnavailable()
    {
        const std::string dir = folder();
        for (bool existing : {false, true}) {
            History h;
            QVERIFY(!existing || (h.Open(dir).ok && h.Append(Turn(Noon, 1, 5)).ok));
            h.Close();
            const QByteArray before = Bytes(file());
            chmod(dir.c_str(), 0555);
            const pid_t pid = fork();
            if (pid == 0) {
                if (geteuid() == 0 && setuid(65534) != 0)  // permissions do not stop root
                    _exit(3);
                const HistoryStatus opened = h.Open(dir);
                const std::string &m = opened.message;
                const bool clear = m.find("The turn history is unavailable: " + dir) == 0 &&
                                   m.find("The game goes on without recording turns.") != std::string::npos;
                _exit(!opened.ok && !h.IsOpen() && clear && !h.Append(Turn(Noon, 1, 5)).ok ? 0 : 4);
            }
            int status = 0;
            waitpid(pid, &status, 0);
            chmod(dir.c_str(), 0755);
            QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "no clear message, or a crash");
            QCOMPARE(Bytes(file()), before);
            QVERIFY(broken().isEmpty());
        }
    }

    // Another copy holding the file: the wait is bounded, the player is told,
    // and the turn is stored with the next one.
    void lockedByAnotherCopy()
    {
        History h;
        QVERIFY(h.Open(folder(), 700).ok && h.Append(Turn(Noon, 1, 1)).ok);
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(file().toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        QElapsedTimer clock;
        clock.start();
        const HistoryStatus blocked = h.Append(Turn(Noon + 1, 1, 2));
        const qint64 waited = clock.elapsed();
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        const std::string busy = "another running copy of Trivisto kept the history file busy";
        QVERIFY2(!blocked.ok && blocked.message.find(busy) != std::string::npos, blocked.message.c_str());
        QVERIFY2(waited >= 600 && waited < 3000, qPrintable(QString::number(waited)));
        QVERIFY(h.Append(Turn(Noon + 2, 1, 3)).ok);
        QVERIFY((turns(h) == std::vector{Turn(Noon, 1, 1), Turn(Noon + 1, 1, 2), Turn(Noon + 2, 1, 3)}));
    }

    // Children append numbered turns, report each commit through a pipe and
    // are killed at random moments: every reported turn is there, the file whole.
    void killedMidWriteKeepsCommittedTurns()
    {
        std::set<int> reported;
        int next = 0;
        for (int round = 0; round < 20; ++round) {
            int fds[2];
            QCOMPARE(pipe(fds), 0);
            const int first = next;
            const pid_t pid = fork();
            if (pid == 0) {
                ::close(fds[0]);
                History h;
                if (!h.Open(folder()).ok)
                    _exit(2);
                for (int i = first;; ++i)
                    if (h.Append(Turn(Noon + i, 1, i, "k" + std::to_string(i))).ok)
                        (void)!::write(fds[1], &i, sizeof i);
            }
            ::close(fds[1]);
            usleep(static_cast<useconds_t>(QRandomGenerator::global()->bounded(0, 60000)));
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            for (int i = 0; ::read(fds[0], &i, sizeof i) == sizeof i; next = std::max(next, i + 1))
                reported.insert(i);
            ::close(fds[0]);
            next += 1;  // a turn may have been committed without being reported
        }
        History h;
        const HistoryStatus opened = h.Open(folder());  // checks every page
        QVERIFY2(opened.ok && opened.message.empty(), opened.message.c_str());
        std::set<int> stored;
        for (const TurnRecord &t : turns(h)) {
            QCOMPARE(t, Turn(Noon + t.finalScore, 1, t.finalScore, "k" + std::to_string(t.finalScore)));
            stored.insert(t.finalScore);
        }
        for (int r : reported)
            QVERIFY2(stored.count(r), qPrintable(QString("turn %1 was reported committed but is missing").arg(r)));
    }

    // Aggregates over five turns, "today" being Noon's day T: A on T-10, B and
    // C on T-2, D at the midnight that starts T-1, E on T (tying A's 40).
    void aggregatesMatchHandCounts_data()
    {
        QTest::addColumn<int>("daysLater");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("streak");
        QTest::newRow("played today and the two days before") << 0 << -1 << 3;
        QTest::newRow("not played yet today: yesterday holds it") << 1 << -1 << 3;
        QTest::newRow("a whole day missed") << 2 << -1 << 0;
        QTest::newRow("level 2 alone: T-2 and T-1") << 0 << 2 << 2;
        QTest::newRow("turns dated after today do not count") << -1 << -1 << 2;
    }
    void aggregatesMatchHandCounts()
    {
        QFETCH(int, daysLater);
        QFETCH(int, level);
        QFETCH(int, streak);
        History h;
        QVERIFY(h.Open(folder()).ok);
        const auto at = [](int daysAgo, int hour) { return Noon - daysAgo * Day + (hour - 12) * 3600; };
        TurnRecord c = Turn(at(2, 23), 2, 20, "C"), d = Turn(at(1, 0), 2, 60, "D");
        c.assessment = d.assessment = 9;
        for (const TurnRecord &t : {Turn(at(10, 8), 1, 40, "A"), Turn(at(2, 9), 1, 10, "B"), c, d,
                                    Turn(at(0, 11), 1, 40, "E")})
            QVERIFY(h.Append(t).ok);
        HistoryFilter f;
        f.now = Noon + daysLater * Day;
        if (level >= 0)
            f.minLevel = f.maxLevel = level;
        int days = -1;
        QVERIFY(h.DailyStreak(f, days).ok);
        QCOMPARE(days, streak);
        if (daysLater != 0 || level >= 0)
            return;
        std::vector<BestTurn> best;
        QVERIFY(h.BestTurnByLevel(f, best).ok);
        QVERIFY(best.size() == 2 && best[0].puzzleCode == "A" && best[1].puzzleCode == "D");  // the earlier of a tie
        f.period = HistoryPeriod::Last7Days;
        QVERIFY(h.BestTurnByLevel(f, best).ok);
        QCOMPARE(best[0].puzzleCode, std::string("E"));
        std::vector<AssessmentSitting> sittings;
        QVERIFY(h.AssessmentResults({}, sittings).ok);
        QVERIFY(sittings.size() == 1 && sittings[0].turns == 2 && sittings[0].totalFinalScore == 80);
    }
};

QTEST_APPLESS_MAIN(TestHistory)
#include "tst_history.moc"
