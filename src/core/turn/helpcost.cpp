#include "core/turn/helpcost.h"

#include <algorithm>
#include <limits>

namespace {
long long Clamped(long long v)
{
    return std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}
} // namespace

int HelpUsed::Cost() const
{
    const long long cost = static_cast<long long>(std::max(hints, 0)) * HintCost
                           + static_cast<long long>(std::max(peeks, 0)) * PeekCost;
    return static_cast<int>(Clamped(cost));
}

int ScoreAfterHelp(int score, const HelpUsed &help)
{
    return static_cast<int>(Clamped(static_cast<long long>(score) - help.Cost()));
}
