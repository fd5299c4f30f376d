#include "core/storage/resultsfile.h"

#include "core/storage/durablefile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileCloser {
    void operator()(std::FILE *f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Longest bonus text kept for a message.
constexpr std::size_t MaxBonusText = 64;

// The one line earlier versions showed for a problem.
std::string OneLine(const ResultsError &e)
{
    switch (e.problem) {
    case ResultsProblem::None:
        break;
    case ResultsProblem::CannotOpen:
        return "Can not open Stat.txt";
    case ResultsProblem::NotANumber: {
        // Built by appending: g++ 12 warns falsely (-Wrestrict) on "'" + string.
        std::string message = "'";
        message.append(e.text);
        message.append("' is not a valid integer value");
        return message;
    }
    }
    return {};
}

// Takes the bytes of one line, piece by piece, and keeps its four fields: the
// bonus as a number (plus its first bytes for a message), the other three only
// when asked and cut at ResultFieldKept. A line of any length so costs a
// bounded amount of memory and is skipped at memchr speed.
class LineScanner {
public:
    explicit LineScanner(bool keepText) : m_keepText(keepText) {}

    void Feed(const char *data, std::size_t size)
    {
        m_any = m_any || size > 0;
        while (size > 0 && m_commas < 4) {
            const auto *comma = static_cast<const char *>(std::memchr(data, ',', size));
            const std::size_t field = comma ? static_cast<std::size_t>(comma - data) : size;
            if (m_commas == 1) {
                // Read as ParseBonus reads it, digit by digit, so that leading
                // zeros never make a number too long; the text only serves the message.
                for (std::size_t i = 0; i < field && m_number; ++i) {
                    const int digit = data[i] - '0';
                    m_number = digit >= 0 && digit <= 9 && m_value <= (std::numeric_limits<int>::max() - digit) / 10;
                    m_value = m_number ? m_value * 10 + digit : 0;
                }
                const std::size_t keep = std::min(field, MaxBonusText - m_bonus.size());
                m_bonus.append(data, keep);
                m_truncated = m_truncated || keep < field;
            } else if (m_keepText) {
                std::string &text = m_commas == 0 ? m_entry.name : m_commas == 2 ? m_entry.seconds : m_entry.extra;
                text.append(data, std::min(field, ResultFieldKept - text.size()));
            } else if (m_commas > 1) {
                return;  // nothing more of this line is needed
            }
            if (!comma)
                return;
            ++m_commas;
            data += field + 1;
            size -= field + 1;
        }
    }
    bool Any() const { return m_any; }
    bool Number() const { return m_number; }
    int Value() const { return m_value; }
    // The bonus as read: "0" and its text, as ParseBonus reads it.
    std::string BonusText() const { return std::string("0").append(m_bonus).append(m_truncated ? "..." : ""); }
    ResultEntry TakeEntry()
    {
        m_entry.score = m_number ? m_value : 0;
        m_entry.readable = m_number;
        return std::move(m_entry);
    }
    void Reset() { *this = LineScanner(m_keepText); }

private:
    bool m_keepText;
    ResultEntry m_entry;
    std::string m_bonus;
    int m_value = 0;
    bool m_number = true;
    int m_commas = 0;
    bool m_truncated = false;
    bool m_any = false;
};

// The first CR or LF in [data, data + size), or data + size.
const char *LineEnd(const char *data, std::size_t size)
{
    const auto *cr = static_cast<const char *>(std::memchr(data, '\r', size));
    const auto *lf = static_cast<const char *>(std::memchr(data, '\n', cr ? static_cast<std::size_t>(cr - data) : size));
    return lf ? lf : cr ? cr : data + size;
}

std::string SystemError(int err) { return std::strerror(err); }

// Opens a regular file for reading. Anything else (a folder, a pipe that would
// block the game until someone writes to it, a device) is refused with EINVAL.
File OpenRegularFile(const std::string &path, mode_t *mode = nullptr)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return nullptr;
    }
    if (mode)
        *mode = st.st_mode & 07777;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    File f(::fdopen(fd, "rb"));
    if (!f)
        ::close(fd);
    return f;
}

