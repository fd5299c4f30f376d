#pragma once

#include "core/classroom/assignment.h"
#include "core/classroom/fileproblem.h"
#include "core/turn/game.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A student's result of an assignment, as the game writes it after each
// checked figure and the teacher's class table reads it: one entry per figure
// of the assignment, in its order, with the counts of the figure's Check. The
// file format is in docs/FILES.md: UTF-8 JSON in canonical form with a
// SHA-256 checksum of that form, extension .trivisto-result. The checksum
// tells damage and casual edits; anyone who recomputes it gets past it, as
// past any check a file can carry without a server.

constexpr int ResultVersion = 1;
constexpr std::string_view ResultExtension = ".trivisto-result";

// The Right count of a perfect answer on the figure: the true samples of its
// three sheets. The same in both exercises, since a built figure is scored by
// its projections on the sheets.
int MaxPoints(const PuzzleCode &code, Exercise exercise);

// One figure's entry. Before its Check every optional is empty; after it all
// are set.
struct FigureResult {
    std::string code;  // as EncodePuzzleCode writes it
    Exercise exercise = Exercise::Views;
    int max = 0;  // MaxPoints
    std::optional<int> right, wrong;
    std::optional<int> score;  // after paying for help, so it may be negative
    std::optional<int> seconds, hints, peeks;
    std::optional<std::int64_t> checkedUtc;  // seconds since 1970-01-01 UTC
    bool Checked() const { return checkedUtc.has_value(); }
    friend bool operator==(const FigureResult &, const FigureResult &) = default;
};

struct AssignmentResult {
    std::string assignment;  // the assignment's id
    std::string title;       // the assignment's, for people reading the file
    std::string student;
    std::vector<FigureResult> figures;
    bool Complete() const;
    // The latest Check of any figure; none before the first.
    std::optional<std::int64_t> LastChecked() const;
    friend bool operator==(const AssignmentResult &, const AssignmentResult &) = default;
};

// A result with no figure checked yet, the student's name trimmed.
AssignmentResult NewResult(const Assignment &assignment, std::string_view student);

// Enters a Check of the figure `code` at `utcSeconds`, replacing any earlier
// one of it; false (and nothing changed) when the result has no such figure.
bool RecordCheck(AssignmentResult &result, const PuzzleCode &code, const Game::CheckOutcome &check,
                 std::int64_t utcSeconds);

enum class ResultStatus { Ok, Damaged, NewerVersion };

struct ResultRead {
    // Ok: the whole result. Otherwise what could be read, the student's name
    // at least when the file holds one as text.
    AssignmentResult result;
    ResultStatus status = ResultStatus::Ok;
    ClassFileProblem problem;  // None exactly when Ok
};

ResultRead ReadAssignmentResult(std::string_view bytes);

// The file's bytes: the canonical form with its checksum, and a line break.
// A result made by NewResult and RecordCheck reads back equal.
std::string WriteAssignmentResult(const AssignmentResult &result);
