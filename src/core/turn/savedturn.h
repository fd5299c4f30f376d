#pragma once

#include "core/build/builtfigure.h"
#include "core/codes/assessment.h"
#include "core/codes/exercise.h"
#include "core/sheets/sheetstrokes.h"
#include "core/turn/edithistory.h"
#include "core/turn/helpcost.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// How a turn began: New, a puzzle code, today's figure, an assessment figure
// or an assignment's.
enum class OriginOfTurn { New, Code, Daily, Assessment, Assignment };

// Everything a turn in progress holds beyond its figure's generator, so that
// it can be continued in a later run exactly where it stopped: the figure by
// its level and generator state, the strokes or the built figure, the undo
// history with its position, the seconds and the help bought (with the hint
// steps shown), and what it belongs to (a sitting with its results so far, an
// assignment's figure for one student). A checked turn is never kept: its
// result is in the history.
struct SavedTurn {
    Exercise chosenExercise = Exercise::Views;
    Exercise exercise = Exercise::Views;
    int level = 0;  // the figure's own
    std::uint32_t seed = 0;
    bool daily = false;
    OriginOfTurn origin = OriginOfTurn::New;
    bool replayed = false;
    // Whether the figure was new to the player as the turn began; none when
    // that was not asked yet (the history answers it later, unchanged).
    std::optional<bool> firstPlay;
    int shownLevel = 0;

    int seconds = 0;
    HelpUsed help;
    std::array<std::vector<Stroke>, 3> hints{};
    int strokesMade = 0;
    std::optional<int> helpSeconds;
    std::optional<int> helpStrokes;

    std::array<SheetStrokes, 3> strokes{};  // the views exercise's
    BuiltFigure built;                      // the build exercise's
    std::vector<EditHistory::Entry> edits;
    std::size_t editPosition = 0;

    // The assessment sitting the turn belongs to: its id, the figure played
    // and the results so far.
    struct Sitting {
        std::int64_t id = 0;
        std::size_t figure = 0;
        AssessmentResult result;
    };
    std::optional<Sitting> sitting;

    // An assignment is found again by its file; the result file by the
    // student's name, as when it is opened by hand.
    struct AssignmentPlace {
        std::string file;
        std::string id;
        std::string student;
        std::size_t figure = 0;
    };
    std::optional<AssignmentPlace> assignment;

    // Something to continue: a stroke on a sheet or a segment built.
    bool Unfinished() const;
};
