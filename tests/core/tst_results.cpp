// The files a player keeps for years: the results file (Stat.txt) with the
// record to beat and the high-score table, and the turn history
// (history.sqlite) with the statistics it feeds. Players edit the first by
// hand; both meet failing writes, links, damage, a locked file, a game killed
// while saving and two games saving at once. Whatever happens the game says
// what is wrong where the player must act, and never loses or mixes up what is
// already stored.

#include <QtTest>

#include <sqlite3.h>

#include <csignal>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "core/storage/history.h"
#include "core/storage/resultsfile.h"
#endif

Q_DECLARE_METATYPE(ResultsProblem)

namespace {

void Write(const std::string &path, const QByteArray &bytes)
{
    QFile f(QString::fromStdString(path));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray Read(const std::string &path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// What is in the folder besides `expected`, hidden files included.
QStringList Unexpected(const QString &folder, const QStringList &expected = {"Stat.txt", "Stat.txt.lock"})
{
    QStringList rest = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : expected)
        rest.removeAll(name);
    return rest;
}

// Whether check holds when run in a child to whom the folder is read-only
// (root is dropped to nobody: permissions do not stop root).
bool HoldsInReadOnlyFolder(const std::string &folder, const std::function<bool()> &check)
{
    chmod(folder.c_str(), 0555);
    const pid_t pid = fork();
    if (pid == 0)
        _exit((geteuid() != 0 || setuid(65534) == 0) && check() ? 0 : 1);
    int status = 0;
    waitpid(pid, &status, 0);
    chmod(folder.c_str(), 0755);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

const QByteArray Stored = "Ann,57,12,,\r\nBen,31,40,,\r\nCid,3,99,x,\r\n";

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
bool Sql(const std::string &file, const std::string &sql)
{
    sqlite3 *db = nullptr;
    const bool ok = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
                    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

} // namespace

class TestResults : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::string folder() const { return m_dir->path().toStdString(); }
    std::string path() const { return m_dir->filePath(QStringLiteral("Stat.txt")).toStdString(); }
    std::string file() const { return m_dir->filePath("history.sqlite").toStdString(); }
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

    // The record to beat read at start-up and the lines the high-score table
    // shows: the first nine lines; the reading stops at a bonus that is no
    // number, which both readers report with its text and line, while the
    // table goes on listing the lines after it. Without a file the threshold
    // held before (42 here) stays; one that cannot be read says so and
    // refuses a record.
    void recordToBeat_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("threshold");
        QTest::addColumn<int>("entries");
        QTest::addColumn<ResultsProblem>("problem");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("line");
        const QByteArray fives = QByteArray("A,5,1,,\r\n").repeated(8);
        const auto fine = ResultsProblem::None;
        QTest::newRow("no file is an empty list") << QByteArray("<missing>") << 42 << 0 << fine << QByteArray() << 0;
        QTest::newRow("unreadable") << QByteArray("<unreadable>") << 42 << 0 << ResultsProblem::CannotOpen
                                    << QByteArray() << 0;
        QTest::newRow("blank and empty lines count as lines")
            << QByteArray("\r\n,,,,\r\n").repeated(5) + "z,50,1,,\r\n" << 0 << 9 << fine << QByteArray() << 0;
        QTest::newRow("highest bonus on the 9th line counts") << fives + "Z,900,1,,\r\n" << 900 << 9 << fine
                                                              << QByteArray() << 0;
        QTest::newRow("highest bonus on the 10th line is ignored")
            << fives + "A,5,1,,\r\nZ,900,1,,\r\n" << 5 << 9 << fine << QByteArray() << 0;
        QTest::newRow("LF, CR and no final line break") << QByteArray("A,57,1,,\nB,103,1,,\rC,7,1,,") << 103 << 3
                                                        << fine << QByteArray() << 0;
        QTest::newRow("bonus of 70 digits is a number") << "a," + QByteArray(68, '0') + "42,1,,\r\n" << 42 << 1 << fine
                                                        << QByteArray() << 0;
        QTest::newRow("negative bonus stops the reading, not the table")
            << QByteArray("A,57,1,,\r\nB,-4,1,,\r\nC,900,1,,\r\n") << 57 << 3 << ResultsProblem::NotANumber
            << QByteArray("0-4") << 2;
        QTest::newRow("bonus one past 32 bits, last line unended") << QByteArray("A,57,1,,\r\nB,2147483648,1,,") << 57
                                                                   << 2 << ResultsProblem::NotANumber
                                                                   << QByteArray("02147483648") << 2;
        QTest::newRow("binary garbage with a NUL in the bonus")
            << QByteArray("\x01\xff,\x00\x7f,\xfe\r\n", 9) << 0 << 1 << ResultsProblem::NotANumber
            << QByteArray("0\x00\x7f", 3) << 1;
    }
    void recordToBeat()
    {
        QFETCH(QByteArray, contents);
        QFETCH(ResultsProblem, problem);
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        if (contents == "<unreadable>")
            QVERIFY(QFile::link("/proc/self/mem", QString::fromStdString(path())));  // opens, fails on reading
        else if (contents != "<missing>")
            Write(path(), contents);
        const ReadResult r = ReadResultFile(path(), contents.startsWith('<') ? 42 : 0);
        const ResultsError expected{problem, text.toStdString(), line, problem == ResultsProblem::None ? "" : path()};
        QVERIFY(r.problem == expected);
        QTEST(r.RecordThreshold, "threshold");
        ResultsError tableError{ResultsProblem::CannotOpen, "<unset>", -1, ""};
        const std::vector<ResultEntry> entries = ReadResultEntries(path(), &tableError);
        QTEST(int(entries.size()), "entries");
        QVERIFY(tableError == expected);
        // The table marks the line the reading stopped at; only the lines
        // before it take part in the record to beat.
        for (const ResultEntry &e : entries)
            QVERIFY(e.readable == (e.line != line) && e.counts == (line == 0 || e.line < line));
        QVERIFY(problem != ResultsProblem::CannotOpen || !SaveRecord(path(), "Ann", 60, 5).empty());
    }

    // A record goes before the first lower bonus, every other byte of the
    // file kept, the name's bytes kept but unable to break the line.
    void savesRecord_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("score");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray a = "A,90,5,,\r\n", b = "B,50,7,note,\r\n", c = "C,10,2,,\r\n";
        QTest::newRow("new best goes first, UTF-8 name") << a + b + c << QByteArray("Zo\xc3\xab \xe5\xb1\xb1") << 95
                                                         << "Zo\xc3\xab \xe5\xb1\xb1,95,31,,\r\n" + a + b + c;
        QTest::newRow("between two results, code-page name") << a + b + c << QByteArray("Ren\xe9") << 60
                                                              << a + "Ren\xe9,60,31,,\r\n" + b + c;
        QTest::newRow("after an equal bonus") << a + b + c << QByteArray("Zed") << 50 << a + b + "Zed,50,31,,\r\n" + c;
        QTest::newRow("hand-edited lines kept byte for byte")
            << QByteArray("A,90,5,x,extra,more\nB,80,,,\r\nno commas\nC,1,1,,\r\n") << QByteArray("Zed") << 70
            << QByteArray("A,90,5,x,extra,more\nB,80,,,\r\nZed,70,31,,\r\nno commas\nC,1,1,,\r\n");
        QTest::newRow("lowest goes last, after a last line without a break")
            << a + b + "C,10,2,," << QByteArray("Zed") << 3 << a + b + "C,10,2,,\r\nZed,3,31,,\r\n";
        QTest::newRow("no file yet; commas, line breaks and tabs in the name")
            << QByteArray("<missing>") << QByteArray("a,b\r\nc\td") << 57 << QByteArray("a b  c d,57,31,,\r\n");
    }
    void savesRecord()
    {
        QFETCH(QByteArray, old);
        QFETCH(QByteArray, name);
        QFETCH(int, score);
        if (old != "<missing>")
            Write(path(), old);
        QCOMPARE(QString::fromStdString(SaveRecord(path(), name.toStdString(), score, 31)), QString());
        QTEST(Read(path()), "expected");
    }

