// The turn history (history.sqlite): what a player keeps for years, so every
// finished turn must be found again after an upgrade, a damaged file, a locked
// or unwritable folder, or a game killed mid-write; and the statistics it feeds
// must give the numbers a player would count by hand.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_MOC_RUN
#include "progress/history.h"
#endif

#include <sqlite3.h>

#include <csignal>
#include <set>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr std::int64_t Day = 86400;
// 2026-12-06 12:00 UTC.
constexpr std::int64_t Noon = 20793 * Day + 12 * 3600;

TurnRecord Turn(std::int64_t utc, int level, int finalScore, std::string code = "C-1")
{
    TurnRecord t;
    t.utcSeconds = utc;
    t.puzzleCode = std::move(code);
    t.level = level;
    t.seconds = 60 + level;
    t.sheets = {TurnTally{5, 1, 4}, TurnTally{3, 3, 0}, TurnTally{2, 6, -4}};
    t.total = {10, 10, 0};
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

QString IntegrityCheck(const QString &file)
{
    sqlite3 *db = nullptr;
    sqlite3_stmt *st = nullptr;
    QString verdict = "<cannot open>";
    if (sqlite3_open(file.toUtf8().constData(), &db) == SQLITE_OK &&
        sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        verdict = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return verdict;
}

QByteArray Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList BrokenFiles(const QString &folder)
{
    return QDir(folder).entryList({"history.sqlite.broken-*"}, QDir::Files);
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void turnsReadBack_data();
    void turnsReadBack();
    void migratesVersion1();
    void brokenFilesAreSetAside_data();
    void brokenFilesAreSetAside();
    void unwritablePlacesLeaveItUnavailable_data();
    void unwritablePlacesLeaveItUnavailable();
    void fullDiskKeepsTheTurn();
    void lockedByAnotherCopy();
    void killedMidWriteKeepsCommittedTurns();
    void statisticsMatchHandCounts();
    void dailyStreak_data();
    void dailyStreak();

private:
    void seed(History &h);
    std::unique_ptr<QTemporaryDir> m_dir;
    std::string folder() const { return m_dir->path().toStdString(); }
    QString file() const { return m_dir->filePath("history.sqlite"); }
};

void TestHistory::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestHistory::migratesVersion1()
{
    // A file as the first version wrote it: totals only, no help, no sheets.
    QVERIFY(Sql(file(), "CREATE TABLE turns(id INTEGER PRIMARY KEY, utc INTEGER NOT NULL, code TEXT NOT NULL,"
                        " level INTEGER NOT NULL, seconds INTEGER NOT NULL, total_right INTEGER NOT NULL,"
                        " total_wrong INTEGER NOT NULL, total_score INTEGER NOT NULL, restart INTEGER NOT NULL DEFAULT 0,"
                        " from_code INTEGER NOT NULL DEFAULT 0, daily INTEGER NOT NULL DEFAULT 0);"
                        "INSERT INTO turns VALUES(1, 1700000000, 'old-a', 3, 95, 40, 5, 35, 0, 1, 0);"
                        "INSERT INTO turns VALUES(2, 1700086400, 'old-b', 4, 120, 50, 20, 30, 1, 0, 1);"
                        "PRAGMA user_version = 1;"));
    History h;
    const HistoryStatus opened = h.Open(folder());
    QVERIFY2(opened.ok && opened.message.empty(), opened.message.c_str());
    QVERIFY(h.Append(Turn(1700172800, 5, 12, "new")).ok);
    std::vector<TurnRecord> turns;
    QVERIFY(h.Turns(turns).ok);
    QCOMPARE(turns.size(), std::size_t(3));
    QCOMPARE(turns[0].puzzleCode, std::string("old-a"));
    QVERIFY((turns[0].total == TurnTally{40, 5, 35}));
    QCOMPARE(turns[0].finalScore, 35);  // no help back then: the score was final
    QCOMPARE(turns[1].finalScore, 30);
    QVERIFY(turns[0].fromCode && !turns[0].restart && turns[1].restart && turns[1].daily);
    QCOMPARE(turns[2], Turn(1700172800, 5, 12, "new"));
    std::vector<BestTurn> best;
    QVERIFY(h.BestTurnByLevel({}, best).ok);
    QCOMPARE(best.size(), std::size_t(3));
    QCOMPARE(best[0].finalScore, 35);
    QVERIFY(BrokenFiles(m_dir->path()).isEmpty());
}

void TestHistory::brokenFilesAreSetAside_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("inMessage");
    QTest::newRow("garbage bytes") << "garbage" << "is damaged";
    QTest::newRow("truncated to half") << "truncate" << "is damaged";
    QTest::newRow("truncated inside the header") << "header" << "is damaged";
    QTest::newRow("pages overwritten in the middle") << "scribble" << "is damaged";
    QTest::newRow("written by a newer version") << "newer" << "newer version";
    QTest::newRow("another program's database") << "foreign" << "not those of a turn history";
}

void TestHistory::brokenFilesAreSetAside()
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
    const qint64 size = f.size();
    if (damage == "garbage") {
        f.resize(0);
        f.write(QByteArray("this is not a database, just some words\n").repeated(100));
    } else if (damage == "truncate") {
        f.resize(size / 2);
    } else if (damage == "header") {
        f.resize(50);
    } else if (damage == "scribble") {
        f.seek(size / 3);
        f.write(QByteArray(8192, '\xA5'));
    }
    f.close();
    if (damage == "newer")
        QVERIFY(Sql(file(), "PRAGMA user_version = 3"));
    if (damage == "foreign") {
        QFile::remove(file());
        QVERIFY(Sql(file(), "CREATE TABLE mail(id INTEGER PRIMARY KEY, subject TEXT)"));
    }
    const QByteArray brokenBytes = Bytes(file());

    History h;
    const HistoryStatus opened = h.Open(folder());
    const QString message = QString::fromStdString(opened.message);
    QVERIFY2(opened.ok, qPrintable(message));
    QVERIFY2(message.contains(inMessage) && message.contains("set aside as history.sqlite.broken-") &&
                 message.contains("new, empty history"),
             qPrintable(message));
    const QStringList aside = BrokenFiles(m_dir->path());
    QCOMPARE(aside.size(), 1);
    QVERIFY(message.contains(aside.first()));
    QCOMPARE(Bytes(m_dir->filePath(aside.first())), brokenBytes);  // untouched, for rescue by hand

    std::int64_t count = -1;
    QVERIFY(h.TurnCount({}, count).ok);
    QCOMPARE(count, std::int64_t(0));
    QVERIFY(h.Append(Turn(Noon, 1, 5)).ok);
    QVERIFY(h.TurnCount({}, count).ok);
    QCOMPARE(count, std::int64_t(1));
}

