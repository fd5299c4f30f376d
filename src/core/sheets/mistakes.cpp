#include "core/sheets/mistakes.h"

#include <algorithm>

namespace {

constexpr std::array<std::string_view, MistakeCount> Tokens{
    "mirror-lr", "mirror-tb", "turn-180", "turn-cw",     "turn-ccw", "sheet-X",
    "sheet-Y",   "sheet-Z",   "shift-left", "shift-right", "shift-up", "shift-down"};

constexpr int Unit = SamplePoint::Unit;
constexpr int Low = LatticeMin * Unit;
constexpr int High = LatticeMax * Unit;
// 6 - c in sixtieths: the lattice's mirror axis.
constexpr int Mirror = (LatticeMin + LatticeMax) * Unit;

// Where a sample lands under a transform of the sheet's own lattice.
SamplePoint Moved(Mistake m, SamplePoint p)
{
    switch (m) {
    case Mistake::MirrorLeftRight: return {Mirror - p.col, p.row};
    case Mistake::MirrorTopBottom: return {p.col, Mirror - p.row};
    case Mistake::Turn180: return {Mirror - p.col, Mirror - p.row};
    case Mistake::TurnClockwise: return {Mirror - p.row, p.col};
    case Mistake::TurnAnticlockwise: return {p.row, Mirror - p.col};
    case Mistake::ShiftLeft: return {p.col - Unit, p.row};
    case Mistake::ShiftRight: return {p.col + Unit, p.row};
    case Mistake::ShiftUp: return {p.col, p.row - Unit};
    case Mistake::ShiftDown: return {p.col, p.row + Unit};
    default: return p;
    }
}

bool OnLattice(SamplePoint p) { return p.col >= Low && p.col <= High && p.row >= Low && p.row <= High; }

// Samples of `of` that the drawing holds.
int Covered(const SampleSet &of, const SampleSet &drawn)
{
    int n = 0;
    for (const SamplePoint &p : of)
        n += std::binary_search(drawn.begin(), drawn.end(), p) ? 1 : 0;
    return n;
}

} // namespace

std::string_view MistakeToken(Mistake m) { return Tokens[static_cast<std::size_t>(m)]; }

std::optional<Mistake> MistakeFromToken(std::string_view token)
{
    const auto at = std::find(Tokens.begin(), Tokens.end(), token);
    return at == Tokens.end() ? std::nullopt : std::optional<Mistake>(static_cast<Mistake>(at - Tokens.begin()));
}

SampleSet TransformedTruth(Mistake m, Sheet sheet, const std::array<SampleSet, 3> &truth)
{
    const std::size_t own = static_cast<std::size_t>(SheetIndex(sheet));
    if (m == Mistake::SheetX || m == Mistake::SheetY || m == Mistake::SheetZ) {
        const auto other = static_cast<std::size_t>(static_cast<int>(m) - static_cast<int>(Mistake::SheetX));
        return other == own ? SampleSet{} : truth[other];
    }
    SampleSet moved;
    moved.reserve(truth[own].size());
    for (const SamplePoint &p : truth[own])
        if (const SamplePoint q = Moved(m, p); OnLattice(q))
            moved.push_back(q);
    std::sort(moved.begin(), moved.end());
    return moved;
}

std::optional<Mistake> NameMistake(Sheet sheet, const std::array<SampleSet, 3> &truth, const SampleSet &drawn)
{
    const SampleSet &own = truth[static_cast<std::size_t>(SheetIndex(sheet))];
    const int plainWrong = CompareSamples(own, drawn).WrongCount;
    if (drawn.empty() || plainWrong == 0)
        return std::nullopt;
    std::optional<Mistake> named;
    int fewest = 0;
    for (int i = 0; i < MistakeCount; ++i) {
        const auto m = static_cast<Mistake>(i);
        const SampleSet moved = TransformedTruth(m, sheet, truth);
        if (moved.empty() || moved == own)
            continue;
        const int wrong = CompareSamples(moved, drawn).WrongCount;
        // 80% covered, fewer than half the plain comparison's wrong samples.
        if (5 * Covered(moved, drawn) < 4 * static_cast<int>(moved.size()) || 2 * wrong >= plainWrong)
            continue;
        if (!named || wrong < fewest) {
            named = m;
            fewest = wrong;
        }
    }
    return named;
}

SheetMistakes NameMistakes(const std::array<SampleSet, 3> &truth, const std::array<SampleSet, 3> &drawn)
{
    SheetMistakes named;
    for (Sheet s : AllSheets) {
        const auto i = static_cast<std::size_t>(SheetIndex(s));
        named[i] = NameMistake(s, truth, drawn[i]);
    }
    return named;
}

std::string MistakesText(const SheetMistakes &mistakes)
{
    std::string text;
    for (Sheet s : AllSheets) {
        const auto &m = mistakes[static_cast<std::size_t>(SheetIndex(s))];
        if (!m)
            continue;
        if (!text.empty())
            text += ';';
        text += "XYZ"[SheetIndex(s)];
        text += ':';
        text += MistakeToken(*m);
    }
    return text;
}
