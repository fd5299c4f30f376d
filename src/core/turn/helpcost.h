#pragma once

// What a hint or a peek costs, in score points. A hint shows one unit step of
// the truth, which drawn right is worth about 12 points (6 samples turn from
// missing to right), so it still pays to draw it; a peek shows more and costs
// more.
constexpr int HintCost = 5;
constexpr int PeekCost = 10;

// The help taken during a turn. A negative count (never produced by the game)
// counts as none, and the cost saturates rather than overflowing, so the
// score stays meaningful whatever the counters hold.
struct HelpUsed {
    int hints = 0;
    int peeks = 0;

    int Cost() const;
    friend bool operator==(const HelpUsed &, const HelpUsed &) = default;
};

// The turn's score after paying for help; a turn without help keeps its score.
int ScoreAfterHelp(int score, const HelpUsed &help);