void TestHistory::unwritablePlacesLeaveItUnavailable_data()
{
    QTest::addColumn<bool>("existing");
    QTest::newRow("read-only folder, no history yet") << false;
    QTest::newRow("read-only folder holding a history") << true;
}

void TestHistory::unwritablePlacesLeaveItUnavailable()
{
    QFETCH(bool, existing);
    if (existing) {
        History h;
        QVERIFY(h.Open(folder()).ok);
        QVERIFY(h.Append(Turn(Noon, 1, 5)).ok);
    }
    const QByteArray before = Bytes(file());
    const std::string dir = folder();
    chmod(dir.c_str(), 0555);
    const pid_t pid = fork();
    if (pid == 0) {
        // Permissions do not stop root; a plain user they do.
        if (geteuid() == 0 && setuid(65534) != 0)
            _exit(3);
        History h;
        const HistoryStatus opened = h.Open(dir);
        const HistoryStatus appended = h.Append(Turn(Noon, 1, 5));
        const bool clear = opened.message.find("The turn history is unavailable: " + dir) == 0 &&
                           opened.message.find("The game goes on without recording turns.") != std::string::npos;
        _exit(!opened.ok && !h.IsOpen() && clear && !appended.ok && !appended.message.empty() ? 0 : 4);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    chmod(dir.c_str(), 0755);
    QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "no clear message, or a crash");
    QCOMPARE(Bytes(file()), before);
    QVERIFY(BrokenFiles(m_dir->path()).isEmpty());
}

void TestHistory::fullDiskKeepsTheTurn()
{
    const QString mountPoint = m_dir->filePath("tiny");
    QVERIFY(QDir().mkpath(mountPoint));
    if (mount("tmpfs", mountPoint.toLocal8Bit().constData(), "tmpfs", 0, "size=256k") != 0)
        QSKIP("cannot mount a small tmpfs here (needs root)");
    std::string message;
    int stored = 0;
    std::size_t pending = 0;
    {
        History h;
        QVERIFY(h.Open(mountPoint.toStdString()).ok);
        for (int i = 0; i < 5000; ++i) {
            const HistoryStatus s = h.Append(Turn(Noon + i, 1, i, std::string(500, 'x')));
            if (!s.ok) {
                message = s.message;
                pending = h.PendingTurns();
                break;
            }
            ++stored;
        }
    }
    History again;
    const bool reopened = again.Open(mountPoint.toStdString()).ok;
    std::int64_t count = -1;
    again.TurnCount({}, count);
    again.Close();
    umount(mountPoint.toLocal8Bit().constData());
    QVERIFY2(message.find("The turn was not recorded yet:") == 0 &&
                 message.find("It is kept and recorded with the next turn.") != std::string::npos,
             message.c_str());
    QCOMPARE(pending, std::size_t(1));
    QVERIFY(reopened);
    QCOMPARE(count, std::int64_t(stored));
}

