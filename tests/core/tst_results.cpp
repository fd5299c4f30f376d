// The results file (Stat.txt) a player keeps for years, with the record to
// beat and the high-score table. Players edit it by hand; it meets failing
// writes, links, a game killed while saving and two games saving at once.
// Whatever happens the game says what is wrong where the player must act, and
// never loses or mixes up what is already stored.

#include "filetesting.h"

#include <csignal>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "core/storage/resultsfile.h"
#endif

Q_DECLARE_METATYPE(ResultsProblem)

namespace {

const QByteArray Stored = "Ann,57,12,,\r\nBen,31,40,,\r\nCid,3,99,x,\r\n";

} // namespace

class TestResults : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::string folder() const { return m_dir->path().toStdString(); }
    std::string path() const { return m_dir->filePath(QStringLiteral("Stat.txt")).toStdString(); }

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

    // A save keeps the permissions of the file it replaces and gives a new
    // one what the player's umask allows, as any program's new file: a file
    // shared with a group stays shared.
    void permissionsAsThePlayerSetThem_data()
    {
        QTest::addColumn<int>("before");  // 0: no file yet
        QTest::addColumn<int>("after");
        QTest::newRow("new file: 0666 less the umask") << 0 << 0660;
        QTest::newRow("replaced file keeps its own") << 0604 << 0604;
    }
    void permissionsAsThePlayerSetThem()
    {
        QFETCH(int, before);
        if (before != 0) {
            Write(path(), Stored);
            QVERIFY(chmod(path().c_str(), static_cast<mode_t>(before)) == 0);
        }
        const ScopedUmask mask(0007);
        QCOMPARE(QString::fromStdString(SaveRecord(path(), "Zed", 40, 2)), QString());
        QTEST(int(ModeOf(path())), "after");
    }

    // In a read-only folder a record's save says why and leaves the old file
    // byte for byte, with no temporary file left.
    void readOnlyFolderLosesNothing()
    {
        Write(path(), Stored);
        QVERIFY2(HoldsInReadOnlyFolder(folder(), [&] {
                     return SaveRecord(path(), "Ann", 900, 5).find("Permission denied") != std::string::npos;
                 }), "the failed save was not reported");
        QCOMPARE(Read(path()), Stored);
        QCOMPARE(Unexpected(m_dir->path()), QStringList());
    }
};

QTEST_APPLESS_MAIN(TestResults)
#include "tst_results.moc"
