#pragma once

#include "core/sheets/mistakes.h"

#include <QString>

// A named mistake in the player's words: "Mirrored left to right", "This is
// the view of sheet Z" ...
QString MistakeDescription(Mistake m);
// A history token ("mirror-lr"), or the token itself when this version does
// not know it.
QString MistakeDescription(const std::string &token);