void TestHistory::lockedByAnotherCopy()
{
    History h;
    QVERIFY(h.Open(folder(), 700).ok);
    QVERIFY(h.Append(Turn(Noon, 1, 1)).ok);

    sqlite3 *other = nullptr;
    QCOMPARE(sqlite3_open(file().toUtf8().constData(), &other), SQLITE_OK);
    QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    QElapsedTimer clock;
    clock.start();
    const HistoryStatus blocked = h.Append(Turn(Noon + 1, 1, 2));
    const qint64 waited = clock.elapsed();
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    QVERIFY(!blocked.ok);
    QVERIFY2(blocked.message.find("another running copy of Trivisto kept the history file busy") != std::string::npos,
             blocked.message.c_str());
    QVERIFY2(waited >= 600 && waited < 3000, qPrintable(QString::number(waited)));
    // The turn that met the lock is stored with the next one.
    QVERIFY(h.Append(Turn(Noon + 2, 1, 3)).ok);
    std::vector<TurnRecord> turns;
    QVERIFY(h.Turns(turns).ok);
    QCOMPARE(turns.size(), std::size_t(3));
    QCOMPARE(turns[1].finalScore, 2);
    QCOMPARE(turns[2].finalScore, 3);
}

void TestHistory::killedMidWriteKeepsCommittedTurns()
{
    // Children append numbered turns and report each commit through a pipe;
    // each is killed at a random moment. Every reported turn must be there.
    auto *random = QRandomGenerator::global();
    std::set<int> reported;
    int next = 0;
    for (int round = 0; round < 25; ++round) {
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
                if (h.Append(Turn(Noon + i, i % 7, i, "k" + std::to_string(i))).ok)
                    (void)!::write(fds[1], &i, sizeof i);
        }
        ::close(fds[1]);
        usleep(static_cast<useconds_t>(random->bounded(0, 60000)));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        QVERIFY(WIFSIGNALED(status));
        int i = 0;
        while (::read(fds[0], &i, sizeof i) == sizeof i) {
            reported.insert(i);
            next = std::max(next, i + 1);
        }
        ::close(fds[0]);
        next += 1;  // a turn may have been committed without being reported
    }
    QCOMPARE(IntegrityCheck(file()), QString("ok"));
    History h;
    const HistoryStatus opened = h.Open(folder());
    QVERIFY2(opened.ok && opened.message.empty(), opened.message.c_str());
    std::vector<TurnRecord> turns;
    QVERIFY(h.Turns(turns).ok);
    std::set<int> stored;
    for (const TurnRecord &t : turns) {
        QCOMPARE(t, Turn(Noon + t.finalScore, t.finalScore % 7, t.finalScore, "k" + std::to_string(t.finalScore)));
        stored.insert(t.finalScore);
    }
    for (int r : reported)
        QVERIFY2(stored.count(r), qPrintable(QString("turn %1 was reported committed but is missing").arg(r)));
    QVERIFY(stored.size() <= reported.size() + 25);
    qInfo("%zu turns reported committed over 25 kills, %zu stored", reported.size(), stored.size());
}

// Five turns, "today" being Noon's day T: A on T-10, B and C on T-2, D at the
// midnight that starts T-1, E on T.
void TestHistory::seed(History &h)
{
    QVERIFY(h.Open(folder()).ok);
    const auto at = [](int daysAgo, int hour) { return Noon - daysAgo * Day + (hour - 12) * 3600; };
    TurnRecord a = Turn(at(10, 8), 1, 40, "A");
    a.sheets = {TurnTally{8, 2, 6}, TurnTally{5, 5, 0}, TurnTally{1, 3, -2}};
    TurnRecord b = Turn(at(2, 9), 1, 10, "B");
    b.sheets = {TurnTally{2, 0, 2}, TurnTally{5, 0, 5}, TurnTally{1, 1, 0}};
    TurnRecord c = Turn(at(2, 23), 2, 20, "C");
    c.sheets = {TurnTally{0, 0, 0}, TurnTally{0, 10, -10}, TurnTally{0, 0, 0}};
    c.assessment = 9;
    TurnRecord d = Turn(at(1, 0), 2, 60, "D");
    d.assessment = 9;
    TurnRecord e = Turn(at(0, 11), 1, 40, "E");  // ties A's 40: the earlier turn stays the best
    for (const TurnRecord &t : {a, b, c, d, e})
        QVERIFY(h.Append(t).ok);
}

