// Helpers shared by the fuzz targets: a failing property aborts with a message
// (libFuzzer then keeps the input that did it), a private scratch folder for
// the results-file targets, and a line splitter that follows the results
// file's line endings independently of the code under test.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace fuzz {

[[noreturn]] inline void Fail(const char *condition, const std::string &detail)
{
    std::fprintf(stderr, "\nPROPERTY BROKEN: %s\n%s\n", condition, detail.c_str());
    std::abort();
}

// `detail` is only built when the property fails.
#define FUZZ_CHECK(condition, detail)                 \
    do {                                              \
        if (!(condition))                             \
            ::fuzz::Fail(#condition, (detail));       \
    } while (0)

// Bytes as a C string literal, shortened, for failure messages.
inline std::string Quoted(std::string_view bytes, std::size_t max = 240)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < bytes.size() && i < max; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '"' || c == '\\')
            out += std::string("\\") + static_cast<char>(c);
        else if (c < 0x20 || c >= 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else
            out += static_cast<char>(c);
    }
    out += bytes.size() > max ? "\"..." : "\"";
    return out;
}

// One folder per fuzzing process, removed when the process ends normally. It
// lives in memory when it can (/dev/shm), because the results code syncs
// every file it saves to disk. TRIVISTO_FUZZ_TMPDIR overrides the place.
class ScratchDir {
public:
    static const std::filesystem::path &Path()
    {
        static const ScratchDir dir;
        return dir.m_path;
    }

private:
    ScratchDir()
    {
        std::string base;
        if (const char *env = std::getenv("TRIVISTO_FUZZ_TMPDIR"))
            base = env;
        else if (::access("/dev/shm", W_OK) == 0)
            base = "/dev/shm";
        else if (const char *tmp = std::getenv("TMPDIR"))
            base = tmp;
        else
            base = "/tmp";
        std::string templ = base + "/trivisto-fuzz-XXXXXX";
        if (!::mkdtemp(templ.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        m_path = templ;
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::filesystem::path m_path;
};

inline void WriteFile(const std::filesystem::path &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        Fail("scratch file written", path.string());
}

inline std::string ReadFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Fail("scratch file readable", path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A line of a results file: bytes [begin, contentEnd) without the break,
// [contentEnd, end) the break itself (CR LF, LF, CR, or nothing at the end).
struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;
    std::size_t end = 0;
    std::string_view Content(std::string_view text) const { return text.substr(begin, contentEnd - begin); }
};

// Every line, including a last one without a break; an empty text has none.
inline std::vector<Line> SplitLines(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        Line line;
        line.begin = pos;
        std::size_t i = pos;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n')
            ++i;
        line.contentEnd = i;
        if (i < text.size())
            i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        line.end = i;
        lines.push_back(line);
        pos = i;
    }
    return lines;
}

} // namespace fuzz