enum class Scan { Done, Missing, Failed };

// The one line splitter of both readers: feeds the first 9 lines to `use`,
// with their numbers from 1, until it returns false. Only the bytes of those
// lines are read.
template <typename Use>
Scan ScanFirstLines(const std::string &path, bool keepText, Use use)
{
    File f = OpenRegularFile(path);
    if (!f)
        return errno == ENOENT ? Scan::Missing : Scan::Failed;
    LineScanner line(keepText);
    int linesRead = 0;
    bool afterCR = false;
    std::vector<char> buffer(1 << 16);
    while (linesRead < ResultLinesRead) {
        const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), f.get());
        if (n == 0) {
            if (std::ferror(f.get()))
                return Scan::Failed;
            if (line.Any())
                use(line, linesRead + 1);
            return Scan::Done;
        }
        const char *p = buffer.data();
        const char *const end = p + n;
        if (afterCR && *p == '\n')
            ++p;  // the LF of a CR LF split between two reads
        afterCR = false;
        while (p < end && linesRead < ResultLinesRead) {
            const char *eol = LineEnd(p, static_cast<std::size_t>(end - p));
            line.Feed(p, static_cast<std::size_t>(eol - p));
            if (eol == end)
                break;
            ++linesRead;
            if (!use(line, linesRead))
                return Scan::Done;
            line.Reset();
            p = eol + 1;
            if (*eol == '\r') {
                if (p == end)
                    afterCR = true;
                else if (*p == '\n')
                    ++p;
            }
        }
    }
    return Scan::Done;
}

bool ReadWholeFile(const std::string &path, std::string &contents, mode_t &mode, int &err)
{
    File f = OpenRegularFile(path, &mode);
    if (!f) {
        err = errno;
        return false;
    }
    std::vector<char> buffer(1 << 16);
    contents.clear();
    for (;;) {
        const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), f.get());
        contents.append(buffer.data(), n);
        if (n < buffer.size())
            break;
    }
    if (std::ferror(f.get())) {
        err = errno ? errno : EIO;
        return false;
    }
    return true;
}

// Follows symbolic links to the file they end at (which may not exist yet), so
// that a save replaces the target and a link the player set up stays a link.
bool FollowLinks(std::string &path, int &err)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        std::string target(256, '\0');
        for (;;) {
            const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
            if (n < 0) {
                err = errno;
                return false;
            }
            if (static_cast<std::size_t>(n) < target.size()) {
                target.resize(static_cast<std::size_t>(n));
                break;
            }
            target.resize(target.size() * 2);
        }
        path = !target.empty() && target.front() == '/' ? target : FolderOf(path) + "/" + target;
    }
    err = ELOOP;
    return false;
}

// A descriptor closed at the end of its scope; closing the lock file's ends the lock.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int Get() const { return m_fd; }

private:
    int m_fd;
};

// Waits for the exclusive lock on "<file>.lock", creating that file when
// missing and keeping it afterwards (removing it would let a waiting save lock
// a file no longer in the folder). Returns -1 with errno set on failure.
int LockBeside(const std::string &file)
{
    const std::string lockPath = file + ".lock";
    int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0 && errno == EACCES) {
        // Made by another user and read-only to us: flock works on any descriptor.
        fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            errno = EACCES;
    }
    if (fd < 0)
        return -1;
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            const int err = errno;
            ::close(fd);
            errno = err;
            return -1;
        }
    }
    return fd;
}

// The target is always either the old file or the new one, after a power cut
// too; the temporary file has a name only a save of this file uses.
std::string ReplaceFile(const std::string &path, std::string_view contents, mode_t mode)
{
    const int err = ReplaceDurably(path, contents, mode);
    return err == 0 ? std::string() : SystemError(err);
}

} // namespace

ResultFields StringOnPar(std::string_view line)
{
    ResultFields fields;
    std::string *parts[] = {&fields.name, &fields.bonus, &fields.seconds, &fields.extra};
    std::size_t pos = 0;
    for (std::string *part : parts) {
        if (pos > line.size())
            break;
        const std::size_t comma = line.find(',', pos);
        const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
        *part = std::string(line.substr(pos, end - pos));
        pos = end + 1;
    }
    return fields;
}