void TestHistory::statisticsMatchHandCounts()
{
    History h;
    seed(h);
    HistoryFilter all;
    all.now = Noon;

    std::vector<DayScore> days;
    QVERIFY(h.ScoreByDay(all, days, 3).ok);
    QCOMPARE(days.size(), std::size_t(4));
    QCOMPARE(days[0].date, std::string("2026-11-26"));
    QCOMPARE(days[1].turns, 2);
    QCOMPARE(days[1].averageScore, 15.0);
    // Over 3 calendar days, weighted by turns: A's day is out of reach of T-2.
    QCOMPARE(days[1].movingAverage, 15.0);
    QCOMPARE(days[2].movingAverage, (10 + 20 + 60) / 3.0);
    QCOMPARE(days[3].movingAverage, (10 + 20 + 60 + 40) / 4.0);

    // D and E keep Turn()'s sheets: X 5/1, Y 3/3, Z 2/6.
    std::array<SheetAccuracy, 3> acc;
    QVERIFY(h.AccuracyBySheet(all, acc).ok);
    QCOMPARE(*acc[0].accuracy, 20.0 / 24.0);
    QCOMPARE(*acc[1].accuracy, 16.0 / 37.0);
    QCOMPARE(*acc[2].accuracy, 6.0 / 22.0);

    std::vector<BestTurn> best;
    QVERIFY(h.BestTurnByLevel(all, best).ok);
    QCOMPARE(best.size(), std::size_t(2));
    QCOMPARE(best[0].puzzleCode, std::string("A"));
    QCOMPARE(best[1].puzzleCode, std::string("D"));
    HistoryFilter week = all;
    week.period = HistoryPeriod::Last7Days;
    QVERIFY(h.BestTurnByLevel(week, best).ok);
    QCOMPARE(best[0].puzzleCode, std::string("E"));

    std::vector<AssessmentSitting> sittings;
    QVERIFY(h.AssessmentResults(all, sittings).ok);
    QCOMPARE(sittings.size(), std::size_t(1));
    QCOMPARE(sittings[0].turns, 2);
    QCOMPARE(sittings[0].totalFinalScore, std::int64_t(80));
}

void TestHistory::dailyStreak_data()
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

void TestHistory::dailyStreak()
{
    QFETCH(int, daysLater);
    QFETCH(int, level);
    QFETCH(int, streak);
    History h;
    seed(h);
    HistoryFilter f;
    f.now = Noon + daysLater * Day;
    if (level >= 0)
        f.minLevel = f.maxLevel = level;
    int days = -1;
    QVERIFY(h.DailyStreak(f, days).ok);
    QCOMPARE(days, streak);
}

// Every field survives closing and reopening, and the CSV export reads back
// equal, whatever the puzzle code holds.
void TestHistory::turnsReadBack_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("plain code") << "K7-3Q";
    QTest::newRow("comma and quotes") << "a,\"b\",c";
    QTest::newRow("line breaks") << "one\r\ntwo\nthree";
    QTest::newRow("UTF-8 and spaces") << QString::fromUtf8("  \xC3\xB6\xE2\x82\xAC ");
}

void TestHistory::turnsReadBack()
{
    QFETCH(QString, code);
    const std::string dir = folder() + "/new/sub";
    std::vector<TurnRecord> written;
    {
        History h;
        const HistoryStatus opened = h.Open(dir);
        QVERIFY2(opened.ok && opened.message.empty(), opened.message.c_str());
        for (int i = 0; i < 5; ++i) {
            TurnRecord t = Turn(Noon + i * 3601, i, 100 - i, code.toStdString() + std::to_string(i));
            t.hintsUsed = i;
            t.peeksUsed = 2 * i;
            t.helpCost = 3 * i;
            t.restart = i == 1;
            t.fromCode = i == 2;
            t.daily = i == 3;
            t.assessment = i == 4 ? 1234567890123 : 0;
            QVERIFY(h.Append(t).ok);
            written.push_back(t);
        }
    }
    History h;
    QVERIFY(h.Open(dir).ok);
    std::vector<TurnRecord> stored, read;
    QVERIFY(h.Turns(stored).ok);
    QVERIFY(stored == written);

    const std::string csv = m_dir->filePath("out.csv").toStdString();
    const HistoryStatus exported = h.ExportCsv(csv);
    QVERIFY2(exported.ok, exported.message.c_str());
    const HistoryStatus back = ReadHistoryCsv(csv, read);
    QVERIFY2(back.ok, back.message.c_str());
    QVERIFY(read == written);
    const QByteArray text = Bytes(QString::fromStdString(csv));
    QVERIFY(text.startsWith("time_utc,puzzle_code,level,"));
    QVERIFY(text.contains("\r\n2026-12-06T12:00:00Z,"));
}

QTEST_APPLESS_MAIN(TestHistory)
#include "tst_history.moc"
