// What the results file can meet on a player's disk: huge or failing files,
// links, a game killed while saving and two games saving at once. Whatever
// happens the game starts, says what is wrong where the player must act, and
// never loses or mixes up the results already stored.
#include "results/resultsfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// What is in the folder besides `expected`, hidden files included.
QStringList Unexpected(const QString &folder, const QStringList &expected = {"Stat.txt", "Stat.txt.lock"})
{
    QStringList rest = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : expected)
        rest.removeAll(name);
    return rest;
}

const QByteArray Stored = "Ann,57,12,,\r\nBen,31,40,,\r\nCid,3,99,x,\r\n";

} // namespace

class TestResultsFaults : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::string path() const { return m_dir->filePath(QStringLiteral("Stat.txt")).toStdString(); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void hugeFilesReadOnlyWhatIsUsed_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("threshold");
        QTest::newRow("a million lines: only the first 9 count")
            << "a,3,1,,\r\nb,8,1,,\r\n" + QByteArray("zz,999,1,,\r\n").repeated(1000000) << 999;
        QTest::newRow("one 100 MB line") << "Ann,42,5," + QByteArray(100 << 20, 'x') + "\r\nBen,43,1,,\r\n" << 43;
        QTest::newRow("a 10 MB bonus is no number") << "Ann," + QByteArray(10 << 20, '7') << 0;
    }
    void hugeFilesReadOnlyWhatIsUsed()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, threshold);
        Write(path(), contents);
        const ReadResult r = ReadResultFile(path());
        QCOMPARE(r.RecordThreshold, threshold);
        // The message names the bad text without repeating megabytes of it,
        // and the table keeps no more of a field than it can show.
        QVERIFY(r.error.size() < 200);
        std::string error;
        for (const ResultEntry &e : ReadResultEntries(path(), &error))
            QVERIFY(e.name.size() + e.seconds.size() + e.extra.size() <= 3 * ResultFieldKept);
        QCOMPARE(error, r.error);
    }

    // Every way the write can fail says why and leaves the old file byte for
    // byte, with no temporary file beside it.
    void failedWritesLeaveTheOldFile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("message");
        QTest::newRow("read-only folder") << "readonly" << "Permission denied";
        QTest::newRow("file size limit hit mid-write") << "fsize" << "File too large";
        QTest::newRow("full disk") << "full" << "No space left on device";
    }
    void failedWritesLeaveTheOldFile()
    {
        QFETCH(QString, how);
        QFETCH(QString, message);
        const std::string p = path(), folder = m_dir->path().toStdString();
        if (how == QLatin1String("full") && mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=320k") != 0)
            QSKIP("cannot mount a small tmpfs here (needs root)");
        const QByteArray big = Stored + QByteArray(256 * 1024, 'y') + "\r\n";
        Write(p, big);

        const pid_t pid = fork();
        if (pid == 0) {
            if (how == QLatin1String("readonly")) {
                chmod(folder.c_str(), 0555);
                // Permissions do not stop root; a plain user they do.
                if (geteuid() == 0 && setuid(65534) != 0)
                    _exit(3);
            } else if (how == QLatin1String("fsize")) {
                std::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{64 * 1024, 64 * 1024};
                setrlimit(RLIMIT_FSIZE, &limit);
            }
            _exit(SaveRecord(p, "Ann", 900, 5).find(message.toStdString()) != std::string::npos ? 0 : 4);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        chmod(folder.c_str(), 0755);
        const QByteArray after = Read(p);
        const QStringList strays = Unexpected(m_dir->path());
        if (how == QLatin1String("full"))
            umount(folder.c_str());
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "the failure was not reported");
        QCOMPARE(after, big);
        QCOMPARE(strays, QStringList());
    }

    void killedWhileSavingLeavesOldOrNewWhole()
    {
        QByteArray old = Stored;
        for (int i = 0; i < 40000; ++i)
            old += "Player" + QByteArray::number(i) + ",1,1,,\r\n";
        const QByteArray updated = "Zed,999,7,,\r\n" + old;
        const std::string p = path();
        // A player's backup named like a temporary file must survive the clean-up.
        Write(p + ".bak123", Stored);

        // The kill delay homes in on the moment the new file takes over: longer
        // after a kill that left the old file, shorter after one that left the
        // new, so kills land on both sides of it and on every step of the save.
        long delay = 0;
        int sawOld = 0, sawNew = 0, leftTemporary = 0;
        for (int round = 0; round < 60; ++round) {
            Write(p, old);
            const pid_t pid = fork();
            if (pid == 0) {
                SaveRecord(p, "Zed", 999, 7);
                _exit(0);
            }
            usleep(static_cast<useconds_t>(delay));
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);

            const QByteArray now = Read(p);
            QVERIFY2(now == old || now == updated, qPrintable(QStringLiteral("mixed file in round %1").arg(round)));
            delay = now == old ? delay * 3 / 2 + 100 : delay * 2 / 3;
            (now == old ? sawOld : sawNew)++;
            leftTemporary += Unexpected(m_dir->path()).size() > 1;
        }
        qInfo("old file: %d, new file: %d, temporary file left: %d", sawOld, sawNew, leftTemporary);
        QVERIFY(sawOld > 0 && sawNew > 0);

        // The next save clears what killed saves left, and nothing else.
        QVERIFY(SaveRecord(p, "Amy", 5, 1).empty());
        QCOMPARE(Unexpected(m_dir->path()), QStringList{"Stat.txt.bak123"});
        QCOMPARE(Read(p + ".bak123"), Stored);
    }

    void concurrentSavesKeepEveryRecord_data()
    {
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("one path") << false;
        QTest::newRow("half of them through a symbolic link") << true;
    }
    void concurrentSavesKeepEveryRecord()
    {
        QFETCH(bool, throughLink);
        const std::string p = path(), link = p + "-link";
        Write(p, Stored);
        QVERIFY(symlink("Stat.txt", link.c_str()) == 0);

        // Several running games, released at the same moment by closing a pipe.
        constexpr int Games = 6, Each = 5;
        int gate[2];
        QVERIFY(pipe(gate) == 0);
        for (int g = 0; g < Games; ++g) {
            const pid_t pid = fork();
            if (pid == 0) {
                close(gate[1]);
                char c;
                if (read(gate[0], &c, 1) != 0)
                    _exit(9);
                int failed = 0;
                for (int i = 0; i < Each; ++i)
                    failed += !SaveRecord(throughLink && g % 2 ? link : p, "G" + std::to_string(g * Each + i),
                                          g * 10 + i, 1).empty();
                _exit(failed);
            }
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

    void linkIsWrittenThrough_data()
    {
        QTest::addColumn<QString>("link");  // where Stat.txt points; "@" is the test folder
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("relative link into a subfolder") << "data/real.txt" << true;
        QTest::newRow("absolute link") << "@/data/real.txt" << true;
        QTest::newRow("link to a link") << "data/mid.txt" << true;
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
        QCOMPARE(ReadResultFile(path()).RecordThreshold, targetExists ? 57 : 40);
        QCOMPARE(Unexpected(data, {"real.txt", "real.txt.lock", "mid.txt"}), QStringList());
        QCOMPARE(Unexpected(m_dir->path(), {"Stat.txt", "data"}), QStringList());
    }
};

QTEST_APPLESS_MAIN(TestResultsFaults)
#include "tst_resultsfaults.moc"
