#pragma once

#include "core/sheets/sampling.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The mistakes a Check can name on a sheet: the drawing is one of these
// transforms of the sheet's truth rather than the truth. Listed in the order
// that settles ties. Columns c and rows r run 1..5 as the player sees the sheet.
enum class Mistake {
    MirrorLeftRight,  // (c, r) -> (6 - c, r)
    MirrorTopBottom,  // (c, r) -> (c, 6 - r)
    Turn180,          // (c, r) -> (6 - c, 6 - r)
    TurnClockwise,    // (c, r) -> (6 - r, c)
    TurnAnticlockwise,  // (c, r) -> (r, 6 - c)
    SheetX,           // the truth of sheet X drawn here
    SheetY,
    SheetZ,
    ShiftLeft,        // the truth one column left; what leaves the lattice is dropped
    ShiftRight,
    ShiftUp,
    ShiftDown,
};
constexpr int MistakeCount = 12;

// The history's token: "mirror-lr", "sheet-Y", "shift-down" ...
std::string_view MistakeToken(Mistake m);
std::optional<Mistake> MistakeFromToken(std::string_view token);

// The truth's samples as the mistake would draw them; sheet-N takes sheet N's
// truth as it is (a mistake naming the sheet itself gives nothing).
SampleSet TransformedTruth(Mistake m, Sheet sheet, const std::array<SampleSet, 3> &truth);

// The rule. A transform names a sheet's drawing when the drawing covers at
// least 80% of the transformed truth's samples and has fewer than half the
// wrong samples of the plain comparison with the truth. Of those, the one with
// the fewest wrong samples is named, a tie going to the first listed. A right
// or empty drawing names nothing, and neither does a transform that gives the
// truth back (a symmetric view).
std::optional<Mistake> NameMistake(Sheet sheet, const std::array<SampleSet, 3> &truth, const SampleSet &drawn);

using SheetMistakes = std::array<std::optional<Mistake>, 3>;
SheetMistakes NameMistakes(const std::array<SampleSet, 3> &truth, const std::array<SampleSet, 3> &drawn);

// "X:mirror-lr;Z:sheet-Y": the named mistakes in the order X, Y, Z; empty
// when none is named.
std::string MistakesText(const SheetMistakes &mistakes);
