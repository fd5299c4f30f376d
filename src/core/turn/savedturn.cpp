#include "core/turn/savedturn.h"

#include <algorithm>

bool SavedTurn::Unfinished() const
{
    return !built.Empty() || std::any_of(strokes.begin(), strokes.end(), [](const SheetStrokes &s) { return s.Any(); });
}
