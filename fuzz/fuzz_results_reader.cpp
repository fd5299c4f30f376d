// Stat.txt holds whatever an editor, a crash or another program left there.
// Reading it at start-up must never crash, never lower the record to beat
// below what the game already knew, and must agree line by line with the
// functions SaveRecord uses: otherwise a record the player just saved could
// be invisible at the next start, or a broken line could count as a record.
// The high-score table must show exactly the first nine lines, those the
// threshold came from marked as counting, and the line where it stopped.
//
// Input: the whole file, byte for byte; it is also read a second time behind
// a filler line that puts one of its first bytes on the reader's 64 KiB block
// boundary, where a line or the CR and LF of one break are split between reads.

#include "fuzzsupport.h"
#include "core/storage/resultsfile.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

// Reads `bytes` as Stat.txt with each initial threshold and compares with
// what its first 9 lines say when each is taken apart on its own: the largest
// bonus up to the first bonus that is not a number (INT_MIN when no line
// gives one).
void CheckFile(std::string_view bytes, bool everyInitial)
{
    const std::filesystem::path path = fuzz::ScratchDir::Path() / "Stat.txt";
    fuzz::WriteFile(path, bytes);

    int best = INT_MIN;
    int stoppedAt = 0;  // the line of the first bonus that is not a number
    std::vector<ResultEntry> table;
    const std::vector<fuzz::Line> lines = fuzz::SplitLines(bytes);
    // Nine, not ResultLinesRead: which lines count is part of the file format.
    for (std::size_t i = 0; i < lines.size() && i < 9; ++i) {
        const ResultFields fields = StringOnPar(lines[i].Content(bytes));
        int bonus = 0;
        const bool number = ParseBonus(fields.bonus, bonus);
        if (!number && stoppedAt == 0)
            stoppedAt = static_cast<int>(i) + 1;
        if (stoppedAt == 0)
            best = std::max(best, bonus);
        const auto cut = [](const std::string &text) { return text.substr(0, ResultFieldKept); };
        table.push_back({cut(fields.name), number ? bonus : 0, cut(fields.seconds), cut(fields.extra),
                         static_cast<int>(i) + 1, number, stoppedAt == 0});
    }
    const bool stopped = stoppedAt != 0;

    // The threshold the game starts with: nothing known yet, a record that
    // the file does not beat, and one below anything the file can hold.
    const int initials[] = {0, best < INT_MAX ? best + 1 : INT_MAX, INT_MIN};
    for (const int initial : initials) {
        const ReadResult r = ReadResultFile(path.string(), initial);
        const auto context = [&] {
            return "file " + fuzz::Quoted(bytes.size() > 1000 ? bytes.substr(bytes.size() - 1000) : bytes) + " (" +
                   std::to_string(bytes.size()) + " bytes), initial threshold " + std::to_string(initial) +
                   ", got " + std::to_string(r.RecordThreshold) + " error " + fuzz::Quoted(r.error);
        };
        FUZZ_CHECK(r.RecordThreshold >= initial, context());
        FUZZ_CHECK(r.RecordThreshold == std::max(initial, best),
                   context() + ", the lines themselves give " + std::to_string(best));
        FUZZ_CHECK(r.error.empty() != stopped,
                   context() + (stopped ? ", a bonus is not a number" : ", every bonus is a number"));
        FUZZ_CHECK(r.problem.line == stoppedAt, context() + ", stopped at line " + std::to_string(stoppedAt));
        if (!everyInitial)
            break;
    }

    ResultsError error{ResultsProblem::CannotOpen, "<unset>", -1, {}};
    const std::vector<ResultEntry> entries = ReadResultEntries(path.string(), &error);
    const std::string context = "file " + fuzz::Quoted(bytes) + ", " + std::to_string(entries.size()) +
                                " entries, error " + fuzz::Quoted(error.text) + " at line " + std::to_string(error.line);
    FUZZ_CHECK(entries.size() == table.size(), context + ", the lines give " + std::to_string(table.size()));
    for (std::size_t i = 0; i < table.size(); ++i)
        FUZZ_CHECK(entries[i] == table[i], context + ", entry " + std::to_string(i) + " name " +
                                               fuzz::Quoted(entries[i].name) + " expected " + fuzz::Quoted(table[i].name));
    FUZZ_CHECK(error == ReadResultFile(path.string()).problem, context);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    CheckFile(bytes, true);

    constexpr std::size_t Block = std::size_t{1} << 16;
    const unsigned char last = size > 0 ? data[size - 1] : 0;
    const std::size_t shift = size > 0 ? last % std::min<std::size_t>(size, 64) : 0;
    std::string shifted(Block - 1 - shift, 'f');
    shifted += (last & 0x80) ? '\r' : '\n';
    shifted += bytes;
    CheckFile(shifted, false);
    return 0;
}
