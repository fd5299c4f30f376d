#include "core/storage/durablefile.h"

#include <cerrno>
#include <cstdio>

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

int ReplaceDurably(const std::string &path, std::string_view contents, mode_t mode, std::string tempTemplate)
{
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
