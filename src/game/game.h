#pragma once

#include "figure/figure.h"
#include "figure/randomgenerator.h"
#include "sheets/sampling.h"
#include "sheets/sheetinput.h"

#include <array>

// The state and rules of a game: the current figure, the three sheets, the
// counters of the last Check, the record threshold and the turn's seconds.
// A level change sizes the next New only; the current figure keeps its own
// segment count. A Check locks the sheets and scores all three of them without
// consuming anything, so checking the same drawing again gives the same counts.
class Game {
public:
    struct CheckOutcome {
        CheckCounts counts;
        std::array<CheckCounts, 3> perSheet{};
        bool newRecord = false;  // the score beats RecordThreshold
        int seconds = 0;         // the turn's seconds at the Check
    };

    Game();

    // A new turn: empty sheets in drawing mode, a new figure of the current
    // level, fresh true projections, seconds from 0.
    void New();
    CheckOutcome Check();
    // An activation of the main window: half-drawn strokes are dropped and the
    // true projections rebuilt.
    void Activate();
    void TickSecond();
    // A record confirmed under a name: it becomes the score to beat.
    void RecordConfirmed(int score);

    int Level() const { return SegmentCount - MinSegmentCount; }
    void SetLevel(int level) { SegmentCount = SegmentCountForLevel(level); }

    SheetInput &sheet(Sheet s) { return sheets[static_cast<std::size_t>(SheetIndex(s))]; }
    const SheetInput &sheet(Sheet s) const { return sheets[static_cast<std::size_t>(SheetIndex(s))]; }
    const SampleSet &trueProjection(Sheet s) const { return TrueProjection[static_cast<std::size_t>(SheetIndex(s))]; }
    const SegmentList &trueSegments(Sheet s) const { return TrueSegmentsOf[static_cast<std::size_t>(SheetIndex(s))]; }
    int Score() const { return RightCount - WrongCount; }

    RandomGenerator random;
    Figure figure;
    int SegmentCount = MinSegmentCount;  // the size of the next figure
    std::array<SheetInput, 3> sheets;
    int RightCount = 0;
    int WrongCount = 0;
    bool Checked = false;  // the counters belong to a Check of this turn
    int RecordThreshold = 0;
    int Seconds = 0;
    bool SecondsRunning = true;

private:
    void BuildTrueProjections();

    std::array<SegmentList, 3> TrueSegmentsOf{};
    std::array<SampleSet, 3> TrueProjection{};
};
