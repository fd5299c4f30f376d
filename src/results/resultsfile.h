#pragma once

#include <string>
#include <string_view>

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

struct ReadResult {
    int RecordThreshold = 0;
    // Empty when every line read was fine; otherwise the message to show
    // ("Can not open Stat.txt", or the text that is not a number).
    std::string error;
};

// Reads at most the first 9 lines (CR LF, LF or CR endings) and raises the
// threshold to the largest bonus among them. A bonus that is not a number ends
// the reading there, keeping what the earlier lines gave. Only the bytes of
// those lines are read, however large the file.
ReadResult ReadResultFile(const std::string &path, int recordThreshold = 0);

// The name as it can stand in a results line: commas, line breaks and other
// control characters become spaces.
std::string SanitizeName(std::string_view name);

// The line a record is stored as, CR LF included.
std::string RecordLine(std::string_view name, int score, int seconds);

// Inserts the record before the first line with a lower bonus (or a bonus that
// is not a number), keeping every other line byte for byte. The file is
// replaced atomically: on failure it is left exactly as it was. Returns an
// empty string on success, otherwise a message for the player.
std::string SaveRecord(const std::string &path, std::string_view name, int score, int seconds);
