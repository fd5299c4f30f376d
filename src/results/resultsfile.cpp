#include "resultsfile.h"

#include <cerrno>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileCloser {
    void operator()(std::FILE *f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::string_view CannotOpen = "Can not open Stat.txt";

// Longest bonus text kept for a message.
constexpr std::size_t MaxBonusText = 64;

std::string NotAnInteger(std::string_view text)
{
    // Built by appending: g++ 12 warns falsely (-Wrestrict) on "'" + string.
    std::string message = "'";
    message.append(text);
    message.append("' is not a valid integer value");
    return message;
}

// Takes the bytes of one line, piece by piece, and keeps only its bonus field,
// so a line of any length costs no memory and is skipped at memchr speed.
class LineScanner {
public:
    void Feed(const char *data, std::size_t size)
    {
        m_any = m_any || size > 0;
        while (size > 0 && m_commas < 2) {
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
            }
            if (!comma)
                return;
            ++m_commas;
            data += field + 1;
            size -= field + 1;
        }
    }
    bool Any() const { return m_any; }
    // Applies the line to the threshold; false when its bonus is not a number.
    bool Finish(int &threshold, std::string &error)
    {
        const bool ok = m_number;
        if (!ok)
            error = NotAnInteger(std::string("0").append(m_bonus).append(m_truncated ? "..." : ""));
        else if (m_value > threshold)
            threshold = m_value;
        *this = LineScanner{};
        return ok;
    }

private:
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
// block the game until someone writes to it, a device) is refused.
File OpenRegularFile(const std::string &path)
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
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    File f(::fdopen(fd, "rb"));
    if (!f)
        ::close(fd);
    return f;
}

bool ReadWholeFile(const std::string &path, std::string &contents, int &err)
{
    File f = OpenRegularFile(path);
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

// Writes a temporary file beside the target, flushes it to disk and renames it
// over the target, so the target is always either the old file or the new one.
std::string ReplaceFile(const std::string &path, std::string_view contents, mode_t mode)
{
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return SystemError(errno);
    int err = 0;
    if (!WriteAll(fd, contents) || ::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)
        err = errno ? errno : EIO;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && std::rename(temp.c_str(), path.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        return SystemError(err);
    }
    return {};
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
    ReadResult result{recordThreshold, {}};
    File f = OpenRegularFile(path);
    if (!f) {
        result.error = CannotOpen;
        return result;
    }
    LineScanner line;
    int linesRead = 0;
    bool afterCR = false;
    std::vector<char> buffer(1 << 16);
    while (linesRead < ResultLinesRead) {
        const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), f.get());
        if (n == 0) {
            if (std::ferror(f.get()))
                result.error = CannotOpen;
            else if (line.Any())
                line.Finish(result.RecordThreshold, result.error);
            return result;
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
            if (!line.Finish(result.RecordThreshold, result.error))
                return result;
            p = eol + 1;
            if (*eol == '\r') {
                if (p == end)
                    afterCR = true;
                else if (*p == '\n')
                    ++p;
            }
        }
    }
    return result;
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

    std::string old;
    int err = 0;
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return failed + "it is not a regular file" + untouched;
        mode = st.st_mode & 07777;
        if (!ReadWholeFile(path, old, err))
            return failed + SystemError(err) + untouched;
    } else if (errno != ENOENT) {
        return failed + SystemError(errno) + untouched;
    }

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

    const std::string error = ReplaceFile(path, contents, mode);
    return error.empty() ? error : failed + error + untouched;
}
