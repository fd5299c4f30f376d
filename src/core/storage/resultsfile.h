#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The results file: one line per result, four fields each followed by a comma
// (name, bonus, seconds, extra), lines ended by CR LF. At start-up the bonus
// fields of the first 9 lines set the score a Check must beat.

constexpr int ResultLinesRead = 9;

struct ResultFields {
    std::string name;
    std::string bonus;
    std::string seconds;
    std::string extra;
    friend bool operator==(const ResultFields &, const ResultFields &) = default;
};

// Splits a line at its first four commas; missing fields are empty and text
// after the fourth comma is ignored.
ResultFields StringOnPar(std::string_view line);

// The bonus read as "0" + field: digits only, within 32 bits; an empty field is 0.
// Returns false for anything else (a sign, a space, a letter, too large).
bool ParseBonus(std::string_view field, int &value);

// What is wrong with a results file, for the program to put in words.
enum class ResultsProblem {
    None,
    CannotOpen,  // there, but not a readable file
    NotANumber,  // a bonus that is not a number
};

struct ResultsError {
    ResultsProblem problem = ResultsProblem::None;
    // NotANumber: the bonus as it is read, "0" and the field (its first 64
    // bytes, then "..."), and the line it is on, counted from 1.
    std::string text;
    int line = 0;
    std::string path;  // the file
    explicit operator bool() const { return problem != ResultsProblem::None; }
    friend bool operator==(const ResultsError &, const ResultsError &) = default;
};

struct ReadResult {
    int RecordThreshold = 0;
    ResultsError problem;
    // The problem in the one line earlier versions showed ("Can not open
    // Stat.txt", "'0x' is not a valid integer value"), empty when there is
    // none; what the player reads is built from problem.
    std::string error;
};

// Reads at most the first 9 lines (CR LF, LF or CR endings) and raises the
// threshold to the largest bonus among them. A bonus that is not a number ends
// the reading there, keeping what the earlier lines gave. Only the bytes of
// those lines are read, however large the file. A missing file is an empty
// results list: no error, the threshold kept.
ReadResult ReadResultFile(const std::string &path, int recordThreshold = 0);

// One line of the high-score table, split as StringOnPar splits it. The name
// keeps its bytes as stored (UTF-8 or an old code page): whoever shows it
// decodes it.
struct ResultEntry {
    std::string name;
    int score = 0;  // 0 where the bonus is not a number
    std::string seconds;
    std::string extra;
    int line = 0;  // from 1
    // The bonus is a number; and the line comes before any whose bonus is
    // not, so it takes part in the record to beat.
    bool readable = true;
    bool counts = true;
    friend bool operator==(const ResultEntry &, const ResultEntry &) = default;
};

// Text fields of a table line are cut to this many bytes, so a damaged file
// with endless lines costs no more memory than a normal one.
constexpr std::size_t ResultFieldKept = 1024;

// The first 9 lines, the ones ReadResultFile reads, in file order: those
// after a bonus that is not a number too, marked as not counting, and that
// line itself marked unreadable. Sets *error to the first problem, as
// ReadResultFile reports it. A missing file gives no entries and no error.
std::vector<ResultEntry> ReadResultEntries(const std::string &path, ResultsError *error = nullptr);

// The name as it can stand in a results line: commas, line breaks and other
// control characters become spaces.
std::string SanitizeName(std::string_view name);

// The line a record is stored as, CR LF included.
std::string RecordLine(std::string_view name, int score, int seconds);

// Inserts the record before the first line with a lower bonus (or a bonus that
// is not a number), keeping every other line byte for byte. The file is
// replaced atomically (a temporary file beside it, fsync, rename, fsync of the
// folder): on failure it is left exactly as it was. Saves by any number of
// running games are serialized by an advisory lock on "<file>.lock" beside the
// file, and each reads the file under that lock, so no record is lost. A
// symbolic link is written through: its target gets the new contents and the
// link stays. Returns an empty string on success, otherwise a message for the
// player.
std::string SaveRecord(const std::string &path, std::string_view name, int score, int seconds);