bool ParseBonus(std::string_view field, int &value)
{
    long long v = 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
        if (v > std::numeric_limits<int>::max())
            return false;
    }
    value = static_cast<int>(v);
    return true;
}

ReadResult ReadResultFile(const std::string &path, int recordThreshold)
{
    ReadResult result{recordThreshold, {}, {}};
    const Scan scan = ScanFirstLines(path, false, [&](const LineScanner &line, int number) {
        if (!line.Number()) {
            result.problem = {ResultsProblem::NotANumber, line.BonusText(), number, path};
            return false;
        }
        result.RecordThreshold = std::max(result.RecordThreshold, line.Value());
        return true;
    });
    if (scan == Scan::Failed)
        result.problem = {ResultsProblem::CannotOpen, {}, 0, path};
    result.error = OneLine(result.problem);
    return result;
}

std::vector<ResultEntry> ReadResultEntries(const std::string &path, ResultsError *error)
{
    std::vector<ResultEntry> entries;
    ResultsError first;
    const Scan scan = ScanFirstLines(path, true, [&](LineScanner &line, int number) {
        if (!line.Number() && !first)
            first = {ResultsProblem::NotANumber, line.BonusText(), number, path};
        entries.push_back(line.TakeEntry());
        entries.back().line = number;
        entries.back().counts = !first;
        return true;
    });
    if (scan == Scan::Failed)
        first = {ResultsProblem::CannotOpen, {}, 0, path};
    if (error)
        *error = std::move(first);
    return entries;
}

std::string SanitizeName(std::string_view name)
{
    std::string clean(name);
    for (char &c : clean) {
        const auto u = static_cast<unsigned char>(c);
        if (c == ',' || u < 0x20 || u == 0x7f)
            c = ' ';
    }
    return clean;
}

std::string RecordLine(std::string_view name, int score, int seconds)
{
    return SanitizeName(name) + "," + std::to_string(score) + "," + std::to_string(seconds) + ",,\r\n";
}

std::string SaveRecord(const std::string &path, std::string_view name, int score, int seconds)
{
    const std::string failed = "Your record could not be saved in " + path + ": ";
    const std::string untouched = ". The results file was left as it was.";

    std::string target = path;
    int err = 0;
    if (!FollowLinks(target, err))
        return failed + SystemError(err) + untouched;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return failed + "it is not a regular file" + untouched;

    // Another running game may be saving too: the file is read and replaced
    // under the lock, so neither save overwrites the other's record.
    const Fd lock(LockBeside(target));
    if (lock.Get() < 0)
        return failed + SystemError(errno) + untouched;
    RemoveLeftovers(target);

    std::string old;
    mode_t mode = NewFileMode();  // a file replaced keeps its own
    if (!ReadWholeFile(target, old, mode, err) && err != ENOENT)
        return failed + (err == EINVAL ? std::string("it is not a regular file") : SystemError(err)) + untouched;

    // Find the first line whose bonus is lower than the score (or unreadable).
    std::size_t insertAt = old.size();
    for (std::size_t pos = 0; pos < old.size();) {
        std::size_t end = old.find_first_of("\r\n", pos);
        const std::size_t contentEnd = end == std::string::npos ? old.size() : end;
        int bonus = 0;
        if (!ParseBonus(StringOnPar(std::string_view(old).substr(pos, contentEnd - pos)).bonus, bonus) || bonus < score) {
            insertAt = pos;
            break;
        }
        if (end == std::string::npos)
            break;
        end += (old[end] == '\r' && end + 1 < old.size() && old[end + 1] == '\n') ? 2 : 1;
        pos = end;
    }

    std::string record = RecordLine(name, score, seconds);
    std::string contents;
    contents.reserve(old.size() + record.size() + 2);
    contents.append(old, 0, insertAt);
    if (insertAt == old.size() && !old.empty() && old.back() != '\n' && old.back() != '\r')
        contents += "\r\n";
    contents += record;
    contents.append(old, insertAt, std::string::npos);

    const std::string error = ReplaceFile(target, contents, mode);
    return error.empty() ? error : failed + error + untouched;
}