    // Killed at every step of a save, the file is the old or the new one,
    // whole; the next save clears left temporaries and nothing else.
    void killedWhileSavingLeavesOldOrNewWhole()
    {
        QByteArray old = Stored;
        for (int i = 0; i < 40000; ++i)
            old += "Player" + QByteArray::number(i) + ",1,1,,\r\n";
        const QByteArray updated = "Zed,999,7,,\r\n" + old;
        const std::string p = path();
        Write(p + ".bak123", Stored);  // a player's backup named like a temporary file
        // The kill delay homes in on the moment the new file takes over, so
        // kills land on both sides of it.
        long delay = 0;
        int sawOld = 0, sawNew = 0;
        for (int round = 0; round < 60; ++round) {
            Write(p, old);
            const pid_t pid = fork();
            if (pid == 0)
                _exit(SaveRecord(p, "Zed", 999, 7).empty() ? 0 : 1);
            usleep(static_cast<useconds_t>(delay));
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            const QByteArray now = Read(p);
            QVERIFY2(now == old || now == updated, qPrintable(QStringLiteral("mixed file in round %1").arg(round)));
            delay = now == old ? std::min(delay * 3 / 2 + 100, 500000L) : delay * 2 / 3;
            (now == old ? sawOld : sawNew)++;
        }
        QVERIFY(sawOld > 0 && sawNew > 0);
        QVERIFY(SaveRecord(p, "Amy", 5, 1).empty());
        QCOMPARE(Unexpected(m_dir->path()), QStringList{"Stat.txt.bak123"});
        QCOMPARE(Read(p + ".bak123"), Stored);
    }

