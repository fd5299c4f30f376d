#pragma once

#include "core/codes/puzzlecode.h"

#include <QString>

// What a player is told about a puzzle code that cannot be read, in the
// player's language.
QString PuzzleCodeProblem(PuzzleCodeError error);
