#include "core/codes/suggestion.h"

#include "core/figure/figure.h"

#include <algorithm>

namespace {

enum class TurnQuality { Good, Poor, Neither };

TurnQuality Quality(const RecentTurn &turn)
{
    // Wide integers: no rounding at the bounds and no overflow on odd input.
    const long long right = std::max(turn.right, 0);
    const long long total = right + std::max(turn.wrong, 0);
    if (total == 0)
        return TurnQuality::Neither;
    if (!turn.helpUsed && right * 10 >= total * GoodAccuracyTenths)
        return TurnQuality::Good;
    if (right * 10 < total * PoorAccuracyTenths)
        return TurnQuality::Poor;
    return TurnQuality::Neither;
}

} // namespace

LevelSuggestion SuggestLevel(std::span<const RecentTurn> turns, int currentLevel)
{
    const int level = std::clamp(currentLevel, 0, MaxLevel);
    const LevelSuggestion none{LevelChange::None, level};
    if (turns.size() < static_cast<std::size_t>(SuggestionRunLength))
        return none;

    const auto run = turns.last(static_cast<std::size_t>(SuggestionRunLength));
    if (std::any_of(run.begin(), run.end(), [level](const RecentTurn &t) { return t.level != level; }))
        return none;
    const TurnQuality first = Quality(run.front());
    if (first == TurnQuality::Neither ||
        std::any_of(run.begin(), run.end(), [first](const RecentTurn &t) { return Quality(t) != first; }))
        return none;

    if (first == TurnQuality::Good && level < MaxLevel)
        return {LevelChange::Up, level + 1};
    if (first == TurnQuality::Poor && level > 0)
        return {LevelChange::Down, level - 1};
    return none;
}
