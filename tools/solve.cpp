// Prints the keys that draw the figure of a puzzle code perfectly with the
// keyboard, one line per sheet (X, Y, Z), as xdotool key names. The smoke
// test of an installed game plays a perfect turn with them.

#include "core/codes/puzzlecode.h"
#include "core/sheets/sampling.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Arrow presses from one lattice point to another; rows count downwards.
void MoveCursor(LatticePoint &cursor, LatticePoint to, std::string &keys)
{
    for (; cursor.col < to.col; ++cursor.col)
        keys += " Right";
    for (; cursor.col > to.col; --cursor.col)
        keys += " Left";
    for (; cursor.row < to.row; ++cursor.row)
        keys += " Down";
    for (; cursor.row > to.row; --cursor.row)
        keys += " Up";
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: trivisto_solve CODE\n");
        return 2;
    }
    const ParsedPuzzleCode parsed = ParsePuzzleCode(argv[1]);
    if (!parsed.code) {
        std::fprintf(stderr, "trivisto_solve: '%s' is not a puzzle code\n", argv[1]);
        return 2;
    }
    const Figure figure = FigureFromCode(*parsed.code);
    for (Sheet sheet : AllSheets) {
        // A turn starts each sheet's cursor on its top-left dot.
        LatticePoint cursor{LatticeMin, LatticeMin};
        std::string keys;
        std::vector<Stroke> drawn;
        for (const Stroke &s : TrueSegments(figure, sheet)) {
            bool again = s.IsEmpty() || s.Start() == s.End();
            for (const Stroke &d : drawn)
                again = again || d.SameLine(s);
            if (again)
                continue;  // a line drawn twice would erase itself
            drawn.push_back(s);
            MoveCursor(cursor, s.Start(), keys);
            keys += " space";
            MoveCursor(cursor, s.End(), keys);
            keys += " space";
        }
        std::printf("%s\n", keys.empty() ? "" : keys.c_str() + 1);
    }
    return 0;
}
