// What the results file can meet on a player's disk: failing writes, links, a
// game killed while saving and two games saving at once. Whatever happens the
// game says what is wrong where the player must act, and never loses or mixes
// up the results already stored.
#include "results/resultsfile.h"

#include <QtTest>

#include <csignal>
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

    // A save into a read-only folder says why and leaves the old file byte
    // for byte, with no temporary file beside it.
    void failedWriteLeavesTheOldFile()
    {
        const std::string p = path(), folder = m_dir->path().toStdString();
        Write(p, Stored);
        chmod(folder.c_str(), 0555);
        const pid_t pid = fork();
        if (pid == 0) {
            if (geteuid() == 0 && setuid(65534) != 0)  // permissions do not stop root; a plain user they do
                _exit(3);
            _exit(SaveRecord(p, "Ann", 900, 5).find("Permission denied") != std::string::npos ? 0 : 4);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        chmod(folder.c_str(), 0755);
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "the failure was not reported");
        QCOMPARE(Read(p), Stored);
        QCOMPARE(Unexpected(m_dir->path()), QStringList());
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
            delay = now == old ? delay * 3 / 2 + 100 : delay * 2 / 3;
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
};

QTEST_APPLESS_MAIN(TestResultsFaults)
#include "tst_resultsfaults.moc"
