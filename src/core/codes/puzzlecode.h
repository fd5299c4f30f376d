#pragma once

#include "core/figure/figure.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A figure a player can pass on: the level and the generator's 32-bit state
// just before the figure was built. The same code gives the same figure on
// every machine and in every version, because the generator is fixed.
//
// Written as 9 symbols of Crockford's base 32 (0-9 and A-Z without I, L, O, U),
// shown as XXXX-XXXX-C. The first 8 symbols hold 40 bits, most significant
// first: the daily flag, the level in 7 bits, the seed in 32 bits. So a daily
// code starts with one of G..T and any other code with a digit or A. C is a check
// symbol: over GF(32) the symbols times distinct non-zero weights sum to zero,
// so any one wrong symbol and any two swapped symbols are always caught.
// Reading ignores case, hyphens, spaces and tabs, and takes O as 0 and I, L as 1.
struct PuzzleCode {
    int level = 0;  // 0..MaxLevel
    std::uint32_t seed = 0;
    bool daily = false;
    friend bool operator==(const PuzzleCode &, const PuzzleCode &) = default;
};

constexpr int PuzzleCodeSymbols = 9;

// The display form, e.g. "K3F9-2QXA-7"; reading it back gives the same code.
// A level outside 0..MaxLevel is clamped first, so every encoded code reads.
std::string EncodePuzzleCode(const PuzzleCode &code);

enum class PuzzleCodeError {
    None,
    Empty,             // nothing but spaces and hyphens
    WrongCharacter,    // a character no code uses
    TooShort,          // fewer than 9 symbols
    TooLong,           // more than 9 symbols
    WrongCheck,        // a typing error: the check symbol does not match
    LevelOutOfRange,   // a sound code for a level this version lacks
};

struct ParsedPuzzleCode {
    std::optional<PuzzleCode> code;  // set exactly when the text was accepted
    PuzzleCodeError error = PuzzleCodeError::None;
    // The code symbols in the text, separators not counted (O, I and L count
    // as the digits they are read as).
    int symbols = 0;
    // WrongCharacter: the first character no code uses, as its UTF-8 bytes.
    std::string character;
};

// Reads what a player typed or pasted. Never throws; anything that is not a
// code gives the first error found in the order the enum lists them. The
// symbols are counted over the whole text, past a wrong character too.
ParsedPuzzleCode ParsePuzzleCode(std::string_view text);

// The figure of a code: the generator seeded with the code's seed builds a
// figure of the code's level.
Figure FigureFromCode(const PuzzleCode &code);

struct CivilDate {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    friend bool operator==(const CivilDate &, const CivilDate &) = default;
};

// The UTC calendar date of a moment, and of now.
CivilDate UtcDate(std::chrono::system_clock::time_point when);
CivilDate TodayUtc();

// The figure of the day, the same for every player on that UTC date. The seed
// is a 64-bit mix of the day number (days since 1970-01-01). The level rises
// through the week, Monday easiest: a base of 2, 5, 8, 11, 14, 18, 22 for
// Monday..Sunday plus 0..3 from the same mix, so levels run from 2 to 25.
// An impossible date is clamped to a real one (month 1..12, day 1..month end).
PuzzleCode DailyPuzzle(int year, int month, int day);
inline PuzzleCode DailyPuzzle(const CivilDate &date) { return DailyPuzzle(date.year, date.month, date.day); }
