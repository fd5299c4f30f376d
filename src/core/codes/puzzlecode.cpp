#include "core/codes/puzzlecode.h"

#include "core/figure/randomgenerator.h"

#include <algorithm>

namespace {

constexpr std::string_view Alphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr int PayloadSymbols = PuzzleCodeSymbols - 1;

// The symbol value of a typed character, -1 for a separator, -2 for anything
// else. Letters that look like digits read as those digits.
int SymbolValue(unsigned char c)
{
    if (c == ' ' || c == '-' || c == '\t')
        return -1;
    if (c >= 'a' && c <= 'z')
        c = static_cast<unsigned char>(c - 'a' + 'A');
    if (c == 'O')
        c = '0';
    else if (c == 'I' || c == 'L')
        c = '1';
    const auto at = Alphabet.find(static_cast<char>(c));
    return at == std::string_view::npos ? -2 : static_cast<int>(at);
}

// Multiplication by x in GF(2^5) modulo the primitive x^5 + x^2 + 1: x then
// has order 31, so the weights x^1..x^9 of the nine symbols are distinct.
int TimesX(int v)
{
    v <<= 1;
    return (v & 0x20) ? (v ^ 0x25) : v;
}

// Horner's rule for the sum of symbol_i * x^(n-i+1): zero over a whole code.
// A changed symbol moves the sum by a non-zero multiple of its weight, a swap
// of two symbols by (weight_i + weight_j) * (a + b), never zero either.
int CheckFold(const int *symbols, int count)
{
    int r = 0;
    for (int i = 0; i < count; ++i)
        r = TimesX(r ^ symbols[i]);
    return r;
}

ParsedPuzzleCode Failure(PuzzleCodeError error, int symbols, std::string character = {})
{
    ParsedPuzzleCode result;
    result.error = error;
    result.symbols = symbols;
    result.character = std::move(character);
    return result;
}

// The bytes of the UTF-8 character that starts at text[at]: its lead byte and
// the continuation bytes after it (a stray byte stands alone).
std::string CharacterAt(std::string_view text, std::size_t at)
{
    std::size_t end = at + 1;
    while (end < text.size() && end - at < 4 && (static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u)
        ++end;
    return std::string(text.substr(at, end - at));
}

} // namespace

std::string EncodePuzzleCode(const PuzzleCode &code)
{
    const auto level = static_cast<std::uint64_t>(std::clamp(code.level, 0, MaxLevel));
    const std::uint64_t bits = (std::uint64_t{code.daily} << 39) | (level << 32) | code.seed;
    int symbols[PuzzleCodeSymbols];
    for (int i = 0; i < PayloadSymbols; ++i)
        symbols[i] = static_cast<int>((bits >> (5 * (PayloadSymbols - 1 - i))) & 31u);
    symbols[PayloadSymbols] = CheckFold(symbols, PayloadSymbols);

    std::string text;
    for (int i = 0; i < PuzzleCodeSymbols; ++i) {
        if (i == 4 || i == 8)
            text += '-';
        text += Alphabet[static_cast<std::size_t>(symbols[i])];
    }
    return text;
}

ParsedPuzzleCode ParsePuzzleCode(std::string_view text)
{
    int symbols[PuzzleCodeSymbols];
    int count = 0;
    std::optional<std::size_t> wrongAt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int value = SymbolValue(static_cast<unsigned char>(text[i]));
        if (value == -1)
            continue;
        if (value == -2) {
            if (!wrongAt)
                wrongAt = i;
            continue;
        }
        if (count < PuzzleCodeSymbols)
            symbols[count] = value;
        ++count;
    }
    if (wrongAt)
        return Failure(PuzzleCodeError::WrongCharacter, count, CharacterAt(text, *wrongAt));
    if (count == 0)
        return Failure(PuzzleCodeError::Empty, count);
    if (count < PuzzleCodeSymbols)
        return Failure(PuzzleCodeError::TooShort, count);
    if (count > PuzzleCodeSymbols)
        return Failure(PuzzleCodeError::TooLong, count);
    if (CheckFold(symbols, PuzzleCodeSymbols) != 0)
        return Failure(PuzzleCodeError::WrongCheck, count);

    std::uint64_t bits = 0;
    for (int i = 0; i < PayloadSymbols; ++i)
        bits = (bits << 5) | static_cast<std::uint64_t>(symbols[i]);
    const int level = static_cast<int>((bits >> 32) & 0x7Fu);
    if (level > MaxLevel)
        return Failure(PuzzleCodeError::LevelOutOfRange, count);

    ParsedPuzzleCode result;
    result.code = PuzzleCode{level, static_cast<std::uint32_t>(bits & 0xFFFFFFFFu), ((bits >> 39) & 1u) != 0};
    result.symbols = count;
    return result;
}

Figure FigureFromCode(const PuzzleCode &code)
{
    Figure figure;
    RandomGenerator random(code.seed);
    InitObjects(figure, SegmentCountForLevel(code.level), random);
    return figure;
}

CivilDate UtcDate(std::chrono::system_clock::time_point when)
{
    using namespace std::chrono;
    const year_month_day date{floor<days>(when)};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

CivilDate TodayUtc() { return UtcDate(std::chrono::system_clock::now()); }

namespace {

// SplitMix64's finaliser: every input bit reaches every output bit, so
// neighbouring days get unrelated seeds.
std::uint64_t Mix(std::uint64_t z)
{
    z += 0x9E3779B97F4A7C15u;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

} // namespace

PuzzleCode DailyPuzzle(int year, int month, int day)
{
    namespace chr = std::chrono;
    const int clampedYear = std::clamp(year, static_cast<int>(chr::year::min()), static_cast<int>(chr::year::max()));
    const chr::year y{clampedYear};
    const chr::month m{static_cast<unsigned>(std::clamp(month, 1, 12))};
    const unsigned last = static_cast<unsigned>(chr::year_month_day_last{y, chr::month_day_last{m}}.day());
    const chr::day d{std::min(static_cast<unsigned>(std::max(day, 1)), last)};
    const chr::sys_days date{chr::year_month_day{y, m, d}};

    const std::uint64_t hash = Mix(static_cast<std::uint64_t>(date.time_since_epoch().count()));
    // Indexed by the ISO weekday, Monday = 1.
    constexpr int WeekBase[] = {2, 5, 8, 11, 14, 18, 22};
    const int base = WeekBase[chr::weekday{date}.iso_encoding() - 1];
    return {base + static_cast<int>(hash & 3u), static_cast<std::uint32_t>(hash >> 32), true};
}
