// Helpers of the tests of the files a player keeps: writing and reading them
// whole, what else lies in their folder, and a check run where the folder
// cannot be written.
#pragma once

#include <QtTest>

#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

inline void Write(const std::string &path, const QByteArray &bytes)
{
    QFile f(QString::fromStdString(path));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

inline QByteArray Read(const std::string &path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// What is in the folder besides `expected`, hidden files included.
inline QStringList Unexpected(const QString &folder, const QStringList &expected = {"Stat.txt", "Stat.txt.lock"})
{
    QStringList rest = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : expected)
        rest.removeAll(name);
    return rest;
}

// Whether check holds when run in a child to whom the folder is read-only
// (root is dropped to nobody: permissions do not stop root).
inline bool HoldsInReadOnlyFolder(const std::string &folder, const std::function<bool()> &check)
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

// The process umask set for one scope: files made meanwhile get 0666 less it.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_old(umask(mask)) {}
    ~ScopedUmask() { umask(m_old); }
    ScopedUmask(const ScopedUmask &) = delete;
    ScopedUmask &operator=(const ScopedUmask &) = delete;

private:
    mode_t m_old;
};

inline mode_t ModeOf(const std::string &path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}
