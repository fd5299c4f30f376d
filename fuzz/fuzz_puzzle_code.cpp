// Puzzle codes arrive typed, pasted or from a chat with anything around them.
// Reading must never crash, must refuse for the reason an independent reading
// of the same bytes gives, and an accepted code must be the very code its
// canonical form spells: otherwise a friend's code could open another figure.
//
// Input: the bytes as typed. The first five bytes are also taken as a code
// (seed, level, daily flag) that is encoded, read back and then damaged at one
// place by the sixth byte, which must always be caught.

#include "fuzzsupport.h"
#include "core/codes/puzzlecode.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::string_view Symbols = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";

std::string Describe(const ParsedPuzzleCode &p)
{
    if (p.code)
        return "accepted level " + std::to_string(p.code->level) + " seed " + std::to_string(p.code->seed) +
               (p.code->daily ? " daily" : "");
    return "refused (" + std::to_string(static_cast<int>(p.error)) + ") after " + std::to_string(p.symbols) +
           " symbols, character " + fuzz::Quoted(p.character);
}

std::string Bare(std::string text)
{
    std::erase(text, '-');
    return text;
}

// The symbols a player meant, written from the format: case ignored, O as 0,
// I and L as 1, separators dropped. `foreign` tells whether anything else
// was there.
std::string Normalised(std::string_view bytes, bool &foreign)
{
    std::string out;
    foreign = false;
    for (char c : bytes) {
        if (c == '-' || c == ' ' || c == '\t')
            continue;
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        c = c == 'O' ? '0' : (c == 'I' || c == 'L') ? '1' : c;
        if (c == '\0' || Symbols.find(c) == std::string_view::npos)
            foreign = true;
        else
            out += c;
    }
    return out;
}

void CheckTyped(std::string_view bytes)
{
    const ParsedPuzzleCode read = ParsePuzzleCode(bytes);
    const std::string got = fuzz::Quoted(bytes) + " " + Describe(read);
    FUZZ_CHECK(read.code.has_value() == (read.error == PuzzleCodeError::None), got);
    FUZZ_CHECK(read.character.empty() != (read.error == PuzzleCodeError::WrongCharacter), got);

    bool foreign = false;
    const std::string symbols = Normalised(bytes, foreign);
    // The count the player is told must be the symbols typed.
    FUZZ_CHECK(read.symbols == static_cast<int>(symbols.size()), got);
    if (foreign)
        FUZZ_CHECK(read.error == PuzzleCodeError::WrongCharacter, got);
    else if (symbols.empty())
        FUZZ_CHECK(read.error == PuzzleCodeError::Empty, got);
    else if (symbols.size() < 9)
        FUZZ_CHECK(read.error == PuzzleCodeError::TooShort, got);
    else if (symbols.size() > 9)
        FUZZ_CHECK(read.error == PuzzleCodeError::TooLong, got);
    else
        FUZZ_CHECK(read.code || read.error == PuzzleCodeError::WrongCheck ||
                       read.error == PuzzleCodeError::LevelOutOfRange, got);
    if (!read.code)
        return;

    const PuzzleCode code = *read.code;
    FUZZ_CHECK(code.level >= 0 && code.level <= MaxLevel, got);
    const std::string canonical = EncodePuzzleCode(code);
    FUZZ_CHECK(Bare(canonical) == symbols, got + ", canonical form " + canonical);
    const ParsedPuzzleCode again = ParsePuzzleCode(canonical);
    FUZZ_CHECK(again.code && *again.code == code, got + ", canonical form " + canonical + " " + Describe(again));
    (void)FigureFromCode(code);
}

void CheckMade(const std::uint8_t *data, std::size_t size)
{
    if (size < 6)
        return;
    std::uint32_t seed = 0;
    std::memcpy(&seed, data, sizeof seed);
    const PuzzleCode code{data[4] % (MaxLevel + 1), seed, (data[4] & 0x80) != 0};
    const std::string text = EncodePuzzleCode(code);
    const ParsedPuzzleCode read = ParsePuzzleCode(text);
    FUZZ_CHECK(read.code && *read.code == code, text + " " + Describe(read));

    // One symbol replaced by another, or two neighbours swapped.
    std::string bare = Bare(text);
    const std::size_t at = data[5] % bare.size();
    const char other = Symbols[(data[5] / 9) % Symbols.size()];
    std::string damaged = bare;
    if (other != bare[at])
        damaged[at] = other;
    else if (at + 1 < bare.size())
        std::swap(damaged[at], damaged[at + 1]);
    if (damaged != bare) {
        const ParsedPuzzleCode typo = ParsePuzzleCode(damaged);
        FUZZ_CHECK(typo.error == PuzzleCodeError::WrongCheck, text + " damaged to " + damaged + " " + Describe(typo));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    CheckTyped(std::string_view(reinterpret_cast<const char *>(data), size));
    CheckMade(data, size);
    return 0;
}
