// Saving a record rewrites Stat.txt, which players keep for years and edit by
// hand. Whatever the old file holds, the record must be inserted whole where
// the ordering puts it, every other byte of the old file must survive, and
// the file must read back: a record that beats the old threshold is the new
// threshold at the next start.
//
// Input: "<score>\n<seconds>\n<name>\0<old file>". Without the NUL there is
// no old file at all; the numbers saturate at the int range.

#include "fuzzsupport.h"
#include "core/storage/resultsfile.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>

namespace {

struct Case {
    int score = 0;
    int seconds = 0;
    std::string name;
    bool hasOldFile = false;
    std::string oldFile;
};

// Optional '-', then digits up to the line's end; anything else stops the number.
int TakeNumber(std::string_view &in)
{
    const std::size_t eol = in.find('\n');
    std::string_view text = in.substr(0, eol);
    in.remove_prefix(eol == std::string_view::npos ? in.size() : eol + 1);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min<long long>(value * 10 + (c - '0'), 1LL << 32);
    }
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

Case Decode(std::string_view in)
{
    Case c;
    c.score = TakeNumber(in);
    c.seconds = TakeNumber(in);
    const std::size_t nul = in.find('\0');
    c.name = std::string(in.substr(0, nul));
    if (nul != std::string_view::npos) {
        c.hasOldFile = true;
        c.oldFile = std::string(in.substr(nul + 1));
    }
    return c;
}

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

int IntOf(std::string_view text, bool &ok)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    ok = ec == std::errc{} && end == text.data() + text.size();
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Case c = Decode(std::string_view(reinterpret_cast<const char *>(data), size));
    const std::filesystem::path dir = fuzz::ScratchDir::Path();
    const std::filesystem::path path = dir / "Stat.txt";
    std::error_code ec;
    std::filesystem::remove(path, ec);
    if (c.hasOldFile)
        fuzz::WriteFile(path, c.oldFile);
    const std::string &old = c.oldFile;
    const int oldThreshold = ReadResultFile(path.string()).RecordThreshold;

    const std::string context = "old file " + (c.hasOldFile ? fuzz::Quoted(old) : std::string("(none)")) +
                                ", name " + fuzz::Quoted(c.name) + ", score " + std::to_string(c.score) +
                                ", seconds " + std::to_string(c.seconds);

    const std::string error = SaveRecord(path.string(), c.name, c.score, c.seconds);
    FUZZ_CHECK(error.empty(), context + ", error " + error);
    const std::string now = fuzz::ReadFile(path);
    const std::string ctx = context + ", new file " + fuzz::Quoted(now);

    // The atomic replacement leaves no temporary file behind; the lock file stays.
    for (const auto &entry : std::filesystem::directory_iterator(dir)) {
        const std::string file = entry.path().filename().string();
        FUZZ_CHECK(file == "Stat.txt" || file == "Stat.txt.lock", ctx + ", stray file " + fuzz::Quoted(file));
    }

    // Find the inserted line: a whole line ending in CR LF whose removal gives
    // back the old file, or the old file plus the one CR LF that ends its last
    // line when it had no line break. Among equal neighbours the last one is
    // the record, as an equal bonus stays above it.
    const bool oldEndsOpen = !old.empty() && !IsBreak(old.back());
    std::size_t at = std::string::npos;  // where the record went, as an offset in the old file
    std::string_view record;
    for (const fuzz::Line &line : fuzz::SplitLines(now)) {
        if (now.compare(line.contentEnd, line.end - line.contentEnd, "\r\n") != 0)
            continue;
        const std::size_t k = line.begin;
        const std::size_t e = line.end;
        const bool plain = k <= old.size() && now.size() - e == old.size() - k && now.compare(0, k, old, 0, k) == 0 &&
                           now.compare(e, std::string::npos, old, k, std::string::npos) == 0;
        const bool closedLastLine = oldEndsOpen && k == old.size() + 2 && e == now.size() &&
                                    now.compare(0, old.size(), old) == 0 && now.compare(old.size(), 2, "\r\n") == 0;
        if (plain || closedLastLine) {
            at = plain ? k : old.size();
            record = line.Content(now);
        }
    }
    FUZZ_CHECK(at != std::string::npos, ctx + ": the old file is not kept byte for byte around one new line");

    // The record reads back as saved, its name cleaned of what would break the line.
    const ResultFields fields = StringOnPar(record);
    FUZZ_CHECK(fields.name.size() == c.name.size(), ctx);
    for (std::size_t i = 0; i < c.name.size(); ++i) {
        const auto in = static_cast<unsigned char>(c.name[i]);
        const auto out = static_cast<unsigned char>(fields.name[i]);
        const bool mustGo = in == ',' || in < 0x20 || in == 0x7f;
        FUZZ_CHECK(mustGo ? out == ' ' : out == in, ctx + ", name byte " + std::to_string(i));
    }
    bool ok = false;
    FUZZ_CHECK(IntOf(fields.bonus, ok) == c.score && ok, ctx + ", bonus field " + fuzz::Quoted(fields.bonus));
    FUZZ_CHECK(IntOf(fields.seconds, ok) == c.seconds && ok, ctx + ", seconds field " + fuzz::Quoted(fields.seconds));
    FUZZ_CHECK(fields.extra.empty(), ctx);

    // The ordering: every line above the record has a bonus at least as high;
    // the line right below it has a lower bonus or one that is not a number.
    for (const fuzz::Line &line : fuzz::SplitLines(old)) {
        int bonus = 0;
        const bool number = ParseBonus(StringOnPar(line.Content(old)).bonus, bonus);
        const std::string where = ctx + ", old line at byte " + std::to_string(line.begin);
        if (line.begin < at)
            FUZZ_CHECK(number && bonus >= c.score, where + " stays above the record");
        else if (line.begin == at)
            FUZZ_CHECK(!number || bonus < c.score, where + " goes below the record");
    }

    // A record beats the file: the next start must ask to beat it.
    if (c.score > oldThreshold) {
        const ReadResult r = ReadResultFile(path.string());
        FUZZ_CHECK(r.RecordThreshold == c.score, ctx + ", old threshold " + std::to_string(oldThreshold) +
                                                     ", new threshold " + std::to_string(r.RecordThreshold) +
                                                     ", error " + fuzz::Quoted(r.error));
    }
    return 0;
}
