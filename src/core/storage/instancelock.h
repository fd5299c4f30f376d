#pragma once

#include <string>

// The lock of one running copy of the game over what a player keeps that two
// copies must not both write (a turn to continue, an open assignment). The
// results file and the history are safe for two copies and need none. The
// lock is an flock on a file in the data folder: the system drops it when the
// copy ends, however it ends, so a crash never leaves a stale lock behind.
class InstanceLock {
public:
    static constexpr const char *FileName = "trivisto.lock";

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Takes the lock of folder/trivisto.lock (or of another file name, for
    // one thing a copy keeps, such as an open assignment) without waiting.
    // False when another copy holds it or the file cannot be made (then
    // Error() says why).
    bool TryAcquire(const std::string &folder, const std::string &fileName = FileName);
    void Release();
    bool Held() const { return m_fd >= 0; }
    // Empty when another copy holds the lock; the system's reason otherwise.
    const std::string &Error() const { return m_error; }

private:
    int m_fd = -1;
    std::string m_error;
};
