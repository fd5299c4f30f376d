#pragma once

#include "core/classroom/fileproblem.h"
#include "core/codes/exercise.h"
#include "core/codes/puzzlecode.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An assignment a teacher hands out: figures to play in one exercise, whether
// hints and peeks are allowed, and an optional day it is due (a result checked
// after that UTC day is late, not refused). Its id, 32 hexadecimal digits
// drawn at random, ties the students' results to it. The file format is in
// docs/FILES.md: UTF-8 JSON, extension .trivisto-assignment.
//
// Rules every assignment keeps, whether read or made: an id of 32 hexadecimal
// digits (kept in lowercase), a title that is not blank, 1 to
// MaxAssignmentFigures figures, no figure twice. A figure is its level and
// seed: a code of the day and the same figure under an ordinary code count as
// the same figure.

constexpr int AssignmentVersion = 1;
constexpr std::size_t MaxAssignmentFigures = 50;
constexpr std::string_view AssignmentExtension = ".trivisto-assignment";

struct Assignment {
    std::string id;
    std::string title;
    Exercise exercise = Exercise::Views;
    std::vector<PuzzleCode> figures;
    bool hints = true;
    bool peeks = true;
    std::optional<std::chrono::sys_days> due;
    friend bool operator==(const Assignment &, const Assignment &) = default;
};

// The first rule the assignment breaks, None when it keeps them all.
ClassFileProblem CheckAssignment(const Assignment &assignment);

struct AssignmentRead {
    Assignment assignment;  // as read and normalised; meaningful when there is no problem
    ClassFileProblem problem;
};

// Reads an assignment file. Keys the format does not know are ignored; a
// version above AssignmentVersion is refused as NewerVersion. The codes may
// be in any form ParsePuzzleCode reads; they are kept as codes.
AssignmentRead ReadAssignment(std::string_view bytes);

// The file's bytes: the canonical JSON form and a line break. Reads back equal.
std::string WriteAssignment(const Assignment &assignment);

// 32 lowercase hexadecimal digits from 128 bits, and from the system's source
// of randomness.
std::string AssignmentId(std::uint64_t high, std::uint64_t low);
std::string RandomAssignmentId();

// 32 lowercase hexadecimal digits.
bool IsAssignmentId(std::string_view id);

// The same figure under either code form.
inline bool SameFigure(const PuzzleCode &a, const PuzzleCode &b) { return a.level == b.level && a.seed == b.seed; }