    // Several running games saving at once, half of them through a symbolic
    // link to the file, lose no record.
    void concurrentSavesKeepEveryRecord()
    {
        const std::string p = path(), link = p + "-link";
        Write(p, Stored);
        QVERIFY(symlink("Stat.txt", link.c_str()) == 0);
        constexpr int Games = 6, Each = 5;
        int gate[2];  // released at the same moment by closing a pipe
        QVERIFY(pipe(gate) == 0);
        for (int g = 0; g < Games; ++g) {
            if (fork() != 0)
                continue;
            close(gate[1]);
            char c;
            if (read(gate[0], &c, 1) != 0)
                _exit(9);
            int failed = 0;
            for (int i = 0; i < Each; ++i)
                failed += !SaveRecord(g % 2 ? link : p, "G" + std::to_string(g * Each + i), g * 10 + i, 1).empty();
            _exit(failed);
        }
        close(gate[0]);
        close(gate[1]);
        for (int status = 0; wait(&status) > 0;)
            QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "a save failed");
        const QByteArray now = "\n" + Read(p);
        QCOMPARE(now.count('\n'), 1 + 3 + Games * Each);
        for (int n = 0; n < Games * Each; ++n)
            QVERIFY2(now.contains("\nG" + QByteArray::number(n) + ","), qPrintable(QString::number(n) + " is lost"));
        QCOMPARE(Unexpected(m_dir->path(), {"Stat.txt", "Stat.txt.lock", "Stat.txt-link"}), QStringList());
    }

    // A Stat.txt that is a symbolic link stays one: its target gets the record.
    void linkIsWrittenThrough_data()
    {
        QTest::addColumn<QString>("link");  // where Stat.txt points; "@" is the test folder
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("absolute link") << "@/data/real.txt" << true;
        QTest::newRow("relative link to a link") << "data/mid.txt" << true;
        QTest::newRow("dangling link: the target is made") << "data/real.txt" << false;
    }
    void linkIsWrittenThrough()
    {
        QFETCH(QString, link);
        QFETCH(bool, targetExists);
        const QString data = m_dir->filePath(QStringLiteral("data"));
        const std::string target = (data + QStringLiteral("/real.txt")).toStdString();
        QVERIFY(QDir().mkpath(data));
        QVERIFY(symlink("real.txt", (data + QStringLiteral("/mid.txt")).toLocal8Bit().constData()) == 0);
        QVERIFY(symlink(link.replace('@', m_dir->path()).toLocal8Bit().constData(), path().c_str()) == 0);
        if (targetExists)
            Write(target, Stored);
        // What a killed save left beside the target is cleared under the target's lock.
        Write((data + QStringLiteral("/.trivisto-save-real.txt.AbC123")).toStdString(), "partial");
        QCOMPARE(QString::fromStdString(SaveRecord(path(), "Zed", 40, 2)), QString());
        struct stat st {};
        QVERIFY(lstat(path().c_str(), &st) == 0 && S_ISLNK(st.st_mode));
        QCOMPARE(Read(target),
                 targetExists ? "Ann,57,12,,\r\nZed,40,2,,\r\nBen,31,40,,\r\nCid,3,99,x,\r\n" : "Zed,40,2,,\r\n");
        QCOMPARE(Unexpected(data, {"real.txt", "real.txt.lock", "mid.txt"}), QStringList());
        QCOMPARE(Unexpected(m_dir->path(), {"Stat.txt", "data"}), QStringList());
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
        const QString message = QString::fromStdString(opened.message);
        QVERIFY2(opened.ok && message.contains(inMessage) && message.contains("new, empty history"),
                 qPrintable(message));
        QCOMPARE(broken().size(), 1);
        QVERIFY(message.contains("set aside as " + broken().first()));
        QCOMPARE(Read(m_dir->filePath(broken().first()).toStdString()), brokenBytes);  // kept for rescue by hand
        QVERIFY(turns(h).empty() && h.Append(Turn(Noon, 1, 5)).ok && turns(h).size() == 1);
    }

    // In a read-only folder a record's save says why and leaves the old file
    // byte for byte; the history, there or not yet, is unavailable with a
    // clear message. Neither leaves a temporary or set-aside file.
    void readOnlyFolderLosesNothing()
    {
        Write(path(), Stored);
        QVERIFY2(HoldsInReadOnlyFolder(folder(), [&] {
                     return SaveRecord(path(), "Ann", 900, 5).find("Permission denied") != std::string::npos;
                 }), "the failed save was not reported");
        QCOMPARE(Read(path()), Stored);
        for (bool existing : {false, true}) {
            History h;
            QVERIFY(!existing || (h.Open(folder()).ok && h.Append(Turn(Noon, 1, 5)).ok));
            h.Close();
            const QByteArray before = Read(file());
            QVERIFY2(HoldsInReadOnlyFolder(folder(), [&] {
                         const HistoryStatus opened = h.Open(folder());
                         const std::string &m = opened.message;
                         return !opened.ok && !h.IsOpen() && m.find("The turn history is unavailable: " + folder()) == 0 &&
                                m.find("The game goes on without recording turns.") != std::string::npos &&
                                !h.Append(Turn(Noon, 1, 5)).ok;
                     }), "no clear message, or a crash");
            QCOMPARE(Read(file()), before);
        }
        QCOMPARE(Unexpected(m_dir->path(), {"Stat.txt", "Stat.txt.lock", "history.sqlite"}), QStringList());
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
        QVERIFY2(opened.ok && opened.message.empty(), opened.message.c_str());
        for (const TurnRecord &t : turns(h)) {
            QCOMPARE(t, Turn(Noon + t.finalScore, 1, t.finalScore, "k" + std::to_string(t.finalScore)));
            stored.insert(t.finalScore);
        }
        QVERIFY2(std::ranges::includes(stored, reported), "a turn reported committed is missing");
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
        History h;
        QVERIFY(h.Open(folder()).ok);
        const auto at = [](int daysAgo, int hour) { return Noon - daysAgo * Day + (hour - 12) * 3600; };
        for (const TurnRecord &t : {Turn(at(10, 8), 1, 40, "A"), Turn(at(2, 9), 1, 10, "B"), Turn(at(2, 23), 2, 20, "C"),
                                    Turn(at(1, 0), 2, 60, "D"), Turn(at(0, 11), 1, 40, "E")})
            QVERIFY(h.Append(t).ok);
        HistoryFilter f;
        f.now = Noon + daysLater * Day;
        if (level >= 0)
            f.minLevel = f.maxLevel = level;
        int days = -1;
        QVERIFY(h.DailyStreak(f, days).ok);
        QTEST(days, "streak");
        if (daysLater != 0 || level >= 0)
            return;
        std::vector<BestTurn> best;
        QVERIFY(h.BestTurnByLevel(f, best).ok);
        QVERIFY(best.size() == 2 && best[0].puzzleCode == "A" && best[1].puzzleCode == "D");  // the earlier of a tie
    }
};

QTEST_APPLESS_MAIN(TestResults)
#include "tst_results.moc"
