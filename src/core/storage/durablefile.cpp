#include "core/storage/durablefile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string FolderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

void SyncFolder(const std::string &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

mode_t NewFileMode()
{
    // Linux shows the umask in /proc without changing it; setting it to read
    // it, even if put back at once, races with files other threads create.
    // Read with plain calls: every save asks, and a stdio stream and scanf
    // cost more than the rest of a small save's bookkeeping.
    unsigned mask = 0;
    bool read = false;
    const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        char text[2048];
        const ssize_t got = ::read(fd, text, sizeof text - 1);
        ::close(fd);
        text[got > 0 ? got : 0] = '\0';
        if (const char *at = std::strstr(text, "\nUmask:\t")) {
            read = true;
            for (at += 8; *at >= '0' && *at <= '7'; ++at)
                mask = mask * 8 + static_cast<unsigned>(*at - '0');
        }
    }
    if (!read) {
        mask = ::umask(0);
        ::umask(static_cast<mode_t>(mask));
    }
    return static_cast<mode_t>(0666 & ~mask);
}

std::string TemporaryPrefix(const std::string &path)
{
    return ".trivisto-save-" + path.substr(path.rfind('/') + 1) + ".";
}

int ReplaceDurably(const std::string &path, std::string_view contents, mode_t mode)
{
    std::string tempTemplate = FolderOf(path) + "/" + TemporaryPrefix(path) + "XXXXXX";
    const int fd = ::mkostemp(tempTemplate.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    int err = 0;
    if (!WriteAll(fd, contents) || ::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)
        err = errno ? errno : EIO;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && std::rename(tempTemplate.c_str(), path.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(tempTemplate.c_str());
        return err;
    }
    SyncFolder(FolderOf(path));
    return 0;
}

void RemoveLeftovers(const std::string &file)
{
    const std::string prefix = TemporaryPrefix(file);
    DIR *dir = ::opendir(FolderOf(file).c_str());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string_view n = entry->d_name;
        if (n.size() == prefix.size() + 6 && n.substr(0, prefix.size()) == prefix &&
            std::all_of(n.begin() + static_cast<std::ptrdiff_t>(prefix.size()), n.end(),
                        [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }))
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}
