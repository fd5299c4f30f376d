#pragma once

#include "core/codes/puzzlecode.h"

#include <QString>

// What a player is told about a puzzle code that cannot be read, in the
// player's language: which rule it breaks, with the symbols counted as typed
// and the character no code uses named.
QString PuzzleCodeProblem(const ParsedPuzzleCode &parsed);
