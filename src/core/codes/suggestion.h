#pragma once

#include <span>

// Level suggestion, a pure rule over the player's most recent turns, in two
// sentences for the manual:
// After three checked turns in a row at the current level, each with at least
// 90% of the points right (Right / (Right + Wrong) >= 0.9) and without help,
// the game suggests the next level up, unless it is the top level. After three
// in a row with less than half of the points right it suggests the level
// below, unless it is level 0; a turn at another level, or one in between,
// starts the count again.

// One checked turn as the rule sees it. The score is carried for the record;
// the rule reads Right and Wrong.
struct RecentTurn {
    int level = 0;
    int right = 0;
    int wrong = 0;
    int score = 0;
    bool helpUsed = false;
};

enum class LevelChange { None, Up, Down };

struct LevelSuggestion {
    LevelChange change = LevelChange::None;
    int level = 0;  // the level to offer; the current level when change is None
    bool byRating = false;  // offered by the player's rating rather than the last three turns
    friend bool operator==(const LevelSuggestion &, const LevelSuggestion &) = default;
};

constexpr int SuggestionRunLength = 3;
// Accuracy bounds as fractions: good is >= 9/10, poor is < 1/2.
constexpr int GoodAccuracyTenths = 9;
constexpr int PoorAccuracyTenths = 5;

// `turns` oldest first; only the last three count. A current level outside
// 0..MaxLevel is clamped first.
LevelSuggestion SuggestLevel(std::span<const RecentTurn> turns, int currentLevel);
